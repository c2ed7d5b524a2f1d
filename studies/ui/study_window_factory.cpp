#include "studies/ui/study_window_factory.h"

#include "framework/ui/study_window.h"
#include "studies/accuracy/accuracy_window.h"
#include "studies/calibration/calibration_window.h"
#include "studies/intermediate_precision/intermediate_precision_window.h"
#include "studies/limits/limits_window.h"
#include "studies/precision/precision_window.h"
#include "studies/specificity/specificity_window.h"

namespace kestra {

namespace {

using Creator = std::unique_ptr<StudyWindow> (*)(StudyWindowHost&, QWidget*);

template <typename Window>
std::unique_ptr<StudyWindow> make(StudyWindowHost& host, QWidget* parent)
{
    return std::make_unique<Window>(host, parent);
}

// One line per study window; a kind without a line has no window yet.
Creator creatorFor(StudyKindId kind)
{
    switch (kind) {
        case StudyKindId::Limi:
            return &make<LimitsWindow>;
        case StudyKindId::Prec:
            return &make<PrecisionWindow>;
        case StudyKindId::Accu:
            return &make<AccuracyWindow>;
        case StudyKindId::Tara:
            return &make<CalibrationWindow>;
        case StudyKindId::Spec:
            return &make<SpecificityWindow>;
        case StudyKindId::Prin:
            return &CreateIntermediatePrecisionWindow;
        case StudyKindId::Ripr:
            return &CreateReproducibilityWindow;
        default:
            return nullptr;
    }
}

}  // namespace

std::unique_ptr<StudyWindow> CreateStudyWindow(StudyKindId kind, StudyWindowHost& host, QWidget* parent)
{
    const Creator create = creatorFor(kind);
    return create ? create(host, parent) : nullptr;
}

bool HasStudyWindow(StudyKindId kind)
{
    return creatorFor(kind) != nullptr;
}

}  // namespace kestra
