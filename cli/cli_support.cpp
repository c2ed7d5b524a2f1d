// What every kestra-cli command needs from its surroundings: the locale's separator, the program's data.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>
#include <ostream>
#include <string>

#include "app/audit_setup.h"
#include "app/startup_config.h"
#include "app/user_folders.h"
#include "cli/cli_commands.h"
#include "cli/command_line.h"
#include "audit/audit_trail.h"
#include "audit/sqlite_audit_store.h"
#include "reporting/report_pipeline.h"
#include "text/messages.h"

namespace kestra::cli {

char LocaleDecimalSeparator()
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "");
    const std::lconv* conv = std::localeconv();
    const char sep = conv && conv->decimal_point && conv->decimal_point[0] == ',' ? ',' : '.';
    std::setlocale(LC_NUMERIC, saved.c_str());
    return sep;
}

std::filesystem::path ProgramFolder()
{
    return ProgramDataFolder(ExecutableFolder());
}

std::filesystem::path UserReportDatabase(std::ostream& err, std::optional<std::string>& logoPath)
{
    const StartupPaths paths = SystemStartupPaths();
    std::string messages;
    const StartupResult result = RunStartupConfiguration(paths, [&](const ShellMessage& m) {
        if (!messages.empty()) messages += " ";
        messages += m.text;
    });
    if (!result.ok)
        throw ReportPipelineError(Msg("configurazione della cartella dei dati"),
                                  messages.empty() ? Msg("non riuscita") : messages);
    if (!messages.empty()) err << "kestra-cli: " << Msg("avviso: ") << messages << "\n";
    logoPath = result.settings.logoPath;
    return result.settings.databasePath;
}

std::shared_ptr<AuditTrail> OpenUserTrail(std::ostream& err, std::filesystem::path* trailFile)
{
    std::string messages;
    const StartupResult result = RunStartupConfiguration(SystemStartupPaths(), [&](const ShellMessage& m) {
        messages += (messages.empty() ? "" : " ") + m.text;
    });
    if (!result.ok) throw AuditError(Msg("configurazione della cartella dei dati non riuscita: %1", {messages}));
    if (!messages.empty()) err << "kestra-cli: " << Msg("avviso: ") << messages << "\n";
    const std::string path = AuditTrailPath(result.settings);
    if (trailFile) *trailFile = path;
    return std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(path), CurrentUserIdentity(),
                                        std::filesystem::path(path).parent_path());
}

int InstallCommandTrail(CommandLine& line, std::ostream& err)
{
    const bool evaluates =
        line.command == Command::Validate && line.validate.propose.empty() && !line.validate.verify;
    const bool exports = line.command == Command::Report || line.command == Command::Chart ||
                         (line.command == Command::SelfTest && !line.selfTest.output.empty());
    if (!evaluates && !exports) return 0;
    try {
        SetAuditTrail(OpenUserTrail(err));
    } catch (const AuditError& e) {
        // a dossier is never written unrecorded; what only prints or exports goes on with a warning
        if (evaluates && line.validate.record) {
            err << "kestra-cli: " << Msg("il dossier non è stato scritto: %1", {e.what()}) << "\n";
            return 2;
        }
        err << "kestra-cli: " << Msg("avviso: ")
            << Msg("il comando non entra nel registro delle modifiche: %1", {e.what()}) << "\n";
        line.report.trailFault = e.what();
    }
    return 0;
}

void RecordExport(const std::filesystem::path& file, const std::string& kind, const std::filesystem::path& output,
                  std::ostream& err)
{
    const std::string fault = RecordFileAction(audit_action::kExported, file, kind, "kestra-cli: " + TrailPath(output));
    if (!fault.empty()) err << "kestra-cli: " << Msg("avviso: ") << fault << "\n";
}

}  // namespace kestra::cli
