#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "framework/number_pattern.h"
#include "report_test_support.h"
#include "reporting/report_database.h"
#include "reporting/report_database_check.h"
#include "reporting/report_settings.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/print_command.h"
#include "reporting/ui/print_language_dialog.h"
#include "reporting/ui/report_preview.h"
#include "reporting/ui/report_renderer.h"
#include "test_support.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// Answers the print command as a user would, without modal windows.
class ScriptedReportUi : public ReportUserInterface {
public:
    std::function<void(MyPrintLanDlg&)> answer;  // acts on the real dialog, then it closes
    int previews = 0;
    int pages = 0;
    Language language = Language::Italian;
    bool dateShown = false;
    std::string conclusions;
    QStringList errors;

    void askReportParameters(QWidget* parent) override
    {
        MyPrintLanDlg dialog(parent);
        if (answer) answer(dialog);
    }
    void showPreview(QWidget*, const RenderedReport& report) override
    {
        ++previews;
        pages = report.pageCount();
        language = report.document().language;
        dateShown = report.document().layout.printDateVisible;
        conclusions = report.document().header.text("CONCLUSIONI");
        frmRepView view;
        view.setReport(&report);
        EXPECT_EQ(view.pageCount(), pages);
    }
    void showError(QWidget*, const QString& message) override { errors << message; }
};

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        SetReportDatabasePath(m_db);
        SetReportLogoPath("");
        SetPrintDateFlag(false);
        SetOutputLanguage(Language::Italian);
        test::FillLimitsStudy(m_study, 10);
    }
    void TearDown() override
    {
        SetReportDatabasePath({});
        SetPrintDateFlag(false);
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    LimitsStudy m_study;
    ScriptedReportUi m_ui;
};

TEST_F(PrintCommandTest, OkWithoutTouchingGivesEnglishWithoutDate)
{
    m_ui.answer = [](MyPrintLanDlg& d) { d.okButton()->click(); };
    PrintStudyReport(nullptr, m_study, m_ui);
    ASSERT_EQ(m_ui.previews, 1);
    EXPECT_TRUE(m_ui.errors.isEmpty());
    EXPECT_EQ(m_ui.language, Language::English);
    EXPECT_FALSE(m_ui.dateShown);
    EXPECT_NE(m_ui.conclusions.find("DETECTION LIMIT"), std::string::npos);
    EXPECT_EQ(ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).rowCount("LimiTabella"), 10);
}

TEST_F(PrintCommandTest, DateFlagPersistsThroughCancelWhileTheLanguageResets)
{
    m_ui.answer = [](MyPrintLanDlg& d) {
        d.languageButton(0)->click();
        d.dateBox()->setChecked(true);
        d.okButton()->click();
    };
    PrintStudyReport(nullptr, m_study, m_ui);
    EXPECT_EQ(m_ui.language, Language::Italian);
    EXPECT_TRUE(m_ui.dateShown);

    m_ui.answer = [](MyPrintLanDlg& d) {
        EXPECT_FALSE(d.dateBox()->isChecked());  // the box starts unticked at every opening
        d.cancelButton()->click();
    };
    PrintStudyReport(nullptr, m_study, m_ui);
    EXPECT_EQ(m_ui.previews, 2);
    EXPECT_EQ(m_ui.language, Language::English);
    EXPECT_TRUE(m_ui.dateShown);

    // Confirming with the box unticked clears the flag.
    m_ui.answer = [](MyPrintLanDlg& d) { d.okButton()->click(); };
    PrintStudyReport(nullptr, m_study, m_ui);
    EXPECT_FALSE(m_ui.dateShown);
}

TEST_F(PrintCommandTest, EnglishThenCancelStillPrintsEnglish)
{
    m_ui.answer = [](MyPrintLanDlg& d) {
        d.languageButton(0)->click();
        d.languageButton(1)->click();
        d.cancelButton()->click();
    };
    PrintStudyReport(nullptr, m_study, m_ui);
    EXPECT_EQ(m_ui.language, Language::English);
}

// The question about a damaged database answered from a script, through the check every print makes.
class DamagedDatabaseUi : public ScriptedReportUi {
public:
    test::ScriptedPrompts prompts;
    bool ensureUsableDatabase(QWidget*) override
    {
        return EnsureUsableReportDatabase(ReportDatabasePath(), TemplateDatabasePath(), prompts);
    }
};

TEST_F(PrintCommandTest, ADamagedDatabaseIsOfferedForReplacementBeforeAnythingIsAsked)
{
    SetTemplateDatabasePath(KESTRA_TEMPLATE_DB);
    test::writeFile(m_db, "");
    DamagedDatabaseUi ui;
    bool asked = false;
    ui.answer = [&asked](MyPrintLanDlg& d) {
        asked = true;
        d.okButton()->click();
    };
    // No: nothing printed, nothing else asked, the file as it was
    ui.prompts.answers = {Answer::No};
    PrintStudyReport(nullptr, m_study, ui);
    EXPECT_FALSE(asked);
    EXPECT_EQ(ui.previews, 0);
    EXPECT_TRUE(ui.errors.isEmpty());
    EXPECT_EQ(test::readFile(m_db), "");
    ASSERT_EQ(ui.prompts.questions.size(), 1u);
    // Yes: the damaged file set aside, the print goes on with the template
    ui.prompts.answers = {Answer::Yes};
    PrintStudyReport(nullptr, m_study, ui);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ui.previews, 1);
    EXPECT_TRUE(ui.errors.isEmpty());
    EXPECT_EQ(ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).rowCount("LimiTabella"), 10);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 2);
    SetTemplateDatabasePath({});
}

TEST_F(PrintCommandTest, FailedStepIsShownAndNoPreviewOpens)
{
    SetReportDatabasePath(m_dir / "missing.mdb");
    PrintStudyReport(nullptr, m_study, m_ui);
    EXPECT_EQ(m_ui.previews, 0);
    ASSERT_EQ(m_ui.errors.size(), 1);
    EXPECT_TRUE(m_ui.errors[0].contains(QStringLiteral("apertura del database dei report")));
}

TEST(PrintLanguageDialogTest, FlagsPassTheFocusOnAndSetTheLanguageAtOnce)
{
    SetOutputLanguage(Language::Italian);
    MyPrintLanDlg dialog;
    EXPECT_EQ(OutputLanguage(), Language::English);
    EXPECT_TRUE(dialog.languageButton(1)->isChecked());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Parametri report"));
    dialog.show();
    dialog.activateWindow();
    dialog.languageButton(0)->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(dialog.languageButton(0)->hasFocus());
    EXPECT_TRUE(dialog.focusSink()->hasFocus() || !dialog.isActiveWindow());
    dialog.languageButton(0)->click();
    EXPECT_EQ(OutputLanguage(), Language::Italian);
    EXPECT_FALSE(dialog.languageButton(1)->isChecked());
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        test::FillLimitsStudy(m_study, 99);
        ReportRequest request;
        request.database = m_db;
        m_report = std::make_unique<RenderedReport>(PrepareStudyReport(m_study, request, ReadLogoSize));
    }
    void TearDown() override { frmRepView::printersInstalled() = m_installed; }

    std::function<bool()> m_installed = frmRepView::printersInstalled();

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    LimitsStudy m_study;
    std::unique_ptr<RenderedReport> m_report;
};

TEST_F(PreviewTest, CloseButtonFollowsTheResizeRuleEvenAtZeroHeight)
{
    frmRepView view;
    view.setReport(m_report.get());
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Anteprima di stampa"));
    EXPECT_EQ(view.pageCount(), 2);
    view.resize(700, 500);
    view.show();
    const int dpi = view.logicalDpiY();
    auto px = [&](int twips) { return static_cast<int>(twips * dpi / 1440.0 + 0.5); };
    EXPECT_EQ(view.viewer()->geometry(), QRect(0, 0, 700, 500 - px(600)));
    EXPECT_EQ(view.closeButton()->geometry(),
              QRect(700 - px(1400), 500 - px(600) + px(100), px(1000), px(400)));
    EXPECT_EQ(view.closeButton()->text(), QStringLiteral("Chiudi"));
    EXPECT_LT(view.exportButton()->geometry().right(), view.closeButton()->x());

    const QSize before = view.viewer()->size();
    view.arrange(QRect(0, 0, 640, 0));
    EXPECT_EQ(view.viewer()->size(), before);
    EXPECT_EQ(view.closeButton()->geometry(),
              QRect(640 - px(1400), before.height() + px(100), px(1000), px(400)));
}

TEST_F(PreviewTest, PrintWithoutPrinterSaysSoAndExportWritesThePdf)
{
    frmRepView view;
    view.setReport(m_report.get());
    bool asked = false;
    frmRepView::printersInstalled() = [&] {
        asked = true;
        return false;
    };
    QStringList warnings;
    view.warn = [&](const QString& text) { warnings << text; };
    view.printReport();  // would open the print dialog (and block) if it went on
    EXPECT_TRUE(asked);
    EXPECT_EQ(warnings, QStringList{"Nessuna stampante installata"});

    const fs::path pdf = m_dir / "export.pdf";
    EXPECT_TRUE(view.exportPdf(QString::fromStdString(pdf.string())));
    EXPECT_EQ(test::PdfPageCount(pdf), 2);
}

TEST_F(PreviewTest, ThePageCounterFollowsTheButtonsTheKeysAndTheScrollBar)
{
    frmRepView view;
    view.resize(700, 600);
    view.show();
    view.setReport(m_report.get());
    QApplication::processEvents();
    auto action = [&](const char* text) {
        for (QAction* a : view.findChildren<QAction*>())
            if (a->text() == QString::fromUtf8(text)) return a;
        ADD_FAILURE() << text;
        return static_cast<QAction*>(nullptr);
    };
    EXPECT_EQ(view.pageCounterText(), "1 / 2");
    action("Pagina successiva")->trigger();
    EXPECT_EQ(view.currentPage(), 2);
    EXPECT_EQ(view.pageCounterText(), "2 / 2");
    action("Pagina successiva")->trigger();  // no page 3
    EXPECT_EQ(view.pageCounterText(), "2 / 2");
    action("Prima pagina")->trigger();
    EXPECT_EQ(view.pageCounterText(), "1 / 2");
    action("Ultima pagina")->trigger();
    EXPECT_EQ(view.pageCounterText(), "2 / 2");
    action("Pagina precedente")->trigger();
    EXPECT_EQ(view.pageCounterText(), "1 / 2");
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.pageCounterText(), "2 / 2");
    // scrolling back to the top shows page 1 again
    auto* pages = view.previewWidget()->findChild<QGraphicsView*>();
    ASSERT_NE(pages, nullptr);
    pages->verticalScrollBar()->setValue(pages->verticalScrollBar()->minimum());
    QApplication::processEvents();
    EXPECT_EQ(view.pageCounterText(), QStringLiteral("%1 / 2").arg(view.currentPage()));
    EXPECT_EQ(view.currentPage(), 1);
}

}  // namespace
}  // namespace kestra
