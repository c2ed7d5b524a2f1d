// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/chart_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "framework/number_pattern.h"
#include "report_test_support.h"
#include "reporting/ui/chart_print_dialog.h"
#include "reporting/ui/report_preview.h"
#include "sample_studies.h"
#include "studies/calibration/calibration_window.h"
#include "studies/precision/precision_study.h"
#include "test_support.h"
#include "tests/framework/ui/test_host.h"

namespace kestra {
namespace {

using test::readFile;
using test::TempDir;

ChartData curve(Language language = Language::Italian)
{
    PrecisionStudy study;
    study.setDeterminationCount(3);
    study.grid().setCell(0, 0, 10.1);
    study.grid().setCell(1, 0, 9.9);
    study.grid().setCell(2, 0, 10.0);
    study.calculate();
    return study.charts(language).front();
}

// The page boxes of a PDF, in points, in page order.
std::vector<QSizeF> pageSizes(const std::filesystem::path& pdf)
{
    const QString text = QString::fromLatin1(QByteArray::fromStdString(readFile(pdf)));
    std::vector<QSizeF> sizes;
    QRegularExpression box(QStringLiteral("/MediaBox \\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]"));
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

constexpr double kMmPerInch = 25.4;

TEST(ChartPrintTest, WholePageFillsTheAreaInsideTheMargins)
{
    TempDir dir;
    const auto path = dir / "a.pdf";
    QPdfWriter writer(QString::fromStdString(path.string()));
    writer.setResolution(300);
    ChartPrintJob job{curve(), {}, QSize(800, 500)};
    job.settings.orientation = 1;
    job.settings.leftMargin = 30;
    job.settings.rightMargin = 10;
    job.settings.topMargin = 20;
    job.settings.bottomMargin = 25;
    ApplyChartPageLayout(writer, job.settings);
    QPainter painter(&writer);
    const QRectF painted = PaintChartPage(painter, writer, job);
    painter.end();
    // A4 landscape: 297 x 210 mm; the area inside the margins is 257 x 165 mm
    const double areaWidth = (297.0 - 40) / kMmPerInch * 300;
    const double areaHeight = (210.0 - 45) / kMmPerInch * 300;
    // the chart keeps its proportions: as wide as the area or as high, whichever comes first
    EXPECT_TRUE(std::abs(painted.width() - areaWidth) < 2 || std::abs(painted.height() - areaHeight) < 2)
        << painted.width() << " x " << painted.height();
    EXPECT_LE(painted.width(), areaWidth + 2);  // the page rectangle is whole pixels
    EXPECT_LE(painted.height(), areaHeight + 2);
    EXPECT_GE(painted.left(), -0.5);
    const auto sizes = pageSizes(path);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), 842, 1);  // landscape
    EXPECT_NEAR(sizes[0].height(), 595, 1);
}

TEST(ChartPrintTest, CurrentSizeKeepsTheScreenSize)
{
    QPdfWriter writer(QStringLiteral("/dev/null"));
    writer.setResolution(600);
    ChartPrintJob job{curve(), {}, QSize(480, 320)};
    job.settings.scaling = ChartPrintSettings::Scaling::CurrentSize;
    job.settings.orientation = 0;
    ApplyChartPageLayout(writer, job.settings);
    QPainter painter(&writer);
    const QRectF painted = PaintChartPage(painter, writer, job);
    painter.end();
    EXPECT_NEAR(painted.width(), 480 * 600 / ChartLayoutDpi(), 1);
    EXPECT_NEAR(painted.height(), 320 * 600 / ChartLayoutDpi(), 1);
}

TEST(ChartPrintTest, PrinterGetsOnePagePerChartWithItsOrientation)
{
    TempDir dir;
    const auto path = dir / "printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path.string()));
    ChartPrintJob portrait{curve(), {}, QSize(600, 400)};
    portrait.settings.orientation = 0;
    ChartPrintJob landscape{curve(Language::English), {}, QSize(600, 400)};
    landscape.settings.orientation = 1;
    QString error;
    ASSERT_TRUE(PrintCharts(printer, {portrait, landscape}, &error)) << error.toStdString();
    const auto sizes = pageSizes(path);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_LT(sizes[0].width(), sizes[0].height());
    EXPECT_GT(sizes[1].width(), sizes[1].height());
}

TEST(ChartPrintTest, PngAndPdfFiles)
{
    TempDir dir;
    const QString png = QString::fromStdString((dir / "c.png").string());
    QString error;
    ASSERT_TRUE(SaveChartPng(png, curve(), QSize(640, 400), &error));
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 400));
    const QString pdf = QString::fromStdString((dir / "c.pdf").string());
    ASSERT_TRUE(SaveChartsPdf(pdf, {ChartPrintJob{curve(), {}, QSize(600, 400)}}, &error));
    EXPECT_EQ(readFile(dir / "c.pdf").substr(0, 5), "%PDF-");
    EXPECT_FALSE(SaveChartPng(QString::fromStdString((dir / "missing" / "x.png").string()), curve(),
                              QSize(300, 200), &error));
    EXPECT_FALSE(error.isEmpty());
}

// A study window with charts, as the dialog sees it.
class FakeOwner : public ChartOwner {
public:
    explicit FakeOwner(bool calibration)
    {
        first.setObjectName(calibration ? "VtGrafRegr" : "VtGrafPrec");
        second.setObjectName("VtGrafProp");
        first.setChartData(curve());
        second.setChartData(curve());
        m_calibration = calibration;
    }
    std::vector<ChartView*> chartViews() override
    {
        if (m_calibration) return {&first, &second};
        return {&first};
    }
    void setLanGraf(Language language) override
    {
        languages.push_back(language);
        first.setChartData(curve(language));
    }
    ChartView first;
    ChartView second;
    std::vector<Language> languages;

private:
    bool m_calibration = false;
};

class ChartPrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = frmRepView::printersInstalled();
        frmRepView::printersInstalled() = [] { return true; };
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(output.string()));
    }
    void TearDown() override { frmRepView::printersInstalled() = saved; }

    std::function<bool()> saved;
    TempDir dir;
    std::filesystem::path output = dir / "out.pdf";
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(ChartPrintDialogTest, PrecisionChartPrintsOnceInEnglishUnlessItalianIsChosen)
{
    FakeOwner owner(false);
    MyPrintGrafDlg dialog(owner, printer);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Stampa grafico");
    EXPECT_FALSE(dialog.chartFrame()->isVisible());
    EXPECT_TRUE(dialog.languageButton(1)->isChecked());
    EXPECT_EQ(dialog.language(), Language::English);
    dialog.okButton()->click();
    ASSERT_EQ(owner.languages, (std::vector<Language>{Language::English}));
    EXPECT_EQ(owner.first.chartData().title, "Precision");
    EXPECT_EQ(pageSizes(output).size(), 1u);
    EXPECT_TRUE(dialog.isVisible());  // the dialog stays open

    dialog.languageButton(0)->click();
    dialog.okButton()->click();
    EXPECT_EQ(owner.languages.back(), Language::Italian);
    EXPECT_EQ(owner.first.chartData().title, "Precisione");
    dialog.cancelButton()->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ChartPrintDialogTest, CalibrationPrintsTheTickedCharts)
{
    FakeOwner owner(true);
    MyPrintGrafDlg dialog(owner, printer);
    dialog.show();
    EXPECT_TRUE(dialog.chartFrame()->isVisible());
    EXPECT_TRUE(dialog.regressionBox()->isChecked());
    EXPECT_TRUE(dialog.proportionalityBox()->isChecked());
    dialog.okButton()->click();
    EXPECT_EQ(pageSizes(output).size(), 2u);

    std::filesystem::remove(output);
    dialog.regressionBox()->setChecked(false);
    dialog.proportionalityBox()->setChecked(false);
    dialog.okButton()->click();
    EXPECT_FALSE(std::filesystem::exists(output));  // nothing printed
}

TEST_F(ChartPrintDialogTest, LayoutEditsTheSettingsAndCopiesThemToTheTickedSecondChart)
{
    for (bool ticked : {true, false}) {
        FakeOwner owner(true);
        MyPrintGrafDlg dialog(owner, printer);
        dialog.proportionalityBox()->setChecked(ticked);
        bool wasHidden = false;
        dialog.runDialog = [&](QDialog& d) {
            auto& layout = dynamic_cast<MyLayoutDialog&>(d);
            wasHidden = !dialog.isVisible();
            EXPECT_EQ(layout.windowTitle(), "Layout di stampa");
            EXPECT_TRUE(layout.landscapeOption()->isChecked());  // the preset
            EXPECT_EQ(layout.marginBox(0)->text(), "15");
            layout.portraitOption()->setChecked(true);
            layout.marginBox(2)->setText("22.5");
            layout.currentSizeOption()->setChecked(true);
            layout.screenLayoutOption()->setChecked(true);
            layout.okButton()->click();
            return static_cast<int>(layout.result());
        };
        dialog.show();
        dialog.layoutButton()->click();
        EXPECT_TRUE(wasHidden);
        EXPECT_TRUE(dialog.isVisible());
        const ChartPrintSettings& s = owner.first.printSettings();
        EXPECT_EQ(s.orientation, 0);
        EXPECT_FLOAT_EQ(s.topMargin, 22.5f);
        EXPECT_EQ(s.scaling, ChartPrintSettings::Scaling::CurrentSize);
        EXPECT_TRUE(s.screenLayout);
        EXPECT_EQ(owner.second.printSettings() == s, ticked);
    }
}

TEST_F(ChartPrintDialogTest, LayoutKeepsTheModalDialogRunning)
{
    FakeOwner owner(false);
    MyPrintGrafDlg dialog(owner, printer);
    dialog.runDialog = [](QDialog& d) {
        d.reject();
        return 0;
    };
    bool openAfterLayout = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.layoutButton()->click();
        QTimer::singleShot(0, &dialog, [&] {
            openAfterLayout = dialog.isVisible();
            dialog.cancelButton()->click();
        });
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(openAfterLayout);
}

TEST_F(ChartPrintDialogTest, MarginThatIsNotANumberIsRefusedAndNothingStored)
{
    SetUserDecimalSeparator(',');
    ChartView chart;
    ChartPrintSettings before;
    before.leftMargin = 12.5f;
    chart.setPrintSettings(before);
    MyLayoutDialog layout(chart);
    EXPECT_EQ(layout.marginBox(0)->text(), "12,5");
    std::vector<QString> warnings;
    layout.warn = [&](const QString& text) { warnings.push_back(text); };
    layout.portraitOption()->setChecked(true);
    layout.marginBox(1)->setText("dieci");
    EXPECT_FALSE(layout.store());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0],
              "Il margine \"Destro\" non è valido: scrivere un numero di millimetri da 0 a 100.");
    EXPECT_TRUE(chart.printSettings() == before);
    layout.marginBox(1)->setText("-3");
    EXPECT_FALSE(layout.store());
    layout.marginBox(1)->setText("7,25");  // the user's separator
    EXPECT_TRUE(layout.store());
    EXPECT_FLOAT_EQ(chart.printSettings().rightMargin, 7.25f);
    EXPECT_EQ(chart.printSettings().orientation, 0);
    SetUserDecimalSeparator('.');

    // Annulla changes nothing
    ChartView other;
    MyLayoutDialog cancelled(other);
    cancelled.portraitOption()->setChecked(true);
    cancelled.cancelButton()->click();
    EXPECT_EQ(other.printSettings().orientation, 1);
}

TEST_F(ChartPrintDialogTest, WithoutPrinterOnlyClosingAndSavingRemain)
{
    frmRepView::printersInstalled() = [] { return false; };
    FakeOwner owner(false);
    MyPrintGrafDlg dialog(owner, printer);
    dialog.show();
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.layoutButton()->isEnabled());
    EXPECT_FALSE(dialog.setupButton()->isEnabled());
    EXPECT_TRUE(dialog.cancelButton()->isEnabled());
    EXPECT_TRUE(dialog.saveButton()->isEnabled());
    EXPECT_EQ(dialog.printerLabel()->text(), "");
    dialog.print();
    EXPECT_TRUE(owner.languages.empty());
}

TEST_F(ChartPrintDialogTest, SetupAndSaveAsFile)
{
    FakeOwner owner(false);
    MyPrintGrafDlg dialog(owner, printer);
    int setups = 0;
    dialog.setupPrinter = [&](QPrinter&, QWidget*) {
        ++setups;
        return false;  // cancelled: nothing changes, nothing said
    };
    std::vector<QString> warnings;
    dialog.warn = [&](const QString& text) { warnings.push_back(text); };
    dialog.show();
    const QString shown = dialog.printerLabel()->text();
    dialog.setupButton()->click();
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(dialog.printerLabel()->text(), shown);

    const auto saved = dir / "saved.png";
    dialog.chooseSaveFile = [&](QWidget*) { return QString::fromStdString(saved.string()); };
    dialog.saveButton()->click();
    EXPECT_FALSE(QImage(QString::fromStdString(saved.string())).isNull());
    dialog.chooseSaveFile = [&](QWidget*) { return QString::fromStdString((dir / "saved").string()); };
    dialog.saveButton()->click();
    EXPECT_EQ(readFile(dir / "saved.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(std::filesystem::exists(output));  // saving does not print
}

// A study window as PrintStudyCharts gets it.
class FakeWindow : public QWidget, public FakeOwner {
public:
    FakeWindow() : FakeOwner(false) {}
};

TEST_F(ChartPrintDialogTest, TheScreenChartsAreItalianAgainWhenTheDialogCloses)
{
    FakeWindow window;
    window.show();
    // print in English, then close with Annulla
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MyPrintGrafDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->okButton()->click();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    PrintStudyCharts(window, printer);
    EXPECT_EQ(window.languages, (std::vector<Language>{Language::English, Language::Italian}));
    EXPECT_EQ(window.first.chartData().title, curve(Language::Italian).title);
}

TEST_F(ChartPrintDialogTest, CalibrationOffersItsResidualsChartUntickedAndPrintsItLast)
{
    test::TestHost host;
    CalibrationWindow window(host);
    const auto sample = test::calibration(5, 3);
    const std::filesystem::path file = dir / "sample.TAR";
    sample->write(file);
    ASSERT_TRUE(window.openStudyFile(QString::fromStdString(file.string())));
    window.show();
    MyPrintGrafDlg dialog(window, printer);
    dialog.show();
    ASSERT_TRUE(dialog.residualsBox()->isVisible());
    EXPECT_EQ(dialog.residualsBox()->text(), "Residui");
    EXPECT_FALSE(dialog.residualsBox()->isChecked());
    dialog.okButton()->click();
    EXPECT_EQ(pageSizes(output).size(), 2u);

    std::filesystem::remove(output);
    dialog.residualsBox()->setChecked(true);
    dialog.okButton()->click();
    EXPECT_EQ(pageSizes(output).size(), 3u);
    const std::string last = test::PdfText(output, 3, 3);
    EXPECT_NE(last.find("Residuals"), std::string::npos) << last;  // the English texts chosen by default

    // only the residuals, with the layout of the regression chart given to it as to the ticked others
    std::filesystem::remove(output);
    dialog.regressionBox()->setChecked(false);
    dialog.proportionalityBox()->setChecked(false);
    dialog.runDialog = [](QDialog& d) {
        auto& layout = dynamic_cast<MyLayoutDialog&>(d);
        layout.portraitOption()->setChecked(true);
        layout.okButton()->click();
        return static_cast<int>(layout.result());
    };
    dialog.layoutButton()->click();
    EXPECT_EQ(window.residualsChart()->printSettings().orientation, 0);
    EXPECT_EQ(window.proportionalityChart()->printSettings().orientation, 1);
    dialog.okButton()->click();
    const auto pages = pageSizes(output);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_LT(pages[0].width(), pages[0].height());  // portrait
    EXPECT_NE(test::PdfText(output).find("Residuals"), std::string::npos);
}

}  // namespace
}  // namespace kestra
