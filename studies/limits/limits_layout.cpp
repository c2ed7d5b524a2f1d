// CRLimi: the report layout of the detection and quantitation limits study.
#include "reporting/report_layout.h"
#include "studies/limits/limits_study.h"

namespace kestra {

namespace {

// More measurements than this switch the data table to its long form.
constexpr int kLongTableThreshold = 12;
constexpr int kLongTableFlowColumns = 3;

}  // namespace

ReportLayout BuildLimitsLayout(const Study& study)
{
    const auto& limits = dynamic_cast<const LimitsStudy&>(study);

    ReportLayout l;
    l.name = "CRLimi";
    l.headerTable = "Limi";
    l.detailTable = "LimiTabella";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "LIMITI DI RILEVAZIONE E DI DETERMINAZIONE"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblUM", "U.M. della conc. dell'analita"},
        {"lblDati", "Dati"},
        {"lblRisultati", "Risultati"},
        {"lblElaborazione", "Risultato dell'elaborazione:"},
        {"lblStDev", "Deviazione standard"},
        {"lblLimRil", "Limite di rilevazione"},
        {"lblLimDet", "Limite di determinazione"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Limiti"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "DETECTION AND QUANTITATION LIMITS",
        "Analytical method",
        "Analyte",
        "Sample",
        "Measure unit of the analyte conc.",
        "Data",
        "Results",
        "Results:",
        "Standard deviation",
        "Detection limit",
        "Quantitation limit",
        "Conclusions:",
        "Limits",
    };
    AddStudyHeading(l, /*withUnit=*/true);

    DetailTableBlock table = MeasurementTable(limits.grid().format().decimals);
    if (limits.measurementCount() > kLongTableThreshold) table.flowColumns = kLongTableFlowColumns;
    l.blocks.push_back(std::move(table));

    ResultsBlock results;
    results.heading = Label("lblElaborazione");
    results.lines.push_back({.label = Label("lblStDev"), .fields = {"STDEV"}});
    results.lines.push_back({.label = Label("lblLimRil"), .fields = {"LIMRIL"}});
    results.lines.push_back({.label = Label("lblLimDet"), .fields = {"LIMDET"}});
    l.blocks.push_back(std::move(results));

    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    return l;
}

}  // namespace kestra
