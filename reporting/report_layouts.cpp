// The one place that knows which layout each study kind prints with. A study adds its layout file
// (studies/<kind>/<kind>_layout.cpp) and its line here.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study.h"
#include "reporting/report_layout.h"
#include "text/messages.h"

namespace kestra {

ReportLayout BuildLimitsLayout(const Study& study);
ReportLayout BuildPrecisionLayout(const Study& study);
ReportLayout BuildCalibrationLayout(const Study& study);
ReportLayout BuildAccuracyLayout(const Study& study);  // CRAccu1 or CRAccu3, by the level mode
ReportLayout BuildSpecificityLayout(const Study& study);
ReportLayout BuildIntermediatePrecisionLayout(const Study& study);  // CRPrin and CRRipr

ReportLayout BuildLayout(const Study& study)
{
    ReportLayout layout;
    switch (study.kindId()) {
    case StudyKindId::Limi: layout = BuildLimitsLayout(study); break;
    case StudyKindId::Prec: layout = BuildPrecisionLayout(study); break;
    case StudyKindId::Tara: layout = BuildCalibrationLayout(study); break;
    case StudyKindId::Accu: layout = BuildAccuracyLayout(study); break;
    case StudyKindId::Spec: layout = BuildSpecificityLayout(study); break;
    case StudyKindId::Prin: layout = BuildIntermediatePrecisionLayout(study); break;
    case StudyKindId::Ripr: layout = BuildIntermediatePrecisionLayout(study); break;
    default:
        throw ReportLayoutError(Msg("Il report dello studio %1 non è ancora disponibile", {study.kind().methodName}));
    }
    layout.validate();
    return layout;
}

}  // namespace kestra
