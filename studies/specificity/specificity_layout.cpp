// CRSpec: the report layout of the specificity study.
#include "reporting/report_layout.h"
#include "studies/specificity/specificity_study.h"

namespace kestra {

namespace {

// More results than this in either group switch the data table to its long form.
constexpr int kLongTableThreshold = 8;

}  // namespace

ReportLayout BuildSpecificityLayout(const Study& study)
{
    const auto& spec = dynamic_cast<const SpecificityStudy&>(study);

    ReportLayout l;
    l.name = "CRSpec";
    l.headerTable = "Spec";
    l.detailTable = "SpecTabella";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "SPECIFICITA'"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblGruppoA", "Gruppo A"},
        {"lblDescrA",
         "Risultati ottenuti nella determinazione dell'analita in presenza di altre sostanze (prodotti di "
         "degradazione, impurezze di sintesi, eccipienti, ...)"},
        {"lblGruppoB", "Gruppo B"},
        {"lblDescrB",
         "Risultati ottenuti nella determinazione dell'analita in assenza di altre sostanze (prodotti di "
         "degradazione, impurezze di sintesi, eccipienti, ...)"},
        {"lblRisultati", "Risultati:"},
        {"lblColB", "Gruppo B\rRisultati"},
        {"lblDati", "Dati"},
        {"lblColA", "Gruppo A\rRisultati"},
        {"lblMedia", "Media"},
        {"lblLimiti", "Limiti di confidenza della media:"},
        {"lblGdL", "GdL"},
        {"lblInferiore", "Inferiore"},
        {"lblSuperiore", "Superiore"},
        {"lblResB", "Gruppo B"},
        {"lblResA", "Gruppo A"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Specificità"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "SPECIFICITY",
        "Analytical method",
        "Analyte",
        "Sample",
        "Group A",
        "Results obtained in the determination of the analyte in presence of other substances (products of "
        "degradation, impurities of synthesis, excipients...)",
        "Group B",
        "Results obtained in the determination of the analyte in absence of other substances (products of "
        "degradation, impurities of synthesis, excipients...)",
        "Results:",
        "Group B\rResults",
        "Data",
        "Group A\rResults",
        "Mean",
        "Confidence limits for the mean:",
        "DF",
        "Lower",
        "Higher",
        "Group B",
        "Group A",
        "Conclusions:",
        "Specificity",
    };
    AddStudyHeading(l, /*withUnit=*/false);
    l.blocks.push_back(TextBlock{Label("lblGruppoA"), Label("lblDescrA")});
    l.blocks.push_back(TextBlock{Label("lblGruppoB"), Label("lblDescrB")});

    const int decimals = spec.grid().format().decimals;
    DetailTableBlock table;
    table.columns.push_back({.heading = Label("lblDati"), .field = "NDATI", .width = 0.6});
    table.columns.push_back(
        {.heading = Label("lblColA"), .field = "COLA", .numeric = true, .decimals = decimals, .width = 1.4});
    table.columns.push_back(
        {.heading = Label("lblColB"), .field = "COLB", .numeric = true, .decimals = decimals, .width = 1.4});
    if (spec.groupSize(SpecificityStudy::kGroupA) > kLongTableThreshold ||
        spec.groupSize(SpecificityStudy::kGroupB) > kLongTableThreshold)
        table.flowColumns = 2;
    l.blocks.push_back(std::move(table));

    ResultsBlock results;
    results.heading = Label("lblRisultati");
    results.columns = {Label("lblResA"), Label("lblResB")};
    results.lines.push_back({.label = Label("lblMedia"), .fields = {"MEDIAA", "MEDIAB"}});
    results.lines.push_back({.label = Label("lblLimiti")});
    results.lines.push_back({.label = Label("lblInferiore"), .fields = {"LIMCONFINFA", "LIMCONFINFB"}});
    results.lines.push_back({.label = Label("lblSuperiore"), .fields = {"LIMCONFSUPA", "LIMCONFSUPB"}});
    // the statistics' own symbols read the same in both languages
    results.lines.push_back({.label = Fixed("s²"), .fields = {"S2A", "S2B"}});
    results.lines.push_back({.label = Fixed("F"), .fields = {"F"}});
    results.lines.push_back({.label = Label("lblGdL"), .fields = {"GDL"}});
    results.lines.push_back({.label = Fixed("t"), .fields = {"T"}});
    results.lines.push_back({.label = Fixed("P"), .fields = {"P"}});
    results.lines.push_back({.label = LayoutText{}, .fields = {"GIUDIZIO"}});
    l.blocks.push_back(std::move(results));

    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    return l;
}

}  // namespace kestra
