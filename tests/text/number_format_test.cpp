// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

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

// printf's 15 significant digits of |value| and the exponent of the first one.
struct PrintfDigits {
    std::string digits;
    int exponent = 0;
};

PrintfDigits printfDigits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    PrintfDigits form;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') form.digits += *p;
    form.exponent = std::atoi(p + 1);
    return form;
}

// The plain form written from printf's own 15-significant-digit text, the way the formatting worked before it
// stopped going through printf: digits, exponent, the separator placed, trailing zeros dropped.
std::string plainFromPrintf(double value)
{
    const auto [digits, exponent] = printfDigits(value);
    std::string text;
    if (exponent < 0) {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent >= 14) {
        text = digits + std::string(static_cast<std::size_t>(exponent - 14), '0');
    } else {
        text = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
               digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (value < 0 && text != "0") text.insert(0, "-");
    return text;
}

TEST(NumberFormat, DigitsAreThoseOfPrintfWhateverTheLocale)
{
    // A comma locale must not leak into the digits (printf would write "1,5e+00").
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "it_IT.UTF-8") != nullptr;
    std::mt19937_64 random(20060101);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-20, 20);
    for (int i = 0; i < 20000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 0)
            value = std::round(value * 1000.0) / 1000.0;  // values as typed: ties and exact decimals
        if (i % 2 == 0) value = -value;
        ASSERT_EQ(FormatPlain(value, '.'), plainFromPrintf(value)) << value;
    }
    for (double value :
         {0.0, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 0.5, 2.5, 1e15, 999999999999999.5})
        EXPECT_EQ(FormatPlain(value, '.'), plainFromPrintf(value)) << value;
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!comma) GTEST_LOG_(INFO) << "it_IT.UTF-8 not installed: checked in the C locale only";
}

// The display rule written out on printf's 15-significant-digit text: round that decimal text half away
// from zero at the given decimals.
std::string roundedFromPrintf(double value, int decimals)
{
    const auto [digits, exponent] = printfDigits(value);
    // every digit placed: the integer part and `decimals` fraction digits, then the first dropped digit
    std::string fixed;
    for (int power = std::max(exponent, 0); power >= -decimals - 1; --power) {
        const int k = exponent - power;
        fixed += k >= 0 && k < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(k)] : '0';
    }
    const bool up = fixed.back() >= '5';
    fixed.pop_back();
    if (up) {
        int i = static_cast<int>(fixed.size()) - 1;
        while (i >= 0 && fixed[static_cast<std::size_t>(i)] == '9') fixed[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++fixed[static_cast<std::size_t>(i)];
        else
            fixed.insert(fixed.begin(), '1');
    }
    std::string whole = fixed.substr(0, fixed.size() - static_cast<std::size_t>(decimals));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    std::string text = whole;
    if (decimals > 0) text += "." + fixed.substr(fixed.size() - static_cast<std::size_t>(decimals));
    if (value < 0 && text.find_first_not_of("0.") != std::string::npos) text.insert(0, "-");
    return text;
}

TEST(NumberFormat, FixedDecimalsAreThoseOfPrintfsDecimalForm)
{
    // Values as typed, results of calculations and values one binary step from a tie at the decimals shown.
    std::mt19937_64 random(20061209);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 15);
    std::uniform_int_distribution<int> places(0, 12);
    for (int i = 0; i < 60000; ++i) {
        const int decimals = places(random);
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 4 == 1) value = (std::floor(value * std::pow(10.0, decimals)) + 0.5) / std::pow(10.0, decimals);
        if (i % 4 == 2) value = std::nextafter((std::floor(value * 1e3) + 0.5) / 1e3, 0.0);
        if (i % 2 == 0) value = -value;
        ASSERT_EQ(FormatNumber(value, decimals, '.'), roundedFromPrintf(value, decimals))
            << std::hexfloat << value << " at " << decimals;
    }
    for (double value : {0.0, 0.125, 1.005, 2.675, 0.0005, 0.00049999999999999, 99999999999999.95, 4.35})
        for (int decimals = 0; decimals <= 4; ++decimals)
            EXPECT_EQ(FormatNumber(value, decimals, '.'), roundedFromPrintf(value, decimals)) << value;
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
