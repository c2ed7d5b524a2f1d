// The data grid on screen: typing with the numeric editor, Enter and Advance, clipboard blocks, drag-and-drop
// answers, and the number-format dialog.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/data_grid_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

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

TEST_F(DataGridViewTest, AValueThatDoesNotFitIsRefusedOnEnterAndTheEditorKeepsIt)
{
    grid.setCell(0, 0, 7.0);
    for (const char* typed : {"1000", "-5", "1.2345", "x", "12,3,4"}) {
        prompts.messages.clear();
        view.setActiveCell(0, 0);
        view.setFocus();
        test::typeText(&view, QString::fromLatin1(typed));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << typed;
        EXPECT_EQ(editor->text(), QString::fromLatin1(typed)) << "every keystroke is shown";
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_EQ(prompts.messages.size(), 1u) << typed;
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(prompts.messages[0].text, "Valore non valido: inserire un numero da 0.000 a 999.999");
        EXPECT_EQ(grid.cell(0, 0), 7.0) << typed;
        EXPECT_FALSE(grid.changed());
        // the editor stays open on its cell with the text selected, ready to be typed over
        EXPECT_EQ(QApplication::focusWidget(), editor) << typed;
        EXPECT_EQ(editor->selectedText(), editor->text());
        EXPECT_EQ(view.currentIndex(), view.model()->index(0, 0));
        // Escape gives the cell back its value
        QTest::keyClick(editor, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_FALSE(view.isEditing());
        EXPECT_EQ(view.model()->data(view.model()->index(0, 0)).toString(), "7.000");
    }
}

TEST_F(DataGridViewTest, TabArrowsClicksAndCommandsRefuseTooAndNothingMoves)
{
    auto refusedAfter = [&](const std::function<void(QWidget*)>& confirm) {
        prompts.messages.clear();
        view.setActiveCell(1, 0);
        view.setFocus();
        test::typeText(&view, QStringLiteral("12345"));
        QWidget* editor = QApplication::focusWidget();
        confirm(editor);
        QApplication::processEvents();
        const bool refused = prompts.messages.size() == 1 && view.isEditing() &&
                             view.currentIndex() == view.model()->index(1, 0) && !grid.cell(1, 0);
        if (view.isEditing()) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        return refused;
    };
    EXPECT_TRUE(refusedAfter([](QWidget* e) { QTest::keyClick(e, Qt::Key_Tab); }));
    EXPECT_TRUE(refusedAfter([](QWidget* e) { QTest::keyClick(e, Qt::Key_Down); }));
    EXPECT_TRUE(refusedAfter([](QWidget* e) { QTest::keyClick(e, Qt::Key_Up); }));
    EXPECT_TRUE(refusedAfter([&](QWidget*) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                          view.visualRect(view.model()->index(3, 1)).center());
    }));
    EXPECT_TRUE(refusedAfter([&](QWidget*) { EXPECT_FALSE(view.commitPendingEdit()); }));
    // a value that fits goes in on the same keys, and the arrow moves one row only
    view.setActiveCell(1, 0);
    view.setFocus();
    test::typeText(&view, QStringLiteral("12,5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(grid.cell(1, 0), 12.5);
    EXPECT_EQ(view.currentIndex(), view.model()->index(2, 0));
}

TEST_F(DataGridViewTest, CommaAndPointAreBothTheDecimalSeparatorOnEitherSystem)
{
    for (const char separator : {',', '.'}) {
        SetUserDecimalSeparator(separator);
        view.refresh();
        typeIntoCell(0, 0, "98.75");
        typeIntoCell(1, 0, "10,5");
        EXPECT_EQ(grid.cell(0, 0), 98.75) << separator;
        EXPECT_EQ(grid.cell(1, 0), 10.5) << separator;
        EXPECT_TRUE(prompts.messages.empty());
        const QString shown = view.model()->data(view.model()->index(0, 0)).toString();
        EXPECT_EQ(shown, separator == ',' ? "98,750" : "98.750");
        // pasting follows the same rule
        view.setActiveCell(2, 0);
        view.pasteText(QStringLiteral("1.5\t2,25\n3,5\t4.75"));
        EXPECT_EQ(grid.cell(2, 0), 1.5);
        EXPECT_EQ(grid.cell(2, 1), 2.25);
        EXPECT_EQ(grid.cell(3, 0), 3.5);
        EXPECT_EQ(grid.cell(3, 1), 4.75);
        EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
        // the refusal names the range the user's way
        view.setActiveCell(0, 1);
        view.setFocus();
        test::typeText(&view, QStringLiteral("1000"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, separator == ','
                                                ? "Valore non valido: inserire un numero da 0,000 a 999,999"
                                                : "Valore non valido: inserire un numero da 0.000 a 999.999");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        prompts.messages.clear();
        grid.clear();
    }
}

TEST(DataGridViewFocusTest, TabFromTheLastCellAndShiftTabFromTheFirstLeaveTheGrid)
{
    SetUserDecimalSeparator('.');
    // the grid and the prompts outlive the page that shows them
    DataGrid grid(2, 2);
    grid.setFormat({3, 3});
    ScriptedPrompts prompts;
    QWidget page;
    auto* before = new QLineEdit(&page);
    auto* view = new DataGridView(grid, prompts, &page);
    auto* after = new QLineEdit(&page);
    auto* layout = new QVBoxLayout(&page);
    layout->addWidget(before);
    layout->addWidget(view);
    layout->addWidget(after);
    page.show();
    page.activateWindow();
    QApplication::processEvents();

    view->setFocus();
    view->setActiveCell(0, 0);
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), view->model()->index(0, 1));
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, 0));  // across the rows
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, 1));
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after) << "Tab from the last cell goes on to the next control";

    view->setFocus();
    view->setActiveCell(0, 0);
    QTest::keyClick(view, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), before);

    // Tab while typing in the last cell confirms it and leaves too
    view->setFocus();
    view->setActiveCell(1, 1);
    test::typeText(view, QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(grid.cell(1, 1), 4.0);
    EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST_F(DataGridViewTest, LockedCellsAreSelectedByAClickButNeverTypedInto)
{
    for (int r = 0; r < 4; ++r) grid.setLocked(r, 1, true);
    grid.setCell(2, 1, 42.0);
    // a click selects the locked cell (to copy it); the cell typed into stays in an open column
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                      view.visualRect(view.model()->index(2, 1)).center());
    EXPECT_EQ(view.currentIndex(), view.model()->index(2, 0));
    EXPECT_EQ(view.selectedBlock(), (GridBlock{2, 1, 1, 1}));
    view.copyBlock();
    EXPECT_EQ(QApplication::clipboard()->text(), "42.000");
    // Enter, Down, Right, Ctrl+End and Tab never land on it
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(view.currentIndex(), view.model()->index(3, 0));
    QTest::keyClick(&view, Qt::Key_Down);  // the end of the open cells: no move
    EXPECT_EQ(view.currentIndex(), view.model()->index(3, 0));
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.currentIndex(), view.model()->index(3, 0));
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.currentIndex().column(), 0);
    view.setActiveCell(0, 0);
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(view.currentIndex(), view.model()->index(1, 0));
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
    EXPECT_EQ(grid.cell(1, 1), 8.0);            // "abc" refused, the old value stays
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
    EXPECT_EQ(prompts.questions[0].text,
              "Desideri spostare i dati selezionati?\r\nScegliendo No i dati verranno copiati");
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
