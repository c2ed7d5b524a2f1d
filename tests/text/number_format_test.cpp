#include "text/number_format.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

TEST(NumberFormat, PatternsGiveMinimumIntegersAndDecimals)
{
    EXPECT_EQ(FormatNumber(1.58113883, "##0.000", '.'), "1.581");
    EXPECT_EQ(FormatNumber(15.811388, "##0.000", ','), "15,811");
    EXPECT_EQ(FormatNumber(12345.6, "##0.000", '.'), "12345.600");  // more integers show when needed
    EXPECT_EQ(FormatNumber(0.25, "######0.000", '.'), "0.250");
    EXPECT_EQ(FormatNumber(7.0, "#0", '.'), "7");
    EXPECT_EQ(FormatNumber(7.0, "###0.000", ','), "7,000");
    EXPECT_EQ(FormatNumber(3.14159, "#0.00", ','), "3,14");
    EXPECT_EQ(FormatNumber(5.0, "000.0", '.'), "005.0");
    EXPECT_EQ(FormatNumber(1234567.0, "##0", '.'), "1234567");  // no digit grouping
}

TEST(NumberFormat, RoundsHalfAwayFromZeroOnTheDecimalForm)
{
    EXPECT_EQ(FormatNumber(2.675, "#0.00", '.'), "2.68");  // binary 2.67499999... still rounds up
    EXPECT_EQ(FormatNumber(-2.675, "#0.00", '.'), "-2.68");
    EXPECT_EQ(FormatNumber(0.5, "#0", '.'), "1");
    EXPECT_EQ(FormatNumber(-0.5, "#0", '.'), "-1");
    EXPECT_EQ(FormatNumber(1.0005, "##0.000", '.'), "1.001");
    EXPECT_EQ(FormatNumber(9.9995, "##0.000", '.'), "10.000");
    EXPECT_EQ(FormatNumber(999.9996, "##0.000", '.'), "1000.000");
    EXPECT_EQ(FormatNumber(0.0004999, "##0.000", '.'), "0.000");
    EXPECT_EQ(FormatNumber(0.0005, "##0.000", '.'), "0.001");
    EXPECT_EQ(FormatNumber(1e-20, "##0.000", '.'), "0.000");
    EXPECT_EQ(FormatNumber(1.23456789e15, "#0", '.'), "1234567890000000");
}

TEST(NumberFormat, ValueRoundingToZeroHasNoMinusSign)
{
    EXPECT_EQ(FormatNumber(-0.0001, "##0.000", '.'), "0.000");
    EXPECT_EQ(FormatNumber(-0.0, "#0", '.'), "0");
    EXPECT_EQ(FormatNumber(-0.4, "#0", ','), "0");
    EXPECT_EQ(FormatNumber(-0.0006, "##0.000", ','), "-0,001");
}

TEST(NumberFormat, EmptyValueGivesEmptyText)
{
    EXPECT_EQ(FormatNumber(std::optional<double>{}, "#0", '.'), "");
    EXPECT_EQ(FormatNumber(std::optional<double>{2.0}, "#0", '.'), "2");
}

TEST(NumberFormat, PlainNumberIsTheShortestForm)
{
    EXPECT_EQ(FormatPlain(22.84, ','), "22,84");
    EXPECT_EQ(FormatPlain(5.0, '.'), "5");
    EXPECT_EQ(FormatPlain(0.1 + 0.2, '.'), "0.3");  // 15 significant digits hide the binary noise
    EXPECT_EQ(FormatPlain(-1.5, ','), "-1,5");
    EXPECT_EQ(FormatPlain(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(FormatPlain(123456789.125, '.'), "123456789.125");
    EXPECT_EQ(FormatPlain(0.000125, '.'), "0.000125");
    EXPECT_EQ(FormatPlain(0.0, '.'), "0");
}

TEST(NumberFormat, RoundToDecimalsMatchesTheDisplay)
{
    EXPECT_DOUBLE_EQ(RoundToDecimals(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(RoundToDecimals(0.1234567, 3), 0.123);
    EXPECT_DOUBLE_EQ(RoundToDecimals(7.5, 0), 8.0);
}

TEST(NumberFormat, ParseNumberAcceptsOnlyPlainNumbersWithTheGivenSeparator)
{
    EXPECT_EQ(ParseNumber(" 0.123 ", '.'), 0.123);
    EXPECT_EQ(ParseNumber("0,123", ','), 0.123);
    EXPECT_EQ(ParseNumber("-4", '.'), -4.0);
    EXPECT_EQ(ParseNumber("1e3", '.'), 1000.0);
    EXPECT_FALSE(ParseNumber("0.123", ','));
    EXPECT_FALSE(ParseNumber("", '.'));
    EXPECT_FALSE(ParseNumber("abc", '.'));
    EXPECT_FALSE(ParseNumber("1.2.3", '.'));
    EXPECT_FALSE(ParseNumber("inf", '.'));
    EXPECT_FALSE(ParseNumber("nan", '.'));
    EXPECT_FALSE(ParseNumber("0x10", '.'));
    EXPECT_FALSE(ParseNumber("12abc", '.'));
    EXPECT_FALSE(ParseNumber("1e400", '.'));  // beyond the doubles
    EXPECT_FALSE(ParseNumber("+-5", '.'));
    EXPECT_EQ(ParseNumber("+5", '.'), 5.0);
    EXPECT_EQ(ParseNumber(std::string(100000, '0') + "1", '.'), 1.0);  // long texts are read in place
}

}  // namespace
}  // namespace kestra
