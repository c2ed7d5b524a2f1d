// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/accuracy/accuracy_window.h"

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
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/ui/data_grid_model.h"
#include "framework/ui/data_grid_view.h"
#include "framework/ui/dimension_boxes.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

using Mode = AccuracyStudy::LevelMode;

QLabel* captionLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // the level captions carry the unit as typed
    return label;
}

// results as they are, captions and table headings in the interface language
QString fromStd(const std::string& text)
{
    return ScreenText(text);
}

}  // namespace

AccuracyWindow::AccuracyWindow(StudyWindowHost& host, QWidget* parent)
    : StudyWindow(std::make_unique<AccuracyStudy>(), host, StudyWindowOptions{}, parent)
{
    // --- " Info/Conclusioni"
    QWidget* infoPage = addTab(Ui::tr(" Info/Conclusioni"));
    auto* infoLayout = new QVBoxLayout(infoPage);
    infoLayout->addWidget(createInfoFrame());
    infoLayout->addWidget(createConclusionFrame(), 1);
    // ImpostaColonne follows the unit
    if (QLineEdit* unit = headerField(3))
        connect(unit, &QLineEdit::textEdited, this, [this] { showCaptions(); });

    // --- "Dati"
    QWidget* page = addTab(Ui::tr("Dati"));

    auto* dimensions = new QGroupBox(Ui::tr("Dimensioni"), page);
    auto* countText = new QLabel(Ui::tr("N. determinazioni"), dimensions);
    m_count = NewDimensionEdit(dimensions, QStringLiteral("nDet"), Ui::tr("min. 3, max. 99"));
    countText->setBuddy(m_count);
    auto* note = new QLabel(Ui::tr("(min. 3)"), dimensions);
    m_option1 = new QRadioButton(Ui::tr("1 Livello di concentrazione"), dimensions);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option3 = new QRadioButton(Ui::tr("3 Livelli di concentrazione"), dimensions);
    m_option3->setObjectName(QStringLiteral("Option3"));
    auto* optionGroup = new QButtonGroup(this);
    optionGroup->addButton(m_option1);
    optionGroup->addButton(m_option3);
    auto* dimensionsLayout = new QGridLayout(dimensions);
    dimensionsLayout->addWidget(countText, 0, 0);
    dimensionsLayout->addWidget(m_count, 0, 1);
    dimensionsLayout->addWidget(note, 0, 2);
    dimensionsLayout->setColumnStretch(3, 1);
    dimensionsLayout->addWidget(m_option1, 1, 0, 1, 4);
    dimensionsLayout->addWidget(m_option3, 2, 0, 1, 4);
    new DimensionBoxes(*this,
                       {.grids =
                            [this] {
                                std::vector<DataGrid*> grids;
                                for (int level = 0; level < AccuracyStudy::kLevelCount; ++level)
                                    grids.push_back(&accuracy().levelGrid(level));
                                return grids;
                            },
                        .afterRestore = [this] { accuracy().setupAccuGrids(); }},
                       {{.edit = m_count,
                         .apply = [this](int count) { return accuracy().setDeterminations(count); },
                         .valid = [](int count) { return count >= AccuracyStudy::kMinCount; },
                         .defaultCount = AccuracyStudy::kDefaultCount}});
    connect(m_option1, &QRadioButton::clicked, this, [this] { levelModeClicked(Mode::One); });
    connect(m_option3, &QRadioButton::clicked, this, [this] { levelModeClicked(Mode::Three); });

    // --- the three level grids, upper to lower from left to right
    auto* gridsFrame = new QGroupBox(Ui::tr("Dati"), page);
    auto* gridsLayout = new QHBoxLayout(gridsFrame);
    for (int level = 0; level < AccuracyStudy::kLevelCount; ++level) {
        const auto i = static_cast<std::size_t>(level);
        auto* box = new QWidget(gridsFrame);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->setContentsMargins(0, 0, 0, 0);
        m_captions[i] = captionLabel(QStringLiteral("LabelData%1").arg(level), QString(), box);
        m_captions[i]->setAlignment(Qt::AlignCenter);
        DataGridView* view = createDataGrid(accuracy().levelGrid(level), box);
        view->setObjectName(QStringLiteral("GridData%1").arg(level));
        view->setRowHeaderWidth(4);
        m_gridViews[i] = view;
        boxLayout->addWidget(m_captions[i]);
        boxLayout->addWidget(view, 1);
        gridsLayout->addWidget(box);
        // a grid as wide as its three columns, so the recovery shows without scrolling
        int width = view->verticalHeader()->width() + 2 * view->frameWidth() +
                    view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (int c = 0; c < AccuracyStudy::kColumns; ++c) width += view->columnWidth(c);
        box->setFixedWidth(width + 4);
        m_gridBoxes[i] = box;
        connect(view->gridModel(), &QAbstractItemModel::dataChanged, this,
                [this, level](const QModelIndex& tl, const QModelIndex& br) { cellsChanged(level, tl, br); });
        // three levels: entry runs on through the grids, upper, central, lower and round again
        connect(view, &DataGridView::advancedPastEnd, this, [this, level] {
            if (accuracy().threeLevels()) enterGrid((level + 1) % 3, 0, 0);
        });
        connect(view, &DataGridView::advancedBeforeStart, this, [this, level] {
            if (accuracy().threeLevels()) enterGrid((level + 2) % 3, accuracy().determinations() - 1, 1);
        });
    }

    gridsLayout->addStretch(1);

    // --- results
    const ResultsFrame resultsFrame = createResultsFrame(Ui::tr("Risultato dell'elaborazione"), page);
    QWidget* results = resultsFrame.content;
    const QString sample = QStringLiteral("0000000.000 ± 0000000.000");
    m_labOne = captionLabel(QStringLiteral("LabOne"), Ui::tr("Accuratezza"), results);
    m_accuOne = createValueLabel(QStringLiteral("AccuOne"), results, sample, Qt::AlignCenter);
    m_labSup =
        captionLabel(QStringLiteral("LabSup"), Ui::tr("Accuratezza livello superiore"), results);
    m_accuSup = createValueLabel(QStringLiteral("AccuSup"), results, sample, Qt::AlignCenter);
    m_labCen =
        captionLabel(QStringLiteral("LabCen"), Ui::tr("Accuratezza livello centrale"), results);
    m_accuCen = createValueLabel(QStringLiteral("AccuCen"), results, sample, Qt::AlignCenter);
    m_labInf =
        captionLabel(QStringLiteral("LabInf"), Ui::tr("Accuratezza livello inferiore"), results);
    m_accuInf = createValueLabel(QStringLiteral("AccuInf"), results, sample, Qt::AlignCenter);
    m_labMed = captionLabel(QStringLiteral("LabMed"), Ui::tr("Accuratezza media"), results);
    m_accuMed = createValueLabel(QStringLiteral("AccuMed"), results, sample, Qt::AlignCenter);
    auto* resultsLayout = new QGridLayout(results);
    const std::pair<QLabel*, QLabel*> rows[] = {{m_labOne, m_accuOne},
                                                {m_labSup, m_accuSup},
                                                {m_labCen, m_accuCen},
                                                {m_labInf, m_accuInf},
                                                {m_labMed, m_accuMed}};
    int row = 0;
    for (const auto& [caption, value] : rows) {
        resultsLayout->addWidget(caption, row, 0);
        resultsLayout->addWidget(value, row, 1);
        ++row;
    }
    resultsLayout->setColumnStretch(2, 1);

    // --- analysis of variance
    m_anovaFrame = new QGroupBox(Ui::tr("ACCURATEZZA: Analisi della varianza"), page);
    m_anovaFrame->setObjectName(QStringLiteral("FrameVarianza"));
    m_anova = createResultTable(QStringLiteral("SprLinearita"), AccuracyStudy::kAnovaRows,
                                AccuracyStudy::kAnovaColumns, m_anovaFrame);
    const QColor buttonFace = m_anova->palette().color(QPalette::Button);
    for (int r = 1; r <= AccuracyStudy::kAnovaRows; ++r) {
        for (int c = 1; c <= AccuracyStudy::kAnovaColumns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            if (r == 1 || c == 1) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                if (r == 1) item->setTextAlignment(Qt::AlignCenter);
            }
            if (AccuracyStudy::anovaCellUnused(c, r)) {
                // never written: painted in the button face, text and background alike
                item->setBackground(buttonFace);
                item->setForeground(buttonFace);
            }
            m_anova->setItem(r - 1, c - 1, item);
        }
    }
    const int digit = m_anova->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QFont boldFont = m_anova->font();
    boldFont.setBold(true);
    int headingWidth = 0;  // the widest row heading in the interface's language
    for (const char* heading : {"Variazione", "Tra livelli", "Errore", "Totali"})
        headingWidth = std::max(headingWidth, QFontMetrics(boldFont).horizontalAdvance(ScreenText(heading)));
    m_anova->setColumnWidth(0, headingWidth + 3 * digit);
    for (int c = 1; c < AccuracyStudy::kAnovaColumns; ++c) m_anova->setColumnWidth(c, 15 * digit);
    int tableWidth = 2 * m_anova->frameWidth();
    for (int c = 0; c < AccuracyStudy::kAnovaColumns; ++c) tableWidth += m_anova->columnWidth(c);
    int tableHeight = 2 * m_anova->frameWidth();
    for (int r = 0; r < AccuracyStudy::kAnovaRows; ++r) tableHeight += m_anova->rowHeight(r);
    m_anova->setFixedSize(tableWidth, tableHeight);
    auto* anovaLayout = new QVBoxLayout(m_anovaFrame);
    anovaLayout->addWidget(m_anova);
    setDescription(m_anovaFrame, Ui::tr("Mostra i risultati dell'elaborazione"));

    // the page: dimensions and results with the table beside them, the level grids below across the page
    auto* left = new QVBoxLayout;
    left->addWidget(dimensions);
    left->addWidget(resultsFrame.frame);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(m_anovaFrame, 0, Qt::AlignTop);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(gridsFrame, 1);

    // --- "Grafico"
    QWidget* chartPage = addTab(Ui::tr("Grafico"));
    m_chart = new ChartView(chartPage);
    m_chart->setObjectName(QStringLiteral("VtGrafAccu"));
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(m_chart);

    tabs()->setCurrentIndex(1);
    showDocument();
}

AccuracyWindow::~AccuracyWindow()
{
    // the base class deletes the grids after this part of the window is gone: their signals must not reach it
    for (DataGridView* view : m_gridViews) {
        view->disconnect(this);
        view->gridModel()->disconnect(this);
    }
}

AccuracyStudy& AccuracyWindow::accuracy()
{
    return static_cast<AccuracyStudy&>(study());
}

const AccuracyStudy& AccuracyWindow::accuracy() const
{
    return static_cast<const AccuracyStudy&>(study());
}

QLabel* AccuracyWindow::resultLabel(const QString& name) const
{
    for (QLabel* l : {m_labOne, m_accuOne, m_labSup, m_accuSup, m_labCen, m_accuCen, m_labInf, m_accuInf,
                      m_labMed, m_accuMed})
        if (l->objectName() == name) return l;
    return nullptr;
}

void AccuracyWindow::showStudyData()
{
    const AccuracyStudy& s = accuracy();
    const QString count = QString::number(s.determinations());
    if (m_count->text() != count &&
        !(m_count->hasFocus() && m_count->text().toInt() < AccuracyStudy::kMinCount))
        m_count->setText(count);
    m_option1->setChecked(!s.threeLevels());
    m_option3->setChecked(s.threeLevels());

    m_accuOne->setText(fromStd(s.accuOneText()));
    m_accuSup->setText(fromStd(s.accuSupText()));
    m_accuCen->setText(fromStd(s.accuCenText()));
    m_accuInf->setText(fromStd(s.accuInfText()));
    m_accuMed->setText(fromStd(s.accuMedText()));
    // every control carries its caption as tooltip (long results in a narrow box)
    for (QLabel* l : {m_labOne, m_accuOne, m_labSup, m_accuSup, m_labCen, m_accuCen, m_labInf, m_accuInf,
                      m_labMed, m_accuMed})
        l->setToolTip(l->text());
    showCaptions();
    showAnova();
    showLevelMode();
    m_chartLanguage = Language::Italian;
    showChart();
}

void AccuracyWindow::showCaptions()
{
    for (int level = 0; level < AccuracyStudy::kLevelCount; ++level)
        m_captions[static_cast<std::size_t>(level)]->setText(fromStd(accuracy().levelCaption(level)));
}

void AccuracyWindow::showAnova()
{
    for (int r = 1; r <= AccuracyStudy::kAnovaRows; ++r)
        for (int c = 1; c <= AccuracyStudy::kAnovaColumns; ++c)
            m_anova->item(r - 1, c - 1)->setText(fromStd(accuracy().anovaCell(c, r)));
}

void AccuracyWindow::showLevelMode()
{
    const AccuracyStudy& s = accuracy();
    const bool three = s.threeLevels();
    for (int level = 0; level < AccuracyStudy::kLevelCount; ++level)
        m_gridBoxes[static_cast<std::size_t>(level)]->setVisible(s.levelVisible(level));
    m_labOne->setVisible(!three);
    m_accuOne->setVisible(!three);
    for (QLabel* l : {m_labSup, m_accuSup, m_labCen, m_accuCen, m_labInf, m_accuInf}) l->setVisible(three);
    m_labMed->setVisible(s.meanVisible());
    m_accuMed->setVisible(s.meanVisible());
    m_anovaFrame->setVisible(three);
}

void AccuracyWindow::showChart()
{
    const ChartData data = accuracy().chart(m_chartLanguage);
    // before a calculation the chart is blank, without title or footnote
    m_chart->setChartData(data.empty() ? ChartData{} : data);
}

void AccuracyWindow::setLanGraf(Language language)
{
    m_chartLanguage = language;
    m_chart->setChartData(accuracy().chart(language));
}

void AccuracyWindow::enterGrid(int level, int row, int column)
{
    DataGridView* view = m_gridViews[static_cast<std::size_t>(level)];
    view->setFocus(Qt::OtherFocusReason);
    view->setActiveCell(row, column);
}

void AccuracyWindow::cellsChanged(int level, const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    // the recovery follows a change of "Pesati" or "Trovati" in its row
    if (topLeft.column() > 1) return;
    bool written = false;
    for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
        written = accuracy().updateRecovery(level, r) || written;
    if (written) m_gridViews[static_cast<std::size_t>(level)]->viewport()->update();
}

std::vector<int> AccuracyWindow::dimensionValues() const
{
    return {accuracy().determinations()};
}

void AccuracyWindow::restoreDimensions(const std::vector<int>& values)
{
    if (accuracy().setDeterminations(values.at(0))) accuracy().setupAccuGrids();
}

void AccuracyWindow::levelModeClicked(Mode mode)
{
    if (accuracy().levelMode() == mode) return;
    accuracy().setLevelMode(mode);
    showLevelMode();
    dataEdited();
}

}  // namespace kestra
