// The extended statistics as shown: six significant digits, exponents, names for what is no number, arrays
// one line per element.
#include "framework/extended_statistics_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kestra {
namespace {

TEST(ExtendedStatisticsTextTest, SixSignificantDigitsWithTheSeparatorAndAnExponentOutsideTheUsualRange)
{
    EXPECT_EQ(ExtendedNumberText(2.7764451051977934, ','), "2,77645");
    EXPECT_EQ(ExtendedNumberText(0.05, '.'), "0.05");
    EXPECT_EQ(ExtendedNumberText(12.0, ','), "12");
    EXPECT_EQ(ExtendedNumberText(999999.4, '.'), "999999");
    EXPECT_EQ(ExtendedNumberText(1234567.0, ','), "1,23457E+06");
    EXPECT_EQ(ExtendedNumberText(0.0001, '.'), "0.0001");
    EXPECT_EQ(ExtendedNumberText(-1.23456789e-7, ','), "-1,23457E-07");
    EXPECT_EQ(ExtendedNumberText(3.2e-300, '.'), "3.2E-300");
    EXPECT_EQ(ExtendedNumberText(-0.0, '.'), "0");
    EXPECT_EQ(ExtendedNumberText(std::nan(""), ','), "non calcolabile");
    EXPECT_EQ(ExtendedNumberText(std::nan(""), ',', Language::English), "not computable");
    EXPECT_EQ(ExtendedNumberText(std::numeric_limits<double>::infinity(), ','), "+∞");
    // the full text reads back as the same double
    EXPECT_EQ(ExtendedFullText(2.7764451051977934, ','), "2,7764451051977934");
    EXPECT_EQ(ExtendedFullText(0.1, '.'), "0.1");
    EXPECT_EQ(std::stod(ExtendedFullText(1.0 / 3.0, '.')), 1.0 / 3.0);
}

TEST(ExtendedStatisticsTextTest, LinesOfEachTypeInBothLanguages)
{
    ExtendedStatistics s;
    s.values.push_back({"cochran_suspect_series",
                        "Serie sospetta",
                        "Suspect series",
                        ExtendedValue::Type::Integer,
                        2.0,
                        {},
                        "nota",
                        "note"});
    s.values.push_back({"grubbs_suspect_row",
                        "Riga sospetta",
                        "Suspect row",
                        ExtendedValue::Type::Integer,
                        std::nullopt,
                        {},
                        "",
                        ""});
    s.values.push_back({"residuals",
                        "Residui",
                        "Residuals",
                        ExtendedValue::Type::Array,
                        std::nullopt,
                        {0.5, -0.25},
                        "y - (a + b x)",
                        "y - (a + b x)"});
    EXPECT_TRUE(ExtendedLines(s, Language::Italian, ',').empty());  // not available: nothing to show

    s.available = true;
    const auto it = ExtendedLines(s, Language::Italian, ',');
    ASSERT_EQ(it.size(), 4u);
    EXPECT_EQ(it[0].value, "2");
    EXPECT_EQ(it[0].note, "nota");
    EXPECT_EQ(it[1].value, "non applicabile");
    EXPECT_EQ(it[2].key, "residuals[0]");
    EXPECT_EQ(it[2].name, "Residui 1");
    EXPECT_EQ(it[2].value, "0,5");
    EXPECT_EQ(it[2].note, "y - (a + b x)");
    EXPECT_EQ(it[3].key, "residuals[1]");
    EXPECT_EQ(it[3].name, "Residui 2");
    EXPECT_EQ(it[3].value, "-0,25");
    EXPECT_EQ(it[3].note, "");

    const auto en = ExtendedLines(s, Language::English, '.');
    EXPECT_EQ(en[0].name, "Suspect series");
    EXPECT_EQ(en[1].value, "not applicable");
    EXPECT_EQ(en[3].name, "Residuals 2");
    EXPECT_EQ(en[3].value, "-0.25");
}

}  // namespace
}  // namespace kestra
