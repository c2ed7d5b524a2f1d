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

ExtendedValue list(std::string key, std::string name, std::vector<double> numbers)
{
    ExtendedValue v{std::move(key), name, name, ExtendedValue::Type::Array, std::nullopt, std::move(numbers),
                    "nota", "note"};
    return v;
}

TEST(ExtendedStatisticsTextTest, NoiseAboutZeroIsShownAsZeroWithEveryDigitKept)
{
    ExtendedStatistics s;
    s.available = true;
    ExtendedValue residuals = list("residuals", "Residui", {1.8e-15, -0.002, -3e-14, 0.0011});
    residuals.noiseScale = 250;  // responses up to 250: below 2.5E-08 is what the subtraction leaves
    residuals.replicates = 2;
    s.values.push_back(residuals);
    ExtendedValue tiny = list("tiny", "Piccolo", {1.8e-15});  // no scale: a small value is a value
    s.values.push_back(tiny);
    const auto lines = ExtendedLines(s, Language::Italian, ',');
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].value, "0");
    EXPECT_EQ(lines[0].fullValue, "1,8e-15");
    EXPECT_EQ(lines[0].name, "Residui, livello 1, replica 1");
    EXPECT_EQ(lines[1].value, "-0,002");
    EXPECT_EQ(lines[2].value, "0");
    EXPECT_EQ(lines[2].name, "Residui, livello 2, replica 1");
    EXPECT_EQ(lines[3].value, "0,0011");
    EXPECT_EQ(lines[4].value, "1,8E-15");
    EXPECT_EQ(ExtendedLines(s, Language::English, '.')[3].name, "Residui, level 2, replicate 2");

    // by level and replicate
    const ExtendedTable table = ExtendedTableAt(s, 0, Language::Italian, ',');
    EXPECT_EQ(table.members, (std::vector<std::size_t>{0}));
    EXPECT_EQ(table.heads, (std::vector<std::string>{"Livello", "Replica", "Residui"}));
    EXPECT_EQ(table.indexColumns, 2u);
    ASSERT_EQ(table.cells.size(), 4u);
    EXPECT_EQ(table.cells[0], (std::vector<std::string>{"1", "1", "0"}));
    EXPECT_EQ(table.cells[3], (std::vector<std::string>{"2", "2", "0,0011"}));
    EXPECT_EQ(table.full[0], (std::vector<std::string>{"", "", "1,8e-15"}));
    EXPECT_EQ(ExtendedTableAt(s, 1, Language::English, '.').heads, (std::vector<std::string>{"No.", "Piccolo"}));
}

TEST(ExtendedStatisticsTextTest, ListsSharingATableStandSideBySideWithTheirGaps)
{
    ExtendedStatistics s;
    s.available = true;
    s.values.push_back({"r", "r", "r", ExtendedValue::Type::Number, 0.5, {}, "", ""});
    ExtendedValue back = list("back_calculated", "Ricalcolata", {0.0, 2.01});
    back.table = "levels";
    ExtendedValue error = list("back_calculated_error_pct", "Errore %", {std::nan(""), 0.5});
    error.table = "levels";
    s.values.push_back(back);
    s.values.push_back(error);
    EXPECT_TRUE(ExtendedTableAt(s, 0, Language::Italian, ',').members.empty());  // no list
    EXPECT_TRUE(ExtendedTableAt(s, 2, Language::Italian, ',').members.empty());  // in the table before it
    const ExtendedTable table = ExtendedTableAt(s, 1, Language::Italian, ',');
    EXPECT_EQ(table.members, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(table.heads, (std::vector<std::string>{"Livello", "Ricalcolata", "Errore %"}));
    ASSERT_EQ(table.cells.size(), 2u);
    EXPECT_EQ(table.cells[0], (std::vector<std::string>{"1", "0", "non applicabile"}));
    EXPECT_EQ(table.cells[1], (std::vector<std::string>{"2", "2,01", "0,5"}));
    // the tab: an element that does not apply says so, with no digits behind it
    const auto lines = ExtendedLines(s, Language::Italian, ',');
    EXPECT_EQ(lines[3].name, "Errore %, livello 1");
    EXPECT_EQ(lines[3].value, "non applicabile");
    EXPECT_EQ(lines[3].fullValue, "");
}

}  // namespace
}  // namespace kestra
