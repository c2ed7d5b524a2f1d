// Every dialog of the program opens with the focus on its first field and is usable from the keyboard; the
// help window closes with Escape.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>

#include "app/ui/about_box.h"
#include "app/ui/help_viewer.h"
#include "app/ui/options_dialog.h"
#include "framework/ui/chart_view.h"
#include "framework/ui/concentrations_dialog.h"
#include "framework/ui/data_grid_view.h"
#include "framework/ui/form_numero.h"
#include "reporting/report_settings.h"
#include "reporting/ui/chart_print_dialog.h"
#include "reporting/ui/company_data_dialog.h"
#include "reporting/ui/print_language_dialog.h"
#include "test_support.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

QWidget* focusAfterShowing(QWidget& dialog)
{
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog)) << dialog.windowTitle().toStdString();
    QApplication::processEvents();
    return QApplication::focusWidget();
}

class ChartWindow : public QWidget, public ChartOwner {
public:
    std::vector<ChartView*> chartViews() override { return {&chart}; }
    void setLanGraf(Language) override {}
    ChartView chart;
};

TEST(DialogKeyboard, EachDialogOpensOnItsFirstField)
{
    test::ScriptedPrompts prompts;
    {
        FormNumero dialog(prompts, {3, 3});
        EXPECT_EQ(focusAfterShowing(dialog), dialog.integersField());
        // the whole value is selected, so typing replaces it
        EXPECT_EQ(dialog.integersField()->selectedText(), "3");
    }
    {
        frmOpzioni dialog(prompts,
                          [](QWidget*, const QString&, const QString&) { return std::optional<QString>(); });
        EXPECT_EQ(focusAfterShowing(dialog), dialog.txtOpenSave());
    }
    {
        ConcentrationsDialog dialog({"1", "2", "3"}, {7, 3}, prompts);
        QWidget* focus = focusAfterShowing(dialog);
        ASSERT_NE(qobject_cast<DataGridView*>(focus), nullptr);
        EXPECT_EQ(static_cast<DataGridView*>(focus)->currentIndex().row(), 0);
    }
    {
        ChartView chart;
        MyLayoutDialog dialog(chart);
        EXPECT_EQ(focusAfterShowing(dialog), dialog.portraitOption());
    }
    {
        ChartWindow window;
        QPrinter printer;
        MyPrintGrafDlg dialog(window, printer, &window);
        EXPECT_EQ(focusAfterShowing(dialog), dialog.languageButton(1)) << "the language chosen";
    }
    {
        AboutBox dialog;
        EXPECT_EQ(focusAfterShowing(dialog), dialog.closeButton());
    }
    {
        WinGui viewer;
        viewer.setPlainDocument(QStringLiteral("Metodo: Limiti"), QStringLiteral("testo"));
        EXPECT_EQ(focusAfterShowing(viewer), viewer.textArea());
    }
    {
        test::TempDir dir;
        fs::copy_file(KESTRA_TEMPLATE_DB, dir / "KESTRA73.MDB");
        SetReportDatabasePath(dir / "KESTRA73.MDB");
        frmAnagraf dialog;
        EXPECT_EQ(focusAfterShowing(dialog), dialog.field(0));
        SetReportDatabasePath({});
    }
}

TEST(DialogKeyboard, TheReportLanguageIsChosenWithTheArrowKeys)
{
    MyPrintLanDlg dialog;
    QWidget* focus = focusAfterShowing(dialog);
    EXPECT_EQ(focus->objectName(), "Picture1");
    EXPECT_EQ(OutputLanguage(), Language::English);
    QTest::keyClick(focus, Qt::Key_Left);
    EXPECT_EQ(OutputLanguage(), Language::Italian);
    EXPECT_TRUE(dialog.languageButton(0)->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), focus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(OutputLanguage(), Language::English);
    // the title has room to be shown whole
    EXPECT_GE(dialog.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(DialogKeyboard, TheHelpWindowClosesWithEscape)
{
    HelpWindow help;
    help.show();
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    EXPECT_EQ(QApplication::focusWidget(), help.browser());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace kestra
