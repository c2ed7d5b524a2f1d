// The extended statistics page: only when "Aggiungi statistica estesa" is ticked and confirmed, after the
// report's own pages, in the report's language, flowing over pages when the values are many.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "framework/extended_statistics_text.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "report_test_support.h"
#include "studies/extended_test_support.h"
#include "reporting/f_table.h"
#include "reporting/report_settings.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/print_command.h"
#include "reporting/ui/print_language_dialog.h"
#include "reporting/ui/report_renderer.h"
#include "sample_studies.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

ExtendedStatistics knownValues(std::size_t residuals)
{
    ExtendedStatistics s;
    s.available = true;
    s.values.push_back({"t_critical_exact",
                        "t critico esatto",
                        "exact critical t",
                        ExtendedValue::Type::Number,
                        2.7764451051977934,
                        {},
                        "gradi di libertà N − 2; il valore storico usa N − 1",
                        "degrees of freedom N − 2; the historical value uses N − 1"});
    s.values.push_back({"grubbs_suspect_row",
                        "Riga sospetta",
                        "Suspect row",
                        ExtendedValue::Type::Integer,
                        std::nullopt,
                        {},
                        "nessun valore anomalo",
                        "no outlier"});
    ExtendedValue list{"residuals",  "Residui", "Residuals",     ExtendedValue::Type::Array,
                       std::nullopt, {},        "y - (a + b x)", "y - (a + b x)"};
    for (std::size_t i = 0; i < residuals; ++i) list.numbers.push_back(0.001 * static_cast<double>(i + 1));
    s.values.push_back(list);
    return s;
}

// A line of the PDF's text laid out as printed that holds these cells one after the other.
bool hasRow(const std::string& text, const std::vector<std::string>& cells)
{
    std::string pattern = "(^|\\s)";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) pattern += "[ \\t]+";
        for (char c : cells[i]) {
            if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
            pattern += c;
        }
    }
    pattern += "(\\s|$)";
    return std::regex_search(text, std::regex(pattern, std::regex::multiline));
}

class ReportAppendixTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator(',');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        CompanyData c;
        c.texts = {"Laboratorio Chimico Rossi S.r.l.",
                   "",
                   "",
                   "Via Garibaldi 124",
                   "Pavia",
                   "27100",
                   "",
                   "",
                   "",
                   ""};
        c.noLogoFlag = -1;
        ReportDatabase(m_db, ReportDatabase::Mode::ReadWrite).writeAnagrafica(c);
        m_study = test::calibration(5, 3);
        ASSERT_TRUE(RunCalculation(*m_study).computed);
    }
    void TearDown() override
    {
        SetUserDecimalSeparator('.');
        SetExtendedAppendixFlag(false);
        SetReportDatabasePath({});
    }

    ReportDocument prepare(Language language, bool extended)
    {
        ReportRequest request;
        request.database = m_db;
        request.language = language;
        request.decimalSeparator = ',';
        request.extended = extended;
        return PrepareStudyReport(*m_study, request, ReadLogoSize);
    }
    fs::path pdf(const RenderedReport& report, const std::string& name)
    {
        const fs::path file = m_dir / name;
        report.writePdf(QString::fromStdString(file.string()));
        return file;
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    std::unique_ptr<Study> m_study;
};

TEST_F(ReportAppendixTest, OnePageMoreOnlyWhenAskedWithTheHeadingAndTheValues)
{
    const RenderedReport plain(prepare(Language::Italian, false));
    const int pages = plain.pageCount();
    EXPECT_EQ(test::PdfText(pdf(plain, "plain.pdf")).find("Statistica estesa"), std::string::npos);

    for (const Language language : {Language::Italian, Language::English}) {
        const bool english = language == Language::English;
        ReportDocument document = prepare(language, true);
        EXPECT_TRUE(document.extendedAppendix);
        document.extended = knownValues(4);
        const RenderedReport report(std::move(document));
        ASSERT_EQ(report.pageCount(), pages + 1);
        const fs::path file = pdf(report, english ? "en.pdf" : "it.pdf");
        const std::string last = test::PdfText(file, pages + 1, pages + 1);
        const std::vector<std::string> expected =
            english ? std::vector<std::string>{"Extended statistics",
                                               "Quantity",
                                               "Value",
                                               "Note",
                                               "exact critical t",
                                               "2,77645",
                                               "not applicable",
                                               "Residuals",
                                               "No.",
                                               "Page 2 of 2",
                                               "Laboratorio Chimico Rossi",
                                               "Paracetamolo",
                                               "historical value uses N − 1"}
                    : std::vector<std::string>{"Statistica estesa",
                                               "Grandezza",
                                               "Valore",
                                               "Nota",
                                               "t critico esatto",
                                               "2,77645",
                                               "non applicabile",
                                               "Residui",
                                               "N.",
                                               "Pagina 2 di 2",
                                               "Laboratorio Chimico Rossi",
                                               "Paracetamolo",
                                               "6 cifre significative"};
        for (const std::string& e : expected) EXPECT_NE(last.find(e), std::string::npos) << e << "\n" << last;
        // the list is a table: one line per element with its number
        EXPECT_TRUE(hasRow(last, {"1", "0,001"})) << last;
        EXPECT_TRUE(hasRow(last, {"4", "0,004"})) << last;
        // the report's own pages are those of the plain report
        EXPECT_EQ(test::PdfText(file, 1, pages).find(english ? "Extended statistics" : "Statistica estesa"),
                  std::string::npos);
    }
}

TEST_F(ReportAppendixTest, TheCalibrationValuesInBothLanguages)
{
    const ExtendedStatistics values = m_study->extendedStatistics();
    ASSERT_TRUE(values.available);
    const int plain = RenderedReport(prepare(Language::Italian, false)).pageCount();
    for (const Language language : {Language::Italian, Language::English}) {
        const RenderedReport report(prepare(language, true));
        ASSERT_GT(report.pageCount(), plain);
        const std::string name = language == Language::English ? "appendix-en.pdf" : "appendix-it.pdf";
        const char* kept = std::getenv("KESTRA_SCREENSHOTS");
        const fs::path file = kept ? fs::path(kept) / name : m_dir / name;
        report.writePdf(QString::fromStdString(file.string()));
        const std::string laidOut = test::PdfText(file, plain + 1, report.pageCount());
        std::string text = laidOut;
        // the columns may break a long name over two lines: compare the words
        for (char& c : text)
            if (c == '\n') c = ' ';
        for (const ExtendedValue& v : values.values) {
            const std::string first = v.name(language).substr(0, v.name(language).find(' '));
            EXPECT_NE(text.find(first), std::string::npos) << v.key << ": " << v.name(language);
        }
        const char sep = ',';
        // every residual on a line of its own: level, replicate, value
        const ExtendedValue residuals = test::valueOf(values, "residuals");
        ASSERT_EQ(residuals.replicates, 3);
        for (std::size_t i = 0; i < residuals.numbers.size(); ++i)
            EXPECT_TRUE(hasRow(laidOut, {std::to_string(i / 3 + 1), std::to_string(i % 3 + 1),
                                         ExtendedShownText(residuals, residuals.numbers[i], sep, language)}))
                << i << "\n" << laidOut;
        // the back-calculated concentrations beside their errors, level by level
        const ExtendedValue back = test::valueOf(values, "back_calculated");
        const ExtendedValue error = test::valueOf(values, "back_calculated_error_pct");
        ASSERT_EQ(back.numbers.size(), 5u);
        for (std::size_t i = 0; i < back.numbers.size(); ++i)
            EXPECT_TRUE(hasRow(laidOut, {std::to_string(i + 1), ExtendedNumberText(back.numbers[i], sep, language),
                                         ExtendedShownText(error, error.numbers[i], sep, language)}))
                << i << "\n" << laidOut;
        // the tables' headings, in the report's language
        EXPECT_NE(laidOut.find(language == Language::English ? "Replicate" : "Replica"), std::string::npos);
    }
}

TEST_F(ReportAppendixTest, ManyValuesFlowOverPagesWithTheColumnHeadingsRepeated)
{
    ReportDocument document = prepare(Language::Italian, true);
    document.extended = knownValues(600);  // the most a calibration has: 15 levels of 40
    const RenderedReport report(std::move(document));
    const RenderedReport plain(prepare(Language::Italian, false));
    ASSERT_GT(report.pageCount(), plain.pageCount() + 1);
    const fs::path file = pdf(report, "long.pdf");
    std::string appendix;
    for (int page = plain.pageCount() + 1; page <= report.pageCount(); ++page) {
        const std::string text = test::PdfText(file, page, page);
        EXPECT_NE(text.find("Grandezza"), std::string::npos) << "page " << page;
        appendix += text;
    }
    EXPECT_NE(appendix.find("6 cifre significative"), std::string::npos);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"1", "0,001"}, {"299", "0,299"}, {"600", "0,6"}})
        EXPECT_TRUE(hasRow(appendix, row)) << row[0];
}

TEST_F(ReportAppendixTest, AStudyWithoutValuesSaysSoOnThePage)
{
    ReportDocument document = prepare(Language::Italian, true);
    document.extended = {};
    const RenderedReport report(std::move(document));
    const std::string text = test::PdfText(pdf(report, "none.pdf"), report.pageCount(), report.pageCount());
    EXPECT_NE(text.find("Statistica estesa non disponibile per questi dati."), std::string::npos) << text;
}

// The print command with the real dialog, answered from the keyboard.
class KeyboardReportUi : public ReportUserInterface {
public:
    std::function<void(MyPrintLanDlg&)> answer;
    int pages = 0;
    bool appendix = false;
    void askReportParameters(QWidget* parent) override
    {
        MyPrintLanDlg dialog(parent);
        dialog.show();
        QApplication::processEvents();
        if (answer) answer(dialog);
    }
    void showPreview(QWidget*, const RenderedReport& report) override
    {
        pages = report.pageCount();
        appendix = report.document().extendedAppendix;
    }
    void showError(QWidget*, const QString& message) override { ADD_FAILURE() << message.toStdString(); }
};

TEST_F(ReportAppendixTest, TheBoxIsOffAtEveryOpeningAndCountsOnlyWhenConfirmed)
{
    SetReportDatabasePath(m_db);
    SetReportLogoPath("");
    KeyboardReportUi ui;
    ui.answer = [](MyPrintLanDlg& d) {
        EXPECT_EQ(d.extendedBox()->text(), "Aggiungi statistica estesa");
        EXPECT_FALSE(d.extendedBox()->isChecked());
        d.okButton()->click();
    };
    PrintStudyReport(nullptr, *m_study, ui);
    const int plain = ui.pages;
    EXPECT_FALSE(ui.appendix);

    // Tab to the box, Space ticks it, Enter confirms
    ui.answer = [](MyPrintLanDlg& d) {
        for (int i = 0; i < 6 && QApplication::focusWidget() != d.extendedBox(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), d.extendedBox());
        QTest::keyClick(d.extendedBox(), Qt::Key_Space);
        EXPECT_TRUE(d.extendedBox()->isChecked());
        QTest::keyClick(d.extendedBox(), Qt::Key_Return);
    };
    PrintStudyReport(nullptr, *m_study, ui);
    EXPECT_TRUE(ui.appendix);
    // the calibration's lists (residuals, back-calculation) print as tables: its page may run onto a second
    EXPECT_GT(ui.pages, plain);
    EXPECT_LE(ui.pages, plain + 2);

    // ticked but cancelled: the report goes on without the page; the next opening is unticked again
    ui.answer = [](MyPrintLanDlg& d) {
        EXPECT_FALSE(d.extendedBox()->isChecked());
        d.extendedBox()->setChecked(true);
        d.cancelButton()->click();
    };
    PrintStudyReport(nullptr, *m_study, ui);
    EXPECT_FALSE(ui.appendix);
    EXPECT_EQ(ui.pages, plain);
}

}  // namespace
}  // namespace kestra
