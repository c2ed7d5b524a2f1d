// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/grid_block.h"

#include <algorithm>
#include <optional>

#include "framework/cell_entry.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

std::vector<std::vector<std::string>> splitTable(const std::string& text)
{
    std::vector<std::vector<std::string>> table;
    std::string cell;
    std::vector<std::string> row;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            row.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.push_back(std::move(cell));
            cell.clear();
            table.push_back(std::move(row));
            row.clear();
        } else {
            cell += c;
        }
    }
    // the line end after the last row is optional (spreadsheets add one)
    if (!cell.empty() || !row.empty()) {
        row.push_back(std::move(cell));
        table.push_back(std::move(row));
    }
    return table;
}

std::string cellName(int row, int column)
{
    return Msg("riga %1, colonna %2", {std::to_string(row + 1), std::to_string(column + 1)});
}

}  // namespace

std::string BlockToText(const DataGrid& grid, const GridBlock& block)
{
    std::string text;
    for (int r = block.top; r < block.top + block.rows; ++r) {
        if (r > block.top) text += '\n';
        for (int c = block.left; c < block.left + block.columns; ++c) {
            if (c > block.left) text += '\t';
            text += grid.cellText(r, c);
        }
    }
    return text;
}

std::string PasteOutcome::message() const
{
    if (refused.empty() && outside == 0) return {};
    std::string text;
    if (!refused.empty()) {
        text = Msg("Alcuni valori non sono stati incollati:") + "\r\n";
        constexpr std::size_t kShown = 10;
        for (std::size_t i = 0; i < refused.size() && i < kShown; ++i) text += refused[i] + "\r\n";
        if (refused.size() > kShown)
            text += Msg("... e altri %1 valori", {std::to_string(refused.size() - kShown)}) + "\r\n";
        text += Msg("Le celle interessate conservano il valore precedente.");
    }
    if (outside > 0) {
        if (!text.empty()) text += "\r\n\r\n";
        text += outside == 1 ? Msg("1 valore cade fuori dalla griglia e non è stato incollato.")
                             : Msg("%1 valori cadono fuori dalla griglia e non sono stati incollati.",
                                   {std::to_string(outside)});
    }
    return text;
}

PasteOutcome PasteText(DataGrid& grid, int row, int column, const std::string& text)
{
    PasteOutcome outcome;
    const auto table = splitTable(text);
    const char separator = UserDecimalSeparator();
    const std::string maxText = FormatNumber(MaxValueOf(grid.format()), grid.format().decimals, separator);
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (std::size_t j = 0; j < table[i].size(); ++j) {
            const int r = row + static_cast<int>(i);
            const int c = column + static_cast<int>(j);
            const std::string value = Trim(table[i][j]);
            if (r >= grid.rowCount() || c >= grid.columnCount()) {
                if (!value.empty()) ++outcome.outside;
                continue;
            }
            if (grid.isLocked(r, c)) {
                outcome.refused.push_back(cellName(r, c) + ": " + Msg("cella protetta"));
                continue;
            }
            if (value.empty()) {
                grid.setCell(r, c, std::nullopt);
                ++outcome.pasted;
                continue;
            }
            const auto number = ParseGridNumber(value);
            if (!number) {
                outcome.refused.push_back(cellName(r, c) + ": " + Msg("\"%1\" non è un numero", {value}));
                continue;
            }
            if (!grid.accepts(*number)) {
                outcome.refused.push_back(cellName(r, c) + ": " +
                                          Msg("%1 è fuori dall'intervallo 0 - %2", {value, maxText}));
                continue;
            }
            // a value with more decimals than the cells show would be computed rounded without a word
            if (RoundToDecimals(*number, grid.format().decimals) != *number) {
                outcome.refused.push_back(
                    cellName(r, c) + ": " +
                    Msg("%1 ha più di %2 decimali", {value, std::to_string(grid.format().decimals)}));

                continue;
            }
            grid.setCell(r, c, *number);
            ++outcome.pasted;
        }
    }
    if (outcome.changed()) grid.setChanged(true);
    return outcome;
}

bool ClearBlock(DataGrid& grid, const GridBlock& block)
{
    bool changed = false;
    for (int r = block.top; r < block.top + block.rows && r < grid.rowCount(); ++r)
        for (int c = block.left; c < block.left + block.columns && c < grid.columnCount(); ++c)
            if (!grid.isLocked(r, c) && grid.hasNumber(r, c)) {
                grid.setCell(r, c, std::nullopt);
                changed = true;
            }
    if (changed) grid.setChanged(true);
    return changed;
}

bool DropOverwrites(const DataGrid& grid, const GridBlock& source, int row, int column)
{
    for (int i = 0; i < source.rows; ++i)
        for (int j = 0; j < source.columns; ++j) {
            const int r = row + i;
            const int c = column + j;
            if (r < grid.rowCount() && c < grid.columnCount() && !source.contains(r, c) &&
                grid.hasNumber(r, c))
                return true;
        }
    return false;
}

bool DropBlock(DataGrid& grid, const GridBlock& source, int row, int column, bool move)
{
    if (row == source.top && column == source.left) return false;
    std::vector<std::optional<double>> values;
    for (int i = 0; i < source.rows; ++i)
        for (int j = 0; j < source.columns; ++j) values.push_back(grid.enteredCell(source.top + i, source.left + j));
    bool changed = false;
    if (move) {
        for (int i = 0; i < source.rows; ++i)
            for (int j = 0; j < source.columns; ++j) {
                const int r = source.top + i;
                const int c = source.left + j;
                // a value that cannot land (beyond the grid, or on a locked cell) stays where it was
                const int tr = row + i;
                const int tc = column + j;
                if (tr >= grid.rowCount() || tc >= grid.columnCount() || grid.isLocked(tr, tc)) continue;
                if (r < grid.rowCount() && c < grid.columnCount() && !grid.isLocked(r, c) &&
                    grid.hasNumber(r, c)) {
                    grid.setCell(r, c, std::nullopt);
                    changed = true;
                }
            }
    }
    std::size_t k = 0;
    for (int i = 0; i < source.rows; ++i)
        for (int j = 0; j < source.columns; ++j, ++k) {
            const int r = row + i;
            const int c = column + j;
            if (r >= grid.rowCount() || c >= grid.columnCount() || grid.isLocked(r, c)) continue;
            if (grid.enteredCell(r, c) != values[k]) changed = true;
            grid.setCell(r, c, values[k]);
        }
    if (changed) grid.setChanged(true);
    return changed;
}

}  // namespace kestra
