#include <chrono>
#include <cmath>

#include "framework/study.h"
#include "series_study_fixture.h"
#include "text/text_helpers.h"

namespace kestra::test {
namespace {

using Study = IntermediatePrecisionStudy;
using IntermediatePrecisionTest = SeriesStudyTest;

TEST_F(IntermediatePrecisionTest, NewStudyState)
{
    Study study(IntermediatePrecisionConfig());
    EXPECT_EQ(study.title(), "Precisione intermedia - no file");
    EXPECT_EQ(study.seriesCount(), 3);
    EXPECT_EQ(study.perSeriesCount(), 3);
    EXPECT_EQ(study.totalCount(), 9);
    EXPECT_EQ(study.grid().rowCount(), 3);
    EXPECT_EQ(study.grid().columnCount(), 3);
    EXPECT_EQ(study.grid().cornerHeader(), "Rep.");
    EXPECT_EQ(study.grid().columnHeader(2), "3");
    EXPECT_FALSE(study.grid().hasNumber(0, 0));
    EXPECT_EQ(study.numberPattern(), "######0.000");
    EXPECT_EQ(CurrentNumberPattern(), "######0.000");
    EXPECT_EQ(study.seriesKind(), SeriesKind::Analysts);
    EXPECT_EQ(study.treatmentCaption(), "Deviazione std. tra analisti");
    EXPECT_EQ(study.seriesMeanTexts(), std::vector<std::string>(3, "0.000"));
    for (const std::string& t : {study.sbText(), study.srText(), study.sRText(), study.precisionText()})
        EXPECT_EQ(t, "0.000");
    EXPECT_FALSE(study.estimatedFromMeans());
    EXPECT_EQ(study.aovCell(1, 1), "Variazione");
    EXPECT_EQ(study.aovCell(3, 1), "Errore (in ogni serie)");
    EXPECT_EQ(study.aovCell(2, 6), "0");
    EXPECT_EQ(study.aovCell(3, 4), "0");
    EXPECT_EQ(study.aovCell(4, 3), "0");
    EXPECT_EQ(study.aovCell(4, 4), "");
    EXPECT_EQ(study.conclusionText(), "");
    EXPECT_TRUE(study.charts(Language::Italian).front().empty());
    EXPECT_EQ(study.charts(Language::Italian).front().title, "");
    EXPECT_FALSE(study.isModified());
}

TEST_F(IntermediatePrecisionTest, GreyedCellsAreTheEmptyOnes)
{
    const std::vector<std::pair<int, int>> greyed = {{3, 5}, {3, 6}, {4, 4}, {4, 5}, {4, 6}};
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 6; ++c) {
            const bool expected = std::find(greyed.begin(), greyed.end(), std::pair{r, c}) != greyed.end();
            EXPECT_EQ(Study::aovCellGreyed(r, c), expected) << r << "," << c;
        }
}

TEST_F(IntermediatePrecisionTest, WorkedExampleInBothSeparators)
{
    for (char s : {'.', ','}) {
        SetUserDecimalSeparator(s);
        Study study(IntermediatePrecisionConfig());
        enter(study, workedExample());
        study.setModify(false);
        const CalcOutcome outcome = study.calculate();
        ASSERT_TRUE(outcome.computed);
        EXPECT_TRUE(outcome.messages.empty());
        EXPECT_FALSE(study.isModify());  // a calculation leaves the modified flag alone
        EXPECT_EQ(study.aovCell(2, 2), sep("28.000", s));
        EXPECT_EQ(study.aovCell(2, 3), "2");
        EXPECT_EQ(study.aovCell(2, 4), sep("14.000", s));
        EXPECT_EQ(study.aovCell(2, 5), sep("7.000", s));
        EXPECT_EQ(study.aovCell(2, 6), sep("9.55 (NS)", s));
        EXPECT_EQ(study.aovCell(3, 2), sep("6.000", s));
        EXPECT_EQ(study.aovCell(3, 3), "3");
        EXPECT_EQ(study.aovCell(3, 4), sep("2.000", s));
        EXPECT_EQ(study.aovCell(4, 2), sep("34.000", s));
        EXPECT_EQ(study.aovCell(4, 3), "5");
        EXPECT_EQ(study.sbText(), sep("2.449", s));
        EXPECT_EQ(study.srText(), sep("1.414", s));
        EXPECT_EQ(study.sRText(), sep("2.828", s));
        EXPECT_EQ(study.precisionText(), sep("22.840", s));
        EXPECT_FALSE(study.estimatedFromMeans());
        EXPECT_EQ(study.seriesMeanTexts(),
                  (std::vector<std::string>{sep("11.000", s), sep("12.000", s), sep("16.000", s)}));
        EXPECT_EQ(
            study.conclusions()[1],
            "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nINTERMEDIATE PRECISION TEST"
            "\r\n\r\n\r\nThe standard deviation between analysts  is :\r\n" +
                sep("2.449", s) + "\r\n\r\nThe standard deviation between repeated analyses is :\r\n" +
                sep("1.414", s));
        EXPECT_EQ(study.conclusions()[0],
                  "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA PRECISIONE "
                  "INTERMEDIA\r\n\r\n\r\nLa deviazione standard tra analisti  è :\r\n" +
                      sep("2.449", s) + "\r\n\r\nLa deviazione standard tra analisi ripetute è :\r\n" +
                      sep("1.414", s));
        EXPECT_EQ(study.conclusionText(), study.conclusions()[0]);
    }
}

TEST_F(IntermediatePrecisionTest, ChartHoldsTheIntervalsOfTheSeriesMeans)
{
    Study study(IntermediatePrecisionConfig());
    enter(study, workedExample());
    study.setHeader(0, " HPLC ");
    study.setHeader(3, "mg/l");
    ASSERT_TRUE(study.calculate().computed);
    const ChartData it = study.charts(Language::Italian).front();
    EXPECT_EQ(it.kind, ChartData::Kind::HighLow);
    EXPECT_EQ(it.name, "VtGrafPrin");
    EXPECT_EQ(it.title, "Medie");
    EXPECT_EQ(it.xAxis.title, "Serie");
    EXPECT_EQ(it.footnote,
              "Metodo analitico: HPLC\r\nAnalita: \r\nCampione: \r\nU.M. della conc. dell'analita: mg/l");
    ASSERT_EQ(it.rows.size(), 3u);
    EXPECT_EQ(it.rowLabels, (std::vector<std::string>{"1", "2", "3"}));
    // t for one degree of freedom is 12.706; s = sqrt(2), so the half-width is 12.706 exactly
    EXPECT_NEAR(*it.rows[0][0], 11 - 12.706, 1e-9);
    EXPECT_NEAR(*it.rows[0][1], 11 + 12.706, 1e-9);
    EXPECT_DOUBLE_EQ(*it.rows[2][2], 16.0);
    const ChartData en = study.charts(Language::English).front();
    EXPECT_EQ(en.title, "Means");
    EXPECT_EQ(en.xAxis.title, "Series");
    EXPECT_EQ(en.footnote,
              "Analytical method: HPLC\r\nAnalyte: \r\nSample: \r\nMeasure unit of the analyte "
              "concentration: mg/l");
}

TEST_F(IntermediatePrecisionTest, EqualValuesWithinSeriesAreSignificantWithoutF)
{
    for (const auto& data :
         std::vector<std::vector<std::vector<double>>>{{{10, 10}, {11, 11}, {15, 15}},
                                                       // decimals leave rounding noise
                                                       {{0.1, 0.1, 0.1}, {0.2, 0.2, 0.2}, {0.7, 0.7, 0.7}}}) {
        Study study(IntermediatePrecisionConfig());
        enter(study, data);
        ASSERT_TRUE(study.calculate().computed);
        EXPECT_EQ(study.aovCell(2, 5), CentreText("S", 14));
        EXPECT_EQ(study.aovCell(2, 5).size(), 14u);
        EXPECT_EQ(study.aovCell(3, 4), "0.000");
        EXPECT_EQ(study.aovCell(2, 6).substr(study.aovCell(2, 6).size() - 4), " (S)");
        EXPECT_EQ(study.srText(), "0.000");
        EXPECT_FALSE(study.estimatedFromMeans());
    }
}

TEST_F(IntermediatePrecisionTest, SmallScatterOfLargeValuesIsNotTakenForZero)
{
    // SSW = 1.5e-6 beside sums of squares of 6e6: small, but real
    Study study(IntermediatePrecisionConfig());
    enter(study, {{1000.001, 1000.002}, {1000.001, 1000.002}, {1000.004, 1000.005}});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_NEAR(shown(study.aovCell(2, 5)), 12.0, 0.05);
    EXPECT_EQ(study.aovCell(2, 6), "9.55 (S)");
    EXPECT_FALSE(study.estimatedFromMeans());
}

TEST_F(IntermediatePrecisionTest, AllValuesEqualTakeSbFromTheMeans)
{
    for (double v : {4.0, 0.3}) {
        Study study(IntermediatePrecisionConfig());
        enter(study, {{v, v}, {v, v}, {v, v}});
        ASSERT_TRUE(study.calculate().computed);
        EXPECT_EQ(study.aovCell(2, 5), CentreText("NS", 14));
        EXPECT_EQ(study.aovCell(2, 6), "9.55 (NS)");
        EXPECT_EQ(study.sbText(), "0.000");
        EXPECT_EQ(study.sRText(), "0.000");
        EXPECT_TRUE(study.estimatedFromMeans());
    }
}

TEST_F(IntermediatePrecisionTest, ZeroTotalChangesNothingAndSaysWhy)
{
    Study study(IntermediatePrecisionConfig());
    enter(study, workedExample());
    ASSERT_TRUE(study.calculate().computed);
    const std::string conclusion = study.conclusionText();
    enter(study, {{0, 0}, {0, 0}, {0, 0}});
    const CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text,
              "Impossibile calcolare: i valori della griglia sono tutti uguali a zero.\nInserire i dati "
              "misurati e premere di nuovo Calcola.");
    EXPECT_EQ(study.sbText(), "2.449");
    EXPECT_EQ(study.conclusionText(), conclusion);
    EXPECT_EQ(study.charts(Language::Italian).front().rows.size(), 3u);
}

TEST_F(IntermediatePrecisionTest, CloseMeansTakeSbFromTheMeansAndKeepTheSumOfSquares)
{
    // series means 10.5, 10.6, 10.4 with a large scatter inside each series: MSB < MSW
    Study study(IntermediatePrecisionConfig());
    enter(study, {{8, 13}, {8.2, 13}, {7.8, 13}});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_TRUE(study.estimatedFromMeans());
    EXPECT_LT(shown(study.aovCell(2, 4)), shown(study.aovCell(3, 4)));
    EXPECT_EQ(study.sbText(), "0.100");  // standard deviation of 10.5, 10.6, 10.4
    // sR is built from the sb on display: sR^2 = sb^2 + sr^2, never below sr
    const double sb = shown(study.sbText()), sr = shown(study.srText()), sR = shown(study.sRText());
    EXPECT_GE(sR, sr);
    EXPECT_NEAR(sR * sR, sb * sb + sr * sr, 2e-3 * sR);
}

TEST_F(IntermediatePrecisionTest, ReproducibilityIsTheRootOfTheDisplayedSquaresInEveryBranch)
{
    const std::vector<std::vector<std::vector<double>>> cases = {
        workedExample(),
        {{8, 13}, {8.2, 13}, {7.8, 13}},
        {{5, 5.5, 6}, {9, 9.2, 9.4}, {1, 4, 7}, {6, 6, 6.1}}};
    for (const auto& data : cases) {
        Study study(IntermediatePrecisionConfig());
        enter(study, data);
        ASSERT_TRUE(study.calculate().computed);
        const double sb = shown(study.sbText()), sr = shown(study.srText()), sR = shown(study.sRText());
        EXPECT_NEAR(sR, std::sqrt(sb * sb + sr * sr), 1.5e-3);
    }
}

TEST_F(IntermediatePrecisionTest, SignificanceIsReadFromTheDisplayedF)
{
    // F = 9.5 exactly: below the critical 9.55, but shown without decimals it reads 10
    const std::vector<std::vector<double>> data = {{0, 0}, {1, 2}, {2, 3}};
    Study study(IntermediatePrecisionConfig());
    enter(study, data);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.aovCell(2, 5), "9.500");
    EXPECT_EQ(study.aovCell(2, 6), "9.55 (NS)");
    study.setNumberFormat({7, 0});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.aovCell(2, 5), "10");
    EXPECT_EQ(study.aovCell(2, 6), "9.55 (S)");
}

TEST_F(IntermediatePrecisionTest, SeriesWithMeanZeroHasItsOwnMeanAndVariance)
{
    Study study(IntermediatePrecisionConfig());
    enter(study, {{-1, 1}, {2, 4}, {3, 5}});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.seriesMeanTexts()[0], "0.000");
    const ChartData chart = study.charts(Language::Italian).front();
    // s = sqrt(2) like the other series, so the same half-width 12.706 around 0
    EXPECT_NEAR(*chart.rows[0][0], -12.706, 1e-9);
    EXPECT_NEAR(*chart.rows[0][1], 12.706, 1e-9);
    EXPECT_DOUBLE_EQ(*chart.rows[0][2], 0.0);
    EXPECT_NEAR(*chart.rows[1][0], 3 - 12.706, 1e-9);
}

TEST_F(IntermediatePrecisionTest, EmptyCellIsRefusedAndResultsStay)
{
    Study study(IntermediatePrecisionConfig());
    enter(study, workedExample());
    ASSERT_TRUE(study.calculate().computed);
    study.grid().setCell(1, 2, std::nullopt);
    study.grid().setCell(0, 0, 99);
    const CalcOutcome outcome = RunCalculation(study);
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(
        outcome.messages[0].text,
        "Il dato 2 della serie 3 è vuoto: inserire un valore numerico in ogni cella prima di calcolare.");
    EXPECT_EQ(study.aovCell(2, 2), "28.000");
    EXPECT_EQ(study.seriesMeanTexts()[0], "11.000");
}

TEST_F(IntermediatePrecisionTest, NewStudyCannotBeComputedBeforeItsCellsHoldNumbers)
{
    Study study(IntermediatePrecisionConfig());
    study.grid().setCell(0, 0, 5);
    const CalcOutcome outcome = RunCalculation(study);
    EXPECT_FALSE(outcome.computed);
    EXPECT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(study.sbText(), "0.000");
}

TEST_F(IntermediatePrecisionTest, DimensionsKeepValuesAndFillNewCellsWithZero)
{
    Study study(IntermediatePrecisionConfig());
    enter(study, workedExample());
    study.setModify(false);
    EXPECT_FALSE(study.setSeriesCount(25));
    EXPECT_FALSE(study.setSeriesCount(2));
    EXPECT_FALSE(study.setPerSeriesCount(1));
    EXPECT_FALSE(study.setPerSeriesCount(41));
    EXPECT_FALSE(study.isModify());
    EXPECT_EQ(study.grid().columnCount(), 3);
    EXPECT_TRUE(study.setSeriesCount(5));
    EXPECT_TRUE(study.isModify());
    EXPECT_EQ(study.totalCount(), 10);
    EXPECT_EQ(study.grid().columnHeader(4), "5");
    EXPECT_EQ(study.grid().cell(1, 4), 0.0);
    EXPECT_EQ(study.grid().cell(1, 2), 17.0);
    EXPECT_EQ(study.seriesMeanTexts().size(), 5u);
    EXPECT_TRUE(study.setPerSeriesCount(40));
    EXPECT_TRUE(study.setSeriesCount(20));
    EXPECT_EQ(study.totalCount(), 800);
    EXPECT_EQ(study.grid().rowHeader(39), "40");
}

TEST_F(IntermediatePrecisionTest, KindOfSeriesChangesCaptionAndConclusionWord)
{
    Study study(IntermediatePrecisionConfig());
    enter(study, workedExample());
    study.setModify(false);
    EXPECT_EQ(study.selectableKinds(), (std::vector<SeriesKind>{SeriesKind::Analysts, SeriesKind::Other}));
    study.selectSeriesKind(SeriesKind::Other);
    EXPECT_FALSE(study.isModify());
    EXPECT_EQ(study.treatmentCaption(), "Deviazione std. tra serie");
    study.selectSeriesKind(SeriesKind::Laboratories);  // hidden in this window
    EXPECT_EQ(study.seriesKind(), SeriesKind::Other);
    EXPECT_EQ(study.conclusionText(), "");  // no recalculation
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_NE(study.conclusions()[0].find("tra serie  è :"), std::string::npos);
    EXPECT_NE(study.conclusions()[1].find("between series  is :"), std::string::npos);
}

TEST_F(IntermediatePrecisionTest, ReportRecords)
{
    Study study(IntermediatePrecisionConfig());
    // before any calculation the reset values are printed
    ReportRecords before = study.reportRecords(Language::Italian);
    EXPECT_EQ(before.headerTable, "Prin");
    EXPECT_EQ(before.detailTable, "PrinTabella");
    EXPECT_EQ(before.header.text("STRAT"), "0.000");
    EXPECT_EQ(before.header.text("TRA_FT"), "0");
    EXPECT_EQ(before.header.text("CONCLUSIONI"), "");
    EXPECT_EQ(before.header.find("NSERIE"), nullptr);

    enter(study, workedExample());
    study.setHeader(0, std::string(60, 'm'));
    study.setHeader(3, "  mg/l ");
    ASSERT_TRUE(study.calculate().computed);
    const ReportRecords it = study.reportRecords(Language::Italian);
    EXPECT_EQ(it.header.text("METODO"), std::string(50, 'm'));
    EXPECT_EQ(it.header.text("UM"), "mg/l");
    EXPECT_EQ(it.header.text("RISDIVERSI"), "Analisti diversi nello stesso laboratorio");
    EXPECT_EQ(it.header.text("STRAT"), "2.449");
    EXPECT_EQ(it.header.text("SRIPR"), "2.828");
    EXPECT_EQ(it.header.text("PRECISIONE"), "22.840");
    EXPECT_EQ(it.header.text("TRA_F"), "7.000");
    EXPECT_EQ(it.header.text("TRA_FT"), "9.55 (NS)");
    EXPECT_EQ(it.header.text("ERR_GDL"), "3");
    EXPECT_EQ(it.header.text("TOT_DEV"), "34.000");
    EXPECT_EQ(it.header.text("CONCLUSIONI"), study.conclusions()[0]);
    ASSERT_EQ(it.details.size(), 6u);
    EXPECT_EQ(it.details[3].text("VALORE"), "13.000");
    EXPECT_EQ(std::get<std::int64_t>(*it.details[3].find("SERIE")), 2);
    EXPECT_EQ(std::get<std::int64_t>(*it.details[3].find("NDATI")), 2);
    EXPECT_EQ(it.details[3].text("MEDIA"), "12.000");

    const ReportRecords en = study.reportRecords(Language::English);
    EXPECT_EQ(en.header.text("RISDIVERSI"), "Various analysts in the same laboratory");
    EXPECT_EQ(en.header.text("CONCLUSIONI"), study.conclusions()[1]);
    study.selectSeriesKind(SeriesKind::Other);
    EXPECT_EQ(study.reportRecords(Language::English).header.text("RISDIVERSI"), "Other (different series)");
    EXPECT_EQ(study.reportRecords(Language::Italian).header.text("RISDIVERSI"), "Altro (serie diverse)");
}

TEST_F(IntermediatePrecisionTest, LargestStudyIsQuickAndWritesEightHundredRows)
{
    Study study(IntermediatePrecisionConfig());
    study.setSeriesCount(20);
    study.setPerSeriesCount(40);
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 40; ++j) study.grid().setCell(j, i, 100 + i * 0.5 + (j % 7) * 0.3);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(study.calculate().computed);
    const ReportRecords records = study.reportRecords(Language::Italian);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 500);
    ASSERT_EQ(records.details.size(), 800u);
    for (int r = 0; r < 40; ++r) {
        EXPECT_EQ(std::get<std::int64_t>(*records.details[static_cast<std::size_t>(r)].find("SERIE")), 1);
        EXPECT_EQ(std::get<std::int64_t>(*records.details[static_cast<std::size_t>(r)].find("NDATI")), r + 1);
    }
    EXPECT_EQ(std::get<std::int64_t>(*records.details[40].find("SERIE")), 2);
    EXPECT_EQ(records.details[799].text("MEDIA"), study.seriesMeanTexts()[19]);
    EXPECT_EQ(records.header.text("TRA_GDL"), "19");
    EXPECT_EQ(records.header.text("ERR_GDL"), "780");
}

TEST_F(IntermediatePrecisionTest, NewStudySeriesMeansReadAsWrittenWhateverTheSeparator)
{
    SetUserDecimalSeparator(',');
    for (const SeriesStudyConfig* config : {&IntermediatePrecisionConfig(), &ReproducibilityConfig()}) {
        Study study(*config);
        EXPECT_EQ(study.seriesMeanTexts(), std::vector<std::string>(3, "0.000"));
        // the results of a new study follow the separator; only the means row is written as it stands
        EXPECT_EQ(study.sbText(), "0,000");
        enter(study, workedExample());
        ASSERT_TRUE(study.calculate().computed);
        EXPECT_EQ(study.seriesMeanTexts(), (std::vector<std::string>{"11,000", "12,000", "16,000"}));
        study.reset();
        EXPECT_EQ(study.seriesMeanTexts(), std::vector<std::string>(3, "0.000"));
    }
}

}  // namespace
}  // namespace kestra::test
