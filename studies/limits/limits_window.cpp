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
    QWidget* page = addTab(QStringLiteral("Info/Dati"));

    // --- Dimensioni
    auto* dimensions = new QGroupBox(QStringLiteral("Dimensioni"), page);
    auto* countText =
        new QLabel(QStringLiteral("N. di misure di una concentrazione (quantità) prossima al limite di "
                                  "rilevabilità e del valore del bianco"),
                   dimensions);
    countText->setWordWrap(true);
    m_count = new QLineEdit(dimensions);
    m_count->setObjectName(QStringLiteral("nDet"));
    m_count->setMaxLength(2);
    m_count->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), m_count));
    m_count->setToolTip(QStringLiteral("min. 5, max. 99"));
    m_count->setPlaceholderText(QStringLiteral("min. 5, max. 99"));
    m_count->setAlignment(Qt::AlignRight);
    m_count->setFixedWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("min. 5, max. 99")) + 16);
    m_count->installEventFilter(this);
    countText->setBuddy(m_count);
    auto* note = new QLabel(QStringLiteral("(min. 5)"), dimensions);
    m_options[0] = new QRadioButton(QStringLiteral("Limite di rilevazione"), dimensions);
    m_options[0]->setObjectName(QStringLiteral("OptionRilDet0"));
    m_options[1] = new QRadioButton(QStringLiteral("Limite di determinazione"), dimensions);
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
    connect(m_count, &QLineEdit::textEdited, this, &LimitsWindow::countEdited);
    connect(m_options[0], &QRadioButton::clicked, this,
            [this] { optionClicked(LimitsStudy::Option::Detection); });
    connect(m_options[1], &QRadioButton::clicked, this,
            [this] { optionClicked(LimitsStudy::Option::Quantitation); });

    // --- Risultati (the data grid)
    auto* dataFrame = new QGroupBox(QStringLiteral("Risultati"), page);
    DataGridView* grid = createDataGrid(limits().grid(), dataFrame);
    grid->setObjectName(QStringLiteral("GridData"));
    grid->setRowHeaderWidth(13);
    auto* dataLayout = new QVBoxLayout(dataFrame);
    dataLayout->addWidget(grid);
    // the frame hugs its one column: row headings, the column and the scroll bar
    grid->setFixedWidth(grid->verticalHeader()->width() + grid->columnWidth(0) +
                        grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * grid->frameWidth() + 2);

    // --- Risultato dell'elaborazione
    const ResultsFrame resultsFrame = createResultsFrame(QStringLiteral("Risultato dell'elaborazione"), page);
    QWidget* results = resultsFrame.content;
    const QString sample = QStringLiteral("0000000000000");
    m_stDev = createValueLabel(QStringLiteral("StDev"), results, sample);
    m_labelRil = new QLabel(results);
    m_labelRil->setObjectName(QStringLiteral("LabelRil"));
    m_limRil = createValueLabel(QStringLiteral("LimRil"), results, sample);
    m_limDet = createValueLabel(QStringLiteral("LimDet"), results, sample);
    auto* resultsLayout = new QGridLayout(results);
    resultsLayout->addWidget(new QLabel(QStringLiteral("Dev. standard"), results), 0, 0);
    resultsLayout->addWidget(m_stDev, 0, 1);
    resultsLayout->addWidget(m_labelRil, 1, 0);
    resultsLayout->addWidget(m_limRil, 1, 1);
    resultsLayout->addWidget(m_limDet, 1, 1);
    resultsLayout->setColumnStretch(2, 1);

    // --- the page: Info, Dimensioni and the results on the left, the grid on the right, conclusions below
    auto* left = new QVBoxLayout;
    left->addWidget(createInfoFrame());
    left->addWidget(dimensions);
    left->addWidget(resultsFrame.frame);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(dataFrame, 0);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top, 3);
    layout->addWidget(createConclusionFrame(), 2);

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
    m_labelRil->setText(QString::fromStdString(s.limitLabel()));
    m_stDev->setText(QString::fromStdString(s.stDevText()));
    m_limRil->setText(QString::fromStdString(s.detectionLimitText()));
    m_limDet->setText(QString::fromStdString(s.quantitationLimitText()));
    m_limRil->setVisible(!quantitation);
    m_limDet->setVisible(quantitation);
    // the results carry their texts as tooltips too (long numbers in a narrow box)
    for (QLabel* l : {m_stDev, m_labelRil, m_limRil, m_limDet}) l->setToolTip(l->text());
}

bool LimitsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_count) {
        if (event->type() == QEvent::FocusIn) {
            m_valuesOnEntry.clear();
            const DataGrid& g = limits().grid();
            for (int r = 0; r < g.rowCount(); ++r) m_valuesOnEntry.push_back(g.enteredCell(r, 0));
            QTimer::singleShot(0, m_count, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // switching to another program or opening a menu is not leaving the field
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) countLeft();
        }
    }
    return StudyWindow::eventFilter(watched, event);
}

std::vector<int> LimitsWindow::dimensionValues() const
{
    return {limits().measurementCount()};
}

void LimitsWindow::restoreDimensions(const std::vector<int>& values)
{
    limits().setMeasurementCount(values.at(0));
}

void LimitsWindow::countEdited(const QString& text)
{
    const int count = text.toInt();
    if (count < LimitsStudy::kMinCount) return;
    const EditRecorder edit(*this);
    if (!limits().setMeasurementCount(count)) return;
    DataGrid& g = limits().grid();
    const int restored = std::min(count, static_cast<int>(m_valuesOnEntry.size()));
    for (int r = 0; r < restored; ++r) g.setCell(r, 0, m_valuesOnEntry[static_cast<std::size_t>(r)]);
    showDocument();
}

void LimitsWindow::countLeft()
{
    if (m_count->text().toInt() >= LimitsStudy::kMinCount) {
        m_valuesOnEntry.clear();
        return;
    }
    m_count->setText(QString::number(LimitsStudy::kDefaultCount));
    countEdited(m_count->text());
    // the field keeps the focus until it holds a valid count
    QTimer::singleShot(0, m_count, [this] {
        m_count->setFocus(Qt::OtherFocusReason);
        m_count->selectAll();
    });
}

void LimitsWindow::optionClicked(LimitsStudy::Option option)
{
    if (limits().option() == option) return;
    limits().selectOption(option);
    showDocument();
    dataEdited();
}

}  // namespace kestra
