// The Tara window: new state, a calculation typed in, the dimension boxes' rules, the concentrations dialog,
// the unit in the concentration frame, and the charts side by side with enlarge and restore.
#include "studies/calibration/calibration_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "framework/ui/concentrations_dialog.h"
#include "framework/ui/data_grid_view.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"
#include "tests/framework/ui/typing.h"

namespace kestra {
namespace {

using test::TestHost;

class CalibrationWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    std::unique_ptr<CalibrationWindow> open()
    {
        auto w = std::make_unique<CalibrationWindow>(host);
        w->resize(1200, 800);
        w->show();
        w->activateWindow();
        QApplication::processEvents();
        return w;
    }
    static void typeDimension(CalibrationWindow& w, int index, const QString& text)
    {
        QLineEdit* box = w.dimensionBox(index);
        box->setFocus();
        QApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static void leave(CalibrationWindow& w)
    {
        w.dataGrid()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // Types the values level by level: Return at the foot of a column moves to the top of the next one.
    static void typeValues(CalibrationWindow& w, const QStringList& values)
    {
        DataGridView* grid = w.dataGrid();
        grid->setActiveCell(0, 0);
        grid->setFocus();
        for (const QString& v : values) {
            test::typeText(grid, v);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }
    // Runs `act` on the modal concentrations dialog once it is shown, then lets `trigger` open it.
    static void withDialog(const std::function<void(ConcentrationsDialog&)>& act,
                           const std::function<void()>& trigger)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ConcentrationsDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            act(*dialog);
        });
        trigger();
        EXPECT_TRUE(seen) << "the concentrations dialog did not open";
    }
    static void enterWorkedExample(CalibrationWindow& w)
    {
        typeDimension(w, 0, "4");
        leave(w);
        typeValues(w, {"1.0", "1.2", "0.8", "2.1", "1.9", "2.0", "2.9", "3.1", "3.0", "4.2", "3.9", "4.0"});
    }

    TestHost host;
};

TEST_F(CalibrationWindowTest, NewWindowShowsTheNewStudy)
{
    auto w = open();
    EXPECT_EQ(w->objectName(), "Tara");
    EXPECT_EQ(w->documentTitle(), "Taratura - no file");
    ASSERT_EQ(w->tabs()->count(), 5);
    EXPECT_EQ(w->tabs()->tabText(3).toStdString(), "Residui");
    EXPECT_EQ(w->tabs()->tabText(4).toStdString(), "Statistica estesa");
    EXPECT_EQ(w->tabs()->tabText(0).toStdString(), "Info/Conclusioni");
    EXPECT_EQ(w->tabs()->tabText(2).toStdString(), "Grafici");
    EXPECT_EQ(w->tabs()->currentIndex(), 1);
    EXPECT_EQ(w->dimensionBox(0)->text().toStdString(), "5");
    EXPECT_EQ(w->dimensionBox(1)->text().toStdString(), "3");
    EXPECT_EQ(w->totalBox()->text().toStdString(), "15");
    EXPECT_EQ(w->concentrationFrame()->title().toStdString(), "Concentrazioni µg/ml");
    EXPECT_EQ(w->dataGrid()->model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "5.000");
    EXPECT_EQ(w->resultLabel(0)->text().toStdString(), "0.000");
    EXPECT_FALSE(w->action("StrumentiCalcola")->isEnabled());
    ASSERT_NE(w->concentrationsAction(), nullptr);
    // the never-written cells of the analysis of variance wear the button face
    const QColor face = w->palette().color(QPalette::Button);
    EXPECT_EQ(w->anovaTable()->item(3, 4)->background().color(), face);
    EXPECT_EQ(w->anovaTable()->item(4, 3)->background().color(), face);
    EXPECT_NE(w->anovaTable()->item(4, 2)->background().color(), face);
    EXPECT_EQ(w->anovaTable()->item(0, 5)->text().toStdString(), "Signif. (0,05%)");
    // the cells the calculation writes show a plain 0 in a new study, the result labels 0 in the pattern
    EXPECT_EQ(w->anovaTable()->item(1, 1)->text().toStdString(), "0");
    EXPECT_EQ(w->anovaTable()->item(2, 3)->text().toStdString(), "0");
    EXPECT_EQ(w->anovaTable()->item(4, 1)->text().toStdString(), "0");
    EXPECT_TRUE(w->regressionChart()->chartData().empty());
    EXPECT_NE(w->regressionChart()->toolTip().indexOf("Ctrl+clic"), -1);
}

TEST_F(CalibrationWindowTest, WorkedExampleTypedInAndComputed)
{
    auto w = open();
    w->headerField(3)->setFocus();
    w->headerField(3)->selectAll();
    QTest::keyClicks(w->headerField(3), "mg/l");
    EXPECT_EQ(w->concentrationFrame()->title().toStdString(), "Concentrazioni mg/l");
    enterWorkedExample(*w);
    EXPECT_EQ(w->totalBox()->text().toStdString(), "12");
    ASSERT_TRUE(w->action("StrumentiCalcola")->isEnabled());
    const int page = w->tabs()->currentIndex();
    w->action("StrumentiCalcola")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(host.script.messages.empty()) << host.script.lastMessage();
    EXPECT_EQ(w->tabs()->currentIndex(), page);
    EXPECT_EQ(w->resultLabel(2)->text().toStdString(), "1.010");
    EXPECT_EQ(w->resultLabel(1)->text().toStdString(), "-0.017");
    EXPECT_EQ(w->resultLabel(6)->text().toStdString(), "-0.218");
    EXPECT_EQ(w->resultLabel(6)->toolTip().toStdString(), "-0.218");
    EXPECT_EQ(w->anovaTable()->item(1, 4)->text().toStdString(), "734.472");
    EXPECT_EQ(w->anovaTable()->item(2, 5)->text().toStdString(), " (NS)");
    EXPECT_EQ(w->anovaTable()->item(4, 2)->text().toStdString(), "11");
    EXPECT_NE(w->conclusionBox()->toPlainText().indexOf("Y = -0.017 + 1.010 X"), -1);
    EXPECT_EQ(w->regressionChart()->chartData().title, "Regressione");
    EXPECT_EQ(w->proportionalityChart()->chartData().title, "Proporzionalità");
    EXPECT_EQ(w->regressionChart()->chartData().series.size(), 5u);  // four levels and the fitted line
    EXPECT_EQ(w->residualsChart()->chartData().title, "Residui");
    EXPECT_EQ(w->chartViews().size(), 3u);
    // beside the residuals: each level's concentration, what its mean response reads back as, the error
    const QTableWidget* back = w->backCalculatedTable();
    ASSERT_EQ(back->rowCount(), 4);
    ASSERT_EQ(back->columnCount(), 4);
    EXPECT_EQ(back->horizontalHeaderItem(2)->text().toStdString(), "Concentrazione ricalcolata");
    EXPECT_EQ(back->item(3, 0)->text().toStdString(), "4");
    EXPECT_EQ(back->item(3, 1)->text().toStdString(), w->calibration().concentrationText(3));
    EXPECT_EQ(back->item(3, 2)->text().toStdString(), "4.0099");  // numpy, as in the study test
    EXPECT_EQ(back->item(3, 2)->toolTip().toStdString(), "Valore completo: 4.00990099009901");
    EXPECT_EQ(back->item(0, 3)->text().toStdString(), "0.660066");

    // a refused calculation warns and leaves the results
    w->calibration().grid().setCell(1, 1, std::nullopt);
    w->action("StrumentiCalcola")->trigger();
    ASSERT_EQ(host.script.messages.size(), 1u);
    EXPECT_EQ(host.script.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(w->resultLabel(2)->text().toStdString(), "1.010");
}

TEST_F(CalibrationWindowTest, DimensionBoxesBeepAndRestoreOutsideTheirLimits)
{
    auto w = open();
    typeDimension(*w, 0, "2");
    EXPECT_EQ(w->calibration().levelCount(), 5);
    leave(*w);
    EXPECT_EQ(host.script.beeps, 1);
    EXPECT_EQ(w->dimensionBox(0)->text().toStdString(), "5");
    EXPECT_FALSE(w->study().isModified());

    // "41" passes through the valid 4: the grid has 4 rows when the box is left
    typeDimension(*w, 1, "41");
    leave(*w);
    EXPECT_EQ(host.script.beeps, 2);
    EXPECT_EQ(w->dimensionBox(1)->text().toStdString(), "4");

    // typing 40 passes through 4 rows; what those dropped comes back
    w->calibration().grid().setCell(2, 4, 7.5);
    w->calibration().setConcentrationText(4, "9.000");
    typeDimension(*w, 0, "4");
    typeDimension(*w, 0, "15");
    leave(*w);
    EXPECT_EQ(w->calibration().levelCount(), 15);
    EXPECT_EQ(w->calibration().grid().cell(2, 4), 7.5);
    EXPECT_EQ(w->calibration().concentrationText(4), "9.000");
    EXPECT_EQ(w->calibration().concentrationText(14), "15.000");
    EXPECT_EQ(w->totalBox()->text().toStdString(), "60");
    EXPECT_TRUE(w->study().isModify());
    EXPECT_EQ(host.script.beeps, 2);
}

TEST_F(CalibrationWindowTest, ConcentrationsDialogFromTheMenuAndTheHeadings)
{
    auto w = open();
    // Ok without a change: headings as they were, modified flag untouched
    withDialog(
        [](ConcentrationsDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Concentrazioni");
            EXPECT_EQ(d.grid()->model()->rowCount(), 5);
            EXPECT_EQ(d.grid()->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Valori");
            EXPECT_EQ(d.grid()->model()->data(d.grid()->model()->index(2, 0)).toString(), "3.000");
            EXPECT_EQ(d.grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            d.okButton()->click();
        },
        [&] { w->concentrationsAction()->trigger(); });
    EXPECT_FALSE(w->study().isModified());

    // a changed value, through a click on a heading
    withDialog(
        [](ConcentrationsDialog& d) {
            d.grid()->model()->setData(d.grid()->model()->index(1, 0), "2.5");
            d.okButton()->click();
        },
        [&] { emit w->dataGrid()->horizontalHeader()->sectionClicked(1); });
    EXPECT_EQ(w->calibration().concentrationText(1), "2.500");
    EXPECT_EQ(w->dataGrid()->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "2.500");
    EXPECT_TRUE(w->study().isModify());

    // Annulla changes nothing
    withDialog(
        [](ConcentrationsDialog& d) {
            d.grid()->model()->setData(d.grid()->model()->index(0, 0), "8");
            d.cancelButton()->click();
        },
        [&] { w->editConcentrations(); });
    EXPECT_EQ(w->calibration().concentrationText(0), "1.000");

    // seven levels or more scroll
    typeDimension(*w, 0, "7");
    leave(*w);
    withDialog(
        [](ConcentrationsDialog& d) {
            EXPECT_EQ(d.grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            d.cancelButton()->click();
        },
        [&] { w->editConcentrations(); });
}

TEST_F(CalibrationWindowTest, ChartsSideBySideEnlargeAndRestore)
{
    auto w = open();
    enterWorkedExample(*w);
    w->action("StrumentiCalcola")->trigger();
    w->tabs()->setCurrentIndex(2);
    QApplication::processEvents();
    ChartView* regr = w->regressionChart();
    ChartView* prop = w->proportionalityChart();
    const QRect page = regr->parentWidget()->rect();
    EXPECT_EQ(regr->geometry(), QRect(0, 0, page.width() / 2, page.height()));
    EXPECT_EQ(prop->geometry().left(), page.width() / 2);
    EXPECT_EQ(prop->geometry().right(), page.right());

    QTest::mouseDClick(regr->viewport(), Qt::LeftButton, {}, regr->viewport()->rect().center());
    EXPECT_TRUE(w->chartEnlarged(0));
    EXPECT_EQ(regr->geometry(), page);
    QTest::mouseClick(prop->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
    EXPECT_TRUE(w->chartEnlarged(1));
    EXPECT_EQ(prop->geometry(), page);
    w->toggleChartSize(0);
    EXPECT_FALSE(w->chartEnlarged(0));
    EXPECT_EQ(regr->geometry().width(), page.width() / 2);
    EXPECT_TRUE(w->chartEnlarged(1));
    // from the keyboard: Enter on the chart that has the focus
    prop->setFocus();
    QTest::keyClick(prop, Qt::Key_Return);
    EXPECT_FALSE(w->chartEnlarged(1));
    QTest::keyClick(prop, Qt::Key_Space);
    EXPECT_TRUE(w->chartEnlarged(1));

    // the next calculation lays them out side by side again
    w->tabs()->setCurrentIndex(1);
    w->action("StrumentiCalcola")->trigger();
    EXPECT_FALSE(w->chartEnlarged(1));
    EXPECT_EQ(w->tabs()->currentIndex(), 1);

    w->setLanGraf(Language::English);
    EXPECT_EQ(regr->chartData().title, "Linearity");
}

}  // namespace
}  // namespace kestra
