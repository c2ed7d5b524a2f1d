// What the self-test prints: the facts identifying the program and the data checked, the text summary of
// kestra-cli and the certificate handed to the report renderer.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/self_test.h"
#include "framework/report_records.h"
#include "reporting/report_pipeline.h"

namespace kestra {

struct SelfTestFacts {
    std::string program;  // "Kestra 2006"
    std::string version;
    std::string buildId;  // git commit of the build, "" when unknown
    std::string executable;
    std::string executableSha256;
    std::string database;
    std::string databaseSha256;
    std::string referenceFolder;
    std::string dateTime;  // dd/mm/yyyy hh:mm:ss
    std::string host;
    std::string user;
};

// The build identifier compiled into the program ("" when the sources were not a git checkout).
std::string BuildIdentifier();

// Facts for a run made by the running executable. A file that cannot be read gets an Italian note in
// place of its fingerprint.
SelfTestFacts GatherSelfTestFacts(const SelfTestRun& run);

// "N casi, N superati, N falliti" / "N cases, N passed, N failed".
std::string SelfTestSummary(const SelfTestRun& run, Language language);
// The word of a line's outcome: "SUPERATO" / "FALLITO", "PASS" / "FAIL".
std::string SelfTestVerdict(bool passed, Language language);

// A text as one short line for a table cell: line breaks shown as a pilcrow; a text longer than width is
// cut to the part where it first differs from `other`, or to its end when they are equal, with its length.
std::string CaseCellText(const std::string& text, const std::string& other, std::size_t width = 60);

// The identification, then one line per case (verdict, case, item, expected, obtained), then the summary.
std::string SelfTestText(const SelfTestRun& run, const SelfTestFacts& facts, Language language);

// The certificate as a report: the company heading of the reports (with the logo the reports show), title,
// the facts, the table of the cases flowing over the pages with its heading repeated, the summary, the
// signature. Without a logo reader no logo is shown. Throws ReportPipelineError when the logo file is there
// but cannot be read.
ReportDocument SelfTestCertificate(const SelfTestRun& run, const SelfTestFacts& facts,
                                   const CompanyData& company, Language language,
                                   const std::optional<std::string>& processLogoPath = {},
                                   const LogoSizeReader& readLogoSize = {});

}  // namespace kestra
