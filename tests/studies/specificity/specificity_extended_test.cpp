#include <gtest/gtest.h>

#include "framework/number_pattern.h"
#include "studies/extended_test_support.h"
#include "studies/specificity/specificity_study.h"

namespace kestra {
namespace {

// tppf(p, df): the t quantile of scipy through special.betaincinv, as in
// tests/stats/exact_distributions_test.cpp.

using test::closeTo;
using test::numberOf;

ExtendedStatistics computed(const std::vector<double>& a, const std::vector<double>& b)
{
    SetUserDecimalSeparator('.');
    SpecificityStudy study;
    study.setGroupSize(SpecificityStudy::kGroupA, static_cast<int>(a.size()));
    study.setGroupSize(SpecificityStudy::kGroupB, static_cast<int>(b.size()));
    for (std::size_t r = 0; r < a.size(); ++r) study.grid().setCell(static_cast<int>(r), 0, a[r]);
    for (std::size_t r = 0; r < b.size(); ++r) study.grid().setCell(static_cast<int>(r), 1, b[r]);
    EXPECT_TRUE(RunCalculation(study).computed);
    return study.extendedStatistics();
}

// A, B = np.array(...); vA, vB = A.var(ddof=1), B.var(ddof=1); qa, qb = vA/nA, vB/nB
// welch_df = (qa+qb)**2/(qa**2/(nA-1) + qb**2/(nB-1)); p_variances = min(1, 2*stats.f.sf(larger/smaller,
// ...)) pooled: stats.ttest_ind(A, B, equal_var=True).pvalue; Welch: stats.ttest_ind(A, B,
// equal_var=False).pvalue historical df: nA+nB-2 pooled, floor((qa+qb)**2/(qa**2/nA + qb**2/nB) + 0.5) Welch;
// p_exact = 2*stats.t.sf(|t|, historical df); t_critical_exact = tppf(0.975, historical df)
TEST(SpecificityExtended, PooledWorkedExample)
{
    const ExtendedStatistics e = computed({98.0, 98.5, 97.5, 98.2, 97.8}, {100.0, 100.5, 99.5, 100.2, 99.8});
    ASSERT_TRUE(e.available);
    EXPECT_EQ(test::keysOf(e), (std::vector<std::string>{"t_critical_exact", "f_critical_exact", "p_exact",
                                                         "welch_df", "p_variances", "p_t_exact", "mean_difference",
                                                         "mean_difference_ci_low", "mean_difference_ci_high"}));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.3060041352041662));  // 8 df
    EXPECT_TRUE(closeTo(numberOf(e, "f_critical_exact"), 6.388232908695868));   // f.ppf(0.95, 4, 4)
    EXPECT_TRUE(closeTo(numberOf(e, "welch_df"), 8.0));
    EXPECT_TRUE(closeTo(numberOf(e, "p_variances"), 1.0));
    EXPECT_TRUE(closeTo(numberOf(e, "p_exact"), 3.333803863270616e-05, 1e-9));
    EXPECT_EQ(numberOf(e, "p_t_exact"), numberOf(e, "p_exact"));
}

TEST(SpecificityExtended, SeparateVarianceExamples)
{
    // the worked example: historical df 5 (divided by nA and nB), Welch 4.0032
    const ExtendedStatistics e = computed({90, 110, 95, 105, 100}, {100.0, 100.2, 99.8, 100.1, 99.9});
    EXPECT_TRUE(closeTo(numberOf(e, "welch_df"), 4.003199999488001));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.570581835636315));
    EXPECT_TRUE(closeTo(numberOf(e, "p_variances"), 9.589767675087667e-07, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(e, "p_exact"), 1.0));
    EXPECT_TRUE(closeTo(numberOf(e, "p_t_exact"), 1.0));

    // unequal sizes, means apart: the Welch p with the unrounded df differs from the one with the historical
    // df 7
    const ExtendedStatistics u = computed({10.2, 10.8, 9.6, 11.1, 9.9, 10.4}, {12.0, 12.1, 11.9, 12.2, 11.8});
    EXPECT_TRUE(closeTo(numberOf(u, "welch_df"), 5.943016720360415));
    EXPECT_TRUE(closeTo(numberOf(u, "f_critical_exact"), 6.2560565021608845));  // f.ppf(0.95, 5, 4)
    EXPECT_TRUE(closeTo(numberOf(u, "p_variances"), 0.030096154844719152, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(u, "t_critical_exact"), 2.364624251592785));  // 7 df
    EXPECT_TRUE(closeTo(numberOf(u, "p_exact"), 0.00021258284699292196, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(u, "p_t_exact"), 0.00044338955996560804, 1e-9));
}

// d = A.mean() - B.mean(); pooled: se = sp*sqrt(1/nA + 1/nB), df = nA + nB - 2; Welch: se = sqrt(qa + qb),
// df = welch_df unrounded; d -+ tppf(0.975, df)*se (stats.t.ppf is off by 1e-9 at a df that is no integer,
// and by 1.7e-10 at 8 df: the pooled case takes t(0.975, 8) = 2.3060041352041667 from the closed form of the
// distribution function for even df, 1/2 + s/2 (1 + c/2 + 3c^2/8 + 15c^3/48), solved to 40 digits)
TEST(SpecificityExtended, IntervalOfTheDifferenceWithTheChosenTest)
{
    struct Case {
        std::vector<double> a, b;
        double difference, low, high;
    };
    const Case cases[] = {
        // pooled
        {{98.0, 98.5, 97.5, 98.2, 97.8}, {100.0, 100.5, 99.5, 100.2, 99.8}, -2.0, -2.555359337862943,
         -1.4446406621370567},
        // Welch, 4.0032 degrees of freedom
        {{90, 110, 95, 105, 100}, {100.0, 100.2, 99.8, 100.1, 99.9}, 0.0, -9.815084429806344, 9.815084429806344},
        // Welch, unequal sizes, 5.943 degrees of freedom
        {{10.2, 10.8, 9.6, 11.1, 9.9, 10.4}, {12.0, 12.1, 11.9, 12.2, 11.8}, -1.666666666666666,
         -2.251076804410499, -1.0822565289228332},
    };
    for (const Case& c : cases) {
        const ExtendedStatistics e = computed(c.a, c.b);
        EXPECT_NEAR(numberOf(e, "mean_difference").value_or(1e9), c.difference, 1e-12);
        EXPECT_TRUE(closeTo(numberOf(e, "mean_difference_ci_low"), c.low));
        EXPECT_TRUE(closeTo(numberOf(e, "mean_difference_ci_high"), c.high));
    }
}

}  // namespace
}  // namespace kestra
