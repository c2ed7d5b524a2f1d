// DataGridView: the data grid of a study window (numeric editing, Advance, clipboard block commands, block
// drag-and-drop with the move-or-copy question, the Modifica menu on a right click).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
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

    // Confirms a cell still being typed in (before a command reads the grid). A text that does not fit the
    // cell is refused with a warning and stays in the open editor: then false, and the command must stop.
    bool commitPendingEdit();
    bool isEditing() const { return state() == EditingState; }

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
    // The user is about to change cells (typing confirmed, paste, cut, clear, drop): the grid is still as
    // before.
    void aboutToEdit();
    // The user changed cells; the grid's changed flag is set.
    void edited();
    // Entry moved past the last editable cell (Enter or Down) or back before the first one (Up): a window
    // with several grids carries on in the next or previous one; a single grid stays where it is.
    void advancedPastEnd();
    void advancedBeforeStart();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // paints the corner heading

private:
    void moveDown();
    void moveUp();
    void applyColumnWidths();
    bool editable(int row, int column) const;
    // The next (step +1) or previous (-1) editable cell down the columns, or across the rows; invalid at the
    // end.
    QModelIndex stepDownColumns(const QModelIndex& from, int step) const;
    QModelIndex stepAcrossRows(const QModelIndex& from, int step) const;
    bool editorTextFits(QWidget* editor) const;
    // Keeps a refused editor open: the warning (once per attempt), the editor's cell current again, text
    // selected.
    void refuseEditor(QWidget* editor);

    DataGridModel* m_model;
    Prompts& m_prompts;
    QMenu* m_contextMenu = nullptr;
    int m_rowHeaderChars = 0;
    QPointer<QWidget> m_editor;
    QPersistentModelIndex m_editorIndex;
    bool m_redirecting = false;   // moving the current cell off a locked one
    bool m_warning = false;       // the refusal's warning is showing
    bool m_refusedNow = false;    // this event already refused the editor (focus and click come together)
    bool m_enterPressed = false;  // the editor closes on Enter (not on a move to another row)
};

}  // namespace kestra
