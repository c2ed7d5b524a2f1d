// Reader and writer of *.SPC files.
#include <deque>

#include "framework/study_file.h"
#include "studies/specificity/specificity_study.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

constexpr int kLayout = 3;  // fields of a row line: the row number and the two groups

// Row items one after another; items are separated by commas or line ends.
class ItemStream {
public:
    explicit ItemStream(StudyFileReader& reader) : m_reader(reader) {}
    std::string next(const std::string& what)
    {
        if (m_items.empty()) {
            const std::string line = m_reader.readLine(what);
            std::size_t start = 0;
            while (true) {
                const std::size_t comma = line.find(',', start);
                m_items.push_back(
                    line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        }
        std::string item = std::move(m_items.front());
        m_items.pop_front();
        return item;
    }

private:
    StudyFileReader& m_reader;
    std::deque<std::string> m_items;
};

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
    if (fields < 1) reader.fail("il numero dei campi per riga deve essere almeno 1");
    setHeader(0, reader.readTrimmed("il metodo analitico"));
    setHeader(1, reader.readTrimmed("l'analita"));
    reader.readLine("la riga riservata 7");
    setHeader(2, reader.readTrimmed("il campione"));
    reader.readLine("la riga riservata 9");
    m_size[0] = reader.readInteger("il numero dei risultati del gruppo A", kMinCount, kMaxCount);
    reader.readLine("la riga riservata 11");
    reader.readLine("la riga riservata 12");
    m_size[1] = reader.readInteger("il numero dei risultati del gruppo B", kMinCount, kMaxCount);
    m_grid.clear();
    setupSpecGrid();

    ItemStream items(reader);
    try {
        for (int r = 0; r < m_grid.rowCount(); ++r) {
            const std::string what = "la riga " + std::to_string(r + 1) + " dei risultati";
            items.next(what);  // the row number
            for (int m = 2; m <= fields; ++m) {
                const std::string item = Trim(items.next(what));
                const int column = m - 2;
                // cells below a group's size stay empty and locked whatever the file holds there
                if (column >= 2 || m_grid.isLocked(r, column)) continue;
                if (item == "NIL")
                    m_grid.setCell(r, column, std::nullopt);
                else
                    m_grid.setCell(r, column, ParseNumber(item, '.').value_or(0.0));
            }
        }
    } catch (...) {
        setupSpecGrid();  // an early end leaves the cells not read as zeros, never as empty group cells
        throw;
    }
    applyFormatToGrids(format);
}

}  // namespace kestra
