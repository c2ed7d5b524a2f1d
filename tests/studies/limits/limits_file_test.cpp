// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"

namespace kestra {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

class LimitsFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetUserDecimalSeparator('.'); }
    TempDir dir;
};

TEST_F(LimitsFileTest, WritesTheLayoutWithPointsWhateverTheSeparator)
{
    SetUserDecimalSeparator(',');
    LimitsStudy study;
    study.setHeader(0, "HPLC");
    study.setHeader(1, "Piombo");
    study.setHeader(2, "Acqua");
    study.setHeader(3, "µg/l");
    study.setMeasurementCount(5);
    study.grid().setCell(0, 0, 0.123);
    study.grid().setCell(1, 0, std::nullopt);
    study.selectOption(LimitsStudy::Option::Quantitation);
    const auto path = dir / "a.LIM";
    study.write(path);
    EXPECT_EQ(readFile(path),
              "Kestra for Windows\r\n3\r\n3\r\n2\r\nHPLC\r\nPiombo\r\nµg/l\r\nAcqua\r\n\r\n5\r\nFalso\r\n"
              " 1,0.123\r\n2,NIL      \r\n3,0.000\r\n4,0.000\r\n5,0.000\r\n");
    EXPECT_EQ(study.title(), "Limiti - " + path.string());
    EXPECT_FALSE(study.isModified());
}

TEST_F(LimitsFileTest, RoundTripKeepsEverything)
{
    for (char sep : {'.', ','}) {
        SetUserDecimalSeparator(sep);
        LimitsStudy study;
        study.setNumberFormat({4, 2});
        study.setHeader(0, "Metodo è");
        study.setHeader(3, "mg/l");
        study.setMeasurementCount(7);
        study.grid().setCell(6, 0, 12.345);  // shown and stored as 12.35
        study.grid().setCell(2, 0, std::nullopt);
        study.selectOption(LimitsStudy::Option::Quantitation);
        study.calculate();
        const auto path = dir / "rt.lim";
        study.write(path);

        LimitsStudy back;
        back.read(path);
        EXPECT_EQ(back.numberFormat(), (NumberFormat{4, 2}));
        EXPECT_EQ(back.header(0), "Metodo è");
        EXPECT_EQ(back.header(3), "mg/l");
        EXPECT_EQ(back.measurementCount(), 7);
        EXPECT_EQ(back.option(), LimitsStudy::Option::Quantitation);
        EXPECT_EQ(back.grid().cell(6, 0), 12.35);
        EXPECT_FALSE(back.grid().cell(2, 0).has_value());
        back.calculate();
        EXPECT_EQ(back.stDevText(), study.stDevText());
        EXPECT_EQ(back.grid().cellText(6, 0), sep == '.' ? "12.35" : "12,35");
    }
}

TEST_F(LimitsFileTest, OlderLayoutTrimmedHeadersAndLegacyEncoding)
{
    const auto path = dir / "old.LIM";
    writeFile(path, "2\r\n  Metodo  \r\nAnalita \r\n\xB5g/ml\r\n Campione\r\n0\r\n5\r\nVero\r\n"
                    " 1,1\r\n2,2\r\n3,3\r\n4,4\r\n5,5\r\n");
    LimitsStudy study;
    study.read(path);
    EXPECT_EQ(study.numberFormat(), (NumberFormat{3, 3}));
    EXPECT_EQ(study.header(0), "Metodo");
    EXPECT_EQ(study.header(1), "Analita");
    EXPECT_EQ(study.header(3), "µg/ml");
    EXPECT_EQ(study.header(2), "Campione");
    EXPECT_EQ(study.option(), LimitsStudy::Option::Detection);
    study.calculate();
    EXPECT_EQ(study.detectionLimitText(), "3.162");
}

TEST_F(LimitsFileTest, OddOptionTextClearsBothOptions)
{
    const auto path = dir / "odd.LIM";
    writeFile(path, "Kestra for Windows\n3\n3\n2\n\n\n\n\n\n5\nForse\n 1,1\n2,2\n3,3\n4,4\n5,5\n");
    LimitsStudy study;
    study.read(path);
    EXPECT_EQ(study.option(), LimitsStudy::Option::None);
}

TEST_F(LimitsFileTest, FaultsNameTheLineAndKeepWhatWasRead)
{
    struct Case {
        std::string contents;
        int line;
    };
    const std::string head = "Kestra for Windows\r\n3\r\n2\r\n2\r\nM\r\nA\r\nU\r\nC\r\n\r\n";
    const Case cases[] = {
        {"Kestra for Windows\r\n3\r\n3\r\nx\r\n", 4},
        {head + "\r\n", 10},              // empty count
        {head + "abc\r\n", 10},           // non-numeric count
        {head + "4\r\n", 10},             // below 5
        {head + "100000\r\n", 10},        // far beyond the grid's limit: no allocation
        {head + "6\r\nVero\r\n 1,1\r\n2,2\r\n", 14},  // file ends before the rows
        {head + "5\r\nVero\r\n 1,1\r\n2,zz\r\n", 13},
        {"Kestra for Windows\r\n12\r\n5\r\n2\r\n", 3},  // 12 + 5 digits is not a format
        {"", 1},
    };
    for (const auto& c : cases) {
        const auto path = dir / "bad.LIM";
        writeFile(path, c.contents);
        LimitsStudy study;
        try {
            study.read(path);
            ADD_FAILURE() << "no error for: " << c.contents;
        } catch (const StudyFileError& e) {
            EXPECT_EQ(e.line(), c.line) << c.contents << " -> " << e.what();
            EXPECT_NE(std::string(e.what()).find("bad.LIM"), std::string::npos);
        }
        EXPECT_EQ(study.loadFileName(), "");
        EXPECT_LE(study.grid().rowCount(), 99);
    }
    // what was read before the fault stays
    const auto path = dir / "partial.LIM";
    writeFile(path, head + "6\r\nFalso\r\n 1,1\r\n2,2\r\n");
    LimitsStudy study;
    EXPECT_THROW(study.read(path), StudyFileError);
    EXPECT_EQ(study.header(0), "M");
    EXPECT_EQ(study.numberFormat(), (NumberFormat{3, 2}));
    EXPECT_EQ(study.measurementCount(), 6);
    EXPECT_EQ(study.grid().cell(1, 0), 2.0);
    EXPECT_EQ(study.option(), LimitsStudy::Option::Quantitation);
}

TEST_F(LimitsFileTest, MissingFileIsAnError)
{
    LimitsStudy study;
    EXPECT_THROW(study.read(dir / "none.LIM"), StudyFileError);
}

TEST_F(LimitsFileTest, FailedWriteKeepsThePreviousFile)
{
    LimitsStudy study;
    const auto path = dir / "keep.LIM";
    writeFile(path, "previous");
    // a read-only file is refused, not replaced
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_THROW(study.write(path), StudyWriteError);
    EXPECT_EQ(readFile(path), "previous");
    EXPECT_EQ(study.loadFileName(), "");

    EXPECT_THROW(study.write(dir / "missing-folder" / "x.LIM"), StudyWriteError);
}

}  // namespace
}  // namespace kestra
