// The F table of the report database as the statistics routines consult it.
#pragma once

#include <filesystem>

#include "stats/f_table_lookup.h"

namespace kestra {

// Opens the database read-only for every lookup and closes it again, so the file is never held
// open between calculations.
class DatabaseFTable : public FTableLookup {
public:
    explicit DatabaseFTable(std::filesystem::path databasePath);
    std::optional<double> find(int gdl1, int gdl2) const override;
    const std::filesystem::path& databasePath() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace kestra
