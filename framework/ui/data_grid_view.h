// DataGridView: the data grid of a study window (numeric editing, Advance, clipboard block commands, block
// drag-and-drop with the move-or-copy question, the Modifica menu on a right click).
#pragma once

#include <QTableView>

#include "framework/grid_block.h"

class QMenu;

namespace kestra {

class DataGridModel;
class Prompts;

class DataGridView : public QTableView {
    Q_OBJECT

public:
    DataGridView(DataGrid& grid, Prompts& prompts, QWidget* parent = nullptr);

    DataGridModel* gridModel() const { return m_model; }
    DataGrid& grid() const;
    // Shows the grid again after the study changed it, with the column widths of its number format.
    void refresh();
    // Width of the row-heading column in characters (13 for the limits grid).
    void setRowHeaderWidth(int characters);
    // The menu shown on a right click (the window's "&Modifica").
    void setContextMenu(QMenu* menu) { m_contextMenu = menu; }

    // The selected block, or the active cell when nothing is selected.
    GridBlock selectedBlock() const;
    void selectBlock(const GridBlock& block);
    void setActiveCell(int row, int column);

    // Confirms a cell still being typed in (before a command reads the grid).
    void commitPendingEdit();

    // Clipboard commands: tab-separated text, as spreadsheets exchange it.
    void copyBlock();
    void cutBlock();
    void pasteBlock();
    void clearBlock();
    // Pastes text at the active cell; refused values are reported through the prompts.
    void pasteText(const QString& text);
    // A block dropped at (row, column): asks move-or-copy when cells would be overwritten.
    // Returns whether the grid changed.
    bool dropBlock(const GridBlock& source, int row, int column);

signals:
    // The user changed cells; the grid's changed flag is set.
    void edited();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // paints the corner heading

private:
    void moveDown();
    void applyColumnWidths();

    DataGridModel* m_model;
    Prompts& m_prompts;
    QMenu* m_contextMenu = nullptr;
    int m_rowHeaderChars = 0;
};

}  // namespace kestra
