// Numbers as text: display patterns such as "##0.000", rounding, the plain shortest form, and parsing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestra {

// Digits a pattern asks for: minimum integer digits (the "0"s before the separator, at least 1) and decimals.
struct PatternDigits {
    int integers = 1;
    int decimals = 0;
};

// Reads a pattern such as "##0.000" or "#0,00"; both "." and "," are taken as the separator.
PatternDigits ParsePattern(std::string_view pattern);

// Writes value with the pattern: rounded half away from zero on its 15-significant-digit decimal form,
// no digit grouping, no minus sign on a value that rounds to zero, separator as given.
std::string FormatNumber(double value, std::string_view pattern, char separator);
std::string FormatNumber(double value, int decimals, char separator, int minIntegers = 1);
// An empty value gives an empty text.
std::string FormatNumber(const std::optional<double>& value, std::string_view pattern, char separator);

// The shortest form: at most 15 significant digits, trailing zeros and a trailing separator dropped.
std::string FormatPlain(double value, char separator);

// The value as the display rule rounds it to the given decimals (so cells hold their numbers as shown).
double RoundToDecimals(double value, int decimals);

// Reads a number written with the given separator; leading and trailing blanks are allowed, nothing else.
std::optional<double> ParseNumber(std::string_view text, char separator);

}  // namespace kestra
