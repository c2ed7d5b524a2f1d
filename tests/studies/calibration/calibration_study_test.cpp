// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/calibration/calibration_entry.h"
#include "studies/calibration/calibration_study.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/number_pattern.h"

namespace kestra {
namespace {

using Levels = std::vector<std::vector<double>>;

class CalibrationStudyTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    // Concentrations and the responses of each level (all levels with the same count).
    static void enter(CalibrationStudy& study, const std::vector<double>& x, const Levels& y)
    {
        test::EnterCalibration(study, x, y);
    }

    static void enterWorkedExample(CalibrationStudy& study)
    {
        enter(study, {1, 2, 3, 4}, {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}});
    }

    static std::string dot(std::string text, char sep)
    {
        for (char& c : text)
            if (c == '.') c = sep;
        return text;
    }
};

TEST_F(CalibrationStudyTest, NewStudyState)
{
    CalibrationStudy study;
    EXPECT_EQ(study.title(), "Taratura - no file");
    EXPECT_EQ(study.levelCount(), 5);
    EXPECT_EQ(study.responseCount(), 3);
    EXPECT_EQ(study.totalCount(), 15);
    EXPECT_EQ(study.grid().columnCount(), 5);
    EXPECT_EQ(study.grid().rowCount(), 3);
    EXPECT_EQ(study.grid().cornerHeader(), "Dati");
    EXPECT_EQ(study.concentrationText(0), "1.000");
    EXPECT_EQ(study.concentrationText(4), "5.000");
    EXPECT_EQ(study.grid().cell(2, 4), 0.0);
    EXPECT_EQ(study.header(3), "µg/ml");
    EXPECT_EQ(study.header(0), "");
    EXPECT_EQ(study.numInteri(), 7);
    EXPECT_EQ(study.numDecimali(), 3);
    EXPECT_EQ(study.numberPattern(), "######0.000");
    EXPECT_EQ(study.results().r, "0.000");
    EXPECT_EQ(study.results().lower, "0.000");
    const auto& t = study.anova();
    EXPECT_EQ(t[0][5], "Signif. (0,05%)");
    EXPECT_EQ(t[4][0], "Totali");
    // every cell the calculation writes shows a plain 0, whatever the number format
    for (int r = 1; r < CalibrationStudy::kAnovaRows; ++r)
        for (int c = 1; c < CalibrationStudy::kAnovaColumns; ++c)
            EXPECT_EQ(t[r][c], CalibrationStudy::isAnovaCellNeverWritten(r, c) ? "" : "0") << r << "," << c;
    EXPECT_EQ(study.conclusionText(), "");
    EXPECT_FALSE(study.isModified());
    // before any calculation the charts hold neither data nor texts
    const auto charts = study.charts(Language::Italian);
    ASSERT_EQ(charts.size(), 3u);
    EXPECT_TRUE(charts[0].empty());
    EXPECT_EQ(charts[0].title, "");
    EXPECT_EQ(charts[1].footnote, "");
}

TEST_F(CalibrationStudyTest, NeverWrittenCellsAreTheFiveOfErrorAndTotals)
{
    int count = 0;
    for (int r = 0; r < CalibrationStudy::kAnovaRows; ++r)
        for (int c = 0; c < CalibrationStudy::kAnovaColumns; ++c)
            if (CalibrationStudy::isAnovaCellNeverWritten(r, c)) ++count;
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(CalibrationStudy::isAnovaCellNeverWritten(3, 4));
    EXPECT_TRUE(CalibrationStudy::isAnovaCellNeverWritten(3, 5));
    EXPECT_TRUE(CalibrationStudy::isAnovaCellNeverWritten(4, 3));
    EXPECT_FALSE(CalibrationStudy::isAnovaCellNeverWritten(4, 2));
    EXPECT_FALSE(CalibrationStudy::isAnovaCellNeverWritten(3, 3));
}

TEST_F(CalibrationStudyTest, WorkedExampleInBothSeparators)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        CalibrationStudy study;
        study.setHeader(3, " mg/l ");
        enterWorkedExample(study);
        EXPECT_EQ(study.totalCount(), 12);
        const CalcOutcome outcome = study.calculate();
        ASSERT_TRUE(outcome.computed);
        EXPECT_TRUE(outcome.messages.empty());
        const auto& res = study.results();
        EXPECT_EQ(res.b, dot("1.010", sep));
        EXPECT_EQ(res.a, dot("-0.017", sep));
        EXPECT_EQ(res.r, dot("0.995", sep));
        EXPECT_EQ(res.sa, dot("0.092", sep));
        EXPECT_EQ(res.sb, dot("0.033", sep));
        EXPECT_EQ(res.upper, dot("0.185", sep));
        EXPECT_EQ(res.lower, dot("-0.218", sep));

        const CalibrationStudy::AnovaTable expected = {{
            {"Variazione", "Devianza", "GdL", "Varianza", "F", "Signif. (0,05%)"},
            {"Regressione", dot("15.302", sep), "1", dot("15.302", sep), dot("734.472", sep), "  (S)"},
            {"Curvatura", dot("0.001", sep), "2", dot("0.000", sep), dot("0.024", sep), " (NS)"},
            {"Errore", dot("0.167", sep), "8", dot("0.021", sep), "", ""},
            {"Totali", dot("15.469", sep), "11", "", "", ""},
        }};
        EXPECT_EQ(study.anova(), expected);

        const std::string english =
            "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nLINEARITY TEST\r\n\r\n"
            "The variance analysis shows: \r\n"
            "Linear regression significant;\r\n"
            "The variables Y (results) are linearly related to the variables X (concentrations of the "
            "product).\r\n"
            "The equation describes the relation between the variables X and Y is :\r\n\r\n" +
            dot("Y = -0.017 + 1.010 X", sep) +
            "\r\n\r\n"
            "Curvature NOT significant;\r\n"
            "The confidence limits of the ordinate at the origin contains zero.\r\n"
            "The results are proportional to the product concentrations.\r\n\r\n"
            "The sensibility of the method is equal to:\r\n\r\n" +
            dot("1.010", sep) +
            "  \r\nfor variation of the concentration equal to 1 mg/l\r\n\r\n"
            "The method discriminating ability as concentration difference that the method is able to "
            "discriminate as statistical probability of 95 %, is:\r\n\r\nD = " +
            dot("0.330", sep) + "  mg/l";
        EXPECT_EQ(study.conclusions()[1], english);

        const std::string& italian = study.conclusions()[0];
        EXPECT_EQ(italian.rfind(CalibrationStudy::kConclusionHeader, 0), 0u);
        EXPECT_NE(italian.find("Regressione lineare significativa;"), std::string::npos);
        EXPECT_NE(italian.find("Curvatura NON significativa;"), std::string::npos);
        EXPECT_NE(italian.find("all'origine contengono lo zero."), std::string::npos);
        EXPECT_NE(italian.find("uguale a 1 mg/l\r\n"), std::string::npos);
        EXPECT_EQ(italian.substr(italian.size() - 15), "D = " + dot("0.330", sep) + "  mg/l");
        EXPECT_EQ(study.conclusionText(), italian);
    }
}

TEST_F(CalibrationStudyTest, ProportionalityAndRegressionChartData)
{
    CalibrationStudy study;
    enterWorkedExample(study);
    int next = 0;
    const std::vector<int> components = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    study.setRandomComponentSource([&] { return components[static_cast<std::size_t>(next++ % 9)]; });
    study.setHeader(0, "HPLC");
    study.setHeader(3, "");
    ASSERT_TRUE(study.calculate().computed);

    EXPECT_EQ(study.levelColours(), (std::vector<std::uint32_t>{0xFF0000, 0x0A141E, 0x28323C, 0x46505A}));
    const auto it = study.charts(Language::Italian);
    const ChartData& regr = it[0];
    EXPECT_EQ(regr.name, "VtGrafRegr");
    EXPECT_EQ(regr.title, "Regressione");
    EXPECT_EQ(regr.xAxis.title, "Concentrazioni");
    EXPECT_EQ(regr.yAxis.title, "Risposte");
    EXPECT_EQ(regr.titleFontSize, 10);
    EXPECT_EQ(regr.footnoteFontSize, 7);
    // one series per level, n rows: level i's points share the level's colour; the fitted line comes last
    ASSERT_EQ(regr.series.size(), 5u);
    EXPECT_EQ(regr.series[0].colour, 0xFF0000u);
    EXPECT_EQ(regr.series[3].colour, 0x46505Au);
    EXPECT_EQ(regr.series[1].size, 6);
    ASSERT_EQ(regr.rows.size(), 3u);
    ASSERT_EQ(regr.rows[0].size(), 10u);
    EXPECT_EQ(regr.rows[2][4], 3.0);
    EXPECT_EQ(regr.rows[2][5], 3.0);
    EXPECT_EQ(regr.rows[1][7], 3.9);
    // the footnote: four labelled lines, the empty unit leaves its label, the colon and a blank
    EXPECT_EQ(regr.footnote,
              "Metodo analitico: HPLC\r\nAnalita: \r\nCampione: \r\nU.M. della conc. dell'analita: ");

    const ChartData& prop = it[1];
    EXPECT_EQ(prop.name, "VtGrafProp");
    EXPECT_EQ(prop.title, "Proporzionalità");
    EXPECT_EQ(prop.footnote, regr.footnote);
    EXPECT_EQ(prop.xAxis.title, "");
    ASSERT_EQ(prop.rows.size(), 3u);
    const double a = *prop.rows[1][1];
    const double upper = *prop.rows[0][1];
    const double lower = *prop.rows[2][1];
    EXPECT_NEAR(a, -0.016667, 1e-6);
    EXPECT_NEAR(upper, 0.185, 5e-4);
    EXPECT_NEAR(lower, -0.218, 5e-4);
    EXPECT_EQ(*prop.rows[0][3], upper);
    EXPECT_EQ(*prop.rows[2][3], lower);
    EXPECT_EQ(*prop.rows[1][3], (upper + lower) / 2);
    EXPECT_EQ(*prop.rows[0][2], 0.0);
    // the line of slope b through (0, a) reaches the limits at its ends
    const double b = (upper - a) / *prop.rows[0][0];
    EXPECT_NEAR(b, 1.01, 1e-12);
    EXPECT_NEAR(a + b * *prop.rows[2][0], lower, 1e-12);

    const auto en = study.charts(Language::English);
    EXPECT_EQ(en[0].title, "Linearity");
    EXPECT_EQ(en[0].xAxis.title, "Concentrations");
    EXPECT_EQ(en[0].yAxis.title, "Results");
    EXPECT_EQ(en[1].title, "Proportionality");
    EXPECT_EQ(
        en[1].footnote,
        "Analytical method: HPLC\r\nAnalyte: \r\nSample: \r\nMeasure unit of the analyte concentration: ");
}

TEST_F(CalibrationStudyTest, LevelColoursAfterTheFirstChangeFromOneCalculationToTheNext)
{
    CalibrationStudy study;
    enterWorkedExample(study);
    ASSERT_TRUE(study.calculate().computed);
    const auto first = study.levelColours();
    bool changed = false;
    for (int attempt = 0; attempt < 5 && !changed; ++attempt) {
        ASSERT_TRUE(study.calculate().computed);
        EXPECT_EQ(study.levelColours()[0], 0xFF0000u);
        changed = study.levelColours() != first;
    }
    EXPECT_TRUE(changed);
}

TEST_F(CalibrationStudyTest, NegativeSlopeWritesMinusAndTheAbsoluteSensitivity)
{
    CalibrationStudy study;
    enter(study, {1, 2, 3, 4}, {{4.2, 3.9, 4.0}, {2.9, 3.1, 3.0}, {2.1, 1.9, 2.0}, {1.0, 1.2, 0.8}});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().b, "-1.010");
    const std::string& en = study.conclusions()[1];
    EXPECT_NE(en.find("\r\nY = 5.033 - 1.010 X\r\n"), std::string::npos);
    EXPECT_NE(en.find("equal to:\r\n\r\n1.010  \r\n"), std::string::npos);
    // D is shown as an absolute value too
    EXPECT_NE(en.find("D = 0.330  µg/ml"), std::string::npos);
}

TEST_F(CalibrationStudyTest, ZeroPureErrorWithRegressionShowsSAndEndsAfterTheSensitivity)
{
    CalibrationStudy study;
    study.setHeader(3, "");
    // every level repeats one value: the pure error is exactly zero
    enter(study, {1, 2, 3, 4, 5},
          {{2.1, 2.1, 2.1}, {4.1, 4.1, 4.1}, {6.1, 6.1, 6.1}, {8.1, 8.1, 8.1}, {10.1, 10.1, 10.1}});
    const CalcOutcome outcome = study.calculate();
    ASSERT_TRUE(outcome.computed);
    EXPECT_TRUE(outcome.messages.empty());
    const auto& t = study.anova();
    EXPECT_EQ(t[1][4], "      S       ");
    EXPECT_EQ(t[1][5], "  (S)");
    EXPECT_EQ(t[3][1], "0.000");
    EXPECT_EQ(t[3][3], "0.000");
    // no lack of fit either: both zero gives NS centred
    EXPECT_EQ(t[2][4], "      NS      ");
    EXPECT_EQ(t[2][5], " (NS)");
    const std::string& en = study.conclusions()[1];
    EXPECT_EQ(en.find("D = "), std::string::npos);
    const std::string tail = "2.000  \r\nfor variation of the concentration equal to 1 \r\n\r\n";
    ASSERT_GT(en.size(), tail.size());
    EXPECT_EQ(en.substr(en.size() - tail.size()), tail);
    EXPECT_EQ(study.conclusions()[0].find("D = "), std::string::npos);
}

TEST_F(CalibrationStudyTest, ThreeLevelsGiveOneDegreeOfFreedomForCurvature)
{
    CalibrationStudy study;
    enter(study, {1, 2, 3}, {{1.0, 1.1, 0.9, 1.05}, {2.0, 2.2, 1.9, 2.1}, {3.1, 2.9, 3.0, 3.05}});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.anova()[2][2], "1");
    EXPECT_EQ(study.anova()[3][2], "9");
    EXPECT_EQ(study.anova()[4][2], "11");
}

TEST_F(CalibrationStudyTest, RefusalsLeaveThePreviousResults)
{
    struct Case {
        const char* name;
        std::vector<double> x;
        Levels y;
        std::string message;
    };
    const std::string missing =
        "Mancano alcuni valori di concentrazione.\r\nImpossibile calcolare i risultati";
    const std::vector<Case> cases = {
        {"zero concentration", {1, 0, 3, 4}, {{1, 1.1, 1}, {2, 2, 2.1}, {3, 3, 3.1}, {4, 4, 4.1}}, missing},
        {"all zero",
         {1, 2, 3, 4},
         {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
         "Tutti i valori sono pari a zero, impossibile calcolare i risultati."},
        {"equal concentrations",
         {2, 2, 2, 2},
         {{1, 1.1, 1}, {2, 2, 2.1}, {3, 3, 3.1}, {4, 4, 4.1}},
         "Le concentrazioni sono tutte uguali: impossibile calcolare la retta di regressione."},
        {"equal concentrations with rounding",
         {0.1, 0.1, 0.1},
         {{1, 1.1, 1}, {2, 2, 2.1}, {3, 3, 3.1}},
         "Le concentrazioni sono tutte uguali: impossibile calcolare la retta di regressione."},
        {"equal responses",
         {1, 2, 3, 4},
         {{0.7, 0.7, 0.7}, {0.7, 0.7, 0.7}, {0.7, 0.7, 0.7}, {0.7, 0.7, 0.7}},
         "Le risposte sono tutte uguali: impossibile calcolare la retta di regressione."},
        {"slope zero",
         {1, 2, 3},
         {{1, 1.2, 0.8}, {2, 2.1, 1.9}, {1, 1.2, 0.8}},
         "La pendenza della retta è zero (le risposte non variano con la concentrazione): "
         "impossibile calcolare i risultati."},
    };
    for (const Case& c : cases) {
        CalibrationStudy study;
        enterWorkedExample(study);
        ASSERT_TRUE(study.calculate().computed);
        const auto before = study.anova();
        const std::string conclusion = study.conclusionText();
        // fresh dimensions for the case (a level count change keeps the earlier cells)
        enter(study, c.x, c.y);
        const CalcOutcome outcome = study.calculate();
        EXPECT_FALSE(outcome.computed) << c.name;
        ASSERT_EQ(outcome.messages.size(), 1u) << c.name;
        EXPECT_EQ(outcome.messages[0].text, c.message) << c.name;
        EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning) << c.name;
        EXPECT_EQ(study.results().b, "1.010") << c.name;
        EXPECT_EQ(study.anova(), before) << c.name;
        EXPECT_EQ(study.conclusionText(), conclusion) << c.name;
    }
}

TEST_F(CalibrationStudyTest, ConcentrationWarningComesBeforeAnyOtherAndNegativeCounts)
{
    CalibrationStudy study;
    enter(study, {1, 2, 3, 4}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    study.setConcentrationText(3, "-4.000");
    const CalcOutcome outcome = study.calculate();
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text.rfind("Mancano alcuni valori di concentrazione.", 0), 0u);
    study.setConcentrationText(3, "abc");
    EXPECT_FALSE(study.ReadGridData());
}

TEST_F(CalibrationStudyTest, EmptyResponseCellIsRefused)
{
    CalibrationStudy study;
    enterWorkedExample(study);
    study.grid().setCell(1, 2, std::nullopt);
    const CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text,
              "Alcune risposte mancano o non sono valori numerici.\r\nImpossibile calcolare i risultati");
}

TEST_F(CalibrationStudyTest, StronglyLinearLargeCalibrationComputesWithoutOverflow)
{
    // 15 levels of 9 responses: N - k = 120 degrees of freedom for the pure error
    CalibrationStudy study;
    std::vector<double> x;
    Levels y;
    for (int i = 1; i <= 15; ++i) {
        x.push_back(i * 10.0);
        std::vector<double> level;
        for (int r = 0; r < 9; ++r) level.push_back(i * 20.0 + 0.001 * ((r * 7 + i) % 5) - 0.002);
        y.push_back(level);
    }
    enter(study, x, y);
    const CalcOutcome outcome = study.calculate();
    ASSERT_TRUE(outcome.computed);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(study.anova()[3][2], "120");
    EXPECT_EQ(study.anova()[1][5], "  (S)");
    EXPECT_EQ(study.results().r, "1.000");
    EXPECT_EQ(study.results().b, "2.000");
}

TEST_F(CalibrationStudyTest, DimensionsOutsideTheirLimitsAreIgnored)
{
    CalibrationStudy study;
    EXPECT_FALSE(study.setLevelCount(2));
    EXPECT_FALSE(study.setLevelCount(16));
    EXPECT_FALSE(study.setResponseCount(41));
    EXPECT_FALSE(study.isModified());
    EXPECT_EQ(study.grid().columnCount(), 5);

    EXPECT_TRUE(study.setLevelCount(15));
    EXPECT_TRUE(study.setResponseCount(40));
    EXPECT_TRUE(study.isModify());
    EXPECT_EQ(study.totalCount(), 600);
    EXPECT_EQ(study.grid().rowCount(), 40);
    EXPECT_EQ(study.concentrationText(14), "15.000");
    EXPECT_EQ(study.grid().cell(39, 14), 0.0);
}

TEST_F(CalibrationStudyTest, SetGridDimensionsKeepsCellsAndNormalisesHeadings)
{
    CalibrationStudy study;
    study.grid().setCell(0, 0, 1.5);
    study.grid().setCell(1, 1, std::nullopt);
    study.setConcentrationText(1, "0.25");
    study.setConcentrationText(2, "dieci");
    ASSERT_TRUE(study.setLevelCount(4));
    EXPECT_EQ(study.grid().cell(0, 0), 1.5);
    EXPECT_EQ(study.grid().cell(1, 1), 0.0);  // empty cells become 0
    EXPECT_EQ(study.concentrationText(1), "0.250");
    EXPECT_EQ(study.concentrationText(2), "3.000");  // not a number: the column number
    ASSERT_TRUE(study.setLevelCount(6));
    EXPECT_EQ(study.concentrationText(5), "6.000");
    EXPECT_EQ(study.grid().cell(2, 5), 0.0);
}

TEST_F(CalibrationStudyTest, NumberFormatChangeRewritesHeadingsAndResults)
{
    SetUserDecimalSeparator(',');
    CalibrationStudy study;
    enterWorkedExample(study);
    study.setNumberFormat({4, 1});
    EXPECT_EQ(study.numInteri(), 4);
    EXPECT_EQ(study.numDecimali(), 1);
    EXPECT_EQ(study.concentrationText(0), "1,0");
    EXPECT_EQ(CurrentNumberPattern(), "###0.0");
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().b, "1,0");
    EXPECT_EQ(study.anova()[1][4], "734,5");
}

TEST_F(CalibrationStudyTest, PerfectLineWithIdenticalReplicatesIsComputedNotRefused)
{
    // Syy - SSreg came out a rounding hair below zero here and the study was refused; the residual is now
    // the sum of lack of fit and pure error, both zero for these data
    CalibrationStudy study;
    enter(study, {0.1, 0.2, 0.3}, {{0.3, 0.3, 0.3}, {0.5, 0.5, 0.5}, {0.7, 0.7, 0.7}});
    const CalcOutcome outcome = study.calculate();
    ASSERT_TRUE(outcome.computed);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(study.results().b, "2.000");
    EXPECT_EQ(study.results().a, "0.100");
    EXPECT_EQ(study.results().r, "1.000");
    EXPECT_EQ(study.results().sa, "0.000");
    EXPECT_EQ(study.anova()[1][4], "      S       ");
    EXPECT_EQ(study.anova()[2][1], "0.000");
    EXPECT_EQ(study.anova()[3][1], "0.000");
    EXPECT_EQ(study.anova()[4][1], "0.240");
}

TEST_F(CalibrationStudyTest, ResponsesSharingLeadingDigitsKeepTheLineAndItsAnalysisOfVariance)
{
    // The worked example with 123456789000 added to every response, and then to the concentrations 1000
    // as well: slope, sums of squares, F and D stay those of the worked example; python3
    // tests/data/shifted_reference.py ("calibration") gives every figure exactly.
    struct Case {
        double xShift;
        std::string a, sa;
    };
    const Case cases[] = {{0, "123456788999.9830000000", "0.0915605446"},
                          {1000, "123456787989.9830000000", "33.5167875847"}};
    for (const Case& c : cases) {
        CalibrationStudy study;
        study.setNumberFormat({12, 1});
        const double y0 = 123456789000.0;
        enter(study, {c.xShift + 1, c.xShift + 2, c.xShift + 3, c.xShift + 4},
              {{y0 + 1.0, y0 + 1.2, y0 + 0.8},
               {y0 + 2.1, y0 + 1.9, y0 + 2.0},
               {y0 + 2.9, y0 + 3.1, y0 + 3.0},
               {y0 + 4.2, y0 + 3.9, y0 + 4.0}});
        ASSERT_TRUE(study.calculate().computed) << c.xShift;
        EXPECT_EQ(study.results().b, "1.0") << c.xShift;
        EXPECT_EQ(study.anova()[1][1], "15.3") << c.xShift;
        EXPECT_EQ(study.anova()[1][4], "734.5") << c.xShift;
        // results with ten decimals, the pattern another window set last
        MakeNumberPattern(3, 10);
        ASSERT_TRUE(study.calculate().computed) << c.xShift;
        const auto& r = study.results();
        EXPECT_EQ(r.b, "1.0100000000") << c.xShift;
        EXPECT_EQ(r.a, c.a) << c.xShift;
        EXPECT_EQ(r.r, "0.9945658524") << c.xShift;
        EXPECT_EQ(r.sa, c.sa) << c.xShift;
        EXPECT_EQ(r.sb, "0.0334331838") << c.xShift;
        const auto& t = study.anova();
        EXPECT_EQ(t[1][1], "15.3015000000") << c.xShift;
        EXPECT_EQ(t[1][4], "734.4720000000") << c.xShift;
        EXPECT_EQ(t[1][5], "  (S)") << c.xShift;
        EXPECT_EQ(t[2][1], "0.0010000000") << c.xShift;
        EXPECT_EQ(t[2][3], "0.0005000000") << c.xShift;
        EXPECT_EQ(t[2][4], "0.0240000000") << c.xShift;
        EXPECT_EQ(t[2][5], " (NS)") << c.xShift;
        EXPECT_EQ(t[3][1], "0.1666666667") << c.xShift;
        EXPECT_EQ(t[3][3], "0.0208333333") << c.xShift;
        EXPECT_EQ(t[4][1], "15.4691666667") << c.xShift;
        EXPECT_NE(study.conclusions()[1].find("D = 0.3296394467  µg/ml"), std::string::npos) << c.xShift;
    }
}

}  // namespace
}  // namespace kestra
