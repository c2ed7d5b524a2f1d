// Reader and writer of *.ACC files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "framework/study_file.h"
#include "studies/accuracy/accuracy_study.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

constexpr int kLayout = 4;  // fields of a row line: the row number and the three columns

void readLevelRows(StudyFileReader& reader, std::array<DataGrid, 3>& grids, int count, int fields,
                   const NumberFormat& format, const std::vector<int>& usedLevels)
{
    StudyFileItems items(reader, fields);
    for (int level = 0; level < AccuracyStudy::kLevelCount; ++level) {
        DataGrid& g = grids[static_cast<std::size_t>(level)];
        // the levels not in use are kept as read, without warning about cells no calculation reads
        const bool used = std::find(usedLevels.begin(), usedLevels.end(), level) != usedLevels.end();
        for (int r = 0; r < count; ++r) {
            const std::string what = "la riga " + std::to_string(r + 1) + " del " +
                                     AccuracyStudy::kLevelNames[static_cast<std::size_t>(level)];
            items.next(what);  // the row number
            for (int m = 2; m <= fields; ++m) {
                const std::string_view item = items.next(what);
                const int column = m - 2;
                if (column >= AccuracyStudy::kColumns) continue;
                // an empty or unreadable value reads as 0, as it always has (and is noted)
                g.setCell(r, column,
                          used ? reader.readCell(item, what, format, CellRule::AnythingElseZero)
                               : reader.readUnusedCell(item, what, format, CellRule::AnythingElseZero));
            }
        }
    }
}

}  // namespace

void AccuracyStudy::writeContents(StudyFileWriter& w) const
{
    w.skeleton(m_grids[kUpper].format(), kLayout);
    w.line(header(0));
    w.line(header(1));
    w.line(header(3));  // the unit comes before the sample
    w.line(header(2));
    w.line("");  // reserved, written empty
    w.line(FormatNumber(static_cast<double>(m_count), "#0", '.'));
    w.line(threeLevels() ? "3" : "1");
    const std::string pattern = numberPattern();
    for (const DataGrid& g : m_grids) {
        for (int r = 0; r < m_count; ++r) {
            // unlike the other studies an empty cell is an empty field, not "NIL"
            std::string text = r == 0 ? " 1" : std::to_string(r + 1);
            for (int c = 0; c < kColumns; ++c) {
                text += ',';
                const auto value = g.cell(r, c);
                if (value) text += FileNumber(*value, pattern);
            }
            w.line(text);
        }
    }
}

void AccuracyStudy::readContents(StudyFileReader& reader)
{
    const NumberFormat format = reader.readFormat({7, 3});
    setNumberFormat(format);
    const int fields = reader.readLayout();
    if (fields < 1) reader.fail(Msg("il numero dei campi per riga deve essere almeno 1"));
    setHeader(0, reader.readText("il metodo analitico", false));
    setHeader(1, reader.readText("l'analita", false));
    setHeader(3, reader.readText("l'unità di misura", false));
    setHeader(2, reader.readText("il campione", false));
    reader.skipLine("il campo riservato");
    const int count = reader.readInteger("il numero di determinazioni", kMinCount, kMaxCount);
    m_count = count;
    const std::string_view mode = TrimView(reader.readRawLine("il numero dei livelli"));
    if (mode == "1")
        m_mode = LevelMode::One;
    else if (mode == "3")
        m_mode = LevelMode::Three;
    else
        reader.note(threeLevels() ? Msg("%1 non è 1 né 3: lasciati i tre livelli", {reader.quote(mode)})
                                  : Msg("%1 non è 1 né 3: lasciato un livello", {reader.quote(mode)}));

    for (auto& g : m_grids) g.resize(count, kColumns);

    try {
        readLevelRows(reader, m_grids, count, fields, format, usedLevels());
    } catch (...) {
        // what was read stays, with the grids made whole so the study can still be edited and computed
        setupAccuGrids();
        throw;
    }
    applyFormatToGrids(format);
    setupAccuGrids();
}

}  // namespace kestra
