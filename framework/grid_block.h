// Block operations of the data grids: copy as tab-separated text, paste, clear, and drag-and-drop of a block.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "framework/data_grid.h"

namespace kestra {

// A rectangle of cells, 0-based.
struct GridBlock {
    int top = 0;
    int left = 0;
    int rows = 0;
    int columns = 0;
    bool contains(int row, int column) const
    {
        return row >= top && row < top + rows && column >= left && column < left + columns;
    }
    bool operator==(const GridBlock&) const = default;
};

// The block as the grid shows it: cells separated by tabs, rows by line feeds (what spreadsheets exchange).
std::string BlockToText(const DataGrid& grid, const GridBlock& block);

struct PasteOutcome {
    int pasted = 0;                    // cells written
    std::vector<std::string> refused;  // one readable line per refused cell
    int outside = 0;                   // values that fell beyond the grid's last row or column
    bool changed() const { return pasted > 0; }
    // The Italian message for the user; empty when everything was pasted.
    std::string message() const;
};

// Pastes tab-separated text with its first value at (row, column). Values are read with "," or "." as the
// decimal separator (ParseGridNumber); a value that is not a number, not in the grid's range, or meant for a
// locked cell is refused and its cell keeps what it held. An empty value empties its cell. Sets the changed
// flag when a cell was written.
PasteOutcome PasteText(DataGrid& grid, int row, int column, const std::string& text);

// Empties the unlocked cells of the block; returns whether a cell changed (and then sets the changed flag).
bool ClearBlock(DataGrid& grid, const GridBlock& block);

// Whether dropping the block with its first cell at (row, column) would overwrite a cell holding a number
// (cells of the block itself do not count: they are what is being dropped).
bool DropOverwrites(const DataGrid& grid, const GridBlock& source, int row, int column);

// Moves (or copies) the block's values so that its first cell lands at (row, column). Values that would fall
// beyond the grid or on a locked cell are not written and, when moving, stay where they were.
// Returns whether anything changed.
bool DropBlock(DataGrid& grid, const GridBlock& source, int row, int column, bool move);

}  // namespace kestra
