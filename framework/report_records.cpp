// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/report_records.h"

namespace kestra {

void ReportRecord::set(const std::string& name, FieldValue value)
{
    for (auto& [n, v] : m_fields) {
        if (n == name) {
            v = std::move(value);
            return;
        }
    }
    m_fields.emplace_back(name, std::move(value));
}

const FieldValue* ReportRecord::find(const std::string& name) const
{
    for (const auto& [n, v] : m_fields)
        if (n == name) return &v;
    return nullptr;
}

std::string ReportRecord::text(const std::string& name) const
{
    const FieldValue* v = find(name);
    if (!v) return {};
    if (const auto* s = std::get_if<std::string>(v)) return *s;
    return {};
}

}  // namespace kestra
