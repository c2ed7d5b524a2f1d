#include "app/ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <filesystem>

#include "app/app_settings.h"
#include "app/ini_manager.h"
#include "app/ui/help_viewer.h"
#include "framework/number_pattern.h"
#include "framework/scripted_prompts.h"
#include "framework/services.h"
#include "framework/ui/study_window.h"
#include "reporting/f_table.h"
#include "reporting/report_settings.h"
#include "studies/limits/limits_study.h"
#include "studies/ui/study_window_factory.h"
#include "test_support.h"

using namespace kestra;
using kestra::test::readFile;
using kestra::test::ScriptedPrompts;
using kestra::test::TempDir;
using kestra::test::writeFile;
namespace fs = std::filesystem;

namespace {

QString binFolder()
{
    return QString::fromStdString(fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path().string());
}

// A started main window on a clean documents folder, with scripted prompts and dialogs that never block.
struct Shell {
    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<Kestra> window;
    std::vector<QString> dialogs;           // captions of the modal dialogs run
    std::function<int(QDialog&)> onDialog;  // what a modal dialog does instead of waiting
    std::vector<QUrl> opened;
    bool openerResult = true;

    char savedSeparator = UserDecimalSeparator();
    std::filesystem::path savedDatabase = ReportDatabasePath();

    explicit Shell(QString programFolder = binFolder(), bool startIt = true)
    {
        fs::create_directories(dir / "home");
        window = std::make_unique<Kestra>(
            ShellEnvironment{QString::fromStdString((dir / "home").string()), programFolder}, &prompts);
        window->setDialogRunner([this](QDialog& d) {
            dialogs.push_back(d.windowTitle());
            return onDialog ? onDialog(d) : int(QDialog::Rejected);
        });
        window->setDocumentOpener([this](const QUrl& url) {
            opened.push_back(url);
            return openerResult;
        });
        if (startIt) {
            EXPECT_TRUE(window->start());
            window->show();
        }
    }
    ~Shell()
    {
        // start() set process-wide services to this test's scratch data; later tests get sane ones back.
        SetUserDecimalSeparator(savedSeparator);
        SetReportDatabasePath(savedDatabase);
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        // whatever a test left modified must not ask on the way out
        for (StudyWindow* w : window->openStudyWindows()) {
            w->study().setModify(false);
            w->study().clearGridsChanged();
        }
    }
    std::string base() const { return (dir / "home").string() + "/Kestra2006/"; }
    QStringList visibleMenus() const
    {
        QStringList titles;
        for (QAction* a : window->menuBar()->actions())
            if (a->isVisible()) titles << a->text();
        return titles;
    }
    void settle()
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
};

QStringList captions(QMenu* menu)
{
    QStringList list;
    for (QAction* a : menu->actions()) list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

}  // namespace

TEST(MainWindow, StartsWithTheMainMenusOnly)
{
    Shell s;
    EXPECT_EQ(s.window->windowTitle(), "Kestra 2006");
    EXPECT_EQ(s.visibleMenus(), (QStringList{"&File", "&Metodi", "&?"}));
    // the hidden "&Finestre" is not in the bar at all: Alt+F always opens "&File"
    QStringList all;
    for (QAction* a : s.window->menuBar()->actions()) all << a->text();
    EXPECT_EQ(all, (QStringList{"&File", "&Metodi", "&?"}));
    s.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window.get()));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(s.window.get(), Qt::Key_F, Qt::AltModifier);
        QApplication::processEvents();
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr) << "Alt+F number " << i + 1;
        EXPECT_EQ(open->title(), "&File");
        open->close();
        QApplication::processEvents();
    }
    EXPECT_EQ(s.window->action("GuidaInLinea")->shortcut(), QKeySequence(Qt::Key_F1));

    QMenu* file = s.window->action("FileOpzioni")->associatedObjects().isEmpty()
                      ? nullptr
                      : qobject_cast<QMenu*>(s.window->action("FileOpzioni")->associatedObjects().first());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(captions(file),
              (QStringList{"&Nuova convalida...", "Apri &convalida...", "-", "&Anagrafica Azienda", "Opzioni", "-",
                           "Backup dati", "-", "&Uscita"}));

    QMenu* methods = qobject_cast<QMenu*>(s.window->action("MetodiLimi")->associatedObjects().first());
    EXPECT_EQ(captions(methods), (QStringList{"&Specificità", "&Taratura", "&Precisione", "&Accuratezza",
                                              "&Limite rilevazione e determinazione "}));
    QMenu* precision = qobject_cast<QMenu*>(s.window->action("MetodiPrec")->associatedObjects().first());
    EXPECT_EQ(captions(precision),
              (QStringList{"&Ripetibilità", "Precisione &intermedia", "&Riproducibilità"}));
    QMenu* help = qobject_cast<QMenu*>(s.window->action("GuidaInformazioni")->associatedObjects().first());
    EXPECT_EQ(
        captions(help),
        (QStringList{"&Guida in linea", "&Normativa di riferimento ICH", "&Testo di riferimento R.Brenzi",
                     "-", "Informazioni su Kestra 2006", "-", "&Registro delle modifiche...",
                     "&Verifica del programma..."}));
    for (StudyKindId kind : {StudyKindId::Limi, StudyKindId::Prec, StudyKindId::Tara})
        EXPECT_EQ(s.window->action(QStringLiteral("Metodi") + KindInfo(kind).windowName)->isEnabled(),
                  HasStudyWindow(kind));
}

TEST(MainWindow, OneWindowPerKindAndItsMenusReplaceTheMainOnes)
{
    Shell s;
    s.window->action("MetodiLimi")->trigger();
    StudyWindow* limits = s.window->studyWindow(StudyKindId::Limi);
    ASSERT_NE(limits, nullptr);
    EXPECT_EQ(limits->documentTitle(), "Limiti - no file");
    EXPECT_TRUE(s.window->mdiArea()->activeSubWindow()->isMaximized());
    EXPECT_EQ(s.window->menuOwner(), limits);
    EXPECT_EQ(s.visibleMenus(),
              (QStringList{"&File", "&Modifica", "&Strumenti", "M&etodi", "&Finestre", "&?"}));
    EXPECT_FALSE(limits->menuBar()->isVisible()) << "the study's own bar gives way to the main one";

    ASSERT_TRUE(HasStudyWindow(StudyKindId::Tara));
    s.window->openStudy(StudyKindId::Tara);
    EXPECT_EQ(s.window->menuOwner(), s.window->studyWindow(StudyKindId::Tara));

    s.window->action("MetodiLimi")->trigger();  // asked again: brought forward, not created again
    EXPECT_EQ(s.window->mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(s.window->studyWindow(StudyKindId::Limi), limits);
    EXPECT_EQ(s.window->mdiArea()->activeSubWindow()->widget(), limits);
    EXPECT_EQ(s.window->menuOwner(), limits);
    EXPECT_TRUE(s.window->isWindowOpen(StudyKindId::Tara));
    EXPECT_FALSE(s.window->isWindowOpen(StudyKindId::Spec));
    const auto open = s.window->openStudyWindows();
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0]->kind(), StudyKindId::Limi) << "listed in their order of creation";
    EXPECT_TRUE(s.prompts.messages.empty());
}

TEST(MainWindow, ClosingTheLastStudyWindowBringsBackTheMainMenus)
{
    Shell s;
    s.window->openStudy(StudyKindId::Limi);
    s.window->openStudy(StudyKindId::Tara);
    s.window->studyWindow(StudyKindId::Tara)->action("FileChiudi")->trigger();
    s.settle();
    EXPECT_EQ(s.window->menuOwner(), s.window->studyWindow(StudyKindId::Limi))
        << "the remaining window's menus";
    s.window->studyWindow(StudyKindId::Limi)->action("FileChiudi")->trigger();
    s.settle();
    EXPECT_FALSE(s.window->isWindowOpen(StudyKindId::Limi));
    EXPECT_EQ(s.window->menuOwner(), nullptr);
    EXPECT_EQ(s.visibleMenus(), (QStringList{"&File", "&Metodi", "&?"}));
    EXPECT_TRUE(s.prompts.questions.empty());
}

TEST(MainWindow, ArrangementCommandsPlaceTheWindows)
{
    Shell s;
    s.window->resize(1000, 700);
    s.window->openStudy(StudyKindId::Limi);
    s.window->openStudy(StudyKindId::Tara);
    const QRect area = s.window->mdiArea()->viewport()->rect();
    auto subs = s.window->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(subs.size(), 2);

    s.window->arrangeWindows(WindowArrangement::TileHorizontally);
    EXPECT_FALSE(subs[0]->isMaximized());
    EXPECT_EQ(subs[0]->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(subs[1]->geometry().top(), area.height() / 2);
    EXPECT_EQ(subs[1]->geometry().width(), area.width());

    s.window->arrangeWindows(WindowArrangement::TileVertically);
    EXPECT_EQ(subs[0]->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(subs[1]->geometry().left(), area.width() / 2);

    subs[0]->showMinimized();
    s.window->arrangeWindows(WindowArrangement::ArrangeIcons);
    EXPECT_EQ(subs[0]->geometry().left(), 0);
    EXPECT_EQ(subs[0]->geometry().bottom(), area.height() - 1);
}

TEST(MainWindow, ExitAsksEveryModifiedWindowAndCancelKeepsTheProgram)
{
    Shell s;
    s.window->openStudy(StudyKindId::Limi);
    s.window->openStudy(StudyKindId::Tara);
    s.window->studyWindow(StudyKindId::Limi)->study().setModify(true);
    s.window->studyWindow(StudyKindId::Tara)->study().setModify(true);

    // each question comes with its window in front and names it
    QWidget* const limits = s.window->studyWindow(StudyKindId::Limi);
    QWidget* const calibration = s.window->studyWindow(StudyKindId::Tara);
    std::vector<QWidget*> inFront;
    s.prompts.onQuestion = [&](const std::string&) {
        inFront.push_back(s.window->mdiArea()->activeSubWindow()->widget());
    };
    s.prompts.answers = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(s.window->close());
    ASSERT_EQ(s.prompts.questions.size(), 2u);
    EXPECT_EQ(s.prompts.questions[0].text,
              "I dati sono stati modificati.\r\nLimiti - no file\r\nVuoi salvare le modifiche correnti?");
    EXPECT_EQ(s.prompts.questions[1].text,
              "I dati sono stati modificati.\r\nTaratura - no file\r\nVuoi salvare le modifiche correnti?");
    EXPECT_EQ(inFront, (std::vector<QWidget*>{limits, calibration}));
    s.prompts.onQuestion = nullptr;
    EXPECT_TRUE(s.window->isVisible());
    s.settle();
    EXPECT_FALSE(s.window->isWindowOpen(StudyKindId::Limi)) << "answered No: closed";
    EXPECT_TRUE(s.window->isWindowOpen(StudyKindId::Tara)) << "answered Cancel: still open";

    s.prompts.answers = {Answer::No};
    EXPECT_TRUE(s.window->close());
    EXPECT_TRUE(s.prompts.allAnswersUsed());
}

TEST(MainWindow, AutomaticBackupRunsBeforeTheQuestions)
{
    Shell s;
    AppSettings settings = CurrentAppSettings();
    settings.bkAutoSave = "1";
    SetCurrentAppSettings(settings);
    writeFile(settings.openSaveFolder + "old.LIM", "old study");

    s.window->openStudy(StudyKindId::Limi);
    StudyWindow* limits = s.window->studyWindow(StudyKindId::Limi);
    limits->study().grid().setCell(0, 0, 1.5);
    limits->study().setModify(true);
    s.prompts.answers = {Answer::Yes};
    s.prompts.savePaths = {fs::path(settings.openSaveFolder + "new.LIM")};
    EXPECT_TRUE(s.window->close());

    EXPECT_TRUE(fs::exists(settings.openSaveFolder + "new.LIM"));
    EXPECT_EQ(readFile(settings.backupFolder + "old.LIM"), "old study");
    EXPECT_FALSE(fs::exists(settings.backupFolder + "new.LIM")) << "saved after the backup";
    EXPECT_TRUE(s.prompts.messages.empty()) << "the automatic backup says nothing";
}

TEST(MainWindow, BackupFromTheMenuEndsWithItsMessageAndNamesFailures)
{
    Shell s;
    const AppSettings& settings = CurrentAppSettings();
    writeFile(settings.openSaveFolder + "a.TAR", "a");
    s.window->action("FileBackup")->trigger();
    EXPECT_EQ(readFile(settings.backupFolder + "a.TAR"), "a");
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(s.prompts.lastMessage(), "Backup completato");
    EXPECT_EQ(s.prompts.busyDepth, 0);

    fs::create_directories(settings.backupFolder + "b.TAR");  // blocks the copy of b.TAR
    writeFile(settings.openSaveFolder + "b.TAR", "b");
    s.window->backupStudyFiles(true);
    ASSERT_EQ(s.prompts.messages.size(), 2u);
    EXPECT_EQ(s.prompts.messages[1].icon, MessageIcon::Critical);
    EXPECT_NE(s.prompts.lastMessage().find("b.TAR"), std::string::npos);
    EXPECT_EQ(s.prompts.busyDepth, 0);
}

TEST(MainWindow, HelpDocumentsOpenInTheirViewers)
{
    Shell s;
    s.window->action("GuidaInLinea")->trigger();
    ASSERT_NE(s.window->helpWindow(), nullptr);
    EXPECT_TRUE(s.window->helpWindow()->isVisible());
    EXPECT_TRUE(s.window->helpWindow()->browser()->source().toLocalFile().endsWith("Kestra2006.html"));
    EXPECT_TRUE(s.window->helpWindow()->browser()->toPlainText().contains("Sommario"));

    QString shownText;
    s.onDialog = [&](QDialog& d) {
        if (auto* viewer = qobject_cast<WinGui*>(&d)) shownText = viewer->textArea()->toPlainText();
        return int(QDialog::Accepted);
    };
    for (const StudyKind& k : AllStudyKinds()) {
        shownText.clear();
        s.window->showMethodDescription(k.id);
        EXPECT_EQ(s.dialogs.back(), QStringLiteral("Metodo: ") + QString::fromUtf8(k.methodName));
        EXPECT_GT(shownText.size(), 1000) << k.kindCode << " should be a real description";
        EXPECT_TRUE(shownText.contains("SCOPO DELLA PROVA")) << k.kindCode;
    }
    s.window->showStatisticsPrimer();
    EXPECT_EQ(s.dialogs.back(), "Elementi di statistica");
    EXPECT_TRUE(shownText.contains("Varianza e deviazione standard"));
    EXPECT_TRUE(s.prompts.messages.empty());

    // The limits window's own help menu reaches the same documents.
    s.window->openStudy(StudyKindId::Limi);
    const auto before = s.dialogs.size();
    s.window->studyWindow(StudyKindId::Limi)->action("GuidaMetodo")->trigger();
    ASSERT_EQ(s.dialogs.size(), before + 1);
    EXPECT_EQ(s.dialogs.back(), "Metodo: Limiti");
}

TEST(MainWindow, MissingHelpFilesAndPdfDocuments)
{
    TempDir program;
    Shell s(QString::fromStdString(program.path().string()), false);
    s.window->showMethodDescription(StudyKindId::Limi);  // no file: nothing at all
    EXPECT_TRUE(s.dialogs.empty());
    EXPECT_TRUE(s.prompts.messages.empty());

    // no PDF: where it was looked for, the opener not even asked
    s.window->action("GuidaICH")->trigger();
    EXPECT_TRUE(s.opened.empty());
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(s.prompts.lastMessage(), "Documento non trovato:\r\n" + (program / "Ich" / "Q2.pdf").string());
    s.window->action("GuidaLibro")->trigger();
    ASSERT_EQ(s.prompts.messages.size(), 2u);
    EXPECT_EQ(s.prompts.lastMessage(),
              "Documento non trovato:\r\n" + (program / "Libro" / "r.brenzi_metodi_statistici.pdf").string());
    s.prompts.messages.clear();

    fs::create_directories(program / "Ich");
    fs::create_directories(program / "Libro");
    writeFile(program / "Ich" / "Q2.pdf", "%PDF-1.4");
    writeFile(program / "Libro" / "r.brenzi_metodi_statistici.pdf", "%PDF-1.4");
    s.window->action("GuidaICH")->trigger();
    ASSERT_EQ(s.opened.size(), 1u);
    EXPECT_TRUE(s.opened[0].toLocalFile().endsWith("/Ich/Q2.pdf"));
    EXPECT_TRUE(s.prompts.messages.empty());

    s.openerResult = false;  // there, but no program for the file type: the viewer message
    s.window->action("GuidaLibro")->trigger();
    EXPECT_TRUE(s.opened.back().toLocalFile().endsWith("/Libro/r.brenzi_metodi_statistici.pdf"));
    ASSERT_EQ(s.prompts.messages.size(), 1u);
    EXPECT_EQ(s.prompts.lastMessage(), kMissingViewerMessage);
}

TEST(MainWindow, SelfTestFromTheHelpMenuByKeyboardChecksTheUsersDatabase)
{
    Shell s;
    // the database of the user's data folder with a changed F value: the checks read that one
    const fs::path database = ReportDatabasePath();
    ASSERT_EQ(database.string(), s.base() + "DB/KESTRA73.MDB");
    const std::string sql = "UPDATE TabF SET VAL_F = 9.56 WHERE GDL_1 = 2 AND GDL_2 = 3";
    ASSERT_EQ(std::system(("sqlite3 '" + database.string() + "' '" + sql + "'").c_str()), 0);
    s.prompts.answers = {Answer::Cancel};
    const char separator = UserDecimalSeparator();
    s.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.window.get()));
    QTest::keyClick(s.window.get(), Qt::Key_Question, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&?");
    QTest::keyClick(menu, Qt::Key_Up);  // from the top, up wraps to the last item
    EXPECT_EQ(menu->activeAction(), s.window->action("GuidaVerifica"));
    QTest::keyClick(menu, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(s.prompts.questions.size(), 1u);
    EXPECT_EQ(s.prompts.questions[0].icon, MessageIcon::Warning);
    EXPECT_NE(s.prompts.questions[0].text.find("TabF GDL_1 = 2, GDL_2 = 3 VAL_F: atteso 9.55, ottenuto 9.56"),
              std::string::npos)
        << s.prompts.questions[0].text;
    EXPECT_TRUE(s.prompts.allAnswersUsed());
    EXPECT_EQ(UserDecimalSeparator(), separator) << "the checks leave the user's separator as it was";
}

TEST(MainWindow, AboutBoxAndPrinterSetupAreModalDialogs)
{
    Shell s;
    s.window->action("GuidaInformazioni")->trigger();
    ASSERT_EQ(s.dialogs.size(), 1u);
    EXPECT_EQ(s.dialogs.back(), "Informazioni su Kestra 2006");
    s.window->printerSetup();
    EXPECT_EQ(s.dialogs.size(), 2u);
}

TEST(MainWindow, StartFixesTheDecimalSeparatorFromTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    {
        Shell s;
        EXPECT_EQ(UserDecimalSeparator(), ',');
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    {
        Shell s;
        EXPECT_EQ(UserDecimalSeparator(), '.');
    }
    QLocale::setDefault(saved);
}

TEST(MainWindow, AFailedStartShowsWhyAndRefuses)
{
    TempDir dir;
    ScriptedPrompts prompts;
    Kestra window(ShellEnvironment{QString::fromStdString((dir / "missing").string()), binFolder()},
                  &prompts);
    EXPECT_FALSE(window.start());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(prompts.lastMessage().rfind("Errore 76 nella procedura DEFINE.CreaCartella.", 0), 0u);
}

TEST(MainWindow, AFileNamedOnTheCommandLineOpensInItsWindow)
{
    Shell s;
    const std::string path = CurrentAppSettings().openSaveFolder + "prova.LIM";
    {
        LimitsStudy study;
        for (int r = 0; r < 10; ++r) study.grid().setCell(r, 0, 1.0 + r);
        study.write(path);
    }
    EXPECT_TRUE(s.window->openFile(QString::fromStdString(path)));
    StudyWindow* w = s.window->studyWindow(StudyKindId::Limi);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->study().loadFileName(), path);
    EXPECT_EQ(w->documentTitle(), QString::fromStdString("Limiti - " + path));

    EXPECT_FALSE(
        s.window->openFile(QString::fromStdString(CurrentAppSettings().openSaveFolder + "note.txt")));
    EXPECT_EQ(s.prompts.messages.size(), 1u);
}

TEST(MainWindow, StudyToolbarsUseTheProgramsOwnIcons)
{
    Shell s;
    s.window->openStudy(StudyKindId::Limi);
    StudyWindow* w = s.window->studyWindow(StudyKindId::Limi);
    for (const char* key : {"New", "Open", "Save", "Cut", "Copy", "Paste", "Print", "Sum", "Plan", "StatPar",
                            "Help", "ICH", "Libro", "Exit"}) {
        EXPECT_FALSE(s.window->toolbarIcon(key).isNull()) << key;
        ASSERT_NE(w->toolbarAction(key), nullptr) << key;
        EXPECT_FALSE(w->toolbarAction(key)->icon().isNull()) << key;
    }
    EXPECT_FALSE(s.window->toolbarIcon("PrintGraph").isNull());
    EXPECT_EQ(w->toolbarAction("PrintGraph"), nullptr);
}
