// The print pipeline of every study without its windows: report tables written, layout prepared, data read back.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/extended_statistics.h"
#include "framework/report_records.h"
#include "reporting/report_database.h"
#include "reporting/report_layout.h"

namespace kestra {

class AuditTrail;
class Study;

// A failed pipeline step; what() is the message for the user and names the step. The report tables stay as
// they were before the step.
class ReportPipelineError : public std::runtime_error {
public:
    ReportPipelineError(std::string step, const std::string& detail);
    const std::string& step() const { return m_step; }

private:
    std::string m_step;
};

// The descriptive fields of every header table and their width.
constexpr std::size_t kDescriptiveFieldWidth = 50;

// Steps 2 to 7: opens the database, replaces the first header row and every detail row, closes. The
// descriptive fields METODO, ANALITA, CAMPIONE and UM are cut to their 50 characters on the way.
void WriteReportTables(const std::filesystem::path& database, ReportRecords records);

// Logo picture size in twips (HIMETRIC x 0.55, cut towards minus infinity).
struct LogoSize {
    int heightTwips = 0;
    int widthTwips = 0;
};
// HIMETRIC to the report's twips as the logo box counts them; never beyond the 16-bit range.
std::int16_t LogoTwipsFromHimetric(long long himetric);
// ReadLogoSize: nullopt when no file is at the path; throws ReportPipelineError when a file is there but
// holds no readable picture.
using LogoSizeReader = std::function<std::optional<LogoSize>(const std::string& path)>;

// Shows, sizes or hides the logo section. An empty path or a path naming no file hides it.
void ApplyReportLogo(ReportLayout& layout, const std::string& logoPath, const LogoSizeReader& readLogoSize);

// The logo a report shows: the process-wide path when the program set one, else LOGOTXT; none when the
// company row says the logo was removed (NOLOGOFLAG -1).
std::string ReportLogoFor(const CompanyData& company, const std::optional<std::string>& processLogoPath);

// Everything a report prints, read back from the database, with the layout ready for rendering.
struct ReportDocument {
    ReportLayout layout;
    ReportRecord header;                // the header row just written (the last one of the table)
    std::vector<ReportRecord> details;  // the detail rows in their order
    CompanyData company;
    std::string logoPath;   // "" when the logo section is hidden
    std::string printDate;  // "dd/mm/yyyy"; shown only when layout.printDateVisible
    Language language = Language::Italian;
    char decimalSeparator = '.';
    // The page "Statistica estesa" after the report's own, with the study's values at print time.
    bool extendedAppendix = false;
    ExtendedStatistics extended;
    // The electronic signatures of the printed study file for the signature block, in the report's language:
    // one text each (SignatureStatusText). signaturesFault: why they could not be read, printed in their place.
    std::vector<std::string> signatures;
    std::string signaturesFault;
};

struct ReportRequest {
    std::filesystem::path database;
    Language language = Language::Italian;
    bool printDate = false;
    char decimalSeparator = '.';
    std::optional<std::string> processLogoPath;  // ReportLogoPath()
    std::string today;                           // "" : the current date
    bool extended = false;                       // add the extended statistics page
    // Where a saved study's electronic signatures are read. None: the report prints none, unless
    // trailFault says why there is no trail (then that stands in their place).
    std::shared_ptr<const AuditTrail> trail;
    std::string trailFault;
};

// Steps 2 to 12 for a study: its records into its tables, its layout built, translated for English, the
// print date and the logo applied, and the data read back from the tables and Anagrafica.
ReportDocument PrepareStudyReport(const Study& study, const ReportRequest& request, const LogoSizeReader& readLogoSize);

// The electronic signatures a study's report prints (ReportDocument::signatures and signaturesFault): those
// the trail holds for the study's file; every one invalid while the study holds unsaved changes, since the
// report prints those rather than what was signed. A study never saved has none.
void ReadStudySignatures(const Study& study, const ReportRequest& request, ReportDocument& document);

// Steps 8 to 12 alone, for a layout whose tables are already written.
ReportDocument ReadReportDocument(ReportLayout layout, const ReportRequest& request,
                                  const LogoSizeReader& readLogoSize);

// A report whose rows are given rather than read from tables (the pages a validation dossier adds): the
// company row, language, print date and logo as for a study's report.
ReportDocument ReportDocumentOf(ReportLayout layout, ReportRecord header, std::vector<ReportRecord> details,
                                const ReportRequest& request, const LogoSizeReader& readLogoSize);
// A field of a read-back row as printed: texts as stored, numbers in their plain form with the separator.
std::string FieldDisplayText(const ReportRecord& record, const std::string& field, char separator);
// A detail value of a numeric column: the stored text read as a number and written with the column's
// decimals; a text that is not a number prints as it is.
std::string FormatDetailNumber(const std::string& text, int decimals, char separator);

// Today as dd/mm/yyyy.
std::string TodayText();

}  // namespace kestra
