// Statistics routines of the calculations: descriptive statistics, confidence interval, density, t, F.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>

#include "stats/arithmetic_error.h"
#include "stats/f_table_lookup.h"

namespace kestra {

// Upper quantile of the standard normal for tail area p (Hastings' rational approximation).
// Deliberately approximate: 1.6452114 for 0.05 and 1.9603949 for 0.025 enter the expansions of t and F.
double NormalQuantile(double p);

// Writes mean, sample variance and CV% to results[1], [2], [3] (results[0] is unused). When the
// mean is exactly 0 nothing is written and results keeps its previous contents.
// Throws ArithmeticError for no values, a single value (variance undefined) or overflow.
void DescriptiveStats(std::span<const double> values, std::array<double, 4>& results);

// Confidence interval of a mean of values.size() values with standard deviation s and critical t.
// The half-width and the returned relative half-width (%) are cut, not rounded, to 3 decimals.
// Throws ArithmeticError for no values or a mean of 0 (relative half-width undefined).
double ConfidenceInterval(std::span<const double> values, double mean, double s, double t, double& lower,
                          double& upper, double& width);

// Gaussian density at x; 0 when s is exactly 0.
double NormalDensity(double x, double mean, double s);

// Two-sided 95 % critical value of Student's t with a - b degrees of freedom.
// Throws ArithmeticError when the degrees of freedom are not positive or leave the 16-bit range.
double TCritical95(int a, int b);

// Upper 5 % point of F(df1, df2): from the table for df1 <= 3 (with the limiting values when the
// table has no row; 0 for df1 <= 0), from a Cornish-Fisher expansion for df1 > 3 (table untouched).
// Throws ArithmeticError for df1 > 3 with df2 <= 0, or 16-bit overflow.
double FCritical05(int df1, int df2, const FTableLookup& table);

// Upper-tail probability P(F' > f) by Paulson's approximation. A tail beyond the reach of the
// series is returned as 0 (or 1 below the centre). Throws ArithmeticError for f < 0, degrees of
// freedom <= 0, or degrees of freedom above 3640 (9 * df is a 16-bit product).
double FTailProbability(double f, int df1, int df2);

// Two-sided tail probability P(|T| > |t|) with df degrees of freedom.
// Throws ArithmeticError when df is not positive or leaves the 16-bit range.
double TTailProbability(double t, int df);

// Sum of the values; 0 for none.
double ArraySum(std::span<const double> values);

}  // namespace kestra
