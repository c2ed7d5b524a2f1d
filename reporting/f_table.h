// The F table of the report database as the statistics routines consult it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <utility>

#include "stats/f_table_lookup.h"

namespace kestra {

// Reads the whole table from the database at the first lookup and answers every later one from memory:
// a calculation asks many times, and opening the file for each answer was most of its cost. A table that
// could not be read is tried again at the next lookup.
class DatabaseFTable : public FTableLookup {
public:
    explicit DatabaseFTable(std::filesystem::path databasePath);
    std::optional<double> find(int gdl1, int gdl2) const override;
    const std::filesystem::path& databasePath() const { return m_path; }

private:
    std::filesystem::path m_path;
    // (GDL_1, GDL_2) -> VAL_F of the first row with them; an empty value for a row without one
    mutable std::optional<std::map<std::pair<int, int>, std::optional<double>>> m_rows;
};

}  // namespace kestra
