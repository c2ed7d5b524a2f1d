#include "framework/extended_statistics_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace kestra {

namespace {

std::string withSeparator(std::string text, char separator)
{
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

std::string notApplicable(Language language)
{
    return language == Language::English ? "not applicable" : "non applicabile";
}

}  // namespace

std::string ExtendedNumberText(double value, char separator, Language language)
{
    if (std::isnan(value)) return language == Language::English ? "not computable" : "non calcolabile";
    if (std::isinf(value)) return value > 0 ? "+∞" : "−∞";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", kExtendedSignificantDigits, value);
    std::string text = buffer;
    // "%g" writes "1e-07": an upper-case E with the exponent's own sign reads as spreadsheets write it
    if (const auto e = text.find('e'); e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        const std::string_view exponent(text.c_str() + e + 1);
        const char sign = exponent.empty() ? '+' : exponent.front();
        std::string digits(
            exponent.substr(exponent.empty() || exponent.front() == '+' || exponent.front() == '-' ? 1 : 0));
        while (digits.size() > 2 && digits.front() == '0') digits.erase(0, 1);
        text = mantissa + "E" + sign + digits;
    }
    if (text == "-0") text = "0";
    return withSeparator(text, separator);
}

std::string ExtendedElementName(const ExtendedValue& v, std::size_t i, Language language)
{
    const bool english = language == Language::English;
    const std::string& name = v.name(language);
    if (v.replicates > 0) {
        const std::size_t n = static_cast<std::size_t>(v.replicates);
        return name + (english ? ", level " : ", livello ") + std::to_string(i / n + 1) +
               (english ? ", replicate " : ", replica ") + std::to_string(i % n + 1);
    }
    if (!v.table.empty()) return name + (english ? ", level " : ", livello ") + std::to_string(i + 1);
    return name + " " + std::to_string(i + 1);
}

std::string ExtendedShownText(const ExtendedValue& v, double x, char separator, Language language)
{
    if (std::isfinite(x) && v.noiseScale > 0 && std::fabs(x) < ExtendedValue::kNoiseRelative * v.noiseScale)
        return "0";
    return ExtendedNumberText(x, separator, language);
}

std::string ExtendedFullText(double value, char separator)
{
    if (!std::isfinite(value)) return ExtendedNumberText(value, separator);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return withSeparator(std::string(buffer, result.ptr), separator);
}

std::vector<ExtendedLine> ExtendedLines(const ExtendedStatistics& statistics, Language language,
                                        char separator)
{
    std::vector<ExtendedLine> lines;
    if (!statistics.available) return lines;
    for (const ExtendedValue& v : statistics.values) {
        const std::string& name = v.name(language);
        const std::string& note = v.note(language);
        switch (v.type) {
            case ExtendedValue::Type::Array: {
                if (v.numbers.empty()) {
                    lines.push_back({v.key, name, notApplicable(language), {}, note});
                    break;
                }
                for (std::size_t i = 0; i < v.numbers.size(); ++i) {
                    const double x = v.numbers[i];
                    const bool gap = std::isnan(x);
                    lines.push_back({v.key + "[" + std::to_string(i) + "]", ExtendedElementName(v, i, language),
                                     gap ? notApplicable(language) : ExtendedShownText(v, x, separator, language),
                                     gap ? std::string() : ExtendedFullText(x, separator),
                                     i == 0 ? note : std::string()});
                }
                break;
            }
            case ExtendedValue::Type::Integer: {
                std::string text = notApplicable(language);
                if (v.number) {
                    char buffer[32];
                    std::snprintf(buffer, sizeof buffer, "%.0f", *v.number);
                    text = std::isfinite(*v.number) ? buffer
                                                    : ExtendedNumberText(*v.number, separator, language);
                }
                lines.push_back({v.key, name, text, text, note});
                break;
            }
            case ExtendedValue::Type::Number:
                if (v.number)
                    lines.push_back({v.key, name, ExtendedShownText(v, *v.number, separator, language),
                                     ExtendedFullText(*v.number, separator), note});
                else
                    lines.push_back({v.key, name, notApplicable(language), {}, note});
                break;
        }
    }
    return lines;
}

ExtendedTable ExtendedTableAt(const ExtendedStatistics& statistics, std::size_t index, Language language,
                              char separator)
{
    ExtendedTable table;
    const std::vector<ExtendedValue>& values = statistics.values;
    const auto isList = [&](std::size_t i) {
        return i < values.size() && values[i].type == ExtendedValue::Type::Array && !values[i].numbers.empty();
    };
    if (!isList(index)) return table;
    const ExtendedValue& first = values[index];
    if (!first.table.empty() && index > 0 && isList(index - 1) && values[index - 1].table == first.table)
        return table;
    table.members.push_back(index);
    if (!first.table.empty())
        for (std::size_t i = index + 1; isList(i) && values[i].table == first.table; ++i) table.members.push_back(i);

    const bool english = language == Language::English;
    const std::string level = english ? "Level" : "Livello";
    std::size_t rows = 0;
    for (std::size_t m : table.members) rows = std::max(rows, values[m].numbers.size());
    const std::size_t replicates = first.replicates > 0 ? static_cast<std::size_t>(first.replicates) : 0;
    if (replicates > 0)
        table.heads = {level, english ? "Replicate" : "Replica"};
    else
        table.heads = {first.table.empty() ? std::string(english ? "No." : "N.") : level};
    table.indexColumns = table.heads.size();
    for (std::size_t m : table.members) table.heads.push_back(values[m].name(language));
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> shown, full;
        if (replicates > 0) {
            shown = {std::to_string(r / replicates + 1), std::to_string(r % replicates + 1)};
        } else {
            shown = {std::to_string(r + 1)};
        }
        full.resize(shown.size());
        for (std::size_t m : table.members) {
            const ExtendedValue& v = values[m];
            const bool there = r < v.numbers.size() && !std::isnan(v.numbers[r]);
            shown.push_back(there ? ExtendedShownText(v, v.numbers[r], separator, language)
                                  : r < v.numbers.size() ? notApplicable(language) : std::string());
            full.push_back(there ? ExtendedFullText(v.numbers[r], separator) : std::string());
        }
        table.cells.push_back(std::move(shown));
        table.full.push_back(std::move(full));
    }
    return table;
}

std::string ExtendedUnavailableText(bool dataChanged, Language language)
{
    if (language == Language::English)
        return dataChanged ? "The data have changed since the last calculation: calculate again (F9) to see "
                             "the extended statistics."
                           : "Calculate the results to see the extended statistics.";
    return dataChanged ? "I dati sono cambiati dopo l'ultimo calcolo: eseguire di nuovo il calcolo (F9) per "
                         "vedere la statistica estesa."
                       : "Eseguire il calcolo per vedere la statistica estesa.";
}

std::string ExtendedNoValuesText(Language language)
{
    return language == Language::English ? "This study has no extended statistics: its tests use no t or F."
                                         : "Nessun valore di statistica estesa per questo studio: i suoi "
                                           "calcoli non usano test t o F.";
}

std::string ExtendedDisplayRuleText(Language language)
{
    if (language == Language::English)
        return "Values with 6 significant digits. The historical results of the report are unchanged.";
    return "Valori con 6 cifre significative. I risultati storici del report restano invariati.";
}

}  // namespace kestra
