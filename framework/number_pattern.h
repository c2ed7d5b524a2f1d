// The process-wide number pattern, the user's decimal separator and the small numeric helpers of the grids.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace kestra {

// Display format of a window: integer digits i >= 1, decimals d >= 0, i + d <= 13.
struct NumberFormat {
    int integers = 3;
    int decimals = 3;
    bool operator==(const NumberFormat&) const = default;
};

constexpr int kMaxFormatDigits = 13;
bool IsValidNumberFormat(int integers, int decimals);

// (i - 1) "#", "0", then "." and d "0" when d > 0. Patterns keep "." internally; the separator shown
// is the user's, supplied when a number is formatted. Also makes the pattern the CurrentNumberPattern.
std::string MakeNumberPattern(int integers, int decimals);
// The pattern without touching the process-wide one.
std::string BuildNumberPattern(int integers, int decimals);

const std::string& CurrentNumberPattern();
void SetCurrentNumberPattern(const std::string& pattern);

char UserDecimalSeparator();
void SetUserDecimalSeparator(char separator);
char OtherSeparator(char separator);

// A number with the CurrentNumberPattern and the user's separator, as results are shown.
std::string FormatCurrent(double value);
// A number with a given pattern and the user's separator.
std::string FormatWith(double value, const std::string& pattern);

double MaxOf(double a, double b);
double MinOf(double a, double b);
std::int16_t MinOfInt(std::int16_t a, std::int16_t b);

// The largest value a grid with this format accepts ("999.999" for 3 and 3).
double MaxValueOf(const NumberFormat& format);

}  // namespace kestra
