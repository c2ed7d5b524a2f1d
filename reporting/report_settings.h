// Process-wide report settings: database and logo paths set by the program at start, and the print options
// the report-parameter dialog leaves for the print command.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "reporting/report_records.h"

namespace kestra {

// The report database the print pipeline and the company dialog open; until set, the one the start-up
// configuration prepared (app_settings.h).
void SetReportDatabasePath(std::filesystem::path path);
const std::filesystem::path& ReportDatabasePath();

// The company logo file; "" for none. Until set, the one the start-up read; before any start-up, reports
// take LOGOTXT of the company row. Setting it also updates the application settings.
void SetReportLogoPath(std::string path);
std::optional<std::string> ReportLogoPath();

// OutputLanguage: English is what the dialog selects when it opens; Italian before any dialog.
Language OutputLanguage();
void SetOutputLanguage(Language language);

// The print-date flag: false at start, changed only by a confirmed dialog.
bool PrintDateFlag();
void SetPrintDateFlag(bool printDate);

}  // namespace kestra
