// Builders of the values a study lists in its extended statistics, and the three exact-distribution values
// every study with a t or F value gives.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "framework/extended_statistics.h"

namespace kestra {

// A name or note in both languages.
struct BilingualText {
    std::string it;
    std::string en;
};

// A value that is not finite (a division by zero of degenerate data) is given as empty: not applicable.
ExtendedValue NumberValue(std::string key, BilingualText name, std::optional<double> number,
                          BilingualText note);
// A 1-based row or series number, or empty.
ExtendedValue IntegerValue(std::string key, BilingualText name, std::optional<int> number,
                           BilingualText note);
// Every element must be finite; otherwise the whole list is given empty.
ExtendedValue ArrayValue(std::string key, BilingualText name, std::vector<double> numbers,
                         BilingualText note);
// A list some of whose elements do not apply (an empty element, or one that is not finite: JSON null).
ExtendedValue ArrayValueWithGaps(std::string key, BilingualText name, const std::vector<std::optional<double>>& numbers,
                                 BilingualText note);
// The value with the scale below which it is shown as 0 (see ExtendedValue::noiseScale).
ExtendedValue WithNoiseScale(ExtendedValue value, double scale);

// The exact counterparts of a study's historical t and F and of the p-value of its main test, for the same
// degrees of freedom. An absent quantity gives an empty value with the note saying why.
struct ExactCounterparts {
    std::optional<double> tDf;  // degrees of freedom of the historical t
    BilingualText tNote;
    std::optional<double> fDf1, fDf2;  // degrees of freedom of the historical F
    BilingualText fNote;
    std::optional<double> p;  // the exact p-value of the main test
    BilingualText pNote;
};
// t_critical_exact, f_critical_exact, p_exact, in this order.
std::vector<ExtendedValue> ExactCounterpartValues(const ExactCounterparts& c);

// The statistics of a study whose results are current; unavailable (and empty) otherwise. A computation
// that meets data it cannot evaluate (an arithmetic fault) also leaves the statistics unavailable.
template <typename Compute>
ExtendedStatistics AvailableExtended(bool current, Compute&& compute)
{
    ExtendedStatistics result;
    if (!current) return result;
    try {
        result.values = compute();
        result.available = true;
    } catch (const std::exception&) {
        result = {};
    }
    return result;
}

}  // namespace kestra
