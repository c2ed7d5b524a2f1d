// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace kestra {
namespace {

// Table double that records every lookup.
class FakeFTable : public FTableLookup {
public:
    std::optional<double> find(int gdl1, int gdl2) const override
    {
        calls.emplace_back(gdl1, gdl2);
        if (auto it = rows.find({gdl1, gdl2}); it != rows.end()) return it->second;
        return std::nullopt;
    }
    std::map<std::pair<int, int>, double> rows;
    mutable std::vector<std::pair<int, int>> calls;
};

template <class Call>
ArithmeticError::Kind faultOf(Call&& call)
{
    try {
        call();
    } catch (const ArithmeticError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
        return e.kind;
    }
    ADD_FAILURE() << "no ArithmeticError raised";
    return ArithmeticError::Kind::InvalidArgument;
}

using Kind = ArithmeticError::Kind;

TEST(StatisticsTest, TCritical95UsesTableThenExpansionWithApproximateQuantile)
{
    EXPECT_EQ(TCritical95(2, 1), 12.706);
    EXPECT_EQ(TCritical95(3, 1), 4.303);
    EXPECT_EQ(TCritical95(4, 1), 3.182);
    EXPECT_EQ(TCritical95(9, 5), 2.776);  // df = a - b
    EXPECT_NEAR(TCritical95(6, 1), 2.571373, 5e-7);
    EXPECT_NEAR(TCritical95(11, 1), 2.228732, 5e-7);
    EXPECT_NEAR(TCritical95(21, 1), 2.086468, 5e-7);
    EXPECT_NEAR(TCritical95(101, 1), 1.984416, 5e-7);
    EXPECT_NEAR(TCritical95(7, 1), 2.447640, 5e-7);
}

TEST(StatisticsTest, TCritical95RejectsDegreesOfFreedomItCannotUse)
{
    EXPECT_EQ(faultOf([] { TCritical95(1, 1); }), Kind::DivisionByZero);
    EXPECT_EQ(faultOf([] { TCritical95(1, 3); }), Kind::InvalidArgument);
    EXPECT_EQ(faultOf([] { TCritical95(40000, 1); }), Kind::Overflow);
    EXPECT_EQ(faultOf([] { TCritical95(32767, -1); }), Kind::Overflow);  // 16-bit subtraction
}

TEST(StatisticsTest, FCritical05ExpansionNeverConsultsTheTable)
{
    FakeFTable table;
    table.rows[{4, 4}] = 99.0;
    EXPECT_NEAR(FCritical05(4, 4, table), 6.405712, 5e-7);
    EXPECT_NEAR(FCritical05(4, 10, table), 3.480808, 5e-7);
    EXPECT_NEAR(FCritical05(10, 10, table), 2.979226, 5e-7);
    EXPECT_NEAR(FCritical05(10, 20, table), 2.348389, 5e-7);
    EXPECT_TRUE(table.calls.empty());
}

TEST(StatisticsTest, FCritical05ReadsTheTableAndFallsBackToLimitingValues)
{
    FakeFTable table;
    table.rows[{2, 6}] = 5.14;
    EXPECT_EQ(FCritical05(2, 6, table), 5.14);
    EXPECT_EQ(FCritical05(2, 5000, table), 3.0);
    EXPECT_EQ(FCritical05(1, 5000, table), 3.84);
    EXPECT_EQ(FCritical05(3, 5000, table), 2.6);
    EXPECT_EQ(FCritical05(0, 5, table), 0.0);
    EXPECT_EQ(FCritical05(-2, 5, table), 0.0);
    EXPECT_EQ(FCritical05(2, 0, table), 3.0);  // no row, no division: the limiting value
    const std::vector<std::pair<int, int>> expected = {{2, 6}, {2, 5000}, {1, 5000}, {3, 5000},
                                                       {0, 5}, {-2, 5},   {2, 0}};
    EXPECT_EQ(table.calls, expected);
}

TEST(StatisticsTest, FCritical05RejectsFaultyDegreesOfFreedom)
{
    FakeFTable table;
    EXPECT_EQ(faultOf([&] { FCritical05(4, 0, table); }), Kind::DivisionByZero);
    EXPECT_EQ(faultOf([&] { FCritical05(4, -4, table); }), Kind::InvalidArgument);
    EXPECT_EQ(faultOf([&] { FCritical05(20000, 20000, table); }), Kind::Overflow);  // df1 + df2
    EXPECT_EQ(faultOf([&] { FCritical05(2, 40000, table); }), Kind::Overflow);
    EXPECT_TRUE(table.calls.empty());
}

TEST(StatisticsTest, FTailProbabilityByPaulsonApproximation)
{
    EXPECT_NEAR(FTailProbability(3.478, 4, 10), 0.04999, 2e-5);
    EXPECT_NEAR(FTailProbability(10, 1, 10), 0.00992, 2e-5);
    EXPECT_NEAR(FTailProbability(0.5, 4, 10), 0.738, 5e-4);  // below the centre: negative z
    EXPECT_GT(FTailProbability(0, 4, 10), 0.9);
    EXPECT_LE(FTailProbability(0, 4, 10), 1.0);
}

TEST(StatisticsTest, FTailProbabilityFarTailIsZeroOrOneInsteadOfAnOverflowFailure)
{
    EXPECT_EQ(FTailProbability(1e6, 1, 200), 0.0);
    EXPECT_EQ(FTailProbability(1e300, 1, 200), 0.0);
    EXPECT_EQ(FTailProbability(0, 3640, 10), 1.0);  // z far below 0
    for (double f : {30.0, 100.0, 1e4})
        EXPECT_GE(FTailProbability(f, 1, 200), 0.0) << f;  // rounding never makes it negative
}

TEST(StatisticsTest, FTailProbabilityRejectsWhatThe16BitProductsCannotHold)
{
    EXPECT_NO_THROW(FTailProbability(2, 3640, 3640));
    EXPECT_EQ(faultOf([] { FTailProbability(2, 3641, 10); }), Kind::Overflow);
    EXPECT_EQ(faultOf([] { FTailProbability(2, 10, 5000); }), Kind::Overflow);
    EXPECT_EQ(faultOf([] { FTailProbability(2, 0, 10); }), Kind::DivisionByZero);
    EXPECT_EQ(faultOf([] { FTailProbability(2, 10, -1); }), Kind::InvalidArgument);
    EXPECT_EQ(faultOf([] { FTailProbability(-1, 4, 10); }), Kind::InvalidArgument);
}

TEST(StatisticsTest, TTailProbabilityOddAndEvenSeries)
{
    EXPECT_NEAR(TTailProbability(2.228, 10), 0.0500, 5e-5);
    EXPECT_NEAR(TTailProbability(12.706, 1), 0.0500, 5e-5);
    EXPECT_NEAR(TTailProbability(3.182, 3), 0.0500, 5e-5);
    EXPECT_NEAR(TTailProbability(2.571, 5), 0.0500, 5e-5);
    EXPECT_NEAR(TTailProbability(4.303, 2), 0.0500, 5e-5);
    EXPECT_NEAR(TTailProbability(8.304548, 8), 0.00003, 1e-5);
    EXPECT_EQ(TTailProbability(-2.228, 10), TTailProbability(2.228, 10));
    EXPECT_EQ(TTailProbability(0, 1), 1.0);
    EXPECT_EQ(TTailProbability(0, 10), 1.0);
    // The largest 16-bit df: close to the normal tail of 1.96 and quick to compute.
    EXPECT_NEAR(TTailProbability(1.96, 32767), 0.05, 1e-4);
    EXPECT_NEAR(TTailProbability(1.96, 32766), 0.05, 1e-4);
}

TEST(StatisticsTest, TTailProbabilityRejectsNonPositiveDegreesOfFreedom)
{
    EXPECT_EQ(faultOf([] { TTailProbability(2, 0); }), Kind::DivisionByZero);
    EXPECT_EQ(faultOf([] { TTailProbability(2, -3); }), Kind::InvalidArgument);
    EXPECT_EQ(faultOf([] { TTailProbability(2, 40000); }), Kind::Overflow);
}

TEST(StatisticsTest, DescriptiveStatsWritesPositionsOneToThree)
{
    std::array<double, 4> results{-7, 0, 0, 0};
    const std::vector<double> values{1, 2, 3, 4, 5};
    DescriptiveStats(values, results);
    EXPECT_EQ(results[0], -7);
    EXPECT_DOUBLE_EQ(results[1], 3);
    EXPECT_DOUBLE_EQ(results[2], 2.5);
    EXPECT_NEAR(results[3], 52.7046, 5e-5);

    const std::vector<double> negative{-1, -2, -3, -4, -5};
    DescriptiveStats(negative, results);
    EXPECT_NEAR(results[3], -52.7046, 5e-5);

    const std::vector<double> equal{0.1, 0.1, 0.1};
    DescriptiveStats(equal, results);
    EXPECT_GE(results[2], 0.0);
    EXPECT_NEAR(results[2], 0.0, 1e-15);
}

TEST(StatisticsTest, DescriptiveStatsLeavesResultsAloneWhenMeanIsZero)
{
    std::array<double, 4> results{0, 11, 22, 33};
    const std::vector<double> values{-1, 1, -2, 2};
    DescriptiveStats(values, results);
    EXPECT_EQ(results, (std::array<double, 4>{0, 11, 22, 33}));
    const std::vector<double> single{0};
    EXPECT_NO_THROW(DescriptiveStats(single, results));
    EXPECT_EQ(results, (std::array<double, 4>{0, 11, 22, 33}));
}

TEST(StatisticsTest, DescriptiveStatsFaults)
{
    std::array<double, 4> results{0, 11, 22, 33};
    const std::vector<double> single{4};
    EXPECT_EQ(faultOf([&] { DescriptiveStats(single, results); }), Kind::DivisionByZero);
    EXPECT_EQ(faultOf([&] { DescriptiveStats({}, results); }), Kind::DivisionByZero);
    // a variance beyond the largest double; equal huge values have none (it is 0, not an overflow)
    const std::vector<double> huge{1e200, 3e200};
    EXPECT_EQ(faultOf([&] { DescriptiveStats(huge, results); }), Kind::Overflow);
    const std::vector<double> tooMany(40000, 1.0);
    EXPECT_EQ(faultOf([&] { DescriptiveStats(tooMany, results); }), Kind::Overflow);
    EXPECT_EQ(results, (std::array<double, 4>{0, 11, 22, 33}));
    const std::vector<double> equalHuge{1e200, 1e200};
    DescriptiveStats(equalHuge, results);
    EXPECT_EQ(results, (std::array<double, 4>{0, 1e200, 0, 0}));
}

TEST(StatisticsTest, DescriptiveStatsAboutTheMeanKeepsSharedLeadingDigits)
{
    // 1.581139 of 1, 2, 3, 4, 5 (the worked example) whatever the offset, as typed with one decimal;
    // python3: Fraction variance of the decimals = 2.5 exactly for every offset
    std::array<double, 4> results{};
    for (double offset : {0.0, 1e6, 1e9, 123456789012.0}) {
        const std::vector<double> values{offset + 1, offset + 2, offset + 3, offset + 4, offset + 5};
        DescriptiveStats(values, results);
        EXPECT_DOUBLE_EQ(results[1], offset + 3) << offset;
        EXPECT_DOUBLE_EQ(results[2], 2.5) << offset;
        EXPECT_DOUBLE_EQ(results[3], std::sqrt(2.5) * 100 / (offset + 3)) << offset;
    }
    // weighings of 100.00012 g and thereabouts: python3 Fraction variance = 2.5e-10
    const std::vector<double> weighings{100.00011, 100.00012, 100.00013, 100.00014, 100.00015};
    DescriptiveStats(weighings, results);
    EXPECT_DOUBLE_EQ(results[1], 100.00013);
    EXPECT_DOUBLE_EQ(results[2], 2.5e-10);
}

TEST(StatisticsTest, ConfidenceIntervalCutsToThreeDecimals)
{
    const std::vector<double> one{0};
    double lower = 0, upper = 0, width = 0;
    const double relative = ConfidenceInterval(one, 10, 0.12379, 1, lower, upper, width);
    EXPECT_DOUBLE_EQ(upper, 10.123);
    EXPECT_DOUBLE_EQ(lower, 9.877);
    EXPECT_DOUBLE_EQ(width, 0.246);
    EXPECT_DOUBLE_EQ(relative, 1.237);  // 1.2379 cut

    // Only the count of the values matters: t * s / sqrt(4) = 0.472736 -> 0.472.
    const std::vector<double> four{9, 9, 9, 9};
    ConfidenceInterval(four, 98, 0.340588, 2.776, lower, upper, width);
    EXPECT_DOUBLE_EQ(lower, 97.528);
    EXPECT_DOUBLE_EQ(upper, 98.472);

    // floor goes towards minus infinity with a negative mean.
    EXPECT_DOUBLE_EQ(ConfidenceInterval(one, -10, 0.12379, 1, lower, upper, width), -1.238);
}

TEST(StatisticsTest, ConfidenceIntervalFaults)
{
    double lower = 5, upper = 5, width = 5;
    const std::vector<double> values{1, 2};
    EXPECT_EQ(faultOf([&] { ConfidenceInterval(values, 0, 1, 2, lower, upper, width); }),
              Kind::DivisionByZero);
    EXPECT_EQ(faultOf([&] { ConfidenceInterval({}, 3, 1, 2, lower, upper, width); }), Kind::DivisionByZero);
    EXPECT_EQ(lower + upper + width, 15);
}

TEST(StatisticsTest, NormalDensityWithTheRoundedTwoPi)
{
    EXPECT_EQ(NormalDensity(3, 2, 0), 0.0);
    EXPECT_DOUBLE_EQ(NormalDensity(100, 100, 2), 1.0 / (std::sqrt(6.283186) * 2));
    EXPECT_DOUBLE_EQ(NormalDensity(101, 100, 1), std::exp(-0.5) / std::sqrt(6.283186));
    EXPECT_EQ(NormalDensity(1e6, 0, 1), 0.0);
}

TEST(StatisticsTest, ArraySum)
{
    EXPECT_EQ(ArraySum({}), 0.0);
    const std::vector<double> values{1.5, -0.5, 2};
    EXPECT_EQ(ArraySum(values), 3.0);
    const std::vector<double> huge{1e308, 1e308};
    EXPECT_EQ(faultOf([&] { ArraySum(huge); }), Kind::Overflow);
}

TEST(StatisticsTest, CheckedInt16Range)
{
    EXPECT_EQ(checkedInt16(32767, "n"), 32767);
    EXPECT_EQ(checkedInt16(-32768, "n"), -32768);
    EXPECT_EQ(faultOf([] { checkedInt16(32768, "i gradi di libertà"); }), Kind::Overflow);
    try {
        checkedInt16(-40000, "i gradi di libertà");
    } catch (const ArithmeticError& e) {
        EXPECT_NE(std::string(e.what()).find("i gradi di libertà: -40000"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace kestra
