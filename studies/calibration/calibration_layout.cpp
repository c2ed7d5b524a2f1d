// CRTara: the report layout of the calibration (linearity) study.
#include "reporting/report_layout.h"
#include "studies/calibration/calibration_study.h"

namespace kestra {

ReportLayout BuildCalibrationLayout(const Study& study)
{
    const auto& calibration = dynamic_cast<const CalibrationStudy&>(study);

    ReportLayout l;
    l.name = "CRTara";
    l.headerTable = "Tara";
    l.detailTable = "TaraTabella";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "TARATURA"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblUM", "U.M. della conc. dell'analita"},
        {"lblRisultati", "Risultati:"},
        {"lblProporzionalita", "Proporzionalità"},
        {"lblRetta", "Dati della retta di regressione"},
        {"lblAnova", "LINEARITA': Analisi della varianza"},
        {"lblDevianza", "Devianza"},
        {"lblGdL", "GdL"},
        {"lblVarianza", "Varianza"},
        {"lblVariazione", "Variazione"},
        {"lblSignif", "Signif. (0,05%)"},
        {"lblRegressione", "Regressione"},
        {"lblCurvatura", "Curvatura"},
        {"lblErrore", "Errore"},
        {"lblTotali", "Totali"},
        {"lblValori", "Valori"},
        {"lblConcentrazione", "Concentrazione"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Taratura"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "CALIBRATION",
        "Analytical method",
        "Analyte",
        "Sample",
        "Measure unit of the analyte conc.",
        "Results:",
        "Proportionality",
        "Data of a regression line",
        "LINEARITY: AN.O.VA.",
        "Deviance",
        "DF",
        "Variance",
        "Variation",
        "Significance (0,05%)",
        "Regression",
        "Curvature",
        "Error",
        "Totals",
        "Values",
        "Concentration",
        "Conclusions:",
        "Calibration",
    };
    AddStudyHeading(l, /*withUnit=*/true);

    // the measured values, level by level; the two numeric fields take the grid's decimals
    const int decimals = calibration.grid().format().decimals;
    DetailTableBlock table;
    table.columns.push_back({.heading = Label("lblConcentrazione"),
                             .field = "CONC",
                             .numeric = true,
                             .decimals = decimals,
                             .suppressRepeats = true});
    table.columns.push_back(
        {.heading = Label("lblValori"), .field = "VALORE", .numeric = true, .decimals = decimals});
    // long studies run down side-by-side copies of the table instead of page after page of one column
    const int count = calibration.totalCount();
    table.flowColumns = count > 60 ? 3 : count > 20 ? 2 : 1;
    l.blocks.push_back(std::move(table));

    // the symbols read the same in both languages
    ResultsBlock results;
    results.heading = Label("lblRisultati");
    results.lines.push_back({.label = Label("lblRetta")});
    results.lines.push_back({.label = Fixed("r ="), .fields = {"R"}});
    results.lines.push_back({.label = Fixed("a ="), .fields = {"A"}});
    results.lines.push_back({.label = Fixed("b ="), .fields = {"B"}});
    results.lines.push_back({.label = Fixed("Sa ="), .fields = {"SA"}});
    results.lines.push_back({.label = Fixed("Sb ="), .fields = {"SB"}});
    results.lines.push_back({.label = Label("lblProporzionalita")});
    results.lines.push_back({.label = Fixed("a+ts(a) ="), .fields = {"PROP1"}});
    results.lines.push_back({.label = Fixed("a-ts(a) ="), .fields = {"PROP2"}});
    l.blocks.push_back(std::move(results));

    FieldTableBlock anova;
    anova.heading = Label("lblAnova");
    anova.corner = Label("lblVariazione");
    anova.columns = {Label("lblDevianza"), Label("lblGdL"), Label("lblVarianza"), Fixed("F"),
                     Label("lblSignif")};
    anova.rows = {
        {Label("lblRegressione"), {"REG_DEV", "REG_GDL", "REG_VAR", "REG_F", "REG_FT"}},
        {Label("lblCurvatura"), {"CUR_DEV", "CUR_GDL", "CUR_VAR", "CUR_F", "CUR_FT"}},
        {Label("lblErrore"), {"ERR_DEV", "ERR_GDL", "ERR_VAR", "", ""}},
        {Label("lblTotali"), {"TOT_DEV", "TOT_GDL", "", "", ""}},
    };
    l.blocks.push_back(std::move(anova));

    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    return l;
}

}  // namespace kestra
