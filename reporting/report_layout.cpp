#include "reporting/report_layout.h"

#include <algorithm>
#include <type_traits>

namespace kestra {

namespace {

template <class Visit>
void forEachText(const ReportLayout& layout, Visit&& visit)
{
    visit(layout.title);
    visit(layout.subtitle);
    visit(layout.shortName);
    for (const auto& block : layout.blocks) {
        std::visit(
            [&](const auto& b) {
                using B = std::decay_t<decltype(b)>;
                if constexpr (std::is_same_v<B, FieldsBlock>) {
                    for (const auto& line : b.lines) visit(line.label);
                } else if constexpr (std::is_same_v<B, ResultsBlock>) {
                    visit(b.heading);
                    for (const auto& c : b.columns) visit(c);
                    for (const auto& line : b.lines) {
                        visit(line.label);
                        visit(line.symbol);
                        visit(line.note);
                    }
                } else if constexpr (std::is_same_v<B, TextBlock>) {
                    visit(b.heading);
                    visit(b.text);
                } else if constexpr (std::is_same_v<B, FieldTableBlock>) {
                    visit(b.heading);
                    visit(b.corner);
                    for (const auto& c : b.columns) visit(c);
                    for (const auto& row : b.rows) visit(row.label);
                } else if constexpr (std::is_same_v<B, DetailTableBlock>) {
                    visit(b.heading);
                    for (const auto& c : b.columns) {
                        visit(c.heading);
                        visit(c.group);
                    }
                } else if constexpr (std::is_same_v<B, ConclusionsBlock>) {
                    visit(b.heading);
                }
            },
            block);
    }
}

}  // namespace

void ReportLayout::addLabel(std::string key, std::string italian)
{
    if (key.empty() || hasLabel(key))
        throw ReportLayoutError(name + ": etichetta doppia o senza nome \"" + key + "\"");
    m_labels.push_back({std::move(key), std::move(italian), false});
}

void ReportLayout::addLabels(std::initializer_list<LayoutLabel> labels)
{
    for (const auto& l : labels) addLabel(l.key, l.text);
}

bool ReportLayout::hasLabel(const std::string& key) const
{
    return std::any_of(m_labels.begin(), m_labels.end(), [&](const LayoutLabel& l) { return l.key == key; });
}

LayoutLabel& ReportLayout::labelFor(const std::string& key)
{
    for (auto& l : m_labels)
        if (l.key == key) return l;
    throw ReportLayoutError(name + ": etichetta sconosciuta \"" + key + "\"");
}

void ReportLayout::setLabelText(const std::string& key, std::string text)
{
    labelFor(key).text = std::move(text);
}

void ReportLayout::blankLabel(const std::string& key)
{
    labelFor(key).blank = true;
}

std::string ReportLayout::text(const LayoutText& t) const
{
    if (t.label.empty()) return t.fixed;
    for (const auto& l : m_labels)
        if (l.key == t.label) return l.blank ? std::string() : l.text;
    throw ReportLayoutError(name + ": etichetta sconosciuta \"" + t.label + "\"");
}

void ReportLayout::replaceLabelTexts(const std::vector<std::string>& texts)
{
    if (texts.size() != m_labels.size())
        throw ReportLayoutError(name + ": " + std::to_string(texts.size()) + " testi per " +
                                std::to_string(m_labels.size()) + " etichette");
    for (std::size_t i = 0; i < texts.size(); ++i) m_labels[i].text = texts[i];
}

void ReportLayout::validate() const
{
    forEachText(*this, [&](const LayoutText& t) {
        if (!t.label.empty() && !hasLabel(t.label))
            throw ReportLayoutError(name + ": etichetta sconosciuta \"" + t.label + "\"");
    });
    if (englishLabels.size() != m_labels.size())
        throw ReportLayoutError(name + ": " + std::to_string(englishLabels.size()) + " testi inglesi per " +
                                std::to_string(m_labels.size()) + " etichette");
}

void AddStudyHeading(ReportLayout& layout, bool withUnit)
{
    layout.title = Label("lblTitolo");
    layout.subtitle = Label("lblTest");
    if (layout.hasLabel("lblNomeReport")) layout.shortName = Label("lblNomeReport");
    FieldsBlock fields{{
        {Label("lblMetodo"), "METODO"},
        {Label("lblAnalita"), "ANALITA"},
        {Label("lblCampione"), "CAMPIONE"},
    }};
    if (withUnit) fields.lines.push_back({Label("lblUM"), "UM"});
    layout.blocks.push_back(std::move(fields));
}

DetailTableBlock MeasurementTable(int decimals)
{
    DetailTableBlock table;
    table.columns.push_back({.heading = Label("lblDati"), .field = "NDATI"});
    table.columns.push_back({.heading = Label("lblRisultati"),
                             .field = "COLA",
                             .numeric = true,
                             .decimals = decimals,
                             .width = 1.6});
    return table;
}

}  // namespace kestra
