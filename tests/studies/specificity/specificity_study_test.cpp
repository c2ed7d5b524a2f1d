// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/specificity/specificity_study.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "reporting/report_database.h"
#include "test_support.h"

namespace kestra {
namespace {

class SpecificityStudyTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(GetParam());
        m_study = std::make_unique<SpecificityStudy>();
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    static std::string shown(std::string text)
    {
        if (GetParam() == ',')
            for (char& c : text)
                if (c == '.') c = ',';
        return text;
    }

    void setGroup(int group, std::initializer_list<double> values)
    {
        int r = 0;
        for (double v : values) m_study->grid().setCell(r++, group, v);
    }

    void pooledExample()
    {
        m_study->setHeader(0, " HPLC ");
        m_study->setHeader(1, "Caffeina");
        setGroup(0, {98.0, 98.5, 97.5, 98.2, 97.8});
        setGroup(1, {100.0, 100.5, 99.5, 100.2, 99.8});
    }

    std::unique_ptr<SpecificityStudy> m_study;
};

TEST_P(SpecificityStudyTest, PooledWorkedExample)
{
    pooledExample();
    const CalcOutcome outcome = m_study->calculate();
    ASSERT_TRUE(outcome.computed);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(m_study->meanText(0), shown("98.000"));
    EXPECT_EQ(m_study->meanText(1), shown("100.000"));
    EXPECT_EQ(m_study->varianceText(0), shown("0.145"));
    EXPECT_EQ(m_study->varianceText(1), shown("0.145"));
    EXPECT_EQ(m_study->fText(), shown("1.000"));
    EXPECT_EQ(m_study->dfText(), "8");
    EXPECT_EQ(m_study->tText(), shown("8.305"));
    EXPECT_EQ(m_study->pText(), shown("0.000"));
    EXPECT_EQ(m_study->lowerText(0), shown("97.528"));
    EXPECT_EQ(m_study->upperText(0), shown("98.472"));
    EXPECT_EQ(m_study->lowerText(1), shown("99.528"));
    EXPECT_EQ(m_study->upperText(1), shown("100.472"));
    EXPECT_EQ(m_study->judgementLabel(), "Differenza SIGNIFICATIVA (P = 95%)");
    EXPECT_EQ(m_study->judgements()[1], "Difference SIGNIFICANT (P = 95%)");
    EXPECT_EQ(
        m_study->conclusions()[1],
        "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nSPECIFICITY TEST\r\n\r\n"
        "The method HPLC NOT determine analyte Caffeina without having the interferences from other known "
        "substances presents in the sample.");
    EXPECT_EQ(
        m_study->conclusionText(),
        "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA SPECIFICITA'\r\n\r\n"
        "Il metodo HPLC NON è in grado di determinare l'analita Caffeina senza subire le interferenze da "
        "parte di altre sostanze note presenti nel campione.");

    // more decimals show the statistics to their last digit
    m_study->setNumberFormat({6, 6});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->tText(), shown("8.304548"));
    EXPECT_EQ(m_study->pText(), shown("0.000033"));
    EXPECT_EQ(m_study->lowerText(0), shown("97.528000"));
}

TEST_P(SpecificityStudyTest, SeparateVarianceCaseIsNotDeterminable)
{
    setGroup(0, {90, 110, 95, 105, 100});
    setGroup(1, {100.0, 100.2, 99.8, 100.1, 99.9});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->varianceText(0), shown("62.500"));
    EXPECT_EQ(m_study->varianceText(1), shown("0.025"));
    EXPECT_EQ(m_study->fText(), shown("2500.000"));
    EXPECT_EQ(m_study->tText(), shown("0.000"));
    EXPECT_EQ(m_study->dfText(), "5");
    EXPECT_EQ(m_study->pText(), shown("1.000"));
    EXPECT_EQ(m_study->judgementLabel(),
              "Dispersione dei dati elevata.\r\nSpecificità statisticamente non determinabile");
    EXPECT_EQ(m_study->judgements()[1],
              "High dispertion data.\r\nSpecificity statistically not determinable");
    EXPECT_NE(m_study->conclusions()[1].find(
                  "SPECIFICITY TEST\r\n\r\nThe variances of the two groups of data are "
                  "significant different.\r\nGiven the high dispersion of the results, "
                  "with this numerosity of the data (5 for the group A e 5 for the group B)"),
              std::string::npos);
    EXPECT_NE(m_study->conclusionText().find("(5 per il gruppo A e 5 per il gruppo B)"), std::string::npos);
}

TEST_P(SpecificityStudyTest, RefusedDataKeepThePreviousResults)
{
    pooledExample();
    ASSERT_TRUE(m_study->calculate().computed);

    setGroup(1, {100, 100, 100, 100, 100});
    CalcOutcome outcome = m_study->calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, SpecificityStudy::kAllEqualWarning);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);

    setGroup(1, {100.0, 100.5, 99.5, 100.2, 99.8});
    setGroup(0, {7, 7, 7, 7, 7});
    outcome = m_study->calculate();
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, SpecificityStudy::kAllEqualWarning);

    setGroup(0, {0, 0, 0, 0, 0});
    outcome = m_study->calculate();
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, SpecificityStudy::kAllZeroWarning);

    setGroup(0, {98.0, 98.5, 97.5, 98.2, 97.8});
    m_study->grid().setCell(2, 0, std::nullopt);
    outcome = m_study->calculate();
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, SpecificityStudy::kNotNumericWarning);

    EXPECT_EQ(m_study->tText(), shown("8.305"));
    EXPECT_EQ(m_study->meanText(1), shown("100.000"));
}

TEST_P(SpecificityStudyTest, UnequalGroupsUseOnlyTheirOwnRows)
{
    ASSERT_TRUE(m_study->setGroupSize(0, 8));
    EXPECT_TRUE(m_study->isModify());
    const DataGrid& g = m_study->grid();
    ASSERT_EQ(g.rowCount(), 8);
    for (int r = 5; r < 8; ++r) {
        EXPECT_FALSE(g.hasNumber(r, 1));
        EXPECT_TRUE(g.isLocked(r, 1));
        EXPECT_EQ(g.cell(r, 0), 0.0);
        EXPECT_FALSE(g.isLocked(r, 0));
    }
    setGroup(0, {98.0, 98.5, 97.5, 98.2, 97.8, 98.1, 97.9, 98.0});
    setGroup(1, {100.0, 100.5, 99.5, 100.2, 99.8});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->dfText(), "11");

    const ReportRecords records = m_study->reportRecords(Language::Italian);
    EXPECT_EQ(records.header.text("NDETA"), "8");
    EXPECT_EQ(records.header.text("NDETB"), "5");
    ASSERT_EQ(records.details.size(), 8u);
    EXPECT_EQ(records.details[4].text("COLB"), shown("99.800"));
    for (std::size_t r = 5; r < 8; ++r) {
        EXPECT_EQ(records.details[r].find("COLB"), nullptr);
        EXPECT_NE(records.details[r].find("COLA"), nullptr);
    }

    // back to 5: the grid shrinks; below 5 nothing happens
    EXPECT_FALSE(m_study->setGroupSize(0, 4));
    EXPECT_EQ(m_study->grid().rowCount(), 8);
    ASSERT_TRUE(m_study->setGroupSize(0, 5));
    EXPECT_EQ(m_study->grid().rowCount(), 5);
}

TEST_P(SpecificityStudyTest, ReportFollowsTheLanguage)
{
    pooledExample();
    m_study->setHeader(2, std::string(70, 'c'));
    ASSERT_TRUE(m_study->calculate().computed);
    const ReportRecords en = m_study->reportRecords(Language::English);
    EXPECT_EQ(en.headerTable, "Spec");
    EXPECT_EQ(en.detailTable, "SpecTabella");
    EXPECT_EQ(en.header.text("GIUDIZIO"), "Difference SIGNIFICANT (P = 95%)");
    EXPECT_EQ(en.header.text("CONCLUSIONI"), m_study->conclusions()[1]);
    EXPECT_EQ(en.header.text("CAMPIONE"), std::string(50, 'c'));
    EXPECT_EQ(en.header.text("T"), shown("8.305"));
    EXPECT_EQ(en.header.text("LIMCONFSUPB"), shown("100.472"));
    const ReportRecords it = m_study->reportRecords(Language::Italian);
    EXPECT_EQ(it.header.text("GIUDIZIO"), "Differenza SIGNIFICATIVA (P = 95%)");
    EXPECT_EQ(it.header.text("CONCLUSIONI"), m_study->conclusionText());

    test::TempDir dir;
    const auto db = dir / "KESTRA73.MDB";
    std::filesystem::copy_file(KESTRA_TEMPLATE_DB, db);
    ReportDatabase database(db, ReportDatabase::Mode::ReadWrite);
    database.writeReport(en);
    database.writeReport(en);
    EXPECT_EQ(database.rowCount("Spec"), 1);
    EXPECT_EQ(database.rowCount("SpecTabella"), 5);
}

TEST_P(SpecificityStudyTest, MeansChartSpansTheDisplayedIntervals)
{
    EXPECT_TRUE(m_study->chart(Language::Italian).empty());
    pooledExample();
    ASSERT_TRUE(m_study->calculate().computed);
    const ChartData it = m_study->chart(Language::Italian);
    EXPECT_EQ(it.kind, ChartData::Kind::HighLow);
    EXPECT_EQ(it.title, "Specificità: medie");
    EXPECT_EQ(it.xAxis.title, "Gruppi");
    EXPECT_FALSE(it.legendVisible);
    EXPECT_EQ(it.footnote, "Metodo analitico: HPLC\r\nAnalita: Caffeina\r\nCampione: ");
    ASSERT_EQ(it.rows.size(), 2u);
    EXPECT_EQ(it.rowLabels, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(it.rows[0][0], 97.528);
    EXPECT_EQ(it.rows[0][1], 98.472);
    EXPECT_EQ(it.rows[0][2], 98.0);
    EXPECT_EQ(it.rows[1][0], 99.528);
    EXPECT_EQ(it.rows[1][1], 100.472);
    const ChartData en = m_study->chart(Language::English);
    EXPECT_EQ(en.title, "Specificity: means");
    EXPECT_EQ(en.xAxis.title, "Groups");
    EXPECT_EQ(en.footnote, "Analytical method: HPLC\r\nAnalyte: Caffeina\r\nSample: ");
}

TEST_P(SpecificityStudyTest, NewStudyState)
{
    EXPECT_EQ(m_study->title(), "Specificità - no file");
    EXPECT_EQ(m_study->headerFieldCount(), 3);
    EXPECT_EQ(m_study->numberPattern(), "#####0.000");
    EXPECT_EQ(m_study->meanText(0), shown("0.000"));
    EXPECT_EQ(m_study->lowerText(1), "0");
    EXPECT_EQ(m_study->dfText(), "0");
    EXPECT_EQ(m_study->judgementLabel(), "Giudizio");
    EXPECT_EQ(m_study->grid().rowCount(), 5);
    EXPECT_EQ(m_study->grid().columnHeader(1), "Gruppo B");
    EXPECT_EQ(m_study->grid().cell(4, 1), 0.0);
    EXPECT_EQ(m_study->conclusionText(), "");
}

TEST_P(SpecificityStudyTest, GroupsSharingTwelveLeadingDigitsKeepTheirVariancesAndT)
{
    // python3 tests/data/shifted_reference.py ("specificity"): exact on the decimals as entered
    m_study->setNumberFormat({12, 1});
    const double g0 = 456789012300.0;
    setGroup(0, {g0 + 98.3, g0 + 98.5, g0 + 97.5, g0 + 98.2, g0 + 97.8});
    setGroup(1, {g0 + 100.0, g0 + 100.5, g0 + 99.5, g0 + 100.2, g0 + 99.8});
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->meanText(0), shown("456789012398.1"));
    EXPECT_EQ(m_study->meanText(1), shown("456789012400.0"));
    EXPECT_EQ(m_study->tText(), shown("7.8"));
    EXPECT_EQ(m_study->dfText(), "8");
    // ten decimals, the pattern another window set last
    MakeNumberPattern(3, 10);
    ASSERT_TRUE(m_study->calculate().computed);
    EXPECT_EQ(m_study->varianceText(0), shown("0.1630000000"));
    EXPECT_EQ(m_study->varianceText(1), shown("0.1450000000"));
    EXPECT_EQ(m_study->fText(), shown("1.1241379310"));
    EXPECT_EQ(m_study->tText(), shown("7.8164827510"));
    // the half-widths are cut to 0.501 and 0.472
    EXPECT_EQ(m_study->lowerText(0), shown("456789012397.5590000000"));
    EXPECT_EQ(m_study->upperText(0), shown("456789012398.5610000000"));
    EXPECT_EQ(m_study->lowerText(1), shown("456789012399.5280000000"));
    EXPECT_EQ(m_study->upperText(1), shown("456789012400.4720000000"));
}

INSTANTIATE_TEST_SUITE_P(Separators, SpecificityStudyTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "point" : "comma"; });

}  // namespace
}  // namespace kestra
