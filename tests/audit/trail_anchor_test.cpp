// The anchor of the trail's newest entry: its file format, and what the verification, kestra-cli audit, the
// next append and the start say when audit.db loses or changes its newest entries, or the anchor goes
// missing, lags or is damaged. Real audit.db files edited the way someone with a database tool would.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/trail_anchor.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "app/audit_setup.h"
#include "audit/audit_trail.h"
#include "audit/sqlite_audit_store.h"
#include "cli/cli_commands.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

const std::string kHash(64, 'a');

TEST(TrailAnchorFormat, WritesWhatItReadsAndRefusesAnythingElse)
{
    const std::string magic = "Kestra audit head 1\n";
    EXPECT_EQ(TrailAnchorText({41, kHash}), magic + "sequence 41\nsha256 " + kHash + "\n");
    for (const TrailHead& head : {TrailHead{0, ""}, TrailHead{41, kHash}})
        EXPECT_EQ(ParseTrailAnchor(TrailAnchorText(head)), head);
    for (const std::string& text : {
             "Kestra audit head 2\nsequence 41\nsha256 " + kHash + "\n",
             magic + "sequence 41\nsha256 " + kHash,               // no line end
             magic + "sequence 41\nsha256 " + kHash + "\nmore\n",  // a line too many
             magic + "sequence -4\nsha256 " + kHash + "\n",
             magic + "sequence 41\nsha256 " + std::string(64, 'A') + "\n",  // not as the store writes hashes
             magic + "sequence 0\nsha256 " + kHash + "\n",                  // no entry with a hash
         })
        EXPECT_EQ(ParseTrailAnchor(text), std::nullopt) << text;
}

// A trail of five entries in a scratch folder, written by the store as the program writes it.
class AnchorFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(dir / "Audit");
        trail = std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(db()),
                                             UserIdentity{"mrossi", "Mario Rossi", "lab-01"});
        for (int i = 1; i <= 5; ++i) record("/x/" + std::to_string(i) + ".LIM");
    }
    fs::path db() const { return dir / "Audit" / "audit.db"; }
    fs::path head() const { return dir / "Audit" / "audit.head"; }
    void record(const std::string& file)
    {
        AuditEntry e;
        e.action = audit_action::kSaved;
        e.objectPath = file;
        trail->record(e);
    }
    void sql(const std::string& statements) const
    {
        SQLite::Database database(db().string(), SQLite::OPEN_READWRITE);
        database.exec("DROP TRIGGER IF EXISTS entries_no_update; DROP TRIGGER IF EXISTS entries_no_delete;");
        database.exec(statements);
    }
    void removeNewest(int count) const
    {
        sql("DELETE FROM entries WHERE seq > " + std::to_string(5 - count));
    }
    ChainCheck verify() const { return SqliteAuditStore(db(), SqliteAuditStore::Mode::ReadOnly).verify(); }
    // kestra-cli audit --verify: its exit code and everything it printed
    std::pair<int, std::string> cliVerify() const
    {
        cli::AuditOptions options;
        options.trail = db();
        options.verify = true;
        std::ostringstream out, err;
        const int code = cli::RunAudit(options, out, err);
        return {code, out.str() + err.str()};
    }
    std::string entryHash(std::int64_t sequence) const { return trail->store().entries()[sequence - 1].hash; }

    test::TempDir dir;
    std::shared_ptr<AuditTrail> trail;
};

class TruncatedTrail : public AnchorFixture, public ::testing::WithParamInterface<int> {};

TEST_P(TruncatedTrail, TheFirstMissingEntryIsNamedByTheCoreAndByKestraCli)
{
    removeNewest(GetParam());
    const std::int64_t kept = 5 - GetParam();
    const std::string first = std::to_string(kept + 1);
    const ChainCheck check = verify();
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.entry, kept + 1);
    EXPECT_EQ(check.message, "Mancano le voci dalla n. " + first + " in poi: il file di ancoraggio " +
                                 head().string() + " registra 5 voci, il registro ne contiene " +
                                 std::to_string(kept));
    const auto [code, printed] = cliVerify();
    EXPECT_EQ(code, 1);
    EXPECT_NE(printed.find("Mancano le voci dalla n. " + first + " in poi"), std::string::npos) << printed;
}

INSTANTIATE_TEST_SUITE_P(Newest, TruncatedTrail, ::testing::Values(1, 3, 5));

TEST_F(AnchorFixture, TheNewestEntryRewrittenWithAConsistentHashIsNamed)
{
    // the chain alone cannot tell: the entry's own hash is recomputed after the change
    AuditEntry last = trail->store().entries().back();
    last.reason = "aggiunto dopo";
    sql("UPDATE entries SET reason = '" + last.reason + "', hash = '" + EntryHash(last) + "' WHERE seq = 5");
    const ChainCheck check = verify();
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.entry, 5);
    EXPECT_EQ(check.message.rfind("Voce 5: diversa da quella registrata nel file di ancoraggio", 0), 0u)
        << check.message;
}

TEST_F(AnchorFixture, AnAnchorLaggingBehindTheDatabasePassesWithANoticeAndTheNextOpenCatchesUp)
{
    EXPECT_EQ(ReadTrailAnchor(head()).head, (TrailHead{5, entryHash(5)}));
    EXPECT_EQ(cliVerify(), (std::pair<int, std::string>{0, "Registro integro: 5 voci verificate\n"}));
    // the program stopped between committing entry 5 and anchoring it
    WriteTrailAnchor(head(), {4, entryHash(4)});
    const ChainCheck check = verify();
    EXPECT_TRUE(check.ok);
    EXPECT_NE(check.notice.find("registra la voce 4, il registro arriva alla voce 5"), std::string::npos)
        << check.notice;
    const auto [code, printed] = cliVerify();
    EXPECT_EQ(code, 0);
    EXPECT_NE(printed.find("la prossima voce registrata la aggiorna"), std::string::npos) << printed;

    EXPECT_EQ(SqliteAuditStore(db()).verify().notice, "");
}

TEST_F(AnchorFixture, AMissingOrDamagedAnchorFailsNamingTheAnchorFile)
{
    struct Case {
        const char* name;
        std::function<void()> damage;
        const char* said;
    };
    const Case cases[] = {
        {"deleted", [&] { fs::remove(head()); }, "manca: è stato eliminato o spostato"},
        {"garbage", [&] { test::writeFile(head(), "sequence=5\n"); },
         "non è utilizzabile: formato non riconosciuto"},
        {"oversized",
         [&] {
             test::writeFile(head(), TrailAnchorText({5, entryHash(5)}) + std::string(100'000, '\n'));
         },
         "non è utilizzabile: più grande di 4096 byte"},
        {"a folder", [&] { fs::create_directory(head()); }, "non è utilizzabile: non è un file normale"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(head());
        c.damage();
        const ChainCheck check = verify();
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.message.rfind("Il file di ancoraggio " + head().string() + " " + c.said, 0), 0u)
            << check.message;
        EXPECT_EQ(cliVerify().first, 1);
    }
}

TEST_F(AnchorFixture, ATrailOfAnEarlierVersionIsSaidUnanchoredThenAnchoredAtTheNextOpen)
{
    fs::remove(head());
    sql("PRAGMA user_version = 0");
    const auto [code, printed] = cliVerify();
    EXPECT_EQ(code, 0);
    EXPECT_NE(printed.find("non ha ancora il file di ancoraggio"), std::string::npos) << printed;

    EXPECT_EQ(SqliteAuditStore(db()).verify().notice, "");
    EXPECT_EQ(ReadTrailAnchor(head()).head, (TrailHead{5, entryHash(5)}));
    // from then on a deleted anchor is no longer taken for an old trail, and opening does not cover it up
    fs::remove(head());
    EXPECT_FALSE(SqliteAuditStore(db()).verify().ok);
    EXPECT_FALSE(fs::exists(head()));
}

TEST_F(AnchorFixture, AfterATruncationTheStartSaysSoAndTheNextEntryRecordsItFirst)
{
    removeNewest(2);
    AppSettings settings;
    settings.baseFolder = dir.path().string() + "/";
    std::vector<ShellMessage> shown;
    ASSERT_TRUE(InstallUserAuditTrail(settings, [&](const ShellMessage& m) { shown.push_back(m); }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, ShellMessage::Icon::Warning);
    EXPECT_NE(shown[0].text.find("Mancano le voci dalla n. 4 in poi"), std::string::npos) << shown[0].text;

    EXPECT_EQ(RecordFileAction(audit_action::kBackup, dir / "Backup", "", ""), "");
    SetAuditTrail(nullptr);
    const std::vector<AuditEntry> list = trail->store().entries();
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[3].action, audit_action::kTrailAnomaly);
    EXPECT_EQ(list[3].detail.rfind("Mancano le voci dalla n. 4 in poi", 0), 0u) << list[3].detail;
    EXPECT_EQ(list[3].utcTime, list[4].utcTime);
    EXPECT_EQ(list[4].action, audit_action::kBackup);
    EXPECT_EQ(ReadTrailAnchor(head()).head, (TrailHead{5, list[4].hash}));
    // the chain and the anchor agree again, but the loss stays on record and the verification keeps naming it
    const ChainCheck check = verify();
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.entry, 4);
    EXPECT_NE(check.message.find("La voce 4 registra un'anomalia"), std::string::npos) << check.message;
}

TEST_F(AnchorFixture, AnAnchorThatCannotBeWrittenLeavesTheEntryRecordedAndIsSaid)
{
    // every temporary name the writer may try is taken
    std::vector<fs::path> blocked;
    for (int attempt = 0; attempt < 100; ++attempt) {
        blocked.push_back(head().string() + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) +
                          ".tmp");
        fs::create_directory(blocked.back());
    }
    ASSERT_NO_THROW(record("/x/6.LIM"));
    EXPECT_EQ(trail->store().entries().size(), 6u);
    const ChainCheck own = trail->store().verify();
    EXPECT_TRUE(own.ok);
    EXPECT_NE(own.notice.find("Impossibile scrivere il file di ancoraggio"), std::string::npos) << own.notice;
    // another process sees the anchor lag
    EXPECT_NE(verify().notice.find("il registro arriva alla voce 6"), std::string::npos);

    for (const fs::path& p : blocked) fs::remove(p);
    record("/x/7.LIM");
    EXPECT_EQ(trail->store().verify().notice, "");
}

}  // namespace
}  // namespace kestra
