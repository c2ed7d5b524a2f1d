// kestra-cli report --extended and chart --which residuals, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "report_test_support.h"
#include "sample_studies.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

class CliExtendedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cli = fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path() / "kestra-cli";
        if (!fs::exists(m_cli)) GTEST_SKIP() << "kestra-cli not built";
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        SetUserDecimalSeparator('.');
        test::calibration(5, 3)->write(m_study);
    }

    int run(const std::string& arguments, std::string* err = nullptr) const
    {
        const fs::path errFile = m_dir / "err.txt";
        const std::string command = "'" + m_cli.string() + "' " + arguments + " 2>'" + errFile.string() + "'";
        const int status = std::system(command.c_str());
        if (err) *err = test::readFile(errFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string report(const std::string& options, const fs::path& pdf) const
    {
        return "report " + options + " --database '" + m_db.string() + "' --output '" + pdf.string() + "' '" +
               m_study.string() + "'";
    }

    test::TempDir m_dir;
    fs::path m_cli;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    fs::path m_study = m_dir / "taratura.TAR";
};

TEST_F(CliExtendedTest, ReportExtendedAddsThePageAfterTheReport)
{
    const fs::path plain = m_dir / "plain.pdf";
    const fs::path extended = m_dir / "extended.pdf";
    std::string err;
    ASSERT_EQ(run(report("--lang en", plain), &err), 0) << err;
    ASSERT_EQ(run(report("--lang en --extended", extended), &err), 0) << err;
    const int pages = test::PdfPageCount(plain);
    ASSERT_GT(pages, 0);
    // the calibration's lists (residuals, back-calculation) print as tables: its page may run onto a second
    const int all = test::PdfPageCount(extended);
    ASSERT_GT(all, pages);
    ASSERT_LE(all, pages + 2);
    const std::string last = test::PdfText(extended, pages + 1, all);
    EXPECT_NE(last.find("Extended statistics"), std::string::npos) << last;
    EXPECT_EQ(test::PdfText(plain).find("Extended statistics"), std::string::npos);
}

TEST_F(CliExtendedTest, ChartWhichResidualsDrawsTheResidualsOnly)
{
    const fs::path pdf = m_dir / "res.pdf";
    std::string err;
    ASSERT_EQ(run("chart --which residuals --output '" + pdf.string() + "' '" + m_study.string() + "'", &err),
              0)
        << err;
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    EXPECT_NE(test::PdfText(pdf).find("Residui"), std::string::npos);
    // every chart of the study: the residuals come third
    const fs::path all = m_dir / "all.pdf";
    ASSERT_EQ(run("chart --lang en --output '" + all.string() + "' '" + m_study.string() + "'", &err), 0)
        << err;
    ASSERT_EQ(test::PdfPageCount(all), 3);
    EXPECT_NE(test::PdfText(all, 3, 3).find("Residuals"), std::string::npos);

    // a study without that chart says so and writes nothing
    const fs::path png = m_dir / "x.png";
    test::precision(5)->write(m_dir / "p.PRE");
    EXPECT_EQ(
        run("chart --which residuals --output '" + png.string() + "' '" + (m_dir / "p.PRE").string() + "'",
            &err),
        2);
    EXPECT_NE(err.find("grafico \"residuals\" non presente"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(png));
}

}  // namespace
}  // namespace kestra
