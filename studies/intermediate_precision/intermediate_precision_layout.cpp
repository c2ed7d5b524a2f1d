// CRPrin and CRRipr: the report layouts of the intermediate precision and reproducibility studies. They share
// their design; reproducibility adds the reproducibility standard deviation and the precision.
#include "reporting/report_layout.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"

namespace kestra {

namespace {

// Results block: the standard deviations (and for reproducibility the combined one and the precision).
ResultsBlock resultLines(bool reproducibility)
{
    ResultsBlock results;
    results.heading = Label("lblRisultati");
    // a text result; here rather than among the descriptive fields, whose captions get a colon of their own
    results.lines.push_back({.label = Label("lblRisDiversi"), .fields = {"RISDIVERSI"}});
    results.lines.push_back({.label = Label("lblSTrat"),
                             .fields = {"STRAT"},
                             .symbol = Label("lblSimboloTrat"),
                             .note = Label("lblStima")});
    results.lines.push_back({.label = Label("lblSErr"), .fields = {"SERR"}});
    if (reproducibility) {
        results.lines.push_back(
            {.label = Label("lblSRipr"), .fields = {"SRIPR"}, .symbol = Label("lblSimboloRipr")});
        results.lines.push_back({.label = Label("lblPrecisione"),
                                 .fields = {"PRECISIONE"},
                                 .symbol = Fixed("P %"),
                                 .note = Label("lblComeRipr")});
    }
    return results;
}

FieldTableBlock aovTable()
{
    FieldTableBlock table;
    table.heading = Label("lblAnova");
    table.corner = Label("lblVariazione");
    // F and Ft read the same in both languages
    table.columns = {Label("lblDevianza"), Label("lblGdL"), Label("lblVarianza"), Fixed("F"), Fixed("Ft")};
    table.rows = {
        {Label("lblTratt"), {"TRA_DEV", "TRA_GDL", "TRA_VAR", "TRA_F", "TRA_FT"}},
        {Label("lblErrore"), {"ERR_DEV", "ERR_GDL", "ERR_VAR", "", ""}},
        {Label("lblTotali"), {"TOT_DEV", "TOT_GDL", "", "", ""}},
    };
    return table;
}

DetailTableBlock dataTable(const IntermediatePrecisionStudy& study)
{
    const int decimals = study.grid().format().decimals;
    DetailTableBlock table;
    table.columns.push_back(
        {.heading = Label("lblSerie"), .field = "SERIE", .suppressRepeats = true, .width = 0.6});
    table.columns.push_back(
        {.heading = Label("lblValori"), .field = "VALORE", .numeric = true, .decimals = decimals});
    table.columns.push_back({.heading = Label("lblMedia"),
                             .field = "MEDIA",
                             .numeric = true,
                             .decimals = decimals,
                             .suppressRepeats = true});
    // long studies run down side-by-side copies of the table instead of page after page of one column
    const int count = study.totalCount();
    table.flowColumns = count > 60 ? 3 : count > 20 ? 2 : 1;
    return table;
}

void addCommonBlocks(ReportLayout& l, const IntermediatePrecisionStudy& study)
{
    AddStudyHeading(l, /*withUnit=*/true);
    l.blocks.push_back(dataTable(study));
    l.blocks.push_back(resultLines(study.config().fixedLaboratories));
    l.blocks.push_back(aovTable());
    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    // the note tells that sb was estimated from the series means; without the estimate it prints empty
    if (!study.estimatedFromMeans()) l.blankLabel("lblStima");
}

ReportLayout intermediatePrecisionLayout()
{
    ReportLayout l;
    l.name = "CRPrin";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "PRECISIONE INTERMEDIA"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblUM", "U.M. della conc. dell'analita"},
        {"lblRisultati", "Risultati:"},
        {"lblRisDiversi", "Risultati ottenuti da:"},
        {"lblSTrat", "Deviazione std. tra serie"},
        {"lblStima", "(stima sulle medie)"},
        {"lblSErr", "Deviazione std. tra analisi"},
        {"lblSimboloTrat", "s trat"},
        {"lblAnova", "PRECISIONE INTERMEDIA: Analisi della varianza"},
        {"lblDevianza", "Devianza"},
        {"lblGdL", "GdL"},
        {"lblVarianza", "Varianza"},
        {"lblVariazione", "Variazione"},
        {"lblTratt", "Tratt. (tra le serie)"},
        {"lblErrore", "Errore (in ogni serie)"},
        {"lblTotali", "Totali"},
        {"lblValori", "Valori"},
        {"lblSerie", "Serie"},
        {"lblMedia", "Media"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Precisione intermedia"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "INTERMEDIATE PRECISION",
        "Analytical method",
        "Analyte",
        "Sample",
        "Measure unit of the analyte conc.",
        "Results:",
        "Results obtained from:",
        "Std Dev between series",
        "(means assessment)",
        "Std Dev between analysis",
        "s trat",
        "INTERMEDIATE PRECISION: AN.O.VA.",
        "Deviance",
        "DF",
        "Variance",
        "Variation",
        "Treatments (btn series)",
        "Error (in every series)",
        "Totals",
        "Values",
        "Series",
        "Mean",
        "Conclusions:",
        "Intermediate precision",
    };
    return l;
}

ReportLayout reproducibilityLayout()
{
    ReportLayout l;
    l.name = "CRRipr";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "RIPRODUCIBILITA'"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblUM", "U.M. della conc. dell'analita"},
        {"lblRisultati", "Risultati:"},
        {"lblRisDiversi", "Risultati ottenuti da:"},
        {"lblSTrat", "Deviazione standard tra serie"},
        {"lblStima", "(stima sulle medie)"},
        {"lblSErr", "Deviazione standard tra analisi"},
        {"lblPrecisione", "Precisione"},
        {"lblComeRipr", "(come riproducibilità)"},
        {"lblSRipr", "Deviazione standard di riproducibilità"},
        {"lblSimboloRipr", "s ripr"},
        {"lblSimboloTrat", "s trat"},
        {"lblAnova", "RIPRODUCIBILITA': Analisi della varianza"},
        {"lblDevianza", "Devianza"},
        {"lblGdL", "GdL"},
        {"lblVarianza", "Varianza"},
        {"lblVariazione", "Variazione"},
        {"lblTratt", "Tratt. (tra le serie)"},
        {"lblErrore", "Errore (in ogni serie)"},
        {"lblTotali", "Totali"},
        {"lblValori", "Valori"},
        {"lblSerie", "Serie"},
        {"lblMedia", "Media"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Riproducibilità"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "REPRODUCIBILITY",
        "Analytical method",
        "Analyte",
        "Sample",
        "Measure unit of the analyte conc.",
        "Results:",
        "Results obtained from:",
        "Standard deviation between series",
        "(means assessment)",
        "Standard deviation between analysis",
        "Precision",
        "(like reproducibility)",
        "Reproducibility standard deviation",
        "s ripr",
        "s trat",
        "REPRODUCIBILITY: AN.O.VA.",
        "Deviance",
        "DF",
        "Variance",
        "Variation",
        "Treatments (btn series)",
        "Error (in every series)",
        "Totals",
        "Values",
        "Series",
        "Mean",
        "Conclusions:",
        "Reproducibility",
    };
    return l;
}

}  // namespace

ReportLayout BuildIntermediatePrecisionLayout(const Study& study)
{
    const auto& series = dynamic_cast<const IntermediatePrecisionStudy&>(study);
    ReportLayout l =
        series.config().fixedLaboratories ? reproducibilityLayout() : intermediatePrecisionLayout();
    l.headerTable = series.config().headerTable;
    l.detailTable = series.config().detailTable;
    addCommonBlocks(l, series);
    return l;
}

}  // namespace kestra
