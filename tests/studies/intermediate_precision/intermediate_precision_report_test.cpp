// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "reporting/report_database.h"
#include "series_study_fixture.h"
#include "test_support.h"

namespace kestra::test {
namespace {

using Study = IntermediatePrecisionStudy;
using SeriesReportTest = SeriesStudyTest;

// The records go into the real report tables: every field name and type must fit the database.
TEST_F(SeriesReportTest, BothKindsFillTheirTablesOfTheReportDatabase)
{
    TempDir dir;
    const auto path = dir / "KESTRA73.MDB";
    std::filesystem::copy_file(KESTRA_TEMPLATE_DB, path);
    ReportDatabase db(path, ReportDatabase::Mode::ReadWrite);
    for (const SeriesStudyConfig* config : {&IntermediatePrecisionConfig(), &ReproducibilityConfig()}) {
        Study study(*config);
        study.setSeriesCount(20);
        study.setPerSeriesCount(40);
        for (int i = 0; i < 20; ++i)
            for (int j = 0; j < 40; ++j) study.grid().setCell(j, i, 50 + (i % 3) + j * 0.01);
        ASSERT_TRUE(study.calculate().computed);
        db.writeReport(study.reportRecords(Language::English));
        db.writeReport(study.reportRecords(Language::English));  // a second print replaces the first
        EXPECT_EQ(db.rowCount(config->headerTable), 1);
        const auto details = db.readAll(config->detailTable);
        ASSERT_EQ(details.size(), 800u);
        EXPECT_EQ(std::get<std::int64_t>(*details[39].find("SERIE")), 1);
        EXPECT_EQ(std::get<std::int64_t>(*details[40].find("SERIE")), 2);
        const auto header = db.readAll(config->headerTable).front();
        EXPECT_EQ(header.text("TRA_GDL"), "19");
        EXPECT_EQ(header.text("CONCLUSIONI"), study.conclusions()[1]);
        EXPECT_EQ(header.find("NSERIE"), nullptr);
    }
}

}  // namespace
}  // namespace kestra::test
