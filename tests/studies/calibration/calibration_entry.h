// Enters a calibration into a study as the window does: the concentrations as shown, then the responses
// level by level (every level with the same number of responses).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "framework/number_pattern.h"
#include "studies/calibration/calibration_study.h"

namespace kestra::test {

inline void EnterCalibration(CalibrationStudy& study, const std::vector<double>& x,
                             const std::vector<std::vector<double>>& y)
{
    study.setLevelCount(static_cast<int>(x.size()));
    study.setResponseCount(static_cast<int>(y[0].size()));
    for (std::size_t i = 0; i < x.size(); ++i) {
        study.setConcentrationText(static_cast<int>(i), FormatWith(x[i], study.numberPattern()));
        for (std::size_t r = 0; r < y[i].size(); ++r)
            study.grid().setCell(static_cast<int>(r), static_cast<int>(i), y[i][r]);
    }
}

}  // namespace kestra::test
