// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/number_pattern.h"
#include "reporting/report_database.h"
#include "studies/calibration/calibration_study.h"
#include "test_support.h"

namespace kestra {
namespace {

class CalibrationReportTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    static void fill(CalibrationStudy& study)
    {
        study.setLevelCount(4);
        const double x[4] = {1, 2.5, 3, 4};
        const double y[4][3] = {{1.0, 1.2, 0.8}, {2.6, 2.4, 2.5}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}};
        for (int i = 0; i < 4; ++i) {
            study.setConcentrationText(i, FormatWith(x[i], study.numberPattern()));
            for (int r = 0; r < 3; ++r) study.grid().setCell(r, i, y[i][r]);
        }
    }
};

TEST_F(CalibrationReportTest, HeaderRecordHoldsTheDisplayedTexts)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        CalibrationStudy study;
        study.setHeader(0, "HPLC");
        study.setHeader(1, "Nitrati");
        study.setHeader(2, std::string(45, 'a') + "èèèèèèèèèèèèèèè");  // 60 characters
        study.setHeader(3, "  mg/l ");
        fill(study);
        ASSERT_TRUE(study.calculate().computed);

        const ReportRecords it = study.reportRecords(Language::Italian);
        EXPECT_EQ(it.headerTable, "Tara");
        EXPECT_EQ(it.detailTable, "TaraTabella");
        const ReportRecord& h = it.header;
        EXPECT_EQ(h.text("METODO"), "HPLC");
        EXPECT_EQ(h.text("CAMPIONE"), std::string(45, 'a') + "èèèèè");
        EXPECT_EQ(h.text("UM"), "mg/l");
        EXPECT_EQ(h.text("R"), study.results().r);
        EXPECT_EQ(h.text("B"), study.results().b);
        EXPECT_EQ(h.text("PROP1"), study.results().upper);
        EXPECT_EQ(h.text("PROP2"), study.results().lower);
        EXPECT_EQ(h.text("SA"), study.results().sa);
        const auto& t = study.anova();
        EXPECT_EQ(h.text("REG_DEV"), t[1][1]);
        EXPECT_EQ(h.text("REG_GDL"), "1");
        EXPECT_EQ(h.text("REG_FT"), t[1][5]);
        EXPECT_EQ(h.text("CUR_F"), t[2][4]);
        EXPECT_EQ(h.text("CUR_GDL"), "2");
        EXPECT_EQ(h.text("ERR_GDL"), "8");
        EXPECT_EQ(h.text("ERR_VAR"), t[3][3]);
        EXPECT_EQ(h.text("TOT_DEV"), t[4][1]);
        EXPECT_EQ(h.text("TOT_GDL"), "11");
        EXPECT_EQ(h.find("ERR_F"), nullptr);
        EXPECT_EQ(h.find("TOT_VAR"), nullptr);
        ASSERT_NE(h.find("NGRUPPI"), nullptr);
        EXPECT_EQ(std::get<std::int64_t>(*h.find("NGRUPPI")), 4);
        EXPECT_EQ(std::get<std::int64_t>(*h.find("NDATIGR")), 3);
        EXPECT_EQ(std::get<std::int64_t>(*h.find("NDATITOT")), 12);
        EXPECT_EQ(h.text("CONCLUSIONI"), study.conclusions()[0]);
        EXPECT_EQ(study.reportRecords(Language::English).header.text("CONCLUSIONI"), study.conclusions()[1]);

        // one record per value, level by level
        ASSERT_EQ(it.details.size(), 12u);
        const char* conc[4] = {"1", sep == '.' ? "2.5" : "2,5", "3", "4"};
        for (std::size_t i = 0; i < 12; ++i) {
            const ReportRecord& d = it.details[i];
            EXPECT_EQ(std::get<std::int64_t>(*d.find("NDATI")), static_cast<std::int64_t>(i % 3 + 1));
            EXPECT_EQ(d.text("CONC"), conc[i / 3]);
            EXPECT_EQ(d.text("UM"), "mg/l");
            EXPECT_EQ(d.text("VALORE"),
                      study.grid().cellText(static_cast<int>(i % 3), static_cast<int>(i / 3)));
        }
        EXPECT_EQ(it.details[4].text("VALORE"), sep == '.' ? "2.400" : "2,400");
    }
}

TEST_F(CalibrationReportTest, BeforeAnyCalculationTheReportShowsTheNewStudyZeros)
{
    CalibrationStudy study;
    const ReportRecords r = study.reportRecords(Language::English);
    EXPECT_EQ(r.header.text("A"), "0.000");
    EXPECT_EQ(r.header.text("REG_DEV"), "0");  // the table cell as a new study shows it
    EXPECT_EQ(r.header.text("CONCLUSIONI"), "");
    EXPECT_EQ(r.details.size(), 15u);
    EXPECT_EQ(r.header.text("UM"), "µg/ml");
}

TEST_F(CalibrationReportTest, PrintingTwiceLeavesOneHeaderRowAndTheValues)
{
    test::TempDir dir;
    const auto path = dir / "KESTRA73.MDB";
    std::filesystem::copy_file(KESTRA_TEMPLATE_DB, path);
    CalibrationStudy study;
    fill(study);
    ASSERT_TRUE(study.calculate().computed);
    ReportDatabase db(path, ReportDatabase::Mode::ReadWrite);
    db.writeReport(study.reportRecords(Language::Italian));
    db.writeReport(study.reportRecords(Language::English));
    EXPECT_EQ(db.rowCount("Tara"), 1);
    EXPECT_EQ(db.rowCount("TaraTabella"), 12);
    const auto rows = db.readAll("Tara");
    EXPECT_EQ(rows[0].text("CONCLUSIONI"), study.conclusions()[1]);
    EXPECT_EQ(rows[0].text("REG_FT"), "  (S)");
    const auto details = db.readAll("TaraTabella");
    EXPECT_EQ(details[11].text("CONC"), "4");
}

}  // namespace
}  // namespace kestra
