// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/data_grid_model.h"

#include <QBrush>
#include <QColor>

#include "framework/cell_entry.h"
#include "framework/ui/ui_text.h"

namespace kestra {

DataGridModel::DataGridModel(DataGrid& grid, QObject* parent) : QAbstractTableModel(parent), m_grid(grid)
{
}

void DataGridModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void DataGridModel::blockChanged(const GridBlock& block)
{
    if (block.rows <= 0 || block.columns <= 0) return;
    const int bottom = std::min(block.top + block.rows, m_grid.rowCount()) - 1;
    const int right = std::min(block.left + block.columns, m_grid.columnCount()) - 1;
    if (bottom < block.top || right < block.left) return;
    emit dataChanged(index(block.top, block.left), index(bottom, right));
    emit edited();
}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.rowCount();
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.columnCount();
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(m_grid.cellText(index.row(), index.column()));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (m_grid.isLocked(index.row(), index.column())) return QBrush(QColor(236, 236, 236));
            return {};
        default:
            return {};
    }
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int r = index.row();
    const int c = index.column();
    if (m_grid.isLocked(r, c)) return false;
    const TypedEntry entry = ReadTypedEntry(value.toString().toStdString(), m_grid.format());
    if (entry.status == TypedEntry::Status::Refused) return false;
    std::optional<double> number;
    if (entry.status == TypedEntry::Status::Number) {
        if (!m_grid.accepts(entry.value)) return false;
        number = entry.value;
    }
    const auto before = m_grid.cell(r, c);
    m_grid.setCell(r, c, number);
    // the grid's changed flag follows the user's edit, like the spreadsheet's; re-typing the same value
    // counts
    m_grid.setChanged(true);
    if (before != m_grid.cell(r, c)) emit dataChanged(index, index);
    emit edited();
    return true;
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole) {
        if (orientation == Qt::Horizontal) return ScreenText(m_grid.columnHeader(section));
        const std::string h = m_grid.rowHeader(section);
        return h.empty() ? QString::number(section + 1) : ScreenText(h);
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (!m_grid.isLocked(index.row(), index.column())) f |= Qt::ItemIsEditable;
    return f;
}

}  // namespace kestra
