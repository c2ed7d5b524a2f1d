// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/centred_sums.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "stats/arithmetic_error.h"
#include "stats/statistics.h"

namespace kestra {
namespace {

// The values with every one moved by a whole number, written out as decimals and read back, as a user
// would type them: 1.4 shifted by 10^9 is the double nearest to 1000000001.4, not 1.4 + 1e9.
std::vector<double> shifted(const std::vector<std::string>& values, long long shift)
{
    std::vector<double> out;
    for (const std::string& v : values) {
        const auto dot = v.find('.');
        out.push_back(std::stod(std::to_string(std::stoll(v.substr(0, dot)) + shift) + v.substr(dot)));
    }
    return out;
}

TEST(CentredSumsTest, ShiftedValuesKeepEveryDigitOfTheirSquares)
{
    // 0.1, 0.2, 0.4, 0.3, 0.5: squares about the mean 0.1 exactly
    const std::vector<std::string> values = {"0.1", "0.2", "0.4", "0.3", "0.5"};
    for (long long shift : {0LL, 1000000LL, 1000000000LL, 123456789012LL}) {
        const CentredSums s = CentredSumsOf(shifted(values, shift));
        EXPECT_DOUBLE_EQ(s.squares, 0.1) << shift;
        EXPECT_DOUBLE_EQ(s.mean, static_cast<double>(shift) + 0.3) << shift;
    }
    // the raw-sum formula this replaces loses everything at 10^9
    const std::vector<double> big = shifted(values, 1000000000LL);
    double s1 = 0, s2 = 0;
    for (double v : big) {
        s1 += v;
        s2 += v * v;
    }
    EXPECT_GT(std::fabs((s2 - s1 * s1 / 5) - 0.1), 1.0);
}

TEST(CentredSumsTest, ExactZerosWhereTheDataMakeThem)
{
    EXPECT_EQ(CentredSumsOf(std::vector<double>{0.1, 0.1, 0.1}).squares, 0.0);
    EXPECT_EQ(CentredSumsOf(std::vector<double>{0.1, 0.1, 0.1}).mean, 0.1);
    EXPECT_EQ(CentredSumsOf(std::vector<double>{-0.3, 0.1, 0.2}).mean, 0.0);
    EXPECT_EQ(CentredSumsOf(std::vector<double>{}).squares, 0.0);
    EXPECT_EQ(CentredSumsOf(std::vector<double>{0, 0}).mean, 0.0);

    // two series with the same mean in a different order: nothing between them
    const std::vector<double> a = {0.1, 0.2, 0.7}, b = {0.7, 0.1, 0.2}, c = {0.3, 0.3, 0.4};
    const std::vector<std::span<const double>> groups = {a, b, c};
    const OneWayAnova anova = OneWayAnovaOf(groups);
    EXPECT_EQ(anova.between, 0.0);
    EXPECT_EQ(anova.groupMeans[0], anova.groupMeans[1]);
    const std::vector<double> same = {2.5, 2.5};
    const std::vector<std::span<const double>> constant = {same, same, same};
    const OneWayAnova flat = OneWayAnovaOf(constant);
    EXPECT_EQ(flat.between, 0.0);
    EXPECT_EQ(flat.within, 0.0);
    EXPECT_EQ(flat.total, 0.0);
    EXPECT_EQ(flat.grandMean, 2.5);
}

TEST(CentredSumsTest, OneWayAnovaOfGroupsOfDifferentSizes)
{
    // python3: fractions.Fraction on the decimals as written; float() of each exact result
    const std::vector<double> a = {1.5, 2.25, 3.125}, b = {4.0, 4.5}, c = {10.1, 9.9, 10.0, 10.2};
    const std::vector<std::span<const double>> groups = {a, b, c};
    const OneWayAnova anova = OneWayAnovaOf(groups);
    EXPECT_DOUBLE_EQ(anova.grandMean, 6.175);
    EXPECT_DOUBLE_EQ(anova.groupMeans[0], 2.2916666666666665);
    EXPECT_DOUBLE_EQ(anova.groupMeans[1], 4.25);
    EXPECT_DOUBLE_EQ(anova.groupMeans[2], 10.05);
    EXPECT_DOUBLE_EQ(anova.between, 112.71458333333334);
    EXPECT_DOUBLE_EQ(anova.within, 1.4979166666666666);
    EXPECT_DOUBLE_EQ(anova.total, 114.2125);

    const std::vector<std::span<const double>> none;
    EXPECT_THROW(OneWayAnovaOf(none), ArithmeticError);
    const std::vector<double> empty;
    const std::vector<std::span<const double>> withEmpty = {a, empty};
    EXPECT_THROW(OneWayAnovaOf(withEmpty), ArithmeticError);
}

TEST(CentredSumsTest, CrossProductsAndMeanDifferenceOnSharedLeadingDigits)
{
    // python3: Fraction sum((x - mx) * (y - my)) = 0.175; mean(A) - mean(B) = 11/60
    const std::vector<double> x = {1000000000.1, 1000000000.2, 1000000000.4, 1000000000.3};
    const std::vector<double> y = {0.5, 0.7, 1.6, 0.9};
    EXPECT_DOUBLE_EQ(CentredCrossProducts(x, y), 0.175);
    EXPECT_DOUBLE_EQ(CentredCrossProducts(y, x), 0.175);
    EXPECT_EQ(CentredCrossProducts(std::vector<double>{}, std::vector<double>{}), 0.0);
    EXPECT_THROW(CentredCrossProducts(x, std::vector<double>{1.0}), ArithmeticError);

    const std::vector<double> a = {123456789012.3, 123456789012.4};
    const std::vector<double> b = {123456789012.1, 123456789012.2, 123456789012.2};
    EXPECT_DOUBLE_EQ(MeanDifference(a, b), 0.18333333333333332);
    EXPECT_DOUBLE_EQ(MeanDifference(b, a), -0.18333333333333332);
    EXPECT_THROW(MeanDifference(a, std::vector<double>{}), ArithmeticError);
}

TEST(CentredSumsTest, ValuesWithTooManyDigitsFallBackToTwoPasses)
{
    // digits spread over far more than 38 places: 1e-30 next to 1e10 cannot be whole units of one decimal
    const std::vector<double> spread = {1e10, 1e10 + 2, 1e-30};
    const CentredSums s = CentredSumsOf(spread);
    const double mean = (2e10 + 2) / 3;
    EXPECT_NEAR(s.mean, mean, 1e-5);
    const double squares = std::pow(1e10 - mean, 2) + std::pow(1e10 + 2 - mean, 2) + std::pow(mean, 2);
    EXPECT_NEAR(s.squares / squares, 1.0, 1e-14);
    // thirds have seventeen digits each: summed exactly on those, a fraction of the shift is not lost
    const std::vector<double> thirds = {1e6 + 1.0 / 3, 1e6 + 2.0 / 3, 1e6 + 1.0};
    EXPECT_NEAR(CentredSumsOf(thirds).squares, 2.0 / 9, 1e-9);
    const std::vector<std::span<const double>> groups = {spread, thirds};
    const OneWayAnova anova = OneWayAnovaOf(groups);
    EXPECT_NEAR(anova.within / (s.squares + 2.0 / 9), 1.0, 1e-12);
    EXPECT_NEAR(anova.total / (anova.between + anova.within), 1.0, 1e-12);
}

TEST(CentredSumsTest, UnrepresentableValuesGiveNoNumberAndDescriptiveStatsSaysSo)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(CentredSumsOf(std::vector<double>{1.0, nan}).squares));
    EXPECT_TRUE(std::isinf(CentredSumsOf(std::vector<double>{1e300, -1e300, 1e300}).squares));
    std::array<double, 4> results{0, 11, 22, 33};
    const std::vector<double> withNan = {1.0, nan};
    EXPECT_THROW(DescriptiveStats(withNan, results), ArithmeticError);
    EXPECT_EQ(results, (std::array<double, 4>{0, 11, 22, 33}));
}

}  // namespace
}  // namespace kestra
