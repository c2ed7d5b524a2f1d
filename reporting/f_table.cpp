#include "reporting/f_table.h"

#include <utility>

#include "reporting/report_database.h"

namespace kestra {

DatabaseFTable::DatabaseFTable(std::filesystem::path databasePath) : m_path(std::move(databasePath))
{
}

std::optional<double> DatabaseFTable::find(int gdl1, int gdl2) const
{
    const ReportDatabase database(m_path, ReportDatabase::Mode::ReadOnly);
    return database.findF(gdl1, gdl2);
}

}  // namespace kestra
