// Reader and writer of *.LIM files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"
#include "studies/limits/limits_study.h"

namespace kestra {

namespace {
constexpr int kLayout = 2;
}

void LimitsStudy::writeContents(StudyFileWriter& w) const
{
    w.skeleton(m_grid.format(), kLayout);
    w.line(header(0));
    w.line(header(1));
    w.line(header(3));  // the unit comes before the sample
    w.line(header(2));
    w.line("");  // reserved numeric field, written empty
    w.integer(m_count);
    w.boolean(m_option == Option::Detection);
    for (int r = 0; r < m_count; ++r) w.row(r + 1, {m_grid.cell(r, 0)}, m_grid.pattern());
}

void LimitsStudy::readContents(StudyFileReader& reader)
{
    setNumberFormat(reader.readFormat({3, 3}));
    reader.readLayout();
    setHeader(0, reader.readText("il metodo analitico", true));
    setHeader(1, reader.readText("l'analita", true));
    setHeader(3, reader.readText("l'unità di misura", true));
    setHeader(2, reader.readText("il campione", true));
    reader.skipLine("il campo riservato");
    const int count = reader.readInteger("il numero di misure", kMinCount, kMaxCount);
    m_count = count;
    rebuildGrid();
    const auto detection = reader.readBoolean("il limite scelto", "nessun limite scelto");
    m_option = !detection ? Option::None : (*detection ? Option::Detection : Option::Quantitation);
    for (int r = 0; r < count; ++r) {
        const auto row =
            reader.readRow(1, "la misura " + std::to_string(r + 1), numberFormat(), CellRule::NilOrNumber);
        m_grid.setCell(r, 0, row[0]);
    }
}

}  // namespace kestra
