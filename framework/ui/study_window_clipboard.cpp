// The study window's clipboard commands: cut, copy, paste and clear on the grid or text field with the focus.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/extended_statistics_view.h"
#include "framework/ui/study_window.h"

namespace kestra {

// --- edit commands: on the grid or the text field that has the focus

void StudyWindow::cut()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w)) {
        grid->cutBlock();
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly()) line->cut();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        text->isReadOnly() ? text->copy() : text->cut();
    }
}

void StudyWindow::copy()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w))
        grid->copyBlock();
    else if (m_extended && w == m_extended->table())
        m_extended->copySelection();
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->copy();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(w))
        text->copy();
}

void StudyWindow::paste()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w)) {
        grid->pasteBlock();
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly()) line->paste();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        if (!text->isReadOnly()) text->paste();
    }
}

void StudyWindow::clearSelection()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w)) {
        grid->clearBlock();
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly() && line->hasSelectedText()) line->del();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        if (!text->isReadOnly()) text->textCursor().removeSelectedText();
    }
}

void StudyWindow::updatePasteEnabled()
{
    if (QAction* paste = action(QStringLiteral("ModificaIncolla")))
        paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

}  // namespace kestra
