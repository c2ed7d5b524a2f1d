// The English interface beside the Italian one: the choice in the options dialog and at the first start,
// and the main window and its dialogs with no text left in the other language.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "app/app_settings.h"
#include "app/language_setting.h"
#include "app/startup_config.h"
#include "app/ui/about_box.h"
#include "app/ui/help_viewer.h"
#include "app/ui/language_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/options_dialog.h"
#include "app/ui/qt_translations.h"
#include "app/ui/screen_language.h"
#include "audit/audit_trail.h"
#include "audit/ui/audit_viewer.h"
#include "audit/ui/reason_dialog.h"
#include "audit/ui/signature_dialog.h"
#include "audit/user_identity.h"
#include "dossier/ui/dossier_window.h"
#include "framework/scripted_prompts.h"
#include "framework/services.h"
#include "framework/ui/chart_view.h"
#include "framework/ui/concentrations_dialog.h"
#include "framework/ui/form_numero.h"
#include "framework/ui/study_window.h"
#include "framework/ui/ui_text.h"
#include "reporting/f_table.h"
#include "reporting/report_settings.h"
#include "reporting/ui/chart_print_dialog.h"
#include "reporting/ui/company_data_dialog.h"
#include "reporting/ui/print_language_dialog.h"
#include "reporting/ui/report_preview.h"
#include "test_support.h"
#include "text/messages.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;
using test::ScriptedPrompts;
using test::TempDir;

QString binFolder()
{
    return QString::fromStdString(fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path().string());
}

// The interface in one language for the life of a test, with its translations installed.
class InLanguage {
public:
    explicit InLanguage(InterfaceLanguage language) : m_scope(language)
    {
        EXPECT_TRUE(InstallInterfaceTranslations(*QCoreApplication::instance(), language));
    }
    ~InLanguage() { RemoveInterfaceTranslations(*QCoreApplication::instance()); }

private:
    ScopedInterfaceLanguage m_scope;
};

// A started main window on a fresh documents folder.
struct Shell {
    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<Kestra> window;
    std::filesystem::path savedDatabase = ReportDatabasePath();

    Shell()
    {
        fs::create_directories(dir / "home");
        window = std::make_unique<Kestra>(
            ShellEnvironment{QString::fromStdString((dir / "home").string()), binFolder()}, &prompts);
        window->setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
        EXPECT_TRUE(window->start());
    }
    ~Shell()
    {
        SetReportDatabasePath(savedDatabase);
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
};

// The main window and the dialogs it opens, as a user sees them.
std::vector<std::pair<QString, QStringList>> shellScreens(Shell& shell)
{
    std::vector<std::pair<QString, QStringList>> screens;
    screens.emplace_back(QStringLiteral("main window"), test::VisibleTexts(*shell.window));
    frmOpzioni options(shell.prompts, {});
    screens.emplace_back(QStringLiteral("options"), test::VisibleTexts(options));
    AboutBox about;
    screens.emplace_back(QStringLiteral("about"), test::VisibleTexts(about));
    frmAnagraf company;
    screens.emplace_back(QStringLiteral("company data"), test::VisibleTexts(company));
    MyPrintLanDlg report;
    screens.emplace_back(QStringLiteral("report language"), test::VisibleTexts(report));
    FormNumero format(shell.prompts, {3, 3});
    screens.emplace_back(QStringLiteral("number format"), test::VisibleTexts(format));
    HelpWindow help;
    screens.emplace_back(QStringLiteral("help"), test::VisibleTexts(help));
    ConcentrationsDialog concentrations({"80", "100", "120"}, {3, 3}, shell.prompts);
    screens.emplace_back(QStringLiteral("concentrations"), test::VisibleTexts(concentrations));
    frmRepView preview;
    screens.emplace_back(QStringLiteral("preview"), test::VisibleTexts(preview));
    ReasonDialog reason(QStringLiteral("ripetibilita.prec"), true);
    screens.emplace_back(QStringLiteral("reason"), test::VisibleTexts(reason));
    SignatureDialog signature(QStringLiteral("ripetibilita.prec"), CurrentUserIdentity(), {});
    screens.emplace_back(QStringLiteral("signature"), test::VisibleTexts(signature));
    // the meanings are the signature's own texts, not the catalogue's: asked by name
    EXPECT_EQ(signature.meaningBox()->itemText(0), InterfaceIsEnglish() ? "Prepared" : "Redatto");
    return screens;
}

// Every study window with the example study of its kind read and calculated, and the example dossier
// evaluated: captions, tabs, results frames, table headings and the judgements the core shows.
std::vector<std::pair<QString, QStringList>> documentScreens(Shell& shell)
{
    std::vector<std::pair<QString, QStringList>> screens;
    const fs::path examples = fs::path(KESTRA_SOURCE_DIR) / "examples" / "dossier";
    for (const auto& entry : fs::directory_iterator(examples / "studi")) {
        EXPECT_TRUE(shell.window->openFile(QString::fromStdString(entry.path().string())))
            << entry.path() << " "
            << (shell.prompts.messages.empty() ? "" : shell.prompts.messages.back().text);
    }
    QPrinter printer;
    EXPECT_EQ(shell.window->openStudyWindows().size(), 7u);
    for (StudyWindow* w : shell.window->openStudyWindows()) {
        screens.emplace_back(w->objectName(), test::VisibleTexts(*w));
        // the chart print dialog and its layout, for the windows that print charts
        if (auto* owner = dynamic_cast<ChartOwner*>(w); owner && !owner->chartViews().empty()) {
            MyPrintGrafDlg charts(*owner, printer);
            screens.emplace_back(w->objectName() + QStringLiteral(" chart print"),
                                 test::VisibleTexts(charts));
            MyLayoutDialog layout(*owner->chartViews().front());
            screens.emplace_back(w->objectName() + QStringLiteral(" chart layout"),
                                 test::VisibleTexts(layout));
        }
    }
    EXPECT_TRUE(shell.window->openDossierFile(examples / "convalida_paracetamolo.kvd"));
    for (DossierWindow* d : shell.window->openDossierWindows()) {
        d->evaluate();
        screens.emplace_back(QStringLiteral("dossier"), test::VisibleTexts(*d));
    }
    // the trail now holds the openings and the evaluation: their actions are shown in the table
    AuditViewer trail(CurrentAuditTrail(), shell.prompts);
    EXPECT_FALSE(trail.shownEntries().empty());
    screens.emplace_back(QStringLiteral("audit trail"), test::VisibleTexts(trail));
    return screens;
}

class ShellLanguage : public ::testing::TestWithParam<InterfaceLanguage> {};

TEST_P(ShellLanguage, NoTextOfTheMainWindowAndItsDialogsIsInTheOtherLanguage)
{
    const bool english = GetParam() == InterfaceLanguage::English;
    InLanguage language(GetParam());
    Shell shell;
    int texts = 0;
    for (const auto& [screen, shown] : shellScreens(shell)) {
        texts += static_cast<int>(shown.size());
        EXPECT_EQ(test::TextsInTheWrongLanguage(shown, !english).join(QStringLiteral(" | ")).toStdString(),
                  "")
            << screen.toStdString();
    }
    for (const auto& [screen, shown] : documentScreens(shell)) {
        texts += static_cast<int>(shown.size());
        EXPECT_EQ(test::TextsInTheWrongLanguage(shown, !english).join(QStringLiteral(" | ")).toStdString(),
                  "")
            << screen.toStdString();
    }
    EXPECT_GT(texts, 600);
    // the menus themselves, so that a scan that finds nothing is not taken for success
    const QStringList menus = test::VisibleTexts(*shell.window);
    EXPECT_TRUE(menus.contains(english ? "Methods" : "Metodi"));
    EXPECT_TRUE(menus.contains(english ? "Intermediate precision" : "Precisione intermedia"));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShellLanguage,
                         ::testing::Values(InterfaceLanguage::Italian, InterfaceLanguage::English));

TEST(InterfaceLanguageUi, QtsOwnTextsFollowTheInterface)
{
    {
        InLanguage italian(InterfaceLanguage::Italian);
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Annulla");
    }
    InLanguage english(InterfaceLanguage::English);
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Cancel");
    EXPECT_EQ(Ui::tr("&Nuova convalida..."), "&New validation...");
    // core messages and screen texts speak the same language
    EXPECT_EQ(Msg("permesso negato"), "permission denied");
}

TEST(InterfaceLanguageUi, TheOptionsDialogStoresTheLanguageForTheNextStart)
{
    Shell shell;
    const std::string ini = CurrentAppSettings().iniPath;
    for (const auto& [code, language] :
         {std::pair{"en", InterfaceLanguage::English}, std::pair{"it", InterfaceLanguage::Italian}}) {
        frmOpzioni dialog(shell.prompts, {});
        QComboBox* choice = dialog.cboLanguage();
        choice->setCurrentIndex(choice->findData(QString::fromLatin1(code)));
        ASSERT_TRUE(dialog.confirm());
        EXPECT_EQ(StoredInterfaceLanguage(ini), language);
        // the running interface keeps its language until the next start
        EXPECT_EQ(CurrentInterfaceLanguage(), InterfaceLanguage::Italian);
        frmOpzioni again(shell.prompts, {});
        EXPECT_EQ(again.cboLanguage()->currentData().toString(), QString::fromLatin1(code));
    }
    EXPECT_TRUE(test::VisibleTexts(frmOpzioni(shell.prompts, {}))
                    .contains("La lingua scelta si applica al prossimo avvio del programma."));
}

TEST(InterfaceLanguageUi, TheFirstStartQuestionGivesTheButtonPressed)
{
    frmLingua question;
    EXPECT_EQ(question.windowTitle(), "Lingua / Language");
    EXPECT_EQ(question.choice(), std::nullopt);
    question.italianButton()->click();
    EXPECT_EQ(question.choice(), InterfaceLanguage::Italian);
    frmLingua other;
    other.show();
    QTest::keyClick(&other, Qt::Key_Return);  // English is the default button
    EXPECT_EQ(other.choice(), InterfaceLanguage::English);
    EXPECT_EQ(other.result(), QDialog::Accepted);
}

struct AskCase {
    const char* environment;
    std::optional<InterfaceLanguage> stored;
    bool systemIsItalian;
    bool asked;
};

class FirstStartQuestion : public ::testing::TestWithParam<AskCase> {};

TEST_P(FirstStartQuestion, OnlyWhenNothingChoseAndTheSystemIsNotItalian)
{
    const AskCase& c = GetParam();
    EXPECT_EQ(ShouldAskInterfaceLanguage(c.environment, c.stored, c.systemIsItalian), c.asked);
}

INSTANTIATE_TEST_SUITE_P(Cases, FirstStartQuestion,
                         ::testing::Values(AskCase{"", std::nullopt, false, true},
                                           AskCase{"", std::nullopt, true, false},
                                           AskCase{"en", std::nullopt, false, false},
                                           AskCase{"xx", std::nullopt, false, true},
                                           AskCase{"", InterfaceLanguage::Italian, false, false}));

}  // namespace
}  // namespace kestra
