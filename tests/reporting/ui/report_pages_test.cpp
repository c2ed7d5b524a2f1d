// The reports as pages: with a full company heading the usual studies fit one A4 page, and no page ever holds
// only the signature or the tail of the conclusions. With KESTRA_SCREENSHOTS set the PDFs are kept there.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "framework/number_pattern.h"
#include "framework/services.h"
#include "report_test_support.h"
#include "reporting/f_table.h"
#include "reporting/report_database.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/report_renderer.h"
#include "sample_studies.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/calibration/calibration_study.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"
#include "studies/precision/precision_study.h"
#include "studies/specificity/specificity_study.h"
#include "test_support.h"
#include "text/number_format.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

using test::accuracy;
using test::calibration;
using test::limits;
using test::precision;
using test::series;
using test::specificity;

struct Case {
    std::string name;
    std::function<std::unique_ptr<Study>()> make;
    bool onePage;  // a usual size: the whole report on one page
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class ReportPagesTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(',');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        const fs::path logo = m_dir / "logo.png";
        test::WritePicture(logo, 300, 150, 5906);  // 150 dpi: the company dialog's highest logo
        CompanyData c = test::FilledCompanyData();
        c.logoPath = logo.string();
        c.noLogoFlag = 0;
        ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(c);
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
};

TEST_P(ReportPagesTest, UsualSizesFitOnePageAndTheSignatureNeverStandsAlone)
{
    const Case& c = GetParam();
    std::unique_ptr<Study> study = c.make();
    ASSERT_TRUE(RunCalculation(*study).computed) << c.name;
    for (const Language language : {Language::Italian, Language::English}) {
        ReportRequest request;
        request.database = m_db;
        request.language = language;
        request.printDate = true;
        request.decimalSeparator = ',';
        request.today = "03/04/2026";
        const RenderedReport report(PrepareStudyReport(*study, request, ReadLogoSize));
        const std::string file = c.name + (language == Language::English ? "-en.pdf" : "-it.pdf");
        const char* kept = std::getenv("KESTRA_SCREENSHOTS");
        const fs::path pdf = kept ? fs::path(kept) / file : m_dir / file;
        report.writePdf(QString::fromStdString(pdf.string()));
        const int pages = report.pageCount();
        if (c.onePage) {
            EXPECT_EQ(pages, 1) << file;
        }
        // the page of the signature holds the conclusions too: the signature never stands alone
        const std::string signature =
            language == Language::English ? "The chemist in charge" : "Il responsabile chimico";
        const std::string conclusions = language == Language::English ? "Conclusions:" : "Conclusioni:";
        int signed_ = 0;
        for (int page = 1; page <= pages; ++page) {
            const std::string text = test::PdfText(pdf, page, page);
            if (text.find(signature) == std::string::npos) continue;
            ++signed_;
            EXPECT_NE(text.find(conclusions), std::string::npos)
                << file << ": the signature without the conclusions";
        }
        EXPECT_EQ(signed_, 1) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Studies, ReportPagesTest,
    ::testing::Values(
        Case{"limits-5", [] { return limits(5); }, true}, Case{"limits-12", [] { return limits(12); }, true},
        Case{"limits-99", [] { return limits(99); }, false},
        Case{"precision-3", [] { return precision(3); }, true},
        Case{"precision-15", [] { return precision(15); }, true},
        Case{"precision-99", [] { return precision(99); }, false},
        Case{"calibration-5x3", [] { return calibration(5, 3); }, true},
        Case{"calibration-15x40", [] { return calibration(15, 40); }, false},
        Case{"accuracy-one-3", [] { return accuracy(3, false); }, true},
        Case{"accuracy-three-3", [] { return accuracy(3, true); }, true},
        Case{"accuracy-three-99", [] { return accuracy(99, true); }, false},
        Case{"specificity-5-5", [] { return specificity(5, 5); }, true},
        Case{"specificity-99-99", [] { return specificity(99, 99); }, false},
        Case{"intermediate-3x3", [] { return series(IntermediatePrecisionConfig(), 3, 3); }, true},
        Case{"intermediate-20x40", [] { return series(IntermediatePrecisionConfig(), 20, 40); }, false},
        Case{"reproducibility-3x3", [] { return series(ReproducibilityConfig(), 3, 3); }, true},
        Case{"reproducibility-20x40", [] { return series(ReproducibilityConfig(), 20, 40); }, false}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == '-') ch = '_';
        return name;
    });

}  // namespace
}  // namespace kestra
