// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/intermediate_precision/intermediate_precision_window.h"

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
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/dimension_boxes.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

QString fromStd(const std::string& text)
{
    return ScreenText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void setCell(QTableWidget* table, int row, int column, const QString& text, Qt::Alignment alignment,
             bool bold = false)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    item->setText(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
}

}  // namespace

IntermediatePrecisionWindow::IntermediatePrecisionWindow(const SeriesStudyConfig& config,
                                                         StudyWindowHost& host, QWidget* parent)
    : StudyWindow(std::make_unique<IntermediatePrecisionStudy>(config), host, StudyWindowOptions{}, parent)
{
    // --- "Info/Conclusioni"
    QWidget* infoPage = addTab(Ui::tr("Info/Conclusioni"));
    auto* infoLayout = new QVBoxLayout(infoPage);
    infoLayout->addWidget(createInfoFrame());
    infoLayout->addWidget(createConclusionFrame(), 1);

    // --- "Dati"
    QWidget* page = addTab(Ui::tr("Dati"));

    auto* dimensions = new QGroupBox(Ui::tr("Dimensioni"), page);
    auto* dimLayout = new QGridLayout(dimensions);
    const char* const captions[2] = {QT_TRANSLATE_NOOP("Kestra", "N. serie"),
                                     QT_TRANSLATE_NOOP("Kestra", "N. dati per serie")};
    const char* const hints[2] = {"min. 3, max. 20", "min. 2, max. 40"};
    const char* const notes[2] = {"(min. 3)", "(min. 2)"};
    for (int i = 0; i < 2; ++i) {
        auto* box =
            NewDimensionEdit(dimensions, QStringLiteral("Dimensioni%1").arg(i), QString::fromUtf8(hints[i]));
        auto* caption = new QLabel(Ui::tr(captions[i]), dimensions);
        caption->setBuddy(box);
        auto* note = new QLabel(QString::fromUtf8(notes[i]), dimensions);
        m_captions.insert(m_captions.end(), {caption, note});
        dimLayout->addWidget(caption, i, 0);
        dimLayout->addWidget(box, i, 1);
        dimLayout->addWidget(note, i, 2);
        m_dimensions[static_cast<std::size_t>(i)] = box;
    }
    std::vector<DimensionBox> boxes;
    for (int i = 0; i < 2; ++i) {
        boxes.push_back(
            {.edit = m_dimensions[static_cast<std::size_t>(i)],
             .apply =
                 [this, i](int value) {
                     return i == 0 ? seriesStudy().setSeriesCount(value)
                                   : seriesStudy().setPerSeriesCount(value);
                 },
             .valid =
                 [i](int value) {
                     return i == 0 ? IntermediatePrecisionStudy::validSeriesCount(value)
                                   : IntermediatePrecisionStudy::validPerSeriesCount(value);
                 },
             // a file may have brought a dimension outside the range: the box would then never let the
             // focus go
             .current =
                 [this, i] {
                     const DataGrid& grid = seriesStudy().grid();
                     return i == 0 ? std::clamp(grid.columnCount(), IntermediatePrecisionStudy::kMinSeries,
                                                IntermediatePrecisionStudy::kMaxSeries)
                                   : std::clamp(grid.rowCount(), IntermediatePrecisionStudy::kMinPerSeries,
                                                IntermediatePrecisionStudy::kMaxPerSeries);
                 },
             .reapply =
                 [this, i](int shown) {
                     IntermediatePrecisionStudy& s = seriesStudy();
                     const int current = i == 0 ? s.grid().columnCount() : s.grid().rowCount();
                     if (shown != current)
                         i == 0 ? s.setSeriesCount(shown) : s.setPerSeriesCount(shown);
                     else
                         s.applyDimensions();
                 },
             .selectTwoDigits = true});
    }
    new DimensionBoxes(
        *this,
        {.grids = [this] { return std::vector<DataGrid*>{&seriesStudy().grid()}; }, .restoreEmpty = false},
        std::move(boxes));
    m_total = new QLineEdit(dimensions);
    m_total->setObjectName(QStringLiteral("nDatiTot"));
    m_total->setReadOnly(true);
    m_total->setFocusPolicy(Qt::NoFocus);
    m_total->setAlignment(Qt::AlignRight);
    m_total->setFixedWidth(m_total->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    auto* totalCaption = new QLabel(Ui::tr("N. dati totali"), dimensions);
    m_captions.push_back(totalCaption);
    dimLayout->addWidget(totalCaption, 2, 0);
    dimLayout->addWidget(m_total, 2, 1);
    dimLayout->setColumnStretch(3, 1);
    setDescription(dimensions, QString());

    auto* kindFrame = new QGroupBox(Ui::tr("Risultati ottenuti da:"), page);
    auto* kindLayout = new QVBoxLayout(kindFrame);
    auto* kindGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        const auto kind = static_cast<SeriesKind>(i);
        auto* button = new QRadioButton(
            ScreenText(IntermediatePrecisionStudy::seriesKindCaption(kind)), kindFrame);
        button->setObjectName(QStringLiteral("OptionTrat%1").arg(i));
        kindGroup->addButton(button, i);
        kindLayout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, kind] { optionClicked(kind); });
        m_options[static_cast<std::size_t>(i)] = button;
        // the entries of the other kind exist but are hidden and disabled
        const auto selectable = seriesStudy().selectableKinds();
        const bool shown = std::find(selectable.begin(), selectable.end(), kind) != selectable.end();
        button->setVisible(shown);
        button->setEnabled(shown);
    }

    // --- results
    const ResultsFrame resultsFrame = createResultsFrame(Ui::tr("Risultati"), page);
    QWidget* results = resultsFrame.content;
    auto* r = new QGridLayout(results);
    auto caption = [&](const QString& text) {
        auto* l = new QLabel(text, results);
        m_captions.push_back(l);
        return l;
    };
    auto value = [&](const char* name) {
        QLabel* l = createValueLabel(QString::fromLatin1(name), results, QStringLiteral("00000000.0000"));
        m_results.push_back(l);
        return l;
    };
    auto* trat = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        QLabel* l = caption(
            ScreenText(IntermediatePrecisionStudy::treatmentCaption(static_cast<SeriesKind>(i))));
        l->setObjectName(QStringLiteral("LabelTrat%1").arg(i));
        trat->addWidget(l);
        m_labelTrat[static_cast<std::size_t>(i)] = l;
    }
    trat->addStretch();
    r->addLayout(trat, 0, 0, 1, 3);
    r->addWidget(caption(Ui::tr("S trat. =")), 1, 0, Qt::AlignRight);
    r->addWidget(value("STrat"), 1, 1);
    m_labelStima = caption(ScreenText(IntermediatePrecisionStudy::kEstimateNote));
    m_labelStima->setObjectName(QStringLiteral("LabelStima"));
    r->addWidget(m_labelStima, 1, 2);
    r->addWidget(caption(Ui::tr("Deviazione std. tra analisi")), 2, 0, 1, 3);
    r->addWidget(caption(QStringLiteral("S err. =")), 3, 0, Qt::AlignRight);
    r->addWidget(value("SErr"), 3, 1);
    r->addWidget(caption(Ui::tr("Deviazione std. di riproducibilità")), 4, 0, 1, 3);
    r->addWidget(caption(Ui::tr("S ripr. =")), 5, 0, Qt::AlignRight);
    r->addWidget(value("SRipr"), 5, 1);
    r->addWidget(caption(Ui::tr("Precisione (come riproducibilità)")), 6, 0, 1, 3);
    r->addWidget(caption(QStringLiteral("P % = ")), 7, 0, Qt::AlignRight);
    r->addWidget(value("PrecRipr"), 7, 1);
    r->setColumnStretch(2, 1);

    // --- data grid, series means, analysis of variance
    auto* dataFrame = new QGroupBox(Ui::tr("Dati"), page);
    DataGridView* grid = createDataGrid(seriesStudy().grid(), dataFrame);
    grid->setObjectName(QStringLiteral("GridData"));
    grid->setRowHeaderWidth(5);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(grid);

    auto* meansFrame = new QGroupBox(Ui::tr("Medie serie"), page);
    m_means = createResultTable(QStringLiteral("GridMedieSerie"), 2, seriesStudy().seriesCount(), meansFrame);
    m_means->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_means->horizontalHeader()->setDefaultSectionSize(
        m_means->fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")) + 12);
    const int meansHeight = 2 * m_means->verticalHeader()->defaultSectionSize() +
                            m_means->horizontalScrollBar()->sizeHint().height() + 2 * m_means->frameWidth();
    m_means->setFixedHeight(meansHeight);
    auto* meansLayout = new QVBoxLayout(meansFrame);
    meansLayout->addWidget(m_means);

    auto* aovFrame = new QGroupBox(ScreenText(config.aovFrameCaption), page);
    m_aov = createResultTable(QStringLiteral("SprLinearita"), IntermediatePrecisionStudy::kAovRows,
                              IntermediatePrecisionStudy::kAovColumns, aovFrame);
    const int numberWidth = m_aov->fontMetrics().horizontalAdvance(QStringLiteral("000000000.000")) + 10;
    QFont bold = m_aov->font();
    bold.setBold(true);
    int headingWidth = 0;  // the widest row heading in the interface's language
    for (const char* heading : {"Variazione", "Tratt. (tra le serie)", "Errore (in ogni serie)", "Totali"})
        headingWidth = std::max(headingWidth, QFontMetrics(bold).horizontalAdvance(ScreenText(heading)));
    m_aov->setColumnWidth(0, headingWidth + 16);
    for (int c = 1; c < IntermediatePrecisionStudy::kAovColumns; ++c) m_aov->setColumnWidth(c, numberWidth);
    m_aov->setFixedHeight(IntermediatePrecisionStudy::kAovRows *
                              m_aov->verticalHeader()->defaultSectionSize() +
                          2 * m_aov->frameWidth());
    m_aov->setMinimumWidth(m_aov->columnWidth(0) + 5 * numberWidth + 2 * m_aov->frameWidth());
    // the empty cells are painted in the button-face colour, text and background alike
    const QColor face = palette().color(QPalette::Button);
    for (int row = 1; row <= IntermediatePrecisionStudy::kAovRows; ++row)
        for (int column = 1; column <= IntermediatePrecisionStudy::kAovColumns; ++column) {
            const bool heading = row == 1 || column == 1;
            setCell(m_aov, row - 1, column - 1, QString(),
                    heading && row == 1 ? Qt::AlignHCenter
                    : heading           ? Qt::AlignLeft
                                        : Qt::AlignRight,
                    heading);
            if (IntermediatePrecisionStudy::aovCellGreyed(row, column)) {
                m_aov->item(row - 1, column - 1)->setBackground(face);
                m_aov->item(row - 1, column - 1)->setForeground(face);
            }
        }
    auto* aovLayout = new QVBoxLayout(aovFrame);
    aovLayout->addWidget(m_aov);
    setDescription(aovFrame, Ui::tr("Mostra i risultati dell'elaborazione"));

    auto* left = new QVBoxLayout;
    left->addWidget(dimensions);
    left->addWidget(kindFrame);
    left->addWidget(resultsFrame.frame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(dataFrame, 1);
    right->addWidget(meansFrame);
    right->addWidget(aovFrame);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    // --- "Grafici"
    QWidget* chartPage = addTab(Ui::tr("Grafici"));
    m_chart = new ChartView(chartPage);
    m_chart->setObjectName(QString::fromUtf8(config.chartName));
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(m_chart);

    tabs()->setCurrentIndex(1);
    showDocument();
}

IntermediatePrecisionStudy& IntermediatePrecisionWindow::seriesStudy()
{
    return static_cast<IntermediatePrecisionStudy&>(study());
}

const IntermediatePrecisionStudy& IntermediatePrecisionWindow::seriesStudy() const
{
    return static_cast<const IntermediatePrecisionStudy&>(study());
}

QLabel* IntermediatePrecisionWindow::resultLabel(const QString& name) const
{
    for (QLabel* l : m_results)
        if (l->objectName() == name) return l;
    return nullptr;
}

// --- showing the study

void IntermediatePrecisionWindow::showStudyData()
{
    const IntermediatePrecisionStudy& s = seriesStudy();
    const int values[2] = {s.seriesCount(), s.perSeriesCount()};
    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = m_dimensions[static_cast<std::size_t>(i)];
        const QString text = QString::number(values[i]);
        // a box being typed in keeps its text until it is left
        if (box->text() != text && !box->hasFocus()) box->setText(text);
    }
    m_total->setText(QString::number(s.totalCount()));
    showOptions();

    const std::pair<const char*, std::string> texts[] = {
        {"STrat", s.sbText()}, {"SErr", s.srText()}, {"SRipr", s.sRText()}, {"PrecRipr", s.precisionText()}};
    for (const auto& [name, text] : texts) resultLabel(QString::fromLatin1(name))->setText(fromStd(text));
    m_labelStima->setVisible(s.estimatedFromMeans());
    showMeans();
    showAov();
    // every control with a caption shows it as its tooltip too (long numbers in narrow boxes)
    for (QLabel* l : m_captions) l->setToolTip(l->text());
    for (QLabel* l : m_results) l->setToolTip(l->text());
    m_chart->setChartData(s.charts(Language::Italian).front());
}

void IntermediatePrecisionWindow::showOptions()
{
    const SeriesKind kind = seriesStudy().seriesKind();
    // a file may select no kind at all
    QButtonGroup* group = m_options[0]->group();
    group->setExclusive(false);
    for (int i = 0; i < 3; ++i)
        m_options[static_cast<std::size_t>(i)]->setChecked(static_cast<int>(kind) == i);
    group->setExclusive(true);
    for (int i = 0; i < 3; ++i)
        m_labelTrat[static_cast<std::size_t>(i)]->setVisible(static_cast<int>(kind) == i);
}

void IntermediatePrecisionWindow::showMeans()
{
    const IntermediatePrecisionStudy& s = seriesStudy();
    const int k = s.seriesCount();
    m_means->setColumnCount(k);
    for (int c = 0; c < k; ++c) {
        setCell(m_means, 0, c, QString::number(c + 1), Qt::AlignHCenter, true);
        const auto& means = s.seriesMeanTexts();
        const QString mean = static_cast<std::size_t>(c) < means.size()
                                 ? fromStd(means[static_cast<std::size_t>(c)])
                                 : QString();
        setCell(m_means, 1, c, mean, Qt::AlignRight);
        m_means->item(0, c)->setBackground(palette().color(QPalette::Button));
    }
}

void IntermediatePrecisionWindow::showAov()
{
    const IntermediatePrecisionStudy& s = seriesStudy();
    for (int row = 1; row <= IntermediatePrecisionStudy::kAovRows; ++row)
        for (int column = 1; column <= IntermediatePrecisionStudy::kAovColumns; ++column)
            m_aov->item(row - 1, column - 1)->setText(fromStd(s.aovCell(row, column)));
}

void IntermediatePrecisionWindow::setLanGraf(Language language)
{
    m_chart->setChartData(seriesStudy().charts(language).front());
}

// --- dimension boxes and options

std::vector<int> IntermediatePrecisionWindow::dimensionValues() const
{
    return {seriesStudy().seriesCount(), seriesStudy().perSeriesCount()};
}

void IntermediatePrecisionWindow::restoreDimensions(const std::vector<int>& values)
{
    seriesStudy().setSeriesCount(values.at(0));
    seriesStudy().setPerSeriesCount(values.at(1));
}

void IntermediatePrecisionWindow::optionClicked(SeriesKind kind)
{
    if (seriesStudy().seriesKind() == kind) return;
    seriesStudy().selectSeriesKind(kind);
    if (seriesStudy().seriesKind() != kind) return;
    // the kind is part of the file and of the conclusions: changing it is a change of the document
    markModified();
    showOptions();
    dataEdited();
}

std::unique_ptr<StudyWindow> CreateIntermediatePrecisionWindow(StudyWindowHost& host, QWidget* parent)
{
    return std::make_unique<IntermediatePrecisionWindow>(IntermediatePrecisionConfig(), host, parent);
}

std::unique_ptr<StudyWindow> CreateReproducibilityWindow(StudyWindowHost& host, QWidget* parent)
{
    return std::make_unique<IntermediatePrecisionWindow>(ReproducibilityConfig(), host, parent);
}

}  // namespace kestra
