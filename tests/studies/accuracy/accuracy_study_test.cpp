#include "studies/accuracy/accuracy_study.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "framework/services.h"
#include "reporting/f_table.h"
#include "reporting/report_database.h"
#include "test_support.h"
#include "text/text_helpers.h"

namespace kestra {
namespace {

using Mode = AccuracyStudy::LevelMode;

class AccuracyStudyTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        m_savedSeparator = UserDecimalSeparator();
        SetUserDecimalSeparator(GetParam());
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        m_study = std::make_unique<AccuracyStudy>();
    }
    void TearDown() override { SetUserDecimalSeparator(m_savedSeparator); }

    // Numbers as the screen shows them with the separator under test.
    static std::string shown(std::string text)
    {
        if (GetParam() == ',')
            for (char& c : text)
                if (c == '.') c = ',';
        return text;
    }

    void setRecoveries(int level, std::initializer_list<double> values)
    {
        DataGrid& g = m_study->levelGrid(level);
        int r = 0;
        for (double v : values) g.setCell(r++, AccuracyStudy::kRecoveryColumn, v);
    }

    void threeLevels(std::initializer_list<double> upper, std::initializer_list<double> central,
                     std::initializer_list<double> lower)
    {
        m_study->setLevelMode(Mode::Three);
        setRecoveries(0, upper);
        setRecoveries(1, central);
        setRecoveries(2, lower);
    }

    char m_savedSeparator = '.';
    std::unique_ptr<AccuracyStudy> m_study;
};

TEST_P(AccuracyStudyTest, ThreeLevelWorkedExampleNotSignificant)
{
    threeLevels({99, 101, 100}, {98, 100, 99}, {100, 102, 101});
    const CalcOutcome outcome = m_study->calculate();
    ASSERT_TRUE(outcome.computed);
    EXPECT_TRUE(outcome.messages.empty());

    EXPECT_EQ(m_study->accuSupText(), shown("100.000 ± 2.484"));
    EXPECT_EQ(m_study->accuCenText(), shown("99.000 ± 2.484"));
    EXPECT_EQ(m_study->accuInfText(), shown("101.000 ± 2.484"));
    EXPECT_EQ(m_study->accuMedText(), shown("100.000 ± 0.999"));
    EXPECT_TRUE(m_study->meanVisible());

    EXPECT_EQ(m_study->anovaCell(2, 2), shown("6.000"));
    EXPECT_EQ(m_study->anovaCell(3, 2), "2");
    EXPECT_EQ(m_study->anovaCell(4, 2), shown("3.000"));
    EXPECT_EQ(m_study->anovaCell(5, 2), shown("3.000"));
    EXPECT_EQ(m_study->anovaCell(6, 2), shown("5.14") + " (NS)");
    EXPECT_EQ(m_study->anovaCell(2, 3), shown("6.000"));
    EXPECT_EQ(m_study->anovaCell(3, 3), "6");
    EXPECT_EQ(m_study->anovaCell(4, 3), shown("1.000"));
    EXPECT_EQ(m_study->anovaCell(2, 4), shown("12.000"));
    EXPECT_EQ(m_study->anovaCell(3, 4), "8");
    EXPECT_EQ(m_study->anovaCell(4, 4), "");

    const std::string english = m_study->conclusions()[1];
    EXPECT_EQ(
        english,
        "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nACCURACY TEST\r\n\r\n"
        "Because in the comparison between the means of the three levels the value of F is NOT significant "
        "(since its value limit for    2 and    6 degree of freedom with P = 0.05 is " +
            shown("5.140") +
            ") it is correct to calculate the total average and its confidence limits\r\n\r\n" +
            shown("100.000 ± 0.999") + "\r\n\r\nThe confidence limits  contains the 100 %");
    const std::string italian = m_study->conclusionText();
    EXPECT_EQ(italian.rfind("C O N V A L I D A  D E L   M E T O D O   A N A L I T I C O\r\n\r\n"
                            "TEST DELLA ACCURATEZZA\r\n\r\nPoichè nel confronto",
                            0),
              0u);
    EXPECT_NE(italian.find("per    2 e    6 gradi di libertà con P = 0.05 è " + shown("5.140") + ")"),
              std::string::npos);
    EXPECT_NE(italian.find("\r\n\r\nI limiti di confidenza contengono il 100 %"), std::string::npos);
}

TEST_P(AccuracyStudyTest, ThreeLevelSignificantReportsLevelsAndHidesTheMean)
{
    threeLevels({109, 111, 110}, {99, 100, 101}, {89, 91, 90});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->anovaCell(2, 2), shown("600.000"));
    EXPECT_EQ(m_study->anovaCell(4, 2), shown("300.000"));
    EXPECT_EQ(m_study->anovaCell(5, 2), shown("300.000"));
    EXPECT_EQ(m_study->anovaCell(6, 2), shown("5.14") + " (S)");
    EXPECT_EQ(m_study->anovaCell(4, 3), shown("1.000"));
    EXPECT_EQ(m_study->accuMedText(), "NONE");
    EXPECT_FALSE(m_study->meanVisible());

    const std::string english = m_study->conclusions()[1];
    EXPECT_NE(english.find(
                  "it is NOT correct to calculate the total average.\r\nTherefore the accuracy : \r\n"
                  "- to the higher level is = " +
                  shown("110.000 ± 2.484") +
                  "; in this level the confidence limits  NOT contains the 100 %\r\n\r\n"
                  "- to the middle level is = " +
                  shown("100.000 ± 2.484") +
                  "; in this level the confidence limits  contains the 100 %\r\n\r\n"
                  "- to the lower level is = " +
                  shown("90.000 ± 2.484") + "; in this level the confidence limits  NOT contains the 100 %"),
              std::string::npos)
        << english;
    EXPECT_NE(m_study->conclusionText().find("- al livello superiore è = " + shown("110.000 ± 2.484") +
                                             "; a questo livello i limiti di confidenza  NON contengono"),
              std::string::npos);

    const ChartData chart = m_study->chart(Language::English);
    ASSERT_EQ(chart.rows.size(), 1001u);
    ASSERT_EQ(chart.columnLabels.size(), 6u);
    EXPECT_EQ(chart.columnLabels[1], "CSUP");
    EXPECT_EQ(chart.columnLabels[0], "Higher level curve");
    EXPECT_EQ(chart.columnLabels[2], "Center level curve");
    EXPECT_EQ(chart.columnLabels[4], "Lower level curve");
    EXPECT_TRUE(chart.legendVisible);
    EXPECT_TRUE(chart.legendAtBottom);
    EXPECT_EQ(m_study->chart(Language::Italian).columnLabels[4], "Curva livello inferiore");
}

TEST_P(AccuracyStudyTest, OneLevelUsesTheCentralGridOnly)
{
    setRecoveries(1, {99, 100, 101});
    // the other grids take no part, whatever they hold
    setRecoveries(0, {0, 0, 0});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->accuOneText(), shown("100.000 ± 2.484"));
    EXPECT_EQ(m_study->conclusions()[1],
              "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nACCURACY TEST\r\n\r\n"
              "The accuracy with its confidence limits is :\r\n\r\n" +
                  shown("100.000 ± 2.484") + "\r\n\r\nThe confidence limits contains the 100 %");
    EXPECT_EQ(
        m_study->conclusionText(),
        "C O N V A L I D A  D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA ACCURATEZZA\r\n\r\n"
        "L'accuratezza con i suoi limiti di confidenza è :\r\n\r\n" +
            shown("100.000 ± 2.484") + "\r\n\r\nI limiti di confidenza contengono il 100 %");
    // the table is left as it was
    EXPECT_EQ(m_study->anovaCell(2, 2), "0");

    const ChartData chart = m_study->chart(Language::Italian);
    ASSERT_EQ(chart.rows.size(), 1001u);
    ASSERT_EQ(chart.columnLabels.size(), 2u);
    EXPECT_EQ(chart.columnLabels[0], "Curva a un livello");
    EXPECT_EQ(chart.columnLabels[1], "CSOLO");
    EXPECT_EQ(chart.rows.front()[0], 0.0);
    EXPECT_NEAR(*chart.rows.back()[0], 200.0, 1e-9);
    std::size_t peak = 0;
    for (std::size_t j = 0; j < chart.rows.size(); ++j)
        if (*chart.rows[j][1] > *chart.rows[peak][1]) peak = j;
    EXPECT_NEAR(*chart.rows[peak][0], 100.0, 1e-9);
    EXPECT_EQ(chart.title, "Accuratezza");
    EXPECT_EQ(m_study->chart(Language::English).columnLabels[0], "One level curve");
}

TEST_P(AccuracyStudyTest, IntervalsContainingHundredAtTheirEdgesCarryNoMark)
{
    // mean 103, s = 2: 103 - 4.969 < 100
    setRecoveries(1, {101, 103, 105});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->accuOneText(), shown("103.000 ± 4.969"));
    EXPECT_NE(m_study->conclusions()[1].find("limits contains"), std::string::npos);

    // 104, 104, 104: the interval is the point 104 and misses 100
    setRecoveries(1, {104, 104, 104});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_NE(m_study->conclusions()[1].find("limits NOT contains"), std::string::npos);
    EXPECT_NE(m_study->conclusionText().find("confidenza NON contengono"), std::string::npos);

    // a lower limit of exactly 100 contains it
    setRecoveries(1, {100, 100, 100});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_NE(m_study->conclusions()[1].find("limits contains"), std::string::npos);
}

TEST_P(AccuracyStudyTest, UntouchedLevelStopsWithItsNameAndKeepsPreviousResults)
{
    threeLevels({99, 101, 100}, {98, 100, 99}, {100, 102, 101});
    ASSERT_TRUE(m_study->calculate().computed);
    setRecoveries(2, {0, 0, 0});
    setRecoveries(1, {50, 60, 70});
    const CalcOutcome outcome = m_study->calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);
    EXPECT_EQ(outcome.messages[0].text,
              "Impossibile calcolare: i recuperi del livello inferiore sono tutti uguali a zero.\n"
              "Inserire i dati misurati e premere di nuovo Calcola.");
    EXPECT_EQ(m_study->accuCenText(), shown("99.000 ± 2.484"));
    EXPECT_EQ(m_study->anovaCell(2, 2), shown("6.000"));
}

TEST_P(AccuracyStudyTest, EqualRecoveriesWithinLevels)
{
    // every level constant, means differ: no division, "S", significant
    threeLevels({110, 110, 110}, {100, 100, 100}, {90, 90, 90});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->anovaCell(5, 2), CentreText("S", 14));
    EXPECT_EQ(m_study->anovaCell(6, 2), shown("5.14") + " (S)");
    EXPECT_EQ(m_study->accuMedText(), "NONE");

    // every recovery equal: the means do not differ, the total mean is computed
    threeLevels({100, 100, 100}, {100, 100, 100}, {100, 100, 100});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->anovaCell(5, 2), CentreText("NS", 14));
    EXPECT_EQ(m_study->anovaCell(5, 2).size(), 14u);
    EXPECT_EQ(m_study->anovaCell(6, 2), shown("5.14") + " (NS)");
    EXPECT_EQ(m_study->accuMedText(), shown("100.000 ± 0.000"));
    EXPECT_NE(m_study->conclusions()[1].find("is NOT significant"), std::string::npos);
    const ChartData chart = m_study->chart(Language::English);
    EXPECT_EQ(chart.columnLabels[1], "CMEDIA");
    EXPECT_EQ(chart.columnLabels[0], "Accuracy mean curve ");
}

TEST_P(AccuracyStudyTest, EmptyRecoveryCellIsRefusedWithAWarning)
{
    setRecoveries(1, {99, 100, 101});
    ASSERT_TRUE(m_study->calculate().computed);
    m_study->levelGrid(1).setCell(1, AccuracyStudy::kRecoveryColumn, std::nullopt);
    m_study->levelGrid(1).setCell(0, AccuracyStudy::kRecoveryColumn, 50);
    const CalcOutcome outcome = m_study->calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);
    EXPECT_EQ(m_study->accuOneText(), shown("100.000 ± 2.484"));
}

TEST_P(AccuracyStudyTest, SwitchingLevelModeDoesNotRecompute)
{
    setRecoveries(1, {99, 100, 101});
    ASSERT_TRUE(m_study->calculate().computed);
    threeLevels({109, 111, 110}, {99, 100, 101}, {89, 91, 90});
    ASSERT_TRUE(m_study->calculate().computed);
    m_study->setLevelMode(Mode::One);
    EXPECT_EQ(m_study->accuOneText(), shown("100.000 ± 2.484"));
    EXPECT_EQ(m_study->accuMedText(), "NONE");
    EXPECT_FALSE(m_study->meanVisible());
    EXPECT_FALSE(m_study->levelVisible(0));
    EXPECT_TRUE(m_study->levelVisible(1));
}

TEST_P(AccuracyStudyTest, ReportRecordsFollowTheModeAndTheLanguage)
{
    ASSERT_TRUE(m_study->setDeterminations(4));
    m_study->setHeader(0, std::string(60, 'm'));
    m_study->setHeader(3, "  mg/l  ");
    threeLevels({109, 111, 110, 110}, {99, 100, 101, 100}, {89, 91, 90, 90});
    m_study->levelGrid(0).setCell(3, 0, 10);
    m_study->levelGrid(0).setCell(3, 1, 11);
    ASSERT_TRUE(m_study->calculate().computed);

    const ReportRecords en = m_study->reportRecords(Language::English);
    EXPECT_EQ(en.headerTable, "Accu");
    EXPECT_EQ(en.detailTable, "Accu3Tabella");
    EXPECT_EQ(en.header.text("METODO"), std::string(50, 'm'));
    EXPECT_EQ(en.header.text("UM"), "mg/l");
    EXPECT_EQ(en.header.text("NDET"), "4");
    EXPECT_EQ(en.header.text("ACCUMED"), "NONE");
    EXPECT_EQ(en.header.text("LIVCONC"), "3 Level of concentrations");
    EXPECT_EQ(en.header.text("CONCLUSIONI"), m_study->conclusions()[1]);
    EXPECT_EQ(en.header.text("TRALIVFT"), shown("4.26") + " (S)");
    EXPECT_EQ(en.header.text("TOTGDL"), "11");
    ASSERT_EQ(en.details.size(), 4u);
    EXPECT_EQ(en.details[3].fields().size(), 11u);
    EXPECT_EQ(en.details[3].text("PESATI0"), shown("10.000"));
    EXPECT_EQ(en.details[3].text("TROVATI0"), shown("11.000"));
    EXPECT_EQ(en.details[3].text("PERC2"), shown("90.000"));

    const ReportRecords it = m_study->reportRecords(Language::Italian);
    EXPECT_EQ(it.header.text("LIVCONC"), "3 Livelli di concentrazione");
    EXPECT_EQ(it.header.text("CONCLUSIONI"), m_study->conclusionText());

    m_study->setLevelMode(Mode::One);
    const ReportRecords one = m_study->reportRecords(Language::English);
    EXPECT_EQ(one.header.text("LIVCONC"), "1 Level of concentration");
    ASSERT_EQ(one.details.size(), 4u);
    for (const auto& d : one.details) {
        EXPECT_EQ(d.fields().size(), 5u);
        EXPECT_NE(d.find("PERC1"), nullptr);
        EXPECT_EQ(d.find("PERC0"), nullptr);
    }

    // printing twice leaves one header row and n detail rows
    test::TempDir dir;
    const auto db = dir / "KESTRA73.MDB";
    std::filesystem::copy_file(KESTRA_TEMPLATE_DB, db);
    m_study->setLevelMode(Mode::Three);
    ReportDatabase database(db, ReportDatabase::Mode::ReadWrite);
    database.writeReport(m_study->reportRecords(Language::Italian));
    database.writeReport(m_study->reportRecords(Language::Italian));
    EXPECT_EQ(database.rowCount("Accu"), 1);
    EXPECT_EQ(database.rowCount("Accu3Tabella"), 4);
}

TEST_P(AccuracyStudyTest, NewStudyState)
{
    EXPECT_EQ(m_study->title(), "Accuratezza - no file");
    EXPECT_EQ(m_study->determinations(), 3);
    EXPECT_EQ(m_study->levelMode(), Mode::One);
    EXPECT_EQ(m_study->numberPattern(), "######0.000");
    for (const std::string& text : {m_study->accuOneText(), m_study->accuSupText(), m_study->accuMedText()})
        EXPECT_EQ(text, "0");
    EXPECT_EQ(m_study->anovaCell(1, 1), "Variazione");
    EXPECT_EQ(m_study->anovaCell(6, 1), "Ft");
    EXPECT_EQ(m_study->anovaCell(1, 3), "Errore");
    EXPECT_EQ(m_study->anovaCell(6, 2), "0");
    EXPECT_EQ(m_study->anovaCell(5, 3), "");
    EXPECT_TRUE(AccuracyStudy::anovaCellUnused(5, 3));
    EXPECT_TRUE(AccuracyStudy::anovaCellUnused(4, 4));
    EXPECT_FALSE(AccuracyStudy::anovaCellUnused(3, 4));
    EXPECT_TRUE(m_study->chart(Language::Italian).empty());
    for (int level = 0; level < 3; ++level) {
        const DataGrid& g = m_study->levelGrid(level);
        EXPECT_EQ(g.rowCount(), 3);
        EXPECT_EQ(g.columnHeader(0), "Pesati");
        EXPECT_EQ(g.columnHeader(2), "%");
        EXPECT_EQ(g.cell(2, 1), 0.0);
        EXPECT_TRUE(g.isLocked(0, 2));
        EXPECT_FALSE(g.isLocked(0, 1));
    }
    // the level mode survives a new document
    m_study->setLevelMode(Mode::Three);
    m_study->reset();
    EXPECT_EQ(m_study->levelMode(), Mode::Three);
    EXPECT_FALSE(m_study->isModified());
}

TEST_P(AccuracyStudyTest, RecoveriesSharingTwelveLeadingDigitsKeepTheAnalysisOfVariance)
{
    // python3 tests/data/shifted_reference.py ("accuracy"): exact sums of the decimals as entered
    m_study->setNumberFormat({12, 1});
    const double r0 = 123456789000.0;
    threeLevels({r0 + 99.3, r0 + 101.2, r0 + 100.4}, {r0 + 98.7, r0 + 100.1, r0 + 99.6},
                {r0 + 100.2, r0 + 102.5, r0 + 101.1});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->anovaCell(2, 2), shown("4.9"));
    EXPECT_EQ(m_study->anovaCell(2, 3), shown("5.5"));
    EXPECT_EQ(m_study->accuSupText(), shown("123456789100.3 ± 2.4"));
    // ten decimals, the pattern another window set last
    MakeNumberPattern(3, 10);
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->anovaCell(2, 2), shown("4.8688888889"));
    EXPECT_EQ(m_study->anovaCell(4, 2), shown("2.4344444444"));
    EXPECT_EQ(m_study->anovaCell(5, 2), shown("2.6493349456"));
    EXPECT_EQ(m_study->anovaCell(6, 2), shown("5.14") + " (NS)");
    EXPECT_EQ(m_study->anovaCell(2, 3), shown("5.5133333333"));
    EXPECT_EQ(m_study->anovaCell(4, 3), shown("0.9188888889"));
    EXPECT_EQ(m_study->anovaCell(2, 4), shown("10.3822222222"));
    // level means to the fifteen digits a number is written with
    EXPECT_EQ(m_study->accuSupText(), shown("123456789100.3000000000 ± 2.3699076065"));
    EXPECT_EQ(m_study->accuCenText(), shown("123456789099.4670000000 ± 1.7625383082"));
    EXPECT_EQ(m_study->accuInfText(), shown("123456789101.2670000000 ± 2.8794040716"));
    EXPECT_EQ(m_study->accuMedText(), shown("123456789100.3440000000 ± 0.9294510810"));
}

INSTANTIATE_TEST_SUITE_P(Separators, AccuracyStudyTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "point" : "comma"; });

TEST(AccuracyGridTest, RecoveryFollowsAddedAndFound)
{
    AccuracyStudy study;
    DataGrid& g = study.levelGrid(1);
    g.setCell(0, 0, 10);
    g.setCell(0, 1, 9.85);
    EXPECT_TRUE(study.updateRecovery(1, 0));
    EXPECT_EQ(g.cell(0, 2), 98.5);
    // added 0: the recovery keeps its value
    g.setCell(0, 0, 0.0);
    EXPECT_FALSE(study.updateRecovery(1, 0));
    EXPECT_EQ(g.cell(0, 2), 98.5);
    // an emptied cell, either of the two: no recovery is shown for values that are gone
    for (int emptied : {0, 1}) {
        g.setCell(0, 0, 10);
        g.setCell(0, 1, 9.85);
        ASSERT_TRUE(study.updateRecovery(1, 0));
        g.setCell(0, emptied, std::nullopt);
        EXPECT_TRUE(study.updateRecovery(1, 0));
        EXPECT_EQ(g.cell(0, 2), std::nullopt) << "column " << emptied;
        EXPECT_FALSE(study.updateRecovery(1, 0));  // nothing left to clear
    }
    // the recovery is held as the grid shows it
    g.setCell(1, 0, 3);
    g.setCell(1, 1, 1);
    study.updateRecovery(1, 1);
    EXPECT_EQ(g.cell(1, 2), 33.333);
}

TEST(AccuracyGridTest, DeterminationsResizeEveryGridWithinLimits)
{
    AccuracyStudy study;
    study.levelGrid(2).setCell(1, 0, 5);
    EXPECT_FALSE(study.setDeterminations(2));
    EXPECT_FALSE(study.setDeterminations(100));
    EXPECT_FALSE(study.isModify());
    ASSERT_TRUE(study.setDeterminations(5));
    EXPECT_TRUE(study.isModify());
    for (int level = 0; level < 3; ++level) {
        EXPECT_EQ(study.levelGrid(level).rowCount(), 5);
        EXPECT_EQ(study.levelGrid(level).cell(4, 0), 0.0);
        EXPECT_TRUE(study.levelGrid(level).isLocked(4, 2));
    }
    EXPECT_EQ(study.levelGrid(2).cell(1, 0), 5.0);
    // a cell emptied by the user becomes 0 again when the grids are set up
    study.levelGrid(0).setCell(0, 1, std::nullopt);
    study.setupAccuGrids();
    EXPECT_EQ(study.levelGrid(0).cell(0, 1), 0.0);
}

TEST(AccuracyGridTest, CaptionsCarryTheTrimmedUnit)
{
    AccuracyStudy study;
    EXPECT_EQ(study.levelCaption(0), "Liv. superiore");
    study.setHeader(3, " mg/l ");
    EXPECT_EQ(study.levelCaption(1), "Liv. centrale (mg/l)");
    EXPECT_EQ(study.levelCaption(2), "Liv. inferiore (mg/l)");
    const ChartData chart = study.chart(Language::English);
    EXPECT_EQ(
        chart.footnote,
        "Analytical method: \r\nAnalyte: \r\nSample: \r\nMeasure unit of the analyte concentration: mg/l");
}

TEST(AccuracyGridTest, EditsInAnyLevelGridMarkTheDocumentModified)
{
    AccuracyStudy study;
    study.levelGrid(1).setChanged(true);
    EXPECT_TRUE(study.isModified());
    study.reset();
    EXPECT_FALSE(study.isModified());
}

}  // namespace
}  // namespace kestra
