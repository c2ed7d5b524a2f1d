// Reader and writer of *.PRI and *.RIP files (one layout; line 13 names the kind of series).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kestra {

void IntermediatePrecisionStudy::writeContents(StudyFileWriter& w) const
{
    const int k = m_grid.columnCount();
    const int n = m_grid.rowCount();
    w.skeleton(m_grid.format(), k + 1);
    w.line(header(0));
    w.line(header(1));
    w.line(header(3));  // the unit comes before the sample
    w.line(header(2));
    w.line("");  // filler, ignored by the reader
    w.line(FormatNumber(static_cast<double>(m_perSeries), "#0", '.'));
    w.line(FormatNumber(static_cast<double>(m_series), "##0", '.'));
    w.integer(totalCount());
    if (m_config.fixedLaboratories)
        w.line(seriesKindCaption(SeriesKind::Laboratories));
    else if (m_seriesKind == SeriesKind::Analysts || m_seriesKind == SeriesKind::Other)
        w.line(seriesKindCaption(m_seriesKind));
    else
        w.line("");
    const std::string pattern = m_grid.pattern();
    for (int r = 0; r < n; ++r) {
        std::string text = r == 0 ? " 1" : std::to_string(r + 1);
        for (int c = 0; c < k; ++c) {
            text += ',';
            if (const auto v = m_grid.cell(r, c))
                text += FileNumber(*v, pattern);  // an empty cell stays empty
        }
        w.line(text);
    }
}

void IntermediatePrecisionStudy::readContents(StudyFileReader& reader)
{
    setNumberFormat(reader.readFormat({3, 3}));
    const int fields = reader.readLayout();  // k + 1 fields on every row line
    setHeader(0, reader.readText("il metodo analitico", true));
    setHeader(1, reader.readText("l'analita", true));
    setHeader(3, reader.readText("l'unità di misura", true));
    setHeader(2, reader.readText("il campione", true));
    reader.skipLine("la riga di riempimento");
    // dimensions outside the boxes' ranges are taken as they are, as far as the two-digit boxes go
    const int n = reader.readInteger("il numero di dati per serie", 1, kMaxBoxValue);
    const int k = reader.readInteger("il numero di serie", 1, kMaxBoxValue);
    reader.readDerivedCount("il numero totale dei dati", n, k);
    const std::string_view kind = reader.readRawLine("il tipo di serie");
    if (!m_config.fixedLaboratories) {
        if (kind == seriesKindCaption(SeriesKind::Analysts))
            m_seriesKind = SeriesKind::Analysts;
        else if (kind == seriesKindCaption(SeriesKind::Other))
            m_seriesKind = SeriesKind::Other;
        else
            m_seriesKind = SeriesKind::None;
        if (m_seriesKind == SeriesKind::None && !kind.empty())
            reader.note(
                Msg("%1 non è un tipo di serie di questo studio: nessun tipo scelto", {reader.quote(kind)}));
    }
    const int cells = fields > 1 ? fields - 1 : 0;
    if (cells < k)
        reader.noteAt(
            reader.layoutLine(),
            Msg("%1 campi per riga, ma le serie sono %2: le serie da %3 a %2 non sono lette e restano a 0",
                {std::to_string(fields), std::to_string(k), std::to_string(cells + 1)}));
    else if (cells > k)
        reader.noteAt(reader.layoutLine(),
                      Msg("%1 campi per riga, ma le serie sono %2: i campi oltre la serie %2 non sono letti",
                          {std::to_string(fields), std::to_string(k)}));

    m_series = k;
    m_perSeries = n;
    m_grid.resize(n, k);
    for (int r = 0; r < n; ++r) {
        const auto row = reader.readRow(cells, "la riga " + std::to_string(r + 1) + " dei dati",
                                        numberFormat(), CellRule::EmptyOrNilAsZero);
        for (int c = 0; c < k && c < cells; ++c)
            m_grid.setCell(r, c, row[static_cast<std::size_t>(c)].value_or(0.0));
    }
    applyDimensions();
}

}  // namespace kestra
