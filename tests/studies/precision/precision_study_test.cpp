#include "studies/precision/precision_study.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/number_pattern.h"

namespace kestra {
namespace {

class PrecisionStudyTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    static void enter(PrecisionStudy& study, std::initializer_list<double> values)
    {
        study.setDeterminationCount(static_cast<int>(values.size()));
        int r = 0;
        for (double v : values) study.grid().setCell(r++, 0, v);
    }
    // The text with "," in place of "." when the separator is ",".
    static std::string sep(std::string text, char separator)
    {
        if (separator == ',')
            for (char& c : text)
                if (c == '.') c = ',';
        return text;
    }
};

TEST_F(PrecisionStudyTest, ResetState)
{
    PrecisionStudy study;
    EXPECT_EQ(study.title(), "Ripetibilità - no file");
    EXPECT_EQ(study.determinationCount(), 6);
    EXPECT_EQ(study.headerFieldCount(), 3);
    EXPECT_EQ(study.grid().rowCount(), 6);
    EXPECT_EQ(study.grid().columnCount(), 1);
    EXPECT_EQ(study.grid().columnHeader(0), "Risultati");
    EXPECT_EQ(study.grid().cornerHeader(), "Dati");
    EXPECT_EQ(study.grid().cell(5, 0), 0.0);
    EXPECT_EQ(study.numberPattern(), "##0.000");
    EXPECT_EQ(CurrentNumberPattern(), "##0.000");
    const auto& r = study.results();
    for (const std::string* text :
         {&r.media, &r.stDev, &r.cv, &r.t, &r.p, &r.infConf, &r.supConf, &r.intConf})
        EXPECT_EQ(*text, "0.000");
    EXPECT_EQ(r.gdl, "0");
    EXPECT_EQ(study.conclusionText(), "");
    EXPECT_FALSE(study.isModified());
    EXPECT_EQ(study.chartState(), PrecisionStudy::ChartState::Empty);
    const ChartData chart = study.chart();
    EXPECT_TRUE(chart.empty());
    EXPECT_EQ(chart.title, "");
    EXPECT_EQ(chart.footnote, "");
}

TEST_F(PrecisionStudyTest, DimensionKeepsValuesAndRefusesOutOfRange)
{
    PrecisionStudy study;
    study.grid().setCell(1, 0, 4.5);
    study.grid().setCell(2, 0, std::nullopt);
    EXPECT_FALSE(study.setDeterminationCount(2));
    EXPECT_FALSE(study.setDeterminationCount(100));
    EXPECT_FALSE(study.isModify());
    EXPECT_TRUE(study.setDeterminationCount(8));
    EXPECT_TRUE(study.isModify());
    EXPECT_EQ(study.grid().rowCount(), 8);
    EXPECT_EQ(study.grid().cell(1, 0), 4.5);
    EXPECT_EQ(study.grid().cell(2, 0), 0.0);  // a cell that is not a number becomes 0
    EXPECT_EQ(study.grid().rowHeader(7), "8");
    EXPECT_TRUE(study.setDeterminationCount(3));
    EXPECT_EQ(study.grid().rowCount(), 3);
}

TEST_F(PrecisionStudyTest, WorkedExampleInBothSeparators)
{
    for (char s : {'.', ','}) {
        SetUserDecimalSeparator(s);
        PrecisionStudy study;
        enter(study, {10.1, 9.9, 10.0, 10.2, 9.8, 10.0});
        const CalcOutcome outcome = study.calculate();
        EXPECT_TRUE(outcome.computed);
        EXPECT_TRUE(outcome.messages.empty());
        const auto& r = study.results();
        EXPECT_EQ(r.media, sep("10.000", s));
        EXPECT_EQ(r.stDev, sep("0.141", s));
        EXPECT_EQ(r.cv, sep("1.414", s));
        EXPECT_EQ(r.gdl, "5");
        EXPECT_EQ(r.t, sep("2.571", s));
        EXPECT_EQ(r.p, sep("0.050", s));
        EXPECT_EQ(r.infConf, sep("9.852", s));
        EXPECT_EQ(r.supConf, sep("10.148", s));
        EXPECT_EQ(r.intConf, sep("0.296", s));

        const std::string italian = study.conclusion(Language::Italian);
        EXPECT_EQ(
            italian,
            "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA PRECISIONE\r\n\r\n"
            "La precisione del contenuto analitico medio valutato da un analista con 6 replicazioni "
            "dell'analisi espressa in precisione percentuale P% = (CV * t / Sqr(n)) con una probabilità "
            "statistica del 95% è :\r\n\r\nP% = ± " +
                sep("1.484", s) +
                "\r\n\r\nLa deviazione standard delle misure effettuate è pari a: " + sep("0.141", s));
        EXPECT_EQ(study.conclusionText(), italian);
        EXPECT_EQ(
            study.conclusion(Language::English),
            "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nPRECISION TEST\r\n\r\n"
            "The precision of the medium analytical content estimated from an analyst with 6 replications "
            "of the analysis expressed in precision percentage P% = (CV * t / Sqr(n)) as statistical "
            "probability of 95% is :\r\n\r\nP% = ± " +
                sep("1.484", s) +
                "\r\n\r\nThe standard deviation of the measures is equal to: " + sep("0.141", s));

        const ChartData chart = study.chart();
        EXPECT_NEAR(chart.xAxis.minimum, 9.436, 1e-12);
        EXPECT_NEAR(chart.xAxis.maximum, 10.564, 1e-12);
        EXPECT_NEAR(chart.yAxis.maximum, 2.8209479, 1e-6);
    }
}

TEST_F(PrecisionStudyTest, HalfWidthAndPercentageAreCutNotRounded)
{
    // n = 3 uses t = 4.303; the half-width 4.303 * 0.2 / sqrt(3) = 0.49687 is cut to 0.496
    PrecisionStudy study;
    enter(study, {10.0, 10.2, 10.4});
    ASSERT_TRUE(study.calculate().computed);
    const auto& r = study.results();
    EXPECT_EQ(r.t, "4.303");
    EXPECT_EQ(r.gdl, "2");
    EXPECT_EQ(r.stDev, "0.200");
    EXPECT_EQ(r.infConf, "9.704");
    EXPECT_EQ(r.supConf, "10.696");
    EXPECT_EQ(r.intConf, "0.992");
    // P% = 0.49687 * 100 / 10.2 = 4.8712..., cut to 4.871 and written in its shortest form
    EXPECT_NE(study.conclusionText().find("P% = ± 4.871\r\n"), std::string::npos);
}

TEST_F(PrecisionStudyTest, PercentageIsWrittenInItsShortestForm)
{
    // 1, 2, 11: P% = 4.303 * 5.5076 * 100 / (sqrt(3) * 4.6667) = 293.20003, cut to 293.2 and written bare
    for (char s : {'.', ','}) {
        SetUserDecimalSeparator(s);
        PrecisionStudy study;
        enter(study, {1, 2, 11});
        ASSERT_TRUE(study.calculate().computed);
        EXPECT_NE(study.conclusionText().find(sep("P% = ± 293.2\r\n", s)), std::string::npos)
            << study.conclusionText();
    }
}

TEST_F(PrecisionStudyTest, RefusesACellThatIsNotANumberAndKeepsThePreviousResults)
{
    PrecisionStudy study;
    enter(study, {10.1, 9.9, 10.0, 10.2, 9.8, 10.0});
    ASSERT_TRUE(study.calculate().computed);
    const auto before = study.results();
    const std::string conclusion = study.conclusionText();

    study.grid().setCell(2, 0, 11.0);
    study.grid().setCell(3, 0, std::nullopt);
    CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);
    EXPECT_EQ(outcome.messages[0].text,
              "Impossibile calcolare: il risultato della riga 4 non è un numero.\n"
              "Inserire un valore numerico in ogni riga della griglia.");
    EXPECT_EQ(study.results().media, before.media);
    EXPECT_EQ(study.conclusionText(), conclusion);
    EXPECT_EQ(study.chartState(), PrecisionStudy::ChartState::Curve);

    study.grid().setCell(0, 0, std::nullopt);
    study.grid().setCell(5, 0, std::nullopt);
    outcome = study.calculate();
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_NE(outcome.messages[0].text.find("i risultati delle righe 1, 4 e 6 non sono numeri"),
              std::string::npos);
}

TEST_F(PrecisionStudyTest, AllZerosComputeNothingAndSayWhy)
{
    PrecisionStudy study;
    const CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);
    EXPECT_EQ(outcome.messages[0].text,
              "Impossibile calcolare: i valori della griglia sono tutti uguali a zero.\nInserire i dati "
              "misurati e premere di nuovo Calcola.");
    EXPECT_EQ(study.results().media, "0.000");
    EXPECT_EQ(study.conclusionText(), "");
    EXPECT_EQ(study.chartState(), PrecisionStudy::ChartState::Empty);
}

TEST_F(PrecisionStudyTest, EqualResultsShowZeroScatterAndNoCurve)
{
    PrecisionStudy study;
    study.setHeader(0, "HPLC");
    enter(study, {5, 5, 5});
    ASSERT_TRUE(study.calculate().computed);
    const auto& r = study.results();
    EXPECT_EQ(r.stDev, "0.000");
    EXPECT_EQ(r.cv, "0.000");
    EXPECT_EQ(r.infConf, "5.000");
    EXPECT_EQ(r.supConf, "5.000");
    EXPECT_EQ(r.intConf, "0.000");
    EXPECT_NE(study.conclusionText().find("P% = ± 0\r\n"), std::string::npos);
    EXPECT_EQ(study.chartState(), PrecisionStudy::ChartState::Unavailable);
    for (Language language : {Language::Italian, Language::English}) {
        const ChartData chart = study.charts(language).front();
        EXPECT_EQ(chart.title, "Dev.standard = 0: grafico non disponibile");
        EXPECT_EQ(chart.titleFontSize, 10);
        // no curve, so none of its texts: no axis title, no footnote
        EXPECT_FALSE(chart.xAxis.titleVisible && !chart.xAxis.title.empty());
        EXPECT_TRUE(chart.footnote.empty());
        ASSERT_EQ(chart.rows.size(), 2u);
        for (const auto& row : chart.rows) EXPECT_EQ(row, (std::vector<std::optional<double>>{0.0, 0.0}));
    }
}

TEST_F(PrecisionStudyTest, CurveSpansMeanPlusMinusFourDisplayedDeviations)
{
    PrecisionStudy study;
    enter(study, {10.1, 9.9, 10.0, 10.2, 9.8, 10.0});
    ASSERT_TRUE(study.calculate().computed);
    const ChartData chart = study.chart();
    EXPECT_EQ(chart.kind, ChartData::Kind::XY);
    EXPECT_EQ(chart.name, "VtGrafPrec");
    ASSERT_EQ(chart.rows.size(), 1000u);
    const double s = std::sqrt(0.02);
    const double step = 8 * 0.141 / 1000;
    int written = 0;
    for (std::size_t j = 0; j < chart.rows.size(); ++j) {
        const auto& row = chart.rows[j];
        ASSERT_EQ(row.size(), 2u);
        if (!row[0]) continue;
        ++written;
        EXPECT_NEAR(*row[0], 9.436 + static_cast<double>(j) * step, 1e-9);
        const double z = (*row[0] - 10.0) / s;
        const double density = std::exp(-z * z / 2) / (std::sqrt(2 * M_PI) * s);  // the true s
        EXPECT_NEAR(*row[1], density, density * 1e-6);
        EXPECT_LE(*row[0], 10.564 + 1e-12);
    }
    EXPECT_GE(written, 999);
    EXPECT_FALSE(chart.xAxis.automatic);
    EXPECT_EQ(chart.xAxis.majorDivisions, 4);
    EXPECT_EQ(chart.xAxis.minorDivisions, 1);
    EXPECT_FALSE(chart.yAxis.automatic);
    EXPECT_EQ(chart.yAxis.minimum, 0.0);
    EXPECT_FALSE(chart.yAxis.titleVisible);
    EXPECT_FALSE(chart.legendVisible);
}

TEST_F(PrecisionStudyTest, DisplayedDeviationOfZeroPutsEveryPointAtTheMean)
{
    // 98 zeros and one 0.001: s = 0.0001 shows as 0.000 with three decimals
    PrecisionStudy study;
    study.setDeterminationCount(99);
    study.grid().setCell(98, 0, 0.001);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().stDev, "0.000");
    const ChartData chart = study.chart();
    ASSERT_EQ(chart.rows.size(), 1000u);
    const double mean = 0.001 / 99;
    for (const auto& row : chart.rows) {
        ASSERT_TRUE(row[0].has_value());
        EXPECT_DOUBLE_EQ(*row[0], mean);
    }
    EXPECT_DOUBLE_EQ(chart.xAxis.minimum, mean);
    EXPECT_DOUBLE_EQ(chart.xAxis.maximum, mean);
    EXPECT_GT(chart.yAxis.maximum, 0.0);
}

TEST_F(PrecisionStudyTest, ChartTextsFollowTheLanguageAndCalculationResetsToItalian)
{
    PrecisionStudy study;
    study.setHeader(0, "  HPLC  ");
    study.setHeader(1, "Piombo");
    enter(study, {10.1, 9.9, 10.0});
    ASSERT_TRUE(study.calculate().computed);
    ChartData chart = study.chart();
    EXPECT_EQ(chart.title, "Precisione");
    EXPECT_EQ(chart.titleFontSize, 10);
    EXPECT_EQ(chart.xAxis.title, "Curva di precisione");
    EXPECT_EQ(chart.xAxis.titleFontSize, 10);
    EXPECT_TRUE(chart.xAxis.titleVisible);
    EXPECT_EQ(chart.footnote, "Metodo analitico: HPLC\r\nAnalita: Piombo\r\nCampione: ");
    EXPECT_EQ(chart.footnoteFontSize, 7);

    study.setLanGraf(Language::English);
    chart = study.chart();
    EXPECT_EQ(chart.title, "Precision");
    EXPECT_EQ(chart.xAxis.title, "Precision curve");
    EXPECT_EQ(chart.footnote, "Analytical method: HPLC\r\nAnalyte: Piombo\r\nSample: ");

    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.chartLanguage(), Language::Italian);
    EXPECT_EQ(study.chart().title, "Precisione");
}

TEST_F(PrecisionStudyTest, FollowsTheCurrentPatternOfAnotherWindow)
{
    PrecisionStudy study;
    enter(study, {10.1, 9.9, 10.0, 10.2, 9.8, 10.0});
    MakeNumberPattern(2, 5);  // another window changed the format
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().stDev, "0.14142");
    EXPECT_EQ(study.results().p, "0.05000");
    EXPECT_EQ(study.results().gdl, "5");
    // the curve uses the deviation as displayed: 8 * 0.14142
    EXPECT_NEAR(study.chart().xAxis.maximum - study.chart().xAxis.minimum, 8 * 0.14142, 1e-12);
}

TEST_F(PrecisionStudyTest, ReportRecords)
{
    for (Language language : {Language::Italian, Language::English}) {
        PrecisionStudy study;
        study.setHeader(0, std::string(55, 'x'));
        study.setHeader(1, "Piombo è " + std::string(45, 'y'));  // cut at 50 characters, not bytes
        study.setHeader(2, "Acqua");
        enter(study, {10.1, 9.9, 10.0, 10.2, 9.8, 10.0});
        ASSERT_TRUE(study.calculate().computed);
        study.grid().setCell(4, 0, std::nullopt);  // edited after the calculation: the report prints it
        const ReportRecords r = study.reportRecords(language);
        EXPECT_EQ(r.headerTable, "Prec");
        EXPECT_EQ(r.detailTable, "PrecTabella");
        EXPECT_EQ(r.header.text("METODO"), std::string(50, 'x'));
        EXPECT_EQ(r.header.text("ANALITA"), "Piombo è " + std::string(41, 'y'));
        EXPECT_EQ(r.header.text("CAMPIONE"), "Acqua");
        EXPECT_EQ(r.header.text("NDET"), "6");
        EXPECT_EQ(r.header.text("MEDIA"), "10.000");
        EXPECT_EQ(r.header.text("STDEV"), "0.141");
        EXPECT_EQ(r.header.text("CV"), "1.414");
        EXPECT_EQ(r.header.text("GDL"), "5");
        EXPECT_EQ(r.header.text("T"), "2.571");
        EXPECT_EQ(r.header.text("P"), "0.050");
        EXPECT_EQ(r.header.text("LIMCONFINF"), "9.852");
        EXPECT_EQ(r.header.text("LIMCONFSUP"), "10.148");
        EXPECT_EQ(r.header.text("INTERVALLOCONF"), "0.296");
        EXPECT_EQ(r.header.text("CONCLUSIONI"), study.conclusion(language));
        EXPECT_EQ(r.header.text("CONCLUSIONI").substr(0, 5),
                  language == Language::English ? "V A L" : "C O N");
        const FieldValue* id = r.header.find("ID");
        ASSERT_NE(id, nullptr);
        EXPECT_EQ(std::get<std::int64_t>(*id), 1);

        ASSERT_EQ(r.details.size(), 6u);
        const char* expected[] = {"10.100", "9.900", "10.000", "10.200", "", "10.000"};
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(std::get<std::int64_t>(*r.details[i].find("NDATI")), static_cast<std::int64_t>(i + 1));
            EXPECT_EQ(std::get<std::int64_t>(*r.details[i].find("ID")), 1);
            EXPECT_EQ(r.details[i].text("COLA"), expected[i]);
        }
    }
}

TEST_F(PrecisionStudyTest, LongTableFromSixteenResults)
{
    PrecisionStudy study;
    study.setDeterminationCount(15);
    EXPECT_FALSE(study.longTable());
    study.setDeterminationCount(16);
    EXPECT_TRUE(study.longTable());
    EXPECT_EQ(study.reportRecords(Language::Italian).details.size(), 16u);
}

TEST_F(PrecisionStudyTest, ReportBeforeAnyCalculationShowsTheZeros)
{
    PrecisionStudy study;
    const ReportRecords r = study.reportRecords(Language::English);
    EXPECT_EQ(r.header.text("MEDIA"), "0.000");
    EXPECT_EQ(r.header.text("GDL"), "0");
    EXPECT_EQ(r.header.text("CONCLUSIONI"), "");
    EXPECT_EQ(r.details.size(), 6u);
}

TEST_F(PrecisionStudyTest, ResultsSharingLeadingDigitsKeepTheirScatter)
{
    // the worked example weighed on top of 10^9: the same scatter, the mean and limits moved by 10^9
    PrecisionStudy shiftedStudy;
    shiftedStudy.setNumberFormat({10, 3});
    enter(shiftedStudy, {1000000010.1, 1000000009.9, 1000000010.0, 1000000010.2, 1000000009.8, 1000000010.0});
    ASSERT_TRUE(shiftedStudy.calculate().computed);
    EXPECT_EQ(shiftedStudy.results().media, "1000000010.000");
    EXPECT_EQ(shiftedStudy.results().stDev, "0.141");
    EXPECT_EQ(shiftedStudy.results().infConf, "1000000009.852");
    EXPECT_EQ(shiftedStudy.results().supConf, "1000000010.148");
    EXPECT_EQ(shiftedStudy.results().intConf, "0.296");

    // twelve constant leading digits; python3 tests/data/shifted_reference.py ("precision")
    PrecisionStudy study;
    study.setNumberFormat({12, 1});
    enter(study,
          {456789012345.6, 456789012345.1, 456789012345.9, 456789012345.3, 456789012345.4, 456789012345.8});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().media, "456789012345.5");
    EXPECT_EQ(study.results().stDev, "0.3");
    EXPECT_EQ(study.results().infConf, "456789012345.2");
    EXPECT_EQ(study.results().supConf, "456789012345.8");
    MakeNumberPattern(3, 10);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().stDev, "0.3060501048");
    EXPECT_EQ(study.results().cv, "0.0000000001");
    // the half-width cut to three decimals, 0.321
    EXPECT_EQ(study.results().intConf, "0.6420000000");
    EXPECT_EQ(study.results().media, "456789012345.5170000000");
    EXPECT_EQ(study.results().infConf, "456789012345.1960000000");
}

}  // namespace
}  // namespace kestra
