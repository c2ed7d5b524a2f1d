// The data grid on screen: typing with the numeric editor, Enter and Advance, clipboard blocks, drag-and-drop
// answers, and the number-format dialog.
#include "framework/ui/data_grid_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "framework/ui/data_grid_model.h"
#include "framework/ui/form_numero.h"
#include "tests/framework/scripted_prompts.h"
#include "tests/framework/ui/typing.h"

namespace kestra {
namespace {

using test::ScriptedPrompts;

class DataGridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        grid.setFormat({3, 3});
        view.resize(400, 400);
        view.show();
        view.activateWindow();
        view.setFocus();
        QApplication::processEvents();
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    // Types text into the active cell and confirms it with Enter, as a user would.
    void typeIntoCell(int row, int column, const QString& text)
    {
        view.setActiveCell(row, column);
        view.setFocus();
        test::typeText(&view, text);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, &view) << "typing did not open the cell editor";
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }

    DataGrid grid{4, 2};
    ScriptedPrompts prompts;
    DataGridView view{grid, prompts};
};

TEST_F(DataGridViewTest, TypedNumberReplacesCellSetsChangedAndEnterGoesDown)
{
    grid.setCell(0, 0, 7.0);
    int edits = 0;
    QObject::connect(&view, &DataGridView::edited, [&] { ++edits; });
    typeIntoCell(0, 0, "12.5");
    EXPECT_EQ(grid.cell(0, 0), 12.5);
    EXPECT_TRUE(grid.changed());
    EXPECT_GT(edits, 0);
    EXPECT_EQ(view.currentIndex().row(), 1);
    EXPECT_EQ(view.model()->data(view.model()->index(0, 0)).toString(), "12.500");
}

TEST_F(DataGridViewTest, EditorRefusesMinusSignsLettersAndDigitsBeyondTheFormat)
{
    typeIntoCell(0, 0, "-4");
    EXPECT_EQ(grid.cell(0, 0), 4.0);  // the minus never got in
    typeIntoCell(1, 0, "12345");
    EXPECT_EQ(grid.cell(1, 0), 123.0);  // three integer digits
    typeIntoCell(2, 0, "1.23456");
    EXPECT_EQ(grid.cell(2, 0), 1.234);  // three decimals
    typeIntoCell(3, 0, "x");
    EXPECT_FALSE(grid.cell(3, 0).has_value());
}

TEST_F(DataGridViewTest, DecimalCommaIsTypedAndShown)
{
    SetUserDecimalSeparator(',');
    typeIntoCell(0, 0, "1,5");
    EXPECT_EQ(grid.cell(0, 0), 1.5);
    EXPECT_EQ(view.model()->data(view.model()->index(0, 0)).toString(), "1,500");
    typeIntoCell(1, 0, "2.5");  // the point is not this user's separator
    EXPECT_EQ(grid.cell(1, 0), 25.0);
}

TEST_F(DataGridViewTest, ModelRefusesOutOfRangeValuesAndLockedCells)
{
    QAbstractItemModel* m = view.model();
    EXPECT_FALSE(m->setData(m->index(0, 0), "1000"));
    EXPECT_FALSE(m->setData(m->index(0, 0), "abc"));
    EXPECT_TRUE(m->setData(m->index(0, 0), "999.999"));
    grid.setLocked(1, 0, true);
    EXPECT_FALSE(m->setData(m->index(1, 0), "1"));
    EXPECT_FALSE(m->flags(m->index(1, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m->setData(m->index(0, 0), ""));  // emptying a cell is allowed
    EXPECT_FALSE(grid.cell(0, 0).has_value());
}

TEST_F(DataGridViewTest, AdvanceWrapsBetweenColumnsAtTheEnds)
{
    view.setActiveCell(3, 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.currentIndex(), view.model()->index(0, 1));
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.currentIndex(), view.model()->index(3, 0));
    // the last row of the last column and the first row of the first column stay put
    view.setActiveCell(3, 1);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.currentIndex(), view.model()->index(3, 1));
    view.setActiveCell(0, 0);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.currentIndex(), view.model()->index(0, 0));
    // Enter without typing moves down too, and on to the next column
    view.setActiveCell(3, 0);
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(view.currentIndex(), view.model()->index(0, 1));
}

TEST_F(DataGridViewTest, CopyCutPasteAndClearGoThroughTheClipboardAsTabSeparatedText)
{
    grid.setCell(0, 0, 1.0);
    grid.setCell(0, 1, 2.0);
    grid.setCell(1, 0, 3.0);
    view.selectBlock({0, 0, 2, 2});
    view.copyBlock();
    EXPECT_EQ(QApplication::clipboard()->text(), "1.000\t2.000\n3.000\t");

    view.selectBlock({2, 0, 1, 1});
    view.pasteBlock();
    EXPECT_EQ(grid.cell(2, 0), 1.0);
    EXPECT_EQ(grid.cell(2, 1), 2.0);
    EXPECT_EQ(grid.cell(3, 0), 3.0);
    EXPECT_TRUE(prompts.messages.empty());

    view.selectBlock({0, 0, 1, 2});
    view.cutBlock();
    EXPECT_EQ(QApplication::clipboard()->text(), "1.000\t2.000");
    EXPECT_FALSE(grid.cell(0, 0).has_value());
    EXPECT_FALSE(grid.cell(0, 1).has_value());

    view.selectBlock({3, 0, 1, 1});
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_FALSE(grid.cell(3, 0).has_value());
}

TEST_F(DataGridViewTest, PastedSpreadsheetTextWithBadValuesIsRefusedCellByCellWithAMessage)
{
    grid.setCell(1, 1, 8.0);
    view.setActiveCell(0, 0);
    view.pasteText("1.5\t2\r\n-3\tabc\r\n1000\t4\r\n5\t6\r\n7\t8\r\n");
    EXPECT_EQ(grid.cell(0, 0), 1.5);
    EXPECT_EQ(grid.cell(0, 1), 2.0);
    EXPECT_FALSE(grid.cell(1, 0).has_value());  // -3 refused
    EXPECT_EQ(grid.cell(1, 1), 8.0);             // "abc" refused, the old value stays
    EXPECT_EQ(grid.cell(2, 1), 4.0);
    EXPECT_EQ(grid.cell(3, 0), 5.0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    const std::string& m = prompts.messages[0].text;
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_NE(m.find("riga 2, colonna 1"), std::string::npos) << m;
    EXPECT_NE(m.find("\"abc\" non è un numero"), std::string::npos) << m;
    EXPECT_NE(m.find("riga 3, colonna 1: 1000"), std::string::npos) << m;
    EXPECT_NE(m.find("2 valori cadono fuori dalla griglia"), std::string::npos) << m;
}

TEST_F(DataGridViewTest, DropAsksOnlyWhenCellsWouldBeOverwritten)
{
    grid.setCell(0, 0, 1.0);
    grid.setCell(1, 0, 2.0);
    // onto empty cells: moved, no question
    EXPECT_TRUE(view.dropBlock({0, 0, 2, 1}, 0, 1));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_FALSE(grid.cell(0, 0).has_value());
    EXPECT_EQ(grid.cell(1, 1), 2.0);

    grid.setCell(2, 0, 9.0);
    // onto a filled cell: Cancel leaves both blocks as they were
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(view.dropBlock({0, 1, 2, 1}, 1, 0));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text, "Desideri spostare i dati selezionati?\r\nScegliendo No i dati verranno copiati");
    EXPECT_EQ(prompts.questions[0].icon, MessageIcon::Question);
    EXPECT_EQ(grid.cell(0, 1), 1.0);
    EXPECT_EQ(grid.cell(2, 0), 9.0);

    // No copies
    prompts.answers = {Answer::No};
    EXPECT_TRUE(view.dropBlock({0, 1, 2, 1}, 1, 0));
    EXPECT_EQ(grid.cell(1, 0), 1.0);
    EXPECT_EQ(grid.cell(2, 0), 2.0);
    EXPECT_EQ(grid.cell(0, 1), 1.0);

    // Yes moves
    prompts.answers = {Answer::Yes};
    EXPECT_TRUE(view.dropBlock({0, 1, 2, 1}, 2, 0));
    EXPECT_EQ(grid.cell(2, 0), 1.0);
    EXPECT_EQ(grid.cell(3, 0), 2.0);
    EXPECT_FALSE(grid.cell(0, 1).has_value());
    EXPECT_TRUE(grid.changed());
}

TEST(FormNumeroTest, RefusesTooManyDigitsAndNoIntegersAndAcceptsTenAndThree)
{
    ScriptedPrompts prompts;
    FormNumero dialog(prompts, {3, 3});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Formato numeri");
    EXPECT_EQ(dialog.integersField()->text(), "3");
    EXPECT_EQ(dialog.decimalsField()->text(), "3");

    dialog.integersField()->setText("10");
    dialog.decimalsField()->setText("4");
    dialog.okButton()->click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "La somma di interi e decimali non puo' eccedere 13");
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.chosen());

    dialog.integersField()->setText("0");
    dialog.decimalsField()->setText("3");
    dialog.okButton()->click();
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text, "Il valore degli interi deve essere > 0");
    EXPECT_TRUE(dialog.isVisible());

    dialog.integersField()->clear();
    QTest::keyClicks(dialog.integersField(), "1a-0");  // only digits get in
    EXPECT_EQ(dialog.integersField()->text(), "10");
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_TRUE(dialog.chosen());
    EXPECT_EQ(*dialog.chosen(), (NumberFormat{10, 3}));
}

TEST(FormNumeroTest, AnnullaChangesNothing)
{
    ScriptedPrompts prompts;
    FormNumero dialog(prompts, {7, 3});
    dialog.show();
    dialog.integersField()->setText("2");
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.chosen());
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace kestra
