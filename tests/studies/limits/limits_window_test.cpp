// The limits window: typing measurements and computing, the count field's rules, switching the limit shown,
// and a study saved and read back through the window.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/limits/limits_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "framework/ui/data_grid_view.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"
#include "tests/framework/ui/typing.h"

namespace kestra {
namespace {

using test::TestHost;

class LimitsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    void typeMeasurements(const QStringList& values, int firstRow = 0)
    {
        DataGridView* grid = window.dataGrid();
        grid->setActiveCell(firstRow, 0);
        grid->setFocus();
        for (const QString& v : values) {
            test::typeText(grid, v);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }
    // Replaces the count by typing, as a user selecting the field's text and typing over it.
    void typeCount(const QString& text)
    {
        QLineEdit* count = window.countField();
        count->setFocus();
        QApplication::processEvents();
        count->selectAll();
        QTest::keyClicks(count, text);
    }
    QString cellText(int row) const
    {
        return window.dataGrid()->model()->data(window.dataGrid()->model()->index(row, 0)).toString();
    }

    TestHost host;
    LimitsWindow window{host};
};

TEST_F(LimitsWindowTest, NewWindowShowsTheResetState)
{
    EXPECT_EQ(window.documentTitle(), "Limiti - no file");
    EXPECT_EQ(window.countField()->text(), "10");
    EXPECT_EQ(window.countField()->toolTip(), "min. 5, max. 99");
    EXPECT_TRUE(window.optionButton(0)->isChecked());
    EXPECT_FALSE(window.optionButton(1)->isChecked());
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 10);
    EXPECT_EQ(window.dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), "Risultati");
    EXPECT_EQ(cellText(9), "0.000");
    EXPECT_EQ(window.stDevLabel()->text(), "0.000");
    EXPECT_EQ(window.limitCaption()->text(), "Limite di rilevazione");
    EXPECT_TRUE(window.conclusionBox()->toPlainText().isEmpty());
    EXPECT_FALSE(window.study().isModified());
}

TEST_F(LimitsWindowTest, FiveMeasurementsGiveTheLimitsAndTheConclusion)
{
    typeCount("5");
    typeMeasurements({"1", "2", "3", "4", "5"});
    window.action("StrumentiCalcola")->trigger();
    EXPECT_EQ(window.stDevLabel()->text(), "1.581");
    EXPECT_EQ(window.detectionLabel()->text(), "3.162");
    EXPECT_EQ(window.quantitationLabel()->text(), "15.811");
    EXPECT_FALSE(window.detectionLabel()->isHidden());
    EXPECT_TRUE(window.quantitationLabel()->isHidden());
    const QString conclusion = window.conclusionBox()->toPlainText();
    EXPECT_TRUE(conclusion.startsWith("C O N V A L I D A  D E L   M E T O D O   A N A L I T I C O\n"));
    EXPECT_TRUE(conclusion.contains("LIMITE DI RILEVAZIONE\n"));
    EXPECT_TRUE(conclusion.endsWith("3.162")) << conclusion.toStdString();
    EXPECT_TRUE(
        conclusion.contains("( "
                            " )"));  // empty unit: just the template's two blanks
    EXPECT_TRUE(host.script.messages.empty());
}

TEST_F(LimitsWindowTest, DecimalCommaShowsInGridResultsAndConclusion)
{
    SetUserDecimalSeparator(',');
    window.newDocument();  // rebuilds the texts with this user's separator
    typeMeasurements({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0,5"});
    window.calculate();
    EXPECT_EQ(cellText(9), "0,500");
    EXPECT_EQ(window.stDevLabel()->text(), "0,158");
    EXPECT_EQ(window.detectionLabel()->text(), "0,316");
    EXPECT_TRUE(window.conclusionBox()->toPlainText().endsWith("0,316"));
}

TEST_F(LimitsWindowTest, SwitchingTheLimitShowsTheOtherResultWithoutRecalculating)
{
    window.headerField(3)->setFocus();
    QTest::keyClicks(window.headerField(3), "ng/ml");
    typeMeasurements({"1", "2", "3", "4", "5"}, 0);
    window.calculate();
    const QString stDev = window.stDevLabel()->text();
    typeMeasurements({"90"}, 0);  // a change after the calculation must not show up
    QTest::mouseClick(window.optionButton(1), Qt::LeftButton);
    EXPECT_EQ(window.limits().option(), LimitsStudy::Option::Quantitation);
    EXPECT_EQ(window.limitCaption()->text(), "Limite di determinazione");
    EXPECT_TRUE(window.detectionLabel()->isHidden());
    EXPECT_FALSE(window.quantitationLabel()->isHidden());
    EXPECT_EQ(window.stDevLabel()->text(), stDev);
    const QString conclusion = window.conclusionBox()->toPlainText();
    EXPECT_TRUE(conclusion.contains("LIMITE DI DETERMINAZIONE\n"));
    EXPECT_TRUE(conclusion.contains("( ng/ml )"));
    EXPECT_TRUE(conclusion.endsWith(window.quantitationLabel()->text()));
    EXPECT_TRUE(window.study().isModify());
}

TEST_F(LimitsWindowTest, CountBelowFiveIsSetToTenOnLeavingAndTheFocusStays)
{
    typeCount("4");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 10);  // below 5: no rebuild while typing
    window.headerField(0)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.countField()->text(), "10");
    EXPECT_TRUE(window.countField()->hasFocus());

    window.countField()->clear();
    window.headerField(1)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.countField()->text(), "10");
    EXPECT_TRUE(window.countField()->hasFocus());
}

TEST_F(LimitsWindowTest, CountChangesRebuildTheGridAndKeepTheValues)
{
    typeMeasurements({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    window.study().setModify(false);
    typeCount("12");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 12);
    EXPECT_EQ(cellText(0), "1.000");
    EXPECT_EQ(cellText(9), "10.000");
    EXPECT_EQ(cellText(11), "0.000");
    EXPECT_TRUE(window.study().isModify());
    window.headerField(0)->setFocus();
    QApplication::processEvents();

    // typing 50 passes through 5: the rows 6 to 10 must come back with their values
    typeCount("50");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 50);
    EXPECT_EQ(cellText(5), "6.000");
    EXPECT_EQ(cellText(9), "10.000");
    EXPECT_EQ(cellText(10), "0.000");
    EXPECT_EQ(window.countField()->text(), "50");
}

TEST_F(LimitsWindowTest, SavedStudyReadsBackThroughTheWindow)
{
    test::TempDir dir;
    window.headerField(0)->setFocus();
    QTest::keyClicks(window.headerField(0), "HPLC");
    typeCount("6");
    typeMeasurements({"0.1", "0.2", "0.3", "0.4", "0.5", "0.6"});
    QTest::mouseClick(window.optionButton(1), Qt::LeftButton);
    host.script.savePaths = {dir / "s.LIM"};
    ASSERT_TRUE(window.saveStudyFile());
    EXPECT_FALSE(window.study().isModified());

    host.script.answers = {};
    window.newDocument();
    EXPECT_EQ(window.countField()->text(), "10");
    host.script.openPaths = {dir / "s.LIM"};
    ASSERT_TRUE(window.openStudyFile());
    EXPECT_EQ(window.documentTitle().toStdString(), "Limiti - " + (dir / "s.LIM").string());
    EXPECT_EQ(window.headerField(0)->text(), "HPLC");
    EXPECT_EQ(window.countField()->text(), "6");
    EXPECT_TRUE(window.optionButton(1)->isChecked());
    EXPECT_EQ(cellText(5), "0.600");
    EXPECT_EQ(window.quantitationLabel()->text(), "1.871");  // computed on opening
    EXPECT_FALSE(window.study().isModified());
    EXPECT_TRUE(host.script.messages.empty());
}

}  // namespace
}  // namespace kestra
