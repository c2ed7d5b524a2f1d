// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/precision/precision_window.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/dimension_boxes.h"
#include "framework/ui/ui_text.h"

namespace kestra {

PrecisionWindow::PrecisionWindow(StudyWindowHost& host, QWidget* parent)
    : StudyWindow(std::make_unique<PrecisionStudy>(), host, StudyWindowOptions{}, parent)
{
    QWidget* page = addTab(Ui::tr("Info/Dati"));

    // --- Dimensioni
    auto* dimensions = new QGroupBox(Ui::tr("Dimensioni"), page);
    auto* countText = new QLabel(Ui::tr("N. determinazioni"), dimensions);
    m_count = NewDimensionEdit(dimensions, QStringLiteral("nDet"), Ui::tr("min. 3, max. 99"));
    countText->setBuddy(m_count);
    auto* dimensionsLayout = new QHBoxLayout(dimensions);
    dimensionsLayout->addWidget(countText);
    dimensionsLayout->addWidget(m_count);
    dimensionsLayout->addWidget(new QLabel(Ui::tr("(min. 3)"), dimensions));
    dimensionsLayout->addStretch();
    new DimensionBoxes(
        *this,
        {.grids = [this] { return std::vector<DataGrid*>{&precision().grid()}; }, .restoreEmpty = false},
        {{.edit = m_count,
          .apply = [this](int count) { return precision().setDeterminationCount(count); },
          .valid = [](int count) { return count >= PrecisionStudy::kMinCount; },
          .defaultCount = PrecisionStudy::kDefaultCount}});

    // --- the data grid
    auto* dataFrame = new QGroupBox(Ui::tr("Dati"), page);
    DataGridView* grid = createDataGrid(precision().grid(), dataFrame);
    grid->setObjectName(QStringLiteral("GridData"));
    grid->setRowHeaderWidth(4);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(grid);
    grid->setMinimumWidth(grid->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);

    // --- Risultato dell'elaborazione
    const ResultsFrame resultsFrame = createResultsFrame(Ui::tr("Risultato dell'elaborazione"), page);
    QWidget* results = resultsFrame.content;
    const QString sample = QStringLiteral("00000000000");
    auto* r = new QGridLayout(results);
    auto add = [&](const char* name, const QString& caption, int row, int column) {
        QLabel* value = createValueLabel(QString::fromLatin1(name), results, sample);
        auto* label = new QLabel(caption, results);
        label->setBuddy(value);
        r->addWidget(label, row, column);
        r->addWidget(value, row, column + 1);
        m_results.push_back(value);
    };
    add("Media", Ui::tr("Media"), 0, 0);
    add("StDev", Ui::tr("Dev. standard"), 1, 0);
    add("CV", QStringLiteral("CV"), 2, 0);
    add("GdL", Ui::tr("GdL"), 0, 3);
    add("T", QStringLiteral("t (p;n-1)"), 1, 3);
    add("P", QStringLiteral("P"), 2, 3);
    r->setColumnMinimumWidth(2, 24);
    auto* limits = new QGroupBox(Ui::tr("Limiti di confidenza della media"), results);
    auto* l = new QGridLayout(limits);
    auto addLimit = [&](const char* name, const QString& caption, int row, int column) {
        QLabel* value = createValueLabel(QString::fromLatin1(name), limits, sample);
        auto* label = new QLabel(caption, limits);
        label->setBuddy(value);
        l->addWidget(label, row, column);
        l->addWidget(value, row, column + 1);
        m_results.push_back(value);
    };
    addLimit("InfConf", Ui::tr("Inferiore"), 0, 0);
    addLimit("SupConf", Ui::tr("Superiore"), 0, 3);
    l->setColumnMinimumWidth(2, 24);
    l->setColumnStretch(5, 1);
    r->addWidget(limits, 3, 0, 1, 6);
    auto* widthRow = new QHBoxLayout;
    QLabel* width = createValueLabel(QStringLiteral("IntConf"), results, sample);
    auto* widthCaption = new QLabel(Ui::tr("Intervallo di Confidenza"), results);
    widthCaption->setBuddy(width);
    widthRow->addWidget(widthCaption);
    widthRow->addWidget(width);
    widthRow->addStretch();
    m_results.push_back(width);
    r->addLayout(widthRow, 4, 0, 1, 6);
    r->setColumnStretch(5, 1);

    // --- the page: Info, Dimensioni and the results on the left, the grid on the right, conclusions below
    layOutDataPage(page, dimensions, resultsFrame.frame, dataFrame, 1);

    // --- Grafico: the chart fills the page, which is where the tab control shows its pages
    QWidget* chartPage = addTab(Ui::tr("Grafico"));
    m_chart = new ChartView(chartPage);
    m_chart->setObjectName(QStringLiteral("VtGrafPrec"));
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(m_chart);

    tabs()->setCurrentIndex(0);
    showDocument();
}

PrecisionStudy& PrecisionWindow::precision()
{
    return static_cast<PrecisionStudy&>(study());
}

const PrecisionStudy& PrecisionWindow::precision() const
{
    return static_cast<const PrecisionStudy&>(study());
}

QLabel* PrecisionWindow::resultLabel(const QString& name) const
{
    for (QLabel* l : m_results)
        if (l->objectName() == name) return l;
    return nullptr;
}

void PrecisionWindow::showStudyData()
{
    const PrecisionStudy& s = precision();
    const QString count = QString::number(s.determinationCount());
    if (m_count->text() != count &&
        !(m_count->hasFocus() && m_count->text().toInt() < PrecisionStudy::kMinCount))
        m_count->setText(count);

    const PrecisionStudy::Results& r = s.results();
    const std::pair<const char*, const std::string*> texts[] = {{"Media", &r.media},
                                                                {"StDev", &r.stDev},
                                                                {"CV", &r.cv},
                                                                {"GdL", &r.gdl},
                                                                {"T", &r.t},
                                                                {"P", &r.p},
                                                                {"InfConf", &r.infConf},
                                                                {"SupConf", &r.supConf},
                                                                {"IntConf", &r.intConf}};
    for (const auto& [name, text] : texts) {
        QLabel* label = resultLabel(QString::fromLatin1(name));
        label->setText(QString::fromStdString(*text));
        // the results carry their texts as tooltips too (long numbers in a narrow box)
        label->setToolTip(label->text());
    }
    m_chart->setChartData(s.chart());
}

void PrecisionWindow::setLanGraf(Language language)
{
    precision().setLanGraf(language);
    m_chart->setChartData(precision().chart());
}

std::vector<int> PrecisionWindow::dimensionValues() const
{
    return {precision().determinationCount()};
}

void PrecisionWindow::restoreDimensions(const std::vector<int>& values)
{
    precision().setDeterminationCount(values.at(0));
}

}  // namespace kestra
