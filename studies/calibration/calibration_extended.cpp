#include "studies/calibration/calibration_extended.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "framework/extended_values.h"
#include "framework/number_pattern.h"
#include "stats/centred_sums.h"
#include "stats/exact_distributions.h"
#include "studies/calibration/calibration_study.h"
#include "text/number_format.h"

namespace kestra {

namespace {

// Exact upper tail of an F of the analysis of variance; a mean square over no pure error is significant
// beyond any doubt when it is positive and undefined when it is zero.
std::optional<double> anovaTail(double meanSquare, double msErr, double df1, double df2)
{
    if (msErr == 0) return meanSquare > 0 ? std::optional<double>(0.0) : std::nullopt;
    return FisherUpperTail(meanSquare / msErr, df1, df2);
}

}  // namespace

ExtendedStatistics CalibrationExtended(const CalibrationStudy& study)
{
    return AvailableExtended(study.resultsFromCurrentData(), [&study] {
        const DataGrid& grid = study.grid();
        const int k = grid.columnCount();
        const int n = grid.rowCount();
        const int N = k * n;
        // the data as the calculation reads them: level by level, each response with its concentration
        std::vector<double> xs, ys;
        for (int i = 0; i < k; ++i) {
            const double x = ParseNumber(study.concentrationText(i), UserDecimalSeparator()).value();
            for (int r = 0; r < n; ++r) {
                xs.push_back(x);
                ys.push_back(grid.cell(r, i).value());
            }
        }
        std::vector<std::span<const double>> levels;
        for (int i = 0; i < k; ++i)
            levels.push_back(std::span<const double>(ys).subspan(static_cast<std::size_t>(i) * n, n));
        const CentredSums concentrations = CentredSumsOf(xs);
        const OneWayAnova anova = OneWayAnovaOf(levels);
        const double meanX = concentrations.mean;
        const double sxx = concentrations.squares;
        const double syy = anova.total;
        const double sxy = CentredCrossProducts(xs, ys);
        const double b = sxy / sxx;
        const double a = anova.grandMean - meanX * b;
        const double ssReg = sxy * sxy / sxx;
        const double ssLack = std::max(0.0, anova.between - ssReg);
        const double ssErr = anova.within;
        const double ssRes = ssLack + ssErr;
        const double msErr = ssErr / (N - k);
        const double msLack = ssLack / (k - 2);

        const double residualSd = std::sqrt(ssRes / (N - 2));
        const double sa = std::sqrt((meanX * meanX / sxx + 1.0 / N) * ssRes / (N - 2));
        const double t = StudentCritical95(N - 2.0);
        const std::optional<double> pRegression = anovaTail(ssReg, msErr, 1, N - k);
        const std::optional<double> pLack = anovaTail(msLack, msErr, k - 2.0, N - k);
        std::vector<double> residuals;
        for (std::size_t j = 0; j < xs.size(); ++j) residuals.push_back(ys[j] - (a + b * xs[j]));

        std::vector<ExtendedValue> values = ExactCounterpartValues(
            {N - 1.0,
             {"quantile esatto di Student per gli stessi N − 1 gradi di libertà del valore storico "
              "dell'intercetta",
              "exact Student quantile for the same N − 1 degrees of freedom as the historical intercept "
              "value"},
             1.0,
             N - static_cast<double>(k),
             {"punto esatto del 95 % di F per la regressione (1 e N − k gradi di libertà)",
              "exact 95 % point of F for the regression (1 and N − k degrees of freedom)"},
             pRegression,
             {"p esatto del test della regressione, uguale a p_regression",
              "exact p of the regression test, equal to p_regression"}});
        values.push_back(NumberValue("r_squared",
                                     {"Coefficiente di determinazione r²", "Coefficient of determination r²"},
                                     ssReg / syy,
                                     {"quota della variazione delle risposte spiegata dalla retta",
                                      "share of the variation of the responses explained by the line"}));
        values.push_back(NumberValue(
            "residual_sd", {"Deviazione standard dei residui", "Residual standard deviation"}, residualSd,
            {"√(SSres / (N − 2)): scarto tipo delle risposte attorno alla retta",
             "√(SSres / (N − 2)): standard deviation of the responses about the line"}));
        values.push_back(NumberValue("lod_calibration",
                                     {"Limite di rilevabilità dalla retta", "Detection limit from the line"},
                                     3.3 * residualSd / std::fabs(b),
                                     {"3,3 · s dei residui / pendenza (ICH Q2); lo studio dei limiti usa "
                                      "invece 2 · s di misure ripetute",
                                      "3.3 · residual s / slope (ICH Q2); the limits study uses 2 · s of "
                                      "repeated measurements instead"}));
        values.push_back(NumberValue(
            "loq_calibration", {"Limite di quantificazione dalla retta", "Quantitation limit from the line"},
            10 * residualSd / std::fabs(b),
            {"10 · s dei residui / pendenza (ICH Q2); nella stessa unità delle concentrazioni",
             "10 · residual s / slope (ICH Q2); in the unit of the concentrations"}));
        const BilingualText interceptNote{
            "a ± t(0,975; N − 2) · Sa; il valore storico usa t per N − 1 gradi di libertà",
            "a ± t(0.975; N − 2) · Sa; the historical value uses t for N − 1 degrees of freedom"};
        values.push_back(
            NumberValue("intercept_ci_low",
                        {"Limite inferiore esatto dell'intercetta", "Exact lower limit of the intercept"},
                        a - t * sa, interceptNote));
        values.push_back(
            NumberValue("intercept_ci_high",
                        {"Limite superiore esatto dell'intercetta", "Exact upper limit of the intercept"},
                        a + t * sa, interceptNote));
        values.push_back(NumberValue(
            "p_regression", {"p esatto della regressione", "Exact p of the regression"}, pRegression,
            {"coda esatta di F (1, N − k); il valore storico usa l'approssimazione di Paulson",
             "exact tail of F (1, N − k); the historical value uses Paulson's approximation"}));
        values.push_back(NumberValue(
            "p_lack_of_fit", {"p esatto della curvatura", "Exact p of the lack of fit"}, pLack,
            {"coda esatta di F (k − 2, N − k); il valore storico usa l'approssimazione di Paulson",
             "exact tail of F (k − 2, N − k); the historical value uses Paulson's approximation"}));
        values.push_back(ArrayValue("residuals", {"Residui", "Residuals"}, std::move(residuals),
                                    {"risposta − (a + b · x), livello per livello e replica per replica",
                                     "response − (a + b · x), level by level and replicate by replicate"}));
        return values;
    });
}

}  // namespace kestra
