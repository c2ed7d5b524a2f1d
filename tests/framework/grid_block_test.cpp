// Block operations of the data grids: what a paste, a clear and a dropped block do to the cells.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/grid_block.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

class GridBlockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        grid.setFormat({3, 2});
    }
    DataGrid grid{3, 3};
};

TEST_F(GridBlockTest, TextOfABlockUsesTheGridPatternAndLeavesEmptyCellsEmpty)
{
    grid.setCell(0, 0, 1.0);
    grid.setCell(1, 1, 2.345);
    EXPECT_EQ(BlockToText(grid, {0, 0, 2, 2}), "1.00\t\n\t2.35");
    SetUserDecimalSeparator(',');
    EXPECT_EQ(BlockToText(grid, {1, 1, 1, 1}), "2,35");
    SetUserDecimalSeparator('.');
}

TEST_F(GridBlockTest, PasteSkipsLockedCellsAndEmptiesCellsForEmptyValues)
{
    grid.setCell(0, 1, 5.0);
    grid.setLocked(0, 2, true);
    grid.setCell(0, 2, 9.0);
    const PasteOutcome out = PasteText(grid, 0, 0, "1\t\t3\n");
    EXPECT_EQ(grid.cell(0, 0), 1.0);
    EXPECT_FALSE(grid.cell(0, 1).has_value());
    EXPECT_EQ(grid.cell(0, 2), 9.0);
    EXPECT_EQ(out.pasted, 2);
    ASSERT_EQ(out.refused.size(), 1u);
    EXPECT_EQ(out.refused[0], "riga 1, colonna 3: cella protetta");
    EXPECT_TRUE(grid.changed());
}

TEST_F(GridBlockTest, PasteRefusesMoreDecimalsThanTheGridShows)
{
    // two decimals: 1.2345 would be shown and computed as 1.23, so it is refused and named
    const PasteOutcome out = PasteText(grid, 0, 0, "1.2345\t1.50\t2,5\n");
    ASSERT_EQ(out.refused.size(), 1u);
    EXPECT_NE(out.refused[0].find("1.2345 ha più di 2 decimali"), std::string::npos) << out.refused[0];
    EXPECT_FALSE(grid.cell(0, 0).has_value());
    EXPECT_EQ(grid.cell(0, 1), 1.5);
    EXPECT_EQ(grid.cell(0, 2), 2.5);
}

TEST_F(GridBlockTest, PasteOfNothingUsableLeavesTheChangedFlagAlone)
{
    const PasteOutcome out = PasteText(grid, 2, 2, "x\ty\n");
    EXPECT_FALSE(out.changed());
    EXPECT_FALSE(grid.changed());
    EXPECT_EQ(out.outside, 1);  // "y" falls beyond the last column
    EXPECT_NE(out.message().find("1 valore cade fuori dalla griglia"), std::string::npos);
}

TEST_F(GridBlockTest, ClearEmptiesUnlockedCellsOnly)
{
    grid.setCell(0, 0, 1.0);
    grid.setCell(0, 1, 2.0);
    grid.setLocked(0, 1, true);
    EXPECT_TRUE(ClearBlock(grid, {0, 0, 1, 3}));
    EXPECT_FALSE(grid.cell(0, 0).has_value());
    EXPECT_EQ(grid.cell(0, 1), 2.0);
    EXPECT_FALSE(ClearBlock(grid, {2, 0, 1, 3}));  // nothing there
}

TEST_F(GridBlockTest, OverlappingMoveShiftsTheBlock)
{
    grid.setCell(0, 0, 1.0);
    grid.setCell(1, 0, 2.0);
    EXPECT_FALSE(DropOverwrites(grid, {0, 0, 2, 1}, 1, 0));  // its own cells do not count
    EXPECT_TRUE(DropBlock(grid, {0, 0, 2, 1}, 1, 0, true));
    EXPECT_FALSE(grid.cell(0, 0).has_value());
    EXPECT_EQ(grid.cell(1, 0), 1.0);
    EXPECT_EQ(grid.cell(2, 0), 2.0);
}

TEST_F(GridBlockTest, MovedValuesThatCannotLandStayWhereTheyWere)
{
    grid.setCell(0, 0, 1.0);
    grid.setCell(1, 0, 2.0);
    grid.setCell(2, 0, 3.0);
    // dropped two rows down: only the first value fits in the grid
    EXPECT_TRUE(DropBlock(grid, {0, 0, 3, 1}, 2, 1, true));
    EXPECT_EQ(grid.cell(2, 1), 1.0);
    EXPECT_FALSE(grid.cell(0, 0).has_value());
    EXPECT_EQ(grid.cell(1, 0), 2.0);
    EXPECT_EQ(grid.cell(2, 0), 3.0);
}

}  // namespace
}  // namespace kestra
