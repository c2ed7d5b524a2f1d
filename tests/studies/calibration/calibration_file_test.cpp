// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "studies/calibration/calibration_study.h"
#include "test_support.h"

namespace kestra {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

class CalibrationFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetUserDecimalSeparator('.'); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    // k = 3 levels 1, 2, 3 and n = 3 responses, as in the reference layout.
    static void fillThreeByThree(CalibrationStudy& study)
    {
        study.setLevelCount(3);
        const double rows[3][3] = {{1.01, 2.02, 2.99}, {0.99, 1.98, 3.01}, {1.0, 2.0, 3.0}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) study.grid().setCell(r, c, rows[r][c]);
    }

    TempDir dir;
};

TEST_F(CalibrationFileTest, WritesTheReferenceLayoutWithPointsWhateverTheSeparator)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        CalibrationStudy study;
        study.setHeader(0, "HPLC, colonna C18");
        study.setHeader(1, "Piombo");
        study.setHeader(2, "Acqua");
        fillThreeByThree(study);
        const auto path = dir / "ref.TAR";
        study.write(path);
        EXPECT_EQ(readFile(path),
                  "Kestra for Windows\r\n7\r\n3\r\n4\r\n"
                  "HPLC, colonna C18\r\nPiombo\r\nµg/ml\r\nAcqua\r\n\r\n3\r\n3\r\n9\r\n\r\n3\r\n"
                  "1.000\r\n2.000\r\n3.000\r\n"
                  " 1,1.010,2.020,2.990\r\n2,0.990,1.980,3.010\r\n3,1.000,2.000,3.000\r\n");
        EXPECT_EQ(study.title(), "Taratura - " + path.string());
        EXPECT_FALSE(study.isModified());
    }
}

TEST_F(CalibrationFileTest, RoundTripInBothSeparatorsKeepsWhatIsShown)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        CalibrationStudy study;
        study.setNumberFormat({4, 2});
        study.setHeader(0, "  Metodo, con virgola ");
        study.setHeader(1, "Ferro è");
        study.setHeader(2, "Campione Ω");
        study.setHeader(3, " mg/l ");
        study.setLevelCount(4);
        study.setResponseCount(5);
        study.setConcentrationText(0, sep == '.' ? "0.5" : "0,5");
        study.setConcentrationText(3, sep == '.' ? "12.345" : "12,345");
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c) study.grid().setCell(r, c, r * 1.25 + c * 10.005);
        const auto path = dir / "rt.tar";
        study.write(path);
        const std::string text = readFile(path);
        // concentrations always with a point, cut to the file's decimals
        EXPECT_NE(text.find("\r\n4\r\n0.50\r\n2.00\r\n3.00\r\n12.35\r\n 1,0.00,10.01,20.01,30.02\r\n"),
                  std::string::npos);

        CalibrationStudy back;
        back.read(path);
        EXPECT_EQ(back.header(0), "  Metodo, con virgola ");
        EXPECT_EQ(back.header(1), "Ferro è");
        EXPECT_EQ(back.header(2), "Campione Ω");
        EXPECT_EQ(back.header(3), " mg/l ");
        EXPECT_EQ(back.levelCount(), 4);
        EXPECT_EQ(back.responseCount(), 5);
        EXPECT_EQ(back.totalCount(), 20);
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 5; ++r) EXPECT_EQ(back.grid().cellText(r, c), study.grid().cellText(r, c));
        // headings come back in the file's format
        EXPECT_EQ(back.concentrationText(0), sep == '.' ? "0.50" : "0,50");
        EXPECT_EQ(back.concentrationText(3), sep == '.' ? "12.35" : "12,35");
        EXPECT_EQ(back.grid().format(), (NumberFormat{4, 2}));
        EXPECT_FALSE(back.isModified());
        ASSERT_TRUE(back.calculate().computed);
    }
}

TEST_F(CalibrationFileTest, FileDigitsGiveThePatternButNotTheWindowDigits)
{
    CalibrationStudy study;
    study.setNumberFormat({4, 2});
    fillThreeByThree(study);
    const auto path = dir / "d.TAR";
    study.write(path);

    CalibrationStudy back;
    back.setNumberFormat({9, 1});
    back.read(path);
    EXPECT_EQ(back.numberPattern(), "###0.00");
    EXPECT_EQ(CurrentNumberPattern(), "###0.00");
    EXPECT_EQ(back.numInteri(), 7);
    EXPECT_EQ(back.numDecimali(), 3);
    EXPECT_EQ(back.concentrationText(2), "3.00");
}

TEST_F(CalibrationFileTest, OlderLayoutWithoutBannerReadsWithSevenAndThreeDigits)
{
    const auto path = dir / "old.TAR";
    writeFile(path,
              "4\r\nGC\r\nBenzene\r\nppm\r\nAria\r\n\r\n3\r\n3\r\n9\r\n\r\n3\r\n1.5\r\n2.5\r\n3.5\r\n"
              " 1,1.1,2.1,3.1\r\n2,1.2,2.2,3.2\r\n3,1.3,2.3,3.3\r\n");
    CalibrationStudy study;
    study.read(path);
    EXPECT_EQ(study.numberPattern(), "######0.000");
    EXPECT_EQ(study.grid().format(), (NumberFormat{7, 3}));
    EXPECT_EQ(study.header(0), "GC");
    EXPECT_EQ(study.header(3), "ppm");
    EXPECT_EQ(study.header(2), "Aria");
    EXPECT_EQ(study.concentrationText(1), "2.500");
    EXPECT_EQ(study.grid().cell(2, 2), 3.3);
    EXPECT_EQ(study.grid().cellText(0, 1), "2.100");
}

TEST_F(CalibrationFileTest, Windows1252FileFromAnOlderSystem)
{
    const auto path = dir / "w.TAR";
    writeFile(path,
              "Kestra for Windows\r\n7\r\n3\r\n4\r\nSpettrofotometria\r\nFerro\r\n\xB5g/ml\r\nAcqua potabile \xE8\r\n"
              "\r\n3\r\n3\r\n9\r\n\r\n3\r\n1.000\r\n2.000\r\n3.000\r\n"
              " 1,1.010,2.020,2.990\r\n2,0.990,1.980,3.010\r\n3,1.000,2.000,3.000\r\n");
    CalibrationStudy study;
    study.read(path);
    EXPECT_EQ(study.header(3), "µg/ml");
    EXPECT_EQ(study.header(2), "Acqua potabile è");
}

TEST_F(CalibrationFileTest, MalformedFilesNameTheirLine)
{
    const std::string head = "Kestra for Windows\r\n7\r\n3\r\n";
    const std::string fields = "M\r\nA\r\nU\r\nC\r\n\r\n";
    struct Case {
        const char* name;
        std::string contents;
        int line;
    };
    const std::vector<Case> cases = {
        {"line 4 not an integer", head + "x\r\n" + fields, 4},
        {"too few levels", head + "3\r\n" + fields + "3\r\n2\r\n6\r\n\r\n2\r\n", 11},
        {"too many responses", head + "4\r\n" + fields + "41\r\n3\r\n123\r\n\r\n", 10},
        {"line 4 does not match the levels", head + "5\r\n" + fields + "3\r\n3\r\n9\r\n\r\n3\r\n", 4},
        {"concentration count differs", head + "4\r\n" + fields + "3\r\n3\r\n9\r\n\r\n4\r\n", 14},
        {"line 14 not an integer", head + "4\r\n" + fields + "3\r\n3\r\n9\r\n\r\ntre\r\n", 14},
        {"ends early", head + "4\r\n" + fields + "3\r\n3\r\n9\r\n\r\n3\r\n1\r\n2\r\n3\r\n 1,1,2,3\r\n", 17 + 2},
        {"row with too few values", head + "4\r\n" + fields + "3\r\n3\r\n9\r\n\r\n3\r\n1\r\n2\r\n3\r\n 1,1,2\r\n", 18},
    };
    for (const Case& c : cases) {
        const auto path = dir / "bad.TAR";
        writeFile(path, c.contents);
        CalibrationStudy study;
        try {
            study.read(path);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const StudyFileError& e) {
            EXPECT_EQ(e.line(), c.line) << c.name << ": " << e.what();
        }
        EXPECT_EQ(study.loadFileName(), "") << c.name;
    }
}

}  // namespace
}  // namespace kestra
