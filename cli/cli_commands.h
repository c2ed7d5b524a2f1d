// The commands of kestra-cli.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <istream>
#include <optional>
#include <string>

#include "framework/report_records.h"

namespace kestra {
class AuditTrail;
class Dossier;
struct DossierEvaluation;
}  // namespace kestra

namespace kestra::cli {

struct ComputeOptions {
    std::filesystem::path file;
    Language language = Language::Italian;
    char separator = '.';
    bool extended = false;  // adds the study's extended statistics as the object "extended"
};

// Opens the study as the Open command does (reset, read, calculate) and prints its report records as JSON.
// Returns the exit code: 0 when the file was read, 2 when it could not be read (one line on err).
int RunCompute(const ComputeOptions& options, std::ostream& out, std::ostream& err);

struct ReportOptions {
    std::filesystem::path file;
    std::filesystem::path output;    // the PDF to write
    std::filesystem::path database;  // empty: the user's database prepared as the program's start-up does
    Language language = Language::Italian;
    char separator = '.';
    bool printDate = false;
    bool extended = false;  // the extended statistics page after the report's pages
    std::string trailFault;  // why the user's trail could not be opened (InstallCommandTrail)
};

// Opens and calculates the study, writes its report tables, reads the layout back and writes the PDF with
// the study file's electronic signatures from the process's trail (a warning on err, and a line on the
// report, when they cannot be read). Returns 0, or 2 with one line on err naming the step that failed.
int RunReport(const ReportOptions& options, std::ostream& err);

struct ChartOptions {
    std::filesystem::path file;
    std::filesystem::path output;  // .png (one chart) or .pdf (one page per chart)
    // "regression", "proportionality", "residuals", a chart name or a number from 1; "" all
    std::string which;
    Language language = Language::Italian;
    char separator = '.';
    int width = 1200;  // PNG size in pixels
    int height = 800;
};

// Opens and calculates the study and draws its charts, texts in the chosen language, into the output.
// Returns 0, or 2 with one line on err.
int RunChart(const ChartOptions& options, std::ostream& err);

struct SelfTestOptions {
    Language language = Language::Italian;
    std::filesystem::path output;    // the certificate PDF; empty: the summary and the cases as text
    std::filesystem::path database;  // empty: the user's database prepared as the program's start-up does
};

// The self-test against the reference set beside the program, printed as text on out.
// Returns 0 when every case passed, 1 when any failed, 2 when it could not run (one line on err).
int RunSelfTestText(const SelfTestOptions& options, std::ostream& out, std::ostream& err);
// The same checks, the certificate written as a PDF and the summary printed on out (the renderer's half).
int RunSelfTestCertificate(const SelfTestOptions& options, std::ostream& out, std::ostream& err);

struct ValidateOptions {
    std::filesystem::path file;      // the dossier (.kvd)
    std::filesystem::path output;    // the dossier's PDF; empty: the summary only
    std::filesystem::path database;  // the report database for the PDF (empty: the user's)
    Language language = Language::Italian;
    char separator = '.';
    bool json = false;      // one JSON object instead of the text summary
    bool extended = false;  // each study's extended statistics page in the PDF
    bool record = false;    // writes the evaluation into the dossier ("evaluated")
    bool verify = false;    // compares the study files with the recorded evaluation
    bool printDate = false;
    std::string propose;             // a purpose: print its proposed criteria instead
    std::string reportingThreshold;  // asked by impurity_quantitative proposals
    std::string impurityLimit;       // asked by impurity_limit proposals
};

// Writes the dossier's report once it has been evaluated; throws with a message naming the step.
using DossierReportWriter = std::function<void(const Dossier&, const DossierEvaluation&)>;

// Evaluates the dossier (or prints the proposals of --propose). Returns 0 when the verdict is pass, 1 when
// it fails (with --verify: when a study file changed since the recorded evaluation), 2 when the dossier
// cannot be read, recorded or reported (one line on err).
int RunValidate(const ValidateOptions& options, std::ostream& out, std::ostream& err, std::istream& in,
                const DossierReportWriter& writeReport = {});
// The same with --output: the report written through the renderer (the renderer's half).
int RunValidateReport(const ValidateOptions& options, std::ostream& out, std::ostream& err, std::istream& in);

struct AuditOptions {
    std::filesystem::path file;  // only the entries of this file (also as the old path of Save as)
    std::string from;            // "YYYY-MM-DD", local date, inclusive
    std::string to;
    bool json = false;
    bool csv = false;
    bool verify = false;          // checks the hash chain instead of listing
    std::filesystem::path trail;  // empty: the user's Audit/audit.db
};

// Lists the audit trail (text, CSV or JSON) or verifies its chain. Returns 0, 1 when the chain check fails
// (the first entry changed, removed or inserted named on err), 2 when the trail cannot be read.
int RunAudit(const AuditOptions& options, std::ostream& out, std::ostream& err);
// <data folder>/Audit/audit.db of the user, as the program's start-up places it.
std::filesystem::path UserAuditTrailPath();

struct SignOptions {
    std::filesystem::path file;  // the dossier (.kvd)
    std::string meaning;         // prepared, reviewed, approved
    std::string comment;
    bool passwordStdin = false;   // the password as one line of standard input
    bool setPassword = false;     // sets the signature password instead of signing
    std::filesystem::path trail;  // empty: the user's Audit/audit.db (the password file sits beside it)
};

// Signs the dossier or sets the signature password. Returns 0 signed (or set), 1 wrong password or signing
// locked, 2 when it cannot sign (file faults, no password set, a trail that cannot be written).
int RunSign(const SignOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

// The user's audit trail, the data folder prepared as the program's start-up does; its file into trailFile
// when given. Throws AuditError.
std::shared_ptr<AuditTrail> OpenUserTrail(std::ostream& err, std::filesystem::path* trailFile = nullptr);

// Records in the process's trail that `output` was written from `file` (a warning on err when it cannot).
void RecordExport(const std::filesystem::path& file, const std::string& kind, const std::filesystem::path& output,
                  std::ostream& err);

// The decimal separator of the user's locale.
char LocaleDecimalSeparator();
// The folder of the program's data (DB/KESTRA73.MDB) for the running executable, built or installed.
std::filesystem::path ProgramFolder();
// The user's report database as the program's start-up prepares it (data folder, settings, database copy),
// with the logo path of the settings. Throws ReportPipelineError when the start-up fails.
std::filesystem::path UserReportDatabase(std::ostream& err, std::optional<std::string>& logoPath);

}  // namespace kestra::cli
