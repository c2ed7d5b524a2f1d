// Reader and writer of *.TAR files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"
#include "studies/calibration/calibration_study.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {
// Files without the banner were made when every calibration used 7 integer and 3 decimal digits.
constexpr NumberFormat kOlderLayoutFormat{7, 3};
}  // namespace

void CalibrationStudy::writeContents(StudyFileWriter& w) const
{
    const std::string pattern = numberPattern();
    w.skeleton(m_grid.format(), m_levels + 1);
    w.line(header(0));
    w.line(header(1));
    w.line(header(3));  // the unit comes before the sample
    w.line(header(2));
    w.line("");  // filler, ignored by the reader
    w.integer(m_responses);
    w.integer(m_levels);
    w.integer(m_total);
    w.line("");
    w.integer(m_levels);
    for (int j = 0; j < m_levels; ++j) {
        const std::string heading = m_grid.columnHeader(j);
        const auto value = ParseNumber(heading, UserDecimalSeparator());
        w.line(value ? FileNumber(*value, pattern) : Trim(heading));
    }
    for (int r = 0; r < m_responses; ++r) {
        std::vector<std::optional<double>> cells;
        cells.reserve(static_cast<std::size_t>(m_levels));
        for (int c = 0; c < m_levels; ++c) cells.push_back(m_grid.cell(r, c));
        w.row(r + 1, cells, pattern);
    }
}

void CalibrationStudy::readContents(StudyFileReader& reader)
{
    // The file's digits give the pattern and the grid format; NumInteri and NumDecimali keep the
    // new-study values, so the base class's setter is called directly.
    Study::setNumberFormat(reader.readFormat(kOlderLayoutFormat));
    const int fieldsPerRow = reader.readLayout();
    // lines 5 to 13 are whole lines: the header fields may hold commas
    setHeader(0, reader.readText("il metodo analitico", false));
    setHeader(1, reader.readText("l'analita", false));
    setHeader(3, reader.readText("l'unità di misura", false));
    setHeader(2, reader.readText("il campione", false));
    reader.skipLine("la riga di riempimento");
    const int responses =
        reader.readInteger("il numero di risposte per livello", kMinResponses, kMaxResponses);
    const int levels = reader.readInteger("il numero di livelli", kMinLevels, kMaxLevels);
    const int levelsLine = reader.lineNumber();
    // the total is n * k by definition; a different figure in the file would only falsify N
    reader.readDerivedCount("il numero totale dei dati", responses, levels);
    reader.skipLine("la riga vuota");
    if (fieldsPerRow != levels + 1)
        reader.failAt(
            reader.layoutLine(),
            Msg("il numero dei campi per riga (%1) non corrisponde ai %2 livelli della riga %3",
                {std::to_string(fieldsPerRow), std::to_string(levels), std::to_string(levelsLine)}));
    m_levels = levels;
    m_responses = responses;
    SetGridDimensions();

    const int concentrationLines = reader.readInteger("il numero delle concentrazioni", 0, kMaxLevels);
    if (concentrationLines != levels)
        reader.fail(Msg("il file indica %1 concentrazioni, ma i livelli sono %2",
                        {std::to_string(concentrationLines), std::to_string(levels)}));

    const char sep = UserDecimalSeparator();
    for (int j = 0; j < concentrationLines; ++j) {
        const std::string text =
            reader.readText("la concentrazione del livello " + std::to_string(j + 1), true);
        const auto value = ParseNumber(text, '.');
        // a text that is not a number stays as it is; the calculation then asks for the concentration
        if (value) reader.checkValue(text, *value, numberFormat());
        m_grid.setColumnHeader(j, value ? FormatNumber(*value, numberPattern(), sep) : text);
    }
    for (int r = 0; r < responses; ++r) {
        const auto row = reader.readRow(levels, "la riga di risposte " + std::to_string(r + 1),
                                        numberFormat(), CellRule::NilOrNumber);
        for (int c = 0; c < levels; ++c) m_grid.setCell(r, c, row[static_cast<std::size_t>(c)]);
    }
}

}  // namespace kestra
