// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/centred_sums.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <optional>
#include <system_error>

#include "stats/arithmetic_error.h"

namespace kestra {

namespace {

__extension__ typedef __int128 Int128;

// ---------------------------------------------------------------- checked whole-number arithmetic

// Every step of the exact sums is checked: on overflow the caller falls back to the two-pass sums.
struct Checked {
    bool ok = true;
    Int128 add(Int128 a, Int128 b)
    {
        Int128 r = 0;
        if (__builtin_add_overflow(a, b, &r)) ok = false;
        return r;
    }
    Int128 sub(Int128 a, Int128 b)
    {
        Int128 r = 0;
        if (__builtin_sub_overflow(a, b, &r)) ok = false;
        return r;
    }
    Int128 mul(Int128 a, Int128 b)
    {
        Int128 r = 0;
        if (__builtin_mul_overflow(a, b, &r)) ok = false;
        return r;
    }
};

// ---------------------------------------------------------------- values as decimals

// value = mantissa * 10^exponent
struct Decimal {
    long long mantissa = 0;
    int exponent = 0;
};

// The shortest decimal that reads back as v (at most 17 digits); nothing for NaN or infinity.
std::optional<Decimal> shortestDecimal(double v)
{
    if (!std::isfinite(v)) return std::nullopt;
    if (v == 0) return Decimal{0, 0};
    char buffer[48];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    if (ec != std::errc()) return std::nullopt;
    // "-d.ddde-xx"
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative) ++p;
    long long mantissa = 0;
    int digits = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') continue;
        mantissa = mantissa * 10 + (*p - '0');
        ++digits;
    }
    if (p == end) return std::nullopt;
    ++p;
    if (p < end && *p == '+') ++p;
    int power = 0;
    if (std::from_chars(p, end, power).ec != std::errc()) return std::nullopt;
    Decimal d{negative ? -mantissa : mantissa, power - (digits - 1)};
    while (d.mantissa % 10 == 0) {
        d.mantissa /= 10;
        ++d.exponent;
    }
    return d;
}

// Values as whole multiples of 10^exponent, less the first one (the pivot), so that the sums stay small
// when the values share their leading digits.
struct Scaled {
    std::vector<Int128> deviations;
    Int128 pivot = 0;
    int exponent = 0;
};

std::optional<Scaled> scaled(std::span<const double> values)
{
    // 10^21 * 10^17 is about where a 128-bit square sum stops: beyond it the two-pass sums are used
    constexpr int kMaxShift = 21;
    std::vector<Decimal> decimals;
    decimals.reserve(values.size());
    int exponent = INT_MAX;
    for (double v : values) {
        const auto d = shortestDecimal(v);
        if (!d) return std::nullopt;
        decimals.push_back(*d);
        if (d->mantissa != 0) exponent = std::min(exponent, d->exponent);
    }
    Scaled s;
    s.exponent = exponent == INT_MAX ? 0 : exponent;
    s.deviations.reserve(values.size());
    Checked c;
    for (const Decimal& d : decimals) {
        Int128 units = d.mantissa;
        if (d.mantissa != 0) {
            const int shift = d.exponent - s.exponent;
            if (shift > kMaxShift) return std::nullopt;
            for (int i = 0; i < shift; ++i) units = c.mul(units, 10);
        }
        s.deviations.push_back(units);
    }
    if (!s.deviations.empty()) s.pivot = s.deviations.front();
    for (Int128& u : s.deviations) u = c.sub(u, s.pivot);
    if (!c.ok) return std::nullopt;
    return s;
}

long double powerOfTen(int e)
{
    // by squaring: exact in extended precision up to 10^27
    long double result = 1.0L;
    long double base = 10.0L;
    for (unsigned k = static_cast<unsigned>(e); k != 0; k >>= 1) {
        if (k & 1U) result *= base;
        base *= base;
    }
    return result;
}

double toDouble(long double v)
{
    if (v > DBL_MAX) return HUGE_VAL;
    if (v < -DBL_MAX) return -HUGE_VAL;
    return static_cast<double>(v);
}

// numerator / denominator * 10^exponent, rounded once more to a double at the end
double quotient(Int128 numerator, Int128 denominator, int exponent)
{
    long double v = static_cast<long double>(numerator) / static_cast<long double>(denominator);
    if (exponent > 0) v *= powerOfTen(exponent);
    if (exponent < 0) v /= powerOfTen(-exponent);
    return toDouble(v);
}

// The sum of the deviations and of their squares.
struct Sums {
    Int128 sum = 0;
    Int128 squares = 0;
};

Sums sumsOf(std::span<const Int128> deviations, Checked& c)
{
    Sums s;
    for (Int128 d : deviations) {
        s.sum = c.add(s.sum, d);
        s.squares = c.add(s.squares, c.mul(d, d));
    }
    return s;
}

bool allEqual(std::span<const double> values)
{
    return std::all_of(values.begin(), values.end(), [&](double v) { return v == values.front(); });
}

// ---------------------------------------------------------------- two passes in extended precision

long double meanOf(std::span<const double> values)
{
    long double sum = 0;
    for (double v : values) sum += v;
    const long double first = sum / static_cast<long double>(values.size());
    // the second pass corrects the rounding of the first
    long double correction = 0;
    for (double v : values) correction += static_cast<long double>(v) - first;
    return first + correction / static_cast<long double>(values.size());
}

CentredSums twoPass(std::span<const double> values)
{
    const long double mean = meanOf(values);
    long double squares = 0;
    long double deviations = 0;
    for (double v : values) {
        const long double d = static_cast<long double>(v) - mean;
        deviations += d;
        squares += d * d;
    }
    squares -= deviations * deviations / static_cast<long double>(values.size());
    // rounding may leave a hair below zero; NaN stays NaN
    return {toDouble(mean), toDouble(squares < 0 ? 0.0L : squares)};
}

}  // namespace

CentredSums CentredSumsOf(std::span<const double> values)
{
    if (values.empty()) return {};
    // a constant set: its own value and nothing about it, whatever the rounding of a division
    if (allEqual(values)) return {values.front(), std::isfinite(values.front()) ? 0.0 : values.front()};
    const auto s = scaled(values);
    if (!s) return twoPass(values);
    Checked c;
    const Sums sums = sumsOf(s->deviations, c);
    const auto n = static_cast<Int128>(values.size());
    const Int128 total = c.add(sums.sum, c.mul(n, s->pivot));
    const Int128 centred = c.sub(c.mul(n, sums.squares), c.mul(sums.sum, sums.sum));
    if (!c.ok) return twoPass(values);
    return {quotient(total, n, s->exponent), quotient(centred, n, 2 * s->exponent)};
}

double CentredCrossProducts(std::span<const double> x, std::span<const double> y)
{
    if (x.size() != y.size())
        throw ArithmeticError::invalidArgument("le due serie di valori hanno lunghezze diverse.");
    if (x.empty()) return 0.0;
    const auto sx = scaled(x);
    const auto sy = scaled(y);
    if (sx && sy) {
        Checked c;
        Int128 sumX = 0, sumY = 0, products = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            sumX = c.add(sumX, sx->deviations[i]);
            sumY = c.add(sumY, sy->deviations[i]);
            products = c.add(products, c.mul(sx->deviations[i], sy->deviations[i]));
        }
        const auto n = static_cast<Int128>(x.size());
        const Int128 centred = c.sub(c.mul(n, products), c.mul(sumX, sumY));
        if (c.ok) return quotient(centred, n, sx->exponent + sy->exponent);
    }
    const long double mx = meanOf(x);
    const long double my = meanOf(y);
    long double products = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        products += (static_cast<long double>(x[i]) - mx) * (static_cast<long double>(y[i]) - my);
    return toDouble(products);
}

double MeanDifference(std::span<const double> a, std::span<const double> b)
{
    if (a.empty() || b.empty()) throw ArithmeticError::divisionByZero("un gruppo non ha valori.");
    std::vector<double> both(a.begin(), a.end());
    both.insert(both.end(), b.begin(), b.end());
    if (const auto s = scaled(both)) {
        Checked c;
        const std::span<const Int128> all(s->deviations);
        const Sums sa = sumsOf(all.first(a.size()), c);
        const Sums sb = sumsOf(all.last(b.size()), c);
        const auto na = static_cast<Int128>(a.size());
        const auto nb = static_cast<Int128>(b.size());
        // the pivot is common to both groups and cancels
        const Int128 difference = c.sub(c.mul(nb, sa.sum), c.mul(na, sb.sum));
        if (c.ok) return quotient(difference, c.mul(na, nb), s->exponent);
    }
    return toDouble(meanOf(a) - meanOf(b));
}

OneWayAnova OneWayAnovaOf(std::span<const std::span<const double>> groups)
{
    if (groups.empty()) throw ArithmeticError::divisionByZero("non ci sono gruppi di valori.");
    std::vector<double> all;
    for (const auto& g : groups) {
        if (g.empty()) throw ArithmeticError::divisionByZero("un gruppo non ha valori.");
        all.insert(all.end(), g.begin(), g.end());
    }

    OneWayAnova a;
    a.groupMeans.resize(groups.size());
    if (const auto s = scaled(all)) {
        Checked c;
        const std::span<const Int128> deviations(s->deviations);
        const auto N = static_cast<Int128>(all.size());
        const Sums total = sumsOf(deviations, c);
        std::vector<Sums> sums(groups.size());
        std::size_t offset = 0;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            sums[g] = sumsOf(deviations.subspan(offset, groups[g].size()), c);
            offset += groups[g].size();
        }
        const Int128 grandTotal = c.add(total.sum, c.mul(N, s->pivot));
        const Int128 totalCentred = c.sub(c.mul(N, total.squares), c.mul(total.sum, total.sum));
        std::vector<Int128> groupTotals(groups.size()), withinCentred(groups.size()), offMean(groups.size());
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto n = static_cast<Int128>(groups[g].size());
            groupTotals[g] = c.add(sums[g].sum, c.mul(n, s->pivot));
            withinCentred[g] = c.sub(c.mul(n, sums[g].squares), c.mul(sums[g].sum, sums[g].sum));
            // (m_g - M) * n_g * N
            offMean[g] = c.sub(c.mul(N, sums[g].sum), c.mul(n, total.sum));
        }
        if (c.ok) {
            a.grandMean = allEqual(all) ? all.front() : quotient(grandTotal, N, s->exponent);
            a.total = quotient(totalCentred, N, 2 * s->exponent);
            for (std::size_t g = 0; g < groups.size(); ++g) {
                const auto n = static_cast<Int128>(groups[g].size());
                a.groupMeans[g] =
                    allEqual(groups[g]) ? groups[g].front() : quotient(groupTotals[g], n, s->exponent);
                a.within += quotient(withinCentred[g], n, 2 * s->exponent);
                const double d = quotient(offMean[g], c.mul(n, N), s->exponent);
                a.between += static_cast<double>(groups[g].size()) * d * d;
            }
            if (c.ok) return a;
            a = OneWayAnova{};
            a.groupMeans.resize(groups.size());
        }
    }

    const long double grandMean = meanOf(all);
    a.grandMean = allEqual(all) ? all.front() : toDouble(grandMean);
    a.total = allEqual(all) ? 0.0 : twoPass(all).squares;
    long double between = 0;
    bool sameMeans = true;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const bool constant = allEqual(groups[g]);
        const long double mean = constant ? groups[g].front() : meanOf(groups[g]);
        a.groupMeans[g] = toDouble(mean);
        if (!constant) a.within += twoPass(groups[g]).squares;
        sameMeans = sameMeans && a.groupMeans[g] == a.groupMeans.front();
        between += static_cast<long double>(groups[g].size()) * (mean - grandMean) * (mean - grandMean);
    }
    // equal means leave nothing between the groups, whatever the rounding of the grand mean
    a.between = sameMeans ? 0.0 : toDouble(between);
    return a;
}

}  // namespace kestra
