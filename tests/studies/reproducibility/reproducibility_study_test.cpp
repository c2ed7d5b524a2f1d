// SPDX-License-Identifier: GPL-3.0-or-later
#include "../intermediate_precision/series_study_fixture.h"
#include "framework/study.h"
#include "text/text_helpers.h"

namespace kestra::test {
namespace {

using Study = IntermediatePrecisionStudy;
using ReproducibilityTest = SeriesStudyTest;

TEST_F(ReproducibilityTest, NewStudyState)
{
    Study study(ReproducibilityConfig());
    EXPECT_EQ(study.title(), "Riproducibilità - no file");
    EXPECT_EQ(study.seriesKind(), SeriesKind::Laboratories);
    EXPECT_EQ(study.selectableKinds(), std::vector<SeriesKind>{SeriesKind::Laboratories});
    EXPECT_EQ(study.treatmentCaption(), "Deviazione std. tra laboratori");
    EXPECT_STREQ(study.config().aovFrameCaption, "RIPRODUCIBILITA': Analisi della varianza");
    EXPECT_EQ(study.totalCount(), 9);
    EXPECT_EQ(study.numberPattern(), "######0.000");
    study.selectSeriesKind(SeriesKind::Analysts);
    EXPECT_EQ(study.seriesKind(), SeriesKind::Laboratories);
}

TEST_F(ReproducibilityTest, WorkedExampleIsNotSignificantInBothLanguages)
{
    for (char s : {'.', ','}) {
        SetUserDecimalSeparator(s);
        Study study(ReproducibilityConfig());
        enter(study, workedExample());
        ASSERT_TRUE(study.calculate().computed);
        EXPECT_EQ(study.aovCell(2, 6), sep("9.55 (NS)", s));
        EXPECT_EQ(study.precisionText(), sep("22.840", s));
        EXPECT_EQ(
            study.conclusions()[1],
            "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nREPRODUCIBILITY "
            "TEST\r\n\r\n\r\n"
            "The test result is considered NOT significant, that is some laboratories are  NOT different "
            "from others.\r\n\r\nThe standard deviation between laboratories  is :\r\n" +
                sep("2.449", s) + "\r\n\r\nThe standard deviation between repeated analysis is :\r\n" +
                sep("1.414", s) + "\r\n\r\nThe reproducibility standard deviation is :\r\n" +
                sep("2.828", s) + "\r\n\r\nThe method precision (like reproducibility) in P% is :\r\n± " +
                sep("22.840", s));
        EXPECT_EQ(
            study.conclusions()[0],
            "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA RIPRODUCIBILITA'"
            "\r\n\r\n\r\nIl risultato del test è da considerarsi NON significativo, cioè alcuni laboratori "
            "NON "
            "si differenziano dagli altri.\r\n\r\nLa deviazione standard tra laboratori  è :\r\n" +
                sep("2.449", s) + "\r\n\r\nLa deviazione standard tra analisi ripetute è :\r\n" +
                sep("1.414", s) + "\r\n\r\nLa deviazione standard di riproducibilità è :\r\n" +
                sep("2.828", s) +
                "\r\n\r\nLa precisione del metodo (come riproducibilità) espressa in P% è :\r\n± " +
                sep("22.840", s));
    }
}

TEST_F(ReproducibilityTest, EqualValuesWithinLaboratoriesAreSignificant)
{
    Study study(ReproducibilityConfig());
    enter(study, {{10, 10}, {11, 11}, {15, 15}});
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.aovCell(2, 5), CentreText("S", 14));
    EXPECT_NE(study.conclusions()[1].find("considered significant, that is some laboratories are  different"),
              std::string::npos);
    EXPECT_NE(
        study.conclusions()[0].find("da considerarsi significativo, cioè alcuni laboratori si differenziano"),
        std::string::npos);
}

TEST_F(ReproducibilityTest, ReportAndChartTexts)
{
    Study study(ReproducibilityConfig());
    enter(study, workedExample());
    ASSERT_TRUE(study.calculate().computed);
    const ReportRecords it = study.reportRecords(Language::Italian);
    EXPECT_EQ(it.headerTable, "Ripr");
    EXPECT_EQ(it.detailTable, "RiprTabella");
    EXPECT_EQ(it.header.text("RISDIVERSI"), "Laboratori diversi");
    EXPECT_EQ(study.reportRecords(Language::English).header.text("RISDIVERSI"), "Different laboratories");
    const ChartData chart = study.charts(Language::Italian).front();
    EXPECT_EQ(chart.name, "VtGrafRipr");
    EXPECT_EQ(chart.title, "Riproducibilità: medie");
    EXPECT_EQ(study.charts(Language::English).front().title, "Reproducibility: means");
    EXPECT_EQ(study.charts(Language::English).front().xAxis.title, "Series");
}

}  // namespace
}  // namespace kestra::test
