// The Prec window: results typed in and computed, the refusal of an empty result, the count field's rules,
// the chart and its language, a study saved and read back, and how the window looks.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/precision/precision_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

#include "framework/ui/data_grid_view.h"
#include "reporting/ui/chart_print_dialog.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

using test::TestHost;

class PrecisionWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        window.resize(1200, 800);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    void typeResults(const QStringList& values, int firstRow = 0)
    {
        DataGridView* grid = window.dataGrid();
        grid->setActiveCell(firstRow, 0);
        grid->setFocus();
        for (const QString& v : values) {
            // the first key opens the cell's editor; the others go to the editor, not to the grid's search
            QTest::keyClicks(grid, v.left(1));
            QApplication::processEvents();
            QTest::keyClicks(QApplication::focusWidget(), v.mid(1));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }
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
    QString result(const char* name) const { return window.resultLabel(QString::fromLatin1(name))->text(); }

    TestHost host;
    PrecisionWindow window{host};
};

TEST_F(PrecisionWindowTest, NewWindowShowsTheResetState)
{
    EXPECT_EQ(window.documentTitle(), "Ripetibilità - no file");
    EXPECT_EQ(window.tabs()->count(), 3);
    EXPECT_EQ(window.tabs()->tabText(2), "Statistica estesa");
    EXPECT_EQ(window.tabs()->tabText(0), "Info/Dati");
    EXPECT_EQ(window.tabs()->tabText(1), "Grafico");
    EXPECT_EQ(window.tabs()->currentIndex(), 0);
    EXPECT_EQ(window.countField()->text(), "6");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 6);
    EXPECT_EQ(window.dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), "Risultati");
    EXPECT_EQ(cellText(5), "0.000");
    EXPECT_EQ(window.headerField(3), nullptr);  // no unit field in this study
    for (const char* name : {"Media", "StDev", "CV", "T", "P", "InfConf", "SupConf", "IntConf"})
        EXPECT_EQ(result(name), "0.000") << name;
    EXPECT_EQ(result("GdL"), "0");
    EXPECT_TRUE(window.conclusionBox()->toPlainText().isEmpty());
    EXPECT_TRUE(window.chartView()->chart()->series().isEmpty());
    EXPECT_EQ(window.chartView()->chart()->title(), "");
    EXPECT_EQ(window.chartView()->objectName(), "VtGrafPrec");
    EXPECT_FALSE(window.study().isModified());
    EXPECT_FALSE(window.action("StrumentiCalcola")->isEnabled());
}

TEST_F(PrecisionWindowTest, WorkedExampleTypedInWithADecimalComma)
{
    SetUserDecimalSeparator(',');
    window.newDocument();
    typeResults({"10,1", "9,9", "10", "10,2", "9,8", "10"});
    EXPECT_TRUE(window.action("StrumentiCalcola")->isEnabled());
    window.action("StrumentiCalcola")->trigger();
    EXPECT_EQ(result("Media"), "10,000");
    EXPECT_EQ(result("StDev"), "0,141");
    EXPECT_EQ(result("CV"), "1,414");
    EXPECT_EQ(result("GdL"), "5");
    EXPECT_EQ(result("T"), "2,571");
    EXPECT_EQ(result("P"), "0,050");
    EXPECT_EQ(result("InfConf"), "9,852");
    EXPECT_EQ(result("SupConf"), "10,148");
    EXPECT_EQ(result("IntConf"), "0,296");
    EXPECT_EQ(window.resultLabel("IntConf")->toolTip(), "0,296");
    const QString conclusion = window.conclusionBox()->toPlainText();
    EXPECT_TRUE(
        conclusion.startsWith("C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\n\n"
                              "TEST DELLA PRECISIONE\n\n"));
    EXPECT_TRUE(conclusion.contains("P% = ± 1,484\n")) << conclusion.toStdString();
    EXPECT_TRUE(conclusion.endsWith("pari a: 0,141"));
    for (const auto& m : host.script.messages) ADD_FAILURE() << m.text;

    QChart* chart = window.chartView()->chart();
    EXPECT_EQ(chart->title(), "Precisione");
    auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).front());
    EXPECT_NEAR(x->min(), 9.436, 1e-9);
    EXPECT_NEAR(x->max(), 10.564, 1e-9);
    EXPECT_EQ(chart->locale().decimalPoint(), ",");
}

TEST_F(PrecisionWindowTest, EmptyResultIsRefusedWithAWarningAndTheResultsStay)
{
    typeResults({"10.1", "9.9", "10", "10.2", "9.8", "10"});
    window.calculate();
    ASSERT_EQ(result("Media"), "10.000");
    window.dataGrid()->setActiveCell(2, 0);
    window.dataGrid()->setFocus();
    window.clearSelection();  // "Ca&ncella" on the third result
    EXPECT_EQ(cellText(2), "");
    window.calculate();
    ASSERT_EQ(host.script.messages.size(), 1u);
    EXPECT_EQ(host.script.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.script.messages[0].text,
              "Impossibile calcolare: il risultato della riga 3 non è un numero.\n"
              "Inserire un valore numerico in ogni riga della griglia.");
    EXPECT_EQ(result("Media"), "10.000");
    EXPECT_EQ(window.chartView()->chart()->title(), "Precisione");
}

TEST_F(PrecisionWindowTest, EqualResultsShowTheUnavailableChartTitle)
{
    typeCount("3");
    typeResults({"5", "5", "5"});
    window.calculate();
    EXPECT_EQ(result("StDev"), "0.000");
    EXPECT_EQ(result("IntConf"), "0.000");
    EXPECT_EQ(window.chartView()->chart()->title(), "Dev.standard = 0: grafico non disponibile");
    EXPECT_TRUE(window.chartView()->footnoteText().isEmpty());
    for (QAbstractAxis* axis : window.chartView()->chart()->axes())
        EXPECT_FALSE(axis->isTitleVisible() && !axis->titleText().isEmpty());
}

TEST_F(PrecisionWindowTest, CountBelowThreeIsSetToSixOnLeavingAndValuesComeBack)
{
    typeResults({"1", "2", "3", "4", "5", "6"});
    window.study().setModify(false);
    typeCount("2");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 6);  // below 3: nothing applied while typing
    EXPECT_FALSE(window.study().isModify());
    window.headerField(0)->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(window.countField()->text(), "6");
    EXPECT_TRUE(window.countField()->hasFocus());
    EXPECT_EQ(cellText(5), "6.000");

    // typing 40 passes through 4: rows 5 and 6 come back with their values
    typeCount("40");
    EXPECT_EQ(window.dataGrid()->model()->rowCount(), 40);
    EXPECT_EQ(cellText(4), "5.000");
    EXPECT_EQ(cellText(5), "6.000");
    EXPECT_EQ(cellText(39), "0.000");
    EXPECT_TRUE(window.study().isModify());
}

TEST_F(PrecisionWindowTest, ChartTextsFollowSetLanGrafUntilTheNextCalculation)
{
    window.headerField(0)->setFocus();
    QTest::keyClicks(window.headerField(0), "HPLC");
    typeResults({"10.1", "9.9", "10", "10.2", "9.8", "10"});
    window.calculate();
    EXPECT_TRUE(window.chartView()->footnoteText().startsWith("Metodo analitico: HPLC\n"));
    window.setLanGraf(Language::English);
    EXPECT_EQ(window.chartView()->chart()->title(), "Precision");
    EXPECT_EQ(window.chartView()->footnoteText(), "Analytical method: HPLC\nAnalyte: \nSample: ");
    window.calculate();
    EXPECT_EQ(window.chartView()->chart()->title(), "Precisione");
    EXPECT_EQ(window.chartViews().size(), 1u);
    window.action("FileStampaGrafico")->trigger();
    EXPECT_EQ(host.calls.back(), "charts");
}

TEST_F(PrecisionWindowTest, SavedStudyReadsBackThroughTheWindow)
{
    test::TempDir dir;
    window.headerField(0)->setFocus();
    QTest::keyClicks(window.headerField(0), "Titolazione");
    window.headerField(2)->setFocus();
    QTest::keyClicks(window.headerField(2), "Lotto 7");
    typeCount("4");
    typeResults({"0.1", "0.2", "0.3", "0.4"});
    host.script.savePaths = {dir / "s.PRE"};
    ASSERT_TRUE(window.saveStudyFile());
    EXPECT_EQ(test::readFile(dir / "s.PRE"),
              "Kestra for Windows\r\n3\r\n3\r\n2\r\nTitolazione\r\n\r\n\r\nLotto 7\r\n\r\n4\r\n"
              " 1,0.100\r\n2,0.200\r\n3,0.300\r\n4,0.400\r\n");

    window.newDocument();
    EXPECT_EQ(window.countField()->text(), "6");
    host.script.openPaths = {dir / "s.PRE"};
    ASSERT_TRUE(window.openStudyFile());
    EXPECT_EQ(window.documentTitle().toStdString(), "Ripetibilità - " + (dir / "s.PRE").string());
    EXPECT_EQ(window.headerField(2)->text(), "Lotto 7");
    EXPECT_EQ(window.countField()->text(), "4");
    EXPECT_EQ(cellText(3), "0.400");
    EXPECT_EQ(result("Media"), "0.250");  // computed on opening
    EXPECT_EQ(result("T"), "3.182");
    EXPECT_FALSE(window.study().isModified());
    EXPECT_TRUE(host.script.messages.empty());
}

TEST_F(PrecisionWindowTest, Screenshots)
{
    // pictures of both pages for a person to look at; written only when asked for
    const char* folder = std::getenv("KESTRA_SCREENSHOTS");
    if (!folder) GTEST_SKIP() << "KESTRA_SCREENSHOTS not set";
    window.headerField(0)->setFocus();
    QTest::keyClicks(window.headerField(0), "HPLC - metodo interno 12/B");
    window.headerField(1)->setFocus();
    QTest::keyClicks(window.headerField(1), "Paracetamolo");
    window.headerField(2)->setFocus();
    QTest::keyClicks(window.headerField(2), "Compresse lotto 2231");
    typeResults({"10.1", "9.9", "10", "10.2", "9.8", "10"});
    window.calculate();
    QApplication::processEvents();
    window.grab().save(QString::fromLatin1(folder) + "/precision-data.png");
    window.tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    window.grab().save(QString::fromLatin1(folder) + "/precision-chart.png");
    window.resize(900, 600);
    QApplication::processEvents();
    window.grab().save(QString::fromLatin1(folder) + "/precision-chart-small.png");

    QPrinter printer;
    MyPrintGrafDlg print(window, printer, &window);
    print.show();
    QApplication::processEvents();
    print.grab().save(QString::fromLatin1(folder) + "/print-chart-dialog.png");
    MyLayoutDialog layout(*window.chartView(), &window);
    layout.show();
    QApplication::processEvents();
    layout.grab().save(QString::fromLatin1(folder) + "/layout-dialog.png");
}

}  // namespace
}  // namespace kestra
