#include <gtest/gtest.h>

#include "framework/errors.h"
#include "studies/accuracy/accuracy_study.h"
#include "test_support.h"

namespace kestra {
namespace {

using Mode = AccuracyStudy::LevelMode;

class AccuracyFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetUserDecimalSeparator('.'); }
    test::TempDir m_dir;
};

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

TEST_F(AccuracyFileTest, ThreeLevelFileLayout)
{
    SetUserDecimalSeparator(',');  // files use "." whatever the user's separator
    AccuracyStudy study;
    study.setLevelMode(Mode::Three);
    study.setHeader(0, "HPLC");
    study.setHeader(1, "Caffeina");
    study.setHeader(2, "Compresse");
    study.setHeader(3, "mg/l");
    DataGrid& upper = study.levelGrid(0);
    upper.setCell(0, 0, 10);
    upper.setCell(0, 1, 9.85);
    study.updateRecovery(0, 0);
    study.levelGrid(2).setCell(2, 1, 123.4567);
    const auto path = m_dir / "studio.ACC";
    study.write(path);

    const std::string text = test::readFile(path);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = linesOf(text.substr(0, text.size() - 2));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Kestra for Windows");
    EXPECT_EQ(lines[1], "7");
    EXPECT_EQ(lines[2], "3");
    EXPECT_EQ(lines[3], "4");
    EXPECT_EQ(lines[4], "HPLC");
    EXPECT_EQ(lines[5], "Caffeina");
    EXPECT_EQ(lines[6], "mg/l");
    EXPECT_EQ(lines[7], "Compresse");
    EXPECT_EQ(lines[9], "3");
    EXPECT_EQ(lines[10], "3");
    EXPECT_EQ(lines[11], " 1,10.000,9.850,98.500");
    EXPECT_EQ(lines[12], "2,0.000,0.000,0.000");
    EXPECT_EQ(lines[14].substr(0, 3), " 1,");
    EXPECT_EQ(lines[17].substr(0, 3), " 1,");
    EXPECT_EQ(lines[19], "3,0.000,123.457,0.000");
    EXPECT_EQ(study.title(), "Accuratezza - " + std::filesystem::absolute(path).lexically_normal().string());
    EXPECT_FALSE(study.isModified());

    AccuracyStudy back;
    back.read(path);
    EXPECT_EQ(back.levelMode(), Mode::Three);
    EXPECT_EQ(back.header(3), "mg/l");
    EXPECT_EQ(back.header(2), "Compresse");
    EXPECT_EQ(back.levelGrid(0).cell(0, 2), 98.5);
    EXPECT_EQ(back.levelGrid(2).cell(2, 1), 123.457);
    EXPECT_FALSE(back.isModified());
}

TEST_F(AccuracyFileTest, EmptyCellIsAnEmptyFieldAndReadsAsZero)
{
    AccuracyStudy study;
    study.levelGrid(1).setCell(1, 0, std::nullopt);
    study.levelGrid(1).setCell(1, 1, 5);
    const auto path = m_dir / "vuoto.ACC";
    study.write(path);
    const auto lines = linesOf(test::readFile(path));
    EXPECT_EQ(lines[11], " 1,0.000,0.000,0.000");
    EXPECT_EQ(lines[10], "1");
    EXPECT_EQ(lines[15], "2,,5.000,0.000");

    AccuracyStudy back;
    back.read(path);
    EXPECT_EQ(back.levelGrid(1).cell(1, 0), 0.0);
    EXPECT_EQ(back.levelGrid(1).cell(1, 1), 5.0);
}

TEST_F(AccuracyFileTest, LevelLineSetsTheModeOrLeavesIt)
{
    AccuracyStudy study;
    study.setLevelMode(Mode::Three);
    const auto one = m_dir / "uno.ACC";
    test::writeFile(one,
                    "Kestra for Windows\r\n7\r\n3\r\n4\r\nm\r\na\r\nu\r\nc\r\n\r\n3\r\n1\r\n"
                    " 1,1,2,3\r\n2,1,2,3\r\n3,1,2,3\r\n 1,4,5,6\r\n2,4,5,6\r\n3,4,5,6\r\n"
                    " 1,7,8,9\r\n2,7,8,9\r\n3,7,8,9\r\n");
    study.read(one);
    EXPECT_EQ(study.levelMode(), Mode::One);
    EXPECT_EQ(study.levelGrid(2).cell(2, 2), 9.0);
    EXPECT_EQ(study.levelGrid(1).cell(0, 0), 4.0);

    const auto odd = m_dir / "due.ACC";
    std::string text = test::readFile(one);
    text.replace(text.find("\r\n3\r\n1\r\n"), 8, "\r\n3\r\n2\r\n");
    test::writeFile(odd, text);
    study.setLevelMode(Mode::Three);
    study.read(odd);
    EXPECT_EQ(study.levelMode(), Mode::Three);
}

TEST_F(AccuracyFileTest, OnlyTheLevelsInUseAreWarnedAbout)
{
    // an older one-level file: the upper and lower levels were saved with empty fields
    const auto path = m_dir / "un_livello.ACC";
    const std::string levels =
        " 1,,,\r\n2,,,\r\n3,,,\r\n 1,100,98,98\r\n2,100,,\r\n3,100,99,99\r\n 1,,,\r\n2,,,\r\n3,,,\r\n";
    const std::string head = "Kestra for Windows\r\n7\r\n3\r\n4\r\nm\r\na\r\nu\r\nc\r\n\r\n3\r\n";
    test::writeFile(path, head + "1\r\n" + levels);
    AccuracyStudy study;
    study.read(path);
    // the central level's own empty fields only (line 16)
    EXPECT_EQ(ReadingWarningText(study.readingNotes()),
              "Alcuni valori del file non sono stati letti come scritti:\nriga 16: campo vuoto letto come 0 "
              "(2 volte)");
    // the values of the levels not in use are still read and kept as before
    for (int level : {0, 2})
        for (int c = 0; c < AccuracyStudy::kColumns; ++c) EXPECT_EQ(study.levelGrid(level).cell(0, c), 0.0);
    EXPECT_EQ(study.levelGrid(1).cell(0, 1), 98.0);

    // the same levels in use: every empty field is said
    test::writeFile(path, head + "3\r\n" + levels);
    study.read(path);
    std::size_t noted = 0;
    for (const auto& note : study.readingNotes().kept) noted += static_cast<std::size_t>(note.times);
    EXPECT_EQ(noted, 20u);
}

TEST_F(AccuracyFileTest, OlderLayoutAndLenientValues)
{
    const auto path = m_dir / "vecchio.ACC";
    // no banner; items may be split over lines; unreadable values become 0; header lines are kept as read
    test::writeFile(path,
                    "4\r\n  HPLC \r\na\r\nu\r\nc\r\n0\r\n3\r\n3\r\n"
                    " 1,1.5,abc,3\r\n2,1,2,\r\n3,1\r\n2,3\r\n"
                    " 1,4,5,6\r\n2,4,5,6\r\n3,4,5,6\r\n 1,7,8,9\r\n2,7,8,9\r\n3,7,8,9\r\n");
    AccuracyStudy study;
    study.read(path);
    EXPECT_EQ(study.numberFormat(), (NumberFormat{7, 3}));
    EXPECT_EQ(study.header(0), "  HPLC ");
    EXPECT_EQ(study.levelMode(), Mode::Three);
    const DataGrid& g = study.levelGrid(0);
    EXPECT_EQ(g.cell(0, 0), 1.5);
    EXPECT_EQ(g.cell(0, 1), 0.0);
    EXPECT_EQ(g.cell(1, 2), 0.0);
    EXPECT_EQ(g.cell(2, 1), 2.0);
    EXPECT_EQ(g.cell(2, 2), 3.0);
    EXPECT_EQ(study.levelGrid(2).cell(2, 2), 9.0);
}

TEST_F(AccuracyFileTest, FaultsNameTheLineAndKeepWhatWasRead)
{
    const auto path = m_dir / "corto.ACC";
    test::writeFile(path,
                    "Kestra for Windows\r\n7\r\n2\r\n4\r\nm\r\na\r\nu\r\nc\r\n\r\n4\r\n3\r\n 1,10,9,90\r\n");
    AccuracyStudy study;
    try {
        study.read(path);
        FAIL() << "an early end must be reported";
    } catch (const StudyFileError& e) {
        EXPECT_EQ(e.line(), 13);
    }
    EXPECT_EQ(study.determinations(), 4);
    EXPECT_EQ(study.levelGrid(0).cell(0, 2), 90.0);
    // the cells not read are usable zeros
    EXPECT_EQ(study.levelGrid(1).cell(3, 1), 0.0);
    EXPECT_TRUE(study.levelGrid(2).isLocked(3, 2));

    test::writeFile(path, "Kestra for Windows\r\n7\r\n3\r\nquattro\r\n");
    EXPECT_THROW(study.read(path), StudyFileError);
    test::writeFile(path, "Kestra for Windows\r\n7\r\n3\r\n4\r\nm\r\na\r\nu\r\nc\r\n\r\n2\r\n1\r\n");
    EXPECT_THROW(study.read(path), StudyFileError);
}

}  // namespace
}  // namespace kestra
