// The accuracy study's extended statistics: exact t, the exact test of the recovery against 100 % (one
// level) or between the levels with the exact limits of each level (three levels).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/extended_statistics.h"

namespace kestra {

class AccuracyStudy;

ExtendedStatistics AccuracyExtended(const AccuracyStudy& study);

}  // namespace kestra
