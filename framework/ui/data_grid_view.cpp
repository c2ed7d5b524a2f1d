// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/data_grid_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTimer>

#include "framework/cell_entry.h"
#include "framework/prompts.h"
#include "framework/ui/data_grid_model.h"
#include "framework/ui/numeric_delegate.h"
#include "text/number_format.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {
// The dragged block travels with its source rectangle, so a drop inside the same grid moves data only.
constexpr const char* kBlockMime = "application/x-kestra-grid-block";

QByteArray encodeBlock(const GridBlock& b)
{
    return QStringLiteral("%1 %2 %3 %4").arg(b.top).arg(b.left).arg(b.rows).arg(b.columns).toLatin1();
}

std::optional<GridBlock> decodeBlock(const QByteArray& bytes)
{
    const auto parts = QString::fromLatin1(bytes).split(QLatin1Char(' '));
    if (parts.size() != 4) return std::nullopt;
    return GridBlock{parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()};
}
}  // namespace

DataGridView::DataGridView(DataGrid& grid, Prompts& prompts, QWidget* parent)
    : QTableView(parent), m_model(new DataGridModel(grid, this)), m_prompts(prompts)
{
    setModel(m_model);
    setItemDelegate(new NumericDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);  // spreadsheet rows, not list rows
    if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
    connect(m_model, &DataGridModel::edited, this, &DataGridView::edited);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { applyColumnWidths(); });
    applyColumnWidths();
}

DataGrid& DataGridView::grid() const
{
    return m_model->grid();
}

void DataGridView::refresh()
{
    const QModelIndex current = currentIndex();
    m_model->refresh();
    if (current.isValid() && current.row() < m_model->rowCount() && current.column() < m_model->columnCount())
        setCurrentIndex(m_model->index(current.row(), current.column()));
}

void DataGridView::setRowHeaderWidth(int characters)
{
    m_rowHeaderChars = characters;
    applyColumnWidths();
}

void DataGridView::applyColumnWidths()
{
    // ApplyNumberFormat: every column as wide as the largest value plus half a character; the heading
    // is kept readable too
    const QFontMetrics fm(font());
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    const NumberFormat& f = grid().format();
    const int maxLength = f.integers + (f.decimals > 0 ? f.decimals + 1 : 0);
    const int valueWidth = digit * maxLength + digit / 2 + 8;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString heading = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int headingWidth = QFontMetrics(horizontalHeader()->font()).horizontalAdvance(heading) + 12;
        setColumnWidth(c, std::max(valueWidth, headingWidth));
    }
    if (m_rowHeaderChars > 0) verticalHeader()->setFixedWidth(digit * m_rowHeaderChars);
}

GridBlock DataGridView::selectedBlock() const
{
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList{};
    if (selected.isEmpty()) {
        const QModelIndex c = currentIndex();
        if (!c.isValid()) return {0, 0, 0, 0};
        return {c.row(), c.column(), 1, 1};
    }
    int top = selected.front().row(), bottom = top, left = selected.front().column(), right = left;
    for (const QModelIndex& i : selected) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    return {top, left, bottom - top + 1, right - left + 1};
}

void DataGridView::selectBlock(const GridBlock& block)
{
    if (block.rows <= 0 || block.columns <= 0) return;
    setCurrentIndex(m_model->index(block.top, block.left));
    const QItemSelection selection(
        m_model->index(block.top, block.left),
        m_model->index(block.top + block.rows - 1, block.left + block.columns - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void DataGridView::setActiveCell(int row, int column)
{
    setCurrentIndex(m_model->index(row, column));
}

bool DataGridView::commitPendingEdit()
{
    if (state() != EditingState) return true;
    QWidget* editor = m_editor ? m_editor.data() : indexWidget(currentIndex());
    if (!editor) return true;
    if (!editorTextFits(editor)) {
        refuseEditor(editor);
        return false;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

bool DataGridView::editable(int row, int column) const
{
    return row >= 0 && column >= 0 && row < m_model->rowCount() && column < m_model->columnCount() &&
           !grid().isLocked(row, column);
}

QModelIndex DataGridView::stepDownColumns(const QModelIndex& from, int step) const
{
    const int rows = m_model->rowCount();
    const int total = rows * m_model->columnCount();
    for (int i = from.column() * rows + from.row() + step; i >= 0 && i < total; i += step)
        if (editable(i % rows, i / rows)) return m_model->index(i % rows, i / rows);
    return {};
}

QModelIndex DataGridView::stepAcrossRows(const QModelIndex& from, int step) const
{
    const int columns = m_model->columnCount();
    const int total = columns * m_model->rowCount();
    for (int i = from.row() * columns + from.column() + step; i >= 0 && i < total; i += step)
        if (editable(i / columns, i % columns)) return m_model->index(i / columns, i % columns);
    return {};
}

bool DataGridView::editorTextFits(QWidget* editor) const
{
    const auto* line = qobject_cast<const QLineEdit*>(editor);
    if (!line) return true;
    const TypedEntry entry = ReadTypedEntry(line->text().toStdString(), grid().format());
    if (entry.status == TypedEntry::Status::Refused) return false;
    return entry.status == TypedEntry::Status::Empty || grid().accepts(entry.value);
}

void DataGridView::refuseEditor(QWidget* editor)
{
    // A window that is not the active one (another program, or the warning itself) keeps the editor as it
    // is: the user sees the refusal when confirming again.
    const bool active = editor->isActiveWindow() && QApplication::activeModalWidget() == nullptr;
    if (active && !m_warning && !m_refusedNow) {
        m_warning = true;
        m_refusedNow = true;
        QTimer::singleShot(0, this, [this] { m_refusedNow = false; });
        m_prompts.warning(InvalidEntryMessage(grid().format(), UserDecimalSeparator()));
        m_warning = false;
    }
    if (m_editorIndex.isValid() && currentIndex() != m_editorIndex)
        selectionModel()->setCurrentIndex(m_editorIndex, QItemSelectionModel::ClearAndSelect);
    if (editor->isVisible()) editor->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
}

void DataGridView::copyBlock()
{
    const GridBlock block = selectedBlock();
    if (block.rows <= 0) return;
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setText(QString::fromStdString(BlockToText(grid(), block)));
}

void DataGridView::cutBlock()
{
    copyBlock();
    clearBlock();
}

void DataGridView::clearBlock()
{
    const GridBlock block = selectedBlock();
    emit aboutToEdit();
    if (ClearBlock(grid(), block)) m_model->blockChanged(block);
}

void DataGridView::pasteBlock()
{
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) pasteText(text);
}

void DataGridView::pasteText(const QString& text)
{
    const GridBlock at = selectedBlock();
    if (at.rows <= 0) return;
    emit aboutToEdit();
    const PasteOutcome outcome = PasteText(grid(), at.top, at.left, text.toStdString());
    if (outcome.changed())
        m_model->blockChanged({at.top, at.left, grid().rowCount() - at.top, grid().columnCount() - at.left});
    const std::string message = outcome.message();
    if (!message.empty()) m_prompts.warning(message);
}

bool DataGridView::dropBlock(const GridBlock& source, int row, int column)
{
    if (row < 0 || column < 0 || (row == source.top && column == source.left)) return false;
    bool move = true;
    if (DropOverwrites(grid(), source, row, column)) {
        const Answer answer = m_prompts.askMoveOrCopy();
        if (answer == Answer::Cancel) return false;
        move = answer == Answer::Yes;
    }
    emit aboutToEdit();
    if (!DropBlock(grid(), source, row, column, move)) return false;
    const int top = std::min(source.top, row);
    const int left = std::min(source.left, column);
    m_model->blockChanged({top, left, std::max(source.top, row) + source.rows - top,
                           std::max(source.left, column) + source.columns - left});
    selectBlock({row, column, std::min(source.rows, grid().rowCount() - row),
                 std::min(source.columns, grid().columnCount() - column)});
    viewport()->update();
    return true;
}

QModelIndex DataGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Advance: down a column and on at the top of the next one, back up past row 1 to the previous column.
    // Locked cells are never entered; Tab goes across the rows and leaves the grid after its last cell.
    const QModelIndex c = currentIndex();
    if (!c.isValid()) return QTableView::moveCursor(action, modifiers);
    switch (action) {
        case MoveDown:
        case MoveUp: {
            const QModelIndex next = stepDownColumns(c, action == MoveDown ? 1 : -1);
            if (next.isValid()) return next;
            emit(action == MoveDown ? advancedPastEnd() : advancedBeforeStart());
            return c;
        }
        case MoveNext:
        case MovePrevious: {
            const QModelIndex next = stepAcrossRows(c, action == MoveNext ? 1 : -1);
            return next.isValid() ? next : c;
        }
        default:
            break;
    }
    const QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (!target.isValid() || editable(target.row(), target.column())) return target;
    // a locked target: the nearest editable cell of its row on the way back, else no move
    const int towards = target.column() > c.column() ? -1 : 1;
    for (int column = target.column(); column != c.column(); column += towards)
        if (editable(target.row(), column)) return m_model->index(target.row(), column);
    return editable(target.row(), c.column()) ? m_model->index(target.row(), c.column()) : c;
}

void DataGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_redirecting || !current.isValid() || editable(current.row(), current.column())) return;
    // a click on a locked cell selects it (to copy it) but the cell typed into stays an editable one
    QModelIndex to;
    for (int column = current.column() - 1; column >= 0 && !to.isValid(); --column)
        if (editable(current.row(), column)) to = m_model->index(current.row(), column);
    for (int column = current.column() + 1; column < m_model->columnCount() && !to.isValid(); ++column)
        if (editable(current.row(), column)) to = m_model->index(current.row(), column);
    if (!to.isValid()) return;
    m_redirecting = true;
    selectionModel()->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
    m_redirecting = false;
}

bool DataGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!QTableView::edit(index, trigger, event)) return false;
    if (QWidget* editor = indexWidget(index); editor && editor != m_editor) {
        m_editor = editor;
        m_editorIndex = index;
        // installed after the delegate's filter, so it sees the confirming keys first
        editor->installEventFilter(this);
    }
    return true;
}

void DataGridView::moveDown()
{
    const QModelIndex next = moveCursor(MoveDown, Qt::NoModifier);
    if (next.isValid() && next != currentIndex()) {
        setCurrentIndex(next);
        scrollTo(next);
    }
}

void DataGridView::moveUp()
{
    const QModelIndex next = moveCursor(MoveUp, Qt::NoModifier);
    if (next.isValid() && next != currentIndex()) {
        setCurrentIndex(next);
        scrollTo(next);
    }
}

void DataGridView::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            moveDown();
            return;
        }
        if (event->modifiers() & Qt::ShiftModifier) {
            moveUp();
            return;
        }
    }
    if (state() != EditingState && event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Delete) {
        clearBlock();
        return;
    }
    // the usual spreadsheet keys work on blocks too (the menu's own shortcuts are the window's actions)
    if (state() != EditingState && event->matches(QKeySequence::Copy)) {
        copyBlock();
        return;
    }
    if (state() != EditingState && event->matches(QKeySequence::Paste)) {
        pasteBlock();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGridView::commitData(QWidget* editor)
{
    // a text that does not fit is never written; closeEditor then keeps the editor open
    if (!editorTextFits(editor)) return;
    emit aboutToEdit();
    QTableView::commitData(editor);
}

void DataGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint != QAbstractItemDelegate::RevertModelCache && !editorTextFits(editor)) {
        refuseEditor(editor);
        return;
    }
    if (editor == m_editor) {
        m_editor.clear();
        m_editorIndex = QPersistentModelIndex();
    }
    // Enter in a cell confirms it and goes on down the column (and on to the next column)
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache && m_enterPressed;
    m_enterPressed = false;
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        // Tab past the last cell (Shift+Tab before the first) leaves the grid instead of going round
        const QModelIndex next =
            stepAcrossRows(currentIndex(), hint == QAbstractItemDelegate::EditNextItem ? 1 : -1);
        if (!next.isValid()) {
            QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
            focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
            return;
        }
    }
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    if (enter) moveDown();
}

void DataGridView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex at = indexAt(event->pos());
    if (at.isValid() && !selectionModel()->isSelected(at)) setCurrentIndex(at);
    if (m_contextMenu) m_contextMenu->popup(event->globalPos());
}

void DataGridView::startDrag(Qt::DropActions)
{
    const GridBlock block = selectedBlock();
    if (block.rows <= 0) return;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kBlockMime), encodeBlock(block));
    mime->setText(QString::fromStdString(BlockToText(grid(), block)));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    // the drop itself changes the grid (dropEvent); the source is never removed by the drag machinery
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void DataGridView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kBlockMime)) || event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DataGridView::dragMoveEvent(QDragMoveEvent* event)
{
    if (indexAt(event->position().toPoint()).isValid())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DataGridView::dropEvent(QDropEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!at.isValid()) {
        event->ignore();
        return;
    }
    const QMimeData* mime = event->mimeData();
    if (event->source() == this && mime->hasFormat(QString::fromLatin1(kBlockMime))) {
        if (const auto source = decodeBlock(mime->data(QString::fromLatin1(kBlockMime))))
            dropBlock(*source, at.row(), at.column());
    } else if (mime->hasText()) {
        // text dragged from elsewhere (a spreadsheet) is pasted at the drop cell
        setCurrentIndex(at);
        selectionModel()->select(at, QItemSelectionModel::ClearAndSelect);
        pasteText(mime->text());
    }
    event->setDropAction(Qt::CopyAction);  // nothing left for the drag source to remove
    event->accept();
}

bool DataGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                // refused before anything moves: the editor stays with its text selected
                if (!editorTextFits(m_editor)) {
                    refuseEditor(m_editor);
                    return true;
                }
                m_enterPressed = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
                break;
            default:
                break;
        }
    }
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && event->type() == QEvent::Paint && !grid().cornerHeader().empty()) {
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = ScreenText(grid().cornerHeader());
        option.textAlignment = Qt::AlignCenter;
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace kestra
