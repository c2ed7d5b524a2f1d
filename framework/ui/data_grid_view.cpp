#include "framework/ui/data_grid_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionHeader>

#include "framework/prompts.h"
#include "framework/ui/data_grid_model.h"
#include "framework/ui/numeric_delegate.h"
#include "text/number_format.h"

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
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList{};
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
    const QItemSelection selection(m_model->index(block.top, block.left),
                                   m_model->index(block.top + block.rows - 1, block.left + block.columns - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void DataGridView::setActiveCell(int row, int column)
{
    setCurrentIndex(m_model->index(row, column));
}

void DataGridView::commitPendingEdit()
{
    if (state() != EditingState) return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
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
    // Advance: past the last row to row 1 of the next column, and back past row 1 to the previous column
    const QModelIndex c = currentIndex();
    if (c.isValid()) {
        const int lastRow = m_model->rowCount() - 1;
        const int lastColumn = m_model->columnCount() - 1;
        if (action == MoveDown && c.row() == lastRow && c.column() < lastColumn)
            return m_model->index(0, c.column() + 1);
        if (action == MoveUp && c.row() == 0 && c.column() > 0) return m_model->index(lastRow, c.column() - 1);
    }
    return QTableView::moveCursor(action, modifiers);
}

void DataGridView::moveDown()
{
    const QModelIndex next = moveCursor(MoveDown, Qt::NoModifier);
    if (next.isValid()) {
        setCurrentIndex(next);
        scrollTo(next);
    }
}

void DataGridView::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && event->modifiers() == Qt::NoModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            moveDown();
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            clearBlock();
            return;
        }
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

void DataGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter in a cell confirms it and goes on down the column (and on to the next column)
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
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
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (corner && event->type() == QEvent::Paint && !grid().cornerHeader().empty()) {
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = QString::fromStdString(grid().cornerHeader());
        option.textAlignment = Qt::AlignCenter;
        corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

}  // namespace kestra
