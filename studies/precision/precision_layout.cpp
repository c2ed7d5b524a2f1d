// CRPrec: the report layout of the precision (repeatability) study.
#include "reporting/report_layout.h"
#include "studies/precision/precision_study.h"

namespace kestra {

namespace {

// The long table: more than 15 results run down side-by-side copies of the data table.
constexpr int kLongTableFlowColumns = 3;

}  // namespace

ReportLayout BuildPrecisionLayout(const Study& study)
{
    const auto& precision = dynamic_cast<const PrecisionStudy&>(study);

    ReportLayout l;
    l.name = "CRPrec";
    l.headerTable = "Prec";
    l.detailTable = "PrecTabella";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "PRECISIONE"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblDati", "Dati"},
        {"lblRisultati", "Risultati"},
        {"lblElaborazione", "Risultato dell'elaborazione:"},
        {"lblMedia", "Media"},
        {"lblStDev", "Dev. standard"},
        {"lblGdL", "GdL"},
        {"lblLimiti", "Limiti di confidenza della media:"},
        {"lblInferiore", "Inferiore"},
        {"lblSuperiore", "Superiore"},
        {"lblIntervallo", "Intervallo di confidenza"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Precisione"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "PRECISION",
        "Analytical method",
        "Analyte",
        "Sample",
        "Data",
        "Results",
        "Results:",
        "Mean",
        "Standard dev.",
        "DF",
        "Confidence limits for the mean:",
        "Lower",
        "Higher",
        "Confidence interval",
        "Conclusions:",
        "Precision",
    };
    AddStudyHeading(l, /*withUnit=*/false);

    DetailTableBlock table = MeasurementTable(precision.grid().format().decimals);
    if (precision.longTable()) table.flowColumns = kLongTableFlowColumns;
    l.blocks.push_back(std::move(table));

    // CV, t and P are written the same in both languages
    ResultsBlock results;
    results.heading = Label("lblElaborazione");
    results.lines.push_back({.label = Fixed("n"), .fields = {"NDET"}});
    results.lines.push_back({.label = Label("lblMedia"), .fields = {"MEDIA"}});
    results.lines.push_back({.label = Label("lblStDev"), .fields = {"STDEV"}});
    results.lines.push_back({.label = Fixed("CV"), .fields = {"CV"}});
    results.lines.push_back({.label = Label("lblGdL"), .fields = {"GDL"}});
    results.lines.push_back({.label = Fixed("t (p;n-1)"), .fields = {"T"}});
    results.lines.push_back({.label = Fixed("P"), .fields = {"P"}});
    results.lines.push_back({.label = Label("lblLimiti")});
    results.lines.push_back({.label = Label("lblInferiore"), .fields = {"LIMCONFINF"}});
    results.lines.push_back({.label = Label("lblSuperiore"), .fields = {"LIMCONFSUP"}});
    results.lines.push_back({.label = Label("lblIntervallo"), .fields = {"INTERVALLOCONF"}});
    l.blocks.push_back(std::move(results));

    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    return l;
}

}  // namespace kestra
