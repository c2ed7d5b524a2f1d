// The audit trail as text, CSV and JSON: for kestra-cli audit and the trail viewer's exports.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audit/audit_entry.h"

namespace kestra {

// One block per entry: the heading line, then the field changes indented ("old" -> "new").
std::string AuditText(const std::vector<AuditEntry>& entries);
// A heading row, then one row per entry; the field changes one per line inside their cell. RFC 4180 quoting.
std::string AuditCsv(const std::vector<AuditEntry>& entries);
// An array of objects, one per entry, every field named; indented.
std::string AuditJson(const std::vector<AuditEntry>& entries);
// "what: old → new" as the viewer and the exports show a change.
std::string ChangeText(const FieldChange& change);
// An entry's action and detail as shown: the trail stores them in Italian; in English the known ones are
// given in English (the filters and the exports that hash or compare still use the stored text).
std::string TrailActionText(const std::string& action);
std::string TrailDetailText(const std::string& detail);
// "... e altre 12 modifiche": the changes a list leaves out.
std::string MoreChangesText(std::int64_t count);
// Whether text is a date "YYYY-MM-DD" that exists in the calendar.
bool IsTrailDate(const std::string& text);

}  // namespace kestra
