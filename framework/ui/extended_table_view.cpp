// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/extended_table_view.h"

#include <QHeaderView>

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

QTableWidgetItem* cell(const QString& text, const QString& full)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!full.isEmpty() && full != text) item->setToolTip(Ui::tr("Valore completo: ") + full);
    return item;
}

}  // namespace

ExtendedTableView::ExtendedTableView(std::string key, QWidget* parent) : QTableWidget(parent), m_key(std::move(key))
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);
    setWordWrap(true);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void ExtendedTableView::showStudy(const Study& study, const QString& labelHead, const QStringList& labels)
{
    setRowCount(0);
    setColumnCount(0);
    if (!study.resultsCurrent()) return;
    const ExtendedStatistics statistics = study.extendedStatistics();
    ExtendedTable table;
    for (std::size_t i = 0; i < statistics.values.size(); ++i)
        if (statistics.values[i].key == m_key)
            table = ExtendedTableAt(statistics, i, ScreenLanguage(), UserDecimalSeparator());
    if (table.members.empty()) return;

    const bool labelled = !labelHead.isEmpty() && labels.size() == static_cast<qsizetype>(table.cells.size());
    QStringList heads;
    for (const std::string& head : table.heads) heads << q(head);
    if (labelled) heads.insert(static_cast<qsizetype>(table.indexColumns), labelHead);
    setColumnCount(static_cast<int>(heads.size()));
    setHorizontalHeaderLabels(heads);
    setRowCount(static_cast<int>(table.cells.size()));
    for (std::size_t r = 0; r < table.cells.size(); ++r) {
        int column = 0;
        for (std::size_t c = 0; c < table.cells[r].size(); ++c) {
            if (labelled && c == table.indexColumns)
                setItem(static_cast<int>(r), column++, cell(labels[static_cast<qsizetype>(r)], {}));
            setItem(static_cast<int>(r), column++, cell(q(table.cells[r][c]), q(table.full[r][c])));
        }
    }
}

}  // namespace kestra
