// What the study windows show of the user's text and of large numbers: units shown as typed (never as
// markup, "&" never a mnemonic), result tables wide enough for every number, pages that scroll when small.
// With KESTRA_SCREENSHOTS set the windows are also saved as pictures for a person to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "framework/services.h"
#include "framework/ui/data_grid_view.h"
#include "reporting/f_table.h"
#include "studies/accuracy/accuracy_window.h"
#include "studies/calibration/calibration_window.h"
#include "studies/intermediate_precision/intermediate_precision_window.h"
#include "studies/ui/study_window_factory.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

void picture(QWidget& window, const char* name)
{
    if (const char* folder = std::getenv("KESTRA_SCREENSHOTS")) {
        QApplication::processEvents();
        window.grab().save(QString::fromLatin1(folder) + QLatin1Char('/') + QString::fromLatin1(name));
    }
}

void typeUnit(StudyWindow& window, const QString& unit)
{
    QLineEdit* field = window.headerField(3);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, unit);
    QApplication::processEvents();
}

// Every text of the table fits in its column: nothing is cut or elided.
void expectWhole(const QTableWidget* table)
{
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* item = table->item(r, c);
            if (!item || item->text().isEmpty()) continue;
            EXPECT_LE(QFontMetrics(item->font()).horizontalAdvance(item->text()) + 4, table->columnWidth(c))
                << table->objectName().toStdString() << " (" << r << ", " << c << ") "
                << item->text().toStdString();
        }
    int width = 0;
    for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
    if (table->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
        EXPECT_GE(table->viewport()->width(), width);
    }
}

class ScreenTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(',');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }
    test::TestHost host;
};

TEST_F(ScreenTextTest, UnitsAreShownAsTypedInCaptionsAndFrameTitles)
{
    const QString unit = QStringLiteral("<img src=\"/etc/x.png\"> mg & <b>l</b>");
    AccuracyWindow accuracy(host);
    accuracy.resize(1200, 850);
    accuracy.show();
    accuracy.threeLevelOption()->click();
    typeUnit(accuracy, unit);
    for (int level = 0; level < 3; ++level) {
        QLabel* caption = accuracy.levelCaption(level);
        EXPECT_EQ(caption->textFormat(), Qt::PlainText);
        EXPECT_TRUE(caption->text().endsWith(QStringLiteral(" (") + unit + QLatin1Char(')')));
    }
    accuracy.tabs()->setCurrentIndex(1);
    picture(accuracy, "accuracy-unit-as-typed.png");

    CalibrationWindow calibration(host);
    calibration.show();
    typeUnit(calibration, QStringLiteral("mg & l"));
    // a group box reads "&" as a mnemonic: doubled it shows as typed
    EXPECT_EQ(calibration.concentrationFrame()->title(), "Concentrazioni mg && l");
    calibration.tabs()->setCurrentIndex(1);
    picture(calibration, "calibration-unit-with-ampersand.png");
}

TEST_F(ScreenTextTest, NumbersWithTenIntegerDigitsAreNeverCut)
{
    std::unique_ptr<StudyWindow> window = CreateStudyWindow(StudyKindId::Prin, host);
    auto& series = static_cast<IntermediatePrecisionWindow&>(*window);
    window->resize(1300, 900);
    window->show();
    window->study().setNumberFormat({10, 3});
    DataGrid& grid = window->study().grid();
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.columnCount(); ++c)
            grid.setCell(r, c, 9000000000.0 + 123456789.0 * (r + 1) * (c + 2) + 0.125 * r);
    grid.setChanged(true);
    window->showDocument();
    window->calculate();
    QApplication::processEvents();
    ASSERT_FALSE(series.aovTable()->item(1, 1)->text().isEmpty());
    EXPECT_GT(series.aovTable()->item(1, 1)->text().size(), 14)
        << "a sum of squares wider than the columns were";
    expectWhole(series.aovTable());
    expectWhole(series.meansGrid());
    picture(*window, "intermediate-precision-ten-digits.png");

    std::unique_ptr<StudyWindow> calibration = CreateStudyWindow(StudyKindId::Tara, host);
    calibration->show();
    calibration->study().setNumberFormat({10, 3});
    DataGrid& responses = calibration->study().grid();
    for (int r = 0; r < responses.rowCount(); ++r)
        for (int c = 0; c < responses.columnCount(); ++c)
            responses.setCell(r, c, 1000000000.0 * (c + 1) + 98765.4321 * (r + 1) * (c % 2 ? 1 : -1) + 5e8);
    responses.setChanged(true);
    calibration->showDocument();
    calibration->calculate();
    QApplication::processEvents();
    expectWhole(static_cast<CalibrationWindow&>(*calibration).anovaTable());
    picture(*calibration, "calibration-ten-digits.png");
}

TEST_F(ScreenTextTest, TheThreeLevelAccuracyPageScrollsToAllItsColumnsAtASmallSize)
{
    AccuracyWindow window(host);
    window.resize(1000, 700);
    window.show();
    window.threeLevelOption()->click();
    QApplication::processEvents();
    auto* scroll = qobject_cast<QScrollArea*>(window.tabs()->currentWidget());
    ASSERT_NE(scroll, nullptr);
    QWidget* page = scroll->widget();
    for (int level = 0; level < 3; ++level) {
        DataGridView* grid = window.levelGridView(level);
        const QRect inPage(grid->mapTo(page, QPoint(0, 0)), grid->size());
        EXPECT_LE(inPage.right(), page->width()) << "level " << level;
        // all three columns inside the grid, the recovery included
        int columns = grid->verticalHeader()->width();
        for (int c = 0; c < 3; ++c) columns += grid->columnWidth(c);
        EXPECT_LE(columns, grid->width());
    }
    EXPECT_GT(scroll->horizontalScrollBar()->maximum() + scroll->verticalScrollBar()->maximum(), 0)
        << "the page is larger than the window and scrolls";
    picture(window, "accuracy-three-levels-1000x700.png");
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    picture(window, "accuracy-three-levels-1000x700-scrolled.png");
}

}  // namespace
}  // namespace kestra
