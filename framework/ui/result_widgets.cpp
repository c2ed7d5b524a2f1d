// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/result_widgets.h"
#include "framework/ui/ui_text.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVariant>
#include <algorithm>

namespace kestra {

QLabel* CreateValueLabel(const QString& name, QWidget* parent, const QString& sample, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(alignment);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sample) + 2 * label->frameWidth() + 6);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, Qt::white);
    label->setPalette(p);
    // user text (a unit, say) is never read as markup
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTableWidget* CreateResultTable(const QString& name, int rows, int columns, QWidget* parent)
{
    auto* table = new QTableWidget(rows, columns, parent);
    table->setObjectName(name);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideNone);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

QLabel* CreateStaleNotice(QWidget* parent)
{
    auto* notice = new QLabel(Ui::tr("Risultati non aggiornati: premere Calcola"), parent);
    notice->setObjectName(QStringLiteral("RisultatiNonAggiornati"));
    QFont bold = notice->font();
    bold.setBold(true);
    notice->setFont(bold);
    QPalette p = notice->palette();
    p.setColor(QPalette::WindowText, QColor(160, 0, 0));
    notice->setPalette(p);
    notice->setContentsMargins(9, 0, 9, 6);
    notice->setVisible(false);
    return notice;
}

// Result tables grow to their texts: a wide number is never cut. The widths the window gave them stay as
// the least.
void FitResultColumns(QTableWidget* table)
{
    QVariantList least = table->property("leastColumnWidths").toList();
    if (least.isEmpty()) {
        for (int c = 0; c < table->columnCount(); ++c) least << table->columnWidth(c);
        table->setProperty("leastColumnWidths", least);
    }
    int total = 2 * table->frameWidth();
    for (int c = 0; c < table->columnCount(); ++c) {
        int width = c < least.size() ? least[c].toInt() : table->horizontalHeader()->defaultSectionSize();
        for (int r = 0; r < table->rowCount(); ++r)
            if (const QTableWidgetItem* item = table->item(r, c); item && !item->text().isEmpty())
                width = std::max(width, QFontMetrics(item->font()).horizontalAdvance(item->text()) + 14);
        table->setColumnWidth(c, width);
        total += width;
    }
    if (table->minimumWidth() == table->maximumWidth())
        table->setFixedWidth(total);
    else if (table->minimumWidth() > 0)
        table->setMinimumWidth(std::max(table->minimumWidth(), total));
}

// Results shown greyed while they do not belong to the data.
void ShowGreyed(QWidget* widget, bool greyed)
{
    QPalette p = widget->palette();
    const QPalette& app = QApplication::palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        p.setColor(role, app.color(greyed ? QPalette::Disabled : QPalette::Active, role));
    widget->setPalette(p);
}

}  // namespace kestra
