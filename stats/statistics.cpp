// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/centred_sums.h"
#include "text/messages.h"

namespace kestra {

FTableLookup::~FTableLookup() = default;

double NormalQuantile(double p)
{
    const double t = std::sqrt(std::abs(2.0 * std::log(p)));
    return std::abs(t - (2.515517 + 0.802853 * t + 0.010328 * std::pow(t, 2)) /
                            (1.0 + 1.432788 * t + 0.189269 * std::pow(t, 2) + 0.001308 * std::pow(t, 3)));
}

namespace {

// The constants of the published routines are kept as they were, so results agree to the last
// printed digit with reports made before (2π and π to six decimals).
constexpr double kTwoPi = 6.283186;
constexpr double kPi = 3.141593;
constexpr double kSeriesLimit = 1e100;

double requireFinite(double value, const std::string& context)
{
    if (!std::isfinite(value)) throw ArithmeticError::overflow(context);
    return value;
}

std::int16_t count16(std::size_t size)
{
    return checkedInt16(static_cast<long long>(size), "il numero dei valori");
}

// Degrees of freedom a routine divides by (or takes the root of) must be positive.
void requirePositiveDf(int df, const std::string& what)
{
    if (df == 0) throw ArithmeticError::divisionByZero(Msg("%1 sono zero.", {Msg(what)}));
    if (df < 0)
        throw ArithmeticError::invalidArgument(
            Msg("%1 sono negativi (%2).", {Msg(what), std::to_string(df)}));
}

// 9·df is a 16-bit product in Paulson's approximation: df above 3640 overflows.
std::int16_t nineTimes(std::int16_t df, const std::string& what)
{
    const long long product = 9LL * df;
    if (product > 32767)
        throw ArithmeticError::overflow(
            Msg("%1 (%2) sono troppi per il calcolo della probabilità di F, che ne "
                "ammette al massimo 3640.",
                {Msg(what), std::to_string(df)}));
    return static_cast<std::int16_t>(product);
}

}  // namespace

void DescriptiveStats(std::span<const double> values, std::array<double, 4>& results)
{
    const std::int16_t n = count16(values.size());
    if (n == 0) throw ArithmeticError::divisionByZero("non ci sono valori di cui calcolare la media.");
    // about the mean, not S2 - S1^2/n: values sharing their leading digits keep every digit
    const CentredSums sums = CentredSumsOf(values);
    const double mean = sums.mean;
    if (mean == 0.0) return;
    if (n == 1) throw ArithmeticError::divisionByZero("la varianza richiede almeno due valori.");
    const double variance = sums.squares / (n - 1);
    const double cv = std::sqrt(variance) * 100.0 / mean;
    if (!std::isfinite(mean) || !std::isfinite(variance) || !std::isfinite(cv))
        throw ArithmeticError::overflow("i valori sono troppo grandi per il calcolo di media e varianza.");
    results[1] = mean;
    results[2] = variance;
    results[3] = cv;
}

double ConfidenceInterval(std::span<const double> values, double mean, double s, double t, double& lower,
                          double& upper, double& width)
{
    const std::int16_t n = count16(values.size());
    if (n == 0) throw ArithmeticError::divisionByZero("non ci sono valori per l'intervallo di confidenza.");
    if (mean == 0.0)
        throw ArithmeticError::divisionByZero(
            "la media è zero, l'ampiezza relativa dell'intervallo di confidenza non è calcolabile.");
    const double root = std::sqrt(static_cast<double>(n));
    // Cut, not rounded, to three decimals: reports have always shown the truncated limits.
    const double halfWidth = std::floor(1000.0 * s * t / root) / 1000.0;
    const double relative = std::floor(1000.0 * s * t * 100.0 / (root * mean)) / 1000.0;
    const std::string context = "valori troppo grandi per l'intervallo di confidenza.";
    requireFinite(halfWidth, context);
    requireFinite(relative, context);
    lower = mean - halfWidth;
    upper = mean + halfWidth;
    width = 2.0 * halfWidth;
    return relative;
}

double NormalDensity(double x, double mean, double s)
{
    if (s == 0.0) return 0.0;
    const double density =
        std::exp(-std::pow(x - mean, 2) / (2.0 * std::pow(s, 2))) / (std::sqrt(kTwoPi) * s);
    if (std::isnan(density))
        throw ArithmeticError::divisionByZero("deviazione standard troppo piccola per la curva gaussiana.");
    return density;
}

double TCritical95(int a, int b)
{
    const std::int16_t a16 = checkedInt16(a, "il numero dei valori del t di Student");
    const std::int16_t b16 = checkedInt16(b, "il numero sottratto per il t di Student");
    const std::int16_t df =
        checkedInt16(static_cast<long long>(a16) - b16, "i gradi di libertà del t di Student");
    switch (df) {
        case 1:
            return 12.706;
        case 2:
            return 4.303;
        case 3:
            return 3.182;
        case 4:
            return 2.776;
        default:
            break;
    }
    requirePositiveDf(df, "i gradi di libertà del t di Student");

    // Cornish-Fisher expansion of Student's t around the normal quantile, five correction terms.
    const double x = NormalQuantile(0.025);
    const double v = df;
    const double g1 = (std::pow(x, 3) + x) / 4.0;
    const double g2 = (5.0 * std::pow(x, 5) + 16.0 * std::pow(x, 3) + 3.0 * x) / 96.0;
    const double g3 =
        (3.0 * std::pow(x, 7) + 19.0 * std::pow(x, 5) + 17.0 * std::pow(x, 3) - 15.0 * x) / 384.0;
    const double g4 = (79.0 * std::pow(x, 9) + 776.0 * std::pow(x, 7) + 1482.0 * std::pow(x, 5) -
                       1920.0 * std::pow(x, 3) - 945.0 * x) /
                      92160.0;
    const double g5 = (27.0 * std::pow(x, 11) + 339.0 * std::pow(x, 9) + 930.0 * std::pow(x, 7) -
                       1782.0 * std::pow(x, 5) - 765.0 * std::pow(x, 3) + 17955.0 * x) /
                      368640.0;
    return x + g1 / v + g2 / std::pow(v, 2) + g3 / std::pow(v, 3) + g4 / std::pow(v, 4) + g5 / std::pow(v, 5);
}

double FCritical05(int df1, int df2, const FTableLookup& table)
{
    const std::int16_t d1 = checkedInt16(df1, "i gradi di libertà al numeratore di F");
    const std::int16_t d2 = checkedInt16(df2, "i gradi di libertà al denominatore di F");
    if (d1 <= 3) {
        if (const auto tabulated = table.find(d1, d2)) return *tabulated;
        // Limiting values for an infinite denominator beyond the table's range.
        switch (d1) {
            case 1:
                return 3.84;
            case 2:
                return 3.0;
            case 3:
                return 2.6;
            default:
                return 0.0;
        }
    }
    requirePositiveDf(d2, "i gradi di libertà al denominatore di F");
    const std::int16_t sum =
        checkedInt16(static_cast<long long>(d1) + d2, "la somma dei gradi di libertà di F");

    // Cornish-Fisher expansion for the percentage points of Fisher's z = ln(F) / 2.
    const double x = NormalQuantile(0.05);
    const double x2 = std::pow(x, 2);
    const double h = 1.0 / d1 + 1.0 / d2;
    const double d = static_cast<double>(d2 - d1) / sum;
    const double q = std::pow(d, 2) / 3.0;
    const double p1 = (x2 * (x2 * (4.0 * x2 - 25.0) - 177.0) + 192.0) / 2.0 +
                      q * (x2 * (x2 * (4.0 * x2 + 101.0) + 117.0) - 480.0) / 3.0 -
                      std::pow(q, 2) * (x2 * (x2 * (12.0 * x2 + 513.0) + 841.0) - 2560.0) / 18.0;
    const double p2 = x2 + 2.0 +
                      (h / 20.0) * (x2 * (x2 + 9.0) + 8.0 - q * (x2 * (3.0 * x2 + 7.0) - 16.0) / 9.0) -
                      (std::pow(h, 2) / 1680.0) * p1;
    const double p3 =
        24.0 + h * ((x2 + 3.0) + q * (x2 + 11.0)) +
        (std::pow(h, 2) / 40.0) * ((x2 * (x2 + 20.0) + 15.0) / 2.0 + q * (x2 * (x2 + 44.0) + 183.0) +
                                   std::pow(q, 2) * (x2 * (9.0 * x2 - 284.0) - 1513.0) / 18.0);
    const double w = x * std::sqrt(h / 2.0) * p3 / 24.0 - (h * d / 6.0) * p2;
    return std::exp(2.0 * w);
}

double FTailProbability(double f, int df1, int df2)
{
    const std::int16_t d1 = checkedInt16(df1, "i gradi di libertà al numeratore di F");
    const std::int16_t d2 = checkedInt16(df2, "i gradi di libertà al denominatore di F");
    requirePositiveDf(d1, "i gradi di libertà al numeratore di F");
    requirePositiveDf(d2, "i gradi di libertà al denominatore di F");
    const std::int16_t nine1 = nineTimes(d1, "i gradi di libertà al numeratore di F");
    const std::int16_t nine2 = nineTimes(d2, "i gradi di libertà al denominatore di F");
    if (!std::isfinite(f)) throw ArithmeticError::overflow("valore di F non rappresentabile.");
    if (f < 0.0) throw ArithmeticError::invalidArgument("il valore di F è negativo.");

    // Paulson's normal approximation of F.
    const double a1 = 2.0 / nine1;
    const double a2 = 2.0 / nine2;
    double z = ((1.0 - a2) * std::pow(f, 1.0 / 3.0) - 1.0 + a1) /
               std::sqrt(std::abs(a2 * std::pow(f, 2.0 / 3.0) + a1));
    const bool negative = z < 0.0;
    z = std::abs(z);

    // Standard normal tail through the series of Phi(z) - 1/2. A term this large means z is so far
    // out that the tail is negligible at any level of significance.
    const double phi = std::exp(-std::pow(z, 2) / 2.0) / std::sqrt(kTwoPi);
    double term = z;
    double sum = z;
    double previous = 0.0;
    int i = 1;
    do {
        i += 2;
        previous = sum;
        term = term / i * std::pow(z, 2);
        sum += term;
        if (term > kSeriesLimit) return negative ? 1.0 : 0.0;
    } while (sum > previous);
    // Far out in the tail 0.5 - sum * phi cancels to a rounding residue that may fall below 0.
    const double p = std::max(0.0, 0.5 - sum * phi);
    return negative ? 1.0 - p : p;
}

double TTailProbability(double t, int df)
{
    const std::int16_t v = checkedInt16(df, "i gradi di libertà del t di Student");
    requirePositiveDf(v, "i gradi di libertà del t di Student");
    const double theta = std::atan(std::abs(t) / std::sqrt(static_cast<double>(v)));
    const double c = std::cos(theta);
    const double s = std::sin(theta);

    // Coefficients c(m) of the finite series as exp(sum ln numerator - sum ln denominator); the log
    // sums grow with m, so they are accumulated once instead of per term. Odd df: 2·4···(m−1) over
    // 1·3···m for m = 3, 5 ...; even df: 1·3···(m−1) over 2·4···m for m = 2, 4 ...
    const int first = (v % 2 == 1) ? 3 : 2;
    std::vector<double> terms;
    double logNumerator = 0.0;
    double logDenominator = 0.0;
    for (int m = first; m <= v - 2; m += 2) {
        logNumerator += std::log(static_cast<double>(m - 1));
        logDenominator += std::log(static_cast<double>(m));
        terms.push_back(std::exp(logNumerator - logDenominator) * std::pow(c, m));
    }
    double series = 0.0;
    for (auto it = terms.rbegin(); it != terms.rend(); ++it) series += *it;

    double a = 0.0;
    if (v % 2 == 1)
        a = (v == 1) ? 2.0 * theta / kPi : 2.0 * (theta + s * (c + series)) / kPi;
    else
        a = s * (1.0 + series);
    return 1.0 - a;
}

double ArraySum(std::span<const double> values)
{
    double sum = 0;
    for (double v : values) sum += v;
    return requireFinite(sum, "la somma dei valori è troppo grande.");
}

}  // namespace kestra
