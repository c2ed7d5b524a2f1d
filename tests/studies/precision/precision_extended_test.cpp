#include <gtest/gtest.h>

#include "framework/number_pattern.h"
#include "studies/extended_test_support.h"
#include "studies/precision/precision_study.h"

namespace kestra {
namespace {

// tppf(p, df): the t quantile of scipy through special.betaincinv, as in
// tests/stats/exact_distributions_test.cpp.

using test::closeTo;
using test::numberOf;

ExtendedStatistics computed(std::initializer_list<double> values)
{
    SetUserDecimalSeparator('.');
    PrecisionStudy study;
    study.setDeterminationCount(static_cast<int>(values.size()));
    int r = 0;
    for (double v : values) study.grid().setCell(r++, 0, v);
    EXPECT_TRUE(RunCalculation(study).computed);
    return study.extendedStatistics();
}

// x = np.array([...]); n = len(x); t = tppf(0.975, n-1); s = x.std(ddof=1)
// G = abs(x - x.mean()).max() / s; row = abs(x - x.mean()).argmax() + 1; limits x.mean() -+ t*s/sqrt(n)
TEST(PrecisionExtended, WorkedExampleHasNoOutlier)
{
    const ExtendedStatistics e = computed({10.1, 9.9, 10.0, 10.2, 9.8, 10.0});
    ASSERT_TRUE(e.available);
    EXPECT_EQ(test::keysOf(e), (std::vector<std::string>{"t_critical_exact", "f_critical_exact", "p_exact",
                                                         "grubbs_g", "grubbs_critical", "grubbs_suspect_row",
                                                         "ci_low_exact", "ci_high_exact", "s_ci_low", "s_ci_high",
                                                         "cv_ci_low", "cv_ci_high"}));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.570581835636315));
    EXPECT_FALSE(numberOf(e, "f_critical_exact"));
    EXPECT_FALSE(numberOf(e, "p_exact"));
    EXPECT_TRUE(closeTo(numberOf(e, "grubbs_g"), 1.4142135623730951));
    EXPECT_TRUE(closeTo(numberOf(e, "grubbs_critical"), 1.8871451177839336));
    EXPECT_FALSE(numberOf(e, "grubbs_suspect_row"));
    // the historical limits are 9.852 and 10.148 (t 2.571, half-width cut to 3 decimals)
    EXPECT_TRUE(closeTo(numberOf(e, "ci_low_exact"), 9.851587388522141));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_high_exact"), 10.148412611477859));
    EXPECT_EQ(test::valueOf(e, "grubbs_suspect_row").type, ExtendedValue::Type::Integer);
    for (const auto& v : e.values) {
        EXPECT_FALSE(v.nameIt.empty() || v.nameEn.empty() || v.noteIt.empty() || v.noteEn.empty()) << v.key;
        EXPECT_EQ(v.noteIt.find('\n'), std::string::npos) << v.key;
    }
}

TEST(PrecisionExtended, OutlierRowAndEqualValues)
{
    const ExtendedStatistics e = computed({10.0, 10.1, 9.9, 10.0, 10.1, 12.0});
    EXPECT_TRUE(closeTo(numberOf(e, "grubbs_g"), 2.0325499954654913));
    EXPECT_EQ(numberOf(e, "grubbs_suspect_row"), 6.0);
    EXPECT_TRUE(closeTo(numberOf(e, "ci_low_exact"), 9.498080583655303));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_high_exact"), 11.201919416344696));

    // all equal: the study computes (s = 0), Grubbs' G has no meaning, the limits close on the mean
    const ExtendedStatistics same = computed({5, 5, 5});
    ASSERT_TRUE(same.available);
    EXPECT_FALSE(numberOf(same, "grubbs_g"));
    EXPECT_FALSE(numberOf(same, "grubbs_suspect_row"));
    EXPECT_TRUE(closeTo(numberOf(same, "grubbs_critical"), 1.1543048513440386));
    EXPECT_EQ(numberOf(same, "ci_low_exact"), 5.0);
    EXPECT_EQ(numberOf(same, "ci_high_exact"), 5.0);
}

// x = np.array([...]); n = len(x); s = x.std(ddof=1); s*sqrt((n-1)/stats.chi2.ppf(0.975, n-1)),
// s*sqrt((n-1)/stats.chi2.ppf(0.025, n-1)); the same * 100/x.mean()
TEST(PrecisionExtended, ChiSquareIntervalOfTheStandardDeviation)
{
    struct Case {
        std::initializer_list<double> values;
        double sLow, sHigh, cvLow, cvHigh;
    };
    const Case cases[] = {
        {{10.1, 9.9, 10.0, 10.2, 9.8, 10.0}, 0.08827634225364656, 0.3468519965870961, 0.8827634225364654,
         3.4685199658709607},
        {{10.0, 10.1, 9.9, 10.0, 10.1, 12.0}, 0.5067246591843098, 1.9910029717020057, 4.895890426901543,
         19.236743687942084},
    };
    for (const Case& c : cases) {
        const ExtendedStatistics e = computed(c.values);
        EXPECT_TRUE(closeTo(numberOf(e, "s_ci_low"), c.sLow));
        EXPECT_TRUE(closeTo(numberOf(e, "s_ci_high"), c.sHigh));
        EXPECT_TRUE(closeTo(numberOf(e, "cv_ci_low"), c.cvLow));
        EXPECT_TRUE(closeTo(numberOf(e, "cv_ci_high"), c.cvHigh));
    }
    // a negative mean keeps the lower limit below the upper
    const ExtendedStatistics negative = computed({-10.1, -9.9, -10.0, -10.2, -9.8, -10.0});
    EXPECT_TRUE(closeTo(numberOf(negative, "cv_ci_low"), -3.4685199658709607));
    EXPECT_TRUE(closeTo(numberOf(negative, "cv_ci_high"), -0.8827634225364654));
}

TEST(PrecisionExtended, ValuesAreThoseShownByTheGrid)
{
    SetUserDecimalSeparator('.');
    PrecisionStudy study;
    study.setNumberFormat({3, 1});
    // entered with more digits than the grid shows: 10.14 is used as 10.1, and so on
    const double entered[] = {10.14, 9.86, 10.04, 10.21, 9.79, 10.03};
    for (int r = 0; r < 6; ++r) study.grid().setCell(r, 0, entered[r]);
    ASSERT_TRUE(RunCalculation(study).computed);
    EXPECT_TRUE(closeTo(numberOf(study.extendedStatistics(), "ci_low_exact"), 9.851587388522141));
}

}  // namespace
}  // namespace kestra
