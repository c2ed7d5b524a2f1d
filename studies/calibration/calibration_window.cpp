// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/calibration/calibration_window.h"

#include <QAction>
#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/ui/concentrations_dialog.h"
#include "framework/ui/data_grid_view.h"
#include "framework/ui/dimension_boxes.h"
#include "text/text_helpers.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

QString fromStd(const std::string& text)
{
    return ScreenText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

constexpr const char* kResultCaptions[7] = {"r =", "a =", "b =", "Sa =", "Sb =", "a+ts(a) =", "a-ts(a) ="};
constexpr const char* kResultNames[7] = {"LabR", "LabA", "LabB", "LabSa", "LabSb", "LabProp1", "LabProp2"};

const char* const kChartTip =
    QT_TRANSLATE_NOOP("Kestra",
                      "Doppio clic (o Ctrl+clic, o Invio) sul grafico per ingrandirlo a tutta la pagina o "
                      "riportarlo a metà pagina");

}  // namespace

CalibrationWindow::CalibrationWindow(StudyWindowHost& host, QWidget* parent)
    : StudyWindow(std::make_unique<CalibrationStudy>(), host, StudyWindowOptions{}, parent)
{
    // --- "Info/Conclusioni"
    QWidget* infoPage = addTab(Ui::tr("Info/Conclusioni"));
    auto* infoLayout = new QVBoxLayout(infoPage);
    infoLayout->addWidget(createInfoFrame());
    infoLayout->addWidget(createConclusionFrame(), 1);
    // the concentration frame's caption follows the unit
    for (int i = 0; i < 4; ++i)
        if (QLineEdit* field = headerField(i))
            connect(field, &QLineEdit::textEdited, this, [this] { showConcentrationCaption(); });

    // --- "Dati"
    QWidget* page = addTab(Ui::tr("Dati"));

    auto* dimensions = new QGroupBox(Ui::tr("Dimensioni"), page);
    auto* dimLayout = new QGridLayout(dimensions);
    const char* const captions[2] = {QT_TRANSLATE_NOOP("Kestra", "N. gruppi (concentrazioni)"),
                                     QT_TRANSLATE_NOOP("Kestra", "N. dati per gruppo (risposte)")};
    const char* const hints[2] = {"min. 3, max. 15", "min. 3, max. 40"};
    for (int i = 0; i < 2; ++i) {
        auto* box =
            NewDimensionEdit(dimensions, QStringLiteral("Dimensioni%1").arg(i), QString::fromUtf8(hints[i]));
        auto* caption = new QLabel(Ui::tr(captions[i]), dimensions);
        caption->setBuddy(box);
        dimLayout->addWidget(caption, i, 0);
        dimLayout->addWidget(box, i, 1);
        dimLayout->addWidget(new QLabel(Ui::tr("(min. 3)"), dimensions), i, 2);
        m_dimensions[static_cast<std::size_t>(i)] = box;
    }
    std::vector<DimensionBox> boxes;
    for (int i = 0; i < 2; ++i) {
        const int minimum = i == 0 ? CalibrationStudy::kMinLevels : CalibrationStudy::kMinResponses;
        const int maximum = i == 0 ? CalibrationStudy::kMaxLevels : CalibrationStudy::kMaxResponses;
        boxes.push_back(
            {.edit = m_dimensions[static_cast<std::size_t>(i)],
             .apply =
                 [this, i](int value) {
                     return i == 0 ? calibration().setLevelCount(value)
                                   : calibration().setResponseCount(value);
                 },
             .valid = [minimum, maximum](int value) { return value >= minimum && value <= maximum; },
             .current =
                 [this, i] {
                     const DataGrid& grid = calibration().grid();
                     return i == 0 ? grid.columnCount() : grid.rowCount();
                 },
             .reapply = [this](int) { calibration().SetGridDimensions(); }});
    }
    new DimensionBoxes(*this,
                       {.grids = [this] { return std::vector<DataGrid*>{&calibration().grid()}; },
                        .restoreEmpty = false,
                        .headings = true},
                       std::move(boxes));
    m_total = new QLineEdit(dimensions);
    m_total->setObjectName(QStringLiteral("nDatiTot"));
    m_total->setReadOnly(true);
    m_total->setFocusPolicy(Qt::NoFocus);
    m_total->setAlignment(Qt::AlignRight);
    m_total->setFixedWidth(m_total->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    dimLayout->addWidget(new QLabel(Ui::tr("N. dati totali"), dimensions), 2, 0);
    dimLayout->addWidget(m_total, 2, 1);
    dimLayout->setColumnStretch(3, 1);
    setDescription(dimensions, QString());

    m_frameConc = new QGroupBox(page);
    m_frameConc->setObjectName(QStringLiteral("FrameConc"));
    DataGridView* grid = createDataGrid(calibration().grid(), m_frameConc);
    grid->setObjectName(QStringLiteral("GridData"));
    grid->setRowHeaderWidth(5);
    grid->horizontalHeader()->setToolTip(
        Ui::tr("Clic su una concentrazione per modificare le concentrazioni"));
    connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] { editConcentrations(); });
    auto* concLayout = new QVBoxLayout(m_frameConc);
    concLayout->addWidget(grid);

    const ResultsFrame lineFrame =
        createResultsFrame(Ui::tr("Dati della retta di regressione"), page);
    QWidget* line = lineFrame.content;
    auto* lineLayout = new QGridLayout(line);
    const ResultsFrame proportionalityFrame = createResultsFrame(Ui::tr("Proporzionalità"), page);
    QWidget* proportionality = proportionalityFrame.content;
    auto* propLayout = new QGridLayout(proportionality);
    for (int i = 0; i < 7; ++i) {
        QWidget* frame = i < 5 ? line : proportionality;
        QGridLayout* layout = i < 5 ? lineLayout : propLayout;
        const int row = i < 5 ? i : i - 5;
        auto* caption = new QLabel(QString::fromUtf8(kResultCaptions[i]), frame);
        caption->setToolTip(caption->text());
        m_results[static_cast<std::size_t>(i)] =
            createValueLabel(QString::fromUtf8(kResultNames[i]), frame, QStringLiteral("-0000000.000"));
        layout->addWidget(caption, row, 0);
        layout->addWidget(m_results[static_cast<std::size_t>(i)], row, 1);
    }
    lineLayout->setColumnStretch(2, 1);
    lineLayout->setRowStretch(5, 1);
    propLayout->setColumnStretch(2, 1);
    propLayout->setRowStretch(2, 1);

    auto* anovaFrame = new QGroupBox(Ui::tr("LINEARITA': Analisi della varianza"), page);
    m_anova = createResultTable(QStringLiteral("SprLinearita"), CalibrationStudy::kAnovaRows,
                                CalibrationStudy::kAnovaColumns, anovaFrame);
    const int numberWidth = m_anova->fontMetrics().horizontalAdvance(QStringLiteral("0000000000.000")) + 12;
    int headingWidth = 0;  // the widest row heading in the interface's language
    for (const char* heading : {"Variazione", "Regressione", "Curvatura", "Errore", "Totali"})
        headingWidth = std::max(headingWidth, m_anova->fontMetrics().horizontalAdvance(ScreenText(heading)));
    m_anova->setColumnWidth(0, headingWidth + 24);
    for (int c = 1; c < CalibrationStudy::kAnovaColumns; ++c) m_anova->setColumnWidth(c, numberWidth);
    m_anova->setColumnWidth(
        5, std::max(numberWidth,
                    m_anova->fontMetrics().horizontalAdvance(ScreenText("Signif. (0,05%)")) + 24));
    m_anova->setFixedHeight(CalibrationStudy::kAnovaRows * m_anova->verticalHeader()->defaultSectionSize() +
                            2 * m_anova->frameWidth());
    int tableWidth = 2 * m_anova->frameWidth();
    for (int c = 0; c < CalibrationStudy::kAnovaColumns; ++c) tableWidth += m_anova->columnWidth(c);
    m_anova->setFixedWidth(tableWidth);
    // the cells no calculation writes are painted in the button-face colour
    const QColor face = palette().color(QPalette::Button);
    QFont bold = m_anova->font();
    bold.setBold(true);
    for (int r = 0; r < CalibrationStudy::kAnovaRows; ++r)
        for (int c = 0; c < CalibrationStudy::kAnovaColumns; ++c) {
            auto* item = new QTableWidgetItem;
            const bool heading = r == 0 || c == 0;
            // the verdicts " (NS)" and "  (S)" read best centred under their heading
            item->setTextAlignment(r == 0 || c == 5 ? Qt::AlignCenter
                                   : c == 0         ? (Qt::AlignLeft | Qt::AlignVCenter)
                                                    : (Qt::AlignRight | Qt::AlignVCenter));
            if (heading) item->setFont(bold);
            if (CalibrationStudy::isAnovaCellNeverWritten(r, c)) item->setBackground(face);
            m_anova->setItem(r, c, item);
        }
    auto* anovaLayout = new QVBoxLayout(anovaFrame);
    anovaLayout->addWidget(m_anova);
    setDescription(anovaFrame, Ui::tr("Mostra i risultati dell'elaborazione"));

    auto* resultsRow = new QHBoxLayout;
    resultsRow->addWidget(lineFrame.frame);
    resultsRow->addWidget(proportionalityFrame.frame);
    auto* left = new QVBoxLayout;
    left->addWidget(dimensions);
    left->addLayout(resultsRow);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 0);
    top->addWidget(m_frameConc, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(anovaFrame);
    bottom->addStretch();
    auto* dataLayout = new QVBoxLayout(page);
    dataLayout->addLayout(top, 1);
    dataLayout->addLayout(bottom);

    // --- "Grafici": the two charts are placed by hand (side by side, or one over the whole page)
    m_chartPage = addTab(Ui::tr("Grafici"));
    const char* const chartNames[2] = {"VtGrafRegr", "VtGrafProp"};
    for (int i = 0; i < 2; ++i) {
        auto* chart = new ChartView(m_chartPage);
        chart->setObjectName(QString::fromLatin1(chartNames[i]));
        chart->setToolTip(Ui::tr(kChartTip));
        connect(chart, &ChartView::enlargeRequested, this, [this, i] { toggleChartSize(i); });
        m_charts[static_cast<std::size_t>(i)] = chart;
    }
    m_chartPage->installEventFilter(this);

    // --- "Residui": the residuals chart, and beside it what each level's mean response reads back as
    QWidget* residualsPage = addTab(Ui::tr("Residui"));
    m_residualsChart = new ChartView(residualsPage);
    m_residualsChart->setObjectName(QStringLiteral("VtGrafRes"));
    m_backCalculated = new ExtendedTableView("back_calculated", residualsPage);
    m_backCalculated->setObjectName(QStringLiteral("GridRicalcolate"));
    m_backCalculated->setAccessibleName(Ui::tr("Concentrazioni ricalcolate"));
    addResultWidget(m_backCalculated);
    auto* backCaption = new QLabel(Ui::tr("Concentrazioni ricalcolate dalla retta"), residualsPage);
    backCaption->setBuddy(m_backCalculated);
    auto* backColumn = new QVBoxLayout;
    backColumn->addWidget(backCaption);
    backColumn->addWidget(m_backCalculated, 1);
    auto* residualsLayout = new QHBoxLayout(residualsPage);
    residualsLayout->addWidget(m_residualsChart, 3);
    residualsLayout->addLayout(backColumn, 2);

    // --- Strumenti > "C&oncentrazioni..."
    auto* concentrations = new QAction(Ui::tr("C&oncentrazioni..."), this);
    m_concentrationsAction = concentrations;
    concentrations->setObjectName(QStringLiteral("StrumentiConcentrazioni"));
    concentrations->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(concentrations);
    toolsMenu()->addAction(concentrations);
    connect(concentrations, &QAction::triggered, this, [this] { editConcentrations(); });

    tabs()->setCurrentIndex(1);
    showDocument();
}

CalibrationStudy& CalibrationWindow::calibration()
{
    return static_cast<CalibrationStudy&>(study());
}

const CalibrationStudy& CalibrationWindow::calibration() const
{
    return static_cast<const CalibrationStudy&>(study());
}

void CalibrationWindow::showStudyData()
{
    const CalibrationStudy& s = calibration();
    const int counts[2] = {s.levelCount(), s.responseCount()};
    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = m_dimensions[static_cast<std::size_t>(i)];
        const QString text = QString::number(counts[i]);
        // a box being typed in keeps its partial text ("1" on the way to "15")
        if (box->text() != text && !box->hasFocus()) box->setText(text);
    }
    m_total->setText(QString::number(s.totalCount()));
    showConcentrationCaption();

    const CalibrationStudy::Results& r = s.results();
    const std::string* texts[7] = {&r.r, &r.a, &r.b, &r.sa, &r.sb, &r.upper, &r.lower};
    for (int i = 0; i < 7; ++i) {
        QLabel* label = m_results[static_cast<std::size_t>(i)];
        label->setText(fromStd(*texts[i]));
        label->setToolTip(label->text());
    }
    showAnova();
    showCharts();
}

void CalibrationWindow::showConcentrationCaption()
{
    // a frame title reads "&" as a mnemonic: the unit is shown as typed
    QString unit = QString::fromStdString(Trim(calibration().header(3)));
    unit.replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_frameConc->setTitle(Ui::tr("Concentrazioni %1").arg(unit).trimmed());
}

void CalibrationWindow::showAnova()
{
    const CalibrationStudy::AnovaTable& t = calibration().anova();
    for (int r = 0; r < CalibrationStudy::kAnovaRows; ++r)
        for (int c = 0; c < CalibrationStudy::kAnovaColumns; ++c) {
            QTableWidgetItem* item = m_anova->item(r, c);
            item->setText(fromStd(t[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            item->setToolTip(item->text().trimmed());
        }
}

void CalibrationWindow::showCharts()
{
    // the calculation shows its charts in Italian (SetLanGraf 0)
    setLanGraf(Language::Italian);
    const int calculation = calibration().calculationNumber();
    if (calculation != m_placedCalculation) {
        // a new calculation lays both charts out side by side again, on whichever page the user is
        m_placedCalculation = calculation;
        m_enlarged = {false, false};
        placeCharts();
    }
}

void CalibrationWindow::setLanGraf(Language language)
{
    m_chartLanguage = language;
    const std::vector<ChartData> charts = calibration().charts(language);
    for (std::size_t i = 0; i < 2 && i < charts.size(); ++i)
        m_charts[i]->setChartData(charts[i].empty() ? ChartData{} : charts[i]);
    if (charts.size() > 2) m_residualsChart->setChartData(charts[2].empty() ? ChartData{} : charts[2]);
    QStringList concentrations;
    for (int i = 0; i < calibration().grid().columnCount(); ++i)
        concentrations << QString::fromStdString(calibration().concentrationText(i));
    m_backCalculated->showStudy(calibration(), QStringLiteral("Concentrazione"), concentrations);
}

void CalibrationWindow::toggleChartSize(int index)
{
    auto& enlarged = m_enlarged[static_cast<std::size_t>(index)];
    enlarged = !enlarged;
    if (enlarged) m_chartFront = index;
    placeCharts();
}

void CalibrationWindow::placeCharts()
{
    const QRect page = m_chartPage->rect();
    const int half = page.width() / 2;
    const QRect halves[2] = {QRect(0, 0, half, page.height()),
                             QRect(half, 0, page.width() - half, page.height())};
    for (int i = 0; i < 2; ++i)
        m_charts[static_cast<std::size_t>(i)]->setGeometry(
            m_enlarged[static_cast<std::size_t>(i)] ? page : halves[i]);
    // the chart enlarged last lies in front; an enlarged chart always covers a restored one
    const int other = 1 - m_chartFront;
    if (m_enlarged[static_cast<std::size_t>(m_chartFront)])
        m_charts[static_cast<std::size_t>(m_chartFront)]->raise();
    else if (m_enlarged[static_cast<std::size_t>(other)])
        m_charts[static_cast<std::size_t>(other)]->raise();
}

void CalibrationWindow::editConcentrations()
{
    DataGridView* grid = dataGrid();
    if (!grid->commitPendingEdit()) return;
    CalibrationStudy& s = calibration();
    std::vector<std::string> texts;
    for (int i = 0; i < s.levelCount(); ++i) texts.push_back(s.concentrationText(i));
    ConcentrationsDialog dialog(texts, NumberFormat{s.numInteri(), s.numDecimali()}, prompts(), this);
    if (dialog.exec() == QDialog::Accepted) {
        const EditRecorder edit(*this);
        const std::vector<std::string> edited = dialog.texts();
        for (std::size_t i = 0; i < edited.size(); ++i)
            s.setConcentrationText(static_cast<int>(i), edited[i]);
        if (dialog.valuesChanged()) markModified();
        grid->refresh();
    }
    grid->setFocus(Qt::OtherFocusReason);
}

// --- dimension boxes

bool CalibrationWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_chartPage && event->type() == QEvent::Resize) placeCharts();
    return StudyWindow::eventFilter(watched, event);
}

std::vector<int> CalibrationWindow::dimensionValues() const
{
    return {calibration().levelCount(), calibration().responseCount()};
}

void CalibrationWindow::restoreDimensions(const std::vector<int>& values)
{
    calibration().setLevelCount(values.at(0));
    calibration().setResponseCount(values.at(1));
}

}  // namespace kestra
