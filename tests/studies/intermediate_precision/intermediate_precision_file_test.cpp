// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>

#include "framework/errors.h"
#include "framework/study.h"
#include "series_study_fixture.h"
#include "test_support.h"

namespace kestra::test {
namespace {

using Study = IntermediatePrecisionStudy;
using SeriesFileTest = SeriesStudyTest;

const std::string kExample =
    "Kestra for Windows\r\n7\r\n3\r\n4\r\nHPLC, metodo 2\r\nFerro\r\nmg/l\r\nAcqua\r\n\r\n2\r\n3\r\n6\r\n"
    "Analisti diversi nello stesso laboratorio\r\n 1,10.000,11.000,15.000\r\n2,12.000,13.000,17.000\r\n";

TEST_F(SeriesFileTest, WritesTheLayoutWithPointsWhateverTheSeparator)
{
    for (char s : {'.', ','}) {
        SetUserDecimalSeparator(s);
        TempDir dir;
        Study study(IntermediatePrecisionConfig());
        enter(study, workedExample());
        study.setHeader(0, "HPLC, metodo 2");
        study.setHeader(1, "Ferro");
        study.setHeader(2, "Acqua");
        study.setHeader(3, "mg/l");
        study.write(dir / "a.PRI");
        EXPECT_EQ(readFile(dir / "a.PRI"), kExample);
        EXPECT_EQ(study.title(), "Precisione intermedia - " + (dir / "a.PRI").string());
        EXPECT_FALSE(study.isModified());
    }
}

TEST_F(SeriesFileTest, ReadsBackWhatWasWritten)
{
    SetUserDecimalSeparator(',');
    TempDir dir;
    Study written(IntermediatePrecisionConfig());
    written.setNumberFormat({5, 2});
    enter(written, {{1.25, 2.5, 3}, {4, 5, 6.75}, {7, 8, 9}, {1, 1, 1}});
    written.selectSeriesKind(SeriesKind::Other);
    written.setHeader(1, "Ferro, totale");
    written.write(dir / "b.PRI");

    Study read(IntermediatePrecisionConfig());
    read.read(dir / "b.PRI");
    EXPECT_EQ(read.numberFormat(), (NumberFormat{5, 2}));
    EXPECT_EQ(CurrentNumberPattern(), "####0.00");
    EXPECT_EQ(read.header(1), "Ferro, totale");
    EXPECT_EQ(read.seriesCount(), 4);
    EXPECT_EQ(read.perSeriesCount(), 3);
    EXPECT_EQ(read.seriesKind(), SeriesKind::Other);
    EXPECT_EQ(read.grid().cellText(0, 0), "1,25");
    EXPECT_EQ(read.grid().cellText(2, 1), "6,75");
    EXPECT_EQ(read.grid().columnHeader(3), "4");
    EXPECT_FALSE(read.isModified());
    EXPECT_TRUE(read.calculate().computed);
}

TEST_F(SeriesFileTest, EmptyCellIsAnEmptyFieldAndReadsBackAsZero)
{
    TempDir dir;
    Study study(IntermediatePrecisionConfig());
    enter(study, workedExample());
    study.grid().setCell(1, 1, std::nullopt);
    study.write(dir / "c.PRI");
    EXPECT_NE(readFile(dir / "c.PRI").find("\r\n2,12.000,,17.000\r\n"), std::string::npos);
    Study read(IntermediatePrecisionConfig());
    read.read(dir / "c.PRI");
    EXPECT_EQ(read.grid().cell(1, 1), 0.0);
}

TEST_F(SeriesFileTest, ShortRowLinesReadAsZeroAndLongOnesAreCut)
{
    TempDir dir;
    writeFile(dir / "d.PRI",
              "Kestra for Windows\r\n7\r\n3\r\n4\r\nm\r\na\r\nu\r\nc\r\n\r\n2\r\n3\r\n6\r\n"
              "Altro (serie diverse)\r\n 1,1.5\r\n2,2,3,4,5\r\n");
    Study study(IntermediatePrecisionConfig());
    study.read(dir / "d.PRI");
    EXPECT_EQ(study.grid().cell(0, 0), 1.5);
    EXPECT_EQ(study.grid().cell(0, 2), 0.0);
    EXPECT_EQ(study.grid().cell(1, 2), 4.0);
    EXPECT_EQ(study.grid().columnCount(), 3);
}

TEST_F(SeriesFileTest, LaboratoriesLineSelectsNoKindInIntermediatePrecision)
{
    TempDir dir;
    std::string text = kExample;
    text.replace(text.find("Analisti diversi nello stesso laboratorio"), 41, "Laboratori diversi");
    writeFile(dir / "e.PRI", text);
    Study study(IntermediatePrecisionConfig());
    study.read(dir / "e.PRI");
    EXPECT_EQ(study.seriesKind(), SeriesKind::None);
    EXPECT_EQ(study.treatmentCaption(), "");
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_NE(study.conclusions()[1].find("between   is :"), std::string::npos);
    EXPECT_EQ(study.reportRecords(Language::Italian).header.text("RISDIVERSI"), "Altro (serie diverse)");
    // written back with an empty kind line
    study.write(dir / "e2.PRI");
    EXPECT_NE(readFile(dir / "e2.PRI").find("\r\n6\r\n\r\n 1,"), std::string::npos);
}

TEST_F(SeriesFileTest, OlderLayoutWithoutBannerHasThreeAndThreeDigits)
{
    TempDir dir;
    writeFile(dir / "f.PRI", kExample.substr(kExample.find("4\r\nHPLC")));
    Study study(IntermediatePrecisionConfig());
    study.read(dir / "f.PRI");
    EXPECT_EQ(study.numberFormat(), (NumberFormat{3, 3}));
    EXPECT_EQ(study.header(0), "HPLC, metodo 2");
    EXPECT_EQ(study.grid().cell(1, 2), 17.0);
}

TEST_F(SeriesFileTest, DimensionsOutsideTheBoxRangesAreTaken)
{
    TempDir dir;
    writeFile(dir / "g.PRI",
              "Kestra for Windows\r\n7\r\n3\r\n3\r\nm\r\na\r\nu\r\nc\r\n\r\n3\r\n2\r\n6\r\n\r\n"
              " 1,1,4\r\n2,2,5\r\n3,3,7\r\n");
    Study study(IntermediatePrecisionConfig());
    study.read(dir / "g.PRI");
    EXPECT_EQ(study.seriesCount(), 2);
    EXPECT_EQ(study.totalCount(), 6);
    EXPECT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.aovCell(2, 3), "1");
}

TEST_F(SeriesFileTest, FaultsNameTheLine)
{
    TempDir dir;
    writeFile(dir / "h.PRI", kExample.substr(0, kExample.find("2,12.000")));
    Study study(IntermediatePrecisionConfig());
    try {
        study.read(dir / "h.PRI");
        FAIL() << "a missing row line must be reported";
    } catch (const StudyFileError& e) {
        EXPECT_EQ(e.line(), 15);
    }
    EXPECT_EQ(study.loadFileName(), "");
    std::string text = kExample;
    text.replace(text.find("\r\n4\r\n") + 2, 1, "x");
    writeFile(dir / "i.PRI", text);
    EXPECT_THROW(study.read(dir / "i.PRI"), StudyFileError);
}

TEST_F(SeriesFileTest, ReproducibilityWritesLaboratoriesAndIgnoresTheKindLine)
{
    TempDir dir;
    writeFile(dir / "x.PRI", kExample);
    Study study(ReproducibilityConfig());
    study.read(dir / "x.PRI");
    EXPECT_EQ(study.seriesKind(), SeriesKind::Laboratories);
    EXPECT_EQ(study.title(), "Riproducibilità - " + (dir / "x.PRI").string());
    EXPECT_EQ(study.grid().cell(0, 2), 15.0);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_NE(study.conclusions()[0].find("alcuni laboratori NON"), std::string::npos);
    study.write(dir / "x.RIP");
    std::string expected = kExample;
    expected.replace(expected.find("Analisti diversi nello stesso laboratorio"), 41, "Laboratori diversi");
    EXPECT_EQ(readFile(dir / "x.RIP"), expected);
}

TEST_F(SeriesFileTest, LargestStudySavesAndOpensQuickly)
{
    TempDir dir;
    Study study(ReproducibilityConfig());
    study.setSeriesCount(20);
    study.setPerSeriesCount(40);
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 40; ++j) study.grid().setCell(j, i, 1000 + i + j * 0.125);
    const auto start = std::chrono::steady_clock::now();
    study.write(dir / "big.RIP");
    Study read(ReproducibilityConfig());
    read.read(dir / "big.RIP");
    ASSERT_TRUE(read.calculate().computed);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 500);
    EXPECT_EQ(read.grid().cell(39, 19), 1000 + 19 + 39 * 0.125);
    EXPECT_EQ(read.totalCount(), 800);
}

}  // namespace
}  // namespace kestra::test
