// The JSON text kestra-cli compute prints, written from the report records with the JSON library.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/extended_statistics.h"
#include "framework/report_records.h"

namespace kestra::cli {

// {"kind": ..., "header": {...}, "details": [...], "messages": [...]} as the JSON library pretty prints it
// (two spaces per level), with a final line end; bytes that are not valid UTF-8 come out as U+FFFD, so the
// output is always valid JSON. With extended statistics an object "extended" follows: each key with its
// number (shortest form that reads back as the same double), its array, or null; null in place of the
// object when the statistics are not available.
std::string ComputeJson(const std::string& kind, const ReportRecords& records,
                        const std::vector<std::string>& messages,
                        const std::optional<ExtendedStatistics>& extended = std::nullopt);

}  // namespace kestra::cli
