// Reading and writing the common skeleton of study files: banner, digits, layout number, header lines, rows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/number_pattern.h"
#include "framework/study_file_notes.h"

namespace kestra {

// What a row field that is not a plain number reads as; each study's layout states its rule.
enum class CellRule {
    NilOrNumber,       // "NIL" leaves the cell empty; any other text stops the reading
    NilElseZero,       // "NIL" leaves the cell empty; any other text reads as 0
    AnythingElseZero,  // every text that is not a number ("NIL" and empty included) reads as 0
    EmptyOrNilAsZero,  // "NIL" and an empty field read as 0; any other text stops the reading
};

// Reads a study file line by line. Every fault names the physical line of the file; every value read
// differently from what the file says is noted (ReadingNotes) for the warning the user sees after Open.
// Files are UTF-8; a file that is not valid UTF-8 is read as Windows-1252 (files from older systems).
// Lines are taken from the contents one at a time, so memory stays the size of the file.
class StudyFileReader {
public:
    static constexpr std::size_t kMaxTextLength = 1000;  // characters of a descriptive field

    // Reads the whole file; throws StudyFileError (line 0) when it cannot be read.
    static StudyFileReader fromFile(const std::filesystem::path& path);
    // Throws StudyFileError (line 1) for contents that are not text (UTF-16, binary).
    StudyFileReader(std::string fileName, std::string contents);

    // Lines 1 to 3: the banner and the digits, or, for the older layout without them, the given format
    // (the file's first line then holds the layout number). Throws on digits that are not a valid format.
    NumberFormat readFormat(const NumberFormat& olderLayoutFormat);
    bool hasBanner() const { return m_hasBanner; }
    // The layout number (line 4 of a file with banner): an integer.
    int readLayout();
    int layoutLine() const { return m_layoutLine; }

    bool atEnd() const { return m_pos >= m_contents.size(); }
    // A descriptive text line, trimmed when asked, cut to kMaxTextLength characters (noted).
    std::string readText(const std::string& what, bool trimmed);
    // A line the layout reserves or the study recomputes: read, not used.
    void skipLine(const std::string& what);
    // The next line's bytes as they stand in the file (valid while the reader lives), for fixed texts.
    std::string_view readRawLine(const std::string& what);
    // An integer line within [min, max]; empty, non-numeric, fractional or out-of-range texts are faults.
    int readInteger(const std::string& what, int min, int max);
    // The total of a grid (n x k), which the study recomputes: read, and noted when the file says otherwise.
    void readDerivedCount(const std::string& what, int rows, int columns);
    // "Vero" -> true, "Falso" -> false; anything else is noted with what follows from it and gives nullopt.
    std::optional<bool> readBoolean(const std::string& what, const std::string& otherwise);
    // A row line: the row number, then `cells` values read by `rule` and checked against `format`.
    // Missing fields are a fault under NilOrNumber and read as 0 otherwise; extra fields are noted.
    std::vector<std::optional<double>> readRow(int cells, const std::string& what, const NumberFormat& format,
                                               CellRule rule);
    // One field of a row (already split) as a cell value, with its notes.
    std::optional<double> readCell(std::string_view field, const std::string& what,
                                   const NumberFormat& format, CellRule rule);
    // The same for data the study keeps but does not use (an accuracy level not in use): no notes.
    std::optional<double> readUnusedCell(std::string_view field, const std::string& what,
                                         const NumberFormat& format, CellRule rule) const
    {
        return interpretCell(field, what, format, rule).value;
    }
    // Notes a number the grid would show or take differently: more decimals than the format, negative,
    // beyond the format's maximum.
    void checkValue(std::string_view field, double value, const NumberFormat& format);
    // After the study's data: notes non-blank lines that follow it.
    void noteUnreadLines();

    // Notes a place read differently from the file, at the last line read or at a given line.
    void note(std::string text) { m_notes.add(lineNumber(), std::move(text)); }
    void noteAt(int line, std::string text) { m_notes.add(line, std::move(text)); }
    // A text of the file as messages quote it (at most 40 characters, control characters as "?").
    std::string quote(std::string_view raw) const;
    ReadingNotes takeNotes() { return std::move(m_notes); }
    const ReadingNotes& notes() const { return m_notes; }

    // The physical number of the last line read (1-based); the line after the last when the file ended early.
    int lineNumber() const { return m_line; }
    [[noreturn]] void fail(const std::string& reason) const;
    [[noreturn]] void failAt(int line, const std::string& reason) const;
    const std::string& fileName() const { return m_fileName; }

private:
    struct CellReading {
        std::optional<double> value;
        std::string note;  // empty: read as written
    };
    CellReading interpretCell(std::string_view field, const std::string& what, const NumberFormat& format,
                              CellRule rule) const;
    std::string valueNote(std::string_view field, double value, const NumberFormat& format) const;
    std::string decode(std::string_view raw) const;

    std::string m_fileName;
    std::string m_contents;
    bool m_legacyEncoding = false;
    std::size_t m_pos = 0;
    int m_line = 0;
    bool m_hasBanner = true;
    int m_layoutLine = 0;
    ReadingNotes m_notes;
};

// The items of row lines one after another, separated by commas or line ends (the accuracy and specificity
// layouts): a row is its fields wherever the lines end. A line with another number of fields than the
// layout announces is noted, since the values after it land in other cells.
class StudyFileItems {
public:
    StudyFileItems(StudyFileReader& reader, int fieldsPerRow) : m_reader(reader), m_fieldsPerRow(fieldsPerRow)
    {
    }
    std::string_view next(const std::string& what);

private:
    StudyFileReader& m_reader;
    int m_fieldsPerRow;
    std::string_view m_line;
    std::size_t m_pos = 0;
    bool m_inLine = false;
};

// Collects the lines of a study file and writes them atomically (temporary file, then rename), so a failed
// write never destroys the previous file.
class StudyFileWriter {
public:
    void line(const std::string& text);
    void integer(int value) { line(std::to_string(value)); }
    void boolean(bool value) { line(value ? "Vero" : "Falso"); }
    // Banner, integer digits, decimal digits and the layout number.
    void skeleton(const NumberFormat& format, int layout);
    // " 1,0.123" for the first row, "2,0.456" for the others; empty cells as "NIL" and six blanks.
    void row(int rowNumber, const std::vector<std::optional<double>>& cells, const std::string& pattern);

    const std::string& contents() const { return m_contents; }
    // ReplaceFileSafely; throws StudyWriteError naming the file and the reason.
    void commit(const std::filesystem::path& path) const;

private:
    std::string m_contents;
};

// Writes contents to path so that the user keeps the file they had: a symbolic link is followed (the link
// stays a link), a file the user may not write is refused, the new contents go to a temporary file beside
// the target that is flushed to disk and renamed over it (with the target's permissions and, where
// allowed, owner and group), and the folder is flushed after. Throws StudyWriteError; the previous file
// is then untouched.
void ReplaceFileSafely(const std::filesystem::path& path, const std::string& contents);

// A cell as written in study files: the pattern with "." whatever the user's separator.
std::string FileNumber(double value, const std::string& pattern);
constexpr const char* kNilCell = "NIL      ";

}  // namespace kestra
