// The extended statistics as lines of text, the same for the study window's tab and the report's appendix.
#pragma once

#include <string>
#include <vector>

#include "framework/extended_statistics.h"

namespace kestra {

// Significant digits a value is shown with; the command line gives the full double.
constexpr int kExtendedSignificantDigits = 6;

// One shown line: an array gives one line per element, its note on the first.
struct ExtendedLine {
    std::string key;        // the value's key; an element adds "[i]" (0-based, as the JSON array counts)
    std::string name;       // an element: the name and its 1-based number, "Residui 3"
    std::string value;      // as shown
    std::string fullValue;  // every digit of the double, for the tooltip and a careful reader
    std::string note;
};

// A number with six significant digits and the separator: plain between 1e-4 and 1e6, otherwise with an
// exponent ("1,23457E-07"); trailing zeros dropped. NaN and infinities are named, not printed as digits.
std::string ExtendedNumberText(double value, char separator, Language language = Language::Italian);
// The shortest text that reads back as the same double.
std::string ExtendedFullText(double value, char separator);

std::vector<ExtendedLine> ExtendedLines(const ExtendedStatistics& statistics, Language language,
                                        char separator);

// Why nothing is shown: no calculation for the data as they are now.
std::string ExtendedUnavailableText(bool dataChanged, Language language);
// A study that calculated but has nothing beside its results (no t or F in its tests).
std::string ExtendedNoValuesText(Language language);
// The rule the values are printed with, one line below them in the report.
std::string ExtendedDisplayRuleText(Language language);

}  // namespace kestra
