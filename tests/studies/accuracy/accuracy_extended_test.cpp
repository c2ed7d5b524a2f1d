#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/extended_test_support.h"

namespace kestra {
namespace {

// tppf(p, df): the t quantile of scipy through special.betaincinv, as in
// tests/stats/exact_distributions_test.cpp.

using test::closeTo;
using test::numberOf;
using Levels = std::vector<std::vector<double>>;

// Recoveries of the levels used: one list for one level (the central grid), three for three levels.
ExtendedStatistics computed(const Levels& levels)
{
    SetUserDecimalSeparator('.');
    SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    AccuracyStudy study;
    const bool three = levels.size() == 3;
    study.setLevelMode(three ? AccuracyStudy::LevelMode::Three : AccuracyStudy::LevelMode::One);
    study.setDeterminations(static_cast<int>(levels[0].size()));
    for (std::size_t i = 0; i < levels.size(); ++i)
        for (std::size_t r = 0; r < levels[i].size(); ++r)
            study.levelGrid(three ? static_cast<int>(i) : AccuracyStudy::kCentral)
                .setCell(static_cast<int>(r), AccuracyStudy::kRecoveryColumn, levels[i][r]);
    EXPECT_TRUE(RunCalculation(study).computed);
    return study.extendedStatistics();
}

// L = [np.array(l) for l in levels]; n = len(L[0]); F, p = stats.f_oneway(*L); t = tppf(0.975, n-1)
// each level: l.mean() -+ t*l.std(ddof=1)/sqrt(n); f_critical = stats.f.ppf(0.95, 2, 3n-3)
TEST(AccuracyExtended, ThreeLevelsWorkedExamples)
{
    const ExtendedStatistics e = computed({{99, 101, 100}, {98, 100, 99}, {100, 102, 101}});
    ASSERT_TRUE(e.available);
    EXPECT_EQ(test::keysOf(e),
              (std::vector<std::string>{"t_critical_exact", "f_critical_exact", "p_exact", "p_levels",
                                        "ci_low_exact_0", "ci_high_exact_0", "ci_low_exact_1",
                                        "ci_high_exact_1", "ci_low_exact_2", "ci_high_exact_2", "bias_0",
                                        "tolerance_low_0", "tolerance_high_0", "bias_1", "tolerance_low_1",
                                        "tolerance_high_1", "bias_2", "tolerance_low_2", "tolerance_high_2"}));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 4.302652729749462));  // historical 4.303
    EXPECT_TRUE(closeTo(numberOf(e, "f_critical_exact"), 5.143252849784718));  // table 5.14
    EXPECT_TRUE(closeTo(numberOf(e, "p_levels"), 0.125));
    EXPECT_EQ(numberOf(e, "p_exact"), numberOf(e, "p_levels"));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_low_exact_0"), 97.51586228824966));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_high_exact_0"), 102.48413771175034));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_low_exact_1"), 96.51586228824966));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_high_exact_1"), 101.48413771175034));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_low_exact_2"), 98.51586228824966));
    EXPECT_TRUE(closeTo(numberOf(e, "ci_high_exact_2"), 103.48413771175034));

    const ExtendedStatistics s = computed({{109, 111, 110}, {99, 100, 101}, {89, 91, 90}});
    EXPECT_TRUE(closeTo(numberOf(s, "p_levels"), 9.705901479276445e-07, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(s, "ci_low_exact_0"), 107.51586228824966));
    EXPECT_TRUE(closeTo(numberOf(s, "ci_high_exact_2"), 92.48413771175034));

    // every level constant, the means different: no error variance, the levels differ beyond doubt
    const ExtendedStatistics c = computed({{101, 101, 101}, {100, 100, 100}, {99, 99, 99}});
    EXPECT_EQ(numberOf(c, "p_levels"), 0.0);
    EXPECT_EQ(numberOf(c, "ci_low_exact_1"), 100.0);
}

// res = stats.ttest_1samp(l, 100); res.pvalue; tppf(0.975, len(l)-1)
TEST(AccuracyExtended, OneLevelTestsTheMeanAgainst100)
{
    const ExtendedStatistics e = computed({{98.5, 99.0, 98.0, 99.5}});
    ASSERT_TRUE(e.available);
    EXPECT_EQ(test::keysOf(e), (std::vector<std::string>{"t_critical_exact", "f_critical_exact", "p_exact",
                                                         "bias_1", "tolerance_low_1", "tolerance_high_1"}));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 3.182446305283708));
    EXPECT_FALSE(numberOf(e, "f_critical_exact"));
    EXPECT_TRUE(closeTo(numberOf(e, "p_exact"), 0.030466291662170977, 1e-9));

    EXPECT_TRUE(closeTo(numberOf(computed({{99, 100, 101}}), "p_exact"), 1.0));
    // a constant recovery of 100 % tests nothing; one away from it is certain
    EXPECT_FALSE(numberOf(computed({{100, 100, 100}}), "p_exact"));
    EXPECT_EQ(numberOf(computed({{97, 97, 97}}), "p_exact"), 0.0);
}

// each level l: l.mean() - 100; l.mean() -+ stats.t.ppf(0.975, n-1)*l.std(ddof=1)*sqrt(1 + 1/n)
TEST(AccuracyExtended, BiasAndToleranceIntervalPerLevel)
{
    struct Case {
        Levels levels;
        std::vector<std::array<double, 3>> expected;  // bias, low, high of the levels used, in key order
        int firstKey;
    };
    const Case cases[] = {
        {{{99, 101, 100}, {98, 100, 99}, {100, 102, 101}},
         {{0.0, 95.0317245763125, 104.9682754236875},
          {-1.0, 94.0317245763125, 103.9682754236875},
          {1.0, 96.0317245763125, 105.9682754236875}},
         0},
        {{{109, 111, 110}, {99, 100, 101}, {89, 91, 90}},
         {{10.0, 105.0317245763125, 114.9682754236875},
          {0.0, 95.0317245763125, 104.9682754236875},
          {-10.0, 85.0317245763125, 94.9682754236875}},
         0},
        {{{98.5, 99.0, 98.0, 99.5}}, {{-1.25, 96.45326721120325, 101.04673278879675}}, 1},
        {{{99, 100, 101}}, {{0.0, 95.0317245763125, 104.9682754236875}}, 1},
    };
    for (const Case& c : cases) {
        const ExtendedStatistics e = computed(c.levels);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const std::string level = std::to_string(c.firstKey + static_cast<int>(i));
            EXPECT_NEAR(numberOf(e, "bias_" + level).value_or(1e9), c.expected[i][0], 1e-12) << level;
            EXPECT_TRUE(closeTo(numberOf(e, "tolerance_low_" + level), c.expected[i][1])) << level;
            EXPECT_TRUE(closeTo(numberOf(e, "tolerance_high_" + level), c.expected[i][2])) << level;
        }
    }
}

}  // namespace
}  // namespace kestra
