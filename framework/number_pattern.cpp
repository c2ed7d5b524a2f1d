// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/number_pattern.h"

#include <cmath>

#include "text/number_format.h"

namespace kestra {

namespace {
std::string g_currentPattern = "##0.000";
char g_separator = '.';
}  // namespace

bool IsValidNumberFormat(int integers, int decimals)
{
    return integers >= 1 && decimals >= 0 && integers + decimals <= kMaxFormatDigits;
}

std::string BuildNumberPattern(int integers, int decimals)
{
    std::string pattern(static_cast<std::size_t>(integers > 1 ? integers - 1 : 0), '#');
    pattern += '0';
    if (decimals > 0) {
        pattern += '.';
        pattern.append(static_cast<std::size_t>(decimals), '0');
    }
    return pattern;
}

std::string MakeNumberPattern(int integers, int decimals)
{
    g_currentPattern = BuildNumberPattern(integers, decimals);
    return g_currentPattern;
}

const std::string& CurrentNumberPattern()
{
    return g_currentPattern;
}

void SetCurrentNumberPattern(const std::string& pattern)
{
    g_currentPattern = pattern;
}

char UserDecimalSeparator()
{
    return g_separator;
}

void SetUserDecimalSeparator(char separator)
{
    g_separator = separator == ',' ? ',' : '.';
}

char OtherSeparator(char separator)
{
    return separator == ',' ? '.' : ',';
}

std::string FormatCurrent(double value)
{
    return FormatNumber(value, g_currentPattern, g_separator);
}

std::string FormatWith(double value, const std::string& pattern)
{
    return FormatNumber(value, pattern, g_separator);
}

double MaxOf(double a, double b)
{
    return a > b ? a : b;
}

double MinOf(double a, double b)
{
    return a < b ? a : b;
}

std::int16_t MinOfInt(std::int16_t a, std::int16_t b)
{
    return a < b ? a : b;
}

double MaxValueOf(const NumberFormat& format)
{
    return std::pow(10.0, format.integers) - std::pow(10.0, -format.decimals);
}

}  // namespace kestra
