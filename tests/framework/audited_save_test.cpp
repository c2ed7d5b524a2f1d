// The save path's audit: the reason asked at every save or required for signed content, a write that fails
// recorded as such, and the field changes of a JSON file (a dossier) as written.
#include "framework/audited_save.h"

#include <gtest/gtest.h>

#include "audit/audit_trail.h"
#include "audit/sha256.h"
#include "audit/signing.h"
#include "audit/sqlite_audit_store.h"
#include "framework/document_commands.h"
#include "framework/signature_command.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

class AuditedSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        trail = std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(dir / "audit.db"),
                                             UserIdentity{"mrossi", "Mario Rossi", "lab-01"});
        SetAuditTrail(trail);
        study.setHeader(0, "HPLC");
        for (int r = 0; r < 5; ++r) study.grid().setCell(r, 0, r + 1.0);
        study.grid().setChanged(true);
        prompts.savePaths = {file};
        EXPECT_TRUE(commands.saveStudyFile());
    }
    void TearDown() override
    {
        SetAuditTrail(nullptr);
        SetAskSaveReason(false);
    }
    void changeCell(double value)
    {
        study.grid().setCell(0, 0, value);
        study.grid().setChanged(true);
    }
    std::vector<AuditEntry> entries() const { return trail->store().entries(); }

    test::TempDir dir;
    std::filesystem::path file = dir / "a.LIM";
    std::shared_ptr<AuditTrail> trail;
    LimitsStudy study;
    test::ScriptedPrompts prompts;
    DocumentCommands commands{study, prompts};
};

TEST_F(AuditedSaveTest, TheOptionalReasonIsAskedOnlyWhenWantedAndCancellingSavesNothing)
{
    changeCell(9);
    ASSERT_TRUE(commands.saveStudyFile());  // off by default: no question
    EXPECT_TRUE(prompts.reasonDialogs.empty());

    SetAskSaveReason(true);
    changeCell(8);
    prompts.reasons = {std::string("correzione di trascrizione")};
    ASSERT_TRUE(commands.saveStudyFile());
    changeCell(7);
    prompts.reasons = {std::string()};  // may be left empty
    ASSERT_TRUE(commands.saveStudyFile());
    const std::string saved = test::readFile(file);
    changeCell(6);
    prompts.reasons = {std::nullopt};
    EXPECT_FALSE(commands.saveStudyFile());
    EXPECT_EQ(test::readFile(file), saved);
    EXPECT_TRUE(study.isModified());

    EXPECT_EQ(prompts.reasonDialogs, (std::vector<bool>{false, false, false}));
    const auto list = entries();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[2].reason, "correzione di trascrizione");
    EXPECT_EQ(list[3].reason, "");
}

TEST_F(AuditedSaveTest, AStudySignedInTheTrailRequiresAReasonUntilItChanges)
{
    SignaturePassword password(dir.path());
    password.set("segreto-lungo");
    ASSERT_EQ(SignFileInTrail(file.string(), "LIM", {"approved", "", "segreto-lungo"}, password, *trail),
              SignatureOutcome::Signed);
    ASSERT_EQ(TrailSignatures(*trail, file.string()).size(), 1u);
    EXPECT_TRUE(TrailSignatures(*trail, file.string())[0].valid);

    changeCell(9);
    prompts.reasons = {std::string("  ")};  // blanks are no reason: nothing is written
    const std::string signedText = test::readFile(file);
    EXPECT_FALSE(commands.saveStudyFile());
    EXPECT_EQ(test::readFile(file), signedText);
    prompts.reasons = {std::string("valore errato corretto")};
    ASSERT_TRUE(commands.saveStudyFile());
    // the signed content is gone: the next save asks nothing
    changeCell(8);
    ASSERT_TRUE(commands.saveStudyFile());
    EXPECT_EQ(prompts.reasonDialogs, (std::vector<bool>{true, true}));
    EXPECT_FALSE(TrailSignatures(*trail, file.string())[0].valid);
    // opening the changed file says that its signature no longer holds
    prompts.messages.clear();
    ASSERT_TRUE(commands.openStudyFile(file));
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_NE(prompts.messages.front().text.find(kSignatureInvalidIt), std::string::npos)
        << prompts.messages.front().text;
    const auto list = entries();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].action, audit_action::kSigned);
    EXPECT_EQ(list[2].reason, "valore errato corretto");
    EXPECT_EQ(list[2].changes, (std::vector<FieldChange>{{"Riga 1, colonna 1", "1.000", "9.000"}}));
}

TEST_F(AuditedSaveTest, AWriteThatFailsIsRecordedAsNotApplied)
{
    changeCell(9);
    const auto missing = dir / "manca" / "b.LIM";
    prompts.savePaths = {missing};
    EXPECT_FALSE(commands.saveStudyFileAs());
    const auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].action, audit_action::kSavedAs);
    EXPECT_EQ(list[2].action, audit_action::kSaveFailed);
    EXPECT_EQ(list[2].objectPath, TrailPath(missing));
    EXPECT_EQ(list[2].detail.rfind("Voce 2 non applicata: ", 0), 0u) << list[2].detail;
    EXPECT_TRUE(trail->store().verify().ok);
}

TEST_F(AuditedSaveTest, SigningAStudyAsksForItsSavedFileAndLocksAfterThreeWrongPasswords)
{
    // the trail's folder keeps the password, as at start-up
    trail = std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(dir / "audit.db"),
                                         UserIdentity{"mrossi", "Mario Rossi", "lab-01"}, dir.path());
    SetAuditTrail(trail);
    ASSERT_FALSE(commands.signStudyFile());  // no password yet: said, nothing asked
    EXPECT_NE(prompts.lastMessage().find("Firma elettronica"), std::string::npos) << prompts.lastMessage();
    SignaturePassword(dir.path()).set("segreto-lungo");

    changeCell(9);
    EXPECT_FALSE(commands.signStudyFile());
    EXPECT_NE(prompts.lastMessage().find("Salvare lo studio prima di firmarlo"), std::string::npos);
    ASSERT_TRUE(commands.saveStudyFile());

    prompts.signatures = {SignatureRequest{"approved", "rivisto", "segreto-lungo"}};
    ASSERT_TRUE(commands.signStudyFile());
    EXPECT_NE(prompts.lastMessage().find("Firmato elettronicamente da Mario Rossi (mrossi) il "), std::string::npos);
    EXPECT_NE(prompts.lastMessage().find("— Approvato"), std::string::npos) << prompts.lastMessage();

    for (int i = 0; i < 3; ++i) prompts.signatures.push_back(SignatureRequest{"reviewed", "", "sbagliata"});
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(commands.signStudyFile());
    EXPECT_NE(prompts.lastMessage().find("bloccata per cinque minuti"), std::string::npos);
    EXPECT_FALSE(commands.signStudyFile());  // locked: the dialog is not even shown
    EXPECT_NE(prompts.lastMessage().find("La firma è bloccata"), std::string::npos);
    ASSERT_EQ(prompts.signatureDialogs.size(), 4u);
    // the second dialog showed the first signature, still valid
    EXPECT_EQ(prompts.signatureDialogs[1].find(kSignatureInvalidIt), std::string::npos);
    EXPECT_NE(prompts.signatureDialogs[1].find("— Approvato"), std::string::npos);

    const auto list = entries();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[list.size() - 2].action, audit_action::kSigned);
    EXPECT_EQ(list[list.size() - 2].reason, "rivisto");
    EXPECT_EQ(list.back().action, audit_action::kSigningLocked);
    EXPECT_EQ(list.back().objectPath, TrailPath(file));
}

TEST(JsonFileFields, PathsCountFromOneAndNumbersKeepTheirText)
{
    const std::string text =
        R"({"method": {"title": "Paracetamolo", "range": {"low": 80.0, "high": 1.20e2}},
            "studies": [{"id": "S1", "file": "a.LIM"}, {"id": "S2"}], "flags": [true, null, 3]})";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"method.title", "Paracetamolo"}, {"method.range.low", "80.0"}, {"method.range.high", "1.20e2"},
        {"studies[1].id", "S1"},          {"studies[1].file", "a.LIM"}, {"studies[2].id", "S2"},
        {"flags[1]", "true"},             {"flags[2]", "null"},         {"flags[3]", "3"}};
    std::vector<std::pair<std::string, std::string>> fields;
    for (const FileField& f : JsonFileFields(text)) fields.emplace_back(f.what, f.value);
    EXPECT_EQ(fields, expected);
    // a damaged file gives what was read before the fault; nesting beyond any dossier's stops the reading
    EXPECT_EQ(JsonFileFields(R"({"a": 1, "b": )").size(), 1u);
    EXPECT_TRUE(JsonFileFields(std::string(200000, '[') + "1").empty());
}

}  // namespace
}  // namespace kestra
