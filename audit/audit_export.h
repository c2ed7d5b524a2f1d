// The audit trail as text, CSV and JSON: for kestra-cli audit and the trail viewer's exports.
#pragma once

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
// Whether text is a date "YYYY-MM-DD" that exists in the calendar.
bool IsTrailDate(const std::string& text);

}  // namespace kestra
