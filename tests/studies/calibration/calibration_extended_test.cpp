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
                                      "intercept_ci_high", "p_regression", "p_lack_of_fit", "residuals",
                                      "slope_ci_low", "slope_ci_high", "back_calculated",
                                      "back_calculated_error_pct", "mandel_f", "p_mandel", "variance_ratio",
                                      "p_variance_ratio", "wls_slope", "wls_intercept"}));
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
    // nothing about either fit and no scatter within a level: the interval closes, the ratios have no meaning
    EXPECT_EQ(numberOf(exact, "slope_ci_low"), 1.0);
    EXPECT_EQ(numberOf(exact, "slope_ci_high"), 1.0);
    EXPECT_FALSE(numberOf(exact, "mandel_f"));
    EXPECT_FALSE(numberOf(exact, "p_mandel"));
    EXPECT_FALSE(numberOf(exact, "variance_ratio"));
    EXPECT_FALSE(numberOf(exact, "p_variance_ratio"));
    // the parabola passes through every point: its residual s is zero, the curvature certain
    const ExtendedStatistics bent = computed({1, 2, 3}, {{1, 1, 1}, {4, 4, 4}, {9, 9, 9}}, '.');
    EXPECT_FALSE(numberOf(bent, "mandel_f"));
    EXPECT_EQ(numberOf(bent, "p_mandel"), 0.0);
}

struct ReviewerCase {
    const char* name;
    std::vector<double> x;
    std::vector<std::vector<double>> y;
    double slopeLow, slopeHigh;
    std::vector<double> back, errorPct;
    double mandelF, pMandel, varianceRatio, pVarianceRatio, wlsSlope, wlsIntercept;
};

// n = len(levels[0]); X = np.repeat(x, n); Y = the responses level by level; N = len(X); lr = stats.linregress(X, Y)
// s1 = sqrt(sum((Y - lr.intercept - lr.slope*X)**2)/(N-2)); slope -+ stats.t.ppf(0.975, N-2)*s1/sqrt(Sxx)
// back = [(mean(l) - a)/b for l in levels], 100*(back - x)/x; c = np.polyfit(X, Y, 2);
// s2 = sqrt(sum((Y - np.polyval(c, X))**2)/(N-3)); DS2 = (N-2)*s1**2 - (N-3)*s2**2; F = DS2/s2**2,
// stats.f.sf(F, 1, N-3); v = var(ddof=1) of the lowest and highest level; F = max/min,
// min(1, 2*stats.f.sf(F, n-1, n-1)); np.polyfit(X, Y, 1, w=1/X) (weights 1/x² on the squares)
const ReviewerCase kReviewerCases[] = {
    {"straight",
     {1, 2, 3, 4},
     {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}},
     0.9355062242712149,
     1.0844937757287847,
     {1.0066006600660062, 1.9966996699669965, 2.986798679867987, 4.00990099009901},
     {0.6600660066006236, -0.16501650165017256, -0.44004400440043057, 0.24752475247524774},
     0.04495504495504447,
     0.8368106243523237,
     1.7142857142857102,
     0.7368421052631591,
     1.0055555555555558,
     -0.006666666666666213},
    // a curved response: Mandel's test prefers the parabola
    {"curved",
     {1, 2, 3, 4, 5},
     {{1.0, 1.1, 0.9}, {2.4, 2.5, 2.3}, {4.0, 4.1, 3.9}, {5.9, 6.0, 5.8}, {8.2, 8.1, 8.3}},
     1.6775309419470625,
     1.9024690580529375,
     {1.1564245810055866, 1.9385474860335197, 2.832402234636872, 3.893854748603352, 5.17877094972067},
     {15.642458100558665, -3.0726256983240163, -5.58659217877094, -2.6536312849162025, 3.575418994413404},
     101.25000000000013,
     3.348724299559061e-07,
     1.0,
     1.0,
     1.6496106124604024,
     -0.700607180570223},
    // replicates scattering more at the top: the variances are not homogeneous
    {"heteroscedastic",
     {1, 2, 5, 10},
     {{1.00, 1.01, 0.99}, {2.0, 2.05, 1.95}, {5.1, 4.8, 5.2}, {10.5, 9.3, 10.2}},
     0.9459993199076719,
     1.054680952201171,
     {0.9928595715742945, 1.9925195511730707, 5.024821489289358, 9.98979938796328},
     {-0.7140428425705503, -0.37402244134646656, 0.4964297857871536, -0.10200612036719292},
     0.0222008189023515,
     0.8848393680426513,
     3899.9999999999864,
     0.000512689054088697,
     1.003197278911565,
     -0.0034013605442174376},
};

class CalibrationReviewerTest : public ::testing::TestWithParam<ReviewerCase> {};

TEST_P(CalibrationReviewerTest, AgreesWithAnIndependentComputation)
{
    const ReviewerCase& c = GetParam();
    const ExtendedStatistics e = computed(c.x, c.y, ',');
    ASSERT_TRUE(e.available);
    EXPECT_TRUE(closeTo(numberOf(e, "slope_ci_low"), c.slopeLow));
    EXPECT_TRUE(closeTo(numberOf(e, "slope_ci_high"), c.slopeHigh));
    const ExtendedValue back = test::valueOf(e, "back_calculated");
    const ExtendedValue error = test::valueOf(e, "back_calculated_error_pct");
    ASSERT_EQ(back.numbers.size(), c.back.size());
    ASSERT_EQ(error.numbers.size(), c.errorPct.size());
    for (std::size_t i = 0; i < c.back.size(); ++i) {
        EXPECT_TRUE(closeTo(back.numbers[i], c.back[i])) << i;
        // a difference of nearly equal numbers: good to its absolute size, not to its own digits
        EXPECT_NEAR(error.numbers[i], c.errorPct[i], 1e-9) << i;
    }
    EXPECT_TRUE(closeTo(numberOf(e, "mandel_f"), c.mandelF, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(e, "p_mandel"), c.pMandel, 1e-8));
    EXPECT_TRUE(closeTo(numberOf(e, "variance_ratio"), c.varianceRatio, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(e, "p_variance_ratio"), c.pVarianceRatio, 1e-8));
    EXPECT_TRUE(closeTo(numberOf(e, "wls_slope"), c.wlsSlope, 1e-10));
    EXPECT_NEAR(numberOf(e, "wls_intercept").value_or(1e9), c.wlsIntercept, 1e-11);
}

INSTANTIATE_TEST_SUITE_P(Lines, CalibrationReviewerTest, ::testing::ValuesIn(kReviewerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalibrationExtended, BackCalculationFollowsTheStudysLevelOrder)
{
    // levels entered from the highest concentration down: one value per level, in that order
    const ExtendedStatistics e =
        computed({4, 3, 2, 1}, {{4.2, 3.9, 4.0}, {2.9, 3.1, 3.0}, {2.1, 1.9, 2.0}, {1.0, 1.2, 0.8}}, '.');
    const ExtendedValue back = test::valueOf(e, "back_calculated");
    ASSERT_EQ(back.numbers.size(), 4u);
    EXPECT_TRUE(closeTo(back.numbers[0], 4.00990099009901));
    EXPECT_TRUE(closeTo(back.numbers[3], 1.0066006600660062));
    EXPECT_TRUE(closeTo(numberOf(e, "variance_ratio"), 1.7142857142857102, 1e-9));
}

}  // namespace
}  // namespace kestra
