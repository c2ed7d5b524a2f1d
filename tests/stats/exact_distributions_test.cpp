// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/exact_distributions.h"

#include <gtest/gtest.h>

#include "stats/arithmetic_error.h"
#include "studies/extended_test_support.h"

namespace kestra {
namespace {

using test::closeTo;

// Reference values: scipy 1.10.1 (/usr/bin/python3, numpy as np, from scipy import stats, special), e.g.
// repr(stats.f.ppf(0.95, 2, 6)). Its t.ppf is good to about 1e-10 only, so t quantiles are taken through the
// inverse incomplete beta function, here and in the study tests:
// def tppf(p, df): x = special.betaincinv(df/2, 0.5, 2*min(p, 1-p)); t = np.sqrt(df*(1/x - 1)); return t if p
// > .5 else -t
TEST(ExactDistributions, QuantilesAndTailsAgreeWithScipy)
{
    EXPECT_TRUE(closeTo(StudentCritical95(5), 2.570581835636315));    // tppf(0.975, 5)
    EXPECT_TRUE(closeTo(StudentCritical95(1), 12.706204736174696));   // tppf(0.975, 1); exactly tan(0.475 pi)
    EXPECT_TRUE(closeTo(StudentCritical95(2.5), 3.574654842003682));  // tppf(0.975, 2.5)
    EXPECT_TRUE(closeTo(StudentQuantile(0.01, 7), -2.997951566868528));   // tppf(0.01, 7)
    EXPECT_TRUE(closeTo(StudentTwoSidedP(2.5, 8), 0.03694203771362407));  // 2 * t.sf(2.5, 8)
    EXPECT_TRUE(closeTo(StudentTwoSidedP(-2.5, 8), 0.03694203771362407));
    // a small p keeps its digits: 2 * t.sf(40, 10)
    EXPECT_TRUE(closeTo(StudentTwoSidedP(40, 10), 2.2808577430857475e-12, 1e-9));
    EXPECT_EQ(StudentTwoSidedP(0, 3), 1.0);

    EXPECT_TRUE(closeTo(FisherCritical95(2, 6), 5.143252849784718));                    // f.ppf(0.95, 2, 6)
    EXPECT_TRUE(closeTo(FisherCritical95(4, 10), 3.478049690765229));                   // f.ppf(0.95, 4, 10)
    EXPECT_TRUE(closeTo(FisherQuantile(0.25, 3, 7), 0.41148405478126954));              // f.ppf(0.25, 3, 7)
    EXPECT_TRUE(closeTo(FisherUpperTail(3.478, 4, 10), 0.05000185577642469));           // f.sf(3.478, 4, 10)
    EXPECT_TRUE(closeTo(FisherUpperTail(734.47, 1, 8), 3.7015429226130054e-09, 1e-9));  // f.sf(734.47, 1, 8)
    EXPECT_EQ(FisherUpperTail(0, 2, 3), 1.0);

    EXPECT_TRUE(closeTo(ChiSquareQuantile(0.95, 3), 7.814727903251179));      // chi2.ppf(0.95, 3)
    EXPECT_TRUE(closeTo(ChiSquareUpperTail(12.5, 4), 0.013995792487650894));  // chi2.sf(12.5, 4)
}

// Grubbs: (n-1)/sqrt(n) * sqrt(t^2/(n-2+t^2)), t = tppf(1 - 0.05/(2n), n-2).
// Cochran: 1/(1 + (k-1)/f), f = stats.f.ppf(1 - 0.05/k, n-1, (k-1)*(n-1)).
TEST(ExactDistributions, GrubbsAndCochranCriticalValues)
{
    EXPECT_TRUE(closeTo(GrubbsCritical05(3), 1.1543048513440386));
    EXPECT_TRUE(closeTo(GrubbsCritical05(6), 1.8871451177839336));
    EXPECT_TRUE(closeTo(GrubbsCritical05(10), 2.289954084479603));
    EXPECT_TRUE(closeTo(GrubbsCritical05(30), 2.908473059740962));
    EXPECT_TRUE(closeTo(CochranCritical05(3, 2), 0.9669444444444443));
    EXPECT_TRUE(closeTo(CochranCritical05(4, 3), 0.7679205583193612));
    EXPECT_TRUE(closeTo(CochranCritical05(5, 4), 0.5980927362811191));
    EXPECT_TRUE(closeTo(CochranCritical05(10, 2), 0.6020095610806493));
}

TEST(ExactDistributions, ArgumentsOutsideTheDomainAreArithmeticErrors)
{
    EXPECT_THROW(StudentCritical95(0), ArithmeticError);
    EXPECT_THROW(StudentCritical95(-3), ArithmeticError);
    EXPECT_THROW(StudentQuantile(1.0, 4), ArithmeticError);
    EXPECT_THROW(FisherCritical95(2, 0), ArithmeticError);
    EXPECT_THROW(FisherUpperTail(std::nan(""), 2, 3), ArithmeticError);
    EXPECT_THROW(ChiSquareQuantile(0, 2), ArithmeticError);
    EXPECT_THROW(GrubbsCritical05(2), ArithmeticError);
    EXPECT_THROW(CochranCritical05(1, 5), ArithmeticError);
    EXPECT_THROW(CochranCritical05(3, 1), ArithmeticError);
}

}  // namespace
}  // namespace kestra
