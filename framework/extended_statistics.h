// What a study gives beside its historical results: exact distribution values and further tests, computed
// from the data exactly as the calculation uses them (the values as shown). The historical results stay
// as they are; these are shown in their own tab, printed as an appendix and given by the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/report_records.h"

namespace kestra {

struct ExtendedValue {
    enum class Type {
        Number,   // a real value, full double precision
        Integer,  // a row or series number (1-based as the user counts)
        Array     // a list of real values (for example the calibration residuals)
    };
    std::string key;  // the command line's JSON key, for example "t_critical_exact"
    std::string nameIt;
    std::string nameEn;
    Type type = Type::Number;
    std::optional<double> number;  // Number, Integer; empty: not applicable (JSON null)
    std::vector<double> numbers;   // Array; an element that does not apply is NaN (JSON null)
    std::string noteIt;            // one line: what the value means, and why it differs from the historical one
    std::string noteEn;
    // The size of the data the value comes from, when it can be a difference that cancels (a residual):
    // a value below kNoiseRelative of it is floating-point noise about zero and shown as 0 (the full value
    // stays in the tooltip and the JSON). 0: every value is shown as computed.
    double noiseScale = 0;
    // Array: elements level by level, this many replicates each (0: one element per level or place).
    int replicates = 0;
    // Array: lists with the same table name are printed side by side, one row per element.
    std::string table{};
    static constexpr double kNoiseRelative = 1e-10;

    const std::string& name(Language language) const { return language == Language::English ? nameEn : nameIt; }
    const std::string& note(Language language) const { return language == Language::English ? noteEn : noteIt; }
};

struct ExtendedStatistics {
    // False when there is nothing to show: no current results, or data the calculation refuses.
    bool available = false;
    std::vector<ExtendedValue> values;
};

}  // namespace kestra
