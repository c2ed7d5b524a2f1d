// The report database check: every form of damage named in Italian, the damaged file set aside (never
// deleted) with its journal, the template in its place, and the question that leads there.
#include "reporting/report_database_check.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <set>

#include "framework/scripted_prompts.h"
#include "reporting/report_database.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;
using State = DatabaseCheck::State;

void execute(const fs::path& database, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::string templateBytes()
{
    return test::readFile(KESTRA_TEMPLATE_DB);
}

struct DamageCase {
    const char* name;
    std::function<void(const fs::path&)> make;
    State state;
    const char* problem;
};

class DamagedDatabaseTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedDatabaseTest, IsNamedInItalian)
{
    test::TempDir dir;
    const fs::path db = dir / "KESTRA73.MDB";
    GetParam().make(db);
    const DatabaseCheck check = CheckReportDatabase(db);
    EXPECT_EQ(check.state, GetParam().state);
    // damage found by the integrity check may say more after the problem's name
    EXPECT_EQ(check.problem.rfind(GetParam().problem, 0), 0u) << check.problem;
    if (GetParam().state == State::Usable) {
        EXPECT_EQ(check.problem, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DamagedDatabaseTest,
    ::testing::Values(DamageCase{"template", [](const fs::path& p) { fs::copy_file(KESTRA_TEMPLATE_DB, p); },
                                 State::Usable, ""},
                      DamageCase{"missing", [](const fs::path&) {}, State::Missing, "il file non esiste"},
                      DamageCase{"empty", [](const fs::path& p) { test::writeFile(p, ""); }, State::Damaged,
                                 "il file è vuoto"},
                      DamageCase{"text",
                                 [](const fs::path& p) { test::writeFile(p, std::string(5000, 'x')); },
                                 State::Damaged, "il contenuto del file non è quello di un database"},
                      // half the file: the pages the header counts are not there
                      DamageCase{"cut",
                                 [](const fs::path& p) {
                                     const std::string bytes = templateBytes();
                                     test::writeFile(p, bytes.substr(0, bytes.size() / 2));
                                 },
                                 State::Damaged, "il file è danneggiato"},
                      // a page of the F table overwritten
                      DamageCase{"overwritten",
                                 [](const fs::path& p) {
                                     std::string bytes = templateBytes();
                                     std::fill(bytes.begin() + 8192, bytes.begin() + 12288, '\xA5');
                                     test::writeFile(p, bytes);
                                 },
                                 State::Damaged, "il file è danneggiato"},
                      DamageCase{"no tables",
                                 [](const fs::path& p) { execute(p, "CREATE TABLE Altro (x INTEGER)"); },
                                 State::Damaged, "il file non contiene le tabelle dei report"},
                      DamageCase{"no company table",
                                 [](const fs::path& p) {
                                     fs::copy_file(KESTRA_TEMPLATE_DB, p);
                                     execute(p, "DROP TABLE Anagrafica");
                                 },
                                 State::Damaged, "manca la tabella Anagrafica"},
                      DamageCase{"folder", [](const fs::path& p) { fs::create_directory(p); },
                                 State::Unreadable, "non è un file ma una cartella o un dispositivo"}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(ReportDatabaseCheck, TheTablesAreThoseOfTheTemplate)
{
    std::set<std::string> listed(std::begin(kReportDatabaseTables), std::end(kReportDatabaseTables));
    std::set<std::string> shipped;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(KESTRA_TEMPLATE_DB, &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &query, nullptr);
    while (sqlite3_step(query) == SQLITE_ROW)
        shipped.insert(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
    sqlite3_finalize(query);
    sqlite3_close(db);
    EXPECT_EQ(listed, shipped);
}

TEST(ReportDatabaseCheck, TheDamagedFileIsSetAsideWithItsJournal)
{
    test::TempDir dir;
    const fs::path db = dir / "KESTRA73.MDB";
    test::writeFile(db, "rovinato");
    test::writeFile(db.string() + "-journal", "giornale");
    // 10 December 2026 at noon: the stamp is local time, so only its shape is checked
    const auto when = std::chrono::system_clock::from_time_t(1796904000);
    const fs::path aside = SetAsideReportDatabase(db, KESTRA_TEMPLATE_DB, when);
    EXPECT_EQ(aside.parent_path(), dir.path());
    EXPECT_EQ(aside.filename().string().rfind("KESTRA73.MDB.danneggiato-2026-12-", 0), 0u) << aside;
    EXPECT_EQ(test::readFile(aside), "rovinato");
    EXPECT_EQ(test::readFile(aside.string() + "-journal"), "giornale");
    EXPECT_FALSE(fs::exists(db.string() + "-journal"));  // a journal beside the new file would be replayed
    EXPECT_EQ(test::readFile(db), templateBytes());
    EXPECT_EQ(CheckReportDatabase(db).state, State::Usable);

    // again within the same second: another name, the first one kept
    test::writeFile(db, "ancora");
    const fs::path second = SetAsideReportDatabase(db, KESTRA_TEMPLATE_DB, when);
    EXPECT_EQ(second.string(), aside.string() + "-2");
    EXPECT_EQ(test::readFile(aside), "rovinato");
    EXPECT_EQ(test::readFile(second), "ancora");

    // nothing there: nothing set aside, the template copied
    fs::remove(db);
    EXPECT_EQ(SetAsideReportDatabase(db, KESTRA_TEMPLATE_DB), fs::path());
    EXPECT_EQ(test::readFile(db), templateBytes());
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 4u);  // the database, the two set aside and the first one's journal: no temporary left
}

TEST(ReportDatabaseCheck, AnUnusableTemplateChangesNothing)
{
    test::TempDir dir;
    const fs::path db = dir / "KESTRA73.MDB";
    test::writeFile(db, "rovinato");
    test::writeFile(dir / "modello.MDB", "");
    try {
        SetAsideReportDatabase(db, dir / "modello.MDB");
        ADD_FAILURE() << "no error";
    } catch (const ReportDatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("il database del programma"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("il file è vuoto"), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::readFile(db), "rovinato");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(ReportDatabaseCheck, TheUserIsAskedBeforeAnythingChanges)
{
    test::TempDir dir;
    const fs::path db = dir / "KESTRA73.MDB";
    test::ScriptedPrompts prompts;

    fs::copy_file(KESTRA_TEMPLATE_DB, db);
    EXPECT_TRUE(EnsureUsableReportDatabase(db, KESTRA_TEMPLATE_DB, prompts));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.messages.empty());

    test::writeFile(db, "");
    prompts.answers = {Answer::No};
    EXPECT_FALSE(EnsureUsableReportDatabase(db, KESTRA_TEMPLATE_DB, prompts));
    ASSERT_EQ(prompts.questions.size(), 1u);
    const std::string& question = prompts.questions[0].text;
    EXPECT_EQ(prompts.questions[0].icon, MessageIcon::Warning);
    EXPECT_EQ(question.rfind(
                  "Il database dei report\n" + db.string() + "\nnon è utilizzabile: il file è vuoto.", 0),
              0u)
        << question;
    EXPECT_NE(question.find("non cancellato"), std::string::npos);
    EXPECT_NE(question.find("i dati dell'azienda (File > Anagrafica Azienda) andranno inseriti di nuovo"),
              std::string::npos);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(test::readFile(db), "");

    prompts.answers = {Answer::Yes};
    EXPECT_TRUE(EnsureUsableReportDatabase(db, KESTRA_TEMPLATE_DB, prompts));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Information);
    EXPECT_NE(prompts.messages[0].text.find(db.string() + ".danneggiato-"), std::string::npos);
    EXPECT_EQ(CheckReportDatabase(db).state, State::Usable);

    // a missing or unreadable file is not offered for replacement: the step opening it says what is wrong
    fs::remove(db);
    EXPECT_TRUE(EnsureUsableReportDatabase(db, KESTRA_TEMPLATE_DB, prompts));
    fs::create_directory(db);
    EXPECT_TRUE(EnsureUsableReportDatabase(db, KESTRA_TEMPLATE_DB, prompts));
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.questions.size(), 2u);
}

}  // namespace
}  // namespace kestra
