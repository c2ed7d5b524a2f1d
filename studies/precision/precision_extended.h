// The precision study's extended statistics: exact t, the exact confidence limits of the mean and Grubbs'
// outlier test.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/extended_statistics.h"

namespace kestra {

class PrecisionStudy;

ExtendedStatistics PrecisionExtended(const PrecisionStudy& study);

}  // namespace kestra
