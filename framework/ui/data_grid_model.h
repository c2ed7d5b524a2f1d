// DataGridModel: the table model over a study's DataGrid (cells shown with the grid's pattern and the user's
// decimal separator; edits checked against the grid's range).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include "framework/grid_block.h"

namespace kestra {

class DataGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DataGridModel(DataGrid& grid, QObject* parent = nullptr);

    DataGrid& grid() { return m_grid; }
    const DataGrid& grid() const { return m_grid; }
    // Shows the grid again after the study changed it (rows, columns, values, format).
    void refresh();
    // A block of cells changed through the grid operations (paste, clear, drop).
    void blockChanged(const GridBlock& block);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Text typed in a cell: empty empties it; otherwise a number that fits the cell's format as typed ("," or
    // "." as separator, see ReadTypedEntry). Anything else is refused and the cell keeps its value.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }

signals:
    // The user changed cells (typing, paste, clear, drop): the grid's changed flag is set.
    void edited();

private:
    DataGrid& m_grid;
};

}  // namespace kestra
