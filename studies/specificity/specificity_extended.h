// The specificity study's extended statistics: exact t and F, the exact two-sided test of the variances,
// the Welch–Satterthwaite degrees of freedom and the exact p of the t test the study chose.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/extended_statistics.h"

namespace kestra {

class SpecificityStudy;

ExtendedStatistics SpecificityExtended(const SpecificityStudy& study);

}  // namespace kestra
