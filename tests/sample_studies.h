// Studies of every kind filled with data of usual sizes and some scatter, the same every run.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "framework/number_pattern.h"
#include "reporting/ui/report_test_support.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/calibration/calibration_study.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"
#include "studies/limits/limits_study.h"
#include "studies/precision/precision_study.h"
#include "studies/specificity/specificity_study.h"
#include "text/number_format.h"

namespace kestra::test {

// A value of some scatter around a level, the same every run.
inline double around(double level, int i)
{
    return level * (1 + 0.01 * (((i * 37) % 11) - 5) / 5.0);
}

inline void headers(Study& s)
{
    s.setHeader(0, "HPLC con rivelatore UV a 254 nm, metodo interno MI-07 revisione 3");
    s.setHeader(1, "Paracetamolo");
    s.setHeader(2, "Compresse 500 mg, lotto 2231/B");
    if (s.headerFieldCount() > 3) s.setHeader(3, "mg/l");
}

inline std::unique_ptr<Study> limits(int n)
{
    auto s = std::make_unique<LimitsStudy>();
    test::FillLimitsStudy(*s, n, "HPLC con rivelatore UV a 254 nm, metodo interno MI-07 revisione 3");
    return s;
}

inline std::unique_ptr<Study> precision(int n)
{
    auto s = std::make_unique<PrecisionStudy>();
    s->setDeterminationCount(n);
    for (int r = 0; r < n; ++r) s->grid().setCell(r, 0, around(10, r));
    headers(*s);
    return s;
}

inline std::unique_ptr<Study> calibration(int levels, int responses)
{
    auto s = std::make_unique<CalibrationStudy>();
    s->setLevelCount(levels);
    s->setResponseCount(responses);
    for (int c = 0; c < levels; ++c) {
        s->setConcentrationText(c, FormatNumber(10.0 * (c + 1), 3, UserDecimalSeparator()));
        for (int r = 0; r < responses; ++r) s->grid().setCell(r, c, around(100.0 * (c + 1) + 2, r + c));
    }
    headers(*s);
    return s;
}

inline std::unique_ptr<Study> accuracy(int n, bool three)
{
    auto s = std::make_unique<AccuracyStudy>();
    s->setDeterminations(n);
    s->setLevelMode(three ? AccuracyStudy::LevelMode::Three : AccuracyStudy::LevelMode::One);
    s->setupAccuGrids();
    for (int level = 0; level < 3; ++level)
        for (int r = 0; r < n; ++r) {
            s->levelGrid(level).setCell(r, 0, 10.0);
            s->levelGrid(level).setCell(r, 1, around(10, r + level));
            s->updateRecovery(level, r);
        }
    headers(*s);
    return s;
}

inline std::unique_ptr<Study> specificity(int a, int b)
{
    auto s = std::make_unique<SpecificityStudy>();
    s->setGroupSize(0, a);
    s->setGroupSize(1, b);
    s->setupSpecGrid();
    for (int r = 0; r < a; ++r) s->grid().setCell(r, 0, around(50, r));
    for (int r = 0; r < b; ++r) s->grid().setCell(r, 1, around(50.2, r + 3));
    headers(*s);
    return s;
}

inline std::unique_ptr<Study> series(const SeriesStudyConfig& config, int k, int n)
{
    auto s = std::make_unique<IntermediatePrecisionStudy>(config);
    s->setSeriesCount(k);
    s->setPerSeriesCount(n);
    for (int c = 0; c < k; ++c)
        for (int r = 0; r < n; ++r) s->grid().setCell(r, c, around(20 + 0.1 * c, r + 2 * c));
    headers(*s);
    return s;
}

// A usual study of the kind, not yet calculated.
inline std::unique_ptr<Study> SampleStudy(StudyKindId kind)
{
    switch (kind) {
        case StudyKindId::Limi:
            return limits(10);
        case StudyKindId::Prec:
            return precision(6);
        case StudyKindId::Tara:
            return calibration(5, 3);
        case StudyKindId::Accu:
            return accuracy(3, true);
        case StudyKindId::Spec:
            return specificity(6, 6);
        case StudyKindId::Prin:
            return series(IntermediatePrecisionConfig(), 3, 4);
        case StudyKindId::Ripr:
            return series(ReproducibilityConfig(), 4, 3);
    }
    return nullptr;
}

}  // namespace kestra::test
