// Saving keeps the file the user had: read-only targets, permissions and owner, symbolic links, long
// names, folders that refuse new files. Every case runs on a real folder.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/errors.h"
#include "framework/study_file.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

class StudyWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // the unprivileged runs must reach and write the folder; the files decide
        fs::permissions(dir.path(), fs::perms::all);
        study.setHeader(0, "HPLC");
        study.grid().setCell(0, 0, 1.5);
    }

    // What Study::write said, or "" when it wrote.
    std::string writeError(const fs::path& path)
    {
        try {
            study.write(path);
        } catch (const StudyWriteError& e) {
            return e.what();
        }
        return {};
    }

    static struct stat statOf(const fs::path& p)
    {
        struct stat st {};
        EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
        return st;
    }

    // Folder entries other than the given names: a leftover temporary file would show here.
    std::vector<std::string> strayFiles(std::initializer_list<std::string> expected) const
    {
        std::vector<std::string> stray;
        for (const auto& e : fs::directory_iterator(dir.path())) {
            const std::string name = e.path().filename().string();
            if (std::find(expected.begin(), expected.end(), name) == expected.end()) stray.push_back(name);
        }
        return stray;
    }

    test::TempDir dir;
    LimitsStudy study;
};

TEST_F(StudyWriteTest, ReadOnlyTargetIsRefusedAndKeptForAnOrdinaryUser)
{
    if (!test::runningAsRoot()) GTEST_SKIP() << "files of another user need root to set up";
    // the folder lets the user create files, so only the check stops the rename over the read-only files
    const fs::path own = dir / "own.LIM";  // the user's own file, marked read-only
    writeFile(own, "previous");
    ASSERT_EQ(::chown(own.c_str(), test::kUnprivilegedId, test::kUnprivilegedId), 0);
    ASSERT_EQ(::chmod(own.c_str(), 0444), 0);
    const fs::path others = dir / "others.LIM";  // writable by its owner only, who is someone else
    writeFile(others, "theirs");
    ASSERT_EQ(::chmod(others.c_str(), 0644), 0);

    const std::string result = test::runUnprivileged([&] {
        LimitsStudy s;
        std::string out;
        for (const fs::path& p : {own, others}) {
            try {
                s.write(p);
                out += "written;";
            } catch (const StudyWriteError& e) {
                out += std::string(e.what()) + ";";
            }
        }
        return out;
    });
    const std::string advice =
        " è di sola lettura: usare \"Salva con nome...\" per salvare i dati in un altro file.;";
    EXPECT_EQ(result, "Il file " + own.string() + advice + "Il file " + others.string() + advice);
    EXPECT_EQ(readFile(own), "previous");
    EXPECT_EQ(readFile(others), "theirs");
    EXPECT_TRUE(strayFiles({"own.LIM", "others.LIM"}).empty());
}

TEST_F(StudyWriteTest, FileWithoutAnyWritePermissionIsReadOnlyForEveryone)
{
    const fs::path path = dir / "ro.LIM";
    writeFile(path, "previous");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    const std::string error = writeError(path);
    EXPECT_NE(error.find("Il file " + path.string() + " è di sola lettura"), std::string::npos) << error;
    EXPECT_EQ(readFile(path), "previous");
    EXPECT_EQ(study.loadFileName(), "");
}

TEST_F(StudyWriteTest, TargetThatCannotBeWrittenInPlaceIsRefused)
{
    fs::create_directory(dir / "folder.LIM");
    EXPECT_EQ(writeError(dir / "folder.LIM"),
              "Impossibile salvare il file " + (dir / "folder.LIM").string() + ": è una cartella.");
    ASSERT_EQ(::mkfifo((dir / "pipe.LIM").c_str(), 0666), 0);
    EXPECT_NE(writeError(dir / "pipe.LIM").find("non è un file normale"), std::string::npos);
    EXPECT_EQ(writeError(dir / "missing" / "x.LIM"),
              "Impossibile salvare il file " + (dir / "missing" / "x.LIM").string() +
                  ": impossibile creare un file nella cartella " + (dir / "missing").string() +
                  " (file o cartella inesistente).");
    EXPECT_TRUE(strayFiles({"folder.LIM", "pipe.LIM"}).empty());
}

TEST_F(StudyWriteTest, FolderThatRefusesNewFilesKeepsTheFileAsItWas)
{
    const fs::path sub = dir / "closed";
    fs::create_directory(sub);
    const fs::path path = sub / "a.LIM";
    writeFile(path, "previous");
    fs::permissions(path, fs::perms::all);
    fs::permissions(sub, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    if (!test::runningAsRoot()) GTEST_SKIP() << "the folder is the test user's own: it cannot refuse them";
    const std::string result = test::runUnprivileged([&] {
        LimitsStudy s;
        try {
            s.write(path);
        } catch (const StudyWriteError& e) {
            return std::string(e.what());
        }
        return std::string("written");
    });
    EXPECT_EQ(result, "Impossibile salvare il file " + path.string() +
                          ": impossibile creare un file nella cartella " + sub.string() +
                          " (permesso negato).");
    EXPECT_EQ(readFile(path), "previous");
}

TEST_F(StudyWriteTest, PermissionsOwnerAndGroupOfTheTargetAreKept)
{
    const fs::path path = dir / "kept.LIM";
    writeFile(path, "previous");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const bool root = test::runningAsRoot();
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), test::kUnprivilegedId, test::kUnprivilegedId), 0);
    }
    const struct stat before = statOf(path);
    ASSERT_EQ(writeError(path), "");
    const struct stat after = statOf(path);
    EXPECT_NE(before.st_ino, after.st_ino);  // replaced, not rewritten in place
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(readFile(path).find("HPLC"), std::string::npos);

    // a new file gets the usual permissions of the user's new files, not those of a private temporary
    const mode_t mask = ::umask(022);
    ASSERT_EQ(writeError(dir / "new.LIM"), "");
    ::umask(mask);
    EXPECT_EQ(statOf(dir / "new.LIM").st_mode & 07777, 0644u);
    EXPECT_TRUE(strayFiles({"kept.LIM", "new.LIM"}).empty());
}

TEST_F(StudyWriteTest, SymbolicLinkIsFollowedAndStaysALink)
{
    fs::create_directory(dir / "real");
    writeFile(dir / "real" / "target.LIM", "previous");
    fs::create_symlink("real/target.LIM", dir / "link.LIM");
    fs::create_symlink(dir / "link.LIM", dir / "link2.LIM");  // a chain, absolute this time
    ASSERT_EQ(writeError(dir / "link2.LIM"), "");
    EXPECT_TRUE(fs::is_symlink(dir / "link.LIM"));
    EXPECT_TRUE(fs::is_symlink(dir / "link2.LIM"));
    EXPECT_EQ(fs::read_symlink(dir / "link.LIM"), "real/target.LIM");
    EXPECT_NE(readFile(dir / "real" / "target.LIM").find("HPLC"), std::string::npos);
    EXPECT_EQ(study.loadFileName(),
              (dir / "link2.LIM").string());  // the document keeps the name it was given

    // a link to a file still to be made makes the file; a loop of links is refused
    fs::create_symlink("real/later.LIM", dir / "dangling.LIM");
    ASSERT_EQ(writeError(dir / "dangling.LIM"), "");
    EXPECT_TRUE(fs::is_regular_file(dir / "real" / "later.LIM"));
    fs::create_symlink("loop2.LIM", dir / "loop1.LIM");
    fs::create_symlink("loop1.LIM", dir / "loop2.LIM");
    EXPECT_EQ(writeError(dir / "loop1.LIM"), "Impossibile salvare il file " + (dir / "loop1.LIM").string() +
                                                 ": troppi collegamenti simbolici.");
}

TEST_F(StudyWriteTest, LongFileNameSaves)
{
    const std::string name = std::string(249, 'x') + ".LIM";
    ASSERT_EQ(name.size(), 253u);
    const fs::path path = dir / name;
    ASSERT_EQ(writeError(path), "");
    writeFile(path, "previous");  // and replaces an existing one
    ASSERT_EQ(writeError(path), "");
    EXPECT_NE(readFile(path).find("HPLC"), std::string::npos);
    EXPECT_TRUE(strayFiles({name}).empty());

    const fs::path tooLong = dir / (std::string(260, 'y') + ".LIM");
    EXPECT_NE(writeError(tooLong).find("nome del file troppo lungo"), std::string::npos);
}

}  // namespace
}  // namespace kestra
