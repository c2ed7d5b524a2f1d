#include "studies/limits/limits_study.h"

#include <gtest/gtest.h>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "test_support.h"

namespace kestra {
namespace {

class LimitsStudyTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    void enter(LimitsStudy& study, std::initializer_list<double> values)
    {
        study.setMeasurementCount(static_cast<int>(values.size()) < 5 ? 5 : static_cast<int>(values.size()));
        int r = 0;
        for (double v : values) study.grid().setCell(r++, 0, v);
    }
};

TEST_F(LimitsStudyTest, ResetState)
{
    LimitsStudy study;
    EXPECT_EQ(study.title(), "Limiti - no file");
    EXPECT_EQ(study.measurementCount(), 10);
    EXPECT_EQ(study.grid().rowCount(), 10);
    EXPECT_EQ(study.grid().columnHeader(0), "Risultati");
    EXPECT_EQ(study.grid().cell(9, 0), 0.0);
    EXPECT_EQ(study.numberPattern(), "##0.000");
    EXPECT_EQ(study.stDevText(), "0.000");
    EXPECT_EQ(study.conclusionText(), "");
    EXPECT_EQ(study.option(), LimitsStudy::Option::Detection);
    EXPECT_FALSE(study.isModified());
}

TEST_F(LimitsStudyTest, OneToFiveGivesTheLimitsInBothSeparators)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        LimitsStudy study;
        study.setHeader(3, "  mg/l ");
        enter(study, {1, 2, 3, 4, 5});
        const CalcOutcome outcome = study.calculate();
        EXPECT_TRUE(outcome.computed);
        EXPECT_TRUE(outcome.messages.empty());
        const std::string s = sep == '.' ? "1.581" : "1,581";
        EXPECT_EQ(study.stDevText(), s);
        EXPECT_EQ(study.detectionLimitText(), sep == '.' ? "3.162" : "3,162");
        EXPECT_EQ(study.quantitationLimitText(), sep == '.' ? "15.811" : "15,811");
        const std::string& c0 = study.conclusions()[0];
        EXPECT_NE(c0.find("( mg/l )"), std::string::npos);
        EXPECT_EQ(c0.substr(c0.size() - 5), sep == '.' ? "3.162" : "3,162");
        EXPECT_EQ(study.conclusionText(), std::string(LimitsStudy::kConclusionHeader) + "\r\n" + c0);
    }
}

TEST_F(LimitsStudyTest, FormatChangesNeverDestroyEnteredValues)
{
    // 10.1, 9.9, 9.8 at 0 decimals show and compute as 10, 10, 10; back at 3 decimals they are the entered ones
    LimitsStudy study;
    enter(study, {10.1, 9.9, 9.8, 10.2, 10.0});
    study.setModify(false);
    study.clearGridsChanged();
    study.changeNumberFormat({3, 0});
    EXPECT_TRUE(study.isModified());  // a save would now write other digits
    EXPECT_EQ(study.grid().cellText(0, 0), "10");
    EXPECT_EQ(study.grid().cell(2, 0), 10.0);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.stDevText(), "0");  // every shown value is 10
    EXPECT_NE(study.fileContents().find("1,10\r\n2,10\r\n"), std::string::npos) << study.fileContents();

    study.changeNumberFormat({3, 3});
    EXPECT_EQ(study.grid().cellText(0, 0), "10.100");
    EXPECT_EQ(study.grid().cellText(2, 0), "9.800");
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.stDevText(), "0.158");  // sd of 10.1 9.9 9.8 10.2 10.0
}

TEST_F(LimitsStudyTest, FormatChangeThatWritesTheSameFileLeavesTheDocumentUnmodified)
{
    LimitsStudy study;
    enter(study, {1, 2, 3, 4, 5});
    study.setModify(false);
    study.clearGridsChanged();
    study.changeNumberFormat(study.numberFormat());
    EXPECT_FALSE(study.isModified());
}

TEST_F(LimitsStudyTest, NineZerosAndOneHalf)
{
    LimitsStudy study;
    study.setNumberFormat({3, 6});
    study.grid().setCell(4, 0, 0.5);
    study.calculate();
    EXPECT_EQ(study.stDevText(), "0.158114");
    EXPECT_EQ(study.detectionLimitText(), "0.316228");
}

TEST_F(LimitsStudyTest, AllZeroKeepsThePreviousResultsAndSaysWhy)
{
    LimitsStudy study;
    enter(study, {1, 2, 3, 4, 5});
    study.calculate();
    for (int r = 0; r < 5; ++r) study.grid().setCell(r, 0, 0.0);
    const CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].severity, StudyMessage::Severity::Warning);
    EXPECT_EQ(outcome.messages[0].text,
              "Impossibile calcolare: i valori della griglia sono tutti uguali a zero.\nInserire i dati "
              "misurati e premere di nuovo Calcola.");
    EXPECT_EQ(study.stDevText(), "1.581");
}

TEST_F(LimitsStudyTest, EmptyCellsCountAsZeroAndEmptyUnitKeepsTheBlanks)
{
    LimitsStudy study;
    study.setMeasurementCount(5);
    study.grid().setCell(0, 0, 1.0);
    study.grid().setCell(1, 0, std::nullopt);
    study.calculate();
    // values 1, 0, 0, 0, 0: s = sqrt(0.2)
    EXPECT_EQ(study.stDevText(), "0.447");
    EXPECT_NE(study.conclusions()[2].find("concentration (  ) of"), std::string::npos);
}

TEST_F(LimitsStudyTest, OptionSwitchShowsTheOtherConclusionWithoutRecalculating)
{
    LimitsStudy study;
    enter(study, {1, 2, 3, 4, 5});
    study.calculate();
    study.grid().setCell(0, 0, 9.0);
    study.selectOption(LimitsStudy::Option::Quantitation);
    EXPECT_EQ(study.conclusionText(),
              std::string(LimitsStudy::kConclusionHeader) + "\r\n" + study.conclusions()[1]);
    EXPECT_EQ(study.quantitationLimitText(), "15.811");
    EXPECT_EQ(study.limitLabel(), "Limite di determinazione");
}

TEST_F(LimitsStudyTest, CountRulesAndGridRebuild)
{
    LimitsStudy study;
    study.grid().setCell(0, 0, 3.5);
    EXPECT_FALSE(study.setMeasurementCount(4));
    EXPECT_EQ(study.grid().rowCount(), 10);
    EXPECT_FALSE(study.isModify());
    EXPECT_TRUE(study.setMeasurementCount(12));
    EXPECT_EQ(study.grid().rowCount(), 12);
    EXPECT_EQ(study.grid().cell(0, 0), 3.5);
    EXPECT_EQ(study.grid().cell(11, 0), 0.0);
    EXPECT_TRUE(study.isModify());
    EXPECT_FALSE(study.setMeasurementCount(100));
}

TEST_F(LimitsStudyTest, ReportRecordsCutAndCompose)
{
    LimitsStudy study;
    study.setHeader(0, std::string(60, 'M'));
    study.setHeader(2, "è" + std::string(59, 's'));
    study.setHeader(3, "  µg/ml  ");
    study.selectOption(LimitsStudy::Option::Quantitation);
    enter(study, {1, 2, 3, 4, 5});
    study.calculate();
    const ReportRecords it = study.reportRecords(Language::Italian);
    EXPECT_EQ(it.headerTable, "Limi");
    EXPECT_EQ(it.header.text("METODO"), std::string(50, 'M'));
    EXPECT_EQ(it.header.text("CAMPIONE"), "è" + std::string(49, 's'));
    EXPECT_EQ(it.header.text("UM"), "µg/ml");
    EXPECT_EQ(it.header.text("NDET"), "5");
    EXPECT_EQ(it.header.text("LIMDET"), "15.811");
    const auto& c = study.conclusions();
    EXPECT_EQ(it.header.text("CONCLUSIONI"),
              std::string(LimitsStudy::kConclusionHeader) + "\r\n" + c[0] + "\r\n\r\n" + c[1]);
    ASSERT_EQ(it.details.size(), 5u);
    EXPECT_EQ(it.details[4].text("COLA"), "5.000");
    EXPECT_EQ(std::get<std::int64_t>(*it.details[4].find("NDATI")), 5);

    const ReportRecords en = study.reportRecords(Language::English);
    EXPECT_EQ(en.header.text("CONCLUSIONI"),
              std::string("V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\n"
                          "DETECTION AND QUANTITATION LIMITS\r\n\r\n\r\n") +
                  c[2] + "\r\n\r\n" + c[3]);
}

TEST_F(LimitsStudyTest, ReportBeforeAnyCalculationCarriesZerosAndEmptyConclusions)
{
    LimitsStudy study;
    const ReportRecords r = study.reportRecords(Language::Italian);
    EXPECT_EQ(r.header.text("STDEV"), "0.000");
    EXPECT_EQ(r.header.text("CONCLUSIONI"), std::string(LimitsStudy::kConclusionHeader) + "\r\n\r\n\r\n");
    EXPECT_EQ(r.details.size(), 10u);
}

TEST_F(LimitsStudyTest, MeasurementsSharingTwelveLeadingDigitsKeepTheirScatter)
{
    // python3 tests/data/shifted_reference.py ("limits"): exact variance of the decimals as typed
    LimitsStudy study;
    study.setNumberFormat({12, 1});
    enter(study, {456789012345.6, 456789012345.1, 456789012345.9, 456789012345.3, 456789012345.4,
                  456789012345.8, 456789012345.2});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.stDevText(), "0.3");
    EXPECT_EQ(study.detectionLimitText(), "0.6");
    EXPECT_EQ(study.quantitationLimitText(), "3.0");
    // results written with ten decimals, the pattern another window set last
    MakeNumberPattern(3, 10);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.stDevText(), "0.3039423504");
    EXPECT_EQ(study.detectionLimitText(), "0.6078847008");
    EXPECT_EQ(study.quantitationLimitText(), "3.0394235042");
}

}  // namespace
}  // namespace kestra
