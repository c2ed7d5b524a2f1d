// Process-wide report settings: database and logo paths set by the program at start, and the print options
// the report-parameter dialog leaves for the print command.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "framework/report_records.h"

namespace kestra {

// The report database the print pipeline and the company dialog open; the start-up sets it to the user's own.
void SetReportDatabasePath(std::filesystem::path path);
const std::filesystem::path& ReportDatabasePath();
// The template the report database was copied from, which takes the place of a damaged one.
void SetTemplateDatabasePath(std::filesystem::path path);
const std::filesystem::path& TemplateDatabasePath();

// The company logo file; "" for none. The start-up sets the one it read; until then reports take LOGOTXT
// of the company row.
void SetReportLogoPath(std::string path);
std::optional<std::string> ReportLogoPath();

// OutputLanguage: English is what the dialog selects when it opens; Italian before any dialog.
Language OutputLanguage();
void SetOutputLanguage(Language language);

// The print-date flag: false at start, changed only by a confirmed dialog.
bool PrintDateFlag();
void SetPrintDateFlag(bool printDate);

// Whether the report ends with the extended statistics page: off each time the dialog opens, on only when it
// is confirmed with the box ticked.
bool ExtendedAppendixFlag();
void SetExtendedAppendixFlag(bool appendix);

}  // namespace kestra
