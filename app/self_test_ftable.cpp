// The F table check of the self-test: TabF of the report database against the seed it was made from.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <fstream>
#include <map>

#include "app/self_test.h"
#include "reporting/report_database.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kestra {

namespace fs = std::filesystem;

namespace {

struct SeedRow {
    int gdl1 = 0;
    int gdl2 = 0;
    std::string text;  // VAL_F as the seed writes it
    double value = 0;
};

// The INSERT lines of the seed script; anything else in it (comments, the transaction) is not a row.
std::vector<SeedRow> readSeed(const fs::path& seed)
{
    std::ifstream in(seed, std::ios::binary);
    if (!in) throw SelfTestError(Msg("file di riferimento mancante o illeggibile: %1", {seed.string()}));
    std::vector<SeedRow> rows;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.rfind("INSERT INTO TabF", 0) != 0) continue;
        const auto values = line.find("VALUES (");
        const auto close = line.rfind(')');
        SeedRow row;
        char text[32] = {};
        if (values == std::string::npos || close == std::string::npos || close < values ||
            std::sscanf(line.c_str() + values, "VALUES (%d, %d, %31[0-9.]", &row.gdl1, &row.gdl2, text) != 3)
            throw SelfTestError(Msg("file di riferimento %1, riga %2: %3",
                                    {seed.string(), std::to_string(number), Msg("riga di TabF non riconosciuta")}));
        row.text = text;
        const auto value = ParseNumber(row.text, '.');
        if (!value)
            throw SelfTestError(Msg("file di riferimento %1, riga %2: %3",
                                    {seed.string(), std::to_string(number), Msg("VAL_F non è un numero")}));
        row.value = *value;
        rows.push_back(row);
    }
    if (rows.empty()) throw SelfTestError(Msg("il file %1 non contiene righe di TabF", {seed.string()}));
    return rows;
}

std::string rowName(int gdl1, int gdl2)
{
    return "TabF GDL_1 = " + std::to_string(gdl1) + ", GDL_2 = " + std::to_string(gdl2);
}

}  // namespace

std::vector<SelfTestLine> CheckFTable(const fs::path& database, const fs::path& seed)
{
    const std::vector<SeedRow> seedRows = readSeed(seed);
    std::vector<ReportDatabase::FRow> dbRows;
    try {
        dbRows = ReportDatabase(database, ReportDatabase::Mode::ReadOnly).readFTable();
    } catch (const std::exception& e) {
        throw SelfTestError(Msg("lettura di TabF: %1", {e.what()}));
    }

    // the calculations read the first row with a pair of degrees of freedom; a later one is still a change
    std::map<std::pair<int, int>, std::size_t> firstRow;
    std::vector<SelfTestLine> rowFaults;
    for (std::size_t i = 0; i < dbRows.size(); ++i) {
        const auto key = std::make_pair(dbRows[i].gdl1, dbRows[i].gdl2);
        if (!firstRow.emplace(key, i).second)
            rowFaults.push_back(
                {"TabF", rowName(key.first, key.second), "VAL_F", "una riga", "riga ripetuta", false});
    }
    std::map<std::pair<int, int>, bool> inSeed;
    std::map<int, std::pair<int, int>> perGroup;  // GDL_1 -> rows, rows equal
    for (const SeedRow& s : seedRows) {
        const auto key = std::make_pair(s.gdl1, s.gdl2);
        inSeed[key] = true;
        auto& group = perGroup[s.gdl1];
        ++group.first;
        const auto found = firstRow.find(key);
        if (found == firstRow.end()) {
            rowFaults.push_back({"TabF", rowName(s.gdl1, s.gdl2), "VAL_F", s.text, "riga mancante", false});
            continue;
        }
        const auto& value = dbRows[found->second].value;
        if (value && *value == s.value) {
            ++group.second;
        } else {
            rowFaults.push_back({"TabF", rowName(s.gdl1, s.gdl2), "VAL_F", s.text,
                                 value ? FormatPlain(*value, '.') : "(vuoto)", false});
        }
    }
    for (const auto& row : dbRows)
        if (!inSeed.count({row.gdl1, row.gdl2})) {
            rowFaults.push_back({"TabF", rowName(row.gdl1, row.gdl2), "VAL_F", "(nessuna riga)",
                                 row.value ? FormatPlain(*row.value, '.') : "(vuoto)", false});
            inSeed[{row.gdl1, row.gdl2}] = true;  // named once
        }

    std::vector<SelfTestLine> lines;
    for (const auto& [gdl1, counts] : perGroup) {
        SelfTestLine line;
        line.group = "TabF";
        line.name = "TabF GDL_1 = " + std::to_string(gdl1);
        line.item = "VAL_F";
        line.expected = std::to_string(counts.first) + " righe come il modello";
        line.obtained = std::to_string(counts.second) + " righe uguali";
        line.passed = counts.first == counts.second;
        lines.push_back(std::move(line));
    }
    lines.insert(lines.end(), rowFaults.begin(), rowFaults.end());
    return lines;
}

}  // namespace kestra
