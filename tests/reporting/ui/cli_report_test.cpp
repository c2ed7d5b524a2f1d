// kestra-cli report run as a user runs it: a study file in, a PDF out, exit code 2 on a failed step.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "report_test_support.h"
#include "test_support.h"
#include "tests/audit/signing_trail.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::string err;
};

class CliReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cli = fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path() / "kestra-cli";
        if (!fs::exists(m_cli)) GTEST_SKIP() << "kestra-cli not built";
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        std::string file = "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n99\r\nVero\r\n";
        for (int i = 1; i <= 99; ++i) file += std::to_string(i) + "," + std::to_string(0.4 + 0.001 * (i % 17)) + "\r\n";
        test::writeFile(m_study, file);
    }

    CliRun run(const std::string& arguments, const std::string& environment = "") const
    {
        const fs::path err = m_dir / "err.txt";
        const std::string command = environment + " '" + m_cli.string() + "' report " + arguments + " 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(err)};
    }

    test::TempDir m_dir;
    fs::path m_cli;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    fs::path m_study = m_dir / "n99.LIM";
};

TEST_F(CliReportTest, WritesTheReportInTheChosenLanguage)
{
    const fs::path pdf = m_dir / "en.pdf";
    const CliRun r = run("--lang en --date --separator , --database '" + m_db.string() + "' --output '" + pdf.string() +
                      "' '" + m_study.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::PdfPageCount(pdf), 2);
    const std::string text = test::PdfText(pdf);
    for (const char* expected : {"VALIDATION OF ANALYTICAL METHOD", "Page 2 of 2", "Printed on", "0,401"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

TEST_F(CliReportTest, UsesTheDataFolderOfTheStartUp)
{
    const fs::path documents = m_dir / "docs";
    fs::create_directories(documents);
    const fs::path pdf = m_dir / "it.pdf";
    const CliRun r = run("--out '" + pdf.string() + "' '" + m_study.string() + "'", "KESTRA_DOCUMENTS='" + documents.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(documents / "Kestra2006" / "DB" / "KESTRA73.MDB"));
    EXPECT_NE(test::PdfText(pdf).find("Pagina 1 di 2"), std::string::npos);
}

TEST_F(CliReportTest, FailedStepsExitWithTwoAndOneLine)
{
    const fs::path pdf = m_dir / "x.pdf";
    CliRun r = run("--database '" + (m_dir / "none.mdb").string() + "' --output '" + pdf.string() + "' '" + m_study.string() + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("database dei report"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

    r = run("--database '" + m_db.string() + "' --output '" + (m_dir / "no" / "x.pdf").string() + "' '" + m_study.string() + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("esportazione PDF"), std::string::npos) << r.err;

    test::writeFile(m_dir / "bad.LIM", "not a study\r\n");
    r = run("--database '" + m_db.string() + "' --output '" + pdf.string() + "' '" + (m_dir / "bad.LIM").string() + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("lettura dello studio"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(CliReportTest, ADamagedDatabaseIsSaidInItalianAndLeftAsItIs)
{
    const fs::path pdf = m_dir / "x.pdf";
    std::string half = test::readFile(m_db);
    half.resize(half.size() / 2);
    for (const std::string& damage : {std::string(), std::string("non è un database"), half}) {
        test::writeFile(m_db, damage);
        const CliRun r = run("--database '" + m_db.string() + "' --output '" + pdf.string() + "' '" +
                             m_study.string() + "'");
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.rfind(
                      "kestra-cli: il database dei report \"" + m_db.string() + "\" non è utilizzabile: ", 0),
                  0u)
            << r.err;
        EXPECT_NE(r.err.find("oppure indicare un altro database con --database."), std::string::npos)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(test::readFile(m_db), damage);
        EXPECT_FALSE(fs::exists(pdf));
    }
}

TEST_F(CliReportTest, RefusedCalculationWritesNoReport)
{
    // every measurement zero: the limits calculation is refused, so no result belongs to these data
    std::string file = "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nmg/l\r\nAcqua\r\n\r\n5\r\nVero\r\n";
    for (int i = 1; i <= 5; ++i) file += std::to_string(i) + ",0.000\r\n";
    test::writeFile(m_dir / "zeri.LIM", file);
    const fs::path pdf = m_dir / "zeri.pdf";
    const CliRun r = run("--database '" + m_db.string() + "' --output '" + pdf.string() + "' '" +
                         (m_dir / "zeri.LIM").string() + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("calcolo non eseguito"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(CliReportTest, PrintsTheStudysSignaturesFromTheUsersTrailOrSaysWhyItCannot)
{
    const fs::path documents = m_dir / "docs";
    fs::create_directories(documents);
    const std::string environment = "KESTRA_DOCUMENTS='" + documents.string() + "'";
    const std::string arguments = "--lang en --output '" + (m_dir / "s.pdf").string() + "' '" + m_study.string() + "'";
    ASSERT_EQ(run(arguments, environment).code, 0);  // prepares the data folder and its trail
    const fs::path audit = documents / "Kestra2006" / "Audit";
    SignatureRecord made;
    {
        test::SigningTrail signing(audit);
        made = signing.sign(m_study, "approved");
    }
    CliRun r = run(arguments, environment);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err.find("signature"), std::string::npos) << r.err;
    std::string text = test::PdfText(m_dir / "s.pdf");
    EXPECT_NE(text.find(SignatureLine(made, true)), std::string::npos) << text;
    EXPECT_EQ(text.find(kSignatureInvalidEn), std::string::npos) << text;

    // the trail's database cannot be opened: the report is still written, and says it could not check them
    for (const char* file : {"audit.db", "audit.db-wal", "audit.db-shm"}) fs::remove(audit / file);
    fs::create_directories(audit / "audit.db");
    r = run(arguments, environment);
    ASSERT_EQ(r.code, 0) << r.err;
    // --lang en: standard error speaks English too
    EXPECT_NE(r.err.find("the study's electronic signatures cannot be read"), std::string::npos) << r.err;
    text = test::PdfText(m_dir / "s.pdf");
    EXPECT_NE(text.find("Electronic signatures not verified"), std::string::npos) << text;
}

}  // namespace
}  // namespace kestra
