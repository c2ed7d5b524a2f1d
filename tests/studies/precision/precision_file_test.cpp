// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "studies/precision/precision_study.h"
#include "test_support.h"

namespace kestra {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

class PrecisionFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetUserDecimalSeparator('.'); }
    TempDir dir;
};

TEST_F(PrecisionFileTest, WritesTheLayoutWithPointsWhateverTheSeparator)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        PrecisionStudy study;
        study.setHeader(0, "method");
        study.setHeader(1, "analyte");
        study.setHeader(2, "sample");
        study.setDeterminationCount(3);
        study.grid().setCell(0, 0, 10.1);
        study.grid().setCell(1, 0, std::nullopt);
        study.grid().setCell(2, 0, 9.9);
        const auto path = dir / "a.PRE";
        study.write(path);
        EXPECT_EQ(readFile(path),
                  "Kestra for Windows\r\n3\r\n3\r\n2\r\nmethod\r\nanalyte\r\n\r\nsample\r\n\r\n3\r\n"
                  " 1,10.100\r\n2,NIL      \r\n3,9.900\r\n");
        EXPECT_EQ(study.title(), "Ripetibilità - " + path.string());
        EXPECT_EQ(study.loadFileName(), path.string());
        EXPECT_FALSE(study.isModified());
    }
}

TEST_F(PrecisionFileTest, RoundTripKeepsHeadersCountAndResultsAsShown)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        PrecisionStudy study;
        study.setNumberFormat({4, 2});
        study.setHeader(0, "  Titolazione è \"acida\", pH 7 ");  // blanks, quotes, comma and non-ASCII kept
        study.setHeader(1, "Ñ-metil µg");
        study.setHeader(2, "");
        study.setDeterminationCount(12);
        for (int r = 0; r < 12; ++r) study.grid().setCell(r, 0, 100 + r * 0.257);  // shown with 2 decimals
        study.grid().setCell(7, 0, std::nullopt);
        study.grid().setChanged(true);
        const auto path = dir / "rt.pre";
        study.write(path);
        EXPECT_FALSE(study.isModified());

        PrecisionStudy back;
        back.read(path);
        EXPECT_EQ(back.numberFormat(), (NumberFormat{4, 2}));
        EXPECT_EQ(back.numberPattern(), "###0.00");
        for (int i = 0; i < 3; ++i) EXPECT_EQ(back.header(i), study.header(i));
        EXPECT_EQ(back.determinationCount(), 12);
        ASSERT_EQ(back.grid().rowCount(), 12);
        for (int r = 0; r < 12; ++r) {
            EXPECT_EQ(back.grid().cell(r, 0), study.grid().cell(r, 0)) << r;
            EXPECT_EQ(back.grid().cellText(r, 0), study.grid().cellText(r, 0)) << r;
        }
        EXPECT_FALSE(back.grid().cell(7, 0).has_value());
        EXPECT_EQ(back.grid().cellText(1, 0), sep == '.' ? "100.26" : "100,26");
        EXPECT_FALSE(back.isModified());
        EXPECT_EQ(back.title(), "Ripetibilità - " + back.loadFileName());
    }
}

TEST_F(PrecisionFileTest, ReadThenCalculateGivesTheWorkedExample)
{
    SetUserDecimalSeparator(',');
    const auto path = dir / "six.PRE";
    writeFile(path,
              "Kestra for Windows\r\n3\r\n3\r\n2\r\nM\r\nA\r\n\r\nC\r\n\r\n6\r\n"
              " 1,10.100\r\n2,9.900\r\n3,10.000\r\n4,10.200\r\n5,9.800\r\n6,10.000\r\n");
    PrecisionStudy study;
    study.read(path);
    ASSERT_TRUE(study.calculate().computed);
    EXPECT_EQ(study.results().infConf, "9,852");
    EXPECT_EQ(study.results().supConf, "10,148");
}

TEST_F(PrecisionFileTest, OlderLayoutFillerLinesAndLegacyEncoding)
{
    // no banner: the first line is line 4 and 3 + 3 digits are assumed; line 7 holds text, line 9 a zero
    const auto path = dir / "old.PRE";
    writeFile(path,
              "2\r\nMetodo \xE8\r\nAnalita\r\ntesto inatteso\r\nCampione \xB5\r\n0\r\n3\r\n"
              " 1,1\r\n2, NIL \r\n3,2.5\n");
    PrecisionStudy study;
    study.setNumberFormat({6, 1});
    study.read(path);
    EXPECT_EQ(study.numberFormat(), (NumberFormat{3, 3}));
    EXPECT_EQ(CurrentNumberPattern(), "##0.000");
    EXPECT_EQ(study.header(0), "Metodo è");
    EXPECT_EQ(study.header(1), "Analita");
    EXPECT_EQ(study.header(2), "Campione µ");
    EXPECT_EQ(study.determinationCount(), 3);
    EXPECT_EQ(study.grid().cell(0, 0), 1.0);
    EXPECT_FALSE(study.grid().cell(1, 0).has_value());
    EXPECT_EQ(study.grid().cell(2, 0), 2.5);
    // the empty cell read back is refused by the calculation
    const CalcOutcome outcome = study.calculate();
    EXPECT_FALSE(outcome.computed);
    ASSERT_EQ(outcome.messages.size(), 1u);
}

TEST_F(PrecisionFileTest, FaultsNameTheLineAndKeepWhatWasRead)
{
    struct Case {
        std::string contents;
        int line;
    };
    const std::string head = "Kestra for Windows\r\n3\r\n2\r\n2\r\nM\r\nA\r\n\r\nC\r\n\r\n";
    const Case cases[] = {
        {"Kestra for Windows\r\n3\r\n3\r\nx\r\n", 4},            // line 4 not an integer
        {"abc\r\nM\r\n", 1},                                     // neither banner nor older layout: line 1
        {"Kestra for Windows\r\n3\r\n3\r\n2\r\nM\r\nA\r\n", 7},  // ends in the header
        {head + "\r\n", 10},
        {head + "sei\r\n", 10},
        {head + "2\r\n", 10},                 // below 3
        {head + "100\r\n", 10},               // beyond the two digits of the field
        {head + "4\r\n 1,1\r\n2,2\r\n", 13},  // ends before the rows
        {head + "3\r\n 1,1\r\n2,1;5\r\n", 12},
        {head + "3\r\n 1,1\r\n2\r\n", 12},  // row without its value
        {"", 1},
    };
    for (const auto& c : cases) {
        const auto path = dir / "bad.PRE";
        writeFile(path, c.contents);
        PrecisionStudy study;
        try {
            study.read(path);
            ADD_FAILURE() << "no error for: " << c.contents;
        } catch (const StudyFileError& e) {
            EXPECT_EQ(e.line(), c.line) << c.contents << " -> " << e.what();
        }
        EXPECT_EQ(study.loadFileName(), "");
        EXPECT_LE(study.grid().rowCount(), 99);
    }
    // what was read before the fault stays
    const auto path = dir / "partial.PRE";
    writeFile(path, head + "5\r\n 1,1\r\n2,2\r\n");
    PrecisionStudy study;
    EXPECT_THROW(study.read(path), StudyFileError);
    EXPECT_EQ(study.header(0), "M");
    EXPECT_EQ(study.header(2), "C");
    EXPECT_EQ(study.numberFormat(), (NumberFormat{3, 2}));
    EXPECT_EQ(study.determinationCount(), 5);
    EXPECT_EQ(study.grid().cell(1, 0), 2.0);
    EXPECT_EQ(study.grid().cell(4, 0), 0.0);
}

}  // namespace
}  // namespace kestra
