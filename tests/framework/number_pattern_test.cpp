// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/data_grid.h"
#include "framework/number_pattern.h"
#include "framework/study_kind.h"

namespace kestra {
namespace {

TEST(NumberPattern, MakeNumberPatternBuildsAndBecomesCurrent)
{
    EXPECT_EQ(MakeNumberPattern(1, 0), "0");
    EXPECT_EQ(CurrentNumberPattern(), "0");
    EXPECT_EQ(MakeNumberPattern(1, 4), "0.0000");
    EXPECT_EQ(MakeNumberPattern(3, 3), "##0.000");
    EXPECT_EQ(CurrentNumberPattern(), "##0.000");
    EXPECT_EQ(BuildNumberPattern(7, 3), "######0.000");
    EXPECT_EQ(CurrentNumberPattern(), "##0.000");  // building alone does not change the current one
}

TEST(NumberPattern, LimitsOfTheFormat)
{
    EXPECT_TRUE(IsValidNumberFormat(10, 3));
    EXPECT_FALSE(IsValidNumberFormat(10, 4));
    EXPECT_FALSE(IsValidNumberFormat(0, 3));
    EXPECT_DOUBLE_EQ(MaxValueOf({3, 3}), 999.999);
}

TEST(NumberPattern, SmallHelpers)
{
    EXPECT_EQ(OtherSeparator(','), '.');
    EXPECT_EQ(OtherSeparator('.'), ',');
    EXPECT_EQ(MaxOf(1, 2), 2);
    EXPECT_EQ(MinOf(1, 2), 1);
    EXPECT_EQ(MinOfInt(3, -2), -2);
}

TEST(DataGrid, CellsKeepTheEnteredValueAndGiveItAsShown)
{
    DataGrid grid(3, 2);
    grid.setFormat({3, 2});
    grid.setCell(0, 0, 2.675);
    EXPECT_EQ(grid.cell(0, 0), 2.68);
    EXPECT_EQ(grid.enteredCell(0, 0), 2.675);
    grid.setCell(1, 1, 0.1234);
    EXPECT_EQ(grid.cellText(1, 1), "0.12");
    grid.setFormat({3, 4});
    EXPECT_EQ(grid.cell(1, 1), 0.1234);  // more decimals show the entered digits again
    EXPECT_EQ(grid.cellText(1, 1), "0.1234");
    grid.setFormat({3, 1});
    EXPECT_EQ(grid.cell(0, 0), 2.7);
    EXPECT_EQ(grid.cellText(0, 0), "2.7");
    EXPECT_FALSE(grid.cell(2, 0).has_value());
    EXPECT_FALSE(grid.cell(5, 5).has_value());
    EXPECT_FALSE(grid.enteredCell(5, 5).has_value());
}

TEST(DataGrid, ResizeKeepsTheCellsThatStay)
{
    DataGrid grid(2, 2);
    grid.setCell(0, 0, 1);
    grid.setCell(1, 1, 4);
    grid.setLocked(1, 1, true);
    grid.resize(3, 1);
    EXPECT_EQ(grid.cell(0, 0), 1.0);
    EXPECT_FALSE(grid.cell(2, 0));
    EXPECT_EQ(grid.columnCount(), 1);
    grid.resize(3, 2);
    EXPECT_FALSE(grid.cell(1, 1));  // dropped columns do not come back
    EXPECT_FALSE(grid.isLocked(1, 1));
}

TEST(DataGrid, AcceptsOnlyValuesInsideTheFormat)
{
    DataGrid grid(1, 1);
    grid.setFormat({3, 3});
    EXPECT_TRUE(grid.accepts(0));
    EXPECT_TRUE(grid.accepts(999.999));
    EXPECT_FALSE(grid.accepts(1000));
    EXPECT_FALSE(grid.accepts(-0.001));
}

TEST(StudyKinds, ExtensionsInAnyLetterCase)
{
    EXPECT_EQ(KindFromExtension(".lim"), StudyKindId::Limi);
    EXPECT_EQ(KindFromExtension("SPC"), StudyKindId::Spec);
    EXPECT_EQ(KindFromExtension(".Rip"), StudyKindId::Ripr);
    EXPECT_FALSE(KindFromExtension(".txt"));
    EXPECT_EQ(FileFilter(StudyKindId::Prin), "Precisione intermedia (*.PRI)|*.PRI");
    EXPECT_STREQ(KindInfo(StudyKindId::Prec).panelKey, "Ripe");
    EXPECT_EQ(KindInfo(StudyKindId::Spec).defaultIntegers, 6);
}

}  // namespace
}  // namespace kestra
