#include "studies/study_factory.h"

#include <stdexcept>

#include "studies/calibration/calibration_study.h"
#include "studies/limits/limits_study.h"

namespace kestra {

std::unique_ptr<Study> CreateStudy(StudyKindId kind)
{
    switch (kind) {
    case StudyKindId::Limi:
        return std::make_unique<LimitsStudy>();
    case StudyKindId::Tara:
        return std::make_unique<CalibrationStudy>();
    default:
        break;
    }
    throw std::invalid_argument(std::string("Tipo di studio non ancora disponibile: ") + KindInfo(kind).kindCode);
}

}  // namespace kestra
