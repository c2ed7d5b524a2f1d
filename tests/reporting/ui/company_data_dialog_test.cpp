#include "reporting/ui/company_data_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "framework/ui/form_numero.h"
#include "report_test_support.h"
#include "reporting/report_database.h"
#include "reporting/report_settings.h"
#include "reporting/ui/print_language_dialog.h"
#include "test_support.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

class CompanyDataDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        SetReportDatabasePath(m_db);
    }
    void TearDown() override { SetReportDatabasePath({}); }

    CompanyData stored() const { return ReportDatabase(m_db, ReportDatabase::Mode::ReadOnly).readAnagrafica(); }

    void quiet(frmAnagraf& dialog)
    {
        dialog.setMessageHandler([this](QMessageBox::Icon icon, const QString& text) {
            m_icons << icon;
            m_messages << text;
        });
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    QStringList m_messages;
    QList<QMessageBox::Icon> m_icons;
};

TEST_F(CompanyDataDialogTest, SavesTheTenFieldsAndTheLogo)
{
    const fs::path logo = m_dir / "logo.png";
    test::WritePicture(logo, 400, 200, 10000);
    {
        frmAnagraf dialog;
        quiet(dialog);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Anagrafica azienda"));
        EXPECT_TRUE(dialog.realSizeOption()->isChecked());
        EXPECT_FALSE(dialog.logoPreview()->isVisibleTo(&dialog));  // the shipped row has no logo
        dialog.field(0)->setText(QStringLiteral("Laboratorio <Rossi> & Figli"));
        dialog.field(4)->setText(QStringLiteral("Città di Pavia"));
        EXPECT_TRUE(dialog.chooseLogo(QString::fromStdString(logo.string())));
        EXPECT_TRUE(dialog.clearLogoButton()->isEnabled());
        EXPECT_TRUE(dialog.save());
    }
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0], QStringLiteral("I dati sono stati salvati"));
    EXPECT_EQ(m_icons[0], QMessageBox::Information);
    const CompanyData data = stored();
    EXPECT_EQ(data.texts[0], "Laboratorio <Rossi> & Figli");
    EXPECT_EQ(data.texts[4], "Città di Pavia");
    EXPECT_EQ(data.texts[1], "");  // fields left empty are stored empty
    EXPECT_EQ(data.logoPath, logo.string());
    EXPECT_EQ(data.noLogoFlag, 0);
    EXPECT_EQ(ReportLogoPath(), logo.string());

    // Reopened, the dialog shows what was saved.
    frmAnagraf again;
    quiet(again);
    EXPECT_EQ(again.field(4)->text(), QStringLiteral("Città di Pavia"));
    EXPECT_TRUE(again.logoPreview()->isVisibleTo(&again));
}

TEST_F(CompanyDataDialogTest, ClearingTheLogoKeepsItsPath)
{
    const fs::path logo = m_dir / "logo.png";
    test::WritePicture(logo, 400, 200, 10000);
    frmAnagraf dialog;
    quiet(dialog);
    dialog.chooseLogo(QString::fromStdString(logo.string()));
    dialog.clearLogo();
    EXPECT_FALSE(dialog.logoPreview()->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.clearLogoButton()->isEnabled());
    EXPECT_TRUE(dialog.save());
    const CompanyData data = stored();
    EXPECT_EQ(data.noLogoFlag, -1);
    EXPECT_EQ(data.logoPath, logo.string());
}

TEST_F(CompanyDataDialogTest, LargeLogoIsPreviewedWithinTheBoxAndUnreadablePicturesAreIgnored)
{
    const fs::path large = m_dir / "large.png";
    test::WritePicture(large, 2000, 500, 10000);  // 20 x 5 cm
    frmAnagraf dialog;
    quiet(dialog);
    ASSERT_TRUE(dialog.chooseLogo(QString::fromStdString(large.string())));
    EXPECT_EQ(dialog.logoPreview()->size(), dialog.maximumLogoBox());
    dialog.wholePictureOption()->setChecked(true);
    EXPECT_EQ(dialog.logoPreview()->size(), dialog.maximumLogoBox());
    EXPECT_EQ(dialog.logoPreview()->pixmap().size(), dialog.maximumLogoBox());

    test::writeFile(m_dir / "broken.png", "no picture");
    EXPECT_FALSE(dialog.chooseLogo(QString::fromStdString((m_dir / "broken.png").string())));
    EXPECT_EQ(dialog.logoPath(), QString::fromStdString(large.string()));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CompanyDataDialogTest, DatabaseFaultOnSaveIsReportedAndTheDialogStays)
{
    frmAnagraf dialog;
    quiet(dialog);
    SetReportDatabasePath(m_dir / "gone.mdb");
    EXPECT_FALSE(dialog.save());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_icons[0], QMessageBox::Critical);
    EXPECT_TRUE(m_messages[0].startsWith(QStringLiteral("Errore 76 nella procedura frmAnagraf.cmdSave.\r\n\r\n")));
}

TEST(CompanyDataDialogFilterTest, ListsPngAmongTheFormatsReallyRead)
{
    const QString filter = frmAnagraf::LogoFileFilter();
    EXPECT_TRUE(filter.startsWith(QStringLiteral("Immagini ")));
    EXPECT_TRUE(filter.contains(QStringLiteral("*.png")));
    EXPECT_TRUE(filter.contains(QStringLiteral("*.PNG")));
    EXPECT_TRUE(filter.contains(QStringLiteral("*.jpeg")));
    EXPECT_FALSE(filter.contains(QStringLiteral("*.pcx")));
}

TEST_F(CompanyDataDialogTest, FixedDialogsHaveOneSizeAndNoMaximiseOrMinimiseButton)
{
    // a window manager that draws a maximise button whatever the flags (openbox) then has nothing to grow
    test::ScriptedPrompts prompts;
    FormNumero format(prompts, NumberFormat{7, 3});
    MyPrintLanDlg language;
    frmAnagraf company;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&format, &language, &company}) {
        dialog->show();
        QApplication::processEvents();
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << dialog->windowTitle().toStdString();
        EXPECT_EQ(dialog->size(), dialog->minimumSize()) << dialog->windowTitle().toStdString();
        EXPECT_FALSE(dialog->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
        dialog->hide();
    }
}

}  // namespace
}  // namespace kestra
