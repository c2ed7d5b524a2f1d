// The calibration charts' numbers: the fitted line over the points and the residuals about a zero line,
// against an independent fit of the values as shown.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "framework/number_pattern.h"
#include "studies/calibration/calibration_entry.h"
#include "studies/calibration/calibration_study.h"

namespace kestra {
namespace {

// The points of one series (a pair of columns) of an XY chart, in row order.
std::vector<std::pair<double, double>> series(const ChartData& chart, std::size_t s)
{
    std::vector<std::pair<double, double>> points;
    for (const auto& row : chart.rows)
        if (row.size() > 2 * s + 1 && row[2 * s] && row[2 * s + 1])
            points.emplace_back(*row[2 * s], *row[2 * s + 1]);
    return points;
}

class CalibrationChartsTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }

    // Every residual, the level colours shared with the regression chart, the zero line and the fitted line.
    void expectCharts(const CalibrationStudy& study, const std::vector<double>& x, double a, double b,
                      const std::vector<double>& residuals)
    {
        ASSERT_EQ(study.residuals().size(), residuals.size());
        for (std::size_t i = 0; i < residuals.size(); ++i)
            EXPECT_NEAR(study.residuals()[i], residuals[i], 1e-9) << i;

        const std::vector<ChartData> charts = study.charts(Language::Italian);
        ASSERT_EQ(charts.size(), 3u);
        const ChartData& regression = charts[0];
        const ChartData& res = charts[2];
        EXPECT_EQ(res.name, "VtGrafRes");
        EXPECT_EQ(res.kind, ChartData::Kind::XY);
        const std::size_t k = x.size();
        const std::size_t n = residuals.size() / k;
        ASSERT_EQ(res.series.size(), k + 1);
        ASSERT_EQ(regression.series.size(), k + 1);
        for (std::size_t level = 0; level < k; ++level) {
            EXPECT_EQ(res.series[level].colour, regression.series[level].colour);
            EXPECT_TRUE(res.series[level].visible);
            const auto points = series(res, level);
            ASSERT_EQ(points.size(), n);
            for (std::size_t r = 0; r < n; ++r) {
                EXPECT_EQ(points[r].first, x[level]);
                EXPECT_NEAR(points[r].second, residuals[level * n + r], 1e-9) << level << "," << r;
            }
        }
        // the zero line and the fitted line run from the lowest to the highest concentration
        const auto zero = series(res, k);
        ASSERT_EQ(zero.size(), 2u);
        EXPECT_EQ(zero[0], std::make_pair(x.front(), 0.0));
        EXPECT_EQ(zero[1], std::make_pair(x.back(), 0.0));
        EXPECT_TRUE(res.series[k].lineVisible);
        EXPECT_FALSE(res.series[k].visible);
        const auto line = series(regression, k);
        ASSERT_EQ(line.size(), 2u);
        EXPECT_NEAR(line[0].second, a + b * x.front(), 1e-9);
        EXPECT_NEAR(line[1].second, a + b * x.back(), 1e-9);
        EXPECT_TRUE(regression.series[k].lineVisible);
        EXPECT_FALSE(regression.series[k].visible);
    }
};

TEST_F(CalibrationChartsTest, WorkedExampleAgainstAnIndependentFit)
{
    CalibrationStudy study;
    study.setHeader(3, "mg/l");
    test::EnterCalibration(study, {1, 2, 3, 4},
                           {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}});
    ASSERT_TRUE(study.calculate().computed);
    // /usr/bin/python3 -c "import numpy as np; x=np.repeat([1,2,3,4],3).astype(float);
    //   y=np.array([1.0,1.2,0.8,2.1,1.9,2.0,2.9,3.1,3.0,4.2,3.9,4.0]); b,a=np.polyfit(x,y,1);
    //   print(repr(a),repr(b)); print(', '.join(repr(v) for v in y-(a+b*x)))"
    expectCharts(study, {1, 2, 3, 4}, -0.01666666666666811, 1.0100000000000002,
                 {0.006666666666667931, 0.2066666666666679, -0.19333333333333202, 0.09666666666666757,
                  -0.10333333333333261, -0.003333333333332522, -0.11333333333333284, 0.08666666666666734,
                  -0.013333333333332753, 0.17666666666666764, -0.12333333333333263, -0.02333333333333254});

    const std::vector<ChartData> it = study.charts(Language::Italian);
    EXPECT_EQ(it[2].title, "Residui");
    EXPECT_EQ(it[2].xAxis.title, "Concentrazioni");
    EXPECT_EQ(it[2].yAxis.title, "Residui");
    EXPECT_EQ(it[2].footnote, it[0].footnote);
    EXPECT_EQ(it[2].titleFontSize, 10);
    EXPECT_EQ(it[2].footnoteFontSize, 7);
    const std::vector<ChartData> en = study.charts(Language::English);
    EXPECT_EQ(en[2].title, "Residuals");
    EXPECT_EQ(en[2].xAxis.title, "Concentrations");
    EXPECT_EQ(en[2].yAxis.title, "Residuals");
}

TEST_F(CalibrationChartsTest, ResidualsOfTheValuesAsShownNotAsTyped)
{
    CalibrationStudy study;
    // typed with four decimals, shown (and calculated) with the grid's three
    test::EnterCalibration(
        study, {10, 20, 30},
        {{102.4444, 101.9996, 102.7776}, {203.1234, 202.8764, 204.0004}, {301.5554, 302.4449, 300.9991}});
    ASSERT_TRUE(study.calculate().computed);
    // /usr/bin/python3 -c "import numpy as np; x=np.repeat([10.,20.,30.],3);
    //   y=np.array([102.444,102.0,102.778,203.123,202.876,204.0,301.555,302.445,300.999]);
    //   b,a=np.polyfit(x,y,1); print(repr(a),repr(b)); print(', '.join(repr(v) for v in y-(a+b*x)))"
    expectCharts(study, {10, 20, 30}, 3.2098888888888832, 9.962950000000003,
                 {-0.39538888888891677, -0.8393888888889194, -0.061388888888913584, 0.6541111111110354,
                  0.4071111111110497, 1.531111111111045, -0.5433888888889555, 0.3466111111110308,
                  -1.0993888888889387});

    // a refused calculation keeps the charts of the last one; a reset clears them
    study.grid().setCell(0, 0, std::nullopt);
    EXPECT_FALSE(study.calculate().computed);
    EXPECT_EQ(study.residuals().size(), 9u);
    study.reset();
    EXPECT_TRUE(study.residuals().empty());
    const std::vector<ChartData> charts = study.charts(Language::Italian);
    ASSERT_EQ(charts.size(), 3u);
    EXPECT_TRUE(charts[2].empty());
    EXPECT_EQ(charts[2].title, "");
}

}  // namespace
}  // namespace kestra
