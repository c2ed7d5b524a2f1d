// kestra-cli selftest run as a user runs it: the exit code says whether every case passed (0), one failed (1)
// or the checks could not run (2); --output writes the certificate.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "report_test_support.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

class CliSelfTestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bin = fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path();
        if (!fs::exists(m_bin / "kestra-cli")) GTEST_SKIP() << "kestra-cli not built";
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
    }

    CliRun run(const std::string& arguments, const fs::path& cli = {},
               const std::string& environment = "") const
    {
        const fs::path out = m_dir / "out.txt";
        const fs::path err = m_dir / "err.txt";
        const fs::path program = cli.empty() ? m_bin / "kestra-cli" : cli;
        const std::string command = environment + " '" + program.string() + "' selftest " + arguments +
                                    " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(out), test::readFile(err)};
    }
    std::string database() const { return "--database '" + m_db.string() + "'"; }

    test::TempDir m_dir;
    fs::path m_bin;
    fs::path m_db = m_dir / "KESTRA73.MDB";
};

TEST_F(CliSelfTestTest, ShippedSetPassesAsTextInBothLanguages)
{
    CliRun r = run(database());
    ASSERT_EQ(r.code, 0) << r.err << r.out.substr(0, 2000);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Database verificato: " + m_db.string() + "\n"), std::string::npos);
    EXPECT_NE(r.out.find("SUPERATO\tLIMI-1 it ,\tSTDEV\tatteso 1,581\tottenuto 1,581\n"), std::string::npos);
    EXPECT_NE(r.out.find("SUPERATO\tTabF GDL_1 = 3\tVAL_F"), std::string::npos);
    EXPECT_NE(r.out.find(" superati, 0 falliti\n"), std::string::npos);
    EXPECT_EQ(r.out.find("FALLITO"), std::string::npos);

    r = run("--lang en " + database());
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("PASS\tNIST-SmLs01+1e6 it .\tTRA_F\texpected 21.000000\tobtained 21.000000\n"),
              std::string::npos);
    EXPECT_NE(r.out.find(" passed, 0 failed\n"), std::string::npos);
}

TEST_F(CliSelfTestTest, ChangedTabFRowExitsWithOneAndIsNamed)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_db.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "UPDATE TabF SET VAL_F = 19.01 WHERE GDL_1 = 2 AND GDL_2 = 2", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    const CliRun r = run(database());
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.out.find("FALLITO\tTabF GDL_1 = 2, GDL_2 = 2\tVAL_F\tatteso 19.00\tottenuto 19.01\n"),
              std::string::npos);
    EXPECT_NE(r.out.find(" superati, 2 falliti\n"), std::string::npos) << r.out.substr(r.out.size() - 200);
}

TEST_F(CliSelfTestTest, CouldNotRunExitsWithTwo)
{
    CliRun r = run("--database '" + (m_dir / "none.MDB").string() + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("verifica non eseguita: database dei report mancante"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    // the program in a folder of its own whose reference set lacks a study file
    const fs::path bin = m_dir / "bin";
    fs::create_directories(bin / "DB");
    fs::copy_file(m_bin / "kestra-cli", bin / "kestra-cli");
    fs::copy_file(KESTRA_TEMPLATE_DB, bin / "DB" / "KESTRA73.MDB");
    fs::copy(m_bin / "selftest", bin / "selftest", fs::copy_options::recursive);
    r = run(database(), bin / "kestra-cli");
    EXPECT_EQ(r.code, 0) << r.err;
    fs::remove(bin / "selftest" / "studies" / "ripetibilita.PRE");
    r = run(database(), bin / "kestra-cli");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("ripetibilita.PRE"), std::string::npos) << r.err;
    fs::remove_all(bin / "selftest");
    r = run(database(), bin / "kestra-cli");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("cartella dei dati di riferimento mancante"), std::string::npos) << r.err;
}

TEST_F(CliSelfTestTest, CertificateInBothLanguagesWithTheHeadingOnEveryPage)
{
    const fs::path it = m_dir / "certificato.pdf";
    CliRun r = run(database() + " --output '" + it.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(" superati, 0 falliti\n"), std::string::npos) << r.out;
    const int pages = test::PdfPageCount(it);
    EXPECT_GT(pages, 5);
    const std::string first = test::PdfText(it, 1, 1);
    for (const char* expected :
         {"CERTIFICATO DI VERIFICA DEL PROGRAMMA", "Kestra 2006", "SHA-256 dell'eseguibile",
          "SHA-256 del database", "Data e ora", "Utente", "Host", "SUPERATO"})
        EXPECT_NE(first.find(expected), std::string::npos) << expected;
    // the table's heading again on a later page, and the summary at the end
    const std::string later = test::PdfText(it, pages - 1, pages - 1);
    EXPECT_NE(later.find("Ottenuto"), std::string::npos);
    EXPECT_NE(later.find("Atteso"), std::string::npos);
    EXPECT_NE(test::PdfText(it, pages, pages).find("superati, 0 falliti"), std::string::npos);

    const fs::path en = m_dir / "certificate.pdf";
    r = run("--lang en " + database() + " --output '" + en.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string text = test::PdfText(en);
    for (const char* expected :
         {"PROGRAM VERIFICATION CERTIFICATE", "SHA-256 of the executable", "PASS", "Obtained"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("SUPERATO"), std::string::npos);

    r = run(database() + " --output '" + (m_dir / "no" / "x.pdf").string() + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("certificato non scritto"), std::string::npos) << r.err;
}

TEST_F(CliSelfTestTest, ChecksTheDatabaseOfTheUsersDataFolderByDefault)
{
    const fs::path documents = m_dir / "docs";
    fs::create_directories(documents);
    const CliRun r = run("", {}, "KESTRA_DOCUMENTS='" + documents.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const fs::path copy = documents / "Kestra2006" / "DB" / "KESTRA73.MDB";
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_NE(r.out.find("Database verificato: " + copy.string() + "\n"), std::string::npos)
        << r.out.substr(0, 600);
}

}  // namespace
}  // namespace kestra
