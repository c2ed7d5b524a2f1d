// The dossier's report: one document of the dossier's own pages and each study's report exactly as it
// prints alone, numbered over the whole, with the company heading on every page, in both languages.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/ui/dossier_report.h"

#include <gtest/gtest.h>

#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/report_test_support.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(KESTRA_SOURCE_DIR) / "examples" / "dossier" / "convalida_paracetamolo.kvd";

class DossierReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        SetFTableLookup(std::make_shared<DatabaseFTable>(m_db));
        CompanyData c;
        c.texts = {"Laboratorio Analisi Rossi", "Mario Rossi", "Giulia Bianchi", "Via Roma 12", "Pavia", "27100",
                   "", "", "", ""};
        c.noLogoFlag = -1;
        ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(c);
    }

    DossierReportRequest request(Language language) const
    {
        DossierReportRequest r;
        r.report.database = m_db;
        r.report.language = language;
        r.report.today = "10/12/2026";
        r.dossierFile = kExample;
        r.programDataFolder = fs::path(KESTRA_SOURCE_DIR) / "data";
        return r;
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
};

TEST_F(DossierReportTest, StudiesPrintAsAloneInsideOneDocumentNumberedOverAllItsPages)
{
    const Dossier dossier = Dossier::read(kExample);
    const DossierEvaluation evaluation = EvaluateDossier(dossier, kExample.parent_path());
    ASSERT_EQ(evaluation.verdict, Verdict::Pass);
    for (Language language : {Language::Italian, Language::English}) {
        const auto report = RenderDossierReport(dossier, evaluation, request(language), ReadLogoSize);
        // cover, summary, a label page and the study's own pages for each study, traceability, signatures
        int expected = 4;
        for (const auto& s : evaluation.studies) {
            ReportRequest alone = request(language).report;
            expected += 1 + RenderedReport(PrepareStudyReport(*s.study, alone, ReadLogoSize)).pageCount();
        }
        EXPECT_EQ(report->pageCount(), expected);
        const fs::path pdf = m_dir / (language == Language::English ? "en.pdf" : "it.pdf");
        report->writePdf(QString::fromStdString(pdf.string()));
        const std::string text = test::PdfText(pdf);
        const bool en = language == Language::English;
        const std::string total = std::to_string(expected);
        EXPECT_NE(text.find((en ? "Page 1 of " : "Pagina 1 di ") + total), std::string::npos);
        EXPECT_NE(text.find((en ? "Page " : "Pagina ") + total + (en ? " of " : " di ") + total), std::string::npos);
        EXPECT_EQ(test::Occurrences(text, "Laboratorio Analisi Rossi"), static_cast<std::size_t>(expected));
        for (const char* part : {"VAL-2026-014", "Linearità 80-120 %", "d958adda8120a6f9", "Analista responsabile"})
            EXPECT_NE(text.find(part), std::string::npos) << part;
        EXPECT_NE(text.find(en ? "Pass" : "Conforme"), std::string::npos);
        EXPECT_NE(text.find(en ? "Rounding rule" : "Regola di arrotondamento"), std::string::npos);
    }
}

TEST_F(DossierReportTest, AStudyThatCannotBeReadKeepsItsPlaceWithoutAReport)
{
    Dossier dossier = Dossier::read(kExample);
    dossier.studies[1].file = "studi/manca.TAR";
    const DossierEvaluation evaluation = EvaluateDossier(dossier, kExample.parent_path());
    EXPECT_EQ(evaluation.verdict, Verdict::Fail);
    const auto report = RenderDossierReport(dossier, evaluation, request(Language::Italian), ReadLogoSize);
    const fs::path pdf = m_dir / "fail.pdf";
    report->writePdf(QString::fromStdString(pdf.string()));
    const std::string text = test::PdfText(pdf);
    EXPECT_NE(text.find("Report dello studio non disponibile"), std::string::npos);
    EXPECT_NE(text.find("Non valutabile"), std::string::npos);
    EXPECT_NE(text.find("La convalida non è superata"), std::string::npos);
}

}  // namespace
}  // namespace kestra
