// Reading and writing the common skeleton of study files: banner, digits, layout number, header lines, rows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/number_pattern.h"

namespace kestra {

// Reads a study file line by line, remembering the line number for error messages.
// Files are UTF-8; bytes that are not valid UTF-8 are read as Windows-1252 (files from older systems).
class StudyFileReader {
public:
    // Reads the whole file; throws StudyFileError (line 0) when it cannot be read.
    static StudyFileReader fromFile(const std::filesystem::path& path);
    StudyFileReader(std::string fileName, std::string contents);

    // Lines 1 to 3: the banner and the digits, or, for the older layout without them, the given format
    // (the file's first line is then line 4). Throws on digits that are not integers or not a valid format.
    NumberFormat readFormat(const NumberFormat& olderLayoutFormat);
    bool hasBanner() const { return m_lineOffset == 0; }
    // Line 4: must be an integer.
    int readLayout();

    bool atEnd() const { return m_next >= m_lines.size(); }
    // The next line as it stands; throws when the file ends. `what` names the item for the message.
    std::string readLine(const std::string& what);
    std::string readTrimmed(const std::string& what) ;
    // An integer line within [min, max]; empty, non-numeric or out-of-range texts are errors.
    int readInteger(const std::string& what, int min, int max);
    // A number written with "." as the separator.
    double readNumber(const std::string& what);
    // "Vero" -> true, "Falso" -> false, anything else -> nullopt.
    std::optional<bool> readBoolean(const std::string& what);
    // A row line: the row number, then `cells` values ("NIL" leaves a cell empty). Missing trailing fields
    // read as empty when allowMissing, otherwise they are errors.
    std::vector<std::optional<double>> readRow(int cells, const std::string& what, bool allowMissing = false);

    // The number of the last line read (1-based, counting the lines the older layout lacks).
    int lineNumber() const;
    [[noreturn]] void fail(const std::string& reason) const;
    const std::string& fileName() const { return m_fileName; }

private:
    std::string m_fileName;
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
    int m_lineOffset = 0;  // 3 for the older layout, whose first line is line 4
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
    // Throws StudyWriteError naming the file and the reason.
    void commit(const std::filesystem::path& path) const;

private:
    std::string m_contents;
};

// A cell as written in study files: the pattern with "." whatever the user's separator.
std::string FileNumber(double value, const std::string& pattern);
constexpr const char* kNilCell = "NIL      ";

}  // namespace kestra
