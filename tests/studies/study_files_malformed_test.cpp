// Every study kind's reader against malformed files: whatever the file holds, reading either completes or
// stops with a fault naming a line of the file, the study stays usable (calculation, report records,
// charts), and every value not read as written is noted at its line. A valid file gives no note.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "framework/study.h"
#include "reporting/f_table.h"
#include "studies/study_factory.h"
#include "test_support.h"

namespace kestra {
namespace {

struct ValidFile {
    StudyKindId kind;
    const char* extension;
    std::vector<std::string> lines;
    int firstDataLine;  // 1-based line of the first row line
};

const std::vector<ValidFile>& validFiles()
{
    static const std::vector<ValidFile> files = {
        {StudyKindId::Limi,
         "LIM",
         {"Kestra for Windows", "3", "3", "2", "HPLC", "Piombo", "mg/l", "Acqua", "", "5", "Vero", " 1,0.412",
          "2,0.385", "3,0.430", "4,0.398", "5,NIL      "},
         12},
        {StudyKindId::Prec,
         "PRE",
         {"Kestra for Windows", "3", "3", "2", "M", "A", "", "C", "", "3", " 1,10.100", "2,10.300",
          "3,9.900"},
         11},
        {StudyKindId::Tara,
         "TAR",
         {"Kestra for Windows",
          "7",
          "3",
          "4",
          "m",
          "a",
          "u",
          "c",
          "",
          "3",
          "3",
          "9",
          "",
          "3",
          "1.000",
          "2.000",
          "3.000",
          " 1,1.010,2.020,2.990",
          "2,0.990,1.980,3.010",
          "3,1.000,2.000,3.000"},
         18},
        {StudyKindId::Accu,
         "ACC",
         {"Kestra for Windows",
          "7",
          "3",
          "4",
          "m",
          "a",
          "u",
          "c",
          "",
          "3",
          "3",
          " 1,10.000,9.850,98.500",
          "2,10.000,10.100,101.000",
          "3,10.000,9.900,99.000",
          " 1,20.000,19.800,99.000",
          "2,20.000,20.300,101.500",
          "3,20.000,19.900,99.500",
          " 1,5.000,4.950,99.000",
          "2,5.000,5.050,101.000",
          "3,5.000,5.000,100.000"},
         12},
        {StudyKindId::Spec,
         "SPC",
         {"Kestra for Windows", "6", "3", "3", "m", "a", "", "c", "", "6", "", "", "5", " 1,98.000,100.000",
          "2,98.500,100.500", "3,97.500,99.500", "4,98.200,100.200", "5,97.800,99.800",
          "6,101.250,NIL      "},
         14},
        {StudyKindId::Prin,
         "PRI",
         {"Kestra for Windows", "7", "3", "4", "m", "a", "u", "c", "", "2", "3", "6",
          "Analisti diversi nello stesso laboratorio", " 1,10.000,11.000,15.000", "2,12.000,13.000,17.000"},
         14},
        {StudyKindId::Ripr,
         "RIP",
         {"Kestra for Windows", "7", "3", "4", "m", "a", "u", "c", "", "2", "3", "6", "Laboratori diversi",
          " 1,10.000,11.000,15.000", "2,12.000,13.000,17.000"},
         14},
    };
    return files;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text;
}

class MalformedStudyFiles : public ::testing::Test {
protected:
    void SetUp() override { SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB)); }
    void TearDown() override { SetUserDecimalSeparator('.'); }

    // Reads contents as a file of the kind, then uses the study as Open and kestra-cli do; the fault line
    // (0 when the reading completed) is returned.
    int readAndUse(const ValidFile& f, const std::string& contents, const std::string& label)
    {
        const auto path = dir / (std::string("x.") + f.extension);
        test::writeFile(path, contents);
        auto study = CreateStudy(f.kind);
        int faultLine = 0;
        const int physicalLines = static_cast<int>(std::count(contents.begin(), contents.end(), '\n')) + 1;
        try {
            study->read(path);
        } catch (const StudyFileError& e) {
            faultLine = e.line();
            EXPECT_GE(e.line(), 1) << label << ": " << e.what();
            EXPECT_LE(e.line(), physicalLines + 1) << label << ": " << e.what();
            for (unsigned char c : e.reason()) EXPECT_GE(c, 0x20) << label << ": " << e.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << label << ": unexpected " << e.what();
        }
        const ReadingNotes& notes = study->readingNotes();
        for (const ReadingNote& n : notes.kept) {
            EXPECT_GE(n.line, 1) << label << ": " << n.text;
            EXPECT_LE(n.line, physicalLines) << label << ": " << n.text;
        }
        EXPECT_LE(study->grid().rowCount(), 99) << label;
        EXPECT_LE(study->grid().columnCount(), 99) << label;
        RunCalculation(*study);
        study->reportRecords(Language::Italian);
        study->reportRecords(Language::English);
        study->charts(Language::Italian);
        EXPECT_FALSE(ReadingWarningText(notes).empty() && !notes.empty()) << label;
        return faultLine;
    }

    test::TempDir dir;
};

TEST_F(MalformedStudyFiles, ValidFilesGiveNoNoteAndCompute)
{
    for (const ValidFile& f : validFiles()) {
        const auto path = dir / (std::string("ok.") + f.extension);
        test::writeFile(path, joined(f.lines) + "\r\n");  // a trailing empty line is no data
        auto study = CreateStudy(f.kind);
        ASSERT_NO_THROW(study->read(path)) << f.extension;
        EXPECT_TRUE(study->readingNotes().empty())
            << f.extension << ": " << ReadingWarningText(study->readingNotes());
        const CalcOutcome outcome = RunCalculation(*study);
        EXPECT_TRUE(outcome.computed)
            << f.extension << ": " << (outcome.messages.empty() ? "" : outcome.messages[0].text);

        // what the study writes reads back without a note, too
        study->write(dir / (std::string("back.") + f.extension));
        auto back = CreateStudy(f.kind);
        back->read(dir / (std::string("back.") + f.extension));
        EXPECT_TRUE(back->readingNotes().empty())
            << f.extension << ": " << ReadingWarningText(back->readingNotes());
    }
}

TEST_F(MalformedStudyFiles, EveryTruncationAndEveryLineReplacedNeverBreaksTheReader)
{
    const std::vector<std::string> garbage = {"",
                                              "abc",
                                              "1e300",
                                              "-1",
                                              "99999999999999999999",
                                              "0,412",
                                              ",,,,,,,,,,",
                                              "nan",
                                              "NIL",
                                              "\x01\x02\x7F",
                                              std::string(5000, '9'),
                                              "Kestra for Windows",
                                              " 1,1e400,-5,inf,NIL,,x"};
    for (const ValidFile& f : validFiles()) {
        const std::string whole = joined(f.lines);
        for (std::size_t n = 0; n < whole.size(); ++n)
            readAndUse(f, whole.substr(0, n), std::string(f.extension) + " cut at " + std::to_string(n));
        for (std::size_t i = 0; i < f.lines.size(); ++i) {
            for (const std::string& g : garbage) {
                auto lines = f.lines;
                lines[i] = g;
                readAndUse(
                    f, joined(lines),
                    std::string(f.extension) + " line " + std::to_string(i + 1) + " = " + g.substr(0, 20));
            }
            auto fewer = f.lines;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
            readAndUse(f, joined(fewer), std::string(f.extension) + " without line " + std::to_string(i + 1));
        }
    }
}

TEST_F(MalformedStudyFiles, ADecimalCommaIsNotedAtItsLineInEveryKind)
{
    for (const ValidFile& f : validFiles()) {
        auto lines = f.lines;
        std::string& row = lines[static_cast<std::size_t>(f.firstDataLine - 1)];
        row[row.find('.')] = ',';
        const auto path = dir / (std::string("comma.") + f.extension);
        test::writeFile(path, joined(lines));
        auto study = CreateStudy(f.kind);
        try {
            study->read(path);
        } catch (const StudyFileError&) {
            // a kind whose rows end early after the shift still notes the comma first
        }
        const ReadingNotes& notes = study->readingNotes();
        ASSERT_FALSE(notes.empty()) << f.extension;
        const std::string text = ReadingWarningText(notes);
        EXPECT_EQ(text.rfind("Alcuni valori del file non sono stati letti come scritti:\nriga " +
                                 std::to_string(f.firstDataLine) + ": ",
                             0),
                  0u)
            << f.extension << ": " << text;
    }
}

TEST_F(MalformedStudyFiles, ValuesTheGridWouldRefuseAreNoted)
{
    for (const ValidFile& f : validFiles()) {
        for (const char* value : {"-5", "99999999.5", "1.23456"}) {
            auto lines = f.lines;
            std::string& row = lines[static_cast<std::size_t>(f.firstDataLine - 1)];
            const std::size_t comma = row.find(',');
            const std::size_t end = row.find(',', comma + 1);
            row.replace(comma + 1, (end == std::string::npos ? row.size() : end) - comma - 1, value);
            const auto path = dir / (std::string("refused.") + f.extension);
            test::writeFile(path, joined(lines));
            auto study = CreateStudy(f.kind);
            ASSERT_NO_THROW(study->read(path)) << f.extension << " " << value;
            const ReadingNotes& notes = study->readingNotes();
            ASSERT_EQ(notes.total, 1u) << f.extension << " " << value << ": " << ReadingWarningText(notes);
            EXPECT_EQ(notes.kept[0].line, f.firstDataLine);
            EXPECT_EQ(notes.kept[0].text.rfind("\"" + std::string(value) + "\" letto come ", 0), 0u)
                << notes.kept[0].text;
        }
    }
}

TEST_F(MalformedStudyFiles, RowsWithMoreOrFewerFieldsThanTheLayoutAreNoted)
{
    for (const ValidFile& f : validFiles()) {
        for (const char* extra : {",7.000", ""}) {
            auto lines = f.lines;
            std::string& row = lines[static_cast<std::size_t>(f.firstDataLine - 1)];
            if (*extra)
                row += extra;
            else
                row = row.substr(0, row.rfind(','));
            const auto path = dir / (std::string("fields.") + f.extension);
            test::writeFile(path, joined(lines));
            auto study = CreateStudy(f.kind);
            try {
                study->read(path);
            } catch (const StudyFileError& e) {
                EXPECT_EQ(*extra, '\0') << f.extension << ": " << e.what();
                // the strict layouts stop at the short row; the item layouts run out of items at the end,
                // after noting the short row
                if (study->readingNotes().empty()) {
                    EXPECT_EQ(e.line(), f.firstDataLine) << e.what();
                    continue;
                }
            }
            const ReadingNotes& notes = study->readingNotes();
            ASSERT_FALSE(notes.empty()) << f.extension << " " << extra;
            EXPECT_EQ(notes.kept[0].line, f.firstDataLine) << f.extension << ": " << notes.kept[0].text;
            EXPECT_NE(notes.kept[0].text.find(" campi invece di "), std::string::npos) << notes.kept[0].text;
        }
    }
}

}  // namespace
}  // namespace kestra
