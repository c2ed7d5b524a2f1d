// Fixture shared by the intermediate precision and reproducibility tests: the F table of the template
// database, the decimal separator put back after each test, and data entry by series.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"

namespace kestra::test {

class SeriesStudyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    // Sets the dimensions and the values, series by series (one inner vector per series).
    static void enter(IntermediatePrecisionStudy& study, const std::vector<std::vector<double>>& series)
    {
        study.setSeriesCount(static_cast<int>(series.size()));
        study.setPerSeriesCount(static_cast<int>(series.front().size()));
        for (std::size_t i = 0; i < series.size(); ++i)
            for (std::size_t j = 0; j < series[i].size(); ++j)
                study.grid().setCell(static_cast<int>(j), static_cast<int>(i), series[i][j]);
    }
    // The worked example: three series of two analyses.
    static std::vector<std::vector<double>> workedExample() { return {{10, 12}, {11, 13}, {15, 17}}; }
    // The text with "," in place of "." when the separator is ",".
    static std::string sep(std::string text, char separator)
    {
        if (separator == ',')
            for (char& c : text)
                if (c == '.') c = ',';
        return text;
    }
    // A displayed number read back whatever its separator.
    static double shown(std::string text)
    {
        for (char& c : text)
            if (c == ',') c = '.';
        return std::stod(text);
    }
};

}  // namespace kestra::test
