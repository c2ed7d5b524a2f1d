// The user's own texts in conclusions are never taken as templates: a method, analyte or unit that holds a
// placeholder stays as typed, in both languages. Also the degrees of freedom the specificity test cannot
// have.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "studies/calibration/calibration_study.h"
#include "studies/limits/limits_study.h"
#include "studies/specificity/specificity_study.h"

namespace kestra {
namespace {

class ConclusionUserText : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUserDecimalSeparator('.');
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
    }
};

TEST_F(ConclusionUserText, SpecificityMethodAndAnalyteStayAsTyped)
{
    SpecificityStudy study;
    study.setHeader(0, "HPLC #2# metodo #3#");
    study.setHeader(1, "Caffeina #1#");
    const double a[] = {98.0, 98.5, 97.5, 98.2, 97.8};
    const double b[] = {100.0, 100.5, 99.5, 100.2, 99.8};
    for (int r = 0; r < 5; ++r) {
        study.grid().setCell(r, 0, a[r]);
        study.grid().setCell(r, 1, b[r]);
    }
    ASSERT_TRUE(study.calculate().computed);
    const auto& c = study.conclusions();
    EXPECT_NE(
        c[0].find("Il metodo HPLC #2# metodo #3# NON è in grado di determinare l'analita Caffeina #1# senza"),
        std::string::npos)
        << c[0];
    EXPECT_NE(c[1].find("The method HPLC #2# metodo #3# NOT determine analyte Caffeina #1# without"),
              std::string::npos)
        << c[1];
}

TEST_F(ConclusionUserText, LimitsUnitStaysAsTyped)
{
    LimitsStudy study;
    study.setHeader(3, "ug/l #2# #3#");
    for (int r = 0; r < 5; ++r) study.grid().setCell(r, 0, r + 1.0);
    ASSERT_TRUE(study.calculate().computed);
    for (const std::string& c : study.conclusions()) {
        EXPECT_NE(c.find("( ug/l #2# #3# )"), std::string::npos) << c;
        EXPECT_EQ(c.find("( ug/l 3.162"), std::string::npos) << c;
    }
}

TEST_F(ConclusionUserText, CalibrationUnitStaysAsTyped)
{
    CalibrationStudy study;
    study.setHeader(3, "mg/l #9# #7#");
    const double y[4][3] = {{1.0, 1.2, 0.8}, {2.1, 1.9, 2.0}, {2.9, 3.1, 3.0}, {4.2, 3.9, 4.0}};
    study.setLevelCount(4);
    study.setResponseCount(3);
    for (int i = 0; i < 4; ++i) {
        study.setConcentrationText(i, FormatWith(i + 1.0, study.numberPattern()));
        for (int r = 0; r < 3; ++r) study.grid().setCell(r, i, y[i][r]);
    }
    ASSERT_TRUE(study.calculate().computed);
    for (const std::string& c : study.conclusions()) {
        EXPECT_NE(c.find("1 mg/l #9# #7#"), std::string::npos) << c;
        EXPECT_EQ(c.find("#4#"), std::string::npos) << c;  // the template's own placeholders are all filled
    }
}

TEST_F(ConclusionUserText, SpecificityRefusesDegreesOfFreedomThatCannotBeComputed)
{
    // one huge value: the squares of the variances overflow and the degrees of freedom are not a number
    SpecificityStudy study;
    const double a[] = {1.3e78, 98.5, 97.5, 98.2, 97.8};
    const double b[] = {100.0, 100.5, 99.5, 100.2, 99.8};
    for (int r = 0; r < 5; ++r) {
        study.grid().setCell(r, 0, a[r]);
        study.grid().setCell(r, 1, b[r]);
    }
    const std::string before = study.dfText();
    const CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);
    EXPECT_EQ(
        outcome.messages[0].text,
        "I gradi di libertà del test t non sono calcolabili: i risultati dei gruppi sono troppo grandi per "
        "il calcolo. Controllare i dati.");
    EXPECT_EQ(study.dfText(), before);
    EXPECT_EQ(study.dfText().find("-2147483648"), std::string::npos);
}

}  // namespace
}  // namespace kestra
