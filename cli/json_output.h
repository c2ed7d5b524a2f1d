// The JSON text kestra-cli compute prints, written straight from the report records.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/extended_statistics.h"
#include "framework/report_records.h"

namespace kestra::cli {

// A JSON string literal: quotes, the escapes \" \\ \b \f \n \r \t, \u00xx for the other control characters,
// everything else as it stands (UTF-8 is kept as UTF-8). A byte that is not part of valid UTF-8 becomes
// U+FFFD, so the output is always valid JSON.
void AppendJsonString(std::string& out, std::string_view text);

// {"kind": ..., "header": {...}, "details": [...], "messages": [...]} indented by two spaces per level, the
// layout of a JSON library's pretty printer, with a final line end. With extended statistics an object
// "extended" follows: each key with its number (shortest form that reads back as the same double), its
// array, or null; null in place of the object when the statistics are not available.
std::string ComputeJson(const std::string& kind, const ReportRecords& records,
                        const std::vector<std::string>& messages,
                        const std::optional<ExtendedStatistics>& extended = std::nullopt);

// A double in its shortest round-trip form; null when it is not finite (JSON has no such numbers).
void AppendJsonNumber(std::string& out, double value);

}  // namespace kestra::cli
