#include "reporting/ui/report_renderer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>

#include "framework/number_pattern.h"
#include "reporting/ui/logo_size.h"
#include "report_test_support.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

class ReportRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        m_request.database = m_db;
        m_request.today = "03/04/2026";
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    fs::path render(const Study& study, Language language, const std::string& name)
    {
        m_request.language = language;
        m_request.decimalSeparator = UserDecimalSeparator();
        const RenderedReport report(PrepareStudyReport(study, m_request, ReadLogoSize));
        m_pages = report.pageCount();
        const fs::path pdf = m_dir / name;
        report.writePdf(QString::fromStdString(pdf.string()));
        return pdf;
    }

    void setCompany(const std::string& logo, std::int16_t flag)
    {
        CompanyData c;
        c.texts = {"Laboratorio Rossi & Figli", "Mario Rossi", "Giulia Bianchi", "Via Roma 12", "Pavia", "27100",
                   "0382 1", "0382 2", "info@rossi.it", "www.rossi.it"};
        c.logoPath = logo;
        c.noLogoFlag = flag;
        ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(c);
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    ReportRequest m_request;
    int m_pages = 0;
};

TEST_F(ReportRendererTest, ItalianAndEnglishReportsCarryTheirLabelsAndValues)
{
    setCompany("", -1);
    LimitsStudy study;
    test::FillLimitsStudy(study, 10);
    m_request.printDate = true;

    const std::string it = test::PdfText(render(study, Language::Italian, "it.pdf"));
    EXPECT_EQ(m_pages, 1);
    for (const char* expected : {"CONVALIDA DEL METODO ANALITICO", "Metodo analitico:", "Assorbimento atomico",
                                 "U.M. della conc. dell'analita:", "mg/l", "Deviazione standard", "Limite di rilevazione",
                                 "Limite di determinazione", "Conclusioni:", "LIMITE DI DETERMINAZIONE",
                                 "Pagina 1 di 1", "Stampato il 03/04/2026", "Laboratorio Rossi & Figli",
                                 "Titolare: Mario Rossi", "Responsabile chimico: Giulia Bianchi", "27100 Pavia", "Limiti"})
        EXPECT_NE(it.find(expected), std::string::npos) << expected;
    EXPECT_NE(it.find(study.stDevText()), std::string::npos);
    EXPECT_NE(it.find(study.quantitationLimitText()), std::string::npos);

    const std::string en = test::PdfText(render(study, Language::English, "en.pdf"));
    for (const char* expected : {"VALIDATION OF ANALYTICAL METHOD", "DETECTION AND QUANTITATION LIMITS",
                                 "Analytical method:", "Measure unit of the analyte conc.:", "Data", "Results",
                                 "Standard deviation", "Detection limit", "Quantitation limit", "Conclusions:",
                                 "QUANTITATION LIMIT", "Page 1 of 1", "Printed on 03/04/2026", "Owner: Mario Rossi"})
        EXPECT_NE(en.find(expected), std::string::npos) << expected;
    for (const char* italian : {"Metodo analitico", "Deviazione standard", "Pagina", "LIMITE DI", "Titolare"})
        EXPECT_EQ(en.find(italian), std::string::npos) << italian;
}

TEST_F(ReportRendererTest, DataTableShowsTheGridDecimalsWithTheUsersSeparator)
{
    SetUserDecimalSeparator(',');
    LimitsStudy study;
    study.setNumberFormat({3, 2});
    test::FillLimitsStudy(study, 6);
    study.grid().setCell(0, 0, 1.5);
    const std::string text = test::PdfText(render(study, Language::Italian, "dec.pdf"));
    EXPECT_NE(text.find("1,50"), std::string::npos);
    EXPECT_EQ(text.find("1,500"), std::string::npos);
    EXPECT_EQ(text.find("Stampato il"), std::string::npos);  // no date unless asked
}

TEST_F(ReportRendererTest, NinetyNineMeasurementsFlowOverPagesWithTheHeadingRepeated)
{
    LimitsStudy study;
    test::FillLimitsStudy(study, 99);
    const fs::path pdf = render(study, Language::Italian, "n99.pdf");
    EXPECT_EQ(test::PdfPageCount(pdf), m_pages);
    EXPECT_EQ(m_pages, 2);
    const std::string first = test::PdfText(pdf, 1, 1);
    // The long-table option lays the 99 rows side by side, each copy of the table with its headings.
    EXPECT_GE(test::Occurrences(first, "Risultati"), 3u);
    EXPECT_NE(first.find("Pagina 1 di 2"), std::string::npos);
    const std::string all = test::PdfText(pdf);
    for (int i : {1, 50, 99}) EXPECT_NE(all.find(" " + std::to_string(i) + " "), std::string::npos) << i;
    EXPECT_NE(all.find("Pagina 2 di 2"), std::string::npos);
}

TEST_F(ReportRendererTest, UserTextsPrintLiterally)
{
    LimitsStudy study;
    test::FillLimitsStudy(study, 5, "<b>Metodo</b> &amp; <i>prova</i>");
    const std::string text = test::PdfText(render(study, Language::Italian, "markup.pdf"));
    EXPECT_NE(text.find("<b>Metodo</b> &amp; <i>prova</i>"), std::string::npos);
}

TEST_F(ReportRendererTest, LogoIsDrawnOnlyWhenTheCompanyHasOne)
{
    const fs::path logo = m_dir / "logo.png";
    test::WritePicture(logo, 400, 200, 10000);  // 4000 x 2000 HIMETRIC
    setCompany(logo.string(), 0);
    LimitsStudy study;
    test::FillLimitsStudy(study, 5);
    m_request.language = Language::Italian;
    const RenderedReport with(PrepareStudyReport(study, m_request, ReadLogoSize));
    EXPECT_TRUE(with.document().layout.logo.visible);
    EXPECT_EQ(with.document().layout.logo.widthTwips, 2200);
    EXPECT_EQ(with.document().layout.logo.heightTwips, 1100);

    // The logo's blue shows in the page's top-left corner, and only there.
    auto cornerHasLogo = [](const RenderedReport& report) {
        QImage page(595, 842, QImage::Format_RGB32);
        page.setDotsPerMeterX(2835);  // 72 dpi: one pixel per point
        page.setDotsPerMeterY(2835);
        page.fill(Qt::white);
        QPainter painter(&page);
        report.paintPage(painter, 0);
        painter.end();
        return page.pixelColor(80, 60) == QColor(20, 60, 140);
    };
    EXPECT_TRUE(cornerHasLogo(with));

    setCompany(logo.string(), -1);
    const RenderedReport without(PrepareStudyReport(study, m_request, ReadLogoSize));
    EXPECT_FALSE(without.document().layout.logo.visible);
    EXPECT_FALSE(cornerHasLogo(without));

    setCompany((m_dir / "gone.png").string(), 0);
    EXPECT_FALSE(RenderedReport(PrepareStudyReport(study, m_request, ReadLogoSize)).document().layout.logo.visible);
}

TEST_F(ReportRendererTest, AddressesInTheHeadingStayOnOneLine)
{
    const std::string email = "laboratorio.analisi@rossi-e-figli.example.it";
    const std::string web =
        "https://www.laboratorio-analisi-chimiche-rossi-e-figli.example.it/qualita/convalida";
    const std::string tail = "/metodi/analitici/convalidati/secondo/la/linea/guida/ich/q2/indice.html";
    const std::string longWeb = web + "/documenti/archivio/2026/dicembre/rapporti/interni" + tail;
    LimitsStudy study;
    test::FillLimitsStudy(study, 5);
    const struct {
        std::string email, web;
        std::vector<std::string> lines;  // what the heading's address lines hold, whole
    } cases[] = {
        {email, "www.rossi.it", {"E-mail " + email + " Web www.rossi.it"}},
        // too long to share a line: one line each, the web address unbroken after "https://"
        {email, web, {"E-mail " + email, "Web " + web}},
        // too long for any line: shortened in the middle, its start and end still there
        {"", longWeb, {}},
    };
    for (const auto& c : cases) {
        CompanyData company;
        company.texts = {
            "Laboratorio Rossi & Figli", "", "", "Via Roma 12", "Pavia", "27100", "", "", c.email, c.web};
        ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(company);
        // the PDF's text with each run of blanks as one
        std::string text = test::PdfText(render(study, Language::Italian, "indirizzi.pdf"), 1, 1);
        text.erase(std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                   text.end());
        for (const std::string& line : c.lines) {
            const std::size_t at = text.find(line);
            ASSERT_NE(at, std::string::npos) << line << "\n" << text;
            EXPECT_EQ(text[at + line.size()], '\n') << line;
        }
        EXPECT_EQ(text.find("https://\n"), std::string::npos) << text;
        if (c.lines.empty()) {
            const std::size_t start = text.find("Web https://www.laboratorio-analisi");
            ASSERT_NE(start, std::string::npos) << text;
            const std::string line = text.substr(start, text.find('\n', start) - start);
            EXPECT_NE(line.find("…"), std::string::npos) << line;
            EXPECT_EQ(line.substr(line.size() - 10), tail.substr(tail.size() - 10)) << line;
        }
    }
}

TEST_F(ReportRendererTest, PdfExportFailureNamesTheStepAndLeavesNoFile)
{
    LimitsStudy study;
    test::FillLimitsStudy(study, 5);
    const RenderedReport report(PrepareStudyReport(study, m_request, ReadLogoSize));
    const fs::path target = m_dir / "no-such-folder" / "r.pdf";
    try {
        report.writePdf(QString::fromStdString(target.string()));
        FAIL() << "no error";
    } catch (const ReportPipelineError& e) {
        EXPECT_NE(e.step().find("esportazione PDF"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(target));
}

}  // namespace
}  // namespace kestra
