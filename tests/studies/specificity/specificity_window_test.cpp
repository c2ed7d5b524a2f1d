// The specificity window: the group-size boxes and their rules, typed results computed, the refusals shown
// as warnings, and the means chart.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/specificity/specificity_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "framework/ui/data_grid_view.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

using test::TestHost;

class SpecificityWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    void typeColumn(int column, const QStringList& values)
    {
        DataGridView* grid = window.dataGrid();
        grid->setFocus();
        grid->setActiveCell(0, column);
        for (const QString& v : values) {
            for (const QChar ch : v) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }
    void typeSize(int group, const QString& text)
    {
        QLineEdit* field = window.groupField(group);
        field->setFocus();
        QApplication::processEvents();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QString result(const char* name) const { return window.resultLabel(QString::fromLatin1(name))->text(); }

    TestHost host;
    SpecificityWindow window{host};
};

TEST_F(SpecificityWindowTest, NewWindowShowsTheResetState)
{
    EXPECT_EQ(window.documentTitle(), "Specificità - no file");
    EXPECT_EQ(window.tabs()->currentIndex(), 1);
    EXPECT_EQ(window.groupField(0)->text(), "5");
    EXPECT_EQ(window.groupField(1)->toolTip(), "min. 5, max. 99");
    EXPECT_EQ(window.headerField(3), nullptr);
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 5);
    EXPECT_EQ(window.dataGrid()->model()->headerData(1, Qt::Horizontal).toString(), "Gruppo B");
    EXPECT_EQ(result("MediaA"), "0.000");
    EXPECT_EQ(result("InfConfB"), "0");
    EXPECT_EQ(result("GdL"), "0");
    EXPECT_EQ(result("Giudizio"), "Giudizio");
    EXPECT_TRUE(window.chartView()->chartData().empty());
}

TEST_F(SpecificityWindowTest, TypedGroupsAreCompared)
{
    typeColumn(0, {"98", "98.5", "97.5", "98.2", "97.8"});
    typeColumn(1, {"100", "100.5", "99.5", "100.2", "99.8"});
    window.action("StrumentiCalcola")->trigger();
    EXPECT_TRUE(host.script.messages.empty());
    EXPECT_EQ(result("MediaA"), "98.000");
    EXPECT_EQ(result("SupConfB"), "100.472");
    EXPECT_EQ(result("T"), "8.305");
    EXPECT_EQ(result("GdL"), "8");
    EXPECT_EQ(result("Giudizio"), "Differenza SIGNIFICATIVA (P = 95%)");
    EXPECT_TRUE(window.conclusionBox()->toPlainText().startsWith("C O N V A L I D A   D E L"));

    const ChartData& chart = window.chartView()->chartData();
    EXPECT_EQ(chart.kind, ChartData::Kind::HighLow);
    ASSERT_EQ(chart.rows.size(), 2u);
    EXPECT_EQ(chart.rowLabels[1], "B");
    EXPECT_EQ(chart.title, "Specificità: medie");
    window.setLanGraf(Language::English);
    EXPECT_EQ(window.chartView()->chartData().xAxis.title, "Groups");
}

TEST_F(SpecificityWindowTest, RefusalsAreWarningsAndKeepTheResults)
{
    typeColumn(0, {"98", "98.5", "97.5", "98.2", "97.8"});
    window.action("StrumentiCalcola")->trigger();
    ASSERT_EQ(host.script.messages.size(), 1u);
    EXPECT_EQ(host.script.messages[0].text, SpecificityStudy::kAllZeroWarning);
    EXPECT_EQ(host.script.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(result("MediaA"), "0.000");

    typeColumn(1, {"100", "100", "100", "100", "100"});
    window.action("StrumentiCalcola")->trigger();
    ASSERT_EQ(host.script.messages.size(), 2u);
    EXPECT_EQ(host.script.messages[1].text, SpecificityStudy::kAllEqualWarning);
}

TEST_F(SpecificityWindowTest, GroupSizesShapeTheGrid)
{
    typeColumn(1, {"100", "100.5", "99.5", "100.2", "99.8"});
    typeSize(0, "8");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 8);
    const DataGrid& grid = window.specificity().grid();
    EXPECT_TRUE(grid.isLocked(7, 1));
    EXPECT_FALSE(grid.hasNumber(7, 1));
    EXPECT_EQ(grid.cell(7, 0), 0.0);
    EXPECT_EQ(grid.cell(4, 1), 99.8);
    EXPECT_TRUE(window.study().isModify());

    // typing "50" passes through 5; the rows it drops come back
    typeSize(1, "50");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 50);
    EXPECT_EQ(grid.cell(4, 1), 99.8);
    EXPECT_EQ(grid.cell(49, 1), 0.0);
    typeSize(1, "5");

    // below 5 the size is put back to 5 when the box is left
    typeSize(0, "3");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 8);
    window.dataGrid()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.groupField(0)->text(), "5");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 5);
}

}  // namespace
}  // namespace kestra
