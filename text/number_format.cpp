#include "text/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kestra {

namespace {

// The decimal form of |value| with 15 significant digits: digits "d1d2...d15" and the exponent of d1.
struct DecimalForm {
    std::string digits;  // 15 digits, first non-zero unless the value is zero
    int exponent = 0;    // value = 0.d1d2... * 10^(exponent + 1)
};

// to_chars gives exactly the digits of printf's "%.14e" (both round the exact binary value), without
// printf's locale and format parsing, which made number formatting the largest cost of a calculation.
DecimalForm decimalForm(double magnitude)
{
    char buffer[40];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    DecimalForm form;
    if (ec != std::errc()) return form;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') form.digits += *p;
    if (p != end) {
        ++p;  // 'e', then a sign that from_chars only takes when it is '-'
        if (p != end && *p == '+') ++p;
        std::from_chars(p, end, form.exponent);
    }
    return form;
}

// Rounds to `decimals` places half away from zero; returns integer part and fraction digits.
void roundDecimal(double magnitude, int decimals, std::string& intPart, std::string& fracPart)
{
    DecimalForm f = decimalForm(magnitude);
    // position, counted from the first digit, of the first digit that is dropped
    int keep = f.exponent + 1 + decimals;
    std::string digits = f.digits;
    int exponent = f.exponent;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }
    // place the digits: digit k (0-based) has weight 10^(exponent - k)
    intPart.clear();
    fracPart.assign(static_cast<std::size_t>(decimals), '0');
    for (int k = 0; k < static_cast<int>(digits.size()); ++k) {
        const int power = exponent - k;
        if (power >= 0) {
            if (intPart.empty()) intPart.assign(static_cast<std::size_t>(power) + 1, '0');
            intPart[intPart.size() - 1 - static_cast<std::size_t>(power)] =
                digits[static_cast<std::size_t>(k)];
        } else if (-power <= decimals) {
            fracPart[static_cast<std::size_t>(-power - 1)] = digits[static_cast<std::size_t>(k)];
        }
    }
    if (intPart.empty() && exponent >= 0 && !digits.empty())
        intPart.assign(static_cast<std::size_t>(exponent) + 1, '0');
    // strip leading zeros of the integer part; the caller pads to the minimum
    const std::size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

bool allZero(const std::string& s)
{
    return s.find_first_not_of('0') == std::string::npos;
}

}  // namespace

PatternDigits ParsePattern(std::string_view pattern)
{
    PatternDigits d;
    const std::size_t sep = pattern.find_first_of(".,");
    const std::string_view intPart = pattern.substr(0, sep);
    int zeros = 0;
    for (char c : intPart)
        if (c == '0') ++zeros;
    d.integers = zeros < 1 ? 1 : zeros;
    d.decimals = sep == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - sep - 1);
    return d;
}

std::string FormatNumber(double value, int decimals, char separator, int minIntegers)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (decimals < 0) decimals = 0;
    if (minIntegers < 1) minIntegers = 1;
    std::string intPart;
    std::string fracPart;
    roundDecimal(std::fabs(value), decimals, intPart, fracPart);
    const bool negative = value < 0 && !(allZero(intPart) && allZero(fracPart));
    if (static_cast<int>(intPart.size()) < minIntegers)
        intPart.insert(0, static_cast<std::size_t>(minIntegers) - intPart.size(), '0');
    std::string out;
    if (negative) out += '-';
    out += intPart;
    if (decimals > 0) {
        out += separator;
        out += fracPart;
    }
    return out;
}

std::string FormatNumber(double value, std::string_view pattern, char separator)
{
    const PatternDigits d = ParsePattern(pattern);
    return FormatNumber(value, d.decimals, separator, d.integers);
}

std::string FormatNumber(const std::optional<double>& value, std::string_view pattern, char separator)
{
    if (!value) return {};
    return FormatNumber(*value, pattern, separator);
}

std::string FormatPlain(double value, char separator)
{
    if (!std::isfinite(value)) return FormatNumber(value, 0, separator);
    const DecimalForm f = decimalForm(std::fabs(value));
    // enough decimals to show all 15 significant digits, then drop the trailing zeros
    int decimals = 14 - f.exponent;
    if (decimals < 0) decimals = 0;
    std::string text = FormatNumber(value, decimals, separator);
    const std::size_t sep = text.find(separator);
    if (sep != std::string::npos) {
        std::size_t end = text.find_last_not_of('0');
        if (end == sep) --end;
        text.resize(end + 1);
    }
    return text;
}

double RoundToDecimals(double value, int decimals)
{
    if (!std::isfinite(value)) return value;
    const std::string text = FormatNumber(value, decimals, '.');
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::optional<double> ParseNumber(std::string_view text, char separator)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r')) --e;
    if (b == e) return std::nullopt;
    std::string_view s = text.substr(b, e - b);
    // study files are read with "." and may hold long lines: only another separator needs a copy
    std::string converted;
    if (separator != '.') {
        if (s.find('.') != std::string_view::npos) return std::nullopt;
        converted.assign(s);
        for (char& c : converted)
            if (c == separator) c = '.';
        s = converted;
    }
    std::size_t start = 0;
    if (s[0] == '+') {
        if (s.size() > 1 && s[1] == '-') return std::nullopt;  // "+-5" is not a number
        start = 1;
    }
    // only plain decimal notation with an optional exponent: no "inf", "nan" or hexadecimal forms
    for (std::size_t i = start; i < s.size(); ++i) {
        const char c = s[i];
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return std::nullopt;
    }
    double value = 0;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace kestra
