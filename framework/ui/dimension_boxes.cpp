#include "framework/ui/dimension_boxes.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <algorithm>

#include "framework/data_grid.h"
#include "framework/prompts.h"
#include "framework/ui/study_window.h"

namespace kestra {

QLineEdit* NewDimensionEdit(QWidget* parent, const QString& objectName, const QString& range,
                            const QString& widthSample)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(2);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), edit));
    edit->setToolTip(range);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widthSample) + 16);
    return edit;
}

DimensionBoxes::DimensionBoxes(StudyWindow& window, DimensionGrids grids, std::vector<DimensionBox> boxes)
    : QObject(&window), m_window(window), m_grids(std::move(grids)), m_boxes(std::move(boxes))
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        QLineEdit* edit = m_boxes[i].edit;
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { edited(i, text); });
    }
}

void DimensionBoxes::takeSnapshot()
{
    Snapshot snapshot;
    for (const DataGrid* grid : m_grids.grids()) {
        auto& cells = snapshot.cells.emplace_back();
        for (int r = 0; r < grid->rowCount(); ++r) {
            auto& row = cells.emplace_back();
            for (int c = 0; c < grid->columnCount(); ++c) row.push_back(grid->enteredCell(r, c));
        }
        auto& headings = snapshot.headings.emplace_back();
        for (int c = 0; c < grid->columnCount(); ++c) headings.push_back(grid->columnHeader(c));
    }
    m_onEntry = std::move(snapshot);
}

void DimensionBoxes::restoreSnapshot()
{
    if (!m_onEntry) return;
    const std::vector<DataGrid*> grids = m_grids.grids();
    for (std::size_t g = 0; g < grids.size() && g < m_onEntry->cells.size(); ++g) {
        DataGrid& grid = *grids[g];
        const auto& cells = m_onEntry->cells[g];
        const int rows = std::min(grid.rowCount(), static_cast<int>(cells.size()));
        for (int r = 0; r < rows; ++r) {
            const auto& row = cells[static_cast<std::size_t>(r)];
            const int columns = std::min(grid.columnCount(), static_cast<int>(row.size()));
            for (int c = 0; c < columns; ++c) {
                const std::optional<double>& value = row[static_cast<std::size_t>(c)];
                if (!value && !m_grids.restoreEmpty) continue;
                if (m_grids.skipLocked && grid.isLocked(r, c)) continue;
                grid.setCell(r, c, value);
            }
        }
        if (!m_grids.headings) continue;
        const auto& headings = m_onEntry->headings[g];
        for (int c = 0; c < grid.columnCount() && c < static_cast<int>(headings.size()); ++c)
            grid.setColumnHeader(c, headings[static_cast<std::size_t>(c)]);
    }
}

void DimensionBoxes::edited(std::size_t index, const QString& text)
{
    const StudyWindow::EditRecorder edit(m_window);
    if (!m_boxes[index].apply(text.toInt())) return;
    restoreSnapshot();
    if (m_grids.afterRestore) m_grids.afterRestore();
    m_window.showDocument();
}

void DimensionBoxes::left(std::size_t index)
{
    const DimensionBox& box = m_boxes[index];
    if (box.valid(box.edit->text().toInt())) {
        m_onEntry.reset();
        return;
    }
    if (box.defaultCount) {
        box.edit->setText(QString::number(*box.defaultCount));
        edited(index, box.edit->text());
    } else {
        m_window.prompts().beep();
        const int shown = box.current();
        box.edit->setText(QString::number(shown));
        box.reapply(shown);
        m_window.showDocument();
    }
    // the box keeps the focus until it holds a valid count
    QLineEdit* edit = box.edit;
    const bool twoDigits = box.selectTwoDigits;
    QTimer::singleShot(0, edit, [edit, twoDigits] {
        edit->setFocus(Qt::OtherFocusReason);
        twoDigits ? edit->setSelection(0, 2) : edit->selectAll();
    });
}

bool DimensionBoxes::eventFilter(QObject* watched, QEvent* event)
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        QLineEdit* edit = m_boxes[i].edit;
        if (watched != edit) continue;
        if (event->type() == QEvent::FocusIn) {
            takeSnapshot();
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // switching to another program or opening a menu is not leaving the box
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) left(i);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestra
