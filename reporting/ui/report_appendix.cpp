// The extended statistics page of a report: its title, the study's descriptive fields, and a table of name,
// value and note that flows over as many pages as it needs, its heading repeated; a list of numbers is a
// small table of its own inside it.
#include <variant>

#include "framework/extended_statistics_text.h"
#include "reporting/ui/report_pages.h"

namespace kestra {

using namespace report_pages;

namespace {

struct Row {
    QStringList cells[3];
    bool spanning = false;    // a list of numbers: cells[1] (its notes) runs over the value and note columns
    qsizetype noteLines = 0;  // of a spanning row: its first lines are the notes, then subRows
    std::vector<QStringList> subRows;  // a list's table, line by line: its heading, then one line per element
    std::vector<double> subWidths;
    int subHeadLines = 0;
};

class AppendixComposer {
public:
    AppendixComposer(const ReportDocument& doc, ReportPages& out)
        : m_doc(doc), m_out(out), m_t(out.typesetter)
    {
    }

    void compose()
    {
        const bool english = m_doc.language == Language::English;
        newPage();
        centred(english ? QStringLiteral("Extended statistics") : QStringLiteral("Statistica estesa"),
                Role::Title);
        m_y += 3;
        if (const QString subtitle = q(m_doc.layout.text(m_doc.layout.subtitle)); !subtitle.isEmpty())
            centred(subtitle, Role::Subtitle);
        m_y += kBlockGap;
        descriptiveFields();

        const std::vector<Row> rows = tableRows();
        if (rows.empty()) {
            // a study that calculated may have nothing beside its results
            const QString text = m_doc.extended.available ? q(ExtendedNoValuesText(m_doc.language))
                                 : english
                                     ? QStringLiteral("Extended statistics are not available for these data.")
                                     : QStringLiteral("Statistica estesa non disponibile per questi dati.");
            for (const QString& line : m_t.wrap(text, Role::Body, kContentWidth)) {
                text_(kContentLeft, m_y, kContentWidth, line, Role::Body);
                m_y += m_t.lineHeight(Role::Body);
            }
            return;
        }
        table(rows);
        m_y += 6;
        for (const QString& line :
             m_t.wrap(q(ExtendedDisplayRuleText(m_doc.language)), Role::Footer, kContentWidth)) {
            ensure(m_t.lineHeight(Role::Footer));
            text_(kContentLeft, m_y, kContentWidth, line, Role::Footer, Qt::AlignLeft, kMuted);
            m_y += m_t.lineHeight(Role::Footer);
        }
    }

private:
    void newPage()
    {
        m_out.pages.emplace_back();
        m_page = &m_out.pages.back();
        m_y = m_out.bodyTop;
    }
    void ensure(double h)
    {
        if (m_y + h > kBodyBottom && m_y > m_out.bodyTop + 0.5) newPage();
    }
    void text_(double x, double y, double w, const QString& s, Role role, Qt::Alignment align = Qt::AlignLeft,
               const QColor& color = kInk)
    {
        m_page->texts.push_back({QRectF(x, y, w, m_t.lineHeight(role)), s, role, align, color});
    }
    void rule(double y, double width, const QColor& color)
    {
        m_page->lines.push_back({QLineF(kContentLeft, y, kContentRight, y), width, color});
    }
    void centred(const QString& s, Role role)
    {
        for (const QString& line : m_t.wrap(s, role, kContentWidth)) {
            text_(kContentLeft, m_y, kContentWidth, line, role, Qt::AlignHCenter);
            m_y += m_t.lineHeight(role);
        }
    }

    // The same "label: value" lines as the report's first page, so the page names its study.
    void descriptiveFields()
    {
        const FieldsBlock* fields = nullptr;
        for (const auto& block : m_doc.layout.blocks)
            if ((fields = std::get_if<FieldsBlock>(&block))) break;
        if (!fields) return;
        double labelWidth = 0;
        for (const auto& line : fields->lines)
            labelWidth = std::max(labelWidth, m_t.width(q(m_doc.layout.text(line.label)) + ":", Role::Label));
        labelWidth = std::min(labelWidth + 12, kContentWidth * 0.45);
        const double lh = m_t.lineHeight(Role::Body);
        for (const auto& line : fields->lines) {
            const QString caption = q(m_doc.layout.text(line.label));
            const QStringList captions =
                m_t.wrap(caption.isEmpty() ? caption : caption + ":", Role::Label, labelWidth - 8);
            const QStringList values =
                m_t.wrap(q(FieldDisplayText(m_doc.header, line.field, m_doc.decimalSeparator)),
                         Role::BodyBold, kContentWidth - labelWidth);
            for (qsizetype i = 0; i < captions.size(); ++i)
                text_(kContentLeft, m_y + i * lh, labelWidth, captions[i], Role::Label, Qt::AlignLeft,
                      kMuted);
            for (qsizetype i = 0; i < values.size(); ++i)
                text_(kContentLeft + labelWidth, m_y + i * lh, kContentWidth - labelWidth, values[i],
                      Role::BodyBold);
            m_y += std::max(captions.size(), values.size()) * lh + 1;
        }
        m_y += kBlockGap;
    }

    // Column widths: the names as they need (up to a third), the values as the widest, the notes the rest.
    void measure()
    {
        const ExtendedStatistics& s = m_doc.extended;
        double name = m_t.width(heads()[0], Role::TableBold);
        double value = std::max(60.0, m_t.width(heads()[1], Role::TableBold));
        for (const ExtendedLine& line : ExtendedLines(s, m_doc.language, m_doc.decimalSeparator)) {
            if (line.key.find('[') == std::string::npos)
                name = std::max(name, m_t.width(q(line.name), Role::Table));
            value = std::max(value, m_t.width(q(line.value), Role::Table));
        }
        // a little more than measured: the wrapping lays text out with its own rounding
        m_widths[0] = std::min(name + 2 * kCellPad + 2, kContentWidth / 3);
        m_widths[1] = std::min(value + 2 * kCellPad + 2, kContentWidth / 4);
        m_widths[2] = kContentWidth - m_widths[0] - m_widths[1];
    }

    std::array<QString, 3> heads() const
    {
        if (m_doc.language == Language::English)
            return {QStringLiteral("Quantity"), QStringLiteral("Value"), QStringLiteral("Note")};
        return {QStringLiteral("Grandezza"), QStringLiteral("Valore"), QStringLiteral("Nota")};
    }

    // One row per value; a list of numbers (the residuals) is one row whose numbered values run over the
    // value and note columns, after the note.
    std::vector<Row> tableRows()
    {
        std::vector<Row> rows;
        const ExtendedStatistics& s = m_doc.extended;
        if (!s.available) return rows;
        measure();
        const double inner[3] = {m_widths[0] - 2 * kCellPad, m_widths[1] - 2 * kCellPad,
                                 m_widths[2] - 2 * kCellPad};
        for (std::size_t index = 0; index < s.values.size(); ++index) {
            const ExtendedValue& v = s.values[index];
            Row row;
            row.cells[0] = m_t.wrap(q(v.name(m_doc.language)), Role::Table, inner[0]);
            if (v.type == ExtendedValue::Type::Array && !v.numbers.empty()) {
                const ExtendedTable list = ExtendedTableAt(s, index, m_doc.language, m_doc.decimalSeparator);
                if (list.members.empty()) continue;  // printed in the table of the list before it
                rows.push_back(listRow(list));
                continue;
            }
            ExtendedStatistics one;
            one.available = true;
            one.values = {v};
            const std::vector<ExtendedLine> lines =
                ExtendedLines(one, m_doc.language, m_doc.decimalSeparator);
            const ExtendedLine& line = lines.front();
            row.cells[1] = m_t.wrap(q(line.value), Role::Table, inner[1]);
            row.cells[2] = m_t.wrap(q(line.note), Role::Table, inner[2]);
            rows.push_back(std::move(row));
        }
        return rows;
    }

    // A list of numbers: its name (the names of the lists side by side) beside its notes, then a small table
    // over the value and note columns, one line per element, its heading repeated on a new page.
    Row listRow(const ExtendedTable& list) const
    {
        const ExtendedStatistics& s = m_doc.extended;
        const double wide = m_widths[1] + m_widths[2] - 2 * kCellPad;
        Row row;
        row.spanning = true;
        for (std::size_t m : list.members) {
            const ExtendedValue& v = s.values[m];
            row.cells[0] << m_t.wrap(q(v.name(m_doc.language)), Role::Table, m_widths[0] - 2 * kCellPad);
            if (!v.note(m_doc.language).empty())
                row.cells[1] << m_t.wrap(q(v.note(m_doc.language)), Role::Table, wide);
        }
        row.noteLines = row.cells[1].size();
        // index columns as wide as their heading, the lists sharing the rest up to a readable width
        double used = 0;
        for (std::size_t c = 0; c < list.heads.size(); ++c) {
            double w = 0;
            if (c < list.indexColumns) {
                w = m_t.width(q(list.heads[c]), Role::TableBold) + 2 * kCellPad + 4;
            } else {
                w = m_t.width(q(list.heads[c]), Role::TableBold) + 2 * kCellPad + 4;
                for (const auto& cells : list.cells) w = std::max(w, m_t.width(q(cells[c]), Role::Table) + 2 * kCellPad + 4);
                const double share = (wide - used) / static_cast<double>(list.heads.size() - c);
                w = std::min(std::max(w, 70.0), share);
            }
            row.subWidths.push_back(w);
            used += w;
        }
        // the heading wraps within its column; every heading line is one line of the row
        std::vector<QStringList> heads;
        qsizetype headLines = 1;
        for (std::size_t c = 0; c < list.heads.size(); ++c) {
            heads.push_back(m_t.wrap(q(list.heads[c]), Role::TableBold, row.subWidths[c] - 2 * kCellPad));
            headLines = std::max(headLines, heads.back().size());
        }
        for (qsizetype i = 0; i < headLines; ++i) {
            QStringList line;
            for (const QStringList& head : heads) line << (i < head.size() ? head[i] : QString());
            row.subRows.push_back(line);
        }
        row.subHeadLines = static_cast<int>(headLines);
        for (const auto& cells : list.cells) {
            QStringList line;
            for (const std::string& cell : cells) line << q(cell);
            row.subRows.push_back(line);
        }
        return row;
    }

    // One line of a list's table, at the left of the value column.
    void subLine(const Row& row, std::size_t line, double x)
    {
        const bool heading = static_cast<int>(line) < row.subHeadLines;
        const QStringList& cells = row.subRows[line];
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const double w = row.subWidths[static_cast<std::size_t>(c)];
            text_(x + kCellPad, m_y + 2, w - 2 * kCellPad, cells[c], heading ? Role::TableBold : Role::Table,
                  Qt::AlignRight, heading ? kMuted : kInk);
            x += w;
        }
        if (static_cast<int>(line) + 1 == row.subHeadLines) {
            double width = 0;
            for (double w : row.subWidths) width += w;
            m_page->lines.push_back({QLineF(x - width + kCellPad, m_y + m_t.lineHeight(Role::Table) + 1.5, x - kCellPad,
                                            m_y + m_t.lineHeight(Role::Table) + 1.5),
                                     0.3, kHairline});
        }
    }

    void head()
    {
        const double h = m_t.lineHeight(Role::TableBold) + 6;
        m_page->fills.push_back({QRectF(kContentLeft, m_y, kContentWidth, h), kShade});
        rule(m_y, 0.8, kRule);
        const auto texts = heads();
        double x = kContentLeft;
        for (int c = 0; c < 3; ++c) {
            text_(x + kCellPad, m_y + 3, m_widths[c] - 2 * kCellPad, texts[static_cast<std::size_t>(c)],
                  Role::TableBold, c == 1 ? Qt::AlignRight : Qt::AlignLeft);
            x += m_widths[c];
        }
        m_y += h;
        rule(m_y, 0.5, kRule);
    }

    void table(const std::vector<Row>& rows)
    {
        const double lh = m_t.lineHeight(Role::Table);
        const double headHeight = m_t.lineHeight(Role::TableBold) + 6;
        ensure(headHeight + lh + 3);
        head();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Row& row = rows[r];
            const bool spanning = row.spanning;
            qsizetype lines = 1;
            for (const auto& cell : row.cells) lines = std::max(lines, cell.size());
            lines = std::max(lines, row.noteLines + static_cast<qsizetype>(row.subRows.size()));
            // a row moves to the next page whole when it fits there; a longer one breaks between its lines
            if (m_y + lines * lh + 3 > kBodyBottom &&
                lines * lh + 3 + headHeight <= kBodyBottom - m_out.bodyTop) {
                newPage();
                head();
            }
            for (qsizetype i = 0; i < lines; ++i) {
                if (m_y + lh + 3 > kBodyBottom) {
                    newPage();
                    head();
                    // a list's table goes on under its own heading
                    const qsizetype sub = i - row.noteLines;
                    if (!row.subRows.empty() && sub >= row.subHeadLines)
                        for (int h = 0; h < row.subHeadLines; ++h) {
                            subLine(row, static_cast<std::size_t>(h), kContentLeft + m_widths[0]);
                            m_y += lh;
                        }
                }
                double x = kContentLeft;
                if (i < row.cells[0].size())
                    text_(x + kCellPad, m_y + 2, m_widths[0] - 2 * kCellPad, row.cells[0][i], Role::Table);
                x += m_widths[0];
                if (spanning) {
                    if (i < row.noteLines)
                        text_(x + kCellPad, m_y + 2, m_widths[1] + m_widths[2] - 2 * kCellPad,
                              row.cells[1][i], Role::Table, Qt::AlignLeft, kMuted);
                    else if (i - row.noteLines < static_cast<qsizetype>(row.subRows.size()))
                        subLine(row, static_cast<std::size_t>(i - row.noteLines), x);
                } else {
                    if (i < row.cells[1].size())
                        text_(x + kCellPad, m_y + 2, m_widths[1] - 2 * kCellPad, row.cells[1][i], Role::Table,
                              Qt::AlignRight);
                    x += m_widths[1];
                    if (i < row.cells[2].size())
                        text_(x + kCellPad, m_y + 2, m_widths[2] - 2 * kCellPad, row.cells[2][i], Role::Table,
                              Qt::AlignLeft, kMuted);
                }
                m_y += lh;
            }
            m_y += 3;
            rule(m_y, r + 1 == rows.size() ? 0.8 : 0.3, r + 1 == rows.size() ? kRule : kHairline);
        }
    }

    const ReportDocument& m_doc;
    ReportPages& m_out;
    const Typesetter& m_t;
    PageOps* m_page = nullptr;
    double m_y = 0;
    double m_widths[3] = {0, 0, 0};
};

}  // namespace

void ComposeExtendedAppendix(const ReportDocument& document, ReportPages& pages)
{
    AppendixComposer(document, pages).compose();
}

}  // namespace kestra
