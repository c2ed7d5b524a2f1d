// A study window used by keyboard and mouse as analysts do: shortcuts, undo and redo of every kind of edit,
// results marked as not current, the modified mark in the caption and the question naming its window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>

#include "framework/ui/data_grid_view.h"
#include "studies/limits/limits_window.h"
#include "studies/ui/study_window_factory.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"
#include "tests/framework/ui/typing.h"

namespace kestra {
namespace {

using test::TestHost;

// Both decimal separators: every test runs on a "," and on a "." system.
class StudyWindowEditingTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(GetParam());
        window = CreateStudyWindow(StudyKindId::Limi, host);
        ASSERT_TRUE(window);
        window->resize(1000, 750);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    LimitsWindow& limits() { return static_cast<LimitsWindow&>(*window); }
    DataGridView* grid() { return window->dataGrid(); }
    std::optional<double> cell(int row) const { return window->study().grid().cell(row, 0); }
    // Types the values down the column from row 0, each confirmed with Enter; "." as typed on either system.
    void typeColumn(const QStringList& values, int from = 0)
    {
        grid()->setFocus();
        grid()->setActiveCell(from, 0);
        for (const QString& v : values) {
            test::typeText(grid(), v);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k), modifiers);
        QApplication::processEvents();
    }
    QString shown(const std::string& text) const
    {
        QString s = QString::fromStdString(text);
        if (GetParam() == ',') s.replace(QLatin1Char('.'), QLatin1Char(','));
        return s;
    }

    TestHost host;
    std::unique_ptr<StudyWindow> window;
};

TEST_P(StudyWindowEditingTest, TheUsualShortcutsBesideTheCaptions)
{
    const std::pair<const char*, const char*> shortcuts[] = {
        {"FileNuovo", "Ctrl+N"},       {"FileApri", "Ctrl+O"},       {"FileSalva", "Ctrl+S"},
        {"FileStampa", "Ctrl+P"},      {"StrumentiCalcola", "F9"},   {"GuidaInLinea", "F1"},
        {"ModificaAnnulla", "Ctrl+Z"}, {"ModificaRipeti", "Ctrl+Y"}, {"ModificaCancella", "Ctrl+X"},
    };
    for (const auto& [name, sequence] : shortcuts) {
        ASSERT_NE(window->action(name), nullptr) << name;
        EXPECT_EQ(window->action(name)->shortcut(), QKeySequence(QString::fromLatin1(sequence))) << name;
    }
    QStringList edit;
    for (QAction* a : window->editMenu()->actions())
        edit << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(edit, (QStringList{"&Taglia", "&Copia", "&Incolla", "Ca&ncella", "-", "&Annulla", "&Ripeti"}));

    // F9 from the grid calculates, F1 asks for the help
    typeColumn({"1", "2", "3", "4", "5"});
    key(Qt::Key_F9);
    EXPECT_EQ(limits().stDevLabel()->text(), shown("1.900"));
    key(Qt::Key_F1);
    EXPECT_EQ(host.calls, std::vector<std::string>{"help"});
    // Ctrl+S asks for a file (none given: nothing written), Ctrl+P prints
    host.script.savePaths = {std::nullopt};
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(host.script.saveDialogs.size(), 1u);
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(host.calls.back(), "report");
}

TEST_P(StudyWindowEditingTest, UndoAndRedoCoverTypingPasteCutClearDropAndTheDimension)
{
    QUndoStack* undo = window->undoStack();
    EXPECT_FALSE(window->action("ModificaAnnulla")->isEnabled());
    const auto initial = cell(1);
    const auto initialBelow = cell(7);
    typeColumn({"1.5", "2"});
    EXPECT_EQ(undo->count(), 2);
    EXPECT_TRUE(window->action("ModificaAnnulla")->isEnabled());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1), initial);
    EXPECT_EQ(cell(0), 1.5);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cell(1), 2.0);

    // paste, cut, clear and drop are one step each
    grid()->setActiveCell(2, 0);
    grid()->pasteText(QStringLiteral("7\n8"));
    EXPECT_EQ(cell(3), 8.0);
    grid()->selectBlock({0, 0, 1, 1});
    window->cut();
    EXPECT_FALSE(cell(0));
    grid()->selectBlock({1, 0, 1, 1});
    key(Qt::Key_X, Qt::ControlModifier);  // "Ca&ncella"
    EXPECT_FALSE(cell(1));
    host.script.answers = {Answer::Yes};  // the empty cells below hold 0: moving asks
    grid()->dropBlock({2, 0, 2, 1}, 6, 0);
    EXPECT_EQ(cell(7), 8.0);
    EXPECT_FALSE(cell(2));
    for (int i = 0; i < 3; ++i) window->action("ModificaAnnulla")->trigger();
    EXPECT_EQ(cell(0), 1.5);
    EXPECT_EQ(cell(1), 2.0);
    EXPECT_EQ(cell(2), 7.0);
    EXPECT_EQ(cell(7), initialBelow);

    // a dimension typed digit by digit is one step; its undo brings the rows and their values back
    limits().countField()->setFocus();
    limits().countField()->selectAll();
    QTest::keyClicks(limits().countField(), "5");
    QApplication::processEvents();
    EXPECT_EQ(window->study().grid().rowCount(), 5);
    grid()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(limits().countField()->text(), "5");
    window->action("ModificaAnnulla")->trigger();
    EXPECT_EQ(window->study().grid().rowCount(), 10);
    EXPECT_EQ(limits().countField()->text(), "10");
    EXPECT_EQ(cell(2), 7.0);

    // a calculation is no step; New clears the stack
    const int steps = undo->count();
    window->calculate();
    EXPECT_EQ(undo->count(), steps);
    host.script.answers = {Answer::No};
    window->newDocument();
    EXPECT_EQ(undo->count(), 0);
    EXPECT_FALSE(window->action("ModificaAnnulla")->isEnabled());
}

TEST_P(StudyWindowEditingTest, ResultsOfOtherDataAreMarkedUntilTheNextCalculation)
{
    QLabel* notice = window->staleNotice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), "Risultati non aggiornati: premere Calcola");
    EXPECT_FALSE(notice->isVisible());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->windowTitle().endsWith("[*]"));

    typeColumn({"1", "2", "3", "4", "5"});
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(notice->isVisible());
    window->calculate();
    EXPECT_FALSE(notice->isVisible());
    EXPECT_FALSE(window->resultsShownStale());
    const QColor current = limits().stDevLabel()->palette().color(QPalette::WindowText);

    // an edit of the grid, then of the dimension, then of the option: greyed results and the notice
    typeColumn({"6"}, 5);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(window->resultsShownStale());
    EXPECT_NE(limits().stDevLabel()->palette().color(QPalette::WindowText), current);
    EXPECT_NE(window->conclusionBox()->palette().color(QPalette::Text),
              QApplication::palette().color(QPalette::Active, QPalette::Text));
    EXPECT_EQ(limits().stDevLabel()->text(), shown("1.900")) << "the results stay, marked";
    window->calculate();
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(limits().stDevLabel()->palette().color(QPalette::WindowText), current);

    limits().optionButton(1)->click();
    EXPECT_TRUE(notice->isVisible());
    window->calculate();
    limits().countField()->setFocus();
    limits().countField()->selectAll();
    QTest::keyClicks(limits().countField(), "7");
    EXPECT_TRUE(notice->isVisible());

    // a header field changes no result, but the document
    window->calculate();
    window->headerField(0)->setFocus();
    QTest::keyClicks(window->headerField(0), "HPLC");
    EXPECT_FALSE(notice->isVisible());

    // a saved and reopened study shows current results and no modified mark
    test::TempDir dir;
    host.script.savePaths = {dir / "m.LIM"};
    ASSERT_TRUE(window->saveStudyFile());
    EXPECT_FALSE(window->isWindowModified());
    typeColumn({"9"});
    host.script.answers = {Answer::No};
    host.script.openPaths = {dir / "m.LIM"};
    ASSERT_TRUE(window->openStudyFile());
    EXPECT_FALSE(notice->isVisible());
    EXPECT_FALSE(window->isWindowModified());
}

TEST_P(StudyWindowEditingTest, TheModifiedQuestionNamesItsWindowAndBringsItForward)
{
    typeColumn({"3"});
    host.script.answers = {Answer::Cancel};
    EXPECT_FALSE(window->close());
    ASSERT_EQ(host.script.questions.size(), 1u);
    EXPECT_EQ(host.script.questions[0].text,
              "I dati sono stati modificati.\r\nLimiti - no file\r\nVuoi salvare le modifiche correnti?");
    EXPECT_EQ(host.opened, std::vector<StudyKindId>{StudyKindId::Limi}) << "brought to the front first";
}

INSTANTIATE_TEST_SUITE_P(Separators, StudyWindowEditingTest, ::testing::Values(',', '.'),
                         [](const auto& info) { return info.param == ',' ? std::string("Comma") : "Point"; });

}  // namespace
}  // namespace kestra
