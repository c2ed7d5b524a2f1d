// Report layouts: the declarative description of a printed study report (label objects, fields, tables,
// options).
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace kestra {

class Study;

// A layout that cannot be used as described (an unknown label key, an English list of the wrong length).
class ReportLayoutError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The logo box limits of every report, in twips.
constexpr int kMaxLogoHeightTwips = 1425;
constexpr int kMaxLogoWidthTwips = 5700;

// A text placed on the layout: one of its label objects (by key), or a fixed text that prints the same in
// both languages (column headings such as "F" and "Ft").
struct LayoutText {
    std::string label{};  // key of a label object
    std::string fixed{};  // used when label is empty
    bool empty() const { return label.empty() && fixed.empty(); }
};
inline LayoutText Label(std::string key)
{
    return {std::move(key), {}};
}
inline LayoutText Fixed(std::string text)
{
    return {{}, std::move(text)};
}

// A label object: its key, its text (the layout's own Italian text until the English list replaces it).
// A label the study switched off prints empty in either language.
struct LayoutLabel {
    std::string key{};
    std::string text{};
    bool blank = false;
};

// --- blocks, printed top to bottom in the order of ReportLayout::blocks

// Descriptive fields: one "label: value" line each.
struct FieldLine {
    LayoutText label{};
    std::string field{};  // header table field
};
struct FieldsBlock {
    std::vector<FieldLine> lines{};
};

// A result: caption, optional symbol, one value per value column, optional note after the values.
// A line with no fields is a sub-heading ("Limiti di confidenza della media:").
struct ResultLine {
    LayoutText label{};
    std::vector<std::string> fields{};
    LayoutText symbol{};  // short symbol printed before the values ("s trat")
    LayoutText note{};    // remark printed after the values ("(stima delle medie)")
    bool hidden = false;
};
struct ResultsBlock {
    LayoutText heading{};
    std::vector<LayoutText> columns{};  // captions above the value columns; none for a single column
    std::vector<ResultLine> lines{};
};

// Running text that wraps (a description of a group, a remark).
struct TextBlock {
    LayoutText heading{};  // bold, may be empty
    LayoutText text{};
};

// A table whose cells are header fields, e.g. an analysis of variance.
struct FieldTableRow {
    LayoutText label{};
    std::vector<std::string> fields{};  // "" leaves the cell empty
};
struct FieldTableBlock {
    LayoutText heading{};
    LayoutText corner{};                // caption of the row-label column
    std::vector<LayoutText> columns{};  // captions of the value columns
    std::vector<FieldTableRow> rows{};
};

// A column of the detail table.
struct DetailColumn {
    LayoutText heading{};  // a "\n" or "\r" in the text breaks the heading
    std::string field{};   // detail table field
    bool numeric = false;  // printed as a number with `decimals` decimals and the user's separator
    int decimals = 0;
    LayoutText group{};            // caption spanning the following columns with the same group
    bool suppressRepeats = false;  // printed only where it differs from the row above (series, mean)
    double width = 1.0;            // relative width
    bool keepWidth = false;        // keeps the width its texts need when the table must be narrowed
};
// The detail table: one printed row per detail record, flowing over pages with its headings repeated.
struct DetailTableBlock {
    LayoutText heading{};
    std::vector<DetailColumn> columns{};
    int flowColumns = 1;  // the long-table option: rows run down this many side-by-side copies of the table
};

// The conclusions: heading and the long text field.
struct ConclusionsBlock {
    LayoutText heading{};
    std::string field = "CONCLUSIONI";
};

using LayoutBlock =
    std::variant<FieldsBlock, ResultsBlock, TextBlock, FieldTableBlock, DetailTableBlock, ConclusionsBlock>;

// The logo section of the page heading.
struct LogoSection {
    std::string section = "Section1";
    std::string picture = "Picture1";
    bool visible = true;
    int heightTwips = kMaxLogoHeightTwips;
    int widthTwips = kMaxLogoWidthTwips;
};

class ReportLayout {
public:
    std::string name{};         // "CRLimi"
    std::string headerTable{};  // "Limi"
    std::string detailTable{};  // "LimiTabella"
    LayoutText title{};
    LayoutText subtitle{};
    LayoutText shortName{};  // printed at the foot of every page
    std::vector<LayoutBlock> blocks{};
    LogoSection logo;
    bool printDateVisible = false;  // the print-date field
    bool signatureVisible =
        true;  // the chemist's signature closing the report (a dossier's own pages sign apart)
    // The English texts of the label objects, one for one in the order of labels().
    std::vector<std::string> englishLabels{};

    // Label objects in their fixed order. Keys are unique.
    void addLabel(std::string key, std::string italian);
    void addLabels(std::initializer_list<LayoutLabel> labels);
    const std::vector<LayoutLabel>& labels() const { return m_labels; }
    bool hasLabel(const std::string& key) const;
    void setLabelText(const std::string& key, std::string text);
    void blankLabel(const std::string& key);
    // The printed text: the label's text ("" when blanked) or the fixed text.
    std::string text(const LayoutText& t) const;

    // Replaces the label texts one for one, in order; the count must match.
    void replaceLabelTexts(const std::vector<std::string>& texts);

    // Every label key the blocks use exists, and the English list has one text per label.
    void validate() const;

    template <class Block>
    Block* findBlock()
    {
        for (auto& b : blocks)
            if (auto* p = std::get_if<Block>(&b)) return p;
        return nullptr;
    }

private:
    LayoutLabel& labelFor(const std::string& key);
    std::vector<LayoutLabel> m_labels{};
};

// What every study's first page opens with: the title, subtitle and short-name labels ("lblTitolo",
// "lblTest", "lblNomeReport" when the layout has it) and the descriptive fields block (method, analyte,
// sample, and the unit when the study has one).
void AddStudyHeading(ReportLayout& layout, bool withUnit);

// The table of one column of measurements: their number ("lblDati", NDATI) and value ("lblRisultati", COLA).
DetailTableBlock MeasurementTable(int decimals);

// The layout of a study as the print command prepares it: the study's own description with its
// print-time settings (decimals of the numeric detail columns, the long-table option, captions that
// depend on the study's data). Throws ReportLayoutError for a kind without a layout.
ReportLayout BuildLayout(const Study& study);

}  // namespace kestra
