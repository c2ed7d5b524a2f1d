// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/extended_statistics_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "framework/extended_statistics_text.h"
#include "framework/number_pattern.h"
#include "framework/study.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

QString q(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidgetItem* item(const QString& text, Qt::Alignment alignment)
{
    auto* i = new QTableWidgetItem(text);
    i->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    i->setTextAlignment(alignment | Qt::AlignVCenter);
    return i;
}

// A note of two lines keeps some room between its lines and the rules.
class RoomyRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 4);
    }
};

}  // namespace

ExtendedStatisticsView::ExtendedStatisticsView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatisticaEstesa"));
    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("lblEstesaNonDisponibile"));
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // the page's one control while there are no values: the keyboard reaches it and Tab moves on
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_notice->setFocusPolicy(Qt::StrongFocus);

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("GridEstesa"));
    m_table->setHorizontalHeaderLabels(
        {Ui::tr("Grandezza"), Ui::tr("Valore"), Ui::tr("Nota")});
    m_table->verticalHeader()->setVisible(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab goes on to the next control, the arrows move between the lines
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(true);
    m_table->setAlternatingRowColors(true);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Rows follow their notes' wrapped height at the columns' actual widths, whenever these change (also
    // when the page was laid out hidden, at another width).
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setItemDelegate(new RoomyRowDelegate(m_table));
    m_table->installEventFilter(this);
    m_table->setAccessibleName(Ui::tr("Statistica estesa"));

    m_rule = new QLabel(Ui::tr("Valori con 6 cifre significative; il valore completo compare nel "
                               "suggerimento della cella. Ctrl+C copia le righe scelte."),
                        this);
    m_rule->setWordWrap(true);
    QPalette muted = m_rule->palette();
    muted.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
    m_rule->setPalette(muted);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_notice);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_rule);
}

void ExtendedStatisticsView::showStatistics(const Study& study)
{
    // while the data differ from what was calculated the study is not even asked
    const bool current = study.resultsCurrent();
    const ExtendedStatistics statistics = current ? study.extendedStatistics() : ExtendedStatistics{};
    const std::vector<ExtendedLine> lines =
        ExtendedLines(statistics, ScreenLanguage(), UserDecimalSeparator());
    const bool shown = statistics.available && !lines.empty();

    m_table->setRowCount(0);
    m_table->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const ExtendedLine& line = lines[static_cast<std::size_t>(r)];
        QTableWidgetItem* name = item(q(line.name), Qt::AlignLeft);
        name->setToolTip(Ui::tr("Chiave: ") + q(line.key));
        QTableWidgetItem* value = item(q(line.value), Qt::AlignRight);
        if (!line.fullValue.empty() && line.fullValue != line.value)
            value->setToolTip(Ui::tr("Valore completo: ") + q(line.fullValue));
        QTableWidgetItem* note = item(q(line.note), Qt::AlignLeft);
        note->setToolTip(q(line.note));
        m_table->setItem(r, 0, name);
        m_table->setItem(r, 1, value);
        m_table->setItem(r, 2, note);
    }
    if (shown && !m_table->currentIndex().isValid())
        m_table->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);

    m_notice->setText(shown                  ? QString()
                      : statistics.available ? q(ExtendedNoValuesText(ScreenLanguage()))
                                             : q(ExtendedUnavailableText(!current, ScreenLanguage())));
    m_notice->setVisible(!shown);
    m_table->setVisible(shown);
    m_rule->setVisible(shown);
}

QString ExtendedStatisticsView::selectionText() const
{
    std::set<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) rows.insert(index.row());
    if (rows.empty() && m_table->currentRow() >= 0) rows.insert(m_table->currentRow());
    QStringList out;
    for (int r : rows) {
        QStringList cells;
        for (int c = 0; c < m_table->columnCount(); ++c)
            cells << (m_table->item(r, c) ? m_table->item(r, c)->text() : QString());
        out << cells.join(QLatin1Char('\t'));
    }
    return out.join(QLatin1Char('\n'));
}

void ExtendedStatisticsView::copySelection() const
{
    const QString text = selectionText();
    if (text.isEmpty()) return;
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setText(text);
}

bool ExtendedStatisticsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kestra
