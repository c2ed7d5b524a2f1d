// The study window's menu bar, toolbar and status bar, and the menus and panels that follow the open windows.
// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "audit/audit_trail.h"
#include "audit/ui/audit_viewer.h"
#include "framework/audited_save.h"
#include "framework/ui/status_panel.h"
#include "framework/ui/study_window.h"
#include "framework/ui/window_list.h"
#include "framework/ui/study_window_host.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

struct ToolbarEntry {
    const char* key;
    const char* action;  // the menu action the button shares; nullptr for a separator
    const char* tooltip;
};

constexpr ToolbarEntry kToolbar[] = {
    {"New", "FileNuovo", QT_TRANSLATE_NOOP("Kestra", "Nuovo file")},
    {"Open", "FileApri", QT_TRANSLATE_NOOP("Kestra", "Apri file")},
    {"Save", "FileSalva", QT_TRANSLATE_NOOP("Kestra", "Salva file")},
    {nullptr, nullptr, nullptr},
    {"Cut", "ModificaTaglia", QT_TRANSLATE_NOOP("Kestra", "Taglia")},
    {"Copy", "ModificaCopia", QT_TRANSLATE_NOOP("Kestra", "Copia")},
    {"Paste", "ModificaIncolla", QT_TRANSLATE_NOOP("Kestra", "Incolla")},
    {nullptr, nullptr, nullptr},
    {"Print", "FileStampa", QT_TRANSLATE_NOOP("Kestra", "Stampa report")},
    {"PrintGraph", "FileStampaGrafico", QT_TRANSLATE_NOOP("Kestra", "Stampa grafico")},
    {nullptr, nullptr, nullptr},
    {"Sum", "StrumentiCalcola", QT_TRANSLATE_NOOP("Kestra", "Calcola risultati")},
    {nullptr, nullptr, nullptr},
    {"Plan", "GuidaMetodo", QT_TRANSLATE_NOOP("Kestra", "Descrizione metodo")},
    {"StatPar", "GuidaStatistica", QT_TRANSLATE_NOOP("Kestra", "Parametri statistica")},
    {"Help", "GuidaInLinea", QT_TRANSLATE_NOOP("Kestra", "Guida")},
    {nullptr, nullptr, nullptr},
    {"ICH", "GuidaICH", QT_TRANSLATE_NOOP("Kestra", "Normativa di riferimento ICH")},
    {"Libro", "GuidaLibro", QT_TRANSLATE_NOOP("Kestra", "Testo di riferimento R.Brenzi")},
    {nullptr, nullptr, nullptr},
    {"Exit", "FileChiudi", QT_TRANSLATE_NOOP("Kestra", "Chiudi")},
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

}  // namespace

std::vector<MethodEntry> MethodEntries(StudyKindId self)
{
    static const std::pair<StudyKindId, const char*> all[] = {
        {StudyKindId::Limi, QT_TRANSLATE_NOOP("Kestra", "&Limite rilevazione e determinazione...")},
        {StudyKindId::Spec, QT_TRANSLATE_NOOP("Kestra", "&Specificità...")},
        {StudyKindId::Tara, QT_TRANSLATE_NOOP("Kestra", "&Taratura...")},
        {StudyKindId::Prec, QT_TRANSLATE_NOOP("Kestra", "&Ripetibilità...")},
        {StudyKindId::Accu, QT_TRANSLATE_NOOP("Kestra", "&Accuratezza...")},
        {StudyKindId::Ripr, QT_TRANSLATE_NOOP("Kestra", "&Riproducibilità...")},
        {StudyKindId::Prin, QT_TRANSLATE_NOOP("Kestra", "Precisione &intermedia...")},
    };
    std::vector<MethodEntry> entries;
    for (const auto& [kind, caption] : all)
        if (kind != self) entries.push_back({kind, Ui::tr(caption)});
    return entries;
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

    m_fileMenu = bar->addMenu(Ui::tr("&File"));
    connect(addTo(m_fileMenu, makeAction("FileNuovo", Ui::tr("&Nuovo"))), &QAction::triggered, this,
            [this] { newDocument(); });
    connect(addTo(m_fileMenu, makeAction("FileApri", Ui::tr("&Apri..."))), &QAction::triggered, this,
            [this] { openStudyFile(); });
    connect(addTo(m_fileMenu, makeAction("FileSalva", Ui::tr("&Salva"))), &QAction::triggered, this,
            [this] { saveStudyFile(); });
    action(QStringLiteral("FileNuovo"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    action(QStringLiteral("FileApri"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    action(QStringLiteral("FileSalva"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(addTo(m_fileMenu, makeAction("FileSalvaNome", Ui::tr("Salva con &nome..."))), &QAction::triggered, this,
            [this] { saveStudyFileAs(); });
    QAction* reason = addTo(m_fileMenu, makeAction("FileMotivo", Ui::tr("Chiedi il &motivo a ogni salvataggio")));
    reason->setCheckable(true);
    connect(reason, &QAction::toggled, this, [](bool on) { SetAskSaveReason(on); });
    // one choice for every window until the program closes: shown as it stands whenever the menu opens
    connect(m_fileMenu, &QMenu::aboutToShow, reason, [reason] { reason->setChecked(AskSaveReason()); });
    m_fileMenu->addSeparator();
    connect(addTo(m_fileMenu, makeAction("FileFirma", Ui::tr("Fi&rma..."))), &QAction::triggered, this,
            [this] { m_commands.signStudyFile(); });
    connect(addTo(m_fileMenu, makeAction("FileCronologia", Ui::tr("Crono&logia del file..."))), &QAction::triggered,
            this, [this] { showFileHistory(true); });
    m_fileMenu->addSeparator();
    connect(addTo(m_fileMenu, makeAction("FileNuovaConvalida", Ui::tr("N&uova convalida..."))), &QAction::triggered,
            this, [this] { m_host.newValidationDossier(); });
    connect(addTo(m_fileMenu, makeAction("FileApriConvalida", Ui::tr("Apri con&valida..."))), &QAction::triggered,
            this, [this] { m_host.openValidationDossier(); });
    m_fileMenu->addSeparator();
    connect(addTo(m_fileMenu, makeAction("FileStampa", Ui::tr("&Stampa..."))), &QAction::triggered, this,
            [this] { printReport(); });
    action(QStringLiteral("FileStampa"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    if (options.chartPrinting)
        connect(addTo(m_fileMenu, makeAction("FileStampaGrafico", Ui::tr("Stampa &grafico..."))), &QAction::triggered,
                this, [this] { printCharts(); });
    connect(addTo(m_fileMenu, makeAction("FileImpostaStampante", Ui::tr("&Imposta stampante..."))),
            &QAction::triggered, this, [this] { m_host.printerSetup(); });
    m_fileMenu->addSeparator();
    connect(addTo(m_fileMenu, makeAction("FileChiudi", Ui::tr("&Chiudi"))), &QAction::triggered, this, [this] {
        // inside the main window the frame closes, which asks this window first (closeEvent)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });

    m_editMenu = bar->addMenu(Ui::tr("&Modifica"));
    QAction* cutAction = makeAction("ModificaTaglia", Ui::tr("&Taglia"));
    cutAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    QAction* copyAction = makeAction("ModificaCopia", Ui::tr("&Copia"));
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    QAction* pasteAction = makeAction("ModificaIncolla", Ui::tr("&Incolla"));
    pasteAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    QAction* clearAction = makeAction("ModificaCancella", Ui::tr("Ca&ncella"));
    clearAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    for (QAction* a : {cutAction, copyAction, pasteAction, clearAction}) m_editMenu->addAction(a);
    connect(cutAction, &QAction::triggered, this, [this] { cut(); });
    connect(copyAction, &QAction::triggered, this, [this] { copy(); });
    connect(pasteAction, &QAction::triggered, this, [this] { paste(); });
    connect(clearAction, &QAction::triggered, this, [this] { clearSelection(); });
    // undo and redo come after the four items of the menu
    m_editMenu->addSeparator();
    QAction* undoAction = addTo(m_editMenu, makeAction("ModificaAnnulla", Ui::tr("&Annulla", "modifica")));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction->setEnabled(false);
    QAction* redoAction = addTo(m_editMenu, makeAction("ModificaRipeti", Ui::tr("&Ripeti")));
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redoAction->setEnabled(false);
    connect(undoAction, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(redoAction, &QAction::triggered, this, [this] { undoOrRedo(false); });
    connect(m_undo, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(m_undo, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    connect(m_editMenu, &QMenu::aboutToShow, this, &StudyWindow::updatePasteEnabled);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &StudyWindow::updatePasteEnabled);
    updatePasteEnabled();

    m_toolsMenu = bar->addMenu(Ui::tr("&Strumenti"));
    connect(addTo(m_toolsMenu, makeAction("StrumentiCalcola", Ui::tr("&Calcola"))), &QAction::triggered, this,
            [this] { calculate(); });
    action(QStringLiteral("StrumentiCalcola"))->setShortcut(QKeySequence(Qt::Key_F9));
    m_toolsMenu->addSeparator();
    connect(addTo(m_toolsMenu, makeAction("StrumentiFormato", Ui::tr("&Setup formato numeri..."))),
            &QAction::triggered, this, [this] { editNumberFormat(); });

    m_methodsMenu = bar->addMenu(Ui::tr("M&etodi"));
    for (const MethodEntry& m : options.methods) {
        QAction* a =
            makeAction(QStringLiteral("Metodi") + QString::fromUtf8(KindInfo(m.kind).windowName), m.caption);
        // studies whose window is not built yet stay visible but disabled
        a->setEnabled(m_host.hasStudyWindow(m.kind));
        const StudyKindId kind = m.kind;
        connect(a, &QAction::triggered, this, [this, kind] { m_host.openStudy(kind); });
        m_methodsMenu->addAction(a);
    }

    m_windowsMenu = bar->addMenu(Ui::tr("&Finestre"));
    const std::pair<const char*, std::pair<const char*, WindowArrangement>> arrangements[] = {
        {"MnuFinestreTileH", {QT_TRANSLATE_NOOP("Kestra", "Affianca &orizzontalmente"), WindowArrangement::TileHorizontally}},
        {"MnuFinestreTileV", {QT_TRANSLATE_NOOP("Kestra", "Affianca &verticalmente"), WindowArrangement::TileVertically}},
        {"MnuFinestreCascade", {QT_TRANSLATE_NOOP("Kestra", "&Sovrapponi"), WindowArrangement::Cascade}},
        {"MnuFinestreArrange", {QT_TRANSLATE_NOOP("Kestra", "&Disponi icone"), WindowArrangement::ArrangeIcons}},
    };
    for (const auto& [name, entry] : arrangements) {
        const WindowArrangement arrangement = entry.second;
        connect(addTo(m_windowsMenu, makeAction(name, Ui::tr(entry.first))), &QAction::triggered, this,
                [this, arrangement] { m_host.arrangeWindows(arrangement); });
    }
    m_windowListSeparator = m_windowsMenu->addSeparator();
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &StudyWindow::fillWindowsMenu);

    m_helpMenu = bar->addMenu(QStringLiteral("&?"));
    connect(addTo(m_helpMenu, makeAction("GuidaInLinea", Ui::tr("&Guida in linea"))), &QAction::triggered, this,
            [this] { m_host.showHelp(); });
    action(QStringLiteral("GuidaInLinea"))->setShortcut(QKeySequence(Qt::Key_F1));
    connect(addTo(m_helpMenu, makeAction("GuidaMetodo", Ui::tr("&Metodo"))), &QAction::triggered, this,
            [this] { m_host.showMethodDescription(kind()); });
    connect(addTo(m_helpMenu, makeAction("GuidaStatistica", Ui::tr("&Parametri fondamentali di statistica"))),
            &QAction::triggered, this, [this] { m_host.showStatisticsPrimer(); });
    m_helpMenu->addSeparator();
    connect(addTo(m_helpMenu, makeAction("GuidaICH", Ui::tr("&Normativa di riferimento ICH"))), &QAction::triggered,
            this, [this] { m_host.showGuideline(); });
    connect(addTo(m_helpMenu, makeAction("GuidaLibro", Ui::tr("&Testo di riferimento R.Brenzi"))),
            &QAction::triggered, this, [this] { m_host.showReferenceBook(); });
    m_helpMenu->addSeparator();
    connect(addTo(m_helpMenu, makeAction("GuidaRegistro", Ui::tr("&Registro delle modifiche..."))), &QAction::triggered,
            this, [this] { showFileHistory(false); });
    connect(addTo(m_helpMenu, makeAction("GuidaVerifica", Ui::tr("&Verifica del programma..."))), &QAction::triggered,
            this, [this] { m_host.runSelfTest(); });

    // the tab pages by keyboard, as in other tabbed programs
    QAction* nextTab = makeAction("SchedaSeguente", Ui::tr("Scheda seguente"));
    nextTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    connect(nextTab, &QAction::triggered, this, [this] { switchTab(1); });
    QAction* previousTab = makeAction("SchedaPrecedente", Ui::tr("Scheda precedente"));
    previousTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    connect(previousTab, &QAction::triggered, this, [this] { switchTab(-1); });
}

void StudyWindow::buildToolBar(const StudyWindowOptions& options)
{
    m_toolBar = addToolBar(Ui::tr("Barra degli strumenti"));
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
        a->setToolTip(Ui::tr(e.tooltip));
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
    format->setToolTip(Ui::tr("Doppio clic per impostare il formato dei numeri"));
    bar->addWidget(format);
    m_panels[QStringLiteral("StatusBar")] = format;
    connect(format, &StatusPanel::doubleClicked, this, [this] { editNumberFormat(); });
    for (const MethodEntry& m : options.methods) {
        const QString key = QString::fromUtf8(KindInfo(m.kind).panelKey);
        auto* panel = new StatusPanel(ScreenText(KindInfo(m.kind).panelKey), bar);
        panel->setObjectName(key);
        panel->setAlignment(Qt::AlignCenter);
        panel->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
        panel->setSunken(false);
        panel->setEnabled(m_host.hasStudyWindow(m.kind));
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

void StudyWindow::studyPanelClicked(StudyKindId kind)
{
    if (!m_host.hasStudyWindow(kind)) return;
    for (auto& [k, panel] : m_studyPanels)
        if (k == kind) panel->setSunken(true);
    m_host.openStudy(kind);
}

void StudyWindow::fillWindowsMenu()
{
    ClearWindowList(m_windowsMenu, m_windowListSeparator);
    int n = 1;
    for (StudyWindow* w : m_host.openStudyWindows()) {
        QAction* a = AddWindowListEntry(m_windowsMenu, n++, w->documentTitle());
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
        Ui::tr("Formato numeri: Interi %1  Decimali %2").arg(f.integers).arg(f.decimals));
}

void StudyWindow::showFileHistory(bool thisFile)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) {
        prompts().critical(Ui::tr("Il registro delle modifiche non è disponibile.").toStdString());
        return;
    }
    const std::string file = thisFile ? m_study->loadFileName() : std::string();
    AuditViewer viewer(trail, prompts(), file.empty() ? QString() : QString::fromStdString(TrailPath(file)), this);
    viewer.exec();
}

}  // namespace kestra
