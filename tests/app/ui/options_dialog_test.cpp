// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "app/app_settings.h"
#include "app/data_folders.h"
#include "app/startup_config.h"
#include "framework/scripted_prompts.h"
#include "test_support.h"

using namespace kestra;
using kestra::test::readFile;
using kestra::test::ScriptedPrompts;
using kestra::test::TempDir;
namespace fs = std::filesystem;

namespace {

struct Options {
    TempDir dir;
    ScriptedPrompts prompts;
    std::vector<QString> browseTitles;
    std::optional<QString> browseAnswer;

    Options()
    {
        fs::create_directories(dir / "home");
        const StartupResult r = RunStartupConfiguration(
            {(dir / "home").string(), fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path().string()},
            [](const ShellMessage& m) { ADD_FAILURE() << m.text; });
        EXPECT_TRUE(r.ok);
        SetCurrentAppSettings(r.settings);
    }
    std::unique_ptr<frmOpzioni> dialog()
    {
        return std::make_unique<frmOpzioni>(prompts, [this](QWidget*, const QString& title, const QString&) {
            browseTitles.push_back(title);
            return browseAnswer;
        });
    }
    std::string ini() const { return readFile(CurrentAppSettings().iniPath); }
};

}  // namespace

TEST(OptionsDialog, ShowsTheCurrentSettings)
{
    Options o;
    AppSettings s = CurrentAppSettings();
    s.bkAutoSave = "1";
    SetCurrentAppSettings(s);
    auto d = o.dialog();
    EXPECT_EQ(d->windowTitle(), "Opzioni");
    EXPECT_EQ(d->txtOpenSave()->text().toStdString(), s.openSaveFolder);
    EXPECT_EQ(d->txtBackup()->text().toStdString(), s.backupFolder);
    EXPECT_TRUE(d->chkBkClose()->isChecked());
}

TEST(OptionsDialog, EachBrowseButtonFillsItsOwnField)
{
    Options o;
    const std::string other = (o.dir / "altrove").string();
    fs::create_directories(other);
    auto d = o.dialog();
    const QString openSave = d->txtOpenSave()->text();

    o.browseAnswer = QString::fromStdString(other);
    d->browseBackupButton()->click();
    EXPECT_EQ(o.browseTitles.back(), "Cartella salvataggio backup file metodi");
    EXPECT_EQ(d->txtBackup()->text().toStdString(), other + "/");
    EXPECT_EQ(d->txtOpenSave()->text(), openSave);

    o.browseAnswer.reset();  // Cancel in the browser changes nothing
    d->browseOpenSaveButton()->click();
    EXPECT_EQ(o.browseTitles.back(), "Cartella salvataggio file metodi");
    EXPECT_EQ(d->txtOpenSave()->text(), openSave);
}

TEST(OptionsDialog, OkWritesTheThreeKeysAndMakesThemCurrent)
{
    Options o;
    const std::string docs = (o.dir / "studi").string();
    fs::create_directories(docs);
    auto d = o.dialog();
    d->txtOpenSave()->setText(QString::fromStdString(docs));  // typed without the final "/"
    d->chkBkClose()->setChecked(false);
    EXPECT_TRUE(d->confirm());
    EXPECT_EQ(d->result(), QDialog::Accepted);

    const AppSettings& s = CurrentAppSettings();
    EXPECT_EQ(s.openSaveFolder, docs + "/");
    EXPECT_EQ(s.bkAutoSave, "0");
    EXPECT_FALSE(s.autoBackup());
    EXPECT_EQ(o.ini(), "[Percorsi]\nOpenSave=" + docs + "/\nBackup=" + s.backupFolder +
                           "\n[Parametri]\nBkAutoSave=0\n");
    EXPECT_TRUE(o.prompts.messages.empty());

    auto again = o.dialog();
    again->chkBkClose()->setChecked(true);
    EXPECT_TRUE(again->confirm());
    EXPECT_NE(o.ini().find("BkAutoSave=1"), std::string::npos);
    EXPECT_TRUE(CurrentAppSettings().autoBackup());
}

TEST(OptionsDialog, AnUnusableFolderKeepsTheDialogOpenAndWritesNothing)
{
    Options o;
    const std::string before = o.ini();
    const AppSettings settingsBefore = CurrentAppSettings();
    auto d = o.dialog();
    const std::string gone = (o.dir / "sparita").string() + "/";
    d->txtBackup()->setText(QString::fromStdString(gone));
    d->chkBkClose()->setChecked(true);
    EXPECT_FALSE(d->confirm());
    EXPECT_NE(d->result(), QDialog::Accepted);
    ASSERT_EQ(o.prompts.messages.size(), 2u);
    EXPECT_EQ(o.prompts.messages[0].text, "Permessi insufficienti per la cartella " + gone);
    EXPECT_EQ(o.prompts.messages[1].text, kUnusableFolderMessage);
    EXPECT_EQ(o.prompts.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(o.ini(), before);
    EXPECT_EQ(CurrentAppSettings().backupFolder, settingsBefore.backupFolder);
    EXPECT_FALSE(CurrentAppSettings().autoBackup());
}

TEST(OptionsDialog, CancelAfterBrowsingLeavesTheFileUntouched)
{
    Options o;
    const std::string before = o.ini();
    fs::create_directories(o.dir / "x");
    o.browseAnswer = QString::fromStdString((o.dir / "x").string());
    auto d = o.dialog();
    d->browseOpenSaveButton()->click();
    d->chkBkClose()->setChecked(true);
    d->cancelButton()->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(o.ini(), before);
    EXPECT_FALSE(CurrentAppSettings().autoBackup());
}
