// The study report's signature block as printed from the study window: the file's electronic signatures in
// the report's language, kept with the conclusions; an unsigned study as before; an unreadable trail said.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStringList>
#include <filesystem>

#include "app/audit_setup.h"
#include "framework/number_pattern.h"
#include "reporting/report_settings.h"
#include "reporting/ui/print_command.h"
#include "reporting/ui/report_renderer.h"
#include "report_test_support.h"
#include "test_support.h"
#include "tests/audit/signing_trail.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

// Prints without windows: the language set beforehand, the previewed report written to a PDF.
class PdfReportUi : public ReportUserInterface {
public:
    fs::path pdf;
    QStringList warnings;
    void askReportParameters(QWidget*) override {}
    void showPreview(QWidget*, const RenderedReport& report) override
    {
        report.writePdf(QString::fromStdString(pdf.string()));
    }
    void showError(QWidget*, const QString& message) override { ADD_FAILURE() << message.toStdString(); }
    void showWarning(QWidget*, const QString& message) override { warnings << message; }
};

class ReportSignatureBlock : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        SetReportDatabasePath(m_db);
        SetReportLogoPath("");
        SetPrintDateFlag(false);
        test::FillLimitsStudy(m_study, 10);
        m_ui.pdf = m_dir / "report.pdf";
    }
    void TearDown() override
    {
        SetAuditTrail(nullptr);
        SetReportDatabasePath({});
        SetOutputLanguage(Language::Italian);
    }
    // The report's text as pdftotext reads it, page by page.
    std::vector<std::string> print(Language language)
    {
        SetOutputLanguage(language);
        fs::remove(m_ui.pdf);
        PrintStudyReport(nullptr, m_study, m_ui);
        std::vector<std::string> pages;
        for (int p = 1; p <= test::PdfPageCount(m_ui.pdf); ++p) pages.push_back(test::PdfText(m_ui.pdf, p, p));
        return pages;
    }
    // The page holding the text, -1 when none does.
    static int pageOf(const std::vector<std::string>& pages, const std::string& text)
    {
        for (std::size_t i = 0; i < pages.size(); ++i)
            if (pages[i].find(text) != std::string::npos) return static_cast<int>(i);
        return -1;
    }
    static std::size_t count(const std::vector<std::string>& pages, const std::string& text)
    {
        std::size_t n = 0;
        for (const std::string& page : pages)
            for (auto at = page.find(text); at != std::string::npos; at = page.find(text, at + 1)) ++n;
        return n;
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    fs::path m_file = m_dir / "piombo.LIM";
    test::SigningTrail m_signing{m_dir / "Audit"};
    LimitsStudy m_study;
    PdfReportUi m_ui;
};

TEST_F(ReportSignatureBlock, AnUnsignedStudyPrintsAsWithoutATrail)
{
    m_study.write(m_file);
    const std::vector<std::string> without = print(Language::Italian);
    ASSERT_FALSE(without.empty());
    SetAuditTrail(m_signing.trail);
    EXPECT_EQ(print(Language::Italian), without);
    EXPECT_EQ(pageOf(without, "Firmato elettronicamente"), -1);
    EXPECT_TRUE(m_ui.warnings.isEmpty());
}

TEST_F(ReportSignatureBlock, SignaturesPrintInTheReportLanguageWithTheConclusions)
{
    SetAuditTrail(m_signing.trail);
    m_study.write(m_file);
    const std::vector<std::string> unsignedPages = print(Language::Italian);
    const SignatureRecord first = m_signing.sign(m_file, "prepared");

    for (const Language language : {Language::Italian, Language::English}) {
        const bool english = language == Language::English;
        const std::vector<std::string> pages = print(language);
        EXPECT_EQ(pages.size(), unsignedPages.size());
        const int at = pageOf(pages, SignatureLine(first, english));
        ASSERT_GE(at, 0) << pages.back();
        EXPECT_EQ(at, pageOf(pages, english ? "Conclusions:" : "Conclusioni:"));
        EXPECT_EQ(pageOf(pages, english ? "Firmato elettronicamente" : "Electronically signed"), -1);
        EXPECT_EQ(count(pages, english ? kSignatureInvalidEn : kSignatureInvalidIt), 0u);
    }

    // a cell changed and saved, then signed twice more: the first one alone is marked
    m_study.grid().setCell(0, 0, 0.45);
    m_study.calculate();
    m_study.write(m_file);
    const SignatureRecord second = m_signing.sign(m_file, "reviewed");
    const SignatureRecord third = m_signing.sign(m_file, "approved");
    for (const Language language : {Language::Italian, Language::English}) {
        const bool english = language == Language::English;
        const std::vector<std::string> pages = print(language);
        const std::string& page = pages.at(static_cast<std::size_t>(pageOf(pages, SignatureLine(first, english))));
        const auto a = page.find(SignatureLine(first, english));
        const auto invalid = page.find(english ? kSignatureInvalidEn : kSignatureInvalidIt);
        const auto b = page.find(SignatureLine(second, english));
        const auto c = page.find(SignatureLine(third, english));
        EXPECT_TRUE(a < invalid && invalid < b && b < c && c != std::string::npos) << page;
        EXPECT_EQ(count(pages, english ? kSignatureInvalidEn : kSignatureInvalidIt), 1u);
        EXPECT_NE(page.find(english ? "The chemist in charge" : "Il responsabile chimico"), std::string::npos);
    }
    EXPECT_TRUE(m_ui.warnings.isEmpty());
}

TEST_F(ReportSignatureBlock, ManySignaturesStayWithTheConclusions)
{
    SetAuditTrail(m_signing.trail);
    m_study.write(m_file);
    for (int i = 0; i < 14; ++i) m_signing.sign(m_file, "reviewed", "giro " + std::to_string(i));
    const std::vector<std::string> pages = print(Language::Italian);
    EXPECT_EQ(count(pages, "Firmato elettronicamente"), 14u);
    EXPECT_EQ(pageOf(pages, "Conclusioni:"), pageOf(pages, "Firmato elettronicamente"));
    EXPECT_EQ(pageOf(pages, "Il responsabile chimico"), static_cast<int>(pages.size()) - 1);
}

TEST_F(ReportSignatureBlock, AnUnreadableTrailIsSaidOnScreenAndOnTheReport)
{
    m_study.write(m_file);
    m_signing.sign(m_file, "approved");
    // start-up finds a folder where the trail's database should be: it sets a trail that refuses every use
    AppSettings settings;
    settings.baseFolder = (m_dir / "altro").string() + "/";
    fs::create_directories(m_dir / "altro" / "Audit" / "audit.db");
    int shown = 0;
    ASSERT_FALSE(InstallUserAuditTrail(settings, [&shown](const ShellMessage&) { ++shown; }));
    EXPECT_EQ(shown, 1);
    const std::vector<std::string> pages = print(Language::English);
    ASSERT_FALSE(pages.empty());
    ASSERT_EQ(m_ui.warnings.size(), 1);
    EXPECT_TRUE(m_ui.warnings[0].contains(QStringLiteral("firme elettroniche"))) << m_ui.warnings[0].toStdString();
    EXPECT_NE(pageOf(pages, "Electronic signatures not verified"), -1);
}

}  // namespace
}  // namespace kestra
