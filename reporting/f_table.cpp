// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/f_table.h"

#include "reporting/report_database.h"

namespace kestra {

DatabaseFTable::DatabaseFTable(std::filesystem::path databasePath) : m_path(std::move(databasePath))
{
}

std::optional<double> DatabaseFTable::find(int gdl1, int gdl2) const
{
    if (!m_rows) {
        const ReportDatabase database(m_path, ReportDatabase::Mode::ReadOnly);
        std::map<std::pair<int, int>, std::optional<double>> rows;
        // emplace keeps the first row of a pair, as the lookup by rowid did
        for (const ReportDatabase::FRow& row : database.readFTable())
            rows.emplace(std::make_pair(row.gdl1, row.gdl2), row.value);
        m_rows = std::move(rows);
    }
    const auto it = m_rows->find({gdl1, gdl2});
    if (it == m_rows->end()) return std::nullopt;
    if (!it->second) throw ReportDatabase::MissingFValue(m_path, gdl1, gdl2);
    return it->second;
}

}  // namespace kestra
