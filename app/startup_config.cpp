// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup_config.h"

#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>

#include "app/ini_manager.h"
#include "audit/sqlite_audit_store.h"
#include "framework/errors.h"
#include "reporting/report_database.h"
#include "reporting/report_database_check.h"
#include "text/messages.h"

namespace kestra {

namespace fs = std::filesystem;

namespace {

bool prepareFolder(const std::string& folder, const MessageSink& show)
{
    std::error_code ec;
    // Without the trailing "/": a plain file of that name counts as there, and then fails the check.
    if (fs::exists(fs::path(folder).parent_path(), ec)) return VerificaCartella(folder, kFolderRights, show);
    return CreaCartella(folder, kFolderRights, show);
}

// Copies through a temporary name so an interrupted copy never leaves half a database that later starts
// would take for the user's own and never replace.
bool copyDatabase(const std::string& source, const std::string& target, const MessageSink& show)
{
    if (const std::error_code ec = CopyTemplateDatabase(source, target)) {
        show({ShellMessage::Icon::Critical,
              Msg("Impossibile copiare il database %1 in %2.", {source, target}) + "\n\n" +
                  SystemErrorText(ec)});
        return false;
    }
    return true;
}

// A folder key of section "Percorsi": "0" means not chosen yet, so the default is used and written back.
std::string folderSetting(const IniManager& ini, const char* key, const std::string& defaultFolder,
                          const MessageSink& show)
{
    const std::string value = ini.getValue(key, "0");
    if (value != "0") return WithTrailingSlash(value);
    if (!ini.setValue(key, defaultFolder))
        show({ShellMessage::Icon::Warning,
              Msg("Impossibile scrivere la chiave %1 nel file %2", {key, ini.fileName()})});
    return defaultFolder;
}

// The study-file and backup folders are useful but not vital: their faults are shown and the start goes on.
void prepareWorkFolder(const std::string& folder, const MessageSink& show)
{
    if (CreaCartella(folder, kFolderRights, show)) VerificaCartella(folder, kFolderRights, show);
}

bool prepareDocumentsFolder(const std::string& folder, const MessageSink& show)
{
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        show({ShellMessage::Icon::Critical,
              UnexpectedErrorText("CreaCartella", ec ? ec : std::make_error_code(std::errc::file_exists),
                                  WithTrailingSlash(folder))});
        return false;
    }
    return true;
}

}  // namespace

bool CreaIni(const std::string& iniPath, const MessageSink& show)
{
    std::ofstream out(iniPath, std::ios::binary | std::ios::trunc);
    if (out) {
        out << kDefaultIniText;
        out.flush();
    }
    if (!out) {
        const int err = errno != 0 ? errno : EIO;
        show({ShellMessage::Icon::Critical,
              UnexpectedErrorText("CreaIni", {err, std::generic_category()}, iniPath)});
        return false;
    }
    return true;
}

StartupResult RunStartupConfiguration(const StartupPaths& paths, const MessageSink& show)
{
    StartupResult result;
    AppSettings& s = result.settings;
    const std::string base = WithTrailingSlash(paths.documentsFolder) + kDataFolderName;
    s.baseFolder = base;

    if (paths.createDocumentsFolder && !prepareDocumentsFolder(paths.documentsFolder, show)) return result;
    if (!prepareFolder(base, show)) return result;

    s.iniPath = base + kIniFileName;
    std::error_code ec;
    if (!fs::exists(s.iniPath, ec)) {
        errno = 0;
        if (!CreaIni(s.iniPath, show)) return result;
    }

    const std::string dbFolder = base + kDatabaseFolderName;
    if (!prepareFolder(dbFolder, show)) return result;

    s.databasePath = dbFolder + kDatabaseFileName;
    s.templateDatabasePath = WithTrailingSlash(paths.programFolder) + kDatabaseFolderName + kDatabaseFileName;
    if (!fs::exists(s.databasePath, ec)) {
        if (!copyDatabase(s.templateDatabasePath, s.databasePath, show)) return result;
        if (!CanWriteFile(s.databasePath)) {
            show({ShellMessage::Icon::None, s.databasePath + ": " + Msg("Permessi insufficienti")});
            return result;
        }
    }

    try {
        const IniManager paths_ini(s.iniPath, "Percorsi");
        s.openSaveFolder = folderSetting(paths_ini, "OpenSave", base + "Doc/", show);
        s.backupFolder = folderSetting(paths_ini, "Backup", base + "Backup/", show);
        const IniManager parameters(s.iniPath, "Parametri");
        s.bkAutoSave = parameters.getValue("BkAutoSave", "0");
    } catch (const IniError& e) {
        show({ShellMessage::Icon::Critical, e.what()});
        return result;
    }

    prepareWorkFolder(s.openSaveFolder, show);
    prepareWorkFolder(s.backupFolder, show);
    // the trail's folder is not vital to the start either: without it every save is refused and says why
    prepareWorkFolder(base + kAuditFolderName, show);

    // A damaged database is left to the caller, which can offer to replace it.
    result.database = CheckReportDatabase(s.databasePath);
    if (result.database.state == DatabaseCheck::State::Damaged) {
        result.ok = true;
        return result;
    }
    // The logo only decorates reports: a database that cannot be read here is reported, and printing
    // will report it again when it needs the database.
    try {
        ReportDatabase db(s.databasePath, ReportDatabase::Mode::ReadOnly);
        s.logoPath = db.companyLogoPath();
    } catch (const std::exception& e) {
        show({ShellMessage::Icon::Warning, e.what()});
    }

    result.ok = true;
    return result;
}

}  // namespace kestra
