// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/number_pattern.h"
#include "reporting/report_pipeline.h"
#include "studies/calibration/calibration_study.h"
#include "test_support.h"

namespace kestra {
namespace {

class CalibrationLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        std::filesystem::copy_file(KESTRA_TEMPLATE_DB, m_dir / "KESTRA73.MDB");
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    ReportDocument print(const CalibrationStudy& study, Language language)
    {
        ReportRequest request;
        request.database = m_dir / "KESTRA73.MDB";
        request.language = language;
        return PrepareStudyReport(study, request, [](const std::string&) { return std::optional<LogoSize>(); });
    }

    static void fill(CalibrationStudy& study)
    {
        study.setLevelCount(4);
        const double y[4][3] = {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}};
        for (int i = 0; i < 4; ++i)
            for (int r = 0; r < 3; ++r) study.grid().setCell(r, i, y[i][r]);
    }

    test::TempDir m_dir;
};

TEST_F(CalibrationLayoutTest, EnglishTextsReplaceTheItalianOnesInTheirOrder)
{
    CalibrationStudy study;
    fill(study);
    ASSERT_TRUE(study.calculate().computed);

    ReportDocument it = print(study, Language::Italian);
    EXPECT_EQ(it.layout.name, "CRTara");
    EXPECT_EQ(it.layout.text(it.layout.subtitle), "TARATURA");
    EXPECT_EQ(it.layout.text(Label("lblAnova")), "LINEARITA': Analisi della varianza");
    EXPECT_EQ(it.header.text("CONCLUSIONI"), study.conclusions()[0]);

    ReportDocument en = print(study, Language::English);
    const std::vector<std::string> expected = {
        "VALIDATION OF ANALYTICAL METHOD", "CALIBRATION", "Analytical method", "Analyte", "Sample",
        "Measure unit of the analyte conc.", "Results:", "Proportionality", "Data of a regression line",
        "LINEARITY: AN.O.VA.", "Deviance", "DF", "Variance", "Variation", "Significance (0,05%)", "Regression",
        "Curvature", "Error", "Totals", "Values", "Concentration", "Conclusions:", "Calibration"};
    ASSERT_EQ(en.layout.labels().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(en.layout.labels()[i].text, expected[i]) << i;
    EXPECT_EQ(en.header.text("CONCLUSIONI"), study.conclusions()[1]);
    EXPECT_EQ(en.header.text("REG_F"), "734.472");
    EXPECT_EQ(en.details.size(), 12u);

    // the analysis of variance prints the header fields by row, with the never-written cells empty
    const FieldTableBlock* anova = en.layout.findBlock<FieldTableBlock>();
    ASSERT_NE(anova, nullptr);
    ASSERT_EQ(anova->rows.size(), 4u);
    EXPECT_EQ(anova->rows[1].fields, (std::vector<std::string>{"CUR_DEV", "CUR_GDL", "CUR_VAR", "CUR_F", "CUR_FT"}));
    EXPECT_EQ(anova->rows[3].fields, (std::vector<std::string>{"TOT_DEV", "TOT_GDL", "", "", ""}));
}

TEST_F(CalibrationLayoutTest, NumericColumnsTakeTheGridDecimalsAndLongStudiesFlow)
{
    CalibrationStudy study;
    study.setNumberFormat({5, 2});
    fill(study);
    ReportDocument doc = print(study, Language::Italian);
    const DetailTableBlock* table = doc.layout.findBlock<DetailTableBlock>();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->columns.size(), 2u);
    EXPECT_EQ(table->columns[0].field, "CONC");
    EXPECT_EQ(table->columns[1].field, "VALORE");
    for (const auto& c : table->columns) {
        EXPECT_TRUE(c.numeric);
        EXPECT_EQ(c.decimals, 2);
    }
    EXPECT_EQ(table->flowColumns, 1);

    study.setLevelCount(15);
    study.setResponseCount(10);
    EXPECT_EQ(print(study, Language::Italian).layout.findBlock<DetailTableBlock>()->flowColumns, 3);
}

}  // namespace
}  // namespace kestra
