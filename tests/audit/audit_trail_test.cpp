// The audit trail: the hash chain and its verification against direct edits of audit.db, the field changes
// of real saves, the save that cannot be recorded, the file changed outside the program, kestra-cli audit.
#include "audit/audit_trail.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "audit/sha256.h"
#include "audit/audit_export.h"
#include "audit/sqlite_audit_store.h"
#include "cli/cli_commands.h"
#include "dossier/evaluation.h"
#include "framework/document_commands.h"
#include "framework/audited_save.h"
#include "framework/services.h"
#include "framework/study_changes.h"
#include "reporting/f_table.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

using test::TempDir;

AuditEntry entryFor(const std::string& action, const std::string& path)
{
    AuditEntry e;
    e.action = action;
    e.objectPath = path;
    e.changes = {{"Riga 1, colonna 1", "1.000", "2.000"}};
    return e;
}

// Installs a trail on a scratch audit.db for the test's life.
class TrailFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        trail = std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(dbPath()),
                                             UserIdentity{"mrossi", "Mario Rossi", "lab-01"});
        SetAuditTrail(trail);
    }
    void TearDown() override { SetAuditTrail(nullptr); }
    std::filesystem::path dbPath() const { return dir / "audit.db"; }
    std::vector<AuditEntry> entries() const { return trail->store().entries(); }
    // Runs SQL on the file as someone with a database tool would: the guarding triggers dropped first.
    void tamper(const std::string& sql) const
    {
        SQLite::Database db(dbPath().string(), SQLite::OPEN_READWRITE);
        db.exec("DROP TRIGGER entries_no_update; DROP TRIGGER entries_no_delete;");
        db.exec(sql);
    }
    void typeData()
    {
        study.setHeader(0, "HPLC");
        for (int r = 0; r < 5; ++r) study.grid().setCell(r, 0, r + 1.0);
        study.grid().setChanged(true);
    }

    TempDir dir;
    std::shared_ptr<AuditTrail> trail;
    LimitsStudy study;
    test::ScriptedPrompts prompts;
    DocumentCommands commands{study, prompts};
};

TEST_F(TrailFixture, EntriesAreChainedAndStampedWithTheUser)
{
    for (int i = 0; i < 3; ++i) trail->record(entryFor(audit_action::kSaved, "/x/a.LIM"));
    const auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].sequence, 1);
    EXPECT_EQ(list[0].previousHash, "");
    EXPECT_EQ(list[2].previousHash, list[1].hash);
    EXPECT_EQ(list[1].hash, EntryHash(list[1]));
    EXPECT_EQ(list[1].fullName, "Mario Rossi");
    EXPECT_EQ(list[1].login, "mrossi");
    EXPECT_EQ(list[1].host, "lab-01");
    EXPECT_EQ(list[1].programVersion, KESTRA_VERSION);
    EXPECT_EQ(list[1].utcTime.size(), 20u);
    EXPECT_EQ(list[1].changes, entryFor("", "").changes);
    EXPECT_TRUE(trail->store().verify().ok);
}

TEST_F(TrailFixture, TheDatabaseRefusesUpdatesAndDeletes)
{
    trail->record(entryFor(audit_action::kSaved, "/x/a.LIM"));
    SQLite::Database db(dbPath().string(), SQLite::OPEN_READWRITE);
    EXPECT_THROW(db.exec("UPDATE entries SET reason = 'x'"), SQLite::Exception);
    EXPECT_THROW(db.exec("DELETE FROM entries"), SQLite::Exception);
    SQLite::Statement mode(db, "PRAGMA journal_mode");
    ASSERT_TRUE(mode.executeStep());
    EXPECT_EQ(mode.getColumn(0).getString(), "wal");
}

struct TamperCase {
    const char* name;
    const char* sql;
    std::int64_t entry;  // the entry the verification must name
};

class TamperTest : public TrailFixture, public ::testing::WithParamInterface<TamperCase> {};

TEST_P(TamperTest, VerificationNamesTheFirstEntryTouched)
{
    for (int i = 0; i < 5; ++i)
        trail->record(entryFor(audit_action::kSaved, "/x/" + std::to_string(i) + ".LIM"));
    tamper(GetParam().sql);
    const ChainCheck check = SqliteAuditStore(dbPath(), SqliteAuditStore::Mode::ReadOnly).verify();
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.entry, GetParam().entry);
    EXPECT_NE(check.message.find("Voce " + std::to_string(GetParam().entry)), std::string::npos)
        << check.message;
}

INSTANTIATE_TEST_SUITE_P(
    DirectEdits, TamperTest,
    ::testing::Values(
        TamperCase{"EditedValue",
                   "UPDATE entries SET changes = '[[\"Riga 1, colonna 1\",\"1.000\",\"9.000\"]]' "
                   "WHERE seq = 3",
                   3},
        TamperCase{"EditedReason", "UPDATE entries SET reason = 'errore di battitura' WHERE seq = 2", 2},
        TamperCase{"Deleted", "DELETE FROM entries WHERE seq = 4", 4},
        // an entry slipped in between, the later ones renumbered so the sequence has no gap
        TamperCase{
            "Inserted",
            "UPDATE entries SET seq = seq + 10 WHERE seq >= 3; UPDATE entries SET seq = seq - 9 WHERE seq "
            ">= 13; INSERT INTO entries SELECT 3, utc, local, login, full_name, host, version, build, "
            "action, '/x/falso.LIM', kind, old_path, sha_before, sha_after, changes, omitted, reason, "
            "detail, hash, hash FROM entries WHERE seq = 2",
            3},
        TamperCase{"ForgedHash", "UPDATE entries SET hash = 'abc' WHERE seq = 1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldChanges, ComparesPlacesAsWritten)
{
    const std::vector<FileField> before = {{"Campo 1", "HPLC"},
                                           {"Dimensione 1", "10"},
                                           {"Riga 1, colonna 1", "1.0"},
                                           {"Riga 10, colonna 1", "4.0"},
                                           {"Campo 2", ""}};
    const std::vector<FileField> after = {
        {"Campo 1", "GC"}, {"Dimensione 1", "9"}, {"Riga 1, colonna 1", "1.0"},
        {"Campo 2", ""},   {"Campo 3", ""},       {"Opzione 1", "Vero"}};
    const std::vector<FieldChange> expected = {{"Campo 1", "HPLC", "GC"},
                                               {"Dimensione 1", "10", "9"},
                                               {"Opzione 1", "", "Vero"},
                                               {"Riga 10, colonna 1", "4.0", ""}};
    EXPECT_EQ(FieldChanges(before, after), expected);
}

TEST(FieldChanges, PlacesAreNamedFromTheFileSkeleton)
{
    const std::string file =
        "Kestra for Windows\r\n3\r\n2\r\n1\r\nHPLC\r\n12\r\nVero\r\n 1,0.50,NIL      \r\n"
        "2,0.75,1.00\r\n 1,9.00\r\n";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Cifre intere", "3"},         {"Cifre decimali", "2"},
        {"Campo 1", "HPLC"},           {"Dimensione 1", "12"},
        {"Opzione 1", "Vero"},         {"Riga 1, colonna 1", "0.50"},
        {"Riga 1, colonna 2", "NIL"},  {"Riga 2, colonna 1", "0.75"},
        {"Riga 2, colonna 2", "1.00"}, {"Griglia 2, riga 1, colonna 1", "9.00"}};
    std::vector<std::pair<std::string, std::string>> fields;
    for (const FileField& f : StudyFileFields(file)) fields.emplace_back(f.what, f.value);
    EXPECT_EQ(fields, expected);
}

TEST_F(TrailFixture, RealSavesRecordCreationSavesAndSaveAsWithTheirFieldChanges)
{
    typeData();
    const auto first = dir / "a.LIM";
    prompts.savePaths = {first};
    ASSERT_TRUE(commands.saveStudyFile());
    study.grid().setCell(2, 0, 7.5);
    study.setHeader(0, "GC");
    study.grid().setChanged(true);
    ASSERT_TRUE(commands.saveStudyFile());
    const auto second = dir / "b.LIM";
    prompts.savePaths = {second};
    ASSERT_TRUE(commands.saveStudyFileAs());

    const auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].action, audit_action::kCreated);
    EXPECT_EQ(list[0].sha256Before, "");
    EXPECT_EQ(list[1].action, audit_action::kSaved);
    EXPECT_EQ(list[1].sha256Before, list[0].sha256After);
    EXPECT_EQ(list[1].sha256After, Sha256OfFile(first));
    const std::vector<FieldChange> expected = {{"Campo 1", "HPLC", "GC"},
                                               {"Riga 3, colonna 1", "3.000", "7.500"}};
    EXPECT_EQ(list[1].changes, expected);
    EXPECT_EQ(list[2].action, audit_action::kSavedAs);
    EXPECT_EQ(list[2].oldPath, first.string());
    EXPECT_EQ(list[2].objectPath, second.string());
    EXPECT_TRUE(list[2].changes.empty());
    EXPECT_EQ(list[0].objectKind, "LIM");
}

TEST_F(TrailFixture, ChangesBeyondTheLimitAreCounted)
{
    AuditEntry e = entryFor(audit_action::kSaved, "/x/a.LIM");
    e.changes.assign(kMaxFieldChanges + 25, {"Riga", "1", "2"});
    trail->record(e);
    const auto list = entries();
    EXPECT_EQ(list[0].changes.size(), kMaxFieldChanges);
    EXPECT_EQ(list[0].omittedChanges, 25);
    EXPECT_TRUE(trail->store().verify().ok);
}

TEST_F(TrailFixture, ASaveThatCannotBeRecordedFailsAndLeavesTheFileAsItWas)
{
    typeData();
    const auto file = dir / "a.LIM";
    prompts.savePaths = {file};
    ASSERT_TRUE(commands.saveStudyFile());
    const std::string before = test::readFile(file);
    // a trail whose database became read-only (a full disk or a lost share behaves the same)
    SetAuditTrail(std::make_shared<AuditTrail>(
        std::make_unique<SqliteAuditStore>(dbPath(), SqliteAuditStore::Mode::ReadOnly),
        UserIdentity{"u", "u", "h"}));
    study.grid().setCell(0, 0, 99.0);
    study.grid().setChanged(true);
    EXPECT_FALSE(commands.saveStudyFile());
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_TRUE(study.isModified());
    EXPECT_NE(prompts.lastMessage().find("Il file non è stato salvato"), std::string::npos)
        << prompts.lastMessage();
    EXPECT_EQ(entries().size(), 1u);
}

TEST_F(TrailFixture, AFileChangedOutsideTheProgramIsRecordedAndSaidOnOpening)
{
    typeData();
    const auto file = dir / "a.LIM";
    prompts.savePaths = {file};
    ASSERT_TRUE(commands.saveStudyFile());
    ASSERT_TRUE(commands.openStudyFile(file));
    EXPECT_EQ(entries().size(), 1u);  // unchanged: nothing to say
    std::string text = test::readFile(file);
    text.replace(text.find("HPLC"), 4, "UPLC");
    test::writeFile(file, text);
    prompts.messages.clear();
    ASSERT_TRUE(commands.openStudyFile(file));
    EXPECT_EQ(std::count_if(prompts.messages.begin(), prompts.messages.end(),
                            [](const auto& m) { return m.text == kChangedOutsideText; }),
              1);
    const auto list = entries();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].action, audit_action::kChangedOutside);
    EXPECT_EQ(list[1].sha256Before, list[0].sha256After);
    EXPECT_EQ(list[1].sha256After, Sha256Hex(text));
}

TEST_F(TrailFixture, AnOpeningWithReadingWarningsIsRecorded)
{
    const auto file = dir / "odd.LIM";
    test::writeFile(
        file,
        "Kestra for Windows\r\n3\r\n3\r\n2\r\nm\r\na\r\nu\r\ns\r\n\r\n5\r\nForse\r\n 1,1\r\n2,2\r\n"
        "3,3\r\n4,4\r\n5,5\r\n");
    ASSERT_TRUE(commands.openStudyFile(file));
    const auto list = entries();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].action, audit_action::kOpenedWithWarnings);
    EXPECT_NE(list[0].detail.find("Forse"), std::string::npos) << list[0].detail;
}

TEST_F(TrailFixture, KestraCliAuditListsFiltersAndVerifies)
{
    trail->record(entryFor(audit_action::kSaved, "/x/a.LIM"));
    trail->record(entryFor(audit_action::kSaved, "/x/b.LIM"));
    cli::AuditOptions options;
    options.trail = dbPath();
    options.file = "/x/b.LIM";
    options.json = true;
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunAudit(options, out, err), 0);
    const auto json = nlohmann::json::parse(out.str());
    ASSERT_EQ(json.size(), 1u);
    EXPECT_EQ(json[0]["sequence"], 2);
    EXPECT_EQ(json[0]["changes"][0]["new"], "2.000");

    options = {};
    options.trail = dbPath();
    options.verify = true;
    EXPECT_EQ(cli::RunAudit(options, out, err), 0);
    tamper("UPDATE entries SET login = 'altro' WHERE seq = 2");
    std::ostringstream err1;
    EXPECT_EQ(cli::RunAudit(options, out, err1), 1);
    EXPECT_NE(err1.str().find("Voce 2"), std::string::npos) << err1.str();

    options.from = "2026-02-30";
    EXPECT_EQ(cli::RunAudit(options, out, err), 2);
    options = {};
    options.trail = dir / "manca.db";
    EXPECT_EQ(cli::RunAudit(options, out, err), 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "manca.db"));  // reading never creates the trail
}

TEST_F(TrailFixture, ValidateRecordsTheEvaluationTheRecordedDossierAndItsReport)
{
    std::filesystem::copy(std::filesystem::path(KESTRA_SOURCE_DIR) / "examples" / "dossier", dir / "d",
                          std::filesystem::copy_options::recursive);
    SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    cli::ValidateOptions o;
    o.file = dir / "d" / "convalida_paracetamolo.kvd";
    o.record = true;
    o.output = dir / "d.pdf";
    std::ostringstream out, err;
    std::istringstream in;
    // the report's writer stands in for the renderer's
    ASSERT_EQ(cli::RunValidate(o, out, err, in, [](const Dossier&, const DossierEvaluation&) {}), 0) << err.str();
    const auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].action, audit_action::kEvaluated);
    EXPECT_EQ(list[0].detail, "Esito: Conforme");
    EXPECT_EQ(list[1].action, audit_action::kSaved);
    EXPECT_EQ(list[1].sha256After, Sha256OfFile(o.file));
    // the recorded evaluation is listed by its paths in the file
    EXPECT_TRUE(std::any_of(list[1].changes.begin(), list[1].changes.end(),
                            [](const FieldChange& c) { return c.what == "evaluated.verdict" && c.newValue == "pass"; }));
    EXPECT_EQ(list[2].action, audit_action::kExported);
    EXPECT_EQ(list[2].detail, "kestra-cli: " + TrailPath(dir / "d.pdf"));
}

TEST(AuditExport, CsvQuotesCellsAndListsChangesOnePerLine)
{
    AuditEntry e = entryFor(audit_action::kSaved, "/x/a,b.LIM");
    e.changes.push_back({"Campo 1", "say \"hi\"", ""});
    const std::string csv = AuditCsv({e});
    EXPECT_NE(csv.find("\"/x/a,b.LIM\""), std::string::npos);
    // the change text is Campo 1: "say "hi"" → "" and every quote in it doubled
    EXPECT_NE(csv.find("\"Riga 1, colonna 1: \"\"1.000\"\" → \"\"2.000\"\"\nCampo 1: \"\"say "
                       "\"\"hi\"\"\"\" → \"\"\"\"\","),
              std::string::npos)
        << csv;
}

TEST(UserIdentity, FullNameIsTheFirstGecosFieldElseTheLogin)
{
    EXPECT_EQ(FullNameFromGecos("Mario Rossi,Lab 2,,", "mrossi"), "Mario Rossi");
    EXPECT_EQ(FullNameFromGecos("  Anna Bianchi ", "ab"), "Anna Bianchi");
    EXPECT_EQ(FullNameFromGecos(",,,", "ab"), "ab");
    EXPECT_EQ(FullNameFromGecos("", "ab"), "ab");
    EXPECT_FALSE(CurrentUserIdentity().login.empty());
}

TEST(TrailDates, OnlyCalendarDatesInIsoForm)
{
    EXPECT_TRUE(IsTrailDate("2024-02-29"));
    EXPECT_FALSE(IsTrailDate("2023-02-29"));
    EXPECT_FALSE(IsTrailDate("2024-2-29"));
    EXPECT_FALSE(IsTrailDate("29/02/2024"));
}

}  // namespace
}  // namespace kestra
