// The accuracy window: recoveries filled as amounts are typed, one and three levels on screen, keyboard
// movement between the level grids, the count field's rules and the analysis-of-variance table.
#include "studies/accuracy/accuracy_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "framework/services.h"
#include "framework/ui/data_grid_view.h"
#include "reporting/f_table.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

using test::TestHost;

class AccuracyWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    // Types added and found amounts down the columns of a level grid, as a user would.
    void typeAmounts(int level, const QStringList& added, const QStringList& found)
    {
        DataGridView* grid = window.levelGridView(level);
        grid->setFocus();
        grid->setActiveCell(0, 0);
        for (const QStringList* column : {&added, &found}) {
            for (const QString& v : *column) {
                for (const QChar ch : v) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QApplication::processEvents();
            }
        }
    }
    QString cell(int level, int row, int column) const
    {
        const auto* model = window.levelGridView(level)->model();
        return model->data(model->index(row, column)).toString();
    }
    QString result(const char* name) const { return window.resultLabel(QString::fromLatin1(name))->text(); }
    bool shown(const char* name) const { return window.resultLabel(QString::fromLatin1(name))->isVisible(); }

    TestHost host;
    AccuracyWindow window{host};
};

TEST_F(AccuracyWindowTest, NewWindowIsOneLevelOnTheDataTab)
{
    EXPECT_EQ(window.documentTitle(), "Accuratezza - no file");
    EXPECT_EQ(window.tabs()->count(), 4);
    EXPECT_EQ(window.tabs()->tabText(3), "Statistica estesa");
    EXPECT_EQ(window.tabs()->tabText(0), " Info/Conclusioni");
    EXPECT_EQ(window.tabs()->currentIndex(), 1);
    EXPECT_EQ(window.countField()->text(), "3");
    EXPECT_TRUE(window.oneLevelOption()->isChecked());
    EXPECT_FALSE(window.levelGridView(0)->isVisible());
    EXPECT_TRUE(window.levelGridView(1)->isVisible());
    EXPECT_FALSE(window.levelGridView(2)->isVisible());
    EXPECT_FALSE(window.anovaFrame()->isVisible());
    EXPECT_TRUE(shown("AccuOne"));
    EXPECT_FALSE(shown("AccuSup"));
    EXPECT_EQ(result("AccuOne"), "0");
    EXPECT_EQ(window.levelCaption(1)->text(), "Liv. centrale");
    EXPECT_EQ(window.levelGridView(1)->model()->headerData(1, Qt::Horizontal).toString(), "Trovati");
}

TEST_F(AccuracyWindowTest, TypedAmountsGiveRecoveriesAndTheOneLevelResult)
{
    typeAmounts(1, {"10", "10", "10"}, {"9.9", "10", "10.1"});
    EXPECT_EQ(cell(1, 0, 2), "99.000");
    EXPECT_EQ(cell(1, 2, 2), "101.000");
    // after the last "Trovati" of the only level the entry stays in that grid
    EXPECT_EQ(QApplication::focusWidget(), window.levelGridView(1));
    EXPECT_EQ(window.levelGridView(1)->currentIndex().column(), 1);
    EXPECT_TRUE(window.action("StrumentiCalcola")->isEnabled());

    window.action("StrumentiCalcola")->trigger();
    EXPECT_EQ(result("AccuOne"), "100.000 ± 2.484");
    EXPECT_TRUE(window.conclusionBox()->toPlainText().endsWith("I limiti di confidenza contengono il 100 %"));
    const ChartData& chart = window.chartView()->chartData();
    EXPECT_EQ(chart.rows.size(), 1001u);
    EXPECT_EQ(chart.columnLabels[0], "Curva a un livello");
    window.setLanGraf(Language::English);
    EXPECT_EQ(window.chartView()->chartData().columnLabels[0], "One level curve");
    EXPECT_EQ(window.chartView()->chartData().title, "Accuracy");
}

TEST_F(AccuracyWindowTest, AnEmptiedAmountEmptiesTheRecoveryOfItsRow)
{
    typeAmounts(1, {"10", "10", "10"}, {"9.9", "10", "10.1"});
    DataGridView* grid = window.levelGridView(1);
    // cleared "Pesati" of the first row, cut "Trovati" of the second: no recovery of values no longer there
    const struct {
        const char* command;
        int row, column;
    } edits[] = {{"ModificaCancella", 0, 0}, {"ModificaTaglia", 1, 1}};
    for (const auto& e : edits) {
        grid->setFocus();
        grid->setActiveCell(e.row, e.column);
        window.action(e.command)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(cell(1, e.row, e.column), "") << e.command;
        EXPECT_EQ(cell(1, e.row, 2), "") << e.command;
    }
    EXPECT_EQ(cell(1, 2, 2), "101.000");
    window.action("StrumentiCalcola")->trigger();
    EXPECT_EQ(result("AccuOne"), "0");  // refused: the recoveries are not all there
    // typed again, the recovery comes back
    grid->setFocus();
    grid->setActiveCell(0, 0);
    QTest::keyClicks(grid, "2");
    QTest::keyClicks(QApplication::focusWidget(), "0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(cell(1, 0, 2), "49.500");
}

TEST_F(AccuracyWindowTest, ThreeLevelsShowTheTableAndHideTheMeanWhenSignificant)
{
    window.threeLevelOption()->click();
    QApplication::processEvents();
    EXPECT_TRUE(window.anovaFrame()->isVisible());
    EXPECT_TRUE(window.levelGridView(0)->isVisible());
    EXPECT_FALSE(shown("AccuOne"));
    EXPECT_TRUE(shown("AccuSup"));
    EXPECT_TRUE(window.study().isModify());

    typeAmounts(0, {"10", "10", "10"}, {"10.9", "11.1", "11"});
    typeAmounts(1, {"10", "10", "10"}, {"9.9", "10", "10.1"});
    typeAmounts(2, {"10", "10", "10"}, {"8.9", "9.1", "9"});
    window.action("StrumentiCalcola")->trigger();
    EXPECT_EQ(result("AccuSup"), "110.000 ± 2.484");
    EXPECT_EQ(result("AccuInf"), "90.000 ± 2.484");
    EXPECT_EQ(result("AccuMed"), "NONE");
    EXPECT_FALSE(shown("AccuMed"));
    EXPECT_FALSE(shown("LabMed"));
    QTableWidget* table = window.anovaTable();
    EXPECT_EQ(table->item(0, 0)->text(), "Variazione");
    EXPECT_EQ(table->item(1, 4)->text(), "300.000");
    EXPECT_EQ(table->item(1, 5)->text(), "5.14 (S)");
    // the cells never written are painted in the button face, text and background alike
    EXPECT_EQ(table->item(2, 4)->background().color(), table->item(2, 4)->foreground().color());
    EXPECT_EQ(window.chartView()->chartData().columnLabels.size(), 6u);

    // back to one level: nothing is recomputed, the one-level result stays as it was
    window.oneLevelOption()->click();
    QApplication::processEvents();
    EXPECT_FALSE(window.anovaFrame()->isVisible());
    EXPECT_EQ(result("AccuOne"), "0");
}

TEST_F(AccuracyWindowTest, EntryMovesOnThroughTheThreeGrids)
{
    window.threeLevelOption()->click();
    DataGridView* central = window.levelGridView(1);
    central->setFocus();
    central->setActiveCell(2, 1);
    QTest::keyClick(central, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), window.levelGridView(2));
    EXPECT_EQ(window.levelGridView(2)->currentIndex().row(), 0);
    EXPECT_EQ(window.levelGridView(2)->currentIndex().column(), 0);

    // from the lower grid on to the upper one
    DataGridView* lower = window.levelGridView(2);
    lower->setActiveCell(2, 1);
    QTest::keyClick(lower, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), window.levelGridView(0));

    // backwards from the first cell of the upper grid to the last "Trovati" cell of the lower grid
    DataGridView* upper = window.levelGridView(0);
    upper->setActiveCell(0, 0);
    QTest::keyClick(upper, Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), lower);
    EXPECT_EQ(lower->currentIndex().row(), 2);
    EXPECT_EQ(lower->currentIndex().column(), 1);

    // the recovery column is not entered from "Trovati"
    central->setFocus();
    central->setActiveCell(1, 1);
    QTest::keyClick(central, Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_EQ(central->currentIndex().column(), 1);
}

// Clicking a recovery and pressing Enter or Down once ended the program: the window kept setting the current
// cell back to the previous one, itself a recovery. Both level modes, with real clicks and keys.
TEST_F(AccuracyWindowTest, TheRecoveryColumnIsNeverTheCurrentCellAndNothingRecurses)
{
    for (const bool three : {false, true}) {
        (three ? window.threeLevelOption() : window.oneLevelOption())->click();
        QApplication::processEvents();
        typeAmounts(1, {"10", "10", "10"}, {"9.9", "10", "10.1"});
        DataGridView* central = window.levelGridView(1);
        const auto clickRecovery = [&](int row) {
            const QRect cell = central->visualRect(central->model()->index(row, 2));
            QTest::mouseClick(central->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
            QApplication::processEvents();
        };
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Up, Qt::Key_Tab, Qt::Key_Right}) {
            clickRecovery(1);
            // the click selects the recovery (to copy it); typing would go to "Trovati"
            EXPECT_EQ(central->selectedBlock(), (GridBlock{1, 2, 1, 1}));
            EXPECT_EQ(central->currentIndex(), central->model()->index(1, 1));
            QTest::keyClick(central, key);
            QApplication::processEvents();
            for (int level = 0; level < 3; ++level)
                EXPECT_NE(window.levelGridView(level)->currentIndex().column(), 2)
                    << key << " three " << three;
        }
        // from the last recovery, Down moves on to the next grid with three levels and stays with one
        clickRecovery(2);
        QTest::keyClick(central, Qt::Key_Down);
        QApplication::processEvents();
        if (three) {
            EXPECT_EQ(QApplication::focusWidget(), window.levelGridView(2));
        } else {
            EXPECT_EQ(central->currentIndex(), central->model()->index(2, 1));
        }
        // typing after a click on a recovery goes into "Trovati", the recovery follows
        clickRecovery(0);
        for (const QChar ch : QStringLiteral("9.8"))
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(cell(1, 0, 1), "9.800");
        EXPECT_EQ(cell(1, 0, 2), "98.000");
    }
}

TEST_F(AccuracyWindowTest, CountFieldRulesKeepTheValuesTyped)
{
    typeAmounts(1, {"10", "10", "10"}, {"9.9", "10", "10.1"});
    QLineEdit* count = window.countField();
    count->setFocus();
    QApplication::processEvents();
    count->selectAll();
    QTest::keyClicks(count, "5");
    EXPECT_EQ(window.levelGridView(1)->model()->rowCount(), 5);
    EXPECT_EQ(cell(1, 2, 1), "10.100");
    EXPECT_EQ(cell(1, 4, 0), "0.000");
    EXPECT_TRUE(window.accuracy().levelGrid(1).isLocked(4, 2));
    EXPECT_TRUE(window.study().isModify());

    // a count below 3 is replaced by 3 when the field is left
    count->selectAll();
    QTest::keyClicks(count, "2");
    EXPECT_EQ(window.levelGridView(1)->model()->rowCount(), 5);
    window.levelGridView(1)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(count->text(), "3");
    EXPECT_EQ(window.accuracy().determinations(), 3);
    EXPECT_EQ(cell(1, 2, 1), "10.100");
}

TEST_F(AccuracyWindowTest, UndoTakesBackACountWithTheRowsOfTheThreeGrids)
{
    window.threeLevelOption()->click();
    typeAmounts(2, {"10", "10", "10"}, {"9.9", "10", "10.1"});
    QLineEdit* count = window.countField();
    count->setFocus();
    QApplication::processEvents();
    count->selectAll();
    QTest::keyClicks(count, "12");  // "1" is no count yet, "12" is: one step
    window.levelGridView(1)->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(window.levelGridView(2)->model()->rowCount(), 12);
    window.action("ModificaAnnulla")->trigger();
    EXPECT_EQ(window.accuracy().determinations(), 3);
    EXPECT_EQ(count->text(), "3");
    EXPECT_EQ(window.levelGridView(0)->model()->rowCount(), 3);
    EXPECT_EQ(cell(2, 2, 2), "101.000");
    EXPECT_TRUE(window.accuracy().levelGrid(2).isLocked(2, 2));
    window.action("ModificaRipeti")->trigger();
    EXPECT_EQ(window.accuracy().determinations(), 12);
    EXPECT_EQ(window.levelGridView(1)->model()->rowCount(), 12);
    // the typing before it is the next step back
    window.action("ModificaAnnulla")->trigger();
    window.action("ModificaAnnulla")->trigger();
    EXPECT_EQ(cell(2, 2, 1), "0.000");
}

TEST_F(AccuracyWindowTest, UnitFollowsIntoTheLevelCaptions)
{
    QLineEdit* unit = window.headerField(3);
    ASSERT_NE(unit, nullptr);
    unit->setFocus();
    QTest::keyClicks(unit, "mg/l");
    EXPECT_EQ(window.levelCaption(0)->text(), "Liv. superiore (mg/l)");
    EXPECT_EQ(window.levelCaption(2)->text(), "Liv. inferiore (mg/l)");
    EXPECT_TRUE(window.study().isModify());
}

TEST_F(AccuracyWindowTest, SavedStudyOpensInItsLevelMode)
{
    test::TempDir dir;
    window.threeLevelOption()->click();
    typeAmounts(0, {"10", "10", "10"}, {"9.9", "10.1", "10"});
    typeAmounts(1, {"10", "10", "10"}, {"9.8", "10", "9.9"});
    typeAmounts(2, {"10", "10", "10"}, {"10", "10.2", "10.1"});
    host.script.savePaths.push_back(dir / "tre.ACC");
    ASSERT_TRUE(window.saveStudyFileAs());

    window.oneLevelOption()->click();
    host.script.answers.push_back(Answer::No);
    window.newDocument();
    host.script.openPaths.push_back(dir / "tre.ACC");
    ASSERT_TRUE(window.openStudyFile());
    EXPECT_TRUE(window.threeLevelOption()->isChecked());
    EXPECT_EQ(result("AccuMed"), "100.000 ± 0.999");
    EXPECT_TRUE(shown("AccuMed"));
    EXPECT_EQ(window.anovaTable()->item(1, 5)->text(), "5.14 (NS)");
    EXPECT_FALSE(window.study().isModified());
}

}  // namespace
}  // namespace kestra
