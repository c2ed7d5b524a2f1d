// The document commands with scripted prompts: the modified question, the file dialogs, read faults and
// failed writes.
#include "framework/document_commands.h"

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "framework/study_file.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

class RecordingView : public DocumentView {
public:
    void showDocument() override { ++shown; }
    void enableDocumentCommands(bool enabled) override { this->enabled = enabled; }
    int shown = 0;
    std::optional<bool> enabled;
};

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    // A study with some data typed in, as the window would leave it.
    void typeData()
    {
        study.setHeader(0, "HPLC");
        study.setHeader(3, "mg/l");
        for (int r = 0; r < 5; ++r) study.grid().setCell(r, 0, r + 1.0);
        study.grid().setChanged(true);
    }

    TempDir dir;
    LimitsStudy study;
    ScriptedPrompts prompts;
    RecordingView view;
    DocumentCommands commands{study, prompts, &view};
};

TEST_F(DocumentCommandsTest, NewOnUnmodifiedDocumentAsksNothingAndDisablesCommands)
{
    EXPECT_TRUE(commands.newDocument());
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(view.enabled, false);
}

TEST_F(DocumentCommandsTest, GridChangedFlagAloneCountsAsModified)
{
    study.grid().setCell(0, 0, 7.0);
    study.grid().setChanged(true);
    prompts.answers = {Answer::No};
    EXPECT_TRUE(commands.newDocument());
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text,
              "I dati sono stati modificati.\r\nLimiti - no file\r\nVuoi salvare le modifiche correnti?");
    EXPECT_EQ(prompts.questions[0].icon, MessageIcon::Warning);
    EXPECT_EQ(study.grid().cell(0, 0), 0.0);  // No: the data is dropped
    EXPECT_FALSE(study.isModified());
}

TEST_F(DocumentCommandsTest, NewYesThenCancelledSaveDialogLeavesDocumentUntouched)
{
    typeData();
    prompts.answers = {Answer::Yes};
    prompts.savePaths = {std::nullopt};
    EXPECT_FALSE(commands.newDocument());
    EXPECT_EQ(study.header(0), "HPLC");
    EXPECT_EQ(study.grid().cell(4, 0), 5.0);
    EXPECT_TRUE(study.isModify());
    EXPECT_EQ(study.title(), "Limiti - no file");
    EXPECT_FALSE(view.enabled.has_value());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DocumentCommandsTest, NewCancelKeepsDataAndYesWithSaveWritesThenResets)
{
    typeData();
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(commands.newDocument());
    EXPECT_EQ(study.grid().cell(2, 0), 3.0);

    prompts.answers = {Answer::Yes};
    prompts.savePaths = {dir / "saved.LIM"};
    EXPECT_TRUE(commands.newDocument());
    EXPECT_TRUE(std::filesystem::exists(dir / "saved.LIM"));
    EXPECT_EQ(study.title(), "Limiti - no file");
    EXPECT_EQ(study.header(0), "");

    LimitsStudy back;
    back.read(dir / "saved.LIM");
    EXPECT_EQ(back.grid().cell(2, 0), 3.0);
    EXPECT_EQ(back.header(3), "mg/l");
}

TEST_F(DocumentCommandsTest, SaveAsThenSaveWritesTheNewFile)
{
    typeData();
    prompts.savePaths = {dir / "A.LIM"};
    ASSERT_TRUE(commands.saveStudyFile());
    const std::string a = test::readFile(dir / "A.LIM");

    ASSERT_TRUE(commands.openStudyFile(dir / "A.LIM"));
    prompts.savePaths = {dir / "B.LIM"};
    ASSERT_TRUE(commands.saveStudyFileAs());
    EXPECT_EQ(study.title(), "Limiti - " + (dir / "B.LIM").string());

    study.grid().setCell(0, 0, 9.0);
    study.grid().setChanged(true);
    ASSERT_TRUE(commands.saveStudyFile());  // no dialog: the script has no further path
    EXPECT_EQ(prompts.saveDialogs.size(), 2u);
    EXPECT_EQ(test::readFile(dir / "A.LIM"), a);
    EXPECT_NE(test::readFile(dir / "B.LIM").find(" 1,9.000\r\n"), std::string::npos);
    EXPECT_EQ(study.loadFileName(), (dir / "B.LIM").string());
    EXPECT_FALSE(study.isModified());
    EXPECT_EQ(prompts.busyDepth, 0);
}

TEST_F(DocumentCommandsTest, FailedWriteReportsAndKeepsDocumentModifiedAndPreviousFileIntact)
{
    typeData();
    prompts.savePaths = {dir / "A.LIM"};
    ASSERT_TRUE(commands.saveStudyFile());
    const std::string before = test::readFile(dir / "A.LIM");

    // the file was made read-only meanwhile: the save is refused and the file stays as it was
    std::filesystem::permissions(dir / "A.LIM", std::filesystem::perms::owner_read);
    study.grid().setCell(0, 0, 42.0);
    study.setModify(true);
    EXPECT_FALSE(commands.saveStudyFile());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(prompts.messages[0].text.find("Il file " + (dir / "A.LIM").string() + " è di sola lettura"),
              std::string::npos);
    EXPECT_TRUE(study.isModified());
    EXPECT_EQ(study.loadFileName(), (dir / "A.LIM").string());
    EXPECT_EQ(test::readFile(dir / "A.LIM"), before);
    EXPECT_EQ(prompts.busyDepth, 0);

    // Save as into a folder that does not exist: nothing is bound to the new name
    prompts.savePaths = {dir / "missing" / "C.LIM"};
    EXPECT_FALSE(commands.saveStudyFileAs());
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(study.loadFileName(), (dir / "A.LIM").string());
    EXPECT_TRUE(study.isModified());
}

TEST_F(DocumentCommandsTest, CloseAfterAbandonedSaveStaysOpenAndAfterFailedSaveToo)
{
    typeData();
    prompts.answers = {Answer::Yes};
    prompts.savePaths = {std::nullopt};
    EXPECT_FALSE(commands.close());

    prompts.answers = {Answer::Yes};
    prompts.savePaths = {dir / "missing" / "X.LIM"};
    EXPECT_FALSE(commands.close());
    EXPECT_EQ(prompts.messages.size(), 1u);

    prompts.answers = {Answer::Yes};
    prompts.savePaths = {dir / "X.LIM"};
    EXPECT_TRUE(commands.close());
    EXPECT_TRUE(std::filesystem::exists(dir / "X.LIM"));

    EXPECT_TRUE(commands.close());  // saved: nothing to ask
    EXPECT_TRUE(prompts.allAnswersUsed());
}

TEST_F(DocumentCommandsTest, OpenReadsCalculatesAndEnablesCommands)
{
    test::writeFile(
        dir / "five.LIM",
        "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n5\r\nVero\r\n"
        " 1,1.000\r\n2,2.000\r\n3,3.000\r\n4,4.000\r\n5,5.000\r\n");
    prompts.openPaths = {dir / "five.LIM"};
    ASSERT_TRUE(commands.openStudyFile());
    EXPECT_EQ(prompts.openDialogs, std::vector<StudyKindId>{StudyKindId::Limi});
    EXPECT_EQ(study.stDevText(), "1.581");
    EXPECT_EQ(study.detectionLimitText(), "3.162");
    EXPECT_EQ(study.title(), "Limiti - " + (dir / "five.LIM").string());
    EXPECT_FALSE(study.isModified());
    EXPECT_EQ(view.enabled, true);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.busyDepth, 0);
    EXPECT_GT(prompts.busyCalls, 0);
}

TEST_F(DocumentCommandsTest, ReadFaultIsReportedAndWhatWasReadStaysUnboundAndNotModified)
{
    // ten measurements announced, three present
    test::writeFile(
        dir / "short.LIM",
        "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n10\r\nVero\r\n"
        " 1,1.000\r\n2,2.000\r\n3,3.000\r\n");
    prompts.openPaths = {dir / "short.LIM"};
    EXPECT_TRUE(commands.openStudyFile());
    ASSERT_EQ(prompts.messages.size(), 1u);
    const auto& m = prompts.messages[0];
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_NE(m.text.find("short.LIM"), std::string::npos);
    EXPECT_NE(m.text.find("riga 15"), std::string::npos) << m.text;
    EXPECT_EQ(study.header(1), "Piombo");
    EXPECT_EQ(study.grid().cell(2, 0), 3.0);
    EXPECT_EQ(study.grid().cell(3, 0), 0.0);
    EXPECT_EQ(study.title(), "Limiti - no file");
    EXPECT_FALSE(study.isModified());
    EXPECT_NE(study.stDevText(), "0.000");  // the calculation ran on what was read
    EXPECT_EQ(prompts.busyDepth, 0);
}

TEST_F(DocumentCommandsTest, ValuesNotReadAsWrittenAreListedInOneWarningAfterOpen)
{
    test::writeFile(dir / "comma.LIM",
                    "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n5\r\nVero\r\n"
                    " 1,1.000\r\n2,0,412\r\n3,3.000\r\n4,-4\r\n5,5.000\r\n");
    ASSERT_TRUE(commands.openStudyFile(dir / "comma.LIM"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.messages[0].title, "");  // the application title
    EXPECT_EQ(prompts.messages[0].text,
              "Alcuni valori del file non sono stati letti come scritti:\n"
              "riga 13: \"0,412\" letto come 0 (3 campi invece di 2)\n"
              "riga 15: \"-4\" letto come -4, un valore negativo, che la griglia non accetta");
    EXPECT_EQ(study.grid().cell(1, 0), 0.0);  // read as the layout says
    EXPECT_EQ(study.title(), "Limiti - " + (dir / "comma.LIM").string());
    EXPECT_FALSE(study.isModified());

    // a valid file afterwards says nothing
    test::writeFile(dir / "ok.LIM",
                    "Kestra for Windows\r\n3\r\n3\r\n2\r\n\r\n\r\n\r\n\r\n\r\n5\r\nVero\r\n"
                    " 1,1\r\n2,2\r\n3,3\r\n4,4\r\n5,5\r\n");
    ASSERT_TRUE(commands.openStudyFile(dir / "ok.LIM"));
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(study.readingNotes().empty());

    // a reading that stops: the fault first, then what was read differently before it
    test::writeFile(dir / "short.LIM",
                    "Kestra for Windows\r\n3\r\n3\r\n2\r\n\r\n\r\n\r\n\r\n\r\n6\r\nVero\r\n"
                    " 1,0,5\r\n2,abc\r\n");
    prompts.messages.clear();
    ASSERT_TRUE(commands.openStudyFile(dir / "short.LIM"));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(prompts.messages[0].text.find("riga 13: il valore \"abc\" della misura 2 non è un numero"),
              std::string::npos)
        << prompts.messages[0].text;
    EXPECT_EQ(prompts.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.messages[1].text, "Alcuni valori del file non sono stati letti come scritti:\n"
                                        "riga 12: \"0,5\" letto come 0 (3 campi invece di 2)");
}

TEST_F(DocumentCommandsTest, DataAddingUpToZeroAreSaidOnCalculateAndAfterAFileReadWhole)
{
    const std::string zero =
        "Impossibile calcolare: i valori della griglia sono tutti uguali a zero.\n"
        "Inserire i dati misurati e premere di nuovo Calcola.";
    // Calcola on a new study: a warning with the application title, the results as they were
    EXPECT_FALSE(commands.calculate());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.messages[0].title, "");
    EXPECT_EQ(prompts.messages[0].text, zero);

    // a file of zeros read whole says the same; one that cannot be read says only that
    test::writeFile(dir / "zeri.LIM",
                    "Kestra for Windows\r\n3\r\n3\r\n2\r\n\r\n\r\n\r\n\r\n\r\n5\r\nVero\r\n"
                    " 1,0\r\n2,0\r\n3,0\r\n4,0\r\n5,0\r\n");
    prompts.messages.clear();
    ASSERT_TRUE(commands.openStudyFile(dir / "zeri.LIM"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, zero);
    prompts.messages.clear();
    ASSERT_TRUE(commands.openStudyFile(dir / "altro.LIM"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Critical);
}

TEST_F(DocumentCommandsTest, MissingFileIsReportedWithItsName)
{
    EXPECT_TRUE(commands.openStudyFile(dir / "none.LIM"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].text.find("none.LIM"), std::string::npos);
    EXPECT_EQ(study.title(), "Limiti - no file");
}

TEST_F(DocumentCommandsTest, CancelledOpenDialogChangesNothing)
{
    typeData();
    prompts.answers = {Answer::No};
    prompts.openPaths = {std::nullopt};
    EXPECT_FALSE(commands.openStudyFile());
    EXPECT_EQ(study.grid().cell(4, 0), 5.0);
    EXPECT_EQ(view.shown, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

// A study whose calculation fails, to see that Open still completes and the fault is shown.
class FailingStudy final : public Study {
public:
    FailingStudy() : Study(StudyKindId::Prec) { reset(); }
    DataGrid& grid() override { return m_grid; }
    using Study::grid;
    CalcOutcome calculate() override
    {
        if (refuse) return {false, {{StudyMessage::Severity::Warning, "Dati insufficienti", {}, 2}}};
        throw std::runtime_error("divisione per zero");
    }
    ReportRecords reportRecords(Language) const override { return {}; }
    std::string conclusionText() const override { return {}; }
    bool refuse = false;

protected:
    void resetData() override { m_grid.resize(3, 1); }
    void readContents(StudyFileReader& reader) override { reader.readFormat({3, 3}); }
    void writeContents(StudyFileWriter& writer) const override { writer.skeleton(numberFormat(), 1); }

private:
    DataGrid m_grid;
};

TEST_F(DocumentCommandsTest, CalculationFaultsAndRefusalsReachTheUser)
{
    FailingStudy failing;
    ScriptedPrompts p;
    DocumentCommands c(failing, p);
    test::writeFile(dir / "x.PRE", "Kestra for Windows\r\n3\r\n3\r\n");
    EXPECT_TRUE(c.openStudyFile(dir / "x.PRE"));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(p.messages[0].text.find("divisione per zero"), std::string::npos);
    EXPECT_FALSE(failing.isModified());

    failing.refuse = true;
    EXPECT_FALSE(c.calculate());
    EXPECT_EQ(p.beeps, 2);
    EXPECT_EQ(p.messages.back().icon, MessageIcon::Warning);
    EXPECT_EQ(p.messages.back().text, "Dati insufficienti");
    EXPECT_EQ(p.busyDepth, 0);
}

TEST_F(DocumentCommandsTest, ResultsAreCurrentAfterACalculationAndStayStaleWhenOneIsRefused)
{
    EXPECT_TRUE(study.resultsCurrent());  // a new document has nothing stale to show
    typeData();
    study.setResultsCurrent(false);  // what the window does on an edit
    EXPECT_TRUE(commands.calculate());
    EXPECT_TRUE(study.resultsCurrent());

    // a refused calculation keeps the previous results, which still belong to other data
    study.grid().clear();
    study.setResultsCurrent(false);
    EXPECT_FALSE(commands.calculate());
    EXPECT_FALSE(study.resultsCurrent());

    prompts.answers = {Answer::No};
    EXPECT_TRUE(commands.newDocument());
    EXPECT_TRUE(study.resultsCurrent());
}

}  // namespace
}  // namespace kestra
