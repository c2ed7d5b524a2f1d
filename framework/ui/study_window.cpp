#include "framework/ui/study_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
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
#include "framework/ui/study_window_factory.h"
#include "framework/ui/study_window_host.h"

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

struct ToolbarEntry {
    const char* key;
    const char* action;  // the menu action the button shares; nullptr for a separator
    const char* tooltip;
};

constexpr ToolbarEntry kToolbar[] = {
    {"New", "FileNuovo", "Nuovo file"},
    {"Open", "FileApri", "Apri file"},
    {"Save", "FileSalva", "Salva file"},
    {nullptr, nullptr, nullptr},
    {"Cut", "ModificaTaglia", "Taglia"},
    {"Copy", "ModificaCopia", "Copia"},
    {"Paste", "ModificaIncolla", "Incolla"},
    {nullptr, nullptr, nullptr},
    {"Print", "FileStampa", "Stampa report"},
    {"PrintGraph", "FileStampaGrafico", "Stampa grafico"},
    {nullptr, nullptr, nullptr},
    {"Sum", "StrumentiCalcola", "Calcola risultati"},
    {nullptr, nullptr, nullptr},
    {"Plan", "GuidaMetodo", "Descrizione metodo"},
    {"StatPar", "GuidaStatistica", "Parametri statistica"},
    {"Help", "GuidaInLinea", "Guida"},
    {nullptr, nullptr, nullptr},
    {"ICH", "GuidaICH", "Normativa di riferimento ICH"},
    {"Libro", "GuidaLibro", "Testo di riferimento R.Brenzi"},
    {nullptr, nullptr, nullptr},
    {"Exit", "FileChiudi", "Chiudi"},
};

// Icons when the host has none: the desktop theme's, else the style's.
QIcon fallbackIcon(const QString& key, const QStyle* style)
{
    struct Fallback {
        const char* key;
        const char* theme;
        QStyle::StandardPixmap pixmap;
    };
    static const Fallback fallbacks[] = {
        {"New", "document-new", QStyle::SP_FileIcon},
        {"Open", "document-open", QStyle::SP_DialogOpenButton},
        {"Save", "document-save", QStyle::SP_DialogSaveButton},
        {"Cut", "edit-cut", QStyle::SP_CustomBase},
        {"Copy", "edit-copy", QStyle::SP_CustomBase},
        {"Paste", "edit-paste", QStyle::SP_CustomBase},
        {"Print", "document-print", QStyle::SP_CustomBase},
        {"PrintGraph", "document-print-preview", QStyle::SP_CustomBase},
        {"Sum", "accessories-calculator", QStyle::SP_CustomBase},
        {"Plan", "text-x-generic", QStyle::SP_FileDialogDetailedView},
        {"StatPar", "x-office-spreadsheet", QStyle::SP_FileDialogInfoView},
        {"Help", "help-contents", QStyle::SP_DialogHelpButton},
        {"ICH", "x-office-document", QStyle::SP_FileDialogContentsView},
        {"Libro", "accessories-dictionary", QStyle::SP_DirIcon},
        {"Exit", "window-close", QStyle::SP_DialogCloseButton},
    };
    for (const auto& f : fallbacks) {
        if (key != QLatin1String(f.key)) continue;
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(f.theme));
        if (icon.isNull() && f.pixmap != QStyle::SP_CustomBase) icon = style->standardIcon(f.pixmap);
        return icon;
    }
    return {};
}

QAction* addTo(QMenu* menu, QAction* action)
{
    menu->addAction(action);
    return action;
}

const char* const kHeaderLabels[4] = {"Metodo analitico", "Analita", "Campione",
                                      "U.M. della conc. dell'analita"};

bool sameGrid(const DataGrid& a, const DataGrid& b)
{
    if (a.rowCount() != b.rowCount() || a.columnCount() != b.columnCount()) return false;
    for (int c = 0; c < a.columnCount(); ++c)
        if (a.columnHeader(c) != b.columnHeader(c)) return false;
    for (int r = 0; r < a.rowCount(); ++r) {
        if (a.rowHeader(r) != b.rowHeader(r)) return false;
        for (int c = 0; c < a.columnCount(); ++c)
            if (a.enteredCell(r, c) != b.enteredCell(r, c) || a.isLocked(r, c) != b.isLocked(r, c))
                return false;
    }
    return true;
}

bool sameState(const EditState& a, const EditState& b)
{
    if (a.dimensions != b.dimensions || a.grids.size() != b.grids.size()) return false;
    for (std::size_t i = 0; i < a.grids.size(); ++i)
        if (!sameGrid(a.grids[i], b.grids[i])) return false;
    return true;
}

// One step of a window's undo stack: the state before and after a change of the data.
class EditCommand : public QUndoCommand {
public:
    EditCommand(StudyWindow& window, EditState before, EditState after, int mergeKey)
        : m_window(window), m_before(std::move(before)), m_after(std::move(after)), m_mergeKey(mergeKey)
    {
    }
    void undo() override { m_window.restoreState(m_before); }
    void redo() override
    {
        // pushing a change that has already happened runs redo once: nothing to do then
        if (m_done) m_window.restoreState(m_after);
        m_done = true;
    }
    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (other->id() != id()) return false;
        m_after = static_cast<const EditCommand*>(other)->m_after;
        // typed back to where it started: no step at all
        setObsolete(sameState(m_before, m_after));
        return true;
    }

private:
    StudyWindow& m_window;
    EditState m_before;
    EditState m_after;
    int m_mergeKey;
    bool m_done = false;
};

}  // namespace

std::vector<MethodEntry> MethodEntries(StudyKindId self)
{
    static const std::pair<StudyKindId, const char*> all[] = {
        {StudyKindId::Limi, "&Limite rilevazione e determinazione..."},
        {StudyKindId::Spec, "&Specificità..."},
        {StudyKindId::Tara, "&Taratura..."},
        {StudyKindId::Prec, "&Ripetibilità..."},
        {StudyKindId::Accu, "&Accuratezza..."},
        {StudyKindId::Ripr, "&Riproducibilità..."},
        {StudyKindId::Prin, "Precisione &intermedia..."},
    };
    std::vector<MethodEntry> entries;
    for (const auto& [kind, caption] : all)
        if (kind != self) entries.push_back({kind, QString::fromUtf8(caption)});
    return entries;
}

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

QAction* StudyWindow::makeAction(const QString& name, const QString& text)
{
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    // the shortcuts act inside this window only: several study windows live side by side
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);
    m_actions[name] = a;
    return a;
}

void StudyWindow::buildMenus(const StudyWindowOptions& options)
{
    QMenuBar* bar = menuBar();

    m_fileMenu = bar->addMenu(QStringLiteral("&File"));
    connect(addTo(m_fileMenu, makeAction("FileNuovo", "&Nuovo")), &QAction::triggered, this,
            [this] { newDocument(); });
    connect(addTo(m_fileMenu, makeAction("FileApri", "&Apri...")), &QAction::triggered, this,
            [this] { openStudyFile(); });
    connect(addTo(m_fileMenu, makeAction("FileSalva", "&Salva")), &QAction::triggered, this,
            [this] { saveStudyFile(); });
    action(QStringLiteral("FileNuovo"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    action(QStringLiteral("FileApri"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    action(QStringLiteral("FileSalva"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(addTo(m_fileMenu, makeAction("FileSalvaNome", "Salva con &nome...")), &QAction::triggered, this,
            [this] { saveStudyFileAs(); });
    m_fileMenu->addSeparator();
    connect(addTo(m_fileMenu, makeAction("FileStampa", "&Stampa...")), &QAction::triggered, this,
            [this] { printReport(); });
    action(QStringLiteral("FileStampa"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    if (options.chartPrinting)
        connect(addTo(m_fileMenu, makeAction("FileStampaGrafico", "Stampa &grafico...")), &QAction::triggered,
                this, [this] { printCharts(); });
    connect(addTo(m_fileMenu, makeAction("FileImpostaStampante", "&Imposta stampante...")),
            &QAction::triggered, this, [this] { m_host.printerSetup(); });
    m_fileMenu->addSeparator();
    connect(addTo(m_fileMenu, makeAction("FileChiudi", "&Chiudi")), &QAction::triggered, this, [this] {
        // inside the main window the frame closes, which asks this window first (closeEvent)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });

    m_editMenu = bar->addMenu(QStringLiteral("&Modifica"));
    QAction* cutAction = makeAction("ModificaTaglia", "&Taglia");
    cutAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QAction* copyAction = makeAction("ModificaCopia", "&Copia");
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    QAction* pasteAction = makeAction("ModificaIncolla", "&Incolla");
    pasteAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    QAction* clearAction = makeAction("ModificaCancella", "Ca&ncella");
    clearAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    for (QAction* a : {cutAction, copyAction, pasteAction, clearAction}) m_editMenu->addAction(a);
    connect(cutAction, &QAction::triggered, this, [this] { cut(); });
    connect(copyAction, &QAction::triggered, this, [this] { copy(); });
    connect(pasteAction, &QAction::triggered, this, [this] { paste(); });
    connect(clearAction, &QAction::triggered, this, [this] { clearSelection(); });
    // undo and redo come after the four items of the menu
    m_editMenu->addSeparator();
    QAction* undoAction = addTo(m_editMenu, makeAction("ModificaAnnulla", "&Annulla"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction->setEnabled(false);
    QAction* redoAction = addTo(m_editMenu, makeAction("ModificaRipeti", "&Ripeti"));
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAction->setEnabled(false);
    connect(undoAction, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(redoAction, &QAction::triggered, this, [this] { undoOrRedo(false); });
    connect(m_undo, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(m_undo, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    connect(m_editMenu, &QMenu::aboutToShow, this, &StudyWindow::updatePasteEnabled);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &StudyWindow::updatePasteEnabled);
    updatePasteEnabled();

    m_toolsMenu = bar->addMenu(QStringLiteral("&Strumenti"));
    connect(addTo(m_toolsMenu, makeAction("StrumentiCalcola", "&Calcola")), &QAction::triggered, this,
            [this] { calculate(); });
    action(QStringLiteral("StrumentiCalcola"))->setShortcut(QKeySequence(Qt::Key_F9));
    m_toolsMenu->addSeparator();
    connect(addTo(m_toolsMenu, makeAction("StrumentiFormato", "&Setup formato numeri...")),
            &QAction::triggered, this, [this] { editNumberFormat(); });

    m_methodsMenu = bar->addMenu(QStringLiteral("M&etodi"));
    for (const MethodEntry& m : options.methods) {
        QAction* a =
            makeAction(QStringLiteral("Metodi") + QString::fromUtf8(KindInfo(m.kind).windowName), m.caption);
        // studies whose window is not built yet stay visible but disabled
        a->setEnabled(HasStudyWindow(m.kind));
        const StudyKindId kind = m.kind;
        connect(a, &QAction::triggered, this, [this, kind] { m_host.openStudy(kind); });
        m_methodsMenu->addAction(a);
    }

    m_windowsMenu = bar->addMenu(QStringLiteral("&Finestre"));
    const std::pair<const char*, std::pair<const char*, WindowArrangement>> arrangements[] = {
        {"MnuFinestreTileH", {"Affianca &orizzontalmente", WindowArrangement::TileHorizontally}},
        {"MnuFinestreTileV", {"Affianca &verticalmente", WindowArrangement::TileVertically}},
        {"MnuFinestreCascade", {"&Sovrapponi", WindowArrangement::Cascade}},
        {"MnuFinestreArrange", {"&Disponi icone", WindowArrangement::ArrangeIcons}},
    };
    for (const auto& [name, entry] : arrangements) {
        const WindowArrangement arrangement = entry.second;
        connect(addTo(m_windowsMenu, makeAction(name, entry.first)), &QAction::triggered, this,
                [this, arrangement] { m_host.arrangeWindows(arrangement); });
    }
    m_windowListSeparator = m_windowsMenu->addSeparator();
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &StudyWindow::fillWindowsMenu);

    m_helpMenu = bar->addMenu(QStringLiteral("&?"));
    connect(addTo(m_helpMenu, makeAction("GuidaInLinea", "&Guida in linea")), &QAction::triggered, this,
            [this] { m_host.showHelp(); });
    action(QStringLiteral("GuidaInLinea"))->setShortcut(QKeySequence(Qt::Key_F1));
    connect(addTo(m_helpMenu, makeAction("GuidaMetodo", "&Metodo")), &QAction::triggered, this,
            [this] { m_host.showMethodDescription(kind()); });
    connect(addTo(m_helpMenu, makeAction("GuidaStatistica", "&Parametri fondamentali di statistica")),
            &QAction::triggered, this, [this] { m_host.showStatisticsPrimer(); });
    m_helpMenu->addSeparator();
    connect(addTo(m_helpMenu, makeAction("GuidaICH", "&Normativa di riferimento ICH")), &QAction::triggered,
            this, [this] { m_host.showGuideline(); });
    connect(addTo(m_helpMenu, makeAction("GuidaLibro", "&Testo di riferimento R.Brenzi")),
            &QAction::triggered, this, [this] { m_host.showReferenceBook(); });
    m_helpMenu->addSeparator();
    connect(addTo(m_helpMenu, makeAction("GuidaVerifica", "&Verifica del programma...")), &QAction::triggered,
            this, [this] { m_host.runSelfTest(); });

    // the tab pages by keyboard, as in other tabbed programs
    QAction* nextTab = makeAction("SchedaSeguente", "Scheda seguente");
    nextTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    connect(nextTab, &QAction::triggered, this, [this] { switchTab(1); });
    QAction* previousTab = makeAction("SchedaPrecedente", "Scheda precedente");
    previousTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    connect(previousTab, &QAction::triggered, this, [this] { switchTab(-1); });
}

void StudyWindow::buildToolBar(const StudyWindowOptions& options)
{
    m_toolBar = addToolBar(QStringLiteral("Barra degli strumenti"));
    m_toolBar->setObjectName(QStringLiteral("Toolbar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(20, 20));
    for (const ToolbarEntry& e : kToolbar) {
        if (!e.key) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(e.key);
        if (key == QLatin1String("PrintGraph") && !options.chartPrinting) continue;
        QAction* a = action(QString::fromLatin1(e.action));
        if (!a) continue;
        a->setToolTip(QString::fromUtf8(e.tooltip));
        QIcon icon = m_host.toolbarIcon(key);
        if (icon.isNull()) icon = fallbackIcon(key, style());
        if (!icon.isNull()) a->setIcon(icon);
        m_toolBar->addAction(a);
        m_toolbarActions[key] = a;
        if (icon.isNull())
            if (auto* button = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(a)))
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    // menu items show their captions only; the icons are the toolbar's
    for (auto& [name, a] : m_actions) a->setIconVisibleInMenu(false);
}

void StudyWindow::buildStatusBar(const StudyWindowOptions& options)
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    auto* descr = new StatusPanel(QString(), bar);
    descr->setObjectName(QStringLiteral("DescrBar"));
    bar->addWidget(descr, 1);
    m_panels[QStringLiteral("DescrBar")] = descr;
    auto* format = new StatusPanel(QString(), bar);
    format->setObjectName(QStringLiteral("StatusBar"));
    format->setToolTip(QStringLiteral("Doppio clic per impostare il formato dei numeri"));
    bar->addWidget(format);
    m_panels[QStringLiteral("StatusBar")] = format;
    connect(format, &StatusPanel::doubleClicked, this, [this] { editNumberFormat(); });
    for (const MethodEntry& m : options.methods) {
        const QString key = QString::fromUtf8(KindInfo(m.kind).panelKey);
        auto* panel = new StatusPanel(key, bar);
        panel->setObjectName(key);
        panel->setAlignment(Qt::AlignCenter);
        panel->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
        panel->setSunken(false);
        panel->setEnabled(HasStudyWindow(m.kind));
        bar->addWidget(panel);
        m_panels[key] = panel;
        m_studyPanels.emplace_back(m.kind, panel);
        const StudyKindId kind = m.kind;
        connect(panel, &StatusPanel::clicked, this, [this, kind] { studyPanelClicked(kind); });
    }
    showNumberFormatPanel();
}

QAction* StudyWindow::action(const QString& name) const
{
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* StudyWindow::toolbarAction(const QString& key) const
{
    const auto it = m_toolbarActions.find(key);
    return it == m_toolbarActions.end() ? nullptr : it->second;
}

QList<QMenu*> StudyWindow::menus() const
{
    return {m_fileMenu, m_editMenu, m_toolsMenu, m_methodsMenu, m_windowsMenu, m_helpMenu};
}

StatusPanel* StudyWindow::statusPanel(const QString& key) const
{
    const auto it = m_panels.find(key);
    return it == m_panels.end() ? nullptr : it->second;
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
    auto* frame = new QGroupBox(QStringLiteral("Info"));
    auto* layout = new QGridLayout(frame);
    m_headerFields.clear();
    for (int i = 0; i < m_study->headerFieldCount() && i < 4; ++i) {
        auto* field = new QLineEdit(frame);
        field->setObjectName(QStringLiteral("aInputData%1").arg(i));
        auto* label = new QLabel(QString::fromUtf8(kHeaderLabels[i]), frame);
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
    auto* frame = new QGroupBox(QStringLiteral("Conclusioni"));
    auto* layout = new QVBoxLayout(frame);
    m_conclusion = new QPlainTextEdit(frame);
    m_conclusion->setObjectName(QStringLiteral("cConcl"));
    m_conclusion->setReadOnly(true);
    m_conclusion->setTabChangesFocus(true);  // Tab goes on to the next control, as everywhere else
    layout->addWidget(m_conclusion);
    addResultWidget(m_conclusion);
    setDescription(frame, QStringLiteral("Mostra il testo delle conclusioni"));
    return frame;
}

DataGridView* StudyWindow::createDataGrid(DataGrid& grid, QWidget* parent)
{
    auto* view = new DataGridView(grid, prompts(), parent);
    view->setContextMenu(m_editMenu);
    connect(view, &DataGridView::aboutToEdit, this, &StudyWindow::gridAboutToEdit);
    connect(view, &DataGridView::edited, this, &StudyWindow::gridEdited);
    setDescription(view, QStringLiteral("Griglia per l'inserimento dei dati"));
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
    setDescription(r.frame, QStringLiteral("Mostra i risultati dell'elaborazione"));
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

// --- document commands

StudyWindow::EditRecorder::EditRecorder(StudyWindow& window)
    : m_window(window), m_before(window.captureState())
{
}

StudyWindow::EditRecorder::~EditRecorder()
{
    if (sameState(m_before, m_window.captureState())) return;
    m_window.pushEdit(std::move(m_before), m_window.m_focusSession);
    m_window.dataEdited();
}

EditState StudyWindow::captureState() const
{
    EditState state;
    for (const DataGridView* g : m_grids) state.grids.push_back(g->grid());
    state.dimensions = dimensionValues();
    return state;
}

void StudyWindow::restoreState(const EditState& state)
{
    if (!state.dimensions.empty() && state.dimensions != dimensionValues())
        restoreDimensions(state.dimensions);
    for (std::size_t i = 0; i < m_grids.size() && i < state.grids.size(); ++i) {
        DataGrid& grid = m_grids[i]->grid();
        const NumberFormat format = grid.format();  // a format chosen since stays
        grid = state.grids[i];
        grid.setFormat(format);
        grid.setChanged(true);
    }
    m_study->setResultsCurrent(false);
    showDocument();
    enableDocumentCommands(true);
}

void StudyWindow::pushEdit(EditState before, int mergeKey)
{
    m_undo->push(new EditCommand(*this, std::move(before), captureState(), mergeKey));
}

void StudyWindow::undoOrRedo(bool undo)
{
    if (!commitPendingEdits()) return;
    if (undo)
        m_undo->undo();
    else
        m_undo->redo();
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

// --- edit commands: on the grid or the text field that has the focus

void StudyWindow::cut()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w)) {
        grid->cutBlock();
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly()) line->cut();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        text->isReadOnly() ? text->copy() : text->cut();
    }
}

void StudyWindow::copy()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w))
        grid->copyBlock();
    else if (m_extended && w == m_extended->table())
        m_extended->copySelection();
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        line->copy();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(w))
        text->copy();
}

void StudyWindow::paste()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w)) {
        grid->pasteBlock();
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly()) line->paste();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        if (!text->isReadOnly()) text->paste();
    }
}

void StudyWindow::clearSelection()
{
    QWidget* w = focusWidget();
    if (auto* grid = qobject_cast<DataGridView*>(w)) {
        grid->clearBlock();
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly() && line->hasSelectedText()) line->del();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        if (!text->isReadOnly()) text->textCursor().removeSelectedText();
    }
}

void StudyWindow::updatePasteEnabled()
{
    if (QAction* paste = action(QStringLiteral("ModificaIncolla")))
        paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
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

void StudyWindow::studyPanelClicked(StudyKindId kind)
{
    if (!HasStudyWindow(kind)) return;
    for (auto& [k, panel] : m_studyPanels)
        if (k == kind) panel->setSunken(true);
    m_host.openStudy(kind);
}

void StudyWindow::fillWindowsMenu()
{
    const QList<QAction*> all = m_windowsMenu->actions();
    const auto separatorAt = all.indexOf(m_windowListSeparator);
    for (qsizetype i = separatorAt + 1; i < all.size(); ++i) {
        m_windowsMenu->removeAction(all[i]);
        all[i]->deleteLater();
    }
    int n = 1;
    for (StudyWindow* w : m_host.openStudyWindows()) {
        QAction* a = m_windowsMenu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(
            w->documentTitle().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setCheckable(true);
        a->setChecked(w == this);
        const StudyKindId kind = w->kind();
        connect(a, &QAction::triggered, this, [this, kind] { m_host.openStudy(kind); });
    }
}

void StudyWindow::showNumberFormatPanel()
{
    const NumberFormat& f = m_study->numberFormat();
    m_panels[QStringLiteral("StatusBar")]->setText(
        QStringLiteral("Formato numeri: Interi %1  Decimali %2").arg(f.integers).arg(f.decimals));
}

void StudyWindow::gridAboutToEdit()
{
    // taken again before every operation: one that changed nothing leaves no stale state behind
    m_gridEditBefore = captureState();
}

void StudyWindow::gridEdited()
{
    if (m_gridEditBefore) {
        EditState before = std::move(*m_gridEditBefore);
        m_gridEditBefore.reset();
        if (!sameState(before, captureState())) pushEdit(std::move(before), -1);
    }
    enableDocumentCommands(true);
    dataEdited();
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
        QWidget* page = addTab(QStringLiteral("Statistica estesa"));
        m_extended = new ExtendedStatisticsView(page);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_extended);
        setDescription(m_extended, QStringLiteral("Mostra la statistica estesa dei dati calcolati"));
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
