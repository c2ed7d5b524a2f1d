#include "studies/accuracy/accuracy_extended.h"

#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "framework/extended_values.h"
#include "stats/centred_sums.h"
#include "stats/exact_distributions.h"
#include "studies/accuracy/accuracy_study.h"

namespace kestra {

namespace {

const BilingualText kLevelNames[3] = {{"livello superiore", "upper level"},
                                      {"livello centrale", "central level"},
                                      {"livello inferiore", "lower level"}};

std::vector<double> recoveries(const AccuracyStudy& study, int level)
{
    const DataGrid& grid = study.levelGrid(level);
    std::vector<double> x;
    for (int r = 0; r < study.determinations(); ++r)
        x.push_back(grid.cell(r, AccuracyStudy::kRecoveryColumn).value());
    return x;
}

const BilingualText kLevelTNote{
    "quantile esatto di Student per gli stessi n − 1 gradi di libertà dei limiti storici del livello",
    "exact Student quantile for the same n − 1 degrees of freedom as the historical limits of a level"};

// bias_N and the 95 % beta-expectation tolerance interval of the recoveries of level N: mean ± t(0.975, n - 1)
// · s · √(1 + 1/n), where a single future recovery is expected to fall.
void appendBiasAndTolerance(std::vector<ExtendedValue>& values, const std::vector<double>& x, int level)
{
    const double n = static_cast<double>(x.size());
    const CentredSums sums = CentredSumsOf(x);
    const double half = StudentCritical95(n - 1) * std::sqrt(sums.squares / (n - 1)) * std::sqrt(1 + 1 / n);
    const auto& name = kLevelNames[level];
    const std::string index = std::to_string(level);
    values.push_back(NumberValue("bias_" + index, {"Scostamento dal 100 %, " + name.it, "Bias, " + name.en},
                                 sums.mean - 100,
                                 {"recupero medio − 100", "mean recovery − 100"}));
    const BilingualText note{"media ± t(0,975; n − 1) · s · √(1 + 1/n): dove cade un singolo recupero futuro al 95 %",
                             "mean ± t(0.975; n − 1) · s · √(1 + 1/n): where a single future recovery falls at 95 %"};
    values.push_back(NumberValue("tolerance_low_" + index,
                                 {"Tolleranza inferiore, " + name.it, "Lower tolerance limit, " + name.en},
                                 sums.mean - half, note));
    values.push_back(NumberValue("tolerance_high_" + index,
                                 {"Tolleranza superiore, " + name.it, "Upper tolerance limit, " + name.en},
                                 sums.mean + half, note));
}

std::vector<ExtendedValue> oneLevel(const AccuracyStudy& study)
{
    const int n = study.determinations();
    const std::vector<double> x = recoveries(study, AccuracyStudy::kCentral);
    const CentredSums sums = CentredSumsOf(x);
    const double s = std::sqrt(sums.squares / (n - 1));
    // the one-sample t test of the mean recovery against 100 %, which the limits containing 100 % decide at 5
    // %
    std::optional<double> p;
    const double distance = std::fabs(sums.mean - 100.0);
    if (s > 0)
        p = StudentTwoSidedP(distance / (s / std::sqrt(static_cast<double>(n))), n - 1.0);
    else if (distance > 0)
        p = 0.0;
    std::vector<ExtendedValue> values = ExactCounterpartValues({n - 1.0,
                                   kLevelTNote,
                                   std::nullopt,
                                   std::nullopt,
                                   {"non applicabile: con un livello lo studio non usa F",
                                    "not applicable: with one level the study uses no F"},
                                   p,
                                   {"p esatto del test t della media contro il 100 %; lo studio storico "
                                    "guarda solo se i limiti contengono "
                                    "il 100 %",
                                    "exact p of the t test of the mean against 100 %; the historical study "
                                    "only checks whether the limits "
                                    "contain 100 %"}});
    appendBiasAndTolerance(values, x, AccuracyStudy::kCentral);
    return values;
}

std::vector<ExtendedValue> threeLevels(const AccuracyStudy& study)
{
    const int n = study.determinations();
    std::array<std::vector<double>, 3> x;
    for (int i = 0; i < 3; ++i) x[static_cast<std::size_t>(i)] = recoveries(study, i);
    const std::array<std::span<const double>, 3> groups{x[0], x[1], x[2]};
    const OneWayAnova anova = OneWayAnovaOf(groups);
    const double dfError = 3.0 * n - 3;
    const double msb = anova.between / 2;
    const double msw = anova.within / dfError;
    std::optional<double> p;
    if (msw > 0)
        p = FisherUpperTail(msb / msw, 2, dfError);
    else if (msb > 0)
        p = 0.0;

    std::vector<ExtendedValue> values =
        ExactCounterpartValues({n - 1.0,
                                kLevelTNote,
                                2.0,
                                dfError,
                                {"punto esatto del 95 % di F per 2 e 3n − 3 gradi di libertà; il valore "
                                 "storico viene dalla tabella a 2 "
                                 "decimali",
                                 "exact 95 % point of F for 2 and 3n − 3 degrees of freedom; the historical "
                                 "value comes from the table "
                                 "to 2 decimals"},
                                p,
                                {"p esatto del confronto tra i livelli, uguale al p esatto tra i livelli",
                                 "exact p of the comparison of the levels, equal "
                                 "to the exact p between the levels"}});
    values.push_back(NumberValue(
        "p_levels", {"p esatto del confronto tra i livelli", "Exact p of the comparison of the levels"}, p,
        {"coda esatta di F (2, 3n − 3); lo studio storico confronta F con il valore della tabella",
         "exact tail of F (2, 3n − 3); the historical study compares F with the table value"}));
    const double t = StudentCritical95(n - 1.0);
    const BilingualText limitNote{"media ± t esatto · s / √n; il valore storico usa il t approssimato",
                                  "mean ± exact t · s / √n; the historical value uses the approximate t"};
    for (int i = 0; i < 3; ++i) {
        const auto& level = kLevelNames[i];
        const CentredSums sums = CentredSumsOf(x[static_cast<std::size_t>(i)]);
        const double half = t * std::sqrt(sums.squares / (n - 1)) / std::sqrt(static_cast<double>(n));
        const std::string index = std::to_string(i);
        values.push_back(
            NumberValue("ci_low_exact_" + index,
                        {"Limite inferiore esatto, " + level.it, "Exact lower limit, " + level.en},
                        sums.mean - half, limitNote));
        values.push_back(
            NumberValue("ci_high_exact_" + index,
                        {"Limite superiore esatto, " + level.it, "Exact upper limit, " + level.en},
                        sums.mean + half, limitNote));
    }
    for (int i = 0; i < 3; ++i) appendBiasAndTolerance(values, x[static_cast<std::size_t>(i)], i);
    return values;
}

}  // namespace

ExtendedStatistics AccuracyExtended(const AccuracyStudy& study)
{
    return AvailableExtended(study.resultsFromCurrentData(),
                             [&study] { return study.threeLevels() ? threeLevels(study) : oneLevel(study); });
}

}  // namespace kestra
