// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

using namespace kestra;
using kestra::test::readFile;
using kestra::test::TempDir;
using kestra::test::writeFile;
namespace fs = std::filesystem;

TEST(Backup, CopiesFilesReplacesOlderCopiesAndSkipsFolders)
{
    TempDir dir;
    fs::create_directories(dir / "Doc" / "sub");
    fs::create_directories(dir / "Backup");
    writeFile(dir / "Doc" / "a.LIM", "new a");
    writeFile(dir / "Doc" / "b.TAR", "b");
    writeFile(dir / "Doc" / "sub" / "c.LIM", "c");
    writeFile(dir / "Backup" / "a.LIM", "old a");

    int ticks = 0;
    const BackupReport r =
        BackupStudyFiles((dir / "Doc/").string(), (dir / "Backup/").string(), [&] { ++ticks; });
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.copied, 2);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(readFile(dir / "Backup" / "a.LIM"), "new a");
    EXPECT_EQ(readFile(dir / "Backup" / "b.TAR"), "b");
    EXPECT_FALSE(fs::exists(dir / "Backup" / "sub"));
    EXPECT_FALSE(fs::exists(dir / "Backup" / "a.LIM.kestra-tmp"));
}

TEST(Backup, AFailedFileIsListedAndTheOthersAreStillCopied)
{
    TempDir dir;
    fs::create_directories(dir / "Doc");
    fs::create_directories(dir / "Backup" / "a.LIM");  // a folder holds the name of the first file
    writeFile(dir / "Doc" / "a.LIM", "a");
    writeFile(dir / "Doc" / "z.LIM", "z");

    const BackupReport r = BackupStudyFiles((dir / "Doc/").string(), (dir / "Backup/").string());
    ASSERT_EQ(r.failures.size(), 1u);
    EXPECT_EQ(r.failures[0].rfind("a.LIM: ", 0), 0u) << r.failures[0];
    EXPECT_EQ(r.copied, 1);
    EXPECT_EQ(readFile(dir / "Backup" / "z.LIM"), "z");
    EXPECT_NE(BackupFailureText(r).find("a.LIM"), std::string::npos);
}

TEST(Backup, AMissingBackupFolderIsReportedNotCreated)
{
    TempDir dir;
    fs::create_directories(dir / "Doc");
    writeFile(dir / "Doc" / "a.LIM", "a");
    const std::string gone = (dir / "gone/").string();
    const BackupReport r = BackupStudyFiles((dir / "Doc/").string(), gone);
    ASSERT_EQ(r.failures.size(), 1u);
    EXPECT_EQ(r.failures[0].rfind(gone, 0), 0u);
    EXPECT_FALSE(fs::exists(dir / "gone"));
}
