// A study's data grid: cells that are empty or hold a number, with headings and a number format.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/number_pattern.h"

namespace kestra {

// Rows and columns are 0-based here; the screen numbers them from 1.
// A cell keeps its number as it was entered (typed, pasted or read) and shows it rounded to the grid's
// decimals; everything that uses the number (calculations, reports, files) takes it as shown, so a format
// change never destroys an entered value: returning to more decimals shows the entered digits again.
class DataGrid {
public:
    DataGrid() = default;
    DataGrid(int rows, int columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    // Keeps the cells that stay inside; new cells are empty.
    void resize(int rows, int columns);
    void setRowCount(int rows) { resize(rows, m_columns); }
    void setColumnCount(int columns) { resize(m_rows, columns); }

    // The number as shown: the entered value rounded to the grid's decimals.
    std::optional<double> cell(int row, int column) const;
    // The number as entered; what moves with a cell when data are moved, saved aside and restored.
    std::optional<double> enteredCell(int row, int column) const;
    void setCell(int row, int column, std::optional<double> value);
    bool hasNumber(int row, int column) const { return cell(row, column).has_value(); }
    // The cell as the grid shows it (the grid's pattern, the user's separator); empty cell -> "".
    std::string cellText(int row, int column) const;
    void clear();  // every cell empty; headings stay

    bool isLocked(int row, int column) const;
    void setLocked(int row, int column, bool locked);

    const NumberFormat& format() const { return m_format; }
    // Changes how the cells show; the entered values stay.
    void setFormat(const NumberFormat& format);
    std::string pattern() const;
    // Whether the grid accepts a typed value (0 .. the format's maximum).
    bool accepts(double value) const;

    std::string columnHeader(int column) const;
    void setColumnHeader(int column, std::string text);
    std::string rowHeader(int row) const;
    void setRowHeader(int row, std::string text);
    std::string cornerHeader() const { return m_corner; }
    void setCornerHeader(std::string text) { m_corner = std::move(text); }

    // Set by edits on screen; cleared when the document is read or written.
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

private:
    std::size_t index(int row, int column) const;
    bool inside(int row, int column) const;

    int m_rows = 0;
    int m_columns = 0;
    std::vector<std::optional<double>> m_cells;
    std::vector<bool> m_locked;
    std::vector<std::string> m_columnHeaders;
    std::vector<std::string> m_rowHeaders;
    std::string m_corner;
    NumberFormat m_format;
    bool m_changed = false;
};

}  // namespace kestra
