// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/limits/limits_window.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/dimension_boxes.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

StudyWindowOptions limitsOptions()
{
    StudyWindowOptions o;
    o.chartPrinting = false;  // the limits study has no chart
    return o;
}

}  // namespace

LimitsWindow::LimitsWindow(StudyWindowHost& host, QWidget* parent)
    : StudyWindow(std::make_unique<LimitsStudy>(), host, limitsOptions(), parent)
{
    QWidget* page = addTab(Ui::tr("Info/Dati"));

    // --- Dimensioni
    auto* dimensions = new QGroupBox(Ui::tr("Dimensioni"), page);
    auto* countText =
        new QLabel(Ui::tr("N. di misure di una concentrazione (quantità) prossima al limite di "
                          "rilevabilità e del valore del bianco"),
                   dimensions);
    countText->setWordWrap(true);
    m_count = NewDimensionEdit(dimensions, QStringLiteral("nDet"), Ui::tr("min. 5, max. 99"),
                               Ui::tr("min. 5, max. 99"));
    m_count->setPlaceholderText(Ui::tr("min. 5, max. 99"));
    countText->setBuddy(m_count);
    auto* note = new QLabel(Ui::tr("(min. 5)"), dimensions);
    m_options[0] = new QRadioButton(Ui::tr("Limite di rilevazione"), dimensions);
    m_options[0]->setObjectName(QStringLiteral("OptionRilDet0"));
    m_options[1] = new QRadioButton(Ui::tr("Limite di determinazione"), dimensions);
    m_options[1]->setObjectName(QStringLiteral("OptionRilDet1"));
    auto* optionGroup = new QButtonGroup(this);
    optionGroup->addButton(m_options[0], 0);
    optionGroup->addButton(m_options[1], 1);
    auto* dimensionsLayout = new QGridLayout(dimensions);
    dimensionsLayout->addWidget(countText, 0, 0, 1, 3);
    dimensionsLayout->addWidget(m_count, 1, 0);
    dimensionsLayout->addWidget(note, 1, 1);
    dimensionsLayout->setColumnStretch(2, 1);
    dimensionsLayout->addWidget(m_options[0], 2, 0, 1, 3);
    dimensionsLayout->addWidget(m_options[1], 3, 0, 1, 3);
    new DimensionBoxes(*this, {[this] { return std::vector<DataGrid*>{&limits().grid()}; }},
                       {{.edit = m_count,
                         .apply = [this](int count) { return limits().setMeasurementCount(count); },
                         .valid = [](int count) { return count >= LimitsStudy::kMinCount; },
                         .defaultCount = LimitsStudy::kDefaultCount}});
    connect(m_options[0], &QRadioButton::clicked, this,
            [this] { optionClicked(LimitsStudy::Option::Detection); });
    connect(m_options[1], &QRadioButton::clicked, this,
            [this] { optionClicked(LimitsStudy::Option::Quantitation); });

    // --- Risultati (the data grid)
    auto* dataFrame = new QGroupBox(Ui::tr("Risultati"), page);
    DataGridView* grid = createDataGrid(limits().grid(), dataFrame);
    grid->setObjectName(QStringLiteral("GridData"));
    grid->setRowHeaderWidth(13);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(grid);
    // the frame hugs its one column: row headings, the column and the scroll bar
    grid->setFixedWidth(grid->verticalHeader()->width() + grid->columnWidth(0) +
                        grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * grid->frameWidth() + 2);

    // --- Risultato dell'elaborazione
    const ResultsFrame resultsFrame = createResultsFrame(Ui::tr("Risultato dell'elaborazione"), page);
    QWidget* results = resultsFrame.content;
    const QString sample = QStringLiteral("0000000000000");
    m_stDev = createValueLabel(QStringLiteral("StDev"), results, sample);
    m_labelRil = new QLabel(results);
    m_labelRil->setObjectName(QStringLiteral("LabelRil"));
    m_limRil = createValueLabel(QStringLiteral("LimRil"), results, sample);
    m_limDet = createValueLabel(QStringLiteral("LimDet"), results, sample);
    auto* resultsLayout = new QGridLayout(results);
    resultsLayout->addWidget(new QLabel(Ui::tr("Dev. standard"), results), 0, 0);
    resultsLayout->addWidget(m_stDev, 0, 1);
    resultsLayout->addWidget(m_labelRil, 1, 0);
    resultsLayout->addWidget(m_limRil, 1, 1);
    resultsLayout->addWidget(m_limDet, 1, 1);
    resultsLayout->setColumnStretch(2, 1);

    // --- the page: Info, Dimensioni and the results on the left, the grid on the right, conclusions below
    layOutDataPage(page, dimensions, resultsFrame.frame, dataFrame, 0);

    showDocument();
}

LimitsStudy& LimitsWindow::limits()
{
    return static_cast<LimitsStudy&>(study());
}

const LimitsStudy& LimitsWindow::limits() const
{
    return static_cast<const LimitsStudy&>(study());
}

void LimitsWindow::showStudyData()
{
    const LimitsStudy& s = limits();
    const QString count = QString::number(s.measurementCount());
    if (m_count->text() != count &&
        !(m_count->hasFocus() && m_count->text().toInt() < LimitsStudy::kMinCount))
        m_count->setText(count);

    // an odd file may select neither option
    m_options[0]->group()->setExclusive(false);
    m_options[0]->setChecked(s.option() == LimitsStudy::Option::Detection);
    m_options[1]->setChecked(s.option() == LimitsStudy::Option::Quantitation);
    m_options[0]->group()->setExclusive(true);

    const bool quantitation = s.option() == LimitsStudy::Option::Quantitation;
    m_labelRil->setText(ScreenText(s.limitLabel()));
    m_stDev->setText(QString::fromStdString(s.stDevText()));
    m_limRil->setText(QString::fromStdString(s.detectionLimitText()));
    m_limDet->setText(QString::fromStdString(s.quantitationLimitText()));
    m_limRil->setVisible(!quantitation);
    m_limDet->setVisible(quantitation);
    // the results carry their texts as tooltips too (long numbers in a narrow box)
    for (QLabel* l : {m_stDev, m_labelRil, m_limRil, m_limDet}) l->setToolTip(l->text());
}

std::vector<int> LimitsWindow::dimensionValues() const
{
    return {limits().measurementCount()};
}

void LimitsWindow::restoreDimensions(const std::vector<int>& values)
{
    limits().setMeasurementCount(values.at(0));
}

void LimitsWindow::optionClicked(LimitsStudy::Option option)
{
    if (limits().option() == option) return;
    limits().selectOption(option);
    showDocument();
    dataEdited();
}

}  // namespace kestra
