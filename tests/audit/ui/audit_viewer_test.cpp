// The trail viewer's filters, verification and CSV export, and the signature password page, driven on the
// real widgets with scripted prompts.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/audit_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "audit/audit_trail.h"
#include "audit/signature_password.h"
#include "audit/sqlite_audit_store.h"
#include "audit/ui/signature_password_page.h"
#include "reporting/report_settings.h"
#include "reporting/ui/report_test_support.h"
#include "test_support.h"
#include "text/interface_language.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

class AuditViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trail = std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(dir / "audit.db"),
                                             UserIdentity{"mrossi", "Mario Rossi", "lab"});
        for (const char* file : {"/d/a.LIM", "/d/b.PRE", "/d/a.LIM"}) {
            AuditEntry e;
            e.action = audit_action::kSaved;
            e.objectPath = file;
            e.changes = {{"Riga 1, colonna 1", "1.000", "2.000"}};
            trail->record(e);
        }
    }
    test::TempDir dir;
    std::shared_ptr<AuditTrail> trail;
    test::ScriptedPrompts prompts;
};

TEST_F(AuditViewerTest, FiltersByFileShowsChangesAndExports)
{
    AuditViewer viewer(trail, prompts, QStringLiteral("/d/a.LIM"));
    ASSERT_EQ(viewer.shownEntries().size(), 2u);
    EXPECT_EQ(viewer.shownEntries()[1].sequence, 3);
    auto* changes = viewer.findChild<QTableWidget*>(QStringLiteral("Modifiche"));
    ASSERT_EQ(changes->rowCount(), 1);
    EXPECT_EQ(changes->item(0, 2)->text(), QStringLiteral("2.000"));
    viewer.findChild<QComboBox*>(QStringLiteral("FiltroFile"))->setCurrentIndex(0);
    EXPECT_EQ(viewer.shownEntries().size(), 3u);

    ASSERT_TRUE(viewer.exportCsv(QString::fromStdString((dir / "r.csv").string())));
    const std::string csv = test::readFile(dir / "r.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);  // the heading and three rows

    EXPECT_TRUE(viewer.verifyChain());
    EXPECT_NE(prompts.lastMessage().find("Registro integro: 3 voci"), std::string::npos)
        << prompts.lastMessage();
}

TEST_F(AuditViewerTest, ExportsWhatItShowsThroughItsButtonsAndKeys)
{
    namespace fs = std::filesystem;
    fs::copy_file(KESTRA_TEMPLATE_DB, dir / "KESTRA73.MDB");
    SetReportDatabasePath(dir / "KESTRA73.MDB");
    SetReportLogoPath("");
    AuditViewer viewer(trail, prompts, QStringLiteral("/d/a.LIM"));
    viewer.show();

    // cancelled: nothing written, nothing said
    auto files = [this] {
        return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    };
    const auto before = files();
    prompts.exportPaths = {std::nullopt, std::nullopt};
    viewer.findChild<QPushButton*>(QStringLiteral("EsportaPdf"))->click();
    viewer.findChild<QPushButton*>(QStringLiteral("EsportaCsv"))->click();
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(prompts.messages.empty());

    // from the keyboard: each button reached and pressed with the space bar
    prompts.exportPaths = {dir / "registro.pdf", dir / "registro.csv"};
    for (const char* name : {"EsportaPdf", "EsportaCsv"}) {
        auto* button = viewer.findChild<QPushButton*>(QString::fromLatin1(name));
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
    }
    using Dialog = std::pair<ExportDialog, std::string>;
    EXPECT_EQ(prompts.exportDialogs,
              (std::vector<Dialog>{{ExportDialog::TrailPdf, "registro.pdf"}, {ExportDialog::TrailCsv, "registro.csv"},
                                   {ExportDialog::TrailPdf, "registro.pdf"}, {ExportDialog::TrailCsv, "registro.csv"}}));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    // the PDF holds the two entries shown, their changes and the user, not the other file's entry
    const std::string text = test::PdfText(dir / "registro.pdf");
    ASSERT_FALSE(text.empty()) << "no readable PDF";
    for (const char* expected : {"REGISTRO DELLE MODIFICHE", "Voci:                      2", "/d/a.LIM", "Riga 1, colonna 1",
                                 "Mario Rossi", "Salvataggio"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_EQ(text.find("/d/b.PRE"), std::string::npos);
    const std::string csv = test::readFile(dir / "registro.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);  // the heading and two rows
    EXPECT_NE(csv.find("/d/a.LIM"), std::string::npos);
    EXPECT_EQ(csv.find("/d/b.PRE"), std::string::npos);

    // a folder that does not exist: said, nothing left behind
    prompts.exportPaths = {dir / "manca" / "registro.pdf"};
    viewer.findChild<QPushButton*>(QStringLiteral("EsportaPdf"))->click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(fs::exists(dir / "manca"));
    SetReportDatabasePath({});
}

// The trail holds the Italian action; in English the list and the table name it in English and still filter.
TEST_F(AuditViewerTest, InEnglishTheActionsAreShownInEnglishAndFilterTheStoredValue)
{
    AuditEntry other;
    other.action = audit_action::kPrinted;
    other.objectPath = "/d/a.LIM";
    trail->record(other);
    ScopedInterfaceLanguage english(InterfaceLanguage::English);
    AuditViewer viewer(trail, prompts, QString());
    auto* action = viewer.findChild<QComboBox*>(QStringLiteral("FiltroAzione"));
    ASSERT_EQ(action->count(), 3);
    const int save = action->findText(QStringLiteral("Save"));
    ASSERT_GT(save, 0);
    EXPECT_LT(action->findText(QStringLiteral("Salvataggio")), 0);
    action->setCurrentIndex(save);
    ASSERT_EQ(viewer.shownEntries().size(), 3u);
    auto* table = viewer.findChild<QTableWidget*>(QStringLiteral("Voci"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("Save"));
    action->setCurrentIndex(action->findText(QStringLiteral("Print")));
    ASSERT_EQ(viewer.shownEntries().size(), 1u);
    EXPECT_EQ(viewer.shownEntries()[0].action, audit_action::kPrinted);
}

TEST_F(AuditViewerTest, SignaturePasswordPageChecksBothFieldsAndRecordsTheChange)
{
    SetAuditTrail(trail);
    SignaturePasswordPage page(prompts, dir.path());
    auto* first = page.findChild<QLineEdit*>(QStringLiteral("NuovaPassword"));
    auto* second = page.findChild<QLineEdit*>(QStringLiteral("RipetiPassword"));
    first->setText(QStringLiteral("segreto-lungo"));
    second->setText(QStringLiteral("segreto-lungx"));
    EXPECT_FALSE(page.setPassword());
    EXPECT_FALSE(SignaturePassword(dir.path()).isSet());
    second->setText(QStringLiteral("segreto-lungo"));
    EXPECT_TRUE(page.setPassword());
    EXPECT_EQ(SignaturePassword(dir.path()).check("segreto-lungo"), SignaturePassword::Check::Correct);
    EXPECT_TRUE(first->text().isEmpty());
    EXPECT_EQ(trail->store().entries().back().action, audit_action::kPasswordSet);
    SetAuditTrail(nullptr);
}

}  // namespace
}  // namespace kestra
