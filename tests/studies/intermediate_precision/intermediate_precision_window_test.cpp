// The Prin and Ripr windows: reset state, typing series and computing, the dimension boxes' rules, the kind
// of series, the greyed cells of the analysis of variance, the chart, and a study saved and opened.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/intermediate_precision/intermediate_precision_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "framework/services.h"
#include "framework/ui/data_grid_view.h"
#include "reporting/f_table.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

using test::TestHost;

class SeriesWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    std::unique_ptr<IntermediatePrecisionWindow> open(const SeriesStudyConfig& config)
    {
        auto w = std::make_unique<IntermediatePrecisionWindow>(config, host);
        w->show();
        w->activateWindow();
        QApplication::processEvents();
        return w;
    }
    // Types values series by series: Return at the foot of a column moves to the top of the next one.
    static void typeValues(IntermediatePrecisionWindow& w, const QStringList& values)
    {
        DataGridView* grid = w.dataGrid();
        grid->setActiveCell(0, 0);
        grid->setFocus();
        for (const QString& v : values) {
            // the first key opens the cell's editor, which takes the others
            QTest::keyClicks(grid, v.left(1));
            QTest::keyClicks(QApplication::focusWidget(), v.mid(1));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QApplication::processEvents();
        }
    }
    static void typeDimension(IntermediatePrecisionWindow& w, int index, const QString& text)
    {
        QLineEdit* box = w.dimensionBox(index);
        box->setFocus();
        QApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static QString cell(IntermediatePrecisionWindow& w, int row, int column)
    {
        return w.dataGrid()->model()->data(w.dataGrid()->model()->index(row, column)).toString();
    }
    static QString aov(IntermediatePrecisionWindow& w, int row, int column)
    {
        return w.aovTable()->item(row - 1, column - 1)->text();
    }

    void computeTypedSeries(char sep);

    TestHost host;
};

TEST_F(SeriesWindowTest, NewIntermediatePrecisionWindow)
{
    auto w = open(IntermediatePrecisionConfig());
    EXPECT_EQ(w->objectName(), "Prin");
    EXPECT_EQ(w->documentTitle(), "Precisione intermedia - no file");
    ASSERT_EQ(w->tabs()->count(), 4);
    EXPECT_EQ(w->tabs()->tabText(3), "Statistica estesa");
    EXPECT_EQ(w->tabs()->tabText(0), "Info/Conclusioni");
    EXPECT_EQ(w->tabs()->tabText(2), "Grafici");
    EXPECT_EQ(w->tabs()->currentIndex(), 1);
    EXPECT_EQ(w->dimensionBox(0)->text(), "3");
    EXPECT_EQ(w->dimensionBox(1)->text(), "3");
    EXPECT_EQ(w->dimensionBox(0)->toolTip(), "min. 3, max. 20");
    EXPECT_EQ(w->totalBox()->text(), "9");
    EXPECT_TRUE(w->optionButton(0)->isChecked());
    EXPECT_TRUE(w->optionButton(1)->isHidden());
    EXPECT_FALSE(w->optionButton(1)->isEnabled());
    EXPECT_FALSE(w->optionButton(2)->isHidden());
    EXPECT_FALSE(w->treatmentCaption(0)->isHidden());
    EXPECT_TRUE(w->treatmentCaption(1)->isHidden());
    EXPECT_TRUE(w->treatmentCaption(2)->isHidden());
    EXPECT_TRUE(w->estimateLabel()->isHidden());
    EXPECT_EQ(w->resultLabel("STrat")->text(), "0.000");
    EXPECT_EQ(w->meansGrid()->columnCount(), 3);
    EXPECT_EQ(w->meansGrid()->item(0, 2)->text(), "3");
    EXPECT_EQ(w->meansGrid()->item(1, 0)->text(), "0.000");
    EXPECT_EQ(aov(*w, 1, 1), "Variazione");
    EXPECT_EQ(aov(*w, 2, 1), "Tratt. (tra le serie)");
    EXPECT_EQ(aov(*w, 2, 6), "0");
    const QColor face = w->palette().color(QPalette::Button);
    EXPECT_EQ(w->aovTable()->item(3, 3)->background().color(), face);
    EXPECT_EQ(w->aovTable()->item(3, 3)->foreground().color(), face);
    EXPECT_NE(w->aovTable()->item(1, 3)->background().color(), face);
    EXPECT_TRUE(w->chartView()->chartData().empty());
    EXPECT_FALSE(w->study().isModified());
    EXPECT_EQ(w->dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), "1");
}

TEST_F(SeriesWindowTest, NewReproducibilityWindowHasLaboratoriesOnly)
{
    auto w = open(ReproducibilityConfig());
    EXPECT_EQ(w->objectName(), "Ripr");
    EXPECT_EQ(w->documentTitle(), "Riproducibilità - no file");
    EXPECT_TRUE(w->optionButton(1)->isChecked());
    EXPECT_FALSE(w->optionButton(1)->isHidden());
    EXPECT_TRUE(w->optionButton(0)->isHidden());
    EXPECT_TRUE(w->optionButton(2)->isHidden());
    EXPECT_FALSE(w->treatmentCaption(1)->isHidden());
    EXPECT_TRUE(w->treatmentCaption(0)->isHidden());
    bool frameFound = false;
    for (QGroupBox* box : w->findChildren<QGroupBox*>())
        frameFound = frameFound || box->title() == "RIPRODUCIBILITA': Analisi della varianza";
    EXPECT_TRUE(frameFound);
    EXPECT_EQ(w->chartView()->objectName(), "VtGrafRipr");
}

void SeriesWindowTest::computeTypedSeries(char sep)
{
    SetUserDecimalSeparator(sep);
    auto w = open(ReproducibilityConfig());
    // a new study's series means are written "0.000", with a point, whatever the separator
    EXPECT_EQ(w->meansGrid()->item(1, 0)->text(), "0.000");
    EXPECT_EQ(w->resultLabel("STrat")->text(), sep == '.' ? "0.000" : "0,000");
    typeDimension(*w, 1, "2");
    typeValues(*w, {"10", "12", "11", "13", "15", "17"});
    EXPECT_EQ(cell(*w, 1, 2), sep == '.' ? "17.000" : "17,000");
    ASSERT_TRUE(w->action("StrumentiCalcola")->isEnabled());
    w->action("StrumentiCalcola")->trigger();
    EXPECT_TRUE(host.script.messages.empty());
    auto s = [sep](QString t) { return sep == ',' ? t.replace('.', ',') : t; };
    EXPECT_EQ(w->totalBox()->text(), "6");
    EXPECT_EQ(w->resultLabel("STrat")->text(), s("2.449"));
    EXPECT_EQ(w->resultLabel("SErr")->text(), s("1.414"));
    EXPECT_EQ(w->resultLabel("SRipr")->text(), s("2.828"));
    EXPECT_EQ(w->resultLabel("PrecRipr")->text(), s("22.840"));
    EXPECT_EQ(w->resultLabel("PrecRipr")->toolTip(), s("22.840"));
    EXPECT_TRUE(w->estimateLabel()->isHidden());
    EXPECT_EQ(w->meansGrid()->item(1, 2)->text(), s("16.000"));
    EXPECT_EQ(aov(*w, 2, 2), s("28.000"));
    EXPECT_EQ(aov(*w, 2, 5), s("7.000"));
    EXPECT_EQ(aov(*w, 2, 6), s("9.55 (NS)"));
    EXPECT_EQ(aov(*w, 4, 3), "5");
    const QString conclusion = w->conclusionBox()->toPlainText();
    EXPECT_TRUE(conclusion.startsWith("C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\n"));
    EXPECT_TRUE(conclusion.endsWith("± " + s("22.840"))) << conclusion.toStdString();
    const ChartData& chart = w->chartView()->chartData();
    EXPECT_EQ(chart.rows.size(), 3u);
    EXPECT_EQ(chart.title, "Riproducibilità: medie");
    w->setLanGraf(Language::English);
    EXPECT_EQ(w->chartView()->chartData().title, "Reproducibility: means");
}

TEST_F(SeriesWindowTest, TypedSeriesAreComputedAndShown)
{
    computeTypedSeries('.');
}

TEST_F(SeriesWindowTest, TypedSeriesWithDecimalComma)
{
    computeTypedSeries(',');
}

TEST_F(SeriesWindowTest, EmptyCellIsReportedAndResultsStay)
{
    auto w = open(IntermediatePrecisionConfig());
    typeValues(*w, {"1"});
    w->calculate();
    ASSERT_EQ(host.script.messages.size(), 1u);
    EXPECT_EQ(
        host.script.messages[0].text,
        "Il dato 2 della serie 1 è vuoto: inserire un valore numerico in ogni cella prima di calcolare.");
    EXPECT_EQ(w->resultLabel("STrat")->text(), "0.000");
}

TEST_F(SeriesWindowTest, DimensionBoxesKeepValuesWhileTyping)
{
    auto w = open(IntermediatePrecisionConfig());
    typeValues(*w, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    w->study().setModify(false);
    // typing 12 passes through 1, which is below the range and changes nothing
    typeDimension(*w, 1, "12");
    EXPECT_EQ(w->dataGrid()->model()->rowCount(), 12);
    EXPECT_EQ(w->totalBox()->text(), "36");
    EXPECT_EQ(cell(*w, 2, 2), "9.000");
    EXPECT_EQ(cell(*w, 11, 0), "0.000");
    EXPECT_TRUE(w->study().isModify());
    w->headerField(0)->setFocus();
    QApplication::processEvents();
    w->study().grid().setCell(10, 0, 99.0);
    w->showDocument();
    // 40 passes through 4, which drops the rows below: they come back with their values
    typeDimension(*w, 1, "40");
    EXPECT_EQ(w->dataGrid()->model()->rowCount(), 40);
    EXPECT_EQ(cell(*w, 10, 0), "99.000");
    EXPECT_EQ(cell(*w, 39, 2), "0.000");
    typeDimension(*w, 0, "4");
    EXPECT_EQ(cell(*w, 0, 3), "0.000");
    EXPECT_EQ(cell(*w, 1, 2), "8.000");
    EXPECT_EQ(w->meansGrid()->columnCount(), 4);
    EXPECT_EQ(w->totalBox()->text(), "160");
}

TEST_F(SeriesWindowTest, OutOfRangeBoxIsPutBackWithABeep)
{
    auto w = open(IntermediatePrecisionConfig());
    typeDimension(*w, 0, "25");
    EXPECT_EQ(w->dataGrid()->model()->columnCount(), 3);
    w->headerField(0)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(host.script.beeps, 1);
    EXPECT_EQ(w->dimensionBox(0)->text(), "3");
    EXPECT_TRUE(w->dimensionBox(0)->hasFocus());

    typeDimension(*w, 1, "1");
    w->headerField(0)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(host.script.beeps, 2);
    EXPECT_EQ(w->dimensionBox(1)->text(), "3");
    EXPECT_TRUE(w->dimensionBox(1)->hasFocus());
}

TEST_F(SeriesWindowTest, KindOfSeriesSwitchesTheCaptionOnly)
{
    auto w = open(IntermediatePrecisionConfig());
    QTest::mouseClick(w->optionButton(2), Qt::LeftButton);
    EXPECT_EQ(w->seriesStudy().seriesKind(), SeriesKind::Other);
    EXPECT_TRUE(w->treatmentCaption(0)->isHidden());
    EXPECT_FALSE(w->treatmentCaption(2)->isHidden());
    EXPECT_EQ(w->treatmentCaption(2)->text(), "Deviazione std. tra serie");
    // the kind is saved with the study and names the series in the conclusion: closing asks about it, and
    // results computed for the other kind are marked as not current
    EXPECT_TRUE(w->study().isModified());
    EXPECT_TRUE(w->staleNotice()->isVisibleTo(w.get()));
}

TEST_F(SeriesWindowTest, OpenedStudyIsComputedAndShowsTheEstimate)
{
    test::TempDir dir;
    test::writeFile(
        dir / "s.PRI",
        "Kestra for Windows\r\n7\r\n3\r\n4\r\nHPLC\r\nFerro\r\nmg/l\r\nAcqua\r\n\r\n2\r\n3\r\n6\r\n"
        "Altro (serie diverse)\r\n 1,8,8.2,7.8\r\n2,13,13,13\r\n");
    auto w = open(IntermediatePrecisionConfig());
    ASSERT_TRUE(w->openStudyFile(QString::fromStdString((dir / "s.PRI").string())));
    EXPECT_EQ(w->headerField(2)->text(), "Acqua");
    EXPECT_EQ(w->dimensionBox(1)->text(), "2");
    EXPECT_TRUE(w->optionButton(2)->isChecked());
    EXPECT_FALSE(w->estimateLabel()->isHidden());
    EXPECT_EQ(w->estimateLabel()->text(), "(stima sulle medie)");
    EXPECT_EQ(w->resultLabel("STrat")->text(), "0.100");
    EXPECT_TRUE(w->conclusionBox()->toPlainText().contains("tra serie  è :\n0.100"));
    EXPECT_EQ(
        w->chartView()->chartData().footnote,
        "Metodo analitico: HPLC\r\nAnalita: Ferro\r\nCampione: Acqua\r\nU.M. della conc. dell'analita: mg/l");
    EXPECT_FALSE(w->study().isModified());
}

}  // namespace
}  // namespace kestra
