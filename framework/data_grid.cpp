// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/data_grid.h"

#include <stdexcept>

#include "text/number_format.h"

namespace kestra {

DataGrid::DataGrid(int rows, int columns)
{
    resize(rows, columns);
}

std::size_t DataGrid::index(int row, int column) const
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(column);
}

bool DataGrid::inside(int row, int column) const
{
    return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
}

void DataGrid::resize(int rows, int columns)
{
    if (rows < 0 || columns < 0) throw std::invalid_argument("negative grid size");
    std::vector<std::optional<double>> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    std::vector<bool> locked(cells.size(), false);
    for (int r = 0; r < std::min(rows, m_rows); ++r) {
        for (int c = 0; c < std::min(columns, m_columns); ++c) {
            const std::size_t to = static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                                   static_cast<std::size_t>(c);
            cells[to] = m_cells[index(r, c)];
            locked[to] = m_locked[index(r, c)];
        }
    }
    m_cells = std::move(cells);
    m_locked = std::move(locked);
    m_rows = rows;
    m_columns = columns;
    m_columnHeaders.resize(static_cast<std::size_t>(columns));
    m_rowHeaders.resize(static_cast<std::size_t>(rows));
}

std::optional<double> DataGrid::cell(int row, int column) const
{
    const std::optional<double> entered = enteredCell(row, column);
    if (!entered) return std::nullopt;
    return RoundToDecimals(*entered, m_format.decimals);
}

std::optional<double> DataGrid::enteredCell(int row, int column) const
{
    if (!inside(row, column)) return std::nullopt;
    return m_cells[index(row, column)];
}

void DataGrid::setCell(int row, int column, std::optional<double> value)
{
    if (!inside(row, column)) throw std::out_of_range("grid cell outside the grid");
    m_cells[index(row, column)] = value;
}

std::string DataGrid::cellText(int row, int column) const
{
    return FormatNumber(cell(row, column), pattern(), UserDecimalSeparator());
}

void DataGrid::clear()
{
    for (auto& c : m_cells) c.reset();
}

bool DataGrid::isLocked(int row, int column) const
{
    return inside(row, column) && m_locked[index(row, column)];
}

void DataGrid::setLocked(int row, int column, bool locked)
{
    if (inside(row, column)) m_locked[index(row, column)] = locked;
}

void DataGrid::setFormat(const NumberFormat& format)
{
    m_format = format;
}

std::string DataGrid::pattern() const
{
    return BuildNumberPattern(m_format.integers, m_format.decimals);
}

bool DataGrid::accepts(double value) const
{
    return value >= 0 && RoundToDecimals(value, m_format.decimals) <= MaxValueOf(m_format) + 1e-9;
}

std::string DataGrid::columnHeader(int column) const
{
    if (column < 0 || column >= m_columns) return {};
    return m_columnHeaders[static_cast<std::size_t>(column)];
}

void DataGrid::setColumnHeader(int column, std::string text)
{
    if (column >= 0 && column < m_columns) m_columnHeaders[static_cast<std::size_t>(column)] = std::move(text);
}

std::string DataGrid::rowHeader(int row) const
{
    if (row < 0 || row >= m_rows) return {};
    return m_rowHeaders[static_cast<std::size_t>(row)];
}

void DataGrid::setRowHeader(int row, std::string text)
{
    if (row >= 0 && row < m_rows) m_rowHeaders[static_cast<std::size_t>(row)] = std::move(text);
}

}  // namespace kestra
