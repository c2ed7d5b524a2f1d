#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_commands.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/calibration/calibration_study.h"
#include "studies/extended_test_support.h"
#include "studies/limits/limits_study.h"
#include "studies/precision/precision_study.h"
#include "test_support.h"

namespace kestra {
namespace {

nlohmann::json computeExtended(const std::filesystem::path& file, bool extended = true)
{
    std::ostringstream out, err;
    cli::ComputeOptions o{file, Language::Italian, '.'};
    o.extended = extended;
    EXPECT_EQ(cli::RunCompute(o, out, err), 0) << err.str();
    SetUserDecimalSeparator('.');
    return nlohmann::json::parse(out.str());
}

std::vector<std::string> jsonKeys(const nlohmann::json& object)
{
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items()) keys.push_back(key);
    return keys;
}

TEST(KestraCliComputeExtended, PrecisionNumbersInFullPrecision)
{
    SetUserDecimalSeparator('.');
    test::TempDir dir;
    PrecisionStudy study;
    const double values[] = {10.1, 9.9, 10.0, 10.2, 9.8, 10.0};
    for (int r = 0; r < 6; ++r) study.grid().setCell(r, 0, values[r]);
    study.write(dir / "p.PRE");

    EXPECT_FALSE(computeExtended(dir / "p.PRE", false).contains("extended"));
    const nlohmann::json j = computeExtended(dir / "p.PRE");
    const nlohmann::json& e = j["extended"];
    // the keys in the order the study lists them (the reader sorts them, so compare as sets)
    std::vector<std::string> expected{"t_critical_exact", "f_critical_exact", "p_exact",
                                      "grubbs_g",         "grubbs_critical",  "grubbs_suspect_row",
                                      "ci_low_exact",     "ci_high_exact",    "s_ci_low",
                                      "s_ci_high",        "cv_ci_low",        "cv_ci_high"};
    std::vector<std::string> keys = jsonKeys(e);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(e["f_critical_exact"].is_null());
    EXPECT_TRUE(e["grubbs_suspect_row"].is_null());
    // every digit: what the JSON holds reads back as the study's own double
    ASSERT_TRUE(RunCalculation(study).computed);
    const ExtendedStatistics own = study.extendedStatistics();
    EXPECT_EQ(e["ci_low_exact"].get<double>(), *test::numberOf(own, "ci_low_exact"));
    EXPECT_EQ(e["grubbs_critical"].get<double>(), *test::numberOf(own, "grubbs_critical"));
    EXPECT_TRUE(test::closeTo(e["t_critical_exact"].get<double>(), 2.570581835636315));  // tppf(0.975, 5)
    EXPECT_NE(j["header"]["MEDIA"], nullptr);  // the records are still there
}

TEST(KestraCliComputeExtended, KindsWithoutValuesOrWithoutResults)
{
    SetUserDecimalSeparator('.');
    test::TempDir dir;
    LimitsStudy limits;
    for (int r = 0; r < limits.measurementCount(); ++r) limits.grid().setCell(r, 0, 0.1 * (r + 1));
    limits.write(dir / "l.LIM");
    const nlohmann::json l = computeExtended(dir / "l.LIM");
    EXPECT_TRUE(l["extended"].is_object());
    EXPECT_TRUE(l["extended"].empty());

    // a calculation that refuses the data: no extended statistics at all
    PrecisionStudy zeros;
    zeros.write(dir / "z.PRE");
    EXPECT_TRUE(computeExtended(dir / "z.PRE")["extended"].is_null());
}

TEST(KestraCliComputeExtended, ResidualsArrayAndAccuracyModes)
{
    SetUserDecimalSeparator('.');
    SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    test::TempDir dir;
    CalibrationStudy cal;
    cal.setLevelCount(4);
    const double y[4][3] = {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}};
    for (int i = 0; i < 4; ++i) {
        cal.setConcentrationText(i, std::to_string(i + 1) + ".000");
        for (int r = 0; r < 3; ++r) cal.grid().setCell(r, i, y[i][r]);
    }
    cal.write(dir / "c.TAR");
    const nlohmann::json c = computeExtended(dir / "c.TAR")["extended"];
    EXPECT_EQ(c.size(), 22u);
    ASSERT_EQ(c["residuals"].size(), 12u);
    EXPECT_NEAR(c["residuals"][1].get<double>(), 0.20666666666666633, 1e-13);  // numpy, as in the study test
    // one element per level, in full precision, as in the study test
    ASSERT_EQ(c["back_calculated"].size(), 4u);
    EXPECT_TRUE(test::closeTo(c["back_calculated"][3].get<double>(), 4.00990099009901));
    ASSERT_EQ(c["back_calculated_error_pct"].size(), 4u);
    EXPECT_NEAR(c["back_calculated_error_pct"][0].get<double>(), 0.6600660066006236, 1e-9);
    EXPECT_TRUE(test::closeTo(c["p_mandel"].get<double>(), 0.8368106243523237, 1e-8));
    EXPECT_TRUE(test::closeTo(c["wls_slope"].get<double>(), 1.0055555555555558, 1e-10));

    AccuracyStudy acc;
    for (int level : {AccuracyStudy::kUpper, AccuracyStudy::kCentral, AccuracyStudy::kLower})
        for (int r = 0; r < 3; ++r)
            acc.levelGrid(level).setCell(r, AccuracyStudy::kRecoveryColumn, 99.0 + level + r);
    acc.write(dir / "one.ACC");
    EXPECT_EQ(jsonKeys(computeExtended(dir / "one.ACC")["extended"]),
              (std::vector<std::string>{"bias_1", "f_critical_exact", "p_exact", "t_critical_exact",
                                        "tolerance_high_1", "tolerance_low_1"}));
    acc.setLevelMode(AccuracyStudy::LevelMode::Three);
    acc.write(dir / "three.ACC");
    const nlohmann::json three = computeExtended(dir / "three.ACC")["extended"];
    EXPECT_EQ(three.size(), 19u);
    EXPECT_TRUE(three["p_levels"].is_number());
    EXPECT_TRUE(three["ci_high_exact_2"].is_number());
}

}  // namespace
}  // namespace kestra
