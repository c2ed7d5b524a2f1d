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
// The name of an array's element i (0-based) as a reader counts it: "Residui, livello 2, replica 3".
std::string ExtendedElementName(const ExtendedValue& v, std::size_t i, Language language);
// One number of a value as shown: ExtendedNumberText, or "0" for floating-point noise about zero (a
// residual of 1.8E-15 for data of 3 decimals; see ExtendedValue::noiseScale).
std::string ExtendedShownText(const ExtendedValue& v, double x, char separator, Language language);
// The shortest text that reads back as the same double.
std::string ExtendedFullText(double value, char separator);

std::vector<ExtendedLine> ExtendedLines(const ExtendedStatistics& statistics, Language language,
                                        char separator);

// A list of numbers as a table, one row per element: the residuals by level and replicate, or the lists
// sharing a table name side by side (the back-calculated concentrations and their errors by level).
struct ExtendedTable {
    std::vector<std::size_t> members;  // the lists in it, as indexes of statistics.values
    std::size_t indexColumns = 1;      // the first columns count the rows: level (and replicate), or number
    std::vector<std::string> heads;    // the index columns', then each list's name
    std::vector<std::vector<std::string>> cells;  // row by row, as shown
    std::vector<std::vector<std::string>> full;   // every digit, for a tooltip; empty in the index columns
};
// The table that begins with the list statistics.values[index]; empty members when that value is no
// non-empty list or belongs to the table of a list before it.
ExtendedTable ExtendedTableAt(const ExtendedStatistics& statistics, std::size_t index, Language language,
                              char separator);

// Why nothing is shown: no calculation for the data as they are now.
std::string ExtendedUnavailableText(bool dataChanged, Language language);
// A study that calculated but has nothing beside its results (no t or F in its tests).
std::string ExtendedNoValuesText(Language language);
// The rule the values are printed with, one line below them in the report.
std::string ExtendedDisplayRuleText(Language language);

}  // namespace kestra
