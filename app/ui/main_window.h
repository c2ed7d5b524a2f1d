// Kestra: the main window, a multiple-document window holding the study windows, with the program's menus.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/ui/options_dialog.h"
#include "framework/ui/study_window_host.h"

class QAction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QUrl;

namespace kestra {

class DossierWindow;
class HelpWindow;
class QtPrompts;
struct ShellMessage;

struct ShellEnvironment {
    QString documentsFolder;             // the user's documents folder
    QString programFolder;               // the program's data: DB/KESTRA73.MDB and the help documents
    bool createDocumentsFolder = false;  // the desktop's documents folder, made when a new account lacks it
    // The paths of SystemStartupPaths: the same data folder kestra-cli uses.
    static ShellEnvironment fromSystem();
};

// Action names (objectName of each QAction) of the main menus:
//   FileNuovaConvalida FileApriConvalida FileAnagrafica FileOpzioni FileBackup FileUscita
//   MetodiSpec MetodiTara MetodiPrec MetodiPrin MetodiRipr MetodiAccu MetodiLimi
//   MnuFinestreTileH MnuFinestreTileV MnuFinestreCascade MnuFinestreArrange
//   GuidaInLinea GuidaICH GuidaLibro GuidaInformazioni GuidaVerifica
// While a study window is current its menus take the place of these in the menu bar.
class Kestra : public QMainWindow, public StudyWindowHost {
    Q_OBJECT

public:
    // prompts: nullptr for real dialogs; tests pass a script.
    explicit Kestra(ShellEnvironment environment, Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~Kestra() override;

    // Fixes the constants and runs the start-up configuration; false means the program must end.
    bool start();
    // Opens a study file (named on the command line) in the window of its kind, a dossier in a dossier window.
    bool openFile(const QString& path) override;
    // "Nuova convalida...": an empty dossier in a new window.
    DossierWindow* newDossier();
    // "Apri convalida...": the file dialog, then the dossier in a new window (or the window that has it).
    bool openDossier();
    bool openDossierFile(const std::filesystem::path& path);
    std::vector<DossierWindow*> openDossierWindows() const;

    // --- StudyWindowHost
    Prompts& prompts() override;
    void openStudy(StudyKindId kind) override;
    bool hasStudyWindow(StudyKindId kind) const override;
    bool isWindowOpen(StudyKindId kind) const override;
    std::vector<StudyWindow*> openStudyWindows() const override;
    void arrangeWindows(WindowArrangement arrangement) override;
    void showHelp() override;
    void showMethodDescription(StudyKindId kind) override;
    void showStatisticsPrimer() override;
    void showGuideline() override;
    void showReferenceBook() override;
    void runSelfTest() override;
    // "Registro delle modifiche...": the trail viewer, for one file when given.
    void showAuditTrail(const QString& file = {});
    void printerSetup() override;
    void printStudyReport(StudyWindow& window) override;
    void printStudyCharts(StudyWindow& window) override;
    void newValidationDossier() override { newDossier(); }
    void openValidationDossier() override { openDossier(); }
    QIcon toolbarIcon(const QString& key) const override;

    // --- the main menu's own commands
    void showCompanyData();
    void showOptions();
    // BackupStudyFiles: silent leaves out the closing "Backup completato"; failures are always shown.
    void backupStudyFiles(bool silent);
    void showAbout();

    // --- parts, for the tests
    QAction* action(const QString& name) const;
    QMdiArea* mdiArea() const { return m_mdi; }
    StudyWindow* studyWindow(StudyKindId kind) const;
    // The study window whose menus the menu bar shows, nullptr when it shows the main menus.
    StudyWindow* menuOwner() const;
    HelpWindow* helpWindow() const;
    const ShellEnvironment& environment() const { return m_env; }

    // --- seams: how modal dialogs run, how folders are chosen, how documents open in other programs
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void setFolderBrowser(FolderBrowser browser) { m_browseFolder = std::move(browser); }
    void setDocumentOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QAction* makeAction(QMenu* menu, const QString& name, const QString& text);
    void updateMenuBar();
    // The dossier window's own menus with Metodi, Finestre and ?; true when a dossier window is current.
    bool showDossierMenus();
    QMdiSubWindow* addSubWindow(QWidget* widget);
    void subWindowActivated(QMdiSubWindow* sub);
    void fillWindowsMenu();
    QMdiSubWindow* subWindowOf(StudyKindId kind) const;
    std::vector<QMdiSubWindow*> openSubWindows() const;
    void tileWindows(bool oneAboveAnother);
    void arrangeIcons();
    QString programFile(const QString& relative) const;
    QString helpDocument(const QString& relative) const;
    void openWithSystem(const QString& relative);
    void showTextViewer(const QString& caption, const QString& text, bool html);
    int runDialog(QDialog& dialog);
    void showShellMessage(const ShellMessage& message);
    QPrinter& printer();

    ShellEnvironment m_env;
    bool m_ownsAuditTrail = false;
    std::unique_ptr<QtPrompts> m_ownPrompts;
    Prompts* m_prompts;
    QMdiArea* m_mdi;
    std::vector<QMenu*> m_mainMenus;  // File, Metodi, Finestre, ?
    QMenu* m_windowsMenu = nullptr;
    QAction* m_windowListSeparator = nullptr;
    std::map<QString, QAction*> m_actions;
    std::vector<QPointer<QMdiSubWindow>> m_subWindows;  // in their order of creation
    QPointer<QWidget> m_menuOwner;                      // a StudyWindow
    bool m_mainMenusShown = false;
    bool m_tearingDown = false;
    QPointer<QWidget> m_help;  // the HelpWindow
    std::unique_ptr<QPrinter> m_printer;
    DialogRunner m_runDialog;
    FolderBrowser m_browseFolder;
    std::function<bool(const QUrl&)> m_openUrl;
};

}  // namespace kestra
