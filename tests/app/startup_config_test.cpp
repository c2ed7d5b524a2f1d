#include "app/startup_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/ini_manager.h"
#include "reporting/report_database.h"
#include "test_support.h"

using namespace kestra;
using kestra::test::readFile;
using kestra::test::TempDir;
using kestra::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct Startup {
    TempDir dir;
    std::vector<ShellMessage> shown;
    StartupPaths paths;

    Startup()
    {
        fs::create_directories(dir / "home");
        paths.documentsFolder = (dir / "home").string();
        paths.programFolder = fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path().string();
    }
    std::string base() const { return (dir / "home").string() + "/Kestra2006/"; }
    StartupResult run()
    {
        shown.clear();
        return RunStartupConfiguration(paths, [this](const ShellMessage& m) { shown.push_back(m); });
    }
};

}  // namespace

TEST(StartupConfiguration, FirstStartCreatesEverythingAndWritesFullPaths)
{
    Startup s;
    const StartupResult r = s.run();
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(s.shown.empty());
    const std::string base = s.base();
    for (const char* sub : {"", "DB/", "Doc/", "Backup/"}) EXPECT_TRUE(fs::is_directory(base + sub)) << sub;
    EXPECT_TRUE(fs::is_regular_file(base + "DB/KESTRA73.MDB"));
    EXPECT_EQ(readFile(base + "KesSet.ini"), "[Percorsi]\nOpenSave=" + base + "Doc/\nBackup=" + base +
                                                 "Backup/\n[Parametri]\nBkAutoSave=0\n");
    EXPECT_EQ(r.settings.baseFolder, base);
    EXPECT_EQ(r.settings.databasePath, base + "DB/KESTRA73.MDB");
    EXPECT_EQ(r.settings.openSaveFolder, base + "Doc/");
    EXPECT_EQ(r.settings.backupFolder, base + "Backup/");
    EXPECT_EQ(r.settings.bkAutoSave, "0");
    EXPECT_FALSE(r.settings.autoBackup());
    EXPECT_EQ(r.settings.logoPath, "");
}

TEST(StartupConfiguration, CreatesTheDefaultIniWithExactlyFiveLines)
{
    TempDir dir;
    const auto ini = (dir / "KesSet.ini").string();
    writeFile(ini, "garbage that is replaced");
    ASSERT_TRUE(CreaIni(ini, [](const ShellMessage&) {}));
    EXPECT_EQ(readFile(ini), "[Percorsi]\nOpenSave=0\nBackup=0\n[Parametri]\nBkAutoSave=0\n");
}

TEST(StartupConfiguration, AVanishedStudyFolderIsCreatedAgainAndUsed)
{
    Startup s;
    ASSERT_TRUE(s.run().ok);
    const std::string gone = (s.dir / "home" / "Studi").string();  // no trailing slash: one is added
    ASSERT_TRUE(IniManager(s.base() + "KesSet.ini", "Percorsi").setValue("OpenSave", gone));
    ASSERT_TRUE(IniManager(s.base() + "KesSet.ini", "Parametri").setValue("BkAutoSave", "1"));

    const StartupResult r = s.run();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.settings.openSaveFolder, gone + "/");
    EXPECT_TRUE(fs::is_directory(gone));
    EXPECT_TRUE(r.settings.autoBackup());
    EXPECT_EQ(IniManager(s.base() + "KesSet.ini", "Percorsi").getValue("OpenSave", "0"), gone)
        << "a chosen folder is not rewritten";
}

TEST(StartupConfiguration, AStudyFolderThatCannotBeMadeIsReportedAndTheStartGoesOn)
{
    Startup s;
    ASSERT_TRUE(s.run().ok);
    const std::string deep = (s.dir / "home" / "no" / "such" / "Doc/").string();
    ASSERT_TRUE(IniManager(s.base() + "KesSet.ini", "Percorsi").setValue("OpenSave", deep));
    const StartupResult r = s.run();
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(s.shown.size(), 1u);
    EXPECT_EQ(s.shown[0].icon, ShellMessage::Icon::Critical);
    EXPECT_EQ(s.shown[0].text.rfind("Errore 76 nella procedura DEFINE.CreaCartella.\n\n", 0), 0u)
        << s.shown[0].text;
}

TEST(StartupConfiguration, TheUsersDatabaseIsNeverOverwrittenAndItsLogoIsRead)
{
    Startup s;
    ASSERT_TRUE(s.run().ok);
    const std::string db = s.base() + "DB/KESTRA73.MDB";
    {
        ReportDatabase rdb(db, ReportDatabase::Mode::ReadWrite);
        CompanyData company = rdb.readAnagrafica();
        company.logoPath = "/loghi/azienda.png";
        company.noLogoFlag = 0;
        rdb.writeAnagrafica(company);
    }
    const StartupResult r = s.run();
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.settings.logoPath, "/loghi/azienda.png");

    // Not even a damaged copy is replaced here: the start goes on and leaves it to the program, which asks
    writeFile(db, "not a database");
    const StartupResult damaged = s.run();
    EXPECT_TRUE(damaged.ok);
    EXPECT_EQ(readFile(db), "not a database");
    EXPECT_TRUE(s.shown.empty());
    EXPECT_EQ(damaged.database.state, DatabaseCheck::State::Damaged);
    EXPECT_EQ(fs::path(damaged.settings.templateDatabasePath), fs::path(KESTRA_TEMPLATE_DB));
}

TEST(StartupConfiguration, AnEmptyKeyEndsTheStart)
{
    Startup s;
    ASSERT_TRUE(s.run().ok);
    writeFile(s.base() + "KesSet.ini", "[Percorsi]\nOpenSave=\nBackup=0\n[Parametri]\nBkAutoSave=0\n");
    EXPECT_FALSE(s.run().ok);
    ASSERT_EQ(s.shown.size(), 1u);
    EXPECT_EQ(s.shown[0].text, "Errore nella lettura della chiave OpenSave");
}

TEST(StartupConfiguration, UnusableDataFoldersEndTheStart)
{
    {
        Startup s;  // documents folder missing: the parent of the data folder is not there
        s.paths.documentsFolder = (s.dir / "nobody").string();
        EXPECT_FALSE(s.run().ok);
        ASSERT_EQ(s.shown.size(), 1u);
        EXPECT_EQ(s.shown[0].text,
                  "Errore 76 nella procedura DEFINE.CreaCartella.\n\nImpossibile trovare il "
                  "percorso: " +
                      (s.dir / "nobody").string() + "/Kestra2006/");
        EXPECT_FALSE(fs::exists(s.dir / "nobody")) << "a folder the user named is not made up";
    }
    {
        Startup s;  // a file holds the database folder's name: it cannot be entered
        fs::create_directories(s.dir / "home" / "Kestra2006");
        writeFile(s.dir / "home" / "Kestra2006" / "DB", "x");
        EXPECT_FALSE(s.run().ok);
        ASSERT_EQ(s.shown.size(), 1u);
        EXPECT_EQ(s.shown[0].text, "Permessi insufficienti per la cartella " + s.base() + "DB/");
    }
    {
        Startup s;  // no template database next to the program
        s.paths.programFolder = (s.dir / "prog").string();
        EXPECT_FALSE(s.run().ok);
        ASSERT_EQ(s.shown.size(), 1u);
        EXPECT_EQ(s.shown[0].text.rfind("Impossibile copiare il database ", 0), 0u);
        EXPECT_FALSE(fs::exists(s.base() + "DB/KESTRA73.MDB"));
        EXPECT_FALSE(fs::exists(s.base() + "DB/KESTRA73.MDB.tmp"));
    }
}

TEST(StartupConfiguration, AReadOnlyTemplateGivesAWritableCopy)
{
    Startup s;
    fs::create_directories(s.dir / "prog" / "DB");
    fs::copy_file(KESTRA_TEMPLATE_DB, s.dir / "prog" / "DB" / "KESTRA73.MDB");
    fs::permissions(s.dir / "prog" / "DB" / "KESTRA73.MDB", fs::perms::owner_read | fs::perms::group_read);
    s.paths.programFolder = (s.dir / "prog").string();
    ASSERT_TRUE(s.run().ok);
    const auto perms = fs::status(s.base() + "DB/KESTRA73.MDB").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

TEST(AppSettings, AutomaticBackupText)
{
    EXPECT_TRUE(AppSettings::AutoBackupOn("1"));
    EXPECT_TRUE(AppSettings::AutoBackupOn(" -1 "));
    EXPECT_TRUE(AppSettings::AutoBackupOn("Vero"));
    EXPECT_FALSE(AppSettings::AutoBackupOn("0"));
    EXPECT_FALSE(AppSettings::AutoBackupOn("si"));
    EXPECT_FALSE(AppSettings::AutoBackupOn(""));
}

TEST(StartupConfiguration, ANewAccountGetsItsDocumentsFolder)
{
    Startup s;
    s.paths.documentsFolder = (s.dir / "nuovo" / "Documenti").string();
    s.paths.createDocumentsFolder = true;
    const StartupResult r = s.run();
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(s.shown.empty());
    const fs::path base = s.dir / "nuovo" / "Documenti" / "Kestra2006";
    EXPECT_TRUE(fs::is_regular_file(base / "KesSet.ini"));
    EXPECT_TRUE(fs::is_regular_file(base / "DB" / "KESTRA73.MDB"));
    EXPECT_TRUE(fs::is_directory(base / "Doc"));
    EXPECT_TRUE(fs::is_directory(base / "Backup"));

    // A file where the documents folder should be: the start ends with a message naming the folder.
    Startup blocked;
    writeFile(blocked.dir / "Documenti", "x");
    blocked.paths.documentsFolder = (blocked.dir / "Documenti").string();
    blocked.paths.createDocumentsFolder = true;
    EXPECT_FALSE(blocked.run().ok);
    ASSERT_EQ(blocked.shown.size(), 1u);
    EXPECT_EQ(blocked.shown[0].icon, ShellMessage::Icon::Critical);
    EXPECT_EQ(blocked.shown[0].text.rfind("Errore ", 0), 0u) << blocked.shown[0].text;
    EXPECT_NE(blocked.shown[0].text.find("DEFINE.CreaCartella.\n\n"), std::string::npos);
    EXPECT_NE(blocked.shown[0].text.find(": " + (blocked.dir / "Documenti").string() + "/"),
              std::string::npos)
        << blocked.shown[0].text;
}
