// Reader and writer of *.PRE files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"
#include "studies/precision/precision_study.h"

namespace kestra {

namespace {
constexpr int kLayout = 2;  // fields per row line
}

void PrecisionStudy::writeContents(StudyFileWriter& w) const
{
    w.skeleton(m_grid.format(), kLayout);
    w.line(header(0));
    w.line(header(1));
    w.line("");  // filler
    w.line(header(2));
    w.line("");  // filler: an empty value, written empty
    w.integer(m_count);
    for (int r = 0; r < m_grid.rowCount(); ++r) w.row(r + 1, {m_grid.cell(r, 0)}, m_grid.pattern());
}

void PrecisionStudy::readContents(StudyFileReader& reader)
{
    setNumberFormat(reader.readFormat({3, 3}));
    reader.readLayout();
    // header fields are kept exactly as typed, blanks included
    setHeader(0, reader.readText("il metodo analitico", false));
    setHeader(1, reader.readText("l'analita", false));
    reader.skipLine("la riga vuota dopo l'analita");
    setHeader(2, reader.readText("il campione", false));
    reader.skipLine("il campo riservato");
    m_count = reader.readInteger("il numero di determinazioni", kMinCount, kMaxCount);
    rebuildGrid();
    for (int r = 0; r < m_count; ++r) {
        const auto row =
            reader.readRow(1, "il risultato " + std::to_string(r + 1), numberFormat(), CellRule::NilOrNumber);
        m_grid.setCell(r, 0, row[0]);
    }
}

}  // namespace kestra
