// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/number_pattern.h"
#include "studies/limits/limits_study.h"
#include "studies/precision/precision_study.h"
#include "studies/study_factory.h"
#include "test_support.h"

namespace kestra {
namespace {

TEST(ExtendedAvailability, NewDocumentsOfEveryKindHaveNone)
{
    for (StudyKindId kind : {StudyKindId::Limi, StudyKindId::Prec, StudyKindId::Tara, StudyKindId::Accu,
                             StudyKindId::Spec, StudyKindId::Prin, StudyKindId::Ripr}) {
        const auto study = CreateStudy(kind);
        // the reset results are current but belong to no calculation
        EXPECT_TRUE(study->resultsCurrent());
        EXPECT_FALSE(study->extendedStatistics().available) << study->kind().kindCode;
        // the untouched data are refused silently: still nothing
        RunCalculation(*study);
        EXPECT_FALSE(study->extendedStatistics().available) << study->kind().kindCode;
    }
}

TEST(ExtendedAvailability, FollowsTheCurrencyOfTheResults)
{
    SetUserDecimalSeparator('.');
    PrecisionStudy study;
    study.setDeterminationCount(3);
    for (int r = 0; r < 3; ++r) study.grid().setCell(r, 0, 1.0 + r);
    ASSERT_TRUE(RunCalculation(study).computed);
    EXPECT_TRUE(study.extendedStatistics().available);

    // an edit makes the results stale, and a refused calculation leaves them so
    study.grid().setCell(1, 0, std::nullopt);
    study.setResultsCurrent(false);
    EXPECT_FALSE(RunCalculation(study).computed);
    EXPECT_FALSE(study.extendedStatistics().available);
    study.grid().setCell(1, 0, 2.5);
    ASSERT_TRUE(RunCalculation(study).computed);
    EXPECT_TRUE(study.extendedStatistics().available);

    // a read is stale until its calculation; a reset forgets the calculation
    test::TempDir dir;
    study.write(dir / "p.PRE");
    PrecisionStudy other;
    other.read(dir / "p.PRE");
    EXPECT_FALSE(other.extendedStatistics().available);
    ASSERT_TRUE(RunCalculation(other).computed);
    EXPECT_TRUE(other.extendedStatistics().available);
    other.reset();
    EXPECT_FALSE(other.extendedStatistics().available);
}

TEST(ExtendedAvailability, LimitsStudyHasNoExtendedValues)
{
    LimitsStudy study;
    for (int r = 0; r < study.measurementCount(); ++r) study.grid().setCell(r, 0, 0.1 * (r + 1));
    ASSERT_TRUE(RunCalculation(study).computed);
    const ExtendedStatistics e = study.extendedStatistics();
    EXPECT_TRUE(e.available);
    EXPECT_TRUE(e.values.empty());
}

}  // namespace
}  // namespace kestra
