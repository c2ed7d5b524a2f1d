// The quantities a dossier criterion can name, taken from a calculated study: its displayed results by
// catalogue name, or any key of its extended statistics.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dossier/criteria_catalogue.h"
#include "framework/extended_values.h"

namespace kestra {

class Study;

struct QuantityValue {
    QuantityShape shape = QuantityShape::Number;
    std::vector<double> numbers;     // Number 1, Interval 2, Levels one per level; none for a judgement
    std::vector<std::string> texts;  // each number as the study shows it (the user's separator)
    bool significant = false;        // Judgement
    bool isNull = false;             // an extended value that is not there (JSON null): no suspect value
    bool fullPrecision = false;      // an extended value: not rounded for display
};

struct QuantityLookup {
    std::optional<QuantityValue> value;
    BilingualText reason;  // why there is no value
};

// The quantity `key` of a study whose calculation computed. `extended` holds the study's extended statistics
// (asked for once by the caller), or nothing when they are not available.
QuantityLookup StudyQuantity(const Study& study, const std::string& key,
                             const std::optional<ExtendedStatistics>& extended);

}  // namespace kestra
