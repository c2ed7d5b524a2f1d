// The calibration study's extended statistics: exact t and F, exact p-values of the analysis of variance,
// the detection limits from the line, the exact interval of the intercept and the residuals.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/extended_statistics.h"

namespace kestra {

class CalibrationStudy;

ExtendedStatistics CalibrationExtended(const CalibrationStudy& study);

}  // namespace kestra
