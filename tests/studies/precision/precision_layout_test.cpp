// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/number_pattern.h"
#include "reporting/report_database.h"
#include "reporting/report_pipeline.h"
#include "studies/precision/precision_study.h"
#include "test_support.h"

namespace kestra {
namespace {

class PrecisionLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        std::filesystem::copy_file(KESTRA_TEMPLATE_DB, m_dir / "KESTRA73.MDB");
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    ReportDocument print(const PrecisionStudy& study, Language language)
    {
        ReportRequest request;
        request.database = m_dir / "KESTRA73.MDB";
        request.language = language;
        return PrepareStudyReport(study, request,
                                  [](const std::string&) { return std::optional<LogoSize>(); });
    }

    static void fill(PrecisionStudy& study, int n)
    {
        study.setDeterminationCount(n);
        for (int r = 0; r < n; ++r) study.grid().setCell(r, 0, 10.0 + (r % 5 - 2) * 0.1);
    }

    test::TempDir m_dir;
};

TEST_F(PrecisionLayoutTest, EnglishTextsReplaceTheItalianOnesInTheirOrder)
{
    PrecisionStudy study;
    fill(study, 6);
    ASSERT_TRUE(study.calculate().computed);

    ReportDocument it = print(study, Language::Italian);
    EXPECT_EQ(it.layout.name, "CRPrec");
    EXPECT_EQ(it.layout.text(it.layout.title), "CONVALIDA DEL METODO ANALITICO");
    EXPECT_EQ(it.layout.text(it.layout.subtitle), "PRECISIONE");
    EXPECT_EQ(it.header.text("CONCLUSIONI"), study.conclusion(Language::Italian));

    ReportDocument en = print(study, Language::English);
    const std::vector<std::string> expected = {"VALIDATION OF ANALYTICAL METHOD",
                                               "PRECISION",
                                               "Analytical method",
                                               "Analyte",
                                               "Sample",
                                               "Data",
                                               "Results",
                                               "Results:",
                                               "Mean",
                                               "Standard dev.",
                                               "DF",
                                               "Confidence limits for the mean:",
                                               "Lower",
                                               "Higher",
                                               "Confidence interval",
                                               "Conclusions:",
                                               "Precision"};
    ASSERT_EQ(en.layout.labels().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(en.layout.labels()[i].text, expected[i]) << i;
    EXPECT_EQ(en.header.text("CONCLUSIONI"), study.conclusion(Language::English));
    EXPECT_EQ(en.details.size(), 6u);

    // every result of the window is on the report
    const ResultsBlock* results = en.layout.findBlock<ResultsBlock>();
    ASSERT_NE(results, nullptr);
    std::vector<std::string> fields;
    for (const auto& line : results->lines)
        for (const auto& f : line.fields) fields.push_back(f);
    EXPECT_EQ(fields, (std::vector<std::string>{"NDET", "MEDIA", "STDEV", "CV", "GDL", "T", "P", "LIMCONFINF",
                                                "LIMCONFSUP", "INTERVALLOCONF"}));
}

TEST_F(PrecisionLayoutTest, DetailValuesTakeTheGridDecimalsAndSixteenResultsFlow)
{
    PrecisionStudy study;
    study.setNumberFormat({4, 2});
    fill(study, 15);
    ReportDocument doc = print(study, Language::Italian);
    const DetailTableBlock* table = doc.layout.findBlock<DetailTableBlock>();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->columns.size(), 2u);
    EXPECT_EQ(table->columns[1].field, "COLA");
    EXPECT_TRUE(table->columns[1].numeric);
    EXPECT_EQ(table->columns[1].decimals, 2);
    EXPECT_EQ(table->flowColumns, 1);

    fill(study, 16);
    doc = print(study, Language::Italian);
    EXPECT_GT(doc.layout.findBlock<DetailTableBlock>()->flowColumns, 1);
    EXPECT_EQ(doc.details.size(), 16u);
}

TEST_F(PrecisionLayoutTest, PrintingTwiceLeavesOneHeaderRow)
{
    PrecisionStudy study;
    fill(study, 6);
    study.grid().setCell(3, 0, std::nullopt);
    print(study, Language::Italian);
    print(study, Language::English);
    ReportDatabase db(m_dir / "KESTRA73.MDB", ReportDatabase::Mode::ReadOnly);
    EXPECT_EQ(db.rowCount("Prec"), 1);
    const auto details = db.readAll("PrecTabella");
    ASSERT_EQ(details.size(), 6u);
    EXPECT_EQ(details[3].text("COLA"), "");  // an empty cell gives an empty value
    EXPECT_EQ(details[0].text("COLA"), "9.800");
}

}  // namespace
}  // namespace kestra
