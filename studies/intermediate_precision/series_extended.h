// The extended statistics of the intermediate precision and reproducibility studies: exact t, F and p of the
// series effect, Cochran's test of the series variances and the ISO 5725-2 standard deviations.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/extended_statistics.h"

namespace kestra {

class IntermediatePrecisionStudy;

ExtendedStatistics SeriesExtended(const IntermediatePrecisionStudy& study);

}  // namespace kestra
