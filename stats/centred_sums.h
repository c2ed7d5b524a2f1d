// Means and sums of squares about the mean that keep every digit of values sharing many leading digits.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

namespace kestra {

// How the sums below are computed. A value is taken as the decimal number it shows (its shortest decimal
// form, which is what a cell holds: the number as typed and rounded to the grid's decimals). The sums run
// exactly on those decimals, as whole multiples of their smallest decimal unit counted from the first value,
// and only each result is rounded once: a shift of every value by a constant changes nothing but the means,
// and a sum of squares is exactly zero when the data make it so. Values with more digits than that can
// hold (a spread of about 38 digits) are summed in two passes in extended precision instead.

struct CentredSums {
    double mean = 0;
    double squares = 0;  // sum of (x - mean)^2
};

// Zeros for no values.
CentredSums CentredSumsOf(std::span<const double> values);

// Sum of (x - mean of x) * (y - mean of y) over the pairs (x[i], y[i]); x and y have the same length.
double CentredCrossProducts(std::span<const double> x, std::span<const double> y);

// Mean of a minus mean of b, without the cancellation of two rounded means; both are non-empty.
double MeanDifference(std::span<const double> a, std::span<const double> b);

// One-way analysis of variance of groups of values (each non-empty; sizes may differ).
struct OneWayAnova {
    double grandMean = 0;
    std::vector<double> groupMeans;
    double between = 0;  // sum over groups of n_g * (m_g - grand mean)^2
    double within = 0;   // sum over groups of sum (x - m_g)^2
    double total = 0;    // sum of (x - grand mean)^2
};

// Throws ArithmeticError for no groups or an empty group.
OneWayAnova OneWayAnovaOf(std::span<const std::span<const double>> groups);

}  // namespace kestra
