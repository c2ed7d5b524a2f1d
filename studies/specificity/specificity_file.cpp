// Reader and writer of *.SPC files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"
#include "studies/specificity/specificity_study.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

constexpr int kLayout = 3;  // fields of a row line: the row number and the two groups

}  // namespace

void SpecificityStudy::writeContents(StudyFileWriter& w) const
{
    w.skeleton(m_grid.format(), kLayout);
    w.line(header(0));
    w.line(header(1));
    w.line("");  // reserved
    w.line(header(2));
    w.line("");  // reserved
    w.integer(m_size[0]);
    w.line("");  // reserved
    w.line("");  // reserved
    w.integer(m_size[1]);
    const std::string pattern = numberPattern();
    for (int r = 0; r < m_grid.rowCount(); ++r) w.row(r + 1, {m_grid.cell(r, 0), m_grid.cell(r, 1)}, pattern);
}

void SpecificityStudy::readContents(StudyFileReader& reader)
{
    const NumberFormat format = reader.readFormat({6, 3});
    setNumberFormat(format);
    const int fields = reader.readLayout();
    if (fields < 1) reader.fail(Msg("il numero dei campi per riga deve essere almeno 1"));
    setHeader(0, reader.readText("il metodo analitico", true));
    setHeader(1, reader.readText("l'analita", true));
    reader.skipLine("la riga riservata dopo l'analita");
    setHeader(2, reader.readText("il campione", true));
    reader.skipLine("la riga riservata dopo il campione");
    m_size[0] = reader.readInteger("il numero dei risultati del gruppo A", kMinCount, kMaxCount);
    reader.skipLine("la prima riga riservata dopo il gruppo A");
    reader.skipLine("la seconda riga riservata dopo il gruppo A");
    m_size[1] = reader.readInteger("il numero dei risultati del gruppo B", kMinCount, kMaxCount);
    m_grid.clear();
    setupSpecGrid();

    StudyFileItems items(reader, fields);
    try {
        for (int r = 0; r < m_grid.rowCount(); ++r) {
            const std::string what = "la riga " + std::to_string(r + 1) + " dei risultati";
            items.next(what);  // the row number
            for (int m = 2; m <= fields; ++m) {
                const std::string_view item = items.next(what);
                const int column = m - 2;
                if (column >= 2) continue;
                // cells below a group's size stay empty and locked whatever the file holds there
                if (m_grid.isLocked(r, column)) {
                    const std::string_view text = TrimView(item);
                    if (text != "NIL" && !text.empty())
                        reader.note(Msg("%1 non letto: il gruppo %2 ha %3 risultati",
                                        {reader.quote(text), column == 0 ? "A" : "B",
                                         std::to_string(m_size[static_cast<std::size_t>(column)])}));

                    continue;
                }
                m_grid.setCell(r, column, reader.readCell(item, what, format, CellRule::NilElseZero));
            }
        }
    } catch (...) {
        setupSpecGrid();  // an early end leaves the cells not read as zeros, never as empty group cells
        throw;
    }
    applyFormatToGrids(format);
}

}  // namespace kestra
