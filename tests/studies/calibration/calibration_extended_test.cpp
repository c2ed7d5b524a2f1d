#include <gtest/gtest.h>

#include "framework/number_pattern.h"
#include "studies/calibration/calibration_entry.h"
#include "studies/calibration/calibration_study.h"
#include "studies/extended_test_support.h"
#include "text/number_format.h"

namespace kestra {
namespace {

// tppf(p, df): the t quantile of scipy through special.betaincinv, as in
// tests/stats/exact_distributions_test.cpp.

using test::closeTo;
using test::numberOf;

ExtendedStatistics computed(const std::vector<double>& x, const std::vector<std::vector<double>>& y,
                            char separator)
{
    SetUserDecimalSeparator(separator);
    CalibrationStudy study;
    test::EnterCalibration(study, x, y);
    EXPECT_TRUE(RunCalculation(study).computed);
    ExtendedStatistics e = study.extendedStatistics();
    SetUserDecimalSeparator('.');
    return e;
}

// X = np.repeat([1,2,3,4], 3); Y = the responses level by level; lr = stats.linregress(X, Y)
// res = Y - (lr.intercept + lr.slope*X); sd = sqrt(sum(res**2)/(N-2)); sa = sqrt((X.mean()**2/Sxx +
// 1/N)*SSres/(N-2)) intercept -+ tppf(0.975, N-2)*sa; MSerr = pure error/(N-k); SSlack = SSres - pure error
// p_regression = stats.f.sf(SSreg/MSerr, 1, N-k); p_lack_of_fit = stats.f.sf(SSlack/(k-2)/MSerr, k-2, N-k)
TEST(CalibrationExtended, WorkedExample)
{
    for (char separator : {'.', ','}) {
        const ExtendedStatistics e = computed(
            {1, 2, 3, 4}, {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}}, separator);
        ASSERT_TRUE(e.available);
        EXPECT_EQ(
            test::keysOf(e),
            (std::vector<std::string>{"t_critical_exact", "f_critical_exact", "p_exact", "r_squared",
                                      "residual_sd", "lod_calibration", "loq_calibration", "intercept_ci_low",
                                      "intercept_ci_high", "p_regression", "p_lack_of_fit", "residuals"}));
        // the historical t1 is 2.20156 for the same 11 degrees of freedom
        EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.200985160091639));  // tppf(0.975, 11)
        EXPECT_TRUE(closeTo(numberOf(e, "f_critical_exact"), 5.317655071578714));  // f.ppf(0.95, 1, 8)
        EXPECT_TRUE(closeTo(numberOf(e, "r_squared"), 0.9891612347142161));
        EXPECT_TRUE(closeTo(numberOf(e, "residual_sd"), 0.12948616399703358));
        EXPECT_TRUE(closeTo(numberOf(e, "lod_calibration"), 0.4230736051388227));
        EXPECT_TRUE(closeTo(numberOf(e, "loq_calibration"), 1.2820412276934021));
        // historical -0.218 and 0.185 with t for N - 1
        EXPECT_TRUE(closeTo(numberOf(e, "intercept_ci_low"), -0.22067627347055133));
        EXPECT_TRUE(closeTo(numberOf(e, "intercept_ci_high"), 0.187342940137219));
        EXPECT_TRUE(closeTo(numberOf(e, "p_regression"), 3.7015029959555114e-09, 1e-8));
        EXPECT_EQ(numberOf(e, "p_exact"), numberOf(e, "p_regression"));
        // Paulson's approximation gives the historical 0.965
        EXPECT_TRUE(closeTo(numberOf(e, "p_lack_of_fit"), 0.9763557249284308, 1e-9));
        const std::vector<double> expected = {
            0.0066666666666663765, 0.20666666666666633,    -0.19333333333333358, 0.09666666666666668,
            -0.1033333333333335,   -0.0033333333333334103, -0.11333333333333329, 0.08666666666666689,
            -0.013333333333333197, 0.17666666666666675,    -0.12333333333333352, -0.023333333333333428};
        const ExtendedValue residuals = test::valueOf(e, "residuals");
        EXPECT_EQ(residuals.type, ExtendedValue::Type::Array);
        ASSERT_EQ(residuals.numbers.size(), expected.size());
        for (std::size_t j = 0; j < expected.size(); ++j)
            EXPECT_NEAR(residuals.numbers[j], expected[j], 1e-13) << j;
    }
}

// The same commands for levels 1, 2, 3 with the responses below.
TEST(CalibrationExtended, FallingLineGivesPositiveLimitsAndNoPureErrorIsSignificant)
{
    const ExtendedStatistics e =
        computed({1, 2, 3}, {{5.0, 5.1, 4.9}, {4.0, 4.1, 3.9}, {3.1, 2.9, 3.0}}, '.');
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.3060041352041662));  // tppf(0.975, 8)
    EXPECT_TRUE(closeTo(numberOf(e, "f_critical_exact"), 5.987377607273699));   // f.ppf(0.95, 1, 6)
    EXPECT_TRUE(closeTo(numberOf(e, "r_squared"), 0.9900990099009901));
    EXPECT_TRUE(closeTo(numberOf(e, "residual_sd"), 0.09258200997725502));
    EXPECT_TRUE(closeTo(numberOf(e, "lod_calibration"), 0.3055206329249415));
    EXPECT_TRUE(closeTo(numberOf(e, "loq_calibration"), 0.9258200997725502));
    EXPECT_TRUE(closeTo(numberOf(e, "intercept_ci_low"), 5.806929238339571));
    EXPECT_TRUE(closeTo(numberOf(e, "intercept_ci_high"), 6.193070761660429));
    EXPECT_TRUE(closeTo(numberOf(e, "p_regression"), 3.044423064042523e-07, 1e-8));
    EXPECT_TRUE(closeTo(numberOf(e, "p_lack_of_fit"), 1.0, 1e-9));

    // every level's responses equal: no pure error, so both mean squares are infinitely significant
    const ExtendedStatistics flat = computed({1, 2, 3}, {{1, 1, 1}, {2.1, 2.1, 2.1}, {2.9, 2.9, 2.9}}, '.');
    ASSERT_TRUE(flat.available);
    EXPECT_EQ(numberOf(flat, "p_regression"), 0.0);
    EXPECT_EQ(numberOf(flat, "p_lack_of_fit"), 0.0);
    // on a line through the level means there is no lack of fit either: its p is undefined
    const ExtendedStatistics exact = computed({1, 2, 3}, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}, '.');
    ASSERT_TRUE(exact.available);
    EXPECT_EQ(numberOf(exact, "p_regression"), 0.0);
    EXPECT_FALSE(numberOf(exact, "p_lack_of_fit"));
    EXPECT_EQ(numberOf(exact, "residual_sd"), 0.0);
}

}  // namespace
}  // namespace kestra
