// Placing a report's blocks on its pages: the heading, the title, the blocks in the layout's order (a narrow
// table and its results side by side) and the signature closing the conclusions.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImageReader>
#include <optional>
#include <tuple>
#include <variant>

#include "reporting/ui/report_pages.h"

namespace kestra {

using namespace report_pages;

namespace {

// Places the blocks of a report on pages.
class Composer {
public:
    Composer(const ReportDocument& doc, ReportPages& out)
        : m_doc(doc), m_layout(doc.layout), m_out(out), m_t(out.typesetter)
    {
    }

    void compose()
    {
        composeHeading();
        newPage();
        composeTitle();
        const auto& blocks = m_layout.blocks;
        bool signed_ = false;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            // a narrow data table and the results that follow it share the width when they fit beside each
            // other
            if (i + 1 < blocks.size()) {
                const auto* table = std::get_if<DetailTableBlock>(&blocks[i]);
                const auto* results = std::get_if<ResultsBlock>(&blocks[i + 1]);
                if (table && results && placeSideBySide(*table, *results)) {
                    ++i;
                    continue;
                }
            }
            std::visit([&](const auto& b) { place(b); }, blocks[i]);
            // the signature closes the conclusions, before a table that may follow them
            if (const auto* c = std::get_if<ConclusionsBlock>(&blocks[i]);
                c && c == lastConclusions() && m_layout.signatureVisible) {
                composeSignature();
                signed_ = true;
                if (i + 1 < blocks.size()) gap();
            }
        }
        if (!signed_ && m_layout.signatureVisible) composeSignature();
    }

private:
    // --- trying a placement out: what it would add is taken back
    struct Mark {
        std::size_t pages = 0, texts = 0, lines = 0, fills = 0;
        double y = 0;
    };
    Mark mark() const
    {
        return {m_out.pages.size(), m_page->texts.size(), m_page->lines.size(), m_page->fills.size(), m_y};
    }
    void rollback(const Mark& m)
    {
        m_out.pages.resize(m.pages);
        m_page = &m_out.pages.back();
        m_page->texts.resize(m.texts);
        m_page->lines.resize(m.lines);
        m_page->fills.resize(m.fills);
        m_y = m.y;
    }
    // The height a block takes between left and right at the top of a page; nullopt when it needs more pages.
    template <typename Block>
    std::optional<double> heightOnAPage(const Block& b, double left, double right)
    {
        const Mark m = mark();
        const double savedLeft = m_left, savedRight = m_right;
        newPage();
        const std::size_t pages = m_out.pages.size();
        m_left = left;
        m_right = right;
        place(b);
        std::optional<double> h;
        if (m_out.pages.size() == pages) h = m_y - m_bodyTop;
        m_left = savedLeft;
        m_right = savedRight;
        rollback(m);
        return h;
    }

    bool placeSideBySide(const DetailTableBlock& layoutTable, const ResultsBlock& results)
    {
        DetailTableBlock table = layoutTable;
        // a table much taller than the results beside it runs down two copies, when they leave room for them
        if (table.flowColumns == 1 && m_doc.details.size() >= 12) {
            DetailTableBlock two = table;
            two.flowColumns = 2;
            if (tableWidth(two) + kFlowGap + resultsWidth(results) <= width()) table = two;
        }
        const double tableW = tableWidth(table);
        const double resultsW = resultsWidth(results);
        const double gapW = kFlowGap;
        if (tableW + gapW + resultsW > width()) return false;
        // the table keeps a fair share of the width when the results leave it
        const double split = m_left + std::max(tableW, std::min(width() * 0.42, width() - gapW - resultsW));
        const auto left = heightOnAPage(table, m_left, split);
        const auto right = heightOnAPage(results, split + gapW, m_right);
        if (!left || !right) return false;
        ensure(std::max(*left, *right));
        const double top = m_y;
        const double savedLeft = m_left, savedRight = m_right;
        m_right = split;
        place(table);
        const double bottom = m_y;
        m_y = top;
        m_left = split + gapW;
        m_right = savedRight;
        place(results);
        m_y = std::max(bottom, m_y);
        m_left = savedLeft;
        return true;
    }

    // --- primitives
    void text(double x, double y, double w, const QString& s, Role role, Qt::Alignment align = Qt::AlignLeft,
              const QColor& color = kInk)
    {
        m_page->texts.push_back({QRectF(x, y, w, m_t.lineHeight(role)), s, role, align, color});
    }
    void rule(double x1, double y, double x2, double width, const QColor& color)
    {
        m_page->lines.push_back({QLineF(x1, y, x2, y), width, color});
    }
    void fill(const QRectF& r, const QColor& color) { m_page->fills.push_back({r, color}); }

    void newPage()
    {
        m_out.pages.emplace_back();
        m_page = &m_out.pages.back();
        m_y = m_bodyTop;
    }
    bool atTop() const { return m_y <= m_bodyTop + 0.5; }
    // Starts a new page unless h fits below the current position (or nothing is on this page yet).
    void ensure(double h)
    {
        if (m_y + h > kBodyBottom && !atTop()) newPage();
    }
    QString label(const LayoutText& t) const { return q(m_layout.text(t)); }
    QString field(const std::string& name) const
    {
        return q(FieldDisplayText(m_doc.header, name, m_doc.decimalSeparator));
    }
    void gap() { m_y += kBlockGap; }
    double width() const { return m_right - m_left; }

    // A bold block heading kept together with `following` points of what comes after it.
    void heading(const LayoutText& t, double following)
    {
        const QString s = label(t);
        if (s.isEmpty()) return;
        const QStringList lines = m_t.wrap(s, Role::Heading, width());
        const double lh = m_t.lineHeight(Role::Heading);
        ensure(lines.size() * lh + 4 + following);
        for (const QString& line : lines) {
            text(m_left, m_y, width(), line, Role::Heading);
            m_y += lh;
        }
        m_y += 4;
    }

    // --- page heading: logo and company data
    void composeHeading()
    {
        const CompanyData& c = m_doc.company;
        const bool english = m_doc.language == Language::English;
        auto t = [&](int i) { return q(c.texts[static_cast<std::size_t>(i)]).trimmed(); };
        auto join = [](const QStringList& parts, const QString& sep) {
            QStringList kept;
            for (const auto& p : parts)
                if (!p.isEmpty()) kept << p;
            return kept.join(sep);
        };
        auto labelled = [](const QString& caption, const QString& value) {
            return value.isEmpty() ? QString() : caption + value;
        };
        const QString name = t(0);
        const QString email = labelled(QStringLiteral("E-mail "), t(8));
        const QString web = labelled(QStringLiteral("Web "), t(9));

        PageOps& ops = m_out.heading;
        m_page = &ops;
        double bottom = kMarginTop;
        double textLeft = kContentLeft;
        Qt::Alignment align = Qt::AlignLeft;
        if (m_layout.logo.visible && !m_doc.logoPath.empty()) {
            QImageReader reader(q(m_doc.logoPath));
            reader.setAutoTransform(true);
            m_out.logo = reader.read();
            if (!m_out.logo.isNull()) {
                m_out.logoBox = QRectF(kContentLeft, kMarginTop, m_layout.logo.widthTwips / 20.0,
                                       m_layout.logo.heightTwips / 20.0);
                bottom = m_out.logoBox.bottom();
                textLeft = m_out.logoBox.right() + 14.0;
                align = Qt::AlignRight;
            }
        }
        const double textWidth = std::max(120.0, kContentRight - textLeft);
        textLeft = kContentRight - textWidth;

        // an address is never broken (a web address would break after "https://"): the e-mail and web
        // addresses share a line when they fit on one, and one too long for a line is shortened in its middle
        struct Detail {
            QString text;
            bool address = false;
        };
        std::vector<Detail> details;
        details.push_back({join({t(3), join({t(5), t(4)}, QStringLiteral(" "))}, QStringLiteral(" - "))});
        details.push_back(
            {join({labelled(QStringLiteral("Tel. "), t(6)), labelled(QStringLiteral("Fax "), t(7))},
                  QStringLiteral("   "))});
        const QString addresses = join({email, web}, QStringLiteral("   "));
        if (m_t.width(addresses, Role::Company) <= textWidth) {
            details.push_back({addresses, true});
        } else {
            details.push_back({email, true});
            details.push_back({web, true});
        }
        details.push_back(
            {join({labelled(english ? QStringLiteral("Owner: ") : QStringLiteral("Titolare: "), t(1)),
                   labelled(english ? QStringLiteral("Chemist in charge: ")
                                    : QStringLiteral("Responsabile chimico: "),
                            t(2))},
                  QStringLiteral("   "))});

        double y = kMarginTop;
        if (!name.isEmpty()) {
            for (const QString& line : m_t.wrap(name, Role::CompanyName, textWidth)) {
                text(textLeft, y, textWidth, line, Role::CompanyName, align);
                y += m_t.lineHeight(Role::CompanyName);
            }
            y += 2;
        }
        for (const Detail& d : details) {
            if (d.text.isEmpty()) continue;
            const QStringList lines = d.address ? QStringList{m_t.elided(d.text, Role::Company, textWidth)}
                                                : m_t.wrap(d.text, Role::Company, textWidth);
            for (const QString& line : lines) {
                text(textLeft, y, textWidth, line, Role::Company, align, kMuted);
                y += m_t.lineHeight(Role::Company);
            }
        }
        bottom = std::max(bottom, y);
        if (bottom > kMarginTop) {
            bottom += 6;
            rule(kContentLeft, bottom, kContentRight, 0.8, kRule);
            m_bodyTop = bottom + 12;
        } else {
            m_bodyTop = kMarginTop;
        }
        m_out.bodyTop = m_bodyTop;
        m_page = nullptr;
    }

    void composeTitle()
    {
        for (const auto& [t, role, after] : {std::tuple{m_layout.title, Role::Title, 3.0},
                                             std::tuple{m_layout.subtitle, Role::Subtitle, 0.0}}) {
            const QString s = label(t);
            if (s.isEmpty()) continue;
            for (const QString& line : m_t.wrap(s, role, kContentWidth)) {
                text(kContentLeft, m_y, kContentWidth, line, role, Qt::AlignHCenter);
                m_y += m_t.lineHeight(role);
            }
            m_y += after;
        }
        m_y += kBlockGap;
    }

    // --- blocks
    void place(const FieldsBlock& b)
    {
        double labelWidth = 0;
        for (const auto& line : b.lines)
            labelWidth = std::max(labelWidth, m_t.width(label(line.label) + ":", Role::Label));
        labelWidth = std::min(labelWidth + 12, width() * 0.45);
        const double valueWidth = width() - labelWidth;
        const double lh = m_t.lineHeight(Role::Body);
        for (const auto& line : b.lines) {
            const QString caption = label(line.label);
            const QStringList captions =
                m_t.wrap(caption.isEmpty() ? caption : caption + ":", Role::Label, labelWidth - 8);
            const QStringList values = m_t.wrap(field(line.field), Role::BodyBold, valueWidth);
            const double h = std::max(captions.size(), values.size()) * lh + 1;
            ensure(h);
            for (qsizetype i = 0; i < captions.size(); ++i)
                text(m_left, m_y + i * lh, labelWidth, captions[i], Role::Label, Qt::AlignLeft, kMuted);
            for (qsizetype i = 0; i < values.size(); ++i)
                text(m_left + labelWidth, m_y + i * lh, valueWidth, values[i], Role::BodyBold);
            m_y += h;
        }
        gap();
    }

    // What a results block's columns measure: the widest caption, symbol and value, the count of value
    // columns, and what lines without values or with one long text value ask for.
    struct ResultsMeasure {
        std::size_t valueColumns = 0;
        double labelWidth = 0;
        double symbolWidth = 0;     // over the lines that carry values
        double anySymbolWidth = 0;  // over every shown line
        double valueWidth = 80;
        double textValue = 0;
        double labelOnly = 0;
    };
    static constexpr double kWrapped = 150;

    ResultsMeasure measure(const ResultsBlock& b) const
    {
        ResultsMeasure m;
        m.valueColumns = b.columns.size();
        for (const auto& line : b.lines) {
            if (line.hidden) continue;
            m.valueColumns = std::max(m.valueColumns, line.fields.size());
            const double symbol = m_t.width(label(line.symbol), Role::Body);
            m.anySymbolWidth = std::max(m.anySymbolWidth, symbol);
            if (line.fields.empty()) {
                m.labelOnly =
                    std::max(m.labelOnly, std::min(kWrapped, m_t.width(label(line.label), Role::BodyBold)));
                continue;
            }
            m.labelWidth = std::max(m.labelWidth, m_t.width(label(line.label), Role::Label));
            m.symbolWidth = std::max(m.symbolWidth, symbol);
            for (const auto& f : line.fields) {
                const QString v = field(f);
                if (looksNumeric(v) || v.size() <= 14)
                    m.valueWidth = std::max(m.valueWidth, m_t.width(v, Role::BodyBold) + 12);
                else if (line.fields.size() == 1)  // a text value wraps to two lines in a narrow column
                    m.textValue = std::max(m.textValue, std::min(100.0, m_t.width(v, Role::BodyBold)) + 12);
            }
            // a note goes below the values in a narrow column: it asks for no width of its own
        }
        for (const auto& c : b.columns)
            for (const QString& part : m_t.wrap(label(c), Role::TableBold, 1e6))
                m.valueWidth = std::max(m.valueWidth, m_t.width(part, Role::TableBold) + 12);
        return m;
    }

    // The width a results block needs: captions, symbols, value columns and notes; a long text value and a
    // line without values may wrap, so they ask for a moderate width only.
    double resultsWidth(const ResultsBlock& b) const
    {
        const ResultsMeasure m = measure(b);
        // captions may take two lines in a column of their own
        const double captions =
            12 + std::min(m.labelWidth, kWrapped) + 16 + (m.symbolWidth > 0 ? m.symbolWidth + 10 : 0);
        const double values = std::max(m.valueColumns * m.valueWidth, m.textValue);
        return std::max({m_t.width(label(b.heading), Role::Heading), 12 + m.labelOnly, captions + values});
    }

    void place(const ResultsBlock& b)
    {
        const ResultsMeasure m = measure(b);
        const std::size_t valueColumns = m.valueColumns;
        const double valueWidth = m.valueWidth;
        double labelWidth = m.labelWidth, symbolWidth = m.anySymbolWidth;
        const double indent = 12;
        if (symbolWidth > 0) symbolWidth += 10;
        // captions take up to half the width, or what the values leave when the block has a column of its own
        labelWidth = std::min(labelWidth + 16, std::max(width() * 0.5, width() - indent - symbolWidth -
                                                                           valueColumns * valueWidth));
        const double labelX = m_left + indent;
        const double symbolX = labelX + labelWidth;
        const double valuesX = symbolX + symbolWidth;
        const double noteX = valuesX + valueColumns * valueWidth + 10;
        const double lh = m_t.lineHeight(Role::Body);

        heading(b.heading, lh * 2);
        if (!b.columns.empty()) {
            std::vector<QStringList> captions;
            qsizetype rows = 1;
            for (const auto& c : b.columns) {
                captions.push_back(m_t.wrap(label(c), Role::TableBold, valueWidth - 4));
                rows = std::max(rows, captions.back().size());
            }
            const double clh = m_t.lineHeight(Role::TableBold);
            ensure(rows * clh + 4 + lh);
            for (std::size_t c = 0; c < captions.size(); ++c)
                for (qsizetype i = 0; i < captions[c].size(); ++i)
                    text(valuesX + c * valueWidth, m_y + i * clh, valueWidth, captions[c][i], Role::TableBold,
                         Qt::AlignRight, kMuted);
            m_y += rows * clh + 2;
            rule(valuesX, m_y, valuesX + valueColumns * valueWidth, 0.4, kHairline);
            m_y += 3;
        }
        for (const auto& line : b.lines) {
            if (line.hidden) continue;
            if (line.fields.empty()) {
                const QStringList parts = m_t.wrap(label(line.label), Role::BodyBold, width() - indent);
                ensure(parts.size() * lh + 2 + lh);
                for (const QString& p : parts) {
                    text(labelX, m_y, width() - indent, p, Role::Body, Qt::AlignLeft, kMuted);
                    m_y += lh;
                }
                m_y += 2;
                continue;
            }
            const QStringList captions = m_t.wrap(label(line.label), Role::Label, labelWidth - 8);
            qsizetype rows = captions.size();
            // A value too long for its column (a text result) takes the rest of the line.
            std::vector<QStringList> values;
            bool wide = false;
            for (const auto& f : line.fields) {
                const QString v = field(f);
                if (m_t.width(v, Role::BodyBold) > valueWidth - 6 && line.fields.size() == 1) {
                    values.push_back(m_t.wrap(v, Role::BodyBold, m_right - valuesX));
                    wide = true;
                } else {
                    values.push_back({v});
                }
                rows = std::max(rows, values.back().size());
            }
            const QString note = label(line.note);
            QStringList notes;
            if (!note.isEmpty()) {
                if (wide || m_right - noteX < 60) {
                    notes = m_t.wrap(note, Role::Body, m_right - valuesX);
                } else {
                    notes = m_t.wrap(note, Role::Body, m_right - noteX);
                    rows = std::max(rows, notes.size());
                }
            }
            const double h = rows * lh + (wide && !notes.isEmpty() ? notes.size() * lh : 0) + 3;
            ensure(h);
            for (qsizetype i = 0; i < captions.size(); ++i)
                text(labelX, m_y + i * lh, labelWidth, captions[i], Role::Label);
            if (const QString symbol = label(line.symbol); !symbol.isEmpty())
                text(symbolX, m_y, symbolWidth, symbol, Role::Body, Qt::AlignLeft, kMuted);
            for (std::size_t c = 0; c < values.size(); ++c) {
                for (qsizetype i = 0; i < values[c].size(); ++i) {
                    if (wide)
                        text(valuesX, m_y + i * lh, m_right - valuesX, values[c][i], Role::BodyBold);
                    else
                        text(valuesX + c * valueWidth, m_y + i * lh, valueWidth - 4, values[c][i],
                             Role::BodyBold, Qt::AlignRight);
                }
            }
            if (!notes.isEmpty()) {
                const bool below = wide || m_right - noteX < 60;
                const double x = below ? valuesX : noteX;
                const double y0 = below ? m_y + rows * lh : m_y;
                for (qsizetype i = 0; i < notes.size(); ++i)
                    text(x, y0 + i * lh, m_right - x, notes[i], Role::Body, Qt::AlignLeft, kMuted);
            }
            m_y += h;
        }
        gap();
    }

    void place(const TextBlock& b)
    {
        const double lh = m_t.lineHeight(Role::Body);
        heading(b.heading, lh * 2);
        for (const QString& line : m_t.wrap(label(b.text), Role::Body, width())) {
            ensure(lh);
            text(m_left, m_y, width(), line, Role::Body);
            m_y += lh;
        }
        gap();
    }

    void place(const FieldTableBlock& b)
    {
        const std::size_t columns = b.columns.size();
        double cornerWidth = m_t.width(label(b.corner), Role::TableBold);
        for (const auto& row : b.rows)
            cornerWidth = std::max(cornerWidth, m_t.width(label(row.label), Role::Table));
        cornerWidth = std::min(cornerWidth + 2 * kCellPad + 4, width() * 0.4);
        const double cellWidth = columns ? (width() - cornerWidth) / columns : 0;
        const double lh = m_t.lineHeight(Role::Table);
        const double hlh = m_t.lineHeight(Role::TableBold);

        std::vector<QStringList> captions;
        qsizetype headRows = 1;
        captions.push_back(m_t.wrap(label(b.corner), Role::TableBold, cornerWidth - 2 * kCellPad));
        for (const auto& c : b.columns)
            captions.push_back(m_t.wrap(label(c), Role::TableBold, cellWidth - 2 * kCellPad));
        for (const auto& c : captions) headRows = std::max(headRows, c.size());
        const double headHeight = headRows * hlh + 6;

        struct Row {
            QStringList label;
            std::vector<QStringList> cells;
            double height;
        };
        std::vector<Row> rows;
        double total = headHeight;
        for (const auto& r : b.rows) {
            Row row{m_t.wrap(label(r.label), Role::Table, cornerWidth - 2 * kCellPad), {}, 0};
            qsizetype n = row.label.size();
            for (const auto& f : r.fields) {
                row.cells.push_back(f.empty() ? QStringList{}
                                              : m_t.wrap(field(f), Role::Table, cellWidth - 2 * kCellPad));
                n = std::max(n, row.cells.back().size());
            }
            row.height = std::max<qsizetype>(n, 1) * lh + 3;
            total += row.height;
            rows.push_back(std::move(row));
        }
        const double hh = m_t.lineHeight(Role::Heading) + 4;
        // The table stays whole on one page when it can.
        if (total + hh <= kBodyBottom - m_bodyTop) ensure(total + hh);
        heading(b.heading, headHeight + (rows.empty() ? 0 : rows.front().height));
        auto drawHead = [&] {
            fill(QRectF(m_left, m_y, width(), headHeight), kShade);
            rule(m_left, m_y, m_right, 0.8, kRule);
            for (std::size_t c = 0; c < captions.size(); ++c) {
                const double x = c == 0 ? m_left : m_left + cornerWidth + (c - 1) * cellWidth;
                const double w = c == 0 ? cornerWidth : cellWidth;
                for (qsizetype i = 0; i < captions[c].size(); ++i)
                    text(x + kCellPad, m_y + 3 + i * hlh, w - 2 * kCellPad, captions[c][i], Role::TableBold,
                         c == 0 ? Qt::AlignLeft : Qt::AlignRight);
            }
            m_y += headHeight;
            rule(m_left, m_y, m_right, 0.5, kRule);
        };
        drawHead();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Row& row = rows[r];
            if (m_y + row.height > kBodyBottom) {
                newPage();
                drawHead();
            }
            for (qsizetype i = 0; i < row.label.size(); ++i)
                text(m_left + kCellPad, m_y + 2.5 + i * lh, cornerWidth - 2 * kCellPad, row.label[i],
                     Role::Table);
            for (std::size_t c = 0; c < row.cells.size() && c < columns; ++c)
                for (qsizetype i = 0; i < row.cells[c].size(); ++i)
                    text(m_left + cornerWidth + c * cellWidth + kCellPad, m_y + 2.5 + i * lh,
                         cellWidth - 2 * kCellPad, row.cells[c][i], Role::Table, Qt::AlignRight);
            m_y += row.height;
            rule(m_left, m_y, m_right, r + 1 == rows.size() ? 0.8 : 0.3,
                 r + 1 == rows.size() ? kRule : kHairline);
        }
        gap();
    }

    // The texts of a detail table, their alignment and the widths the columns need (before any spare width).
    struct TableCells {
        std::vector<std::vector<QString>> cells;
        std::vector<Qt::Alignment> align;
        std::vector<double> widths;
    };
    TableCells tableCells(const DetailTableBlock& b) const
    {
        const auto& cols = b.columns;
        const std::size_t n = m_doc.details.size();
        TableCells t;
        t.cells.assign(n, std::vector<QString>(cols.size()));
        t.align.assign(cols.size(), Qt::AlignLeft);
        for (std::size_t c = 0; c < cols.size(); ++c) {
            bool allIntegers = n > 0, allNumbers = n > 0;
            for (std::size_t r = 0; r < n; ++r) {
                const ReportRecord& rec = m_doc.details[r];
                const FieldValue* v = rec.find(cols[c].field);
                QString s = q(FieldDisplayText(rec, cols[c].field, m_doc.decimalSeparator));
                if (cols[c].numeric)
                    s = q(FormatDetailNumber(s.toStdString(), cols[c].decimals, m_doc.decimalSeparator));
                if (!v || !std::holds_alternative<std::int64_t>(*v)) allIntegers = false;
                if (!s.isEmpty() && !looksNumeric(s)) allNumbers = false;
                t.cells[r][c] = s;
            }
            t.align[c] = allIntegers                       ? Qt::AlignHCenter
                         : (cols[c].numeric || allNumbers) ? Qt::AlignRight
                                                           : Qt::AlignLeft;
        }
        t.widths.resize(cols.size());
        for (std::size_t c = 0; c < cols.size(); ++c) {
            double w = 36;
            for (const QString& part : m_t.wrap(label(cols[c].heading), Role::TableBold, 1e6))
                w = std::max(w, m_t.width(part, Role::TableBold));
            for (std::size_t r = 0; r < n; ++r) w = std::max(w, m_t.width(t.cells[r][c], Role::Table));
            t.widths[c] = w + 2 * kCellPad;
        }
        // A group caption needs the width of its columns together.
        for (std::size_t c = 0; c < cols.size();) {
            std::size_t end = c + 1;
            while (end < cols.size() && !cols[c].group.empty() &&
                   cols[end].group.label == cols[c].group.label &&
                   cols[end].group.fixed == cols[c].group.fixed)
                ++end;
            if (!cols[c].group.empty()) {
                double sum = 0;
                for (std::size_t k = c; k < end; ++k) sum += t.widths[k];
                const double need = m_t.width(label(cols[c].group), Role::TableBold) + 2 * kCellPad;
                if (need > sum)
                    for (std::size_t k = c; k < end; ++k) t.widths[k] += (need - sum) / (end - c);
            }
            c = end;
        }
        return t;
    }
    // The width the table needs with all its copies side by side.
    double tableWidth(const DetailTableBlock& b) const
    {
        const int flow = std::max(1, b.flowColumns);
        return copyWidthOf(tableCells(b).widths) * flow + (flow - 1) * kFlowGap;
    }

    void place(const DetailTableBlock& b)
    {
        const auto& cols = b.columns;
        const std::size_t n = m_doc.details.size();
        const int flow = std::max(1, b.flowColumns);
        if (cols.empty()) return;

        TableCells prepared = tableCells(b);
        const auto& cells = prepared.cells;
        const auto& align = prepared.align;
        std::vector<double>& widths = prepared.widths;
        // Column widths: what the texts need, then the spare width shared by the relative widths.
        const double copyWidth = (width() - (flow - 1) * kFlowGap) / flow;
        double natural = 0, weights = 0;
        for (std::size_t c = 0; c < cols.size(); ++c) {
            natural += widths[c];
            weights += std::max(0.1, cols[c].width);
        }
        const double target = natural > copyWidth ? copyWidth
                              : flow > 1          ? copyWidth
                                                  : std::min(copyWidth, std::max(natural, width() * 0.55));
        if (natural > copyWidth) {
            double kept = 0;
            for (std::size_t c = 0; c < cols.size(); ++c)
                if (cols[c].keepWidth) kept += widths[c];
            const bool keep = kept < copyWidth * 0.5;
            const double scale = keep ? (copyWidth - kept) / (natural - kept) : copyWidth / natural;
            for (std::size_t c = 0; c < cols.size(); ++c)
                if (!keep || !cols[c].keepWidth) widths[c] *= scale;
        } else {
            for (std::size_t c = 0; c < cols.size(); ++c)
                widths[c] += (target - natural) * std::max(0.1, cols[c].width) / weights;
        }

        // Heading rows: the group captions, then the column headings.
        const double hlh = m_t.lineHeight(Role::TableBold);
        const double lh = m_t.lineHeight(Role::Table);
        bool grouped = false;
        for (const auto& c : cols) grouped = grouped || !c.group.empty();
        std::vector<QStringList> headings;
        qsizetype headRows = 1;
        for (std::size_t c = 0; c < cols.size(); ++c) {
            headings.push_back(m_t.wrap(label(cols[c].heading), Role::TableBold, widths[c] - 2 * kCellPad));
            headRows = std::max(headRows, headings.back().size());
        }
        const double groupHeight = grouped ? hlh + 5 : 0;
        const double headHeight = groupHeight + headRows * hlh + 6;

        std::vector<std::vector<QStringList>> wrapped(n);
        std::vector<double> heights(n);
        for (std::size_t r = 0; r < n; ++r) {
            qsizetype lines = 1;
            for (std::size_t c = 0; c < cols.size(); ++c) {
                wrapped[r].push_back(m_t.wrap(cells[r][c], Role::Table, widths[c] - 2 * kCellPad));
                lines = std::max(lines, wrapped[r].back().size());
            }
            heights[r] = lines * lh + 3;
        }

        auto drawHead = [&](double x, double y) {
            fill(QRectF(x, y, copyWidthOf(widths), headHeight), kShade);
            rule(x, y, x + copyWidthOf(widths), 0.8, kRule);
            double cx = x;
            for (std::size_t c = 0; c < cols.size();) {
                std::size_t end = c + 1;
                while (end < cols.size() && !cols[c].group.empty() &&
                       cols[end].group.label == cols[c].group.label &&
                       cols[end].group.fixed == cols[c].group.fixed)
                    ++end;
                double span = 0;
                for (std::size_t k = c; k < end; ++k) span += widths[k];
                if (!cols[c].group.empty()) {
                    text(cx + kCellPad, y + 3, span - 2 * kCellPad, label(cols[c].group), Role::TableBold,
                         Qt::AlignHCenter);
                    rule(cx + kCellPad, y + groupHeight - 1, cx + span - kCellPad, 0.4, kRule);
                }
                cx += span;
                c = end;
            }
            cx = x;
            for (std::size_t c = 0; c < cols.size(); ++c) {
                const double top = y + groupHeight + 3 + (headRows - headings[c].size()) * hlh;
                for (qsizetype i = 0; i < headings[c].size(); ++i)
                    text(cx + kCellPad, top + i * hlh, widths[c] - 2 * kCellPad, headings[c][i],
                         Role::TableBold, align[c] == Qt::AlignLeft ? Qt::AlignLeft : align[c]);
                cx += widths[c];
            }
            rule(x, y + headHeight, x + copyWidthOf(widths), 0.5, kRule);
        };

        const double firstRow = n ? heights[0] : lh + 4;
        heading(b.heading, headHeight + firstRow * std::min<std::size_t>(3, std::max<std::size_t>(n, 1)));
        if (m_y + headHeight + firstRow > kBodyBottom) newPage();
        if (n == 0) {
            drawHead(m_left, m_y);
            m_y += headHeight;
            gap();
            return;
        }
        std::size_t next = 0;
        while (next < n) {
            const double top = m_y;
            const double room = kBodyBottom - top - headHeight;
            // Rows that fit one copy of the table on this page; the last page balances its copies.
            std::size_t fit = 0;
            for (double used = 0; next + fit < n && used + heights[next + fit] <= room; ++fit)
                used += heights[next + fit];
            if (fit == 0) {
                if (atTop())
                    fit = 1;  // a row taller than a page is still printed
                else {
                    newPage();
                    continue;
                }
            }
            const std::size_t remaining = n - next;
            std::size_t perCopy = fit;
            if (remaining <= fit * static_cast<std::size_t>(flow))
                perCopy = (remaining + flow - 1) / static_cast<std::size_t>(flow);
            double bottom = top;
            for (int copy = 0; copy < flow && next < n; ++copy) {
                const double x = m_left + copy * (copyWidth + kFlowGap);
                drawHead(x, top);
                double y = top + headHeight;
                const std::size_t end = std::min(n, next + perCopy);
                for (std::size_t r = next; r < end; ++r) {
                    double cx = x;
                    for (std::size_t c = 0; c < cols.size(); ++c) {
                        const bool repeat =
                            cols[c].suppressRepeats && r > next && cells[r][c] == cells[r - 1][c];
                        if (!repeat)
                            for (qsizetype i = 0; i < wrapped[r][c].size(); ++i)
                                text(cx + kCellPad, y + 2 + i * lh, widths[c] - 2 * kCellPad,
                                     wrapped[r][c][i], Role::Table, align[c]);
                        cx += widths[c];
                    }
                    y += heights[r];
                    rule(x, y, x + copyWidthOf(widths), r + 1 == end ? 0.8 : 0.3,
                         r + 1 == end ? kRule : kHairline);
                }
                next = end;
                bottom = std::max(bottom, y);
            }
            m_y = bottom;
            if (next < n) newPage();
        }
        gap();
    }

    static double copyWidthOf(const std::vector<double>& widths)
    {
        double sum = 0;
        for (double w : widths) sum += w;
        return sum;
    }

    void place(const ConclusionsBlock& b)
    {
        const double lh = m_t.lineHeight(Role::Body);
        // The lines as the window shows them: the paragraphs keep their blank lines.
        QStringList lines = m_t.wrap(field(b.field), Role::Body, width() - 12);
        while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
        const bool last = &b == lastConclusions();
        const double tail = last ? signatureHeight() : 0;
        // The conclusions and the signature that closes them are never parted: they move to the next page
        // together when they must. One longer than a page keeps its last lines with the signature.
        const double whole = m_t.lineHeight(Role::Heading) + 4 + lines.size() * lh + tail;
        if (whole <= kBodyBottom - m_bodyTop) ensure(whole);
        heading(b.heading, lh * 3);
        const qsizetype kept = std::min<qsizetype>(lines.size(), 4);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (last && i == lines.size() - kept)
                ensure(kept * lh + tail);
            else
                ensure(lh);
            if (!lines[i].isEmpty()) text(m_left + 12, m_y, width() - 12, lines[i], Role::Body);
            m_y += lh;
        }
        // the signature follows at once
        if (!last) gap();
    }

    // The conclusions the signature follows: the last of the layout (a long table may come after them).
    const ConclusionsBlock* lastConclusions() const
    {
        for (auto it = m_layout.blocks.rbegin(); it != m_layout.blocks.rend(); ++it)
            if (const auto* c = std::get_if<ConclusionsBlock>(&*it)) return c;
        return nullptr;
    }

    QString signatureName() const { return q(m_doc.company.texts[2]).trimmed(); }
    // The chemist's role, name and the line to sign on.
    double handSignatureHeight() const
    {
        return 6 + m_t.lineHeight(Role::Body) * (signatureName().isEmpty() ? 1 : 2) + 22;
    }
    double signatureHeight() const
    {
        const auto electronic = electronicSignatureLines();
        const double above = electronic.empty() ? 0 : 6 + electronic.size() * m_t.lineHeight(Role::Body);
        return above + handSignatureHeight();
    }

    // The study file's electronic signatures over the whole width, wrapped: a signature's line plain, the
    // text saying it no longer holds in bold; or, in their place, why they could not be read.
    std::vector<std::pair<QString, Role>> electronicSignatureLines() const
    {
        std::vector<std::pair<QString, Role>> lines;
        auto add = [&](const QString& paragraph, Role role) {
            for (const QString& line : m_t.wrap(paragraph, role, kContentWidth)) lines.emplace_back(line, role);
        };
        for (const std::string& signature : m_doc.signatures) {
            const QStringList parts = q(signature).split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < parts.size(); ++i) add(parts[i], i == 0 ? Role::Body : Role::BodyBold);
        }
        if (!m_doc.signaturesFault.empty()) {
            const bool english = m_doc.language == Language::English;
            add((english ? QStringLiteral("Electronic signatures not verified: the audit trail cannot be read (%1).")
                         : QStringLiteral("Firme elettroniche non verificate: il registro delle modifiche non si "
                                          "può leggere (%1)."))
                    .arg(q(m_doc.signaturesFault)),
                Role::BodyBold);
        }
        return lines;
    }

    // The signature of the chemist in charge closes the report, below the file's electronic signatures.
    void composeSignature()
    {
        const bool english = m_doc.language == Language::English;
        const QString role =
            english ? QStringLiteral("The chemist in charge") : QStringLiteral("Il responsabile chimico");
        const QString name = signatureName();
        const double lh = m_t.lineHeight(Role::Body);
        const double width = 200;
        const double x = kContentRight - width;
        ensure(signatureHeight());
        if (const auto electronic = electronicSignatureLines(); !electronic.empty()) {
            m_y += 6;
            // a list longer than a page runs on over the next
            for (const auto& [line, style] : electronic) {
                ensure(lh);
                text(kContentLeft, m_y, kContentWidth, line, style);
                m_y += lh;
            }
            ensure(handSignatureHeight());
        }
        m_y += 6;
        text(x, m_y, width, role, Role::Body, Qt::AlignHCenter, kMuted);
        m_y += lh;
        if (!name.isEmpty()) {
            text(x, m_y, width, m_t.wrap(name, Role::Body, width).value(0), Role::Body, Qt::AlignHCenter);
            m_y += lh;
        }
        m_y += 22;
        rule(x + 10, m_y, kContentRight - 10, 0.5, kInk);
    }

    const ReportDocument& m_doc;
    const ReportLayout& m_layout;
    ReportPages& m_out;
    const Typesetter& m_t;
    PageOps* m_page = nullptr;
    double m_bodyTop = kMarginTop;
    double m_y = 0;
    // the column blocks are placed in: the whole width, or one side of two blocks placed side by side
    double m_left = kContentLeft;
    double m_right = kContentRight;
};

}  // namespace

void ComposeReport(const ReportDocument& document, ReportPages& pages)
{
    Composer(document, pages).compose();
    if (document.extendedAppendix) ComposeExtendedAppendix(document, pages);
}

}  // namespace kestra
