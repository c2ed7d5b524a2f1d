#include "framework/extended_statistics_text.h"

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
                for (std::size_t i = 0; i < v.numbers.size(); ++i)
                    lines.push_back(
                        {v.key + "[" + std::to_string(i) + "]", name + " " + std::to_string(i + 1),
                         ExtendedNumberText(v.numbers[i], separator, language),
                         ExtendedFullText(v.numbers[i], separator), i == 0 ? note : std::string()});
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
                    lines.push_back({v.key, name, ExtendedNumberText(*v.number, separator, language),
                                     ExtendedFullText(*v.number, separator), note});
                else
                    lines.push_back({v.key, name, notApplicable(language), {}, note});
                break;
        }
    }
    return lines;
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
