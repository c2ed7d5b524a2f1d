// What every study window shares, seen through the limits window: menus, toolbar, command enabling, status
// panels, header fields, the document commands on screen, the number format and the host hooks.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/study_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include "framework/ui/data_grid_view.h"
#include "framework/ui/status_panel.h"
#include "studies/limits/limits_window.h"
#include "studies/ui/study_window_factory.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"
#include "tests/framework/ui/typing.h"

namespace kestra {
namespace {

using test::TempDir;
using test::TestHost;

QStringList captions(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

class StudyWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        window = CreateStudyWindow(StudyKindId::Limi, host);
        ASSERT_TRUE(window);
        window->show();
        QApplication::processEvents();
    }

    // Types into the first cells of the grid and confirms each with Enter.
    void typeMeasurements(const QStringList& values)
    {
        DataGridView* grid = window->dataGrid();
        grid->setActiveCell(0, 0);
        grid->setFocus();
        for (const QString& v : values) {
            test::typeText(grid, v);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }

    TestHost host;
    std::unique_ptr<StudyWindow> window;
    TempDir dir;
};

TEST_F(StudyWindowTest, MenusAndToolbarOfTheLimitsWindow)
{
    QStringList titles;
    for (QMenu* m : window->menus()) titles << m->title();
    EXPECT_EQ(titles, (QStringList{"&File", "&Modifica", "&Strumenti", "M&etodi", "&Finestre", "&?"}));
    EXPECT_EQ(captions(window->menus()[0]->actions()),
              (QStringList{"&Nuovo", "&Apri...", "&Salva", "Salva con &nome...",
                           "Chiedi il &motivo a ogni salvataggio", "-", "Fi&rma...", "Crono&logia del file...", "-",
                           "N&uova convalida...", "Apri con&valida...", "-", "&Stampa...", "&Imposta stampante...",
                           "-", "&Chiudi"}));
    EXPECT_EQ(captions(window->menus()[2]->actions()),
              (QStringList{"&Calcola", "-", "&Setup formato numeri..."}));
    EXPECT_EQ(captions(window->menus()[3]->actions()),
              (QStringList{"&Specificità...", "&Taratura...", "&Ripetibilità...", "&Accuratezza...",
                           "&Riproducibilità...", "Precisione &intermedia..."}));
    // studies whose window is not there yet are listed but disabled
    for (QAction* a : window->menus()[3]->actions()) {
        for (const StudyKind& k : AllStudyKinds()) {
            if (a->objectName() == QStringLiteral("Metodi") + k.windowName) {
                EXPECT_EQ(a->isEnabled(), HasStudyWindow(k.id)) << k.windowName;
            }
        }
    }
    EXPECT_EQ(captions(window->menus()[5]->actions()),
              (QStringList{"&Guida in linea", "&Metodo", "&Parametri fondamentali di statistica", "-",
                           "&Normativa di riferimento ICH", "&Testo di riferimento R.Brenzi", "-",
                           "&Registro delle modifiche...", "&Verifica del programma..."}));

    EXPECT_EQ(window->action("ModificaTaglia")->shortcut(), QKeySequence("Shift+Del"));
    EXPECT_EQ(window->action("ModificaCopia")->shortcut(), QKeySequence("Ctrl+Ins"));
    EXPECT_EQ(window->action("ModificaIncolla")->shortcut(), QKeySequence("Shift+Ins"));
    EXPECT_EQ(window->action("ModificaCancella")->shortcut(), QKeySequence("Ctrl+X"));

    // no chart printing in the limits window
    EXPECT_EQ(window->action("FileStampaGrafico"), nullptr);
    EXPECT_EQ(window->toolbarAction("PrintGraph"), nullptr);
    QStringList tips;
    for (QAction* a : window->toolBar()->actions())
        tips << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
    EXPECT_EQ(tips, (QStringList{"Nuovo file",
                                 "Apri file",
                                 "Salva file",
                                 "-",
                                 "Taglia",
                                 "Copia",
                                 "Incolla",
                                 "-",
                                 "Stampa report",
                                 "-",
                                 "Calcola risultati",
                                 "-",
                                 "Descrizione metodo",
                                 "Parametri statistica",
                                 "Guida",
                                 "-",
                                 "Normativa di riferimento ICH",
                                 "Testo di riferimento R.Brenzi",
                                 "-",
                                 "Chiudi"}));
    EXPECT_EQ(window->toolbarAction("Save"), window->action("FileSalva"));
}

TEST_F(StudyWindowTest, DocumentCommandsAreEnabledByAGridEditAndDisabledByNew)
{
    const char* const commands[] = {"FileSalva", "FileSalvaNome", "FileStampa", "FileImpostaStampante",
                                    "StrumentiCalcola"};
    for (const char* c : commands) EXPECT_FALSE(window->action(c)->isEnabled()) << c;
    EXPECT_TRUE(window->action("FileNuovo")->isEnabled());
    EXPECT_TRUE(window->action("FileApri")->isEnabled());

    typeMeasurements({"1"});
    for (const char* c : commands) EXPECT_TRUE(window->action(c)->isEnabled()) << c;

    host.script.answers = {Answer::No};
    window->action("FileNuovo")->trigger();
    for (const char* c : commands) EXPECT_FALSE(window->action(c)->isEnabled()) << c;
    EXPECT_EQ(window->study().grid().cell(0, 0), 0.0);
}

TEST_F(StudyWindowTest, StatusPanelsFollowTheOpenWindowsAndOpenStudies)
{
    QStringList keys;
    for (const char* k : {"Spec", "Tara", "Ripe", "Accu", "Ripr", "Prin"}) {
        StatusPanel* p = window->statusPanel(k);
        ASSERT_NE(p, nullptr) << k;
        EXPECT_EQ(p->text(), k);
    }
    EXPECT_EQ(window->statusPanel("StatusBar")->text(), "Formato numeri: Interi 3  Decimali 3");

    host.openKinds = {StudyKindId::Tara};
    window->activated();
    EXPECT_TRUE(window->statusPanel("Tara")->isSunken());
    EXPECT_FALSE(window->statusPanel("Spec")->isSunken());

    // a click opens (or activates) the study when its window exists in this program
    StatusPanel* spec = window->statusPanel("Spec");
    QTest::mouseClick(spec, Qt::LeftButton);
    if (HasStudyWindow(StudyKindId::Spec)) {
        EXPECT_EQ(host.opened, std::vector<StudyKindId>{StudyKindId::Spec});
        EXPECT_TRUE(spec->isSunken());
    } else {
        EXPECT_TRUE(host.opened.empty());
    }

    // the description panel follows the mouse
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window->dataGrid(), &enter);
    EXPECT_EQ(window->statusPanel("DescrBar")->text(), "Griglia per l'inserimento dei dati");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window->dataGrid(), &leave);
    EXPECT_EQ(window->statusPanel("DescrBar")->text(), "");
}

TEST_F(StudyWindowTest, NumberFormatFromTheStatusPanelReformatsAndRecalculates)
{
    typeMeasurements({"1", "2", "3", "4", "5"});
    window->calculate();
    host.script.numberFormats = {std::nullopt, NumberFormat{4, 2}};
    QTest::mouseDClick(window->statusPanel("StatusBar"), Qt::LeftButton);
    EXPECT_EQ(window->statusPanel("StatusBar")->text(), "Formato numeri: Interi 3  Decimali 3");  // Annulla

    window->action("StrumentiFormato")->trigger();
    ASSERT_EQ(host.script.formatDialogs.size(), 2u);
    EXPECT_EQ(host.script.formatDialogs[1], (NumberFormat{3, 3}));
    EXPECT_EQ(window->statusPanel("StatusBar")->text(), "Formato numeri: Interi 4  Decimali 2");
    EXPECT_EQ(CurrentNumberPattern(), "###0.00");
    EXPECT_EQ(window->dataGrid()->model()->data(window->dataGrid()->model()->index(0, 0)).toString(), "1.00");
    auto* limits = static_cast<LimitsWindow*>(window.get());
    EXPECT_EQ(limits->stDevLabel()->text(), "1.90");  // recalculated (n = 10): the document has data
}

TEST_F(StudyWindowTest, HeaderFieldsMarkModifiedAndSelectAllOnEntry)
{
    QLineEdit* unit = window->headerField(3);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(window->headerField(0)->objectName(), "aInputData0");
    EXPECT_FALSE(window->study().isModify());
    unit->setFocus();
    QTest::keyClicks(unit, "mg/l");
    EXPECT_EQ(window->study().header(3), "mg/l");
    EXPECT_TRUE(window->study().isModify());

    window->headerField(0)->setFocus();
    unit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(unit->selectedText(), "mg/l");
}

TEST_F(StudyWindowTest, NewAfterYesAndCancelledSaveKeepsTheData)
{
    typeMeasurements({"4"});
    window->headerField(0)->setText("HPLC");
    host.script.answers = {Answer::Yes};
    host.script.savePaths = {std::nullopt};
    window->newDocument();
    EXPECT_EQ(window->study().grid().cell(0, 0), 4.0);
    EXPECT_TRUE(window->study().isModified());
    EXPECT_TRUE(window->action("FileSalva")->isEnabled());
}

TEST_F(StudyWindowTest, SaveAsThenSaveShowsTheNewFileInTheTitle)
{
    EXPECT_EQ(window->documentTitle(), "Limiti - no file");
    typeMeasurements({"1", "2"});
    host.script.savePaths = {dir / "A.LIM"};
    ASSERT_TRUE(window->saveStudyFile());
    host.script.savePaths = {dir / "B.LIM"};
    window->action("FileSalvaNome")->trigger();
    EXPECT_EQ(window->documentTitle().toStdString(), "Limiti - " + (dir / "B.LIM").string());
    typeMeasurements({"7"});
    window->action("FileSalva")->trigger();  // no dialog left in the script: it must write B.LIM
    EXPECT_NE(test::readFile(dir / "B.LIM").find(" 1,7.000"), std::string::npos);
    EXPECT_EQ(test::readFile(dir / "A.LIM").find(" 1,7.000"), std::string::npos);
    EXPECT_TRUE(host.script.allAnswersUsed());
}

TEST_F(StudyWindowTest, ReadFaultIsShownAndTheWindowShowsWhatWasRead)
{
    test::writeFile(dir / "cut.LIM",
                    "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n"
                    "12\r\nFalso\r\n 1,1.000\r\n2,2.500\r\n");
    host.script.openPaths = {dir / "cut.LIM"};
    EXPECT_TRUE(window->openStudyFile());
    ASSERT_EQ(host.script.messages.size(), 1u);
    EXPECT_EQ(host.script.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(host.script.messages[0].text.find("cut.LIM, riga 14"), std::string::npos)
        << host.script.messages[0].text;
    EXPECT_EQ(window->documentTitle(), "Limiti - no file");
    EXPECT_EQ(window->headerField(1)->text(), "Piombo");
    auto* limits = static_cast<LimitsWindow*>(window.get());
    EXPECT_EQ(limits->countField()->text(), "12");
    EXPECT_TRUE(limits->optionButton(1)->isChecked());
    EXPECT_EQ(window->dataGrid()->model()->rowCount(), 12);
    EXPECT_EQ(window->dataGrid()->model()->data(window->dataGrid()->model()->index(1, 0)).toString(),
              "2.500");
    EXPECT_FALSE(window->study().isModified());
    EXPECT_TRUE(window->action("FileSalva")->isEnabled());
}

TEST_F(StudyWindowTest, CloseAsksAndCancelKeepsTheWindow)
{
    typeMeasurements({"3"});
    host.script.answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    host.script.answers = {Answer::No};
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StudyWindowTest, EditCommandsActOnTheFocusedGridOrField)
{
    typeMeasurements({"1", "2"});
    DataGridView* grid = window->dataGrid();
    grid->setFocus();
    grid->selectBlock({0, 0, 2, 1});
    window->action("ModificaCopia")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "1.000\n2.000");
    EXPECT_TRUE(window->action("ModificaIncolla")->isEnabled());
    grid->setActiveCell(4, 0);
    window->action("ModificaIncolla")->trigger();
    EXPECT_EQ(window->study().grid().cell(5, 0), 2.0);
    grid->selectBlock({0, 0, 1, 1});
    window->action("ModificaCancella")->trigger();
    EXPECT_FALSE(window->study().grid().cell(0, 0).has_value());

    QLineEdit* method = window->headerField(0);
    method->setFocus();
    method->setText("HPLC");
    method->selectAll();
    window->action("ModificaCopia")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "HPLC");

    QApplication::clipboard()->clear();
    EXPECT_FALSE(window->action("ModificaIncolla")->isEnabled());
}

TEST_F(StudyWindowTest, PrintingComputesStaleResultsFirstAndStopsWhenTheCalculationIsRefused)
{
    auto& study = static_cast<LimitsStudy&>(window->study());
    typeMeasurements({"1", "2", "3", "4", "5"});
    study.setResultsCurrent(false);  // the data changed since the last calculation
    window->action("FileStampa")->trigger();
    EXPECT_EQ(host.calls, std::vector<std::string>{"report"});
    EXPECT_EQ(study.stDevText(), "1.900");  // computed before the report was prepared (1..5 and five 0)
    EXPECT_TRUE(study.resultsCurrent());

    // every value zero: the calculation is refused and nothing is printed
    for (int r = 0; r < study.grid().rowCount(); ++r) study.grid().setCell(r, 0, 0.0);
    study.setResultsCurrent(false);
    window->action("FileStampa")->trigger();
    EXPECT_EQ(host.calls, std::vector<std::string>{"report"});
    EXPECT_FALSE(study.resultsCurrent());

    // an opened file whose calculation was refused prints nothing either
    test::writeFile(dir / "zeri.LIM", study.fileContents());
    host.script.openPaths = {dir / "zeri.LIM"};
    host.script.answers = {Answer::No};
    EXPECT_TRUE(window->openStudyFile());
    window->action("FileStampa")->trigger();
    EXPECT_EQ(host.calls, std::vector<std::string>{"report"});
}

TEST_F(StudyWindowTest, AFileOfAnotherKindTypedInTheOpenDialogGoesToItsOwnWindow)
{
    typeMeasurements({"1"});
    host.script.answers = {Answer::No};  // the typed value is not kept
    host.script.openPaths = {dir / "ripetibilita.pre"};
    EXPECT_FALSE(window->openStudyFile());
    EXPECT_EQ(host.calls, std::vector<std::string>{"open " + (dir / "ripetibilita.pre").string()});
    // this window read nothing: still its own document
    EXPECT_EQ(window->documentTitle(), "Limiti - no file");
    EXPECT_TRUE(host.script.messages.empty());
    EXPECT_TRUE(host.script.allAnswersUsed());
}

TEST_F(StudyWindowTest, PrintHelpAndArrangementGoToTheHost)
{
    typeMeasurements({"1"});
    window->action("FileStampa")->trigger();
    window->action("FileImpostaStampante")->trigger();
    window->action("GuidaMetodo")->trigger();
    window->action("GuidaInLinea")->trigger();
    window->action("GuidaStatistica")->trigger();
    window->action("GuidaICH")->trigger();
    window->action("GuidaLibro")->trigger();
    window->action("GuidaVerifica")->trigger();
    window->action("MnuFinestreCascade")->trigger();
    window->action("FileNuovaConvalida")->trigger();
    window->action("FileApriConvalida")->trigger();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"report", "printerSetup", "method LIMI", "help", "primer",
                                                    "guideline", "book", "selftest", "arrange2", "newDossier",
                                                    "openDossier"}));
    EXPECT_EQ(host.printed, window.get());

    host.windows = {window.get()};
    QMenu* windows = window->menus()[4];
    emit windows->aboutToShow();
    const QStringList list = captions(windows->actions());
    EXPECT_EQ(list.back(), "&1 Limiti - no file");
}

}  // namespace
}  // namespace kestra
