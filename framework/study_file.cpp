#include "framework/study_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "framework/errors.h"
#include "framework/study_kind.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {
// Study files are small; a file beyond this is not a study file and is refused before it is read.
constexpr std::uintmax_t kMaxFileSize = 16 * 1024 * 1024;
}  // namespace

StudyFileReader StudyFileReader::fromFile(const std::filesystem::path& path)
{
    const std::string name = path.string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw StudyFileError(name, 0, "il file non esiste o non è un file");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) throw StudyFileError(name, 0, "impossibile leggere il file (" + ec.message() + ")");
    if (size > kMaxFileSize) throw StudyFileError(name, 0, "il file è troppo grande per essere uno studio");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw StudyFileError(name, 0, std::string("impossibile aprire il file (") + std::strerror(errno) + ")");
    std::ostringstream s;
    s << in.rdbuf();
    return StudyFileReader(name, s.str());
}

StudyFileReader::StudyFileReader(std::string fileName, std::string contents) : m_fileName(std::move(fileName))
{
    if (contents.size() >= 3 && contents.compare(0, 3, "\xEF\xBB\xBF") == 0) contents.erase(0, 3);
    if (!IsValidUtf8(contents)) contents = Windows1252ToUtf8(contents);
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos) end = contents.size();
        std::string line = contents.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        m_lines.push_back(std::move(line));
        start = end + 1;
    }
}

int StudyFileReader::lineNumber() const
{
    return static_cast<int>(m_next) + m_lineOffset;
}

void StudyFileReader::fail(const std::string& reason) const
{
    throw StudyFileError(m_fileName, lineNumber(), reason);
}

std::string StudyFileReader::readLine(const std::string& what)
{
    if (atEnd()) {
        ++m_next;  // the missing line is the one after the last
        fail("il file termina prima di " + what);
    }
    return m_lines[m_next++];
}

std::string StudyFileReader::readTrimmed(const std::string& what)
{
    return Trim(readLine(what));
}

int StudyFileReader::readInteger(const std::string& what, int min, int max)
{
    const std::string text = readTrimmed(what);
    if (text.empty()) fail(what + " manca");
    const auto value = ParseNumber(text, '.');
    if (!value || *value != static_cast<double>(static_cast<long long>(*value)))
        fail(what + " non è un numero intero (\"" + text + "\")");
    if (*value < min || *value > max)
        fail(what + " fuori dai limiti " + std::to_string(min) + ".." + std::to_string(max) + " (\"" + text + "\")");
    return static_cast<int>(*value);
}

double StudyFileReader::readNumber(const std::string& what)
{
    const std::string text = readTrimmed(what);
    const auto value = ParseNumber(text, '.');
    if (!value) fail(what + " non è un numero (\"" + text + "\")");
    return *value;
}

std::optional<bool> StudyFileReader::readBoolean(const std::string& what)
{
    const std::string text = readLine(what);
    if (text == "Vero") return true;
    if (text == "Falso") return false;
    return std::nullopt;
}

NumberFormat StudyFileReader::readFormat(const NumberFormat& olderLayoutFormat)
{
    const std::string first = readLine("l'intestazione");
    if (first != kProgramBanner) {
        // older layout: lines 1 to 3 are missing and this line is line 4
        --m_next;
        m_lineOffset = 3;
        return olderLayoutFormat;
    }
    NumberFormat format;
    format.integers = readInteger("il numero delle cifre intere", 1, kMaxFormatDigits);
    format.decimals = readInteger("il numero dei decimali", 0, kMaxFormatDigits - 1);
    if (!IsValidNumberFormat(format.integers, format.decimals))
        fail("formato numeri non valido: interi e decimali insieme non possono superare 13");
    return format;
}

int StudyFileReader::readLayout()
{
    const std::string text = readTrimmed("il numero di versione");
    const auto value = ParseNumber(text, '.');
    if (!value || *value != static_cast<double>(static_cast<long long>(*value)) || *value < -32768 ||
        *value > 32767)
        fail("la riga 4 deve contenere un numero intero (\"" + text + "\")");
    return static_cast<int>(*value);
}

std::vector<std::optional<double>> StudyFileReader::readRow(int cells, const std::string& what, bool allowMissing)
{
    const std::string text = readLine(what);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    std::vector<std::optional<double>> values;
    values.reserve(static_cast<std::size_t>(cells));
    for (int c = 0; c < cells; ++c) {
        const std::size_t f = static_cast<std::size_t>(c) + 1;  // field 0 is the row number
        if (f >= fields.size()) {
            if (!allowMissing) fail(what + ": mancano dei valori");
            values.emplace_back();
            continue;
        }
        const std::string value = Trim(fields[f]);
        if (value == "NIL" || (allowMissing && value.empty())) {
            values.emplace_back();
            continue;
        }
        const auto number = ParseNumber(value, '.');
        if (!number) fail(what + ": il valore \"" + value + "\" non è un numero");
        values.push_back(*number);
    }
    return values;
}

void StudyFileWriter::line(const std::string& text)
{
    m_contents += text;
    m_contents += "\r\n";
}

void StudyFileWriter::skeleton(const NumberFormat& format, int layout)
{
    line(kProgramBanner);
    integer(format.integers);
    integer(format.decimals);
    line(FormatNumber(static_cast<double>(layout), "#0", '.'));
}

std::string FileNumber(double value, const std::string& pattern)
{
    return ReplacePlaceholder(FormatNumber(value, pattern, '.'), ",", ".");
}

void StudyFileWriter::row(int rowNumber, const std::vector<std::optional<double>>& cells, const std::string& pattern)
{
    std::string text = rowNumber == 1 ? " 1" : std::to_string(rowNumber);
    for (const auto& c : cells) {
        text += ',';
        text += c ? FileNumber(*c, pattern) : std::string(kNilCell);
    }
    line(text);
}

void StudyFileWriter::commit(const std::filesystem::path& path) const
{
    const std::string name = path.string();
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const std::filesystem::path temp = folder / ("." + path.filename().string() + ".tmp");
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f)
            throw StudyWriteError("Impossibile salvare il file " + name + ": " + std::strerror(errno));
        const bool written = std::fwrite(m_contents.data(), 1, m_contents.size(), f) == m_contents.size();
        const bool flushed = std::fflush(f) == 0;
        const int savedErrno = errno;
        const bool closed = std::fclose(f) == 0;
        if (!written || !flushed || !closed) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            throw StudyWriteError("Impossibile salvare il file " + name + ": " + std::strerror(savedErrno ? savedErrno : EIO));
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw StudyWriteError("Impossibile salvare il file " + name + ": " + ec.message());
    }
}

}  // namespace kestra
