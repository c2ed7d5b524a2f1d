// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/user_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "test_support.h"

using namespace kestra;
using kestra::test::TempDir;
using kestra::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct FakeEnvironment {
    std::map<std::string, std::string> values;
    EnvironmentLookup lookup() const
    {
        return [this](const char* name) -> const char* {
            const auto it = values.find(name);
            return it == values.end() ? nullptr : it->second.c_str();
        };
    }
};

}  // namespace

TEST(UserFolders, DocumentsFolderFollowsTheDesktopsUserDirsFile)
{
    TempDir dir;
    const std::string home = (dir / "anna").string();
    FakeEnvironment env{{{"HOME", home + "/"}}};
    EXPECT_EQ(DesktopDocumentsFolder(env.lookup()), home + "/Documents") << "no file: the usual name";

    const auto withFile = [&](const std::string& text) {
        writeFile(fs::path(home) / ".config" / "user-dirs.dirs", text);
        return DesktopDocumentsFolder(env.lookup());
    };
    fs::create_directories(fs::path(home) / ".config");
    EXPECT_EQ(withFile("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Scrivania\"\n"
                       "XDG_DOCUMENTS_DIR=\"$HOME/Documenti\"\n"),
              home + "/Documenti");
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=\"$HOME/Primo\"\r\nXDG_DOCUMENTS_DIR=\"$HOME/Secondo/\"\r\n"),
              home + "/Secondo")
        << "the last line wins, as when a shell reads the file; CR LF lines too";
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=/srv/carte\n"), "/srv/carte");
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=\"$HOME/Lab \\\"A\\\" \\$1\"\n"), home + "/Lab \"A\" $1");
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=\"$HOME\"\n"), home);
    // Not absolute, empty, or a variable that only starts like $HOME: ignored, the usual folder stays.
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=\"relativo/x\"\n"), home + "/Documents");
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=\"\"\n"), home + "/Documents");
    EXPECT_EQ(withFile("XDG_DOCUMENTS_DIR=\"$HOMEPAGE/x\"\n"), home + "/Documents");
    EXPECT_EQ(withFile("  XDG_DOCUMENTS_DIR=\"$HOME/spazi\"\n"), home + "/Documents");

    // XDG_CONFIG_HOME moves the file, when it is an absolute path.
    fs::create_directories(dir / "cfg");
    writeFile(dir / "cfg" / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Altrove\"\n");
    env.values["XDG_CONFIG_HOME"] = (dir / "cfg").string();
    EXPECT_EQ(DesktopDocumentsFolder(env.lookup()), home + "/Altrove");
    env.values["XDG_CONFIG_HOME"] = "cfg";
    EXPECT_EQ(DesktopDocumentsFolder(env.lookup()), home + "/Documents");
}

TEST(UserFolders, AHugeUserDirsFileIsNotReadToTheEnd)
{
    TempDir dir;
    fs::create_directories(dir / ".config");
    std::string text(200 * 1024, '#');
    text += "\nXDG_DOCUMENTS_DIR=\"/lontano\"\n";
    writeFile(dir / ".config" / "user-dirs.dirs", text);
    FakeEnvironment env{{{"HOME", dir.path().string()}}};
    EXPECT_EQ(DesktopDocumentsFolder(env.lookup()), dir.path().string() + "/Documents");
}

TEST(UserFolders, KestraDocumentsOverridesAndIsNeverCreated)
{
    FakeEnvironment env{{{"HOME", "/home/anna"}, {"KESTRA_DOCUMENTS", "/tmp/prove"}}};
    StartupPaths paths = SystemStartupPaths(env.lookup());
    EXPECT_EQ(paths.documentsFolder, "/tmp/prove");
    EXPECT_FALSE(paths.createDocumentsFolder);

    env.values.erase("KESTRA_DOCUMENTS");
    paths = SystemStartupPaths(env.lookup());
    EXPECT_EQ(paths.documentsFolder, "/home/anna/Documents");
    EXPECT_TRUE(paths.createDocumentsFolder);
    // The tests run from the build tree, where the template database sits beside them.
    EXPECT_TRUE(fs::exists(fs::path(paths.programFolder) / "DB" / "KESTRA73.MDB")) << paths.programFolder;
}

TEST(UserFolders, ProgramDataIsFoundInTheBuildTreeAndInAnInstalledTree)
{
    TempDir dir;
    const auto withDatabase = [](const fs::path& folder) {
        fs::create_directories(folder / "DB");
        writeFile(folder / "DB" / "KESTRA73.MDB", "x");
    };
    withDatabase(dir / "build" / "bin");
    EXPECT_EQ(ProgramDataFolder((dir / "build" / "bin").string()), (dir / "build" / "bin").string());

    withDatabase(dir / "usr" / "share" / "kestra");
    fs::create_directories(dir / "usr" / "bin");
    fs::create_directories(dir / "usr" / "libexec" / "kestra");
    EXPECT_EQ(ProgramDataFolder((dir / "usr" / "bin").string()), (dir / "usr" / "share" / "kestra").string());
    EXPECT_EQ(ProgramDataFolder((dir / "usr" / "libexec" / "kestra").string()),
              (dir / "usr" / "share" / "kestra").string());

    // Nowhere: the executable's folder, which the start-up then names in its message.
    EXPECT_EQ(ProgramDataFolder((dir / "opt").string()), (dir / "opt").string());
}

TEST(UserFolders, HomeComesFromTheAccountWhenHomeIsUnset)
{
    FakeEnvironment env;
    const std::string home = HomeFolder(env.lookup());
    EXPECT_FALSE(home.empty());
    EXPECT_EQ(home.front(), '/');
}
