// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/specificity/specificity_extended.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "framework/extended_values.h"
#include "stats/centred_sums.h"
#include "stats/exact_distributions.h"
#include "stats/statistics.h"
#include "studies/specificity/specificity_study.h"

namespace kestra {

ExtendedStatistics SpecificityExtended(const SpecificityStudy& study)
{
    return AvailableExtended(study.resultsFromCurrentData(), [&study] {
        const DataGrid& grid = study.grid();
        std::array<std::vector<double>, 2> x;
        for (int g = 0; g < 2; ++g)
            for (int r = 0; r < study.groupSize(g); ++r)
                x[static_cast<std::size_t>(g)].push_back(grid.cell(r, g).value());
        const double nA = static_cast<double>(x[0].size());
        const double nB = static_cast<double>(x[1].size());
        const double vA = CentredSumsOf(x[0]).squares / (nA - 1);
        const double vB = CentredSumsOf(x[1]).squares / (nB - 1);
        const double difference = std::fabs(MeanDifference(x[0], x[1]));

        // the larger variance over the smaller, with its degrees of freedom, as the study's F test takes them
        const bool aLarger = vA >= vB;
        const double f = aLarger ? vA / vB : vB / vA;
        const double df1 = aLarger ? nA - 1 : nB - 1;
        const double df2 = aLarger ? nB - 1 : nA - 1;
        // the study's own choice between the pooled and the separate-variance test
        const bool separate = FTailProbability(f, static_cast<int>(df1), static_cast<int>(df2)) < 0.05;

        const double qA = vA / nA;
        const double qB = vB / nB;
        const double welchDf = std::pow(qA + qB, 2) / (qA * qA / (nA - 1) + qB * qB / (nB - 1));
        double t = 0;
        double historicalDf = 0;
        double standardError = 0;  // of the difference, as the chosen test takes it
        double chosenDf = 0;
        if (separate) {
            standardError = std::sqrt(qA + qB);
            chosenDf = welchDf;
            t = difference / standardError;
            historicalDf = std::floor(std::pow(qA + qB, 2) / (qA * qA / nA + qB * qB / nB) + 0.5);
        } else {
            const double sp = std::sqrt((vB * (nB - 1) + vA * (nA - 1)) / (nA + nB - 2));
            standardError = std::sqrt(1.0 / nB + 1.0 / nA) * sp;
            t = difference / standardError;
            historicalDf = nA + nB - 2;
            chosenDf = historicalDf;
        }
        const double pHistoricalDf = StudentTwoSidedP(t, historicalDf);
        const double pChosen = separate ? StudentTwoSidedP(t, welchDf) : pHistoricalDf;

        std::vector<ExtendedValue> values = ExactCounterpartValues(
            {historicalDf,
             {"quantile esatto di Student per i gradi di libertà (GdL) del test t storico",
              "exact Student quantile for the degrees of freedom (DF) of the historical t test"},
             df1,
             df2,
             {"punto esatto del 95 % di F per la varianza maggiore sulla minore, gli stessi gradi di libertà "
              "del test "
              "storico",
              "exact 95 % point of F for the larger variance over the smaller, the degrees of freedom of the "
              "historical "
              "test"},
             pHistoricalDf,
             {"p esatto del test t storico (stessi t e GdL); il valore storico usa π a 6 decimali",
              "exact p of the historical t test (same t and DF); the historical value uses π to 6 "
              "decimals"}});
        values.push_back(NumberValue("welch_df", {"Gradi di libertà di Welch", "Welch degrees of freedom"},
                                     welchDf,
                                     {"Welch–Satterthwaite, non arrotondati; il valore storico divide per nA "
                                      "e nB invece di nA − 1 e nB − 1 e "
                                      "arrotonda",
                                      "Welch–Satterthwaite, not rounded; the historical value divides by nA "
                                      "and nB instead of nA − 1 and "
                                      "nB − 1 and rounds"}));
        values.push_back(NumberValue(
            "p_variances",
            {"p esatto del confronto delle varianze", "Exact p of the comparison of the variances"},
            std::min(1.0, 2 * FisherUpperTail(f, df1, df2)),
            {"test F bilaterale esatto; lo studio storico usa la sola coda superiore, approssimata",
             "exact two-sided F test; the historical study uses the upper tail alone, approximated"}));
        values.push_back(NumberValue(
            "p_t_exact", {"p esatto del test t scelto", "Exact p of the chosen t test"}, pChosen,
            separate ? BilingualText{"test di Welch con i gradi di libertà non arrotondati, come scelto "
                                     "dallo studio",
                                     "Welch test with the degrees of freedom not rounded, as the study chose"}
                     : BilingualText{"test con varianza comune, come scelto dallo studio; uguale al p esatto del test principale",
                                     "pooled-variance test, as the study chose; equal to the exact p of the main test"}));
        const double signedDifference = MeanDifference(x[0], x[1]);
        const double half = StudentCritical95(chosenDf) * standardError;
        values.push_back(NumberValue("mean_difference", {"Differenza delle medie (A − B)", "Difference of the means (A − B)"},
                                     signedDifference,
                                     {"media del gruppo A − media del gruppo B", "mean of group A − mean of group B"}));
        const BilingualText ciNote =
            separate ? BilingualText{"differenza ± t(0,975) · errore standard, test di Welch con i gradi di libertà non "
                                     "arrotondati, come scelto dallo studio",
                                     "difference ± t(0.975) · standard error, Welch test with the degrees of freedom "
                                     "not rounded, as the study chose"}
                     : BilingualText{"differenza ± t(0,975; nA + nB − 2) · errore standard con varianza comune, come "
                                     "scelto dallo studio",
                                     "difference ± t(0.975; nA + nB − 2) · pooled standard error, as the study chose"};
        values.push_back(NumberValue("mean_difference_ci_low",
                                     {"Limite inferiore della differenza", "Lower limit of the difference"},
                                     signedDifference - half, ciNote));
        values.push_back(NumberValue("mean_difference_ci_high",
                                     {"Limite superiore della differenza", "Upper limit of the difference"},
                                     signedDifference + half, ciNote));
        return values;
    });
}

}  // namespace kestra
