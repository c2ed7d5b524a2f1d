// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/cell_entry.h"

#include "text/messages.h"
#include "text/number_format.h"

namespace kestra {

namespace {

std::string_view trimmed(std::string_view text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t' || text[b] == '\r' || text[b] == '\n')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r' || text[e - 1] == '\n'))
        --e;
    return text.substr(b, e - b);
}

}  // namespace

std::optional<double> ParseGridNumber(std::string_view text)
{
    std::string s(trimmed(text));
    int separators = 0;
    for (char& c : s) {
        if (c == ',' || c == '.') {
            c = '.';
            ++separators;
        }
    }
    // "1.234,5" is grouping, which no grid shows: not a number rather than a guess
    if (separators > 1) return std::nullopt;
    return ParseNumber(s, '.');
}

TypedEntry ReadTypedEntry(std::string_view text, const NumberFormat& format)
{
    const std::string_view t = trimmed(text);
    if (t.empty()) return {TypedEntry::Status::Empty, 0};
    const TypedEntry refused{TypedEntry::Status::Refused, 0};
    std::string integerPart;
    std::string decimalPart;
    bool separator = false;
    for (const char c : t) {
        if (c == ',' || c == '.') {
            if (separator) return refused;
            separator = true;
        } else if (c >= '0' && c <= '9') {
            (separator ? decimalPart : integerPart) += c;
        } else {
            return refused;
        }
    }
    if (integerPart.empty() && decimalPart.empty()) return refused;  // a separator alone
    const std::size_t firstSignificant = integerPart.find_first_not_of('0');
    const std::size_t integers =
        firstSignificant == std::string::npos ? 0 : integerPart.size() - firstSignificant;
    const std::size_t lastSignificant = decimalPart.find_last_not_of('0');
    const std::size_t decimals = lastSignificant == std::string::npos ? 0 : lastSignificant + 1;
    if (integers > static_cast<std::size_t>(format.integers) ||
        decimals > static_cast<std::size_t>(format.decimals))
        return refused;
    const auto value = ParseNumber((integerPart.empty() ? std::string("0") : integerPart) + "." +
                                       (decimalPart.empty() ? std::string("0") : decimalPart),
                                   '.');
    if (!value) return refused;
    return {TypedEntry::Status::Number, *value};
}

std::string InvalidEntryMessage(const NumberFormat& format, char separator)
{
    return Msg("Valore non valido: inserire un numero da %1 a %2",
               {FormatNumber(0.0, format.decimals, separator),
                FormatNumber(MaxValueOf(format), format.decimals, separator)});
}

}  // namespace kestra
