// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/study_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/extended_statistics_view.h"
#include "framework/ui/result_widgets.h"
#include "framework/ui/status_panel.h"
#include "framework/ui/study_window_host.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

const QColor kTabColour(244, 238, 177);

// The study window's background: horizontal bands 1000 twips high, each a little darker and less blue.
class BandedBackground : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int band = std::max(1, logicalDpiY() * 1000 / 1440);
        int r = 243, g = 237, b = 170;
        for (int y = 0; y < height(); y += band) {
            painter.fillRect(0, y, width(), band, QColor(r, g, b));
            r = std::max(0, r - 1);
            g = std::max(0, g - 1);
            b = std::max(0, b - 7);
        }
    }
};

const char* const kHeaderLabels[4] = {QT_TRANSLATE_NOOP("Kestra", "Metodo analitico"),
                                      QT_TRANSLATE_NOOP("Kestra", "Analita"), QT_TRANSLATE_NOOP("Kestra", "Campione"),
                                      QT_TRANSLATE_NOOP("Kestra", "U.M. della conc. dell'analita")};

}  // namespace

StudyWindow::StudyWindow(std::unique_ptr<Study> study, StudyWindowHost& host,
                         const StudyWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), m_study(std::move(study)), m_host(host), m_commands(*m_study, host.prompts(), this)
{
    setObjectName(QString::fromUtf8(kindInfo().windowName));
    auto* background = new BandedBackground(this);
    auto* layout = new QVBoxLayout(background);
    layout->setContentsMargins(8, 8, 8, 8);
    m_tabs = new QTabWidget(background);
    m_tabs->setAutoFillBackground(true);
    QPalette tabPalette = m_tabs->palette();
    tabPalette.setColor(QPalette::Window, kTabColour);
    tabPalette.setColor(QPalette::Button, kTabColour);
    m_tabs->setPalette(tabPalette);
    layout->addWidget(m_tabs);
    setCentralWidget(background);

    // the least that stays usable when many windows share the screen: toolbar, tabs, some of the page (which
    // scrolls), the status bar
    setMinimumSize(440, 240);

    m_undo = new QUndoStack(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { ++m_focusSession; });
    StudyWindowOptions shown = options;
    if (shown.methods.empty()) shown.methods = MethodEntries(kind());
    buildMenus(shown);
    buildToolBar(shown);
    buildStatusBar(shown);
    enableDocumentCommands(false);
    m_study->setModify(false);
    updateModifiedMark();
}

QString StudyWindow::documentTitle() const
{
    return QString::fromStdString(m_study->title());
}

void StudyWindow::updateModifiedMark()
{
    setWindowTitle(documentTitle() + QStringLiteral("[*]"));
    setWindowModified(m_study->isModified());
}

StudyWindow::~StudyWindow()
{
    // The frames go now, while the study and this window's members still exist: hiding and deleting them
    // still sends events to eventFilter and makes the grids read their cells.
    delete takeCentralWidget();
}

Prompts& StudyWindow::prompts()
{
    return m_host.prompts();
}

QLineEdit* StudyWindow::headerField(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_headerFields.size())) return nullptr;
    return m_headerFields[static_cast<std::size_t>(index)];
}

// --- building blocks

QWidget* StudyWindow::addTab(const QString& title)
{
    // each page scrolls when the window is smaller than its frames (tiled windows, small screens): the
    // frames keep their size instead of being squashed
    auto* scroll = new QScrollArea(m_tabs);
    scroll->setObjectName(QStringLiteral("Pagina%1").arg(m_tabs->count()));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette p = page->palette();
    p.setColor(QPalette::Window, kTabColour);
    page->setPalette(p);
    scroll->viewport()->setPalette(p);
    scroll->setWidget(page);
    m_tabs->addTab(scroll, title);
    return page;
}

QGroupBox* StudyWindow::createInfoFrame()
{
    auto* frame = new QGroupBox(Ui::tr("Info"));
    auto* layout = new QGridLayout(frame);
    m_headerFields.clear();
    for (int i = 0; i < m_study->headerFieldCount() && i < 4; ++i) {
        auto* field = new QLineEdit(frame);
        field->setObjectName(QStringLiteral("aInputData%1").arg(i));
        auto* label = new QLabel(Ui::tr(kHeaderLabels[i]), frame);
        label->setBuddy(field);
        layout->addWidget(label, i, 0);
        layout->addWidget(field, i, 1);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_study->setHeader(i, text.toStdString());
            markModified();
            updateModifiedMark();
        });
        m_headerFields.push_back(field);
    }
    layout->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* StudyWindow::createConclusionFrame()
{
    auto* frame = new QGroupBox(Ui::tr("Conclusioni"));
    auto* layout = new QVBoxLayout(frame);
    m_conclusion = new QPlainTextEdit(frame);
    m_conclusion->setObjectName(QStringLiteral("cConcl"));
    m_conclusion->setReadOnly(true);
    m_conclusion->setTabChangesFocus(true);  // Tab goes on to the next control, as everywhere else
    layout->addWidget(m_conclusion);
    addResultWidget(m_conclusion);
    setDescription(frame, Ui::tr("Mostra il testo delle conclusioni"));
    return frame;
}

void StudyWindow::layOutDataPage(QWidget* page, QWidget* dimensions, QWidget* results, QWidget* dataFrame,
                                 int dataStretch)
{
    auto* left = new QVBoxLayout;
    left->addWidget(createInfoFrame());
    left->addWidget(dimensions);
    left->addWidget(results);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(dataFrame, dataStretch);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top, 3);
    layout->addWidget(createConclusionFrame(), 2);
}

DataGridView* StudyWindow::createDataGrid(DataGrid& grid, QWidget* parent)
{
    auto* view = new DataGridView(grid, prompts(), parent);
    view->setContextMenu(m_editMenu);
    connect(view, &DataGridView::aboutToEdit, this, &StudyWindow::gridAboutToEdit);
    connect(view, &DataGridView::edited, this, &StudyWindow::gridEdited);
    setDescription(view, Ui::tr("Griglia per l'inserimento dei dati"));
    m_grids.push_back(view);
    return view;
}

StudyWindow::ResultsFrame StudyWindow::createResultsFrame(const QString& title, QWidget* parent)
{
    ResultsFrame r;
    r.frame = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(r.frame);
    layout->setContentsMargins(0, 0, 0, 0);
    r.content = new QWidget(r.frame);
    layout->addWidget(r.content);
    // one notice per window, in its first results frame
    if (!m_staleNotice) {
        m_staleNotice = CreateStaleNotice(r.frame);
        layout->addWidget(m_staleNotice);
    }
    setDescription(r.frame, Ui::tr("Mostra i risultati dell'elaborazione"));
    return r;
}

QLabel* StudyWindow::createValueLabel(const QString& name, QWidget* parent, const QString& sample,
                                      Qt::Alignment alignment)
{
    QLabel* label = CreateValueLabel(name, parent, sample, alignment);
    addResultWidget(label);
    return label;
}

QTableWidget* StudyWindow::createResultTable(const QString& name, int rows, int columns, QWidget* parent)
{
    QTableWidget* table = CreateResultTable(name, rows, columns, parent);
    addResultWidget(table);
    return table;
}

void StudyWindow::addResultWidget(QWidget* widget)
{
    m_resultWidgets.push_back(widget);
}

void StudyWindow::setDescription(QWidget* area, const QString& text)
{
    m_descriptions[area] = text;
    area->installEventFilter(this);
}

bool StudyWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        const auto it = m_descriptions.find(watched);
        if (it != m_descriptions.end())
            m_panels[QStringLiteral("DescrBar")]->setText(event->type() == QEvent::Enter ? it->second
                                                                                         : QString());
    }
    if (event->type() == QEvent::FocusIn) {
        // entering a header field selects its whole text (after the click has placed the cursor)
        if (auto* field = qobject_cast<QLineEdit*>(watched);
            field && std::find(m_headerFields.begin(), m_headerFields.end(), field) != m_headerFields.end())
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    }
    return QMainWindow::eventFilter(watched, event);
}

void StudyWindow::switchTab(int step)
{
    if (!commitPendingEdits() || m_tabs->count() < 2) return;
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + m_tabs->count()) % m_tabs->count());
    // the focus goes to the first control of the page shown, so the keys act there
    QWidget* page = m_tabs->currentWidget();
    for (QWidget* w = page ? page->nextInFocusChain() : nullptr; w && w != page && page->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    m_tabs->setFocus(Qt::TabFocusReason);
}

bool StudyWindow::commitPendingEdits()
{
    // a refused cell keeps its editor open with the warning shown: the command waits for a valid value
    for (DataGridView* g : m_grids)
        if (!g->commitPendingEdit()) return false;
    return true;
}

void StudyWindow::newDocument()
{
    if (!commitPendingEdits()) return;
    if (m_commands.newDocument()) m_undo->clear();
}

bool StudyWindow::openStudyFile()
{
    if (!commitPendingEdits()) return false;
    const bool read = m_commands.openStudyFile();
    if (read) m_undo->clear();
    return read;
}

bool StudyWindow::openInItsOwnWindow(const std::filesystem::path& path, StudyKindId kind)
{
    if (!m_host.hasStudyWindow(kind)) return false;
    m_host.openFile(QString::fromStdString(path.string()));
    return true;
}

bool StudyWindow::openStudyFile(const QString& path)
{
    if (!commitPendingEdits()) return false;
    const bool read = m_commands.openStudyFile(std::filesystem::path(path.toStdString()));
    if (read) m_undo->clear();
    return read;
}

bool StudyWindow::saveStudyFile()
{
    if (!commitPendingEdits()) return false;
    return m_commands.saveStudyFile();
}

bool StudyWindow::saveStudyFileAs()
{
    if (!commitPendingEdits()) return false;
    return m_commands.saveStudyFileAs();
}

bool StudyWindow::closeDocument()
{
    if (!commitPendingEdits()) return false;
    // the question names this window: it comes to the front first (the program may be closing them all)
    if (m_study->isModified()) m_host.openStudy(kind());
    return m_commands.close();
}

void StudyWindow::calculate()
{
    if (!commitPendingEdits()) return;
    m_commands.calculate();
}

void StudyWindow::editNumberFormat()
{
    if (!commitPendingEdits()) return;
    const auto format = prompts().chooseNumberFormat(m_study->numberFormat());
    if (!format) return;
    m_study->changeNumberFormat(*format);
    numberFormatChanged();
    // with data present the results are recalculated in the new format
    if (QAction* sum = action(QStringLiteral("StrumentiCalcola")); sum && sum->isEnabled())
        m_commands.calculate();
    else
        showDocument();
}

bool StudyWindow::ensureResultsCurrent()
{
    // what is printed is computed from the data printed beside it; a refused calculation has shown why
    return m_study->resultsCurrent() || m_commands.calculate();
}

void StudyWindow::printReport()
{
    if (!commitPendingEdits()) return;
    if (!ensureResultsCurrent()) return;
    m_host.printStudyReport(*this);
}

void StudyWindow::printCharts()
{
    if (!commitPendingEdits()) return;
    if (!ensureResultsCurrent()) return;
    m_host.printStudyCharts(*this);
}

void StudyWindow::closeEvent(QCloseEvent* event)
{
    if (closeDocument())
        event->accept();
    else
        event->ignore();
}

// --- panels, activation, enabling

void StudyWindow::activated()
{
    refreshStudyPanels();
    windowActivated();
}

void StudyWindow::refreshStudyPanels()
{
    for (auto& [kind, panel] : m_studyPanels) panel->setSunken(m_host.isWindowOpen(kind));
}

void StudyWindow::dataEdited()
{
    m_study->setResultsCurrent(false);
    showResultsState();
    updateModifiedMark();
}

void StudyWindow::showResultsState()
{
    if (m_extended) m_extended->showStatistics(*m_study);
    const bool stale = !m_study->resultsCurrent();
    m_resultsShownStale = stale;
    if (m_staleNotice) m_staleNotice->setVisible(stale);
    for (QWidget* w : m_resultWidgets) {
        ShowGreyed(w, stale);
        if (auto* table = qobject_cast<QTableWidget*>(w)) FitResultColumns(table);
    }
}

void StudyWindow::enableDocumentCommands(bool enabled)
{
    m_commandsEnabled = enabled;
    for (const char* name : {"FileSalva", "FileSalvaNome", "FileStampa", "FileStampaGrafico",
                             "FileImpostaStampante", "StrumentiCalcola"})
        if (QAction* a = action(QString::fromLatin1(name))) a->setEnabled(enabled);
}

void StudyWindow::showDocument()
{
    // the window's own pages are all there by its first showDocument(): this one comes after them
    if (!m_extended) {
        QWidget* page = addTab(Ui::tr("Statistica estesa"));
        m_extended = new ExtendedStatisticsView(page);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_extended);
        setDescription(m_extended, Ui::tr("Mostra la statistica estesa dei dati calcolati"));
    }
    updateModifiedMark();
    for (std::size_t i = 0; i < m_headerFields.size(); ++i) {
        const QString text = QString::fromStdString(m_study->header(static_cast<int>(i)));
        if (m_headerFields[i]->text() != text) {
            const QSignalBlocker block(m_headerFields[i]);
            m_headerFields[i]->setText(text);
        }
    }
    for (DataGridView* g : m_grids) g->refresh();
    showNumberFormatPanel();
    if (m_conclusion)
        m_conclusion->setPlainText(QString::fromStdString(m_study->conclusionText())
                                       .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    showStudyData();
    showResultsState();
}

}  // namespace kestra
