// Looking up the values of a study's extended statistics by key in the tests.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "framework/extended_statistics.h"

namespace kestra::test {

inline std::vector<std::string> keysOf(const ExtendedStatistics& e)
{
    std::vector<std::string> keys;
    for (const auto& v : e.values) keys.push_back(v.key);
    return keys;
}

// The value with the key; a test failure (and an empty value) when there is none.
inline ExtendedValue valueOf(const ExtendedStatistics& e, const std::string& key)
{
    for (const auto& v : e.values)
        if (v.key == key) return v;
    ADD_FAILURE() << "no extended value " << key;
    return {};
}

inline std::optional<double> numberOf(const ExtendedStatistics& e, const std::string& key)
{
    return valueOf(e, key).number;
}

// Agreement to about 11 significant digits: what separates two exact implementations in double precision.
inline ::testing::AssertionResult closeTo(std::optional<double> actual, double expected,
                                          double relative = 1e-11)
{
    if (!actual) return ::testing::AssertionFailure() << "empty value, expected " << expected;
    const double tolerance = relative * std::max(std::fabs(expected), 1e-300);
    if (std::fabs(*actual - expected) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << *actual << " differs from " << expected << " by " << std::fabs(*actual - expected);
}

}  // namespace kestra::test
