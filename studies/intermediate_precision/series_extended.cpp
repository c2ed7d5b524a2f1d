#include "studies/intermediate_precision/series_extended.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "framework/extended_values.h"
#include "stats/centred_sums.h"
#include "stats/exact_distributions.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"

namespace kestra {

ExtendedStatistics SeriesExtended(const IntermediatePrecisionStudy& study)
{
    return AvailableExtended(study.resultsFromCurrentData(), [&study] {
        const bool laboratories = study.config().fixedLaboratories;
        const DataGrid& grid = study.grid();
        const int k = study.seriesCount();
        const int n = study.perSeriesCount();
        const int N = k * n;
        std::vector<double> x;
        for (int i = 0; i < k; ++i)
            for (int j = 0; j < n; ++j) x.push_back(grid.cell(j, i).value());
        std::vector<std::span<const double>> series;
        std::vector<double> variances;
        for (int i = 0; i < k; ++i) {
            series.push_back(std::span<const double>(x).subspan(static_cast<std::size_t>(i) * n, n));
            variances.push_back(CentredSumsOf(series.back()).squares / (n - 1));
        }
        const OneWayAnova anova = OneWayAnovaOf(series);
        const double msb = anova.between / (k - 1);
        const double msw = anova.within / (N - k);

        std::optional<double> p;
        if (msw > 0)
            p = FisherUpperTail(msb / msw, k - 1.0, N - static_cast<double>(k));
        else if (msb > 0)
            p = 0.0;

        const auto largest = std::max_element(variances.begin(), variances.end());
        double sum = 0;
        for (double v : variances) sum += v;
        const std::optional<double> c = sum > 0 ? std::optional<double>(*largest / sum) : std::nullopt;
        const double critical = CochranCritical05(k, n);
        const std::optional<int> suspect =
            c && *c > critical ? std::optional<int>(static_cast<int>(largest - variances.begin()) + 1)
                               : std::nullopt;

        const double sBetween = std::sqrt(std::max(0.0, (msb - msw) / n));
        const double sR = std::sqrt(msw + sBetween * sBetween);

        std::vector<ExtendedValue> values = ExactCounterpartValues(
            {N - 1.0,
             {"quantile esatto di Student per gli stessi N − 1 gradi di libertà del P % storico",
              "exact Student quantile for the same N − 1 degrees of freedom as the historical P %"},
             k - 1.0,
             N - static_cast<double>(k),
             {"punto esatto del 95 % di F per k − 1 e N − k gradi di libertà; il valore storico Ft è "
              "tabulato o "
              "approssimato",
              "exact 95 % point of F for k − 1 and N − k degrees of freedom; the historical Ft is tabulated "
              "or "
              "approximated"},
             p,
             {"p esatto del test tra le serie, uguale al p esatto tra le serie",
              "exact p of the test between series, equal to "
              "the exact p between series"}});
        values.push_back(NumberValue(
            "cochran_c", {"C di Cochran", "Cochran's C"}, c,
            laboratories
                ? BilingualText{"varianza massima di un laboratorio / somma delle varianze dei laboratori",
                                "largest laboratory variance / sum of the laboratory variances"}
                : BilingualText{"varianza massima di una serie / somma delle varianze delle serie",
                                "largest series variance / sum of the series variances"}));
        values.push_back(NumberValue(
            "cochran_critical", {"C critico di Cochran (α = 0,05)", "Cochran's critical C (α = 0.05)"},
            critical,
            {"valore critico esatto per k serie di n dati, dal quantile di F (n − 1, (k − 1)(n − 1))",
             "exact critical value for k series of n values, from the F quantile (n − 1, (k − 1)(n − 1))"}));
        values.push_back(IntegerValue(
            "cochran_suspect_series",
            laboratories ? BilingualText{"Laboratorio sospetto (Cochran)", "Suspect laboratory (Cochran)"}
                         : BilingualText{"Serie sospetta (Cochran)", "Suspect series (Cochran)"},
            suspect,
            {"numero della serie con la varianza massima quando C supera il critico; vuoto altrimenti",
             "number of the series with the largest variance when C exceeds the critical value; empty "
             "otherwise"}));
        values.push_back(NumberValue(
            "p_series", {"p esatto tra le serie", "Exact p between series"}, p,
            {"coda esatta di F (k − 1, N − k); lo studio storico confronta F arrotondato con Ft",
             "exact tail of F (k − 1, N − k); the historical study compares the rounded F with Ft"}));
        values.push_back(NumberValue(
            "s_between_iso",
            laboratories
                ? BilingualText{"Dev. std. tra laboratori (ISO 5725-2)", "Between-laboratory s (ISO 5725-2)"}
                : BilingualText{"Dev. std. tra serie (ISO 5725-2)", "Between-series s (ISO 5725-2)"},
            sBetween,
            {"√max(0, (MSB − MSW) / n); il valore storico usa la dev. std. delle medie quando MSB ≤ MSW",
             "√max(0, (MSB − MSW) / n); the historical value uses the s of the means when MSB ≤ MSW"}));
        values.push_back(NumberValue(
            "s_reproducibility_iso",
            {"Dev. std. di riproducibilità (ISO 5725-2)", "Reproducibility s (ISO 5725-2)"}, sR,
            {"√(sr² + s² tra serie ISO); differisce dal valore storico solo quando questo stima dalle medie",
             "√(sr² + between-series ISO s²); differs from the historical value only when that one estimates from "
             "the means"}));
        // the repeatability s with its chi-square interval, k(n - 1) degrees of freedom
        const double dfWithin = N - static_cast<double>(k);
        const double sr = std::sqrt(msw);
        const BilingualText srNote{"intervallo al 95 % dal chi quadro con k(n − 1) gradi di libertà",
                                   "95 % interval from chi-square with k(n − 1) degrees of freedom"};
        values.push_back(NumberValue("s_r_ci_low", {"Limite inferiore di sr", "Lower limit of sr"},
                                     sr * std::sqrt(dfWithin / ChiSquareQuantile(0.975, dfWithin)), srNote));
        values.push_back(NumberValue("s_r_ci_high", {"Limite superiore di sr", "Upper limit of sr"},
                                     sr * std::sqrt(dfWithin / ChiSquareQuantile(0.025, dfWithin)), srNote));
        // Satterthwaite's degrees of freedom of sR² = MSB/n + (n - 1)·MSW/n
        const double between = msb / n;
        const double within = (n - 1.0) * msw / n;
        const double denominator = between * between / (k - 1.0) + within * within / dfWithin;
        const std::optional<double> dfRepro =
            denominator > 0 ? std::optional<double>(std::pow(between + within, 2) / denominator) : std::nullopt;
        values.push_back(NumberValue(
            "df_R", {"Gradi di libertà di sR (Satterthwaite)", "Degrees of freedom of sR (Satterthwaite)"}, dfRepro,
            {"(MSB/n + (n − 1)·MSW/n)² / ((MSB/n)²/(k − 1) + ((n − 1)·MSW/n)²/(k(n − 1)))",
             "(MSB/n + (n − 1)·MSW/n)² / ((MSB/n)²/(k − 1) + ((n − 1)·MSW/n)²/(k(n − 1)))"}));
        std::optional<double> sRLow, sRHigh;
        if (dfRepro) {
            sRLow = sR * std::sqrt(*dfRepro / ChiSquareQuantile(0.975, *dfRepro));
            sRHigh = sR * std::sqrt(*dfRepro / ChiSquareQuantile(0.025, *dfRepro));
        }
        const BilingualText sRNote{"sR ISO · √(gdl / χ²) con i gradi di libertà di Satterthwaite, al 95 %",
                                   "ISO sR · √(df / χ²) with Satterthwaite's degrees of freedom, at 95 %"};
        values.push_back(NumberValue("s_R_ci_low", {"Limite inferiore di sR", "Lower limit of sR"}, sRLow, sRNote));
        values.push_back(NumberValue("s_R_ci_high", {"Limite superiore di sR", "Upper limit of sR"}, sRHigh, sRNote));
        return values;
    });
}

}  // namespace kestra
