// Records a study hands to its report tables: one header row and its detail rows.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kestra {

enum class Language { Italian = 0, English = 1 };

// A field is an integer (ID, counts, indexes), a double, or a text.
using FieldValue = std::variant<std::int64_t, double, std::string>;

// One row: ordered field name -> value pairs. A field the report leaves unset is simply absent.
class ReportRecord {
public:
    void set(const std::string& name, FieldValue value);
    const FieldValue* find(const std::string& name) const;
    std::string text(const std::string& name) const;  // "" when absent or not a text
    const std::vector<std::pair<std::string, FieldValue>>& fields() const { return m_fields; }
    bool empty() const { return m_fields.empty(); }

private:
    std::vector<std::pair<std::string, FieldValue>> m_fields;
};

struct ReportRecords {
    std::string headerTable;  // e.g. "Limi"
    std::string detailTable;  // e.g. "LimiTabella"
    ReportRecord header;
    std::vector<ReportRecord> details;
};

}  // namespace kestra
