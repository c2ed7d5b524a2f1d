// CRAccu1 and CRAccu3: the report layouts of the accuracy study, one level and three levels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_layout.h"
#include "studies/accuracy/accuracy_study.h"

namespace kestra {

namespace {

// Beyond these many determinations the data table switches to its long form.
constexpr int kLongTableOneLevel = 15;
constexpr int kLongTableThreeLevels = 6;

void addHeading(ReportLayout& l)
{
    l.title = Label("lblTitolo");
    l.subtitle = Label("lblTest");
    l.blocks.push_back(FieldsBlock{{
        {Label("lblMetodo"), "METODO"},
        {Label("lblAnalita"), "ANALITA"},
        {Label("lblCampione"), "CAMPIONE"},
        {Label("lblUM"), "UM"},
        {LayoutText{}, "LIVCONC"},  // the level mode, already in the report's language
    }});
}

// Added amount, found amount and recovery of one level grid.
void addLevelColumns(DetailTableBlock& table, const std::string& level, const std::string& caption,
                     int decimals)
{
    const LayoutText group = Label(caption);
    table.columns.push_back({.heading = Label("lblPesati" + level),
                             .field = "PESATI" + level,
                             .numeric = true,
                             .decimals = decimals,
                             .group = group});
    table.columns.push_back({.heading = Label("lblTrovati" + level),
                             .field = "TROVATI" + level,
                             .numeric = true,
                             .decimals = decimals,
                             .group = group});
    table.columns.push_back({.heading = Fixed("%"),
                             .field = "PERC" + level,
                             .numeric = true,
                             .decimals = decimals,
                             .group = group});
}

ReportLayout oneLevelLayout(const AccuracyStudy& study)
{
    const std::string unit = study.unitSuffix();
    ReportLayout l;
    l.name = "CRAccu1";
    l.headerTable = "Accu";
    l.detailTable = "Accu3Tabella";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "ACCURATEZZA"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblUM", "U.M. della conc. dell'analita"},
        {"lblPesati1", "Pesati"},
        {"lblTrovati1", "Trovati"},
        {"lblLivello1", "Livello centrale" + unit},
        {"lblRisultati", "Risultati:"},
        {"lblAccuOne", "Accuratezza"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Accuratezza"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "ACCURACY",
        "Analytical method",
        "Analyte",
        "Sample",
        "Measure unit of the analyte conc.",
        "True",
        "Measured",
        "Central level" + unit,
        "Results:",
        "Accuracy",
        "Conclusions:",
        "Accuracy",
    };
    l.shortName = Label("lblNomeReport");
    addHeading(l);

    DetailTableBlock table;
    table.columns.push_back({.heading = Fixed("N."), .field = "NDATI", .width = 0.5});
    addLevelColumns(table, "1", "lblLivello1", study.levelGrid(AccuracyStudy::kCentral).format().decimals);
    if (study.determinations() > kLongTableOneLevel) table.flowColumns = 2;
    l.blocks.push_back(std::move(table));

    ResultsBlock results;
    results.heading = Label("lblRisultati");
    results.lines.push_back({.label = Label("lblAccuOne"), .fields = {"ACCUONE"}});
    l.blocks.push_back(std::move(results));
    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    return l;
}

ReportLayout threeLevelLayout(const AccuracyStudy& study)
{
    const std::string unit = study.unitSuffix();
    ReportLayout l;
    l.name = "CRAccu3";
    l.headerTable = "Accu";
    l.detailTable = "Accu3Tabella";
    l.addLabels({
        {"lblTitolo", "CONVALIDA DEL METODO ANALITICO"},
        {"lblTest", "ACCURATEZZA"},
        {"lblMetodo", "Metodo analitico"},
        {"lblAnalita", "Analita"},
        {"lblCampione", "Campione"},
        {"lblUM", "U.M. della conc. dell'analita"},
        {"lblRisultati", "Risultati:"},
        {"lblAccuSup", "Accuratezza livello superiore"},
        {"lblAccuCen", "Accuratezza livello centrale"},
        {"lblAccuInf", "Accuratezza livello inferiore"},
        {"lblAccuMed", "Accuratezza media"},
        {"lblAnova", "ACCURATEZZA: Analisi della varianza"},
        {"lblVariazione", "Variazione"},
        {"lblDevianza", "Devianza"},
        {"lblGdL", "GdL"},
        {"lblVarianza", "Varianza"},
        {"lblTraLivelli", "Tra livelli"},
        {"lblErrore", "Errore"},
        {"lblTotali", "Totali"},
        {"lblLivello0", "Liv. superiore" + unit},
        {"lblLivello1", "Liv. centrale" + unit},
        {"lblLivello2", "Liv. inferiore" + unit},
        {"lblPesati0", "Pesati"},
        {"lblTrovati0", "Trovati"},
        {"lblPesati1", "Pesati"},
        {"lblTrovati1", "Trovati"},
        {"lblPesati2", "Pesati"},
        {"lblTrovati2", "Trovati"},
        {"lblConclusioni", "Conclusioni:"},
        {"lblNomeReport", "Accuratezza"},
    });
    l.englishLabels = {
        "VALIDATION OF ANALYTICAL METHOD",
        "ACCURACY",
        "Analytical method",
        "Analyte",
        "Sample",
        "Measure unit of the analyte conc.",
        "Results:",
        "Accuracy higher level",
        "Accuracy center level",
        "Accuracy lower level",
        "Accuracy mean",
        "ACCURACY: AN.O.VA.",
        "Variation",
        "Deviance",
        "DF",
        "Variance",
        "Btn levels",
        "Error",
        "Totals",
        "Higher level" + unit,
        "Central level" + unit,
        "Lower level" + unit,
        "True",
        "Measured",
        "True",
        "Measured",
        "True",
        "Measured",
        "Conclusions:",
        "Accuracy",
    };
    l.shortName = Label("lblNomeReport");
    addHeading(l);

    // nine value columns fill the page: the rows go without their number, which their order already gives
    DetailTableBlock table;
    for (int level = 0; level < AccuracyStudy::kLevelCount; ++level) {
        const std::string index = std::to_string(level);
        addLevelColumns(table, index, "lblLivello" + index, study.levelGrid(level).format().decimals);
    }

    ResultsBlock results;
    results.heading = Label("lblRisultati");
    results.lines.push_back({.label = Label("lblAccuSup"), .fields = {"ACCUSUP"}});
    results.lines.push_back({.label = Label("lblAccuCen"), .fields = {"ACCUCEN"}});
    results.lines.push_back({.label = Label("lblAccuInf"), .fields = {"ACCUINF"}});
    // without a total mean ("NONE") its line is not printed
    results.lines.push_back({.label = Label("lblAccuMed"),
                             .fields = {"ACCUMED"},
                             .hidden = study.accuMedText() == AccuracyStudy::kNoMean});

    FieldTableBlock anova;
    anova.heading = Label("lblAnova");
    anova.corner = Label("lblVariazione");
    // F and Ft read the same in both languages
    anova.columns = {Label("lblDevianza"), Label("lblGdL"), Label("lblVarianza"), Fixed("F"), Fixed("Ft")};
    anova.rows = {
        {Label("lblTraLivelli"), {"TRALIVDEV", "TRALIVGDL", "TRALIVVAR", "TRALIVF", "TRALIVFT"}},
        {Label("lblErrore"), {"ERRDEV", "ERRGDL", "ERRVAR", "", ""}},
        {Label("lblTotali"), {"TOTDEV", "TOTGDL", "", "", ""}},
    };

    // The long form: with many determinations the results, the analysis of variance and the conclusions come
    // first, so they stay together on the first page, and the level table closes the report.
    const bool longTable = study.determinations() > kLongTableThreeLevels;
    if (!longTable) l.blocks.push_back(table);
    l.blocks.push_back(std::move(results));
    l.blocks.push_back(std::move(anova));
    l.blocks.push_back(ConclusionsBlock{Label("lblConclusioni")});
    if (longTable) l.blocks.push_back(std::move(table));
    return l;
}

}  // namespace

ReportLayout BuildAccuracyLayout(const Study& study)
{
    const auto& accuracy = dynamic_cast<const AccuracyStudy&>(study);
    return accuracy.threeLevels() ? threeLevelLayout(accuracy) : oneLevelLayout(accuracy);
}

}  // namespace kestra
