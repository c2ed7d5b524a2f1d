// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/errors.h"
#include "studies/specificity/specificity_study.h"
#include "test_support.h"

namespace kestra {
namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

TEST(SpecificityFileTest, LayoutWithUnequalGroups)
{
    SetUserDecimalSeparator(',');
    test::TempDir dir;
    SpecificityStudy study;
    study.setHeader(0, "HPLC");
    study.setHeader(1, "Caffeina");
    study.setHeader(2, "Compresse");
    ASSERT_TRUE(study.setGroupSize(0, 6));
    study.grid().setCell(5, 0, 101.25);
    study.grid().setCell(0, 1, 99.5);
    const auto path = dir / "studio.SPC";
    study.write(path);
    SetUserDecimalSeparator('.');

    const auto lines = linesOf(test::readFile(path));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "Kestra for Windows");
    EXPECT_EQ(lines[1], "6");
    EXPECT_EQ(lines[2], "3");
    EXPECT_EQ(lines[3], "3");
    EXPECT_EQ(lines[4], "HPLC");
    EXPECT_EQ(lines[5], "Caffeina");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "Compresse");
    EXPECT_EQ(lines[9], "6");
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[12], "5");
    EXPECT_EQ(lines[13], " 1,0.000,99.500");
    EXPECT_EQ(lines[14].substr(0, 2), "2,");
    EXPECT_EQ(lines[18], "6,101.250,NIL      ");
    EXPECT_EQ(study.title(), "Specificità - " + std::filesystem::absolute(path).lexically_normal().string());
    EXPECT_FALSE(study.isModified());

    SpecificityStudy back;
    back.read(path);
    EXPECT_EQ(back.groupSize(0), 6);
    EXPECT_EQ(back.groupSize(1), 5);
    EXPECT_EQ(back.grid().cell(5, 0), 101.25);
    EXPECT_FALSE(back.grid().hasNumber(5, 1));
    EXPECT_TRUE(back.grid().isLocked(5, 1));
    EXPECT_EQ(back.grid().cell(0, 1), 99.5);
    EXPECT_FALSE(back.isModified());
}

TEST(SpecificityFileTest, ReadingTrimsHeadersAndKeepsShortGroupsEmpty)
{
    test::TempDir dir;
    const auto path = dir / "vecchio.SPC";
    // older layout; a value below the shorter group stays out of the locked cells; NIL empties a group cell
    test::writeFile(path,
                    "3\r\n  HPLC  \r\nCaffeina\r\n\r\n Compresse\r\n0\r\n8\r\n\r\n0\r\n5\r\n"
                    " 1,1.5,2\r\n2,NIL,3\r\n3,x,4\r\n4,1,5\r\n5,1,6\r\n6,1,7\r\n7,1,NIL\r\n8,2,NIL\r\n");
    SpecificityStudy study;
    study.read(path);
    EXPECT_EQ(study.numberFormat(), (NumberFormat{6, 3}));
    EXPECT_EQ(study.header(0), "HPLC");
    EXPECT_EQ(study.header(2), "Compresse");
    const DataGrid& g = study.grid();
    ASSERT_EQ(g.rowCount(), 8);
    EXPECT_EQ(g.cell(0, 0), 1.5);
    EXPECT_FALSE(g.hasNumber(1, 0));
    EXPECT_EQ(g.cell(2, 0), 0.0);
    EXPECT_EQ(g.cell(7, 0), 2.0);
    for (int r = 5; r < 8; ++r) {
        EXPECT_FALSE(g.hasNumber(r, 1));
        EXPECT_TRUE(g.isLocked(r, 1));
    }
    // the emptied group cell is refused by the calculation rather than read as a result
    EXPECT_FALSE(study.calculate().computed);
}

TEST(SpecificityFileTest, FaultsAreReportedWithTheirLine)
{
    test::TempDir dir;
    const auto path = dir / "corto.SPC";
    test::writeFile(path,
                    "Kestra for Windows\r\n6\r\n3\r\n3\r\nm\r\na\r\n\r\nc\r\n\r\n5\r\n\r\n\r\n5\r\n"
                    " 1,1,2\r\n2,1,2\r\n");
    SpecificityStudy study;
    try {
        study.read(path);
        FAIL() << "an early end must be reported";
    } catch (const StudyFileError& e) {
        EXPECT_EQ(e.line(), 16);
    }
    EXPECT_EQ(study.grid().cell(1, 1), 2.0);
    EXPECT_EQ(study.grid().cell(4, 0), 0.0);

    test::writeFile(path, "Kestra for Windows\r\n6\r\n3\r\ntre\r\n");
    EXPECT_THROW(study.read(path), StudyFileError);
    test::writeFile(path, "Kestra for Windows\r\n6\r\n3\r\n3\r\nm\r\na\r\n\r\nc\r\n\r\n4\r\n\r\n\r\n5\r\n");
    EXPECT_THROW(study.read(path), StudyFileError);
}

}  // namespace
}  // namespace kestra
