// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/concentrations_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/fixed_dialog.h"
#include "text/number_format.h"
#include "framework/ui/ui_text.h"

namespace kestra {

ConcentrationsDialog::ConcentrationsDialog(const std::vector<std::string>& concentrations,
                                           const NumberFormat& format, Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_grid(static_cast<int>(concentrations.size()), 1)
{
    setObjectName(QStringLiteral("WConc"));
    setWindowTitle(Ui::tr("Concentrazioni"));
    SetFixedDialogFrame(*this);
    setModal(true);

    m_grid.setFormat(format);
    m_grid.setColumnHeader(0, Ui::tr("Valori").toStdString());
    for (std::size_t r = 0; r < concentrations.size(); ++r) {
        const int row = static_cast<int>(r);
        m_grid.setRowHeader(row, std::to_string(r + 1));
        m_grid.setCell(row, 0, ParseNumber(concentrations[r], UserDecimalSeparator()));
        m_initial.push_back(m_grid.cell(row, 0));
    }

    m_view = new DataGridView(m_grid, prompts, this);
    m_view->setObjectName(QStringLiteral("GridConc"));
    m_view->setVerticalScrollBarPolicy(m_grid.rowCount() >= kRowsWithScrollBar ? Qt::ScrollBarAlwaysOn
                                                                               : Qt::ScrollBarAlwaysOff);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // tall enough for six rows: fewer fit without scrolling, more scroll
    const int visibleRows = std::min(m_grid.rowCount(), kRowsWithScrollBar - 1);
    const int rowHeight = m_view->verticalHeader()->defaultSectionSize();
    m_view->setFixedHeight(m_view->horizontalHeader()->sizeHint().height() + visibleRows * rowHeight +
                           2 * m_view->frameWidth());
    const int width =
        m_view->verticalHeader()->sizeHint().width() + m_view->columnWidth(0) + 2 * m_view->frameWidth() +
        (m_grid.rowCount() >= kRowsWithScrollBar ? m_view->verticalScrollBar()->sizeHint().width() : 0);
    m_view->setFixedWidth(std::max(width, fontMetrics().horizontalAdvance(Ui::tr("Valori")) * 3));

    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Ui::tr("Annulla"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (m_view->commitPendingEdit()) accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<std::string> ConcentrationsDialog::texts() const
{
    std::vector<std::string> result;
    for (int r = 0; r < m_grid.rowCount(); ++r) result.push_back(m_grid.cellText(r, 0));
    return result;
}

bool ConcentrationsDialog::valuesChanged() const
{
    for (int r = 0; r < m_grid.rowCount(); ++r)
        if (m_grid.cell(r, 0) != m_initial[static_cast<std::size_t>(r)]) return true;
    return false;
}

void ConcentrationsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

}  // namespace kestra
