// Signing from the dossier window, the signature shown with its validity on the Firme page, the reason a
// save of signed content requires, and the reason dialog driven by keyboard.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

#include "audit/audit_trail.h"
#include "audit/signature_password.h"
#include "audit/sqlite_audit_store.h"
#include "audit/ui/reason_dialog.h"
#include "dossier/dossier_signing.h"
#include "dossier/ui/dossier_window.h"
#include "framework/number_pattern.h"
#include "framework/scripted_prompts.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

class DossierSigningWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        fs::copy(fs::path(KESTRA_SOURCE_DIR) / "examples" / "dossier", m_dir.path(), fs::copy_options::recursive);
        fs::create_directories(m_dir / "Audit");
        m_trail = std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(m_dir / "Audit" / "audit.db"),
                                               UserIdentity{"mrossi", "Mario Rossi", "lab-01"}, m_dir / "Audit");
        SetAuditTrail(m_trail);
        SignaturePassword(m_dir / "Audit").set("segreto-lungo");
        DossierWindowHost host;
        host.prompts = [this]() -> Prompts& { return m_prompts; };
        host.unsavedStudies = [] { return std::vector<fs::path>{}; };
        m_window = std::make_unique<DossierWindow>(std::move(host));
        ASSERT_TRUE(m_window->openFile(m_file));
    }
    void TearDown() override
    {
        m_window->undoStack()->setClean();
        SetAuditTrail(nullptr);
    }
    // The Firme page's electronic signature cells, one text per slot.
    std::vector<std::string> shownSignatures() const
    {
        std::vector<std::string> texts;
        QTableWidget* table = m_window->signaturesTable();
        for (int r = 0; r < table->rowCount(); ++r) texts.push_back(table->item(r, 2)->text().toStdString());
        return texts;
    }

    test::TempDir m_dir;
    fs::path m_file = m_dir / "convalida_paracetamolo.kvd";
    std::shared_ptr<AuditTrail> m_trail;
    test::ScriptedPrompts m_prompts;
    std::unique_ptr<DossierWindow> m_window;
};

TEST_F(DossierSigningWindowTest, ASignatureIsShownValidThenInvalidAfterAStudyCellChanges)
{
    m_prompts.signatures = {SignatureRequest{"approved", "", "segreto-lungo"}};
    ASSERT_TRUE(m_window->sign()) << m_prompts.lastMessage();
    EXPECT_FALSE(m_window->isModified());
    const auto signed1 = ElectronicSignatures(Dossier::read(m_file));
    ASSERT_EQ(signed1.size(), 1u);
    const std::string line = SignatureLine(signed1[0], false);
    const std::vector<std::string> shown = shownSignatures();
    EXPECT_NE(std::find(shown.begin(), shown.end(), line), shown.end());
    // the approved slot is the signer's now: it cannot be removed
    QTableWidget* table = m_window->signaturesTable();
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 2)->text().toStdString() == line) {
            EXPECT_FALSE(table->item(r, 1)->flags() & Qt::ItemIsEditable);
        }

    const fs::path study = m_dir / "studi" / "limiti.LIM";
    std::string text = test::readFile(study);
    text.replace(text.find("0.018"), 5, "0.019");
    test::writeFile(study, text);
    ASSERT_TRUE(m_window->openFile(m_file));
    const std::vector<std::string> after = shownSignatures();
    EXPECT_NE(std::find(after.begin(), after.end(), line + "\n" + kSignatureInvalidIt), after.end());
}

TEST_F(DossierSigningWindowTest, SavingSignedContentRequiresAReason)
{
    m_prompts.signatures = {SignatureRequest{"prepared", "prima stesura", "segreto-lungo"}};
    ASSERT_TRUE(m_window->sign());
    m_window->methodField(QStringLiteral("revision"))->setText(QStringLiteral("2"));
    emit m_window->methodField(QStringLiteral("revision"))->editingFinished();
    ASSERT_TRUE(m_window->isModified());
    const std::string signedText = test::readFile(m_file);
    m_prompts.reasons = {std::nullopt};
    EXPECT_FALSE(m_window->save());
    EXPECT_EQ(test::readFile(m_file), signedText);
    m_prompts.reasons = {std::string("revisione del documento")};
    ASSERT_TRUE(m_window->save());
    EXPECT_EQ(m_prompts.reasonDialogs, (std::vector<bool>{true, true}));

    const auto entries = m_trail->store().entries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[entries.size() - 2].action, audit_action::kSigned);
    const AuditEntry& saved = entries.back();
    EXPECT_EQ(saved.action, audit_action::kSaved);
    EXPECT_EQ(saved.reason, "revisione del documento");
    EXPECT_EQ(saved.changes, (std::vector<FieldChange>{{"revision", "1", "2"}}));
    // the signature no longer holds: a later save asks nothing
    m_window->methodField(QStringLiteral("revision"))->setText(QStringLiteral("3"));
    emit m_window->methodField(QStringLiteral("revision"))->editingFinished();
    ASSERT_TRUE(m_window->save());
    EXPECT_EQ(m_prompts.reasonDialogs.size(), 2u);
}

TEST(ReasonDialog, ARequiredReasonCannotBeLeftBlank)
{
    ReasonDialog dialog(QStringLiteral("a.LIM"), true);
    dialog.show();
    QPushButton* ok = dialog.buttons()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(dialog.field(), QStringLiteral("   "));
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClick(dialog.field(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClicks(dialog.field(), QStringLiteral("errore di trascrizione "));
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(dialog.field(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.reason(), QStringLiteral("errore di trascrizione"));

    ReasonDialog optional(QStringLiteral("a.LIM"), false);
    EXPECT_TRUE(optional.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
}

}  // namespace
}  // namespace kestra
