#include "studies/precision/precision_extended.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/extended_values.h"
#include "stats/centred_sums.h"
#include "stats/exact_distributions.h"
#include "studies/precision/precision_study.h"

namespace kestra {

ExtendedStatistics PrecisionExtended(const PrecisionStudy& study)
{
    return AvailableExtended(study.resultsFromCurrentData(), [&study] {
        const DataGrid& grid = study.grid();
        const int n = study.determinationCount();
        std::vector<double> x;
        for (int r = 0; r < n; ++r) x.push_back(grid.cell(r, 0).value());
        const CentredSums sums = CentredSumsOf(x);
        const double mean = sums.mean;
        const double s = std::sqrt(sums.squares / (n - 1));
        const double t = StudentCritical95(n - 1);
        const double half = t * s / std::sqrt(static_cast<double>(n));

        // the value farthest from the mean; the first of equals, as the grid lists them
        int farthest = 0;
        for (int r = 1; r < n; ++r)
            if (std::fabs(x[r] - mean) > std::fabs(x[farthest] - mean)) farthest = r;
        const std::optional<double> g =
            s > 0 ? std::optional<double>(std::fabs(x[farthest] - mean) / s) : std::nullopt;
        const double critical = GrubbsCritical05(n);
        const std::optional<int> suspect =
            g && *g > critical ? std::optional<int>(farthest + 1) : std::nullopt;

        std::vector<ExtendedValue> values = ExactCounterpartValues(
            {static_cast<double>(n - 1),
             {"quantile esatto di Student per n − 1 gradi di libertà; il valore storico t è tabulato a 3 "
              "decimali "
              "o approssimato da un'espansione",
              "exact Student quantile for n − 1 degrees of freedom; the historical t is tabulated to 3 "
              "decimals or "
              "approximated by an expansion"},
             std::nullopt,
             std::nullopt,
             {"non applicabile: lo studio non usa F", "not applicable: the study uses no F"},
             std::nullopt,
             {"non applicabile: lo studio stima la precisione senza un test",
              "not applicable: the study estimates the precision without a test"}});
        values.push_back(NumberValue("grubbs_g", {"G di Grubbs", "Grubbs' G"}, g,
                                     {"scarto massimo dalla media diviso per la deviazione standard; vuoto "
                                      "se tutti i valori sono uguali",
                                      "largest deviation from the mean divided by the standard deviation; "
                                      "empty when all values are equal"}));
        values.push_back(NumberValue(
            "grubbs_critical",
            {"G critico di Grubbs (bilaterale, α = 0,05)", "Grubbs' critical G (two-sided, α = 0.05)"},
            critical,
            {"valore critico esatto per n valori, dal quantile di t con n − 2 gradi di libertà",
             "exact critical value for n values, from the t quantile with n − 2 degrees of freedom"}));
        values.push_back(IntegerValue(
            "grubbs_suspect_row", {"Riga sospetta (Grubbs)", "Suspect row (Grubbs)"}, suspect,
            {"riga del valore più lontano dalla media quando G supera il critico; vuoto altrimenti",
             "row of the value farthest from the mean when G exceeds the critical value; empty otherwise"}));
        const BilingualText limitNote{
            "con il t esatto e la semiampiezza non troncata; il valore storico usa il t approssimato e "
            "tronca la "
            "semiampiezza a 3 decimali",
            "with the exact t and the half-width not cut; the historical value uses the approximate t and "
            "cuts the "
            "half-width to 3 decimals"};
        values.push_back(
            NumberValue("ci_low_exact",
                        {"Limite inferiore esatto della media", "Exact lower confidence limit of the mean"},
                        mean - half, limitNote));
        values.push_back(
            NumberValue("ci_high_exact",
                        {"Limite superiore esatto della media", "Exact upper confidence limit of the mean"},
                        mean + half, limitNote));
        // chi-square interval of s with n - 1 degrees of freedom, and the same over the mean (the CV's)
        const double df = n - 1.0;
        const double sLow = s * std::sqrt(df / ChiSquareQuantile(0.975, df));
        const double sHigh = s * std::sqrt(df / ChiSquareQuantile(0.025, df));
        const BilingualText sNote{"intervallo al 95 % dal chi quadro con n − 1 gradi di libertà",
                                  "95 % interval from chi-square with n − 1 degrees of freedom"};
        values.push_back(NumberValue("s_ci_low", {"Limite inferiore di s", "Lower limit of s"}, sLow, sNote));
        values.push_back(NumberValue("s_ci_high", {"Limite superiore di s", "Upper limit of s"}, sHigh, sNote));
        std::optional<double> cvLow, cvHigh;
        if (mean != 0) {
            cvLow = std::min(100 * sLow / mean, 100 * sHigh / mean);
            cvHigh = std::max(100 * sLow / mean, 100 * sHigh / mean);
        }
        const BilingualText cvNote{"i limiti di s divisi per la media, in %", "the limits of s over the mean, in %"};
        values.push_back(NumberValue("cv_ci_low", {"Limite inferiore del CV %", "Lower limit of the CV %"}, cvLow,
                                     cvNote));
        values.push_back(NumberValue("cv_ci_high", {"Limite superiore del CV %", "Upper limit of the CV %"},
                                     cvHigh, cvNote));
        return values;
    });
}

}  // namespace kestra
