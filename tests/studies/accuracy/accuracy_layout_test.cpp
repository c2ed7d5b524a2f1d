// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "framework/services.h"
#include "reporting/f_table.h"
#include "reporting/report_pipeline.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/specificity/specificity_study.h"
#include "test_support.h"

namespace kestra {
namespace {

class StudyLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        std::filesystem::copy_file(KESTRA_TEMPLATE_DB, m_dir / "KESTRA73.MDB");
    }
    ReportDocument print(const Study& study, Language language)
    {
        ReportRequest request;
        request.database = m_dir / "KESTRA73.MDB";
        request.language = language;
        return PrepareStudyReport(study, request,
                                  [](const std::string&) { return std::optional<LogoSize>(); });
    }
    static void recoveries(AccuracyStudy& s, int level, std::initializer_list<double> values)
    {
        int r = 0;
        for (double v : values) s.levelGrid(level).setCell(r++, AccuracyStudy::kRecoveryColumn, v);
    }
    static const DetailTableBlock& table(const ReportLayout& l)
    {
        for (const auto& b : l.blocks)
            if (const auto* t = std::get_if<DetailTableBlock>(&b)) return *t;
        throw std::logic_error("no detail table");
    }

    test::TempDir m_dir;
};

TEST_F(StudyLayoutTest, OneLevelLayoutCarriesTheUnitInItsCaption)
{
    AccuracyStudy study;
    study.setHeader(3, " mg/l ");
    recoveries(study, 1, {99, 100, 101});
    ASSERT_TRUE(study.calculate().computed);

    ReportDocument en = print(study, Language::English);
    EXPECT_EQ(en.layout.name, "CRAccu1");
    EXPECT_EQ(en.layout.labels().size(), 13u);
    EXPECT_EQ(en.layout.text(Label("lblLivello1")), "Central level (mg/l)");
    EXPECT_EQ(en.layout.text(en.layout.subtitle), "ACCURACY");
    EXPECT_EQ(en.layout.text(Label("lblPesati1")), "True");
    EXPECT_EQ(en.header.text("LIVCONC"), "1 Level of concentration");
    EXPECT_EQ(en.details.size(), 3u);
    EXPECT_EQ(table(en.layout).columns[1].decimals, 3);
    EXPECT_EQ(table(en.layout).flowColumns, 1);

    ReportDocument it = print(study, Language::Italian);
    EXPECT_EQ(it.layout.text(Label("lblLivello1")), "Livello centrale (mg/l)");
    EXPECT_EQ(it.layout.text(it.layout.title), "CONVALIDA DEL METODO ANALITICO");

    study.setHeader(3, "   ");
    study.setNumberFormat({5, 2});
    ASSERT_TRUE(study.setDeterminations(16));
    ReportDocument wide = print(study, Language::English);
    EXPECT_EQ(wide.layout.text(Label("lblLivello1")), "Central level");
    EXPECT_EQ(table(wide.layout).flowColumns, 2);
    EXPECT_EQ(table(wide.layout).columns[3].decimals, 2);
}

TEST_F(StudyLayoutTest, ThreeLevelLayoutHidesTheMissingMean)
{
    AccuracyStudy study;
    study.setLevelMode(AccuracyStudy::LevelMode::Three);
    study.setHeader(3, "%");
    recoveries(study, 0, {109, 111, 110});
    recoveries(study, 1, {99, 100, 101});
    recoveries(study, 2, {89, 91, 90});
    ASSERT_TRUE(study.calculate().computed);

    ReportDocument en = print(study, Language::English);
    EXPECT_EQ(en.layout.name, "CRAccu3");
    EXPECT_EQ(en.layout.labels().size(), 30u);
    EXPECT_EQ(en.layout.text(Label("lblLivello0")), "Higher level (%)");
    EXPECT_EQ(en.layout.text(Label("lblLivello2")), "Lower level (%)");
    EXPECT_EQ(en.layout.text(Label("lblTrovati2")), "Measured");
    EXPECT_EQ(en.layout.text(Label("lblAnova")), "ACCURACY: AN.O.VA.");
    EXPECT_EQ(en.header.text("ACCUMED"), "NONE");
    const ResultsBlock* results = en.layout.findBlock<ResultsBlock>();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->lines.back().hidden);
    EXPECT_EQ(table(en.layout).columns.size(), 9u);
    // a short study prints its table before the results
    EXPECT_TRUE(std::holds_alternative<DetailTableBlock>(en.layout.blocks[1]));

    ReportDocument it = print(study, Language::Italian);
    EXPECT_EQ(it.layout.text(Label("lblLivello1")), "Liv. centrale (%)");

    recoveries(study, 0, {99, 101, 100});
    recoveries(study, 1, {98, 100, 99});
    recoveries(study, 2, {100, 102, 101});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_FALSE(print(study, Language::Italian).layout.findBlock<ResultsBlock>()->lines.back().hidden);

    // the long form: the level table closes the report
    ASSERT_TRUE(study.setDeterminations(7));
    ReportDocument longForm = print(study, Language::Italian);
    EXPECT_TRUE(std::holds_alternative<DetailTableBlock>(longForm.layout.blocks.back()));
    EXPECT_EQ(longForm.details.size(), 7u);
}

TEST_F(StudyLayoutTest, SpecificityLayoutTexts)
{
    SpecificityStudy study;
    int r = 0;
    for (double v : {98.0, 98.5, 97.5, 98.2, 97.8}) study.grid().setCell(r++, 0, v);
    r = 0;
    for (double v : {100.0, 100.5, 99.5, 100.2, 99.8}) study.grid().setCell(r++, 1, v);
    ASSERT_TRUE(study.calculate().computed);

    ReportDocument en = print(study, Language::English);
    EXPECT_EQ(en.layout.name, "CRSpec");
    EXPECT_EQ(en.layout.labels().size(), 22u);
    EXPECT_EQ(en.layout.text(Label("lblColA")), "Group A\rResults");
    EXPECT_EQ(en.layout.text(Label("lblLimiti")), "Confidence limits for the mean:");
    EXPECT_EQ(en.layout.text(en.layout.shortName), "Specificity");
    EXPECT_EQ(en.header.text("GIUDIZIO"), "Difference SIGNIFICANT (P = 95%)");
    EXPECT_EQ(table(en.layout).flowColumns, 1);
    EXPECT_EQ(table(en.layout).columns[2].decimals, 3);

    ReportDocument it = print(study, Language::Italian);
    EXPECT_EQ(it.layout.text(Label("lblTest")), "SPECIFICITA'");
    EXPECT_EQ(it.header.text("GIUDIZIO"), "Differenza SIGNIFICATIVA (P = 95%)");

    ASSERT_TRUE(study.setGroupSize(SpecificityStudy::kGroupB, 9));
    ReportDocument longForm = print(study, Language::Italian);
    EXPECT_EQ(table(longForm.layout).flowColumns, 2);
    ASSERT_EQ(longForm.details.size(), 9u);
    EXPECT_EQ(longForm.details[8].find("COLA"), nullptr);
}

}  // namespace
}  // namespace kestra
