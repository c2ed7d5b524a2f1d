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

struct Line {
    const std::vector<double>& xs;
    const std::vector<double>& ys;
    const std::vector<std::span<const double>>& levels;
    int k, n;
    double a, b, sxx, ssRes, residualSd, largestResponse;
};

// Mandel's fitting test (ISO 8466-1): the straight line against the quadratic fitted to all N points. The
// quadratic term is taken orthogonal to 1 and x - mean, so its reduction of the residual sum of squares is
// one centred product, without the cancellation of normal equations in raw powers of x.
void appendMandel(std::vector<ExtendedValue>& values, const Line& line)
{
    const std::size_t N = line.xs.size();
    const CentredSums xSums = CentredSumsOf(line.xs);
    std::vector<double> u2(N), u3(N);
    for (std::size_t j = 0; j < N; ++j) {
        const double u = line.xs[j] - xSums.mean;
        u2[j] = u * u;
        u3[j] = u * u * u;
    }
    const CentredSums u2Sums = CentredSumsOf(u2);
    double sumU3 = 0;
    for (double v : u3) sumU3 += v;
    const double c1 = sumU3 / xSums.squares;
    std::vector<double> w(N);
    for (std::size_t j = 0; j < N; ++j) w[j] = u2[j] - u2Sums.mean - c1 * (line.xs[j] - xSums.mean);
    double ww = 0, wy = 0;
    const double meanY = CentredSumsOf(line.ys).mean;
    for (std::size_t j = 0; j < N; ++j) {
        ww += w[j] * w[j];
        wy += w[j] * (line.ys[j] - meanY);
    }
    // Sums of squares at the size of rounding are none: residuals of 1E-10 of the largest response (the
    // display's noise rule), or what the subtraction of two nearly equal sums leaves.
    const double noise = static_cast<double>(N) * std::pow(ExtendedValue::kNoiseRelative * line.largestResponse, 2);
    const double ds2 = std::min(line.ssRes, ww > 0 ? wy * wy / ww : 0.0);  // (N - 2) s1² - (N - 3) s2²
    const double ss2 = line.ssRes - ds2;
    std::optional<double> f, p;
    if (line.ssRes <= noise) {
        // the line goes through every point: nothing for a parabola to explain
    } else if (ss2 <= std::max(noise, 1e-12 * line.ssRes)) {
        p = 0.0;  // the parabola goes through every point where the line does not
    } else {
        f = ds2 / (ss2 / (static_cast<double>(N) - 3));
        p = FisherUpperTail(*f, 1, static_cast<double>(N) - 3);
    }
    const BilingualText note{"DS² / s₂², DS² = (N − 2)·s₁² − (N − 3)·s₂² (retta e parabola su tutti gli N punti), "
                             "1 e N − 3 gradi di libertà",
                             "DS² / s₂², DS² = (N − 2)·s₁² − (N − 3)·s₂² (line and parabola over all N points), "
                             "1 and N − 3 degrees of freedom"};
    values.push_back(NumberValue("mandel_f", {"F di Mandel", "Mandel's F"}, f, note));
    values.push_back(NumberValue("p_mandel", {"p del test di Mandel", "p of Mandel's test"}, p,
                                 {"sotto 0,05 la parabola descrive i dati meglio della retta (ISO 8466-1)",
                                  "below 0.05 the parabola fits the data better than the line (ISO 8466-1)"}));
}

// ISO 8466-1 homogeneity of variances: the replicates at the lowest against those at the highest
// concentration, larger variance over smaller, two-sided.
void appendVarianceRatio(std::vector<ExtendedValue>& values, const Line& line)
{
    int lowest = 0, highest = 0;
    for (int i = 1; i < line.k; ++i) {
        if (line.xs[static_cast<std::size_t>(i) * line.n] < line.xs[static_cast<std::size_t>(lowest) * line.n])
            lowest = i;
        if (line.xs[static_cast<std::size_t>(i) * line.n] > line.xs[static_cast<std::size_t>(highest) * line.n])
            highest = i;
    }
    const double df = line.n - 1.0;
    const double vLow = CentredSumsOf(line.levels[static_cast<std::size_t>(lowest)]).squares / df;
    const double vHigh = CentredSumsOf(line.levels[static_cast<std::size_t>(highest)]).squares / df;
    const double larger = std::max(vLow, vHigh);
    const double smaller = std::min(vLow, vHigh);
    std::optional<double> ratio, p;
    if (smaller > 0) {
        ratio = larger / smaller;
        p = std::min(1.0, 2 * FisherUpperTail(*ratio, df, df));
    } else if (larger > 0) {
        p = 0.0;
    }
    values.push_back(NumberValue(
        "variance_ratio", {"Rapporto delle varianze (livello più basso e più alto)",
                           "Variance ratio (lowest and highest level)"},
        ratio,
        {"varianza maggiore / minore delle repliche al livello più basso e più alto (ISO 8466-1)",
         "larger / smaller variance of the replicates at the lowest and highest level (ISO 8466-1)"}));
    values.push_back(NumberValue(
        "p_variance_ratio", {"p del rapporto delle varianze", "p of the variance ratio"}, p,
        {"test F bilaterale, n − 1 e n − 1 gradi di libertà; sotto 0,05 serve una retta pesata",
         "two-sided F test, n − 1 and n − 1 degrees of freedom; below 0.05 a weighted line is needed"}));
}

// Weighted least squares with weights 1 / x², about the weighted means.
void appendWeightedLine(std::vector<ExtendedValue>& values, const Line& line)
{
    std::optional<double> slope, intercept;
    if (std::all_of(line.xs.begin(), line.xs.end(), [](double x) { return x > 0; })) {
        double W = 0, wx = 0, wy = 0;
        for (std::size_t j = 0; j < line.xs.size(); ++j) {
            const double w = 1 / (line.xs[j] * line.xs[j]);
            W += w;
            wx += w * line.xs[j];
            wy += w * line.ys[j];
        }
        const double mx = wx / W, my = wy / W;
        double sxy = 0, sxx = 0;
        for (std::size_t j = 0; j < line.xs.size(); ++j) {
            const double w = 1 / (line.xs[j] * line.xs[j]);
            sxy += w * (line.xs[j] - mx) * (line.ys[j] - my);
            sxx += w * (line.xs[j] - mx) * (line.xs[j] - mx);
        }
        slope = sxy / sxx;
        intercept = my - *slope * mx;
    }
    const BilingualText note{"minimi quadrati pesati con pesi 1/x², per risposte la cui varianza cresce con la "
                             "concentrazione",
                             "weighted least squares with weights 1/x², for responses whose variance grows "
                             "with the concentration"};
    values.push_back(NumberValue("wls_slope", {"Pendenza pesata (1/x²)", "Weighted slope (1/x²)"}, slope, note));
    values.push_back(
        NumberValue("wls_intercept", {"Intercetta pesata (1/x²)", "Weighted intercept (1/x²)"}, intercept, note));
}

void appendReviewerValues(std::vector<ExtendedValue>& values, const Line& line)
{
    const double N = static_cast<double>(line.xs.size());
    const double sb = line.residualSd / std::sqrt(line.sxx);
    const double t = StudentCritical95(N - 2);
    const BilingualText slopeNote{"b ± t(0,975; N − 2) · Sb, con la dev. std. dei residui a N − 2 gradi di libertà",
                                  "b ± t(0.975; N − 2) · Sb, with the residual SD of N − 2 degrees of freedom"};
    values.push_back(NumberValue("slope_ci_low", {"Limite inferiore della pendenza", "Lower limit of the slope"},
                                 line.b - t * sb, slopeNote));
    values.push_back(NumberValue("slope_ci_high", {"Limite superiore della pendenza", "Upper limit of the slope"},
                                 line.b + t * sb, slopeNote));

    std::vector<std::optional<double>> back, error;
    for (int i = 0; i < line.k; ++i) {
        const double x = line.xs[static_cast<std::size_t>(i) * line.n];
        const double found = (CentredSumsOf(line.levels[static_cast<std::size_t>(i)]).mean - line.a) / line.b;
        back.emplace_back(found);
        error.push_back(x != 0 ? std::optional<double>(100 * (found - x) / x) : std::nullopt);
    }
    ExtendedValue backValue = ArrayValueWithGaps(
        "back_calculated", {"Concentrazione ricalcolata", "Back-calculated concentration"}, back,
        {"(risposta media del livello − a) / b, un valore per livello",
         "(mean response of the level − a) / b, one value per level"});
    backValue.table = "levels";
    values.push_back(std::move(backValue));
    ExtendedValue errorValue = ArrayValueWithGaps(
        "back_calculated_error_pct", {"Errore della ricalcolata %", "Back-calculation error %"}, error,
        {"100 · (ricalcolata − x) / x per livello", "100 · (back-calculated − x) / x per level"});
    errorValue.table = "levels";
    values.push_back(WithNoiseScale(std::move(errorValue), 100));
    appendMandel(values, line);
    appendVarianceRatio(values, line);
    appendWeightedLine(values, line);
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
             {"p esatto del test della regressione, uguale al p esatto della regressione",
              "exact p of the regression test, equal to the exact p of the regression"}});
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
                                     {"Limite di rilevazione dalla retta", "Detection limit from the line"},
                                     3.3 * residualSd / std::fabs(b),
                                     {"3,3 · s dei residui / pendenza (ICH Q2); lo studio dei limiti usa "
                                      "invece 2 · s di misure ripetute",
                                      "3.3 · residual s / slope (ICH Q2); the limits study uses 2 · s of "
                                      "repeated measurements instead"}));
        values.push_back(NumberValue(
            "loq_calibration", {"Limite di determinazione dalla retta", "Quantitation limit from the line"},
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
        double largestResponse = 0;
        for (double y : ys) largestResponse = std::max(largestResponse, std::fabs(y));
        ExtendedValue residualList =
            ArrayValue("residuals", {"Residui", "Residuals"}, std::move(residuals),
                       {"risposta − (a + b · x), livello per livello e replica per replica",
                        "response − (a + b · x), level by level and replicate by replicate"});
        residualList.replicates = n;
        values.push_back(WithNoiseScale(std::move(residualList), largestResponse));
        appendReviewerValues(values, {xs, ys, levels, k, n, a, b, sxx, ssRes, residualSd, largestResponse});
        return values;
    });
}

}  // namespace kestra
