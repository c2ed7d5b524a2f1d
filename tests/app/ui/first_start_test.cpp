// The first start on a new account, as a user meets it: no documents folder, no KESTRA_DOCUMENTS. The program
// and kestra-cli must agree on one data folder; the background picture is rendered once per size.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QApplication>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include "app/ui/main_window.h"
#include "app/ui/shell_icons.h"
#include "app/user_folders.h"
#include "framework/number_pattern.h"
#include "framework/scripted_prompts.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "reporting/report_database.h"
#include "reporting/report_settings.h"
#include "test_support.h"

using namespace kestra;
using kestra::test::ScriptedPrompts;
using kestra::test::TempDir;
using kestra::test::writeFile;
namespace fs = std::filesystem;

namespace {

fs::path binFolder()
{
    return fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path();
}

// Sets or clears environment variables for one test and puts them back afterwards.
class EnvironmentScope {
public:
    void set(const char* name, const std::optional<std::string>& value)
    {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~EnvironmentScope()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

// A new account: an empty home, none of the variables that would point elsewhere.
struct NewAccount {
    TempDir dir;
    fs::path home = dir / "anna";
    EnvironmentScope env;
    char savedSeparator = UserDecimalSeparator();
    fs::path savedDatabase = ReportDatabasePath();

    NewAccount()
    {
        fs::create_directories(home);
        env.set("HOME", home.string());
        env.set("KESTRA_DOCUMENTS", std::nullopt);
        env.set("XDG_CONFIG_HOME", std::nullopt);
    }
    ~NewAccount()
    {
        SetUserDecimalSeparator(savedSeparator);
        SetReportDatabasePath(savedDatabase);
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
    fs::path base() const { return home / "Documents" / "Kestra2006"; }
    // Runs a command with this account's environment (HOME only); returns its exit code.
    int run(const std::string& command) const
    {
        const std::string line = "env -u KESTRA_DOCUMENTS -u XDG_CONFIG_HOME HOME='" + home.string() +
                                 "' QT_QPA_PLATFORM=offscreen " + command + " >'" +
                                 (dir / "out.txt").string() + "' 2>&1";
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

void expectDataFolder(const fs::path& base)
{
    EXPECT_TRUE(fs::is_regular_file(base / "KesSet.ini")) << base;
    EXPECT_TRUE(fs::is_regular_file(base / "DB" / "KESTRA73.MDB")) << base;
    EXPECT_TRUE(fs::is_directory(base / "Doc")) << base;
    EXPECT_TRUE(fs::is_directory(base / "Backup")) << base;
}

}  // namespace

TEST(FirstStart, TheWindowShowsAndTheCommandLineUsesTheSameDatabase)
{
    NewAccount account;
    ScriptedPrompts prompts;
    {
        Kestra window(ShellEnvironment::fromSystem(), &prompts);
        ASSERT_TRUE(window.start());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
    }
    expectDataFolder(account.base());

    const fs::path study = account.dir / "prova.LIM";
    std::string text =
        "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n5\r\nVero\r\n";
    for (int i = 1; i <= 5; ++i) text += std::to_string(i) + ",0.4" + std::to_string(i) + "\r\n";
    writeFile(study, text);
    const fs::path pdf = account.dir / "prova.pdf";
    ASSERT_EQ(account.run("'" + (binFolder() / "kestra-cli").string() + "' report --output '" + pdf.string() +
                          "' '" + study.string() + "'"),
              0)
        << test::readFile(account.dir / "out.txt");
    EXPECT_TRUE(fs::exists(pdf));
    // The report tables were written into the database the window's start-up prepared, and nowhere else.
    ReportDatabase db(account.base() / "DB" / "KESTRA73.MDB", ReportDatabase::Mode::ReadOnly);
    EXPECT_EQ(db.rowCount("Limi"), 1);
    EXPECT_EQ(db.rowCount("LimiTabella"), 5);
    EXPECT_FALSE(fs::exists(account.home / "Kestra2006"));
}

TEST(FirstStart, TheProgramItselfStartsOnANewAccount)
{
    NewAccount account;
    // The real program, ended once its window has been painted.
    EXPECT_EQ(account.run("KESTRA_QUIT_AFTER_START=1 '" + (binFolder() / "kestra").string() + "'"), 0)
        << test::readFile(account.dir / "out.txt");
    expectDataFolder(account.base());

    // A desktop that names another documents folder is followed.
    fs::create_directories(account.home / ".config");
    writeFile(account.home / ".config" / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documenti\"\n");
    // the folder Qt's own lookup names, for the same desktop file
    EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString(),
              DesktopDocumentsFolder());
    EXPECT_EQ(account.run("KESTRA_QUIT_AFTER_START=1 '" + (binFolder() / "kestra").string() + "'"), 0)
        << test::readFile(account.dir / "out.txt");
    expectDataFolder(account.home / "Documenti" / "Kestra2006");
}

TEST(FirstStart, TheBackgroundIsRenderedOncePerSize)
{
    NewAccount account;
    ScriptedPrompts prompts;
    Kestra window(ShellEnvironment::fromSystem(), &prompts);
    ASSERT_TRUE(window.start());
    // sizes the window passes through before it is shown cost nothing
    window.resize(700, 500);
    window.resize(900, 600);
    const int before = BackgroundRenderCount();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* area = window.mdiArea()->viewport();
    // the first paint at a size shows the ground colour; the picture follows in the next turn of the loop
    area->repaint();
    EXPECT_EQ(BackgroundRenderCount(), before) << "the window shows before the picture is rendered";
    const auto settle = [&] {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        area->repaint();
    };
    settle();
    EXPECT_EQ(BackgroundRenderCount(), before + 1);
    settle();
    EXPECT_EQ(BackgroundRenderCount(), before + 1) << "a repaint at the same size reuses the picture";
    const QSize first = window.size();
    window.resize(first + QSize(37, 23));
    settle();
    settle();
    EXPECT_EQ(BackgroundRenderCount(), before + 2);
    window.resize(first);
    settle();
    EXPECT_EQ(BackgroundRenderCount(), before + 2) << "back to a size already rendered";

    // The picture covers the area: a pixel in the bottom right corner, where the title is drawn, is not
    // the ground colour.
    const QImage shot = area->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QColor ground = BackgroundGroundColour();
    bool drawn = false;
    for (int x = shot.width() * 3 / 4; x < shot.width() && !drawn; x += 3)
        for (int y = shot.height() * 3 / 4; y < shot.height() && !drawn; y += 3)
            drawn = shot.pixelColor(x, y) != ground;
    EXPECT_TRUE(drawn) << "the picture was not drawn over the ground colour";
}
