#include <gtest/gtest.h>

#include "studies/extended_test_support.h"
#include "studies/intermediate_precision/series_study_fixture.h"

namespace kestra {
namespace {

// tppf(p, df): the t quantile of scipy through special.betaincinv, as in
// tests/stats/exact_distributions_test.cpp.

using test::closeTo;
using test::numberOf;

class SeriesExtendedTest : public test::SeriesStudyTest, public ::testing::WithParamInterface<bool> {
protected:
    ExtendedStatistics computed(const std::vector<std::vector<double>>& series)
    {
        IntermediatePrecisionStudy study(GetParam() ? ReproducibilityConfig()
                                                    : IntermediatePrecisionConfig());
        enter(study, series);
        EXPECT_TRUE(RunCalculation(study).computed);
        return study.extendedStatistics();
    }
};

// S = [np.array(s) for s in series]; F, p = stats.f_oneway(*S); v = [s.var(ddof=1) for s in S]
// C = max(v)/sum(v); critical 1/(1 + (k-1)/stats.f.ppf(1 - 0.05/k, n-1, (k-1)*(n-1)))
// sb = sqrt(max(0, (MSB - MSW)/n)); sR = sqrt(MSW + sb**2); t = tppf(0.975, N-1); f = stats.f.ppf(0.95, k-1,
// N-k)
TEST_P(SeriesExtendedTest, WorkedExample)
{
    const ExtendedStatistics e = computed(workedExample());
    ASSERT_TRUE(e.available);
    EXPECT_EQ(test::keysOf(e),
              (std::vector<std::string>{"t_critical_exact", "f_critical_exact", "p_exact", "cochran_c",
                                        "cochran_critical", "cochran_suspect_series", "p_series",
                                        "s_between_iso", "s_reproducibility_iso", "s_r_ci_low", "s_r_ci_high",
                                        "df_R", "s_R_ci_low", "s_R_ci_high"}));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.570581835636315));  // historical 2.571373
    EXPECT_TRUE(closeTo(numberOf(e, "f_critical_exact"), 9.552094495921155));  // table 9.55
    EXPECT_TRUE(closeTo(numberOf(e, "p_series"), 0.074132475036777, 1e-9));
    EXPECT_EQ(numberOf(e, "p_exact"), numberOf(e, "p_series"));
    EXPECT_TRUE(closeTo(numberOf(e, "cochran_c"), 1.0 / 3));
    EXPECT_TRUE(closeTo(numberOf(e, "cochran_critical"), 0.9669444444444443));
    EXPECT_FALSE(numberOf(e, "cochran_suspect_series"));
    // sb^2 = 6 > 0: the same as the historical sb and sR
    EXPECT_TRUE(closeTo(numberOf(e, "s_between_iso"), 2.449489742783178));
    EXPECT_TRUE(closeTo(numberOf(e, "s_reproducibility_iso"), 2.82842712474619));
}

TEST_P(SeriesExtendedTest, ScatteredSeriesIsSuspectAndBetweenSeriesIsZero)
{
    const ExtendedStatistics e =
        computed({{10.0, 10.1, 10.0}, {10.2, 10.1, 10.2}, {9.0, 11.0, 10.0}, {10.1, 10.0, 10.1}});
    EXPECT_TRUE(closeTo(numberOf(e, "cochran_c"), 0.9900990099009901));
    EXPECT_TRUE(closeTo(numberOf(e, "cochran_critical"), 0.7679205583193612));
    EXPECT_EQ(numberOf(e, "cochran_suspect_series"), 3.0);
    EXPECT_TRUE(closeTo(numberOf(e, "p_series"), 0.9786229368593417, 1e-9));
    EXPECT_TRUE(closeTo(numberOf(e, "t_critical_exact"), 2.200985160091639));
    EXPECT_TRUE(closeTo(numberOf(e, "f_critical_exact"), 4.06618055135116));
    // MSB < MSW: ISO puts the between-series s at zero where the historical value takes the s of the means
    EXPECT_EQ(numberOf(e, "s_between_iso"), 0.0);
    EXPECT_TRUE(closeTo(numberOf(e, "s_reproducibility_iso"), 0.5024937810560445));
}

// MSB, MSW of the one-way analysis; sr = sqrt(MSW), df = k*(n-1): sr*sqrt(df/stats.chi2.ppf(0.975, df)) and
// 0.025; B = MSB/n, W = (n-1)*MSW/n; df_R = (B + W)**2/(B**2/(k-1) + W**2/(k*(n-1)));
// sR*sqrt(df_R/stats.chi2.ppf(0.975, df_R)) and 0.025 (scipy takes real degrees of freedom)
TEST_P(SeriesExtendedTest, IntervalsOfRepeatabilityAndReproducibility)
{
    struct Case {
        std::vector<std::vector<double>> series;
        double srLow, srHigh, dfR, sRLow, sRHigh;
    };
    const Case cases[] = {
        {workedExample(), 0.8011371997474819, 5.272962125424853, 2.5771812080536916, 1.5534860808063666,
         12.50761853292648},
        {{{10.0, 10.1, 10.0}, {10.2, 10.1, 10.2}, {9.0, 11.0, 10.0}, {10.1, 10.0, 10.1}}, 0.33941295915716263,
         0.9626629546069851, 8.47898628433694, 0.34249736243038437, 0.93949045481157},
    };
    for (const Case& c : cases) {
        const ExtendedStatistics e = computed(c.series);
        EXPECT_TRUE(closeTo(numberOf(e, "s_r_ci_low"), c.srLow, 1e-10));
        EXPECT_TRUE(closeTo(numberOf(e, "s_r_ci_high"), c.srHigh, 1e-10));
        EXPECT_TRUE(closeTo(numberOf(e, "df_R"), c.dfR));
        EXPECT_TRUE(closeTo(numberOf(e, "s_R_ci_low"), c.sRLow, 1e-10));
        EXPECT_TRUE(closeTo(numberOf(e, "s_R_ci_high"), c.sRHigh, 1e-10));
    }
}

TEST_P(SeriesExtendedTest, ConstantSeries)
{
    // no variance within the series: Cochran's C is undefined, the series differ beyond doubt
    const ExtendedStatistics e = computed({{10, 10}, {11, 11}, {12, 12}});
    ASSERT_TRUE(e.available);
    EXPECT_FALSE(numberOf(e, "cochran_c"));
    EXPECT_FALSE(numberOf(e, "cochran_suspect_series"));
    EXPECT_EQ(numberOf(e, "p_series"), 0.0);
    EXPECT_EQ(numberOf(e, "s_between_iso"), 1.0);
    // all equal: nothing between the series either
    const ExtendedStatistics same = computed({{10, 10}, {10, 10}, {10, 10}});
    EXPECT_FALSE(numberOf(same, "p_series"));
    EXPECT_EQ(numberOf(same, "s_reproducibility_iso"), 0.0);
    // no variance at all: no degrees of freedom for sR, no interval
    EXPECT_FALSE(numberOf(same, "df_R"));
    EXPECT_FALSE(numberOf(same, "s_R_ci_high"));
    EXPECT_EQ(numberOf(same, "s_r_ci_high"), 0.0);
}

INSTANTIATE_TEST_SUITE_P(IntermediatePrecisionAndReproducibility, SeriesExtendedTest, ::testing::Bool());

}  // namespace
}  // namespace kestra
