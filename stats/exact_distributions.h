// Exact quantiles and tail probabilities of t, F and chi-square, and the critical values of the outlier and
// homogeneity tests built on them. Unlike the routines of statistics.h these take real degrees of freedom and
// use no approximation beyond double precision.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestra {

// Every routine throws ArithmeticError::invalidArgument for degrees of freedom that are not positive and
// finite, or a probability outside (0, 1); the tail probabilities accept any real statistic.

// The lower p quantile of Student's t with df degrees of freedom.
double StudentQuantile(double p, double df);
// The two-sided 95 % critical value t(0.975, df).
double StudentCritical95(double df);
// Two-sided tail probability P(|T| > |t|).
double StudentTwoSidedP(double t, double df);

// The lower p quantile of F(df1, df2).
double FisherQuantile(double p, double df1, double df2);
// The upper 5 % point of F(df1, df2).
double FisherCritical95(double df1, double df2);
// Upper-tail probability P(F' > f); 1 for f <= 0.
double FisherUpperTail(double f, double df1, double df2);

// The lower p quantile of chi-square with df degrees of freedom.
double ChiSquareQuantile(double p, double df);
// Upper-tail probability P(X > x); 1 for x <= 0.
double ChiSquareUpperTail(double x, double df);

// Critical value of Grubbs' two-sided test at alpha = 0.05 for n values (n >= 3):
// (n - 1) / sqrt(n) * sqrt(t^2 / (n - 2 + t^2)), t the upper alpha / (2n) point of t with n - 2 df.
double GrubbsCritical05(int n);

// Critical value of Cochran's C at alpha = 0.05 for k series of n values each (k >= 2, n >= 2):
// 1 / (1 + (k - 1) / F), F the upper alpha / k point of F(n - 1, (k - 1)(n - 1)).
double CochranCritical05(int k, int n);

}  // namespace kestra
