// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/study_factory.h"

#include <stdexcept>

#include "studies/intermediate_precision/intermediate_precision_study.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/calibration/calibration_study.h"
#include "studies/limits/limits_study.h"
#include "studies/specificity/specificity_study.h"
#include "studies/precision/precision_study.h"
#include "text/messages.h"

namespace kestra {

std::unique_ptr<Study> CreateStudy(StudyKindId kind)
{
    switch (kind) {
    case StudyKindId::Limi:
        return std::make_unique<LimitsStudy>();
    case StudyKindId::Tara:
        return std::make_unique<CalibrationStudy>();
    case StudyKindId::Accu:
        return std::make_unique<AccuracyStudy>();
    case StudyKindId::Spec:
        return std::make_unique<SpecificityStudy>();
    case StudyKindId::Prec:
        return std::make_unique<PrecisionStudy>();
    case StudyKindId::Prin: return std::make_unique<IntermediatePrecisionStudy>(IntermediatePrecisionConfig());
    case StudyKindId::Ripr: return std::make_unique<IntermediatePrecisionStudy>(ReproducibilityConfig());
    default:
        break;
    }
    throw std::invalid_argument(Msg("Tipo di studio non ancora disponibile: %1", {KindInfo(kind).kindCode}));
}

}  // namespace kestra
