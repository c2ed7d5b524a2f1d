// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QUrl>

#include "app/app_settings.h"
#include "app/audit_setup.h"
#include "app/backup.h"
#include "app/startup_config.h"
#include "app/ui/about_box.h"
#include "app/ui/background_area.h"
#include "app/ui/help_viewer.h"
#include "app/ui/self_test_command.h"
#include "app/ui/shell_icons.h"
#include "app/user_folders.h"
#include "audit/audit_trail.h"
#include "audit/ui/audit_viewer.h"
#include "dossier/ui/dossier_window.h"
#include "framework/number_pattern.h"
#include "framework/prompts.h"
#include "framework/services.h"
#include "framework/ui/dialog_folders.h"
#include "framework/ui/fixed_dialog.h"
#include "framework/ui/qt_prompts.h"
#include "framework/ui/window_list.h"
#include "framework/ui/study_window.h"
#include "framework/ui/ui_text.h"
#include "reporting/f_table.h"
#include "reporting/report_database_check.h"
#include "reporting/report_settings.h"
#include "reporting/ui/chart_print_dialog.h"
#include "reporting/ui/company_data_dialog.h"
#include "reporting/ui/print_command.h"
#include "studies/ui/study_window_factory.h"
#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra {

namespace {

constexpr const char* kHelpFile = "Kestra2006.html";
constexpr const char* kStatisticsPrimer = "Stat.html";

QString fromUtf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The user's decimal separator: the character between 1 and 5 when 1.5 is written the user's way.
char LocaleDecimalSeparator()
{
    const QString written = QLocale().toString(1.5, 'f', 1);
    return written.size() == 3 && written[1] == QLatin1Char(',') ? ',' : '.';
}

}  // namespace

ShellEnvironment ShellEnvironment::fromSystem()
{
    const StartupPaths paths = SystemStartupPaths();
    ShellEnvironment env;
    env.documentsFolder = QString::fromStdString(paths.documentsFolder);
    env.programFolder = QString::fromStdString(paths.programFolder);
    env.createDocumentsFolder = paths.createDocumentsFolder;
    return env;
}

Kestra::Kestra(ShellEnvironment environment, Prompts* prompts, QWidget* parent)
    : QMainWindow(parent), m_env(std::move(environment)), m_prompts(prompts)
{
    setObjectName(QStringLiteral("Kestra"));
    setWindowTitle(fromUtf8(kApplicationTitle));
    setWindowIcon(ProgramIcon());
    resize(1200, 800);
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<QtPrompts>(
            this, [] { return QString::fromStdString(CurrentAppSettings().openSaveFolder); });
        m_prompts = m_ownPrompts.get();
    }
    m_runDialog = [](QDialog& dialog) { return dialog.exec(); };
    m_browseFolder = &BrowseForFolder;
    m_openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    m_mdi = new BackgroundArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiArea"));
    m_mdi->viewport()->installEventFilter(this);
    // windows tiled at their minimum size may not all fit: the area scrolls
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &Kestra::subWindowActivated);

    buildMenus();
    updateMenuBar();
}

Kestra::~Kestra()
{
    // The study windows talk to this host while they go, so they go first, without the menu bookkeeping
    // their departure would otherwise start.
    m_tearingDown = true;
    const auto subWindows = std::move(m_subWindows);
    m_subWindows.clear();
    for (const auto& sub : subWindows) delete sub.data();
    // the trail belongs to this run's data folder; a later window (a test's) opens its own
    if (m_ownsAuditTrail) SetAuditTrail(nullptr);
}

StudyWindow* Kestra::menuOwner() const
{
    return qobject_cast<StudyWindow*>(m_menuOwner.data());
}

HelpWindow* Kestra::helpWindow() const
{
    return qobject_cast<HelpWindow*>(m_help.data());
}

bool Kestra::start()
{
    SetUserDecimalSeparator(LocaleDecimalSeparator());
    const StartupResult result = RunStartupConfiguration(
        {m_env.documentsFolder.toStdString(), m_env.programFolder.toStdString(), m_env.createDocumentsFolder},
        [this](const ShellMessage& m) { showShellMessage(m); });
    if (!result.ok) return false;
    SetCurrentAppSettings(result.settings);
    SetStudyFolderSource([] { return QString::fromStdString(CurrentAppSettings().openSaveFolder); });
    SetReportDatabasePath(result.settings.databasePath);
    SetTemplateDatabasePath(result.settings.templateDatabasePath);
    SetReportLogoPath(result.settings.logoPath);
    SetFTableLookup(std::make_shared<DatabaseFTable>(result.settings.databasePath));
    InstallUserAuditTrail(result.settings, [this](const ShellMessage& m) { showShellMessage(m); });
    m_ownsAuditTrail = true;
    // a damaged report database is said at once (the F table is in it too); the program runs either way
    if (result.database.state == DatabaseCheck::State::Damaged)
        EnsureUsableReportDatabase(result.settings.databasePath, result.settings.templateDatabasePath,
                                   prompts());
    return true;
}

// --- menus

QAction* Kestra::makeAction(QMenu* menu, const QString& name, const QString& text)
{
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    menu->addAction(a);
    m_actions[name] = a;
    return a;
}

QAction* Kestra::action(const QString& name) const
{
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

void Kestra::buildMenus()
{
    auto* file = new QMenu(Ui::tr("&File"), this);
    connect(makeAction(file, QStringLiteral("FileNuovaConvalida"), Ui::tr("&Nuova convalida...")),
            &QAction::triggered, this, [this] { newDossier(); });
    connect(makeAction(file, QStringLiteral("FileApriConvalida"), Ui::tr("Apri &convalida...")),
            &QAction::triggered, this, [this] { openDossier(); });
    file->addSeparator();
    QAction* company = makeAction(file, QStringLiteral("FileAnagrafica"), Ui::tr("&Anagrafica Azienda"));
    connect(company, &QAction::triggered, this, &Kestra::showCompanyData);
    connect(makeAction(file, QStringLiteral("FileOpzioni"), Ui::tr("Opzioni")), &QAction::triggered, this,
            &Kestra::showOptions);
    file->addSeparator();
    connect(makeAction(file, QStringLiteral("FileBackup"), Ui::tr("Backup dati")), &QAction::triggered, this,
            [this] { backupStudyFiles(false); });
    file->addSeparator();
    connect(makeAction(file, QStringLiteral("FileUscita"), Ui::tr("&Uscita")), &QAction::triggered, this,
            &QWidget::close);

    auto* methods = new QMenu(Ui::tr("&Metodi"), this);
    auto addMethod = [this](QMenu* menu, StudyKindId kind, const char* caption) {
        QAction* a =
            makeAction(menu, QStringLiteral("Metodi") + fromUtf8(KindInfo(kind).windowName), Ui::tr(caption));
        // Studies whose window is not built yet stay listed but cannot be chosen.
        a->setEnabled(HasStudyWindow(kind));
        connect(a, &QAction::triggered, this, [this, kind] { openStudy(kind); });
    };
    addMethod(methods, StudyKindId::Spec, QT_TRANSLATE_NOOP("Kestra", "&Specificità"));
    addMethod(methods, StudyKindId::Tara, QT_TRANSLATE_NOOP("Kestra", "&Taratura"));
    QMenu* precision = methods->addMenu(Ui::tr("&Precisione"));
    precision->setObjectName(QStringLiteral("MetodiPrecisione"));
    addMethod(precision, StudyKindId::Prec, QT_TRANSLATE_NOOP("Kestra", "&Ripetibilità"));
    addMethod(precision, StudyKindId::Prin, QT_TRANSLATE_NOOP("Kestra", "Precisione &intermedia"));
    addMethod(precision, StudyKindId::Ripr, QT_TRANSLATE_NOOP("Kestra", "&Riproducibilità"));
    addMethod(methods, StudyKindId::Accu, QT_TRANSLATE_NOOP("Kestra", "&Accuratezza"));
    addMethod(methods, StudyKindId::Limi,
              QT_TRANSLATE_NOOP("Kestra", "&Limite rilevazione e determinazione "));

    m_windowsMenu = new QMenu(Ui::tr("&Finestre"), this);
    const std::pair<const char*, std::pair<const char*, WindowArrangement>> arrangements[] = {
        {"MnuFinestreTileH",
         {QT_TRANSLATE_NOOP("Kestra", "Affianca &orizzontalmente"), WindowArrangement::TileHorizontally}},
        {"MnuFinestreTileV",
         {QT_TRANSLATE_NOOP("Kestra", "Affianca &verticalmente"), WindowArrangement::TileVertically}},
        {"MnuFinestreCascade", {QT_TRANSLATE_NOOP("Kestra", "&Sovrapponi"), WindowArrangement::Cascade}},
        {"MnuFinestreArrange",
         {QT_TRANSLATE_NOOP("Kestra", "&Disponi icone"), WindowArrangement::ArrangeIcons}},
    };
    for (const auto& [name, entry] : arrangements) {
        const WindowArrangement arrangement = entry.second;
        connect(makeAction(m_windowsMenu, fromUtf8(name), Ui::tr(entry.first)), &QAction::triggered, this,
                [this, arrangement] { arrangeWindows(arrangement); });
    }
    m_windowListSeparator = m_windowsMenu->addSeparator();
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &Kestra::fillWindowsMenu);

    auto* help = new QMenu(QStringLiteral("&?"), this);
    connect(makeAction(help, QStringLiteral("GuidaInLinea"), Ui::tr("&Guida in linea")), &QAction::triggered,
            this, &Kestra::showHelp);
    action(QStringLiteral("GuidaInLinea"))->setShortcut(QKeySequence(Qt::Key_F1));
    connect(makeAction(help, QStringLiteral("GuidaICH"), Ui::tr("&Normativa di riferimento ICH")),
            &QAction::triggered, this, &Kestra::showGuideline);
    connect(makeAction(help, QStringLiteral("GuidaLibro"), Ui::tr("&Testo di riferimento R.Brenzi")),
            &QAction::triggered, this, &Kestra::showReferenceBook);
    help->addSeparator();
    connect(makeAction(help, QStringLiteral("GuidaInformazioni"), Ui::tr("Informazioni su Kestra 2006")),
            &QAction::triggered, this, &Kestra::showAbout);
    help->addSeparator();
    connect(makeAction(help, QStringLiteral("GuidaRegistro"), Ui::tr("&Registro delle modifiche...")),
            &QAction::triggered, this, [this] { showAuditTrail(); });
    connect(makeAction(help, QStringLiteral("GuidaVerifica"), Ui::tr("&Verifica del programma...")),
            &QAction::triggered, this, &Kestra::runSelfTest);

    m_mainMenus = {file, methods, m_windowsMenu, help};
}

// The menu bar shows the current study window's menus, or the main menus when no study window is open.
void Kestra::updateMenuBar()
{
    if (m_tearingDown) return;
    if (showDossierMenus()) return;
    StudyWindow* owner = nullptr;
    const auto open = openSubWindows();
    if (QMdiSubWindow* current = m_mdi->currentSubWindow();
        current && std::find(open.begin(), open.end(), current) != open.end())
        owner = qobject_cast<StudyWindow*>(current->widget());
    // Focus leaving the program clears the current window but must not change the menus.
    if (!owner && menuOwner() && isWindowOpen(menuOwner()->kind())) owner = menuOwner();
    if (!owner && !open.empty()) owner = qobject_cast<StudyWindow*>(open.back()->widget());

    if (owner == menuOwner() && (owner || m_mainMenusShown)) {
        m_windowsMenu->menuAction()->setVisible(!open.empty());
        return;
    }
    QMenuBar* bar = menuBar();
    for (QAction* a : bar->actions()) bar->removeAction(a);
    m_menuOwner = owner;
    m_mainMenusShown = !owner;
    if (owner) {
        owner->menuBar()->hide();
        for (QMenu* menu : owner->menus()) bar->addMenu(menu);
    } else {
        // a hidden menu would still take its Alt key (Alt+F is "&File"): it is left out instead
        for (QMenu* menu : m_mainMenus)
            if (menu != m_windowsMenu || !open.empty()) bar->addMenu(menu);
    }
    m_windowsMenu->menuAction()->setVisible(!open.empty());
}

bool Kestra::showDossierMenus()
{
    QMdiSubWindow* current = m_mdi->currentSubWindow();
    auto* dossier = current ? qobject_cast<DossierWindow*>(current->widget()) : nullptr;
    if (!dossier) return false;
    const auto open = openSubWindows();
    m_windowsMenu->menuAction()->setVisible(true);
    if (m_menuOwner == dossier) return true;
    QMenuBar* bar = menuBar();
    for (QAction* a : bar->actions()) bar->removeAction(a);
    m_menuOwner = dossier;
    m_mainMenusShown = false;
    dossier->menuBar()->hide();
    for (QMenu* menu : dossier->menus()) bar->addMenu(menu);
    for (QMenu* menu : m_mainMenus)
        if (menu != m_mainMenus.front()) bar->addMenu(menu);
    return true;
}

void Kestra::fillWindowsMenu()
{
    ClearWindowList(m_windowsMenu, m_windowListSeparator);
    int n = 1;
    for (StudyWindow* w : openStudyWindows()) {
        QAction* a = AddWindowListEntry(m_windowsMenu, n++, w->documentTitle());
        const StudyKindId kind = w->kind();
        connect(a, &QAction::triggered, this, [this, kind] { openStudy(kind); });
    }
    for (DossierWindow* w : openDossierWindows()) {
        QAction* a = AddWindowListEntry(m_windowsMenu, n++, w->documentTitle());
        connect(a, &QAction::triggered, this, [this, w] {
            for (QMdiSubWindow* sub : openSubWindows())
                if (sub->widget() == w) {
                    if (sub->isMinimized()) sub->showNormal();
                    m_mdi->setActiveSubWindow(sub);
                }
        });
    }
}

void Kestra::subWindowActivated(QMdiSubWindow* sub)
{
    if (m_tearingDown) return;
    if (sub)
        if (auto* w = qobject_cast<StudyWindow*>(sub->widget())) w->activated();
    updateMenuBar();
}

// --- study windows

std::vector<QMdiSubWindow*> Kestra::openSubWindows() const
{
    std::vector<QMdiSubWindow*> open;
    // A closed frame lingers until its deferred deletion; hidden means closed.
    for (const auto& sub : m_subWindows)
        if (sub && sub->widget() && !sub->isHidden()) open.push_back(sub);
    return open;
}

QMdiSubWindow* Kestra::subWindowOf(StudyKindId kind) const
{
    for (QMdiSubWindow* sub : openSubWindows())
        if (auto* w = qobject_cast<StudyWindow*>(sub->widget()); w && w->kind() == kind) return sub;
    return nullptr;
}

StudyWindow* Kestra::studyWindow(StudyKindId kind) const
{
    QMdiSubWindow* sub = subWindowOf(kind);
    return sub ? qobject_cast<StudyWindow*>(sub->widget()) : nullptr;
}

bool Kestra::hasStudyWindow(StudyKindId kind) const
{
    return HasStudyWindow(kind);
}

bool Kestra::isWindowOpen(StudyKindId kind) const
{
    return subWindowOf(kind) != nullptr;
}

std::vector<StudyWindow*> Kestra::openStudyWindows() const
{
    std::vector<StudyWindow*> windows;
    for (QMdiSubWindow* sub : openSubWindows())
        if (auto* w = qobject_cast<StudyWindow*>(sub->widget())) windows.push_back(w);
    return windows;
}

void Kestra::openStudy(StudyKindId kind)
{
    if (QMdiSubWindow* sub = subWindowOf(kind)) {
        if (sub->isMinimized()) sub->showNormal();
        m_mdi->setActiveSubWindow(sub);
        sub->raise();
        return;
    }
    std::unique_ptr<StudyWindow> window = CreateStudyWindow(kind, *this);
    if (!window) return;
    StudyWindow* w = window.release();
    addSubWindow(w);
    w->activated();
    updateMenuBar();
}

QMdiSubWindow* Kestra::addSubWindow(QWidget* w)
{
    w->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_mdi->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    m_subWindows.emplace_back(sub);
    // While `destroyed` is emitted the frame is half destroyed and its pointer not yet cleared: the list and
    // the menus are brought up to date once it is gone.
    connect(sub, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_tearingDown) return;
            std::erase_if(m_subWindows, [](const QPointer<QMdiSubWindow>& p) { return p.isNull(); });
            updateMenuBar();
        });
    });
    sub->showMaximized();
    m_mdi->setActiveSubWindow(sub);
    return sub;
}

// --- validation dossiers

std::vector<DossierWindow*> Kestra::openDossierWindows() const
{
    std::vector<DossierWindow*> windows;
    for (QMdiSubWindow* sub : openSubWindows())
        if (auto* w = qobject_cast<DossierWindow*>(sub->widget())) windows.push_back(w);
    return windows;
}

DossierWindow* Kestra::newDossier()
{
    DossierWindowHost host;
    host.prompts = [this]() -> Prompts& { return prompts(); };
    host.openStudy = [this](const std::filesystem::path& path) { openFile(QString::fromStdString(path.string())); };
    host.unsavedStudies = [this] {
        std::vector<std::filesystem::path> unsaved;
        for (StudyWindow* w : openStudyWindows())
            if (w->study().isModified() && !w->study().loadFileName().empty())
                unsaved.emplace_back(w->study().loadFileName());
        return unsaved;
    };
    host.newDossier = [this] { newDossier(); };
    host.openDossier = [this] { openDossier(); };
    auto* w = new DossierWindow(std::move(host));
    addSubWindow(w);
    updateMenuBar();
    return w;
}

bool Kestra::openDossier()
{
    const auto path = prompts().chooseDossierPath(DossierFileDialog::Open);
    return path && openDossierFile(*path);
}

bool Kestra::openDossierFile(const std::filesystem::path& path)
{
    std::error_code ec;
    for (DossierWindow* w : openDossierWindows())
        if (!w->filePath().empty() && std::filesystem::equivalent(w->filePath(), path, ec)) {
            for (QMdiSubWindow* sub : openSubWindows())
                if (sub->widget() == w) m_mdi->setActiveSubWindow(sub);
            return true;
        }
    DossierWindow* w = newDossier();
    if (w->openFile(path)) return true;
    for (QMdiSubWindow* sub : openSubWindows())
        if (sub->widget() == w) sub->close();
    return false;
}

bool Kestra::openFile(const QString& path)
{
    if (IsDossierFile(path.toStdString())) return openDossierFile(QFileInfo(path).absoluteFilePath().toStdString());
    const auto kind = KindFromExtension(QFileInfo(path).suffix().toStdString());
    if (!kind || !HasStudyWindow(*kind)) {
        prompts().warning(Ui::tr("Il file %1 non è un file di studio che questa versione sa aprire.")
                              .arg(path)
                              .toStdString());
        return false;
    }
    openStudy(*kind);
    StudyWindow* w = studyWindow(*kind);
    return w && w->openStudyFile(QFileInfo(path).absoluteFilePath());
}

void Kestra::arrangeWindows(WindowArrangement arrangement)
{
    switch (arrangement) {
        case WindowArrangement::TileHorizontally:
            tileWindows(true);
            break;
        case WindowArrangement::TileVertically:
            tileWindows(false);
            break;
        case WindowArrangement::Cascade:
            m_mdi->cascadeSubWindows();
            break;
        case WindowArrangement::ArrangeIcons:
            arrangeIcons();
            break;
    }
}

// Tiling "horizontally" gives wide windows one above another; "vertically", tall windows side by side.
// Each window keeps at least its minimum size (toolbar, tabs and some of its page): with many windows the
// area scrolls instead of squashing them.
void Kestra::tileWindows(bool oneAboveAnother)
{
    std::vector<QMdiSubWindow*> tiled;
    for (QMdiSubWindow* sub : openSubWindows())
        if (!sub->isMinimized()) tiled.push_back(sub);
    if (tiled.empty()) return;
    for (QMdiSubWindow* sub : tiled) sub->showNormal();
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(tiled.size());
    int least = 0;
    for (QMdiSubWindow* sub : tiled) {
        const QSize minimum = sub->minimumSizeHint().expandedTo(sub->minimumSize());
        least = std::max(least, oneAboveAnother ? minimum.height() : minimum.width());
    }
    const int length = oneAboveAnother ? area.height() : area.width();
    const bool fits = least * n <= length;
    // when the area scrolls, its scroll bar takes room from the other side
    const int bar = fits ? 0 : m_mdi->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_mdi);
    const QRect across = oneAboveAnother ? area.adjusted(0, 0, -bar, 0) : area.adjusted(0, 0, 0, -bar);
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = tiled[static_cast<std::size_t>(i)];
        const int start = fits ? length * i / n : least * i;
        const int end = fits ? length * (i + 1) / n : least * (i + 1);
        sub->setGeometry(oneAboveAnother ? QRect(0, start, across.width(), end - start)
                                         : QRect(start, 0, end - start, across.height()));
    }
}

// Lines the minimised windows up along the bottom edge, left to right.
void Kestra::arrangeIcons()
{
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* sub : openSubWindows()) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        sub->move(x, y - size.height());
        x += size.width();
    }
}

// --- closing

void Kestra::closeEvent(QCloseEvent* event)
{
    // The backup comes first, so what is saved in answer to the questions below is not in it.
    if (CurrentAppSettings().autoBackup()) backupStudyFiles(true);
    for (QMdiSubWindow* sub : openSubWindows()) {
        if (!sub->close()) {
            event->ignore();
            return;
        }
    }
    if (m_help) m_help->close();
    event->accept();
}

// --- file menu

void Kestra::showCompanyData()
{
    if (!ReportDatabasePath().empty() &&
        !EnsureUsableReportDatabase(ReportDatabasePath(), TemplateDatabasePath(), prompts()))
        return;
    ShowCompanyDataDialog(this);
}

void Kestra::showOptions()
{
    frmOpzioni dialog(prompts(), m_browseFolder, this);
    runDialog(dialog);
}

void Kestra::backupStudyFiles(bool silent)
{
    const AppSettings& s = CurrentAppSettings();
    BackupReport report;
    {
        BusyPointer busy(prompts());
        report = BackupStudyFiles(s.openSaveFolder, s.backupFolder, [] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    AuditEntry entry;
    entry.action = audit_action::kBackup;
    entry.objectPath = TrailPath(s.backupFolder);
    entry.detail =
        "Da " + s.openSaveFolder + ": " + std::to_string(report.copied) + " file copiati" +
        (report.ok() ? std::string() : ", " + std::to_string(report.failures.size()) + " non copiati");
    const std::string trailFault = RecordAction(std::move(entry));
    if (!report.ok())
        prompts().critical(BackupFailureText(report));
    else if (!silent)
        prompts().information(Msg(kBackupDoneMessage));
    if (!trailFault.empty()) prompts().warning(trailFault);
}

void Kestra::showAuditTrail(const QString& file)
{
    std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) {
        prompts().critical(Ui::tr("Il registro delle modifiche non è disponibile.").toStdString());
        return;
    }
    AuditViewer viewer(std::move(trail), prompts(), file, this);
    runDialog(viewer);
}

void Kestra::runSelfTest()
{
    // the database the calculations read, and the reference set installed beside the program
    RunSelfTestCommand(prompts(), ReferenceFolder(m_env.programFolder.toStdString()), ReportDatabasePath(),
                       ReportLogoPath());
}

void Kestra::showAbout()
{
    AboutBox box(this);
    runDialog(box);
}

// --- help documents

QString Kestra::programFile(const QString& relative) const
{
    return m_env.programFolder + QLatin1Char('/') + relative;
}

// The English interface reads "NAME_en.EXT" beside "NAME.EXT" where there is one.
QString Kestra::helpDocument(const QString& relative) const
{
    if (InterfaceIsEnglish()) {
        const QFileInfo info(relative);
        const QString english = programFile(info.completeBaseName() + QStringLiteral("_en.") + info.suffix());
        if (QFileInfo(english).isFile()) return english;
    }
    return programFile(relative);
}

void Kestra::showHelp()
{
    const QString path = helpDocument(fromUtf8(kHelpFile));
    if (!QFileInfo(path).isFile()) {
        prompts().warning(Ui::tr("Impossibile trovare il file della guida %1").arg(path).toStdString());
        return;
    }
    if (!m_help) m_help = new HelpWindow(this);
    helpWindow()->showContents(path);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void Kestra::showTextViewer(const QString& caption, const QString& text, bool html)
{
    WinGui viewer(this);
    if (html)
        viewer.setHtmlDocument(caption, text, m_env.programFolder);
    else
        viewer.setPlainDocument(caption, text);
    runDialog(viewer);
}

void Kestra::showMethodDescription(StudyKindId kind)
{
    const StudyKind& k = KindInfo(kind);
    // Without its file the command does nothing.
    const auto text = ReadHelpText(helpDocument(fromUtf8(k.kindCode) + QStringLiteral(".GUI")));
    if (!text) return;
    showTextViewer(Ui::tr("Metodo: %1").arg(QString::fromStdString(Msg(k.methodName))), *text, false);
}

void Kestra::showStatisticsPrimer()
{
    const QString path = helpDocument(fromUtf8(kStatisticsPrimer));
    const auto text = ReadHelpText(path);
    if (!text) {
        prompts().warning(Ui::tr("Impossibile trovare il file %1").arg(path).toStdString());
        return;
    }
    showTextViewer(Ui::tr("Elementi di statistica"), *text, true);
}

void Kestra::openWithSystem(const QString& relative)
{
    const QString path = programFile(relative);
    // a document that is not there is no matter of the viewer: the user is told where it should be
    if (!QFileInfo(path).isFile()) {
        prompts().warning(Ui::tr("Documento non trovato:\r\n%1")
                              .arg(QDir::toNativeSeparators(QDir::cleanPath(path)))
                              .toStdString());
        return;
    }
    if (!m_openUrl(QUrl::fromLocalFile(path)))
        prompts().message(MessageIcon::Information, Msg(kMissingViewerMessage));
}

void Kestra::showGuideline()
{
    openWithSystem(fromUtf8(kGuidelineDocument));
}

void Kestra::showReferenceBook()
{
    openWithSystem(fromUtf8(kReferenceBook));
}

// --- printing

void Kestra::printerSetup()
{
    QPrintDialog dialog(&printer(), this);
    dialog.setWindowTitle(Ui::tr("Imposta stampante"));
    SetFixedDialogFrame(dialog);
    runDialog(dialog);
}

void Kestra::printStudyReport(StudyWindow& window)
{
    PrintStudyReport(&window, window.study());
}

void Kestra::printStudyCharts(StudyWindow& window)
{
    // The printer chosen with "&Imposta stampante..." is the one the charts go to.
    PrintStudyCharts(window, printer());
}

// Made when first needed: setting up a printer asks the print system for its printers, which has no place
// in the program's start.
QPrinter& Kestra::printer()
{
    if (!m_printer) m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

QIcon Kestra::toolbarIcon(const QString& key) const
{
    return ToolbarIcon(key);
}

// --- plumbing

Prompts& Kestra::prompts()
{
    return *m_prompts;
}

int Kestra::runDialog(QDialog& dialog)
{
    return m_runDialog(dialog);
}

void Kestra::showShellMessage(const ShellMessage& message)
{
    MessageIcon icon = MessageIcon::Critical;
    switch (message.icon) {
        case ShellMessage::Icon::Critical:
            icon = MessageIcon::Critical;
            break;
        case ShellMessage::Icon::Warning:
            icon = MessageIcon::Warning;
            break;
        case ShellMessage::Icon::Information:
        case ShellMessage::Icon::None:
            icon = MessageIcon::Information;
            break;
    }
    prompts().message(icon, message.text);
}

}  // namespace kestra
