// The specificity study's extended statistics: exact t and F, the exact two-sided test of the variances,
// the Welch–Satterthwaite degrees of freedom and the exact p of the t test the study chose.
#pragma once

#include "framework/extended_statistics.h"

namespace kestra {

class SpecificityStudy;

ExtendedStatistics SpecificityExtended(const SpecificityStudy& study);

}  // namespace kestra
