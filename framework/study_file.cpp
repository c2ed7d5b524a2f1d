// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "framework/errors.h"
#include "framework/study_kind.h"
#include "text/interface_language.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

// Study files are small; a file beyond this is not a study file and is refused before it is read.
constexpr std::uintmax_t kMaxFileSize = 16 * 1024 * 1024;

bool isBlankLine(std::string_view line)
{
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\x1A') return false;  // Ctrl-Z ends old DOS files
    return true;
}

// UTF-16 text has a zero byte beside nearly every ASCII character, on the same side.
bool looksLikeUtf16(std::string_view contents)
{
    if (contents.size() >= 2 && ((contents[0] == '\xFF' && contents[1] == '\xFE') ||
                                 (contents[0] == '\xFE' && contents[1] == '\xFF')))
        return true;
    const std::size_t n = std::min<std::size_t>(contents.size(), 512) & ~std::size_t{1};
    if (n < 4) return false;
    std::size_t zeroEven = 0;
    std::size_t zeroOdd = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (contents[i] == '\0') ++(i % 2 == 0 ? zeroEven : zeroOdd);
    const std::size_t half = n / 2;
    return (zeroOdd * 10 >= half * 9 && zeroEven == 0) || (zeroEven * 10 >= half * 9 && zeroOdd == 0);
}

std::string fieldsText(std::size_t count)
{
    return count == 1 ? Msg("1 campo") : Msg("%1 campi", {std::to_string(count)});
}

// "of" a part of the file: Italian joins "di" to the phrase's article, English names the part as it is.
std::string of(const std::string& what)
{
    return InterfaceIsEnglish() ? Msg(what) : ItalianDi(what);
}

}  // namespace

StudyFileReader StudyFileReader::fromFile(const std::filesystem::path& path)
{
    const std::string name = path.string();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw StudyFileError(name, 0, Msg("impossibile aprire il file: %1", {SystemErrorText(errno)}));
    if (S_ISDIR(st.st_mode)) throw StudyFileError(name, 0, Msg("impossibile aprire il file: è una cartella"));
    if (!S_ISREG(st.st_mode))
        throw StudyFileError(name, 0, Msg("impossibile aprire il file: non è un file normale"));
    const std::string tooLarge = Msg("il file è troppo grande per essere uno studio (al massimo 16 MiB)");
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxFileSize) throw StudyFileError(name, 0, tooLarge);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw StudyFileError(name, 0, Msg("impossibile aprire il file: %1", {SystemErrorText(errno)}));
    std::string contents;
    // the size may have changed since stat: read up to one byte beyond the limit to see it
    contents.reserve(static_cast<std::size_t>(st.st_size) + 1);
    char buffer[65536];
    bool failed = false;
    int error = 0;
    while (true) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        contents.append(buffer, n);
        if (contents.size() > kMaxFileSize) break;
        if (n < sizeof buffer) {
            if (std::ferror(f)) {
                failed = true;
                error = errno;
            }
            break;
        }
    }
    std::fclose(f);
    if (failed)
        throw StudyFileError(name, 0,
                             Msg("impossibile leggere il file: %1", {SystemErrorText(error ? error : EIO)}));
    if (contents.size() > kMaxFileSize) throw StudyFileError(name, 0, tooLarge);
    return StudyFileReader(name, std::move(contents));
}

StudyFileReader::StudyFileReader(std::string fileName, std::string contents)
    : m_fileName(std::move(fileName)), m_contents(std::move(contents))
{
    if (m_contents.size() >= 3 && m_contents.compare(0, 3, "\xEF\xBB\xBF") == 0) m_contents.erase(0, 3);
    if (looksLikeUtf16(m_contents))
        failAt(1, Msg("il file è in formato UTF-16; gli studi sono file di testo semplice (UTF-8)"));
    if (m_contents.find('\0') != std::string::npos)
        failAt(1, Msg("il file non è un file di testo (contiene caratteri nulli)"));
    m_legacyEncoding = !IsValidUtf8(m_contents);
}

void StudyFileReader::fail(const std::string& reason) const
{
    throw StudyFileError(m_fileName, m_line, reason);
}

void StudyFileReader::failAt(int line, const std::string& reason) const
{
    throw StudyFileError(m_fileName, line, reason);
}

std::string StudyFileReader::decode(std::string_view raw) const
{
    return m_legacyEncoding ? Windows1252ToUtf8(raw) : std::string(raw);
}

std::string StudyFileReader::quote(std::string_view raw) const
{
    // one character more than a quote shows, so the cut is seen
    return QuoteExcerpt(m_legacyEncoding ? Windows1252ToUtf8(raw.substr(0, 41)) : raw);
}

std::string_view StudyFileReader::readRawLine(const std::string& what)
{
    ++m_line;
    if (atEnd()) fail(Msg("il file termina prima %1", {of(what)}));
    std::size_t end = m_contents.find('\n', m_pos);
    if (end == std::string::npos) end = m_contents.size();
    std::string_view line(m_contents.data() + m_pos, end - m_pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_pos = end + 1;
    return line;
}

void StudyFileReader::skipLine(const std::string& what)
{
    readRawLine(what);
}

std::string StudyFileReader::readText(const std::string& what, bool trimmed)
{
    std::string_view raw = readRawLine(what);
    if (trimmed) raw = TrimView(raw);
    const std::size_t length = m_legacyEncoding ? raw.size() : Utf8Length(raw);
    if (length <= kMaxTextLength) return decode(raw);
    note(Msg("testo di %1 caratteri, troncato a %2",
             {std::to_string(length), std::to_string(kMaxTextLength)}));
    return m_legacyEncoding ? Windows1252ToUtf8(raw.substr(0, kMaxTextLength))
                            : Utf8Left(raw, kMaxTextLength);
}

int StudyFileReader::readInteger(const std::string& what, int min, int max)
{
    const std::string_view text = TrimView(readRawLine(what));
    if (text.empty()) fail(Msg("manca %1", {Msg(what)}));
    const auto value = ParseNumber(text, '.');
    if (!value) fail(Msg("%1 non è un numero intero (%2)", {Msg(what), quote(text)}));
    // the range first: only a value inside it may become an int
    if (*value < min || *value > max)
        fail(Msg("%1 è fuori dai limiti %2..%3 (%4)",
                 {Msg(what), std::to_string(min), std::to_string(max), quote(text)}));
    if (std::floor(*value) != *value) fail(Msg("%1 non è un numero intero (%2)", {Msg(what), quote(text)}));
    return static_cast<int>(*value);
}

void StudyFileReader::readDerivedCount(const std::string& what, int rows, int columns)
{
    const std::string_view text = TrimView(readRawLine(what));
    const long long total = static_cast<long long>(rows) * columns;
    const auto value = ParseNumber(text, '.');
    if (text.empty() || (value && *value == static_cast<double>(total))) return;
    note(Msg("il totale %1 non è %2 x %3: usato %4",
             {quote(text), std::to_string(rows), std::to_string(columns), std::to_string(total)}));
}

std::optional<bool> StudyFileReader::readBoolean(const std::string& what, const std::string& otherwise)
{
    const std::string_view text = readRawLine(what);
    if (text == "Vero") return true;
    if (text == "Falso") return false;
    note(Msg("%1 non è né \"Vero\" né \"Falso\": %2", {quote(text), Msg(otherwise)}));
    return std::nullopt;
}

NumberFormat StudyFileReader::readFormat(const NumberFormat& olderLayoutFormat)
{
    if (m_contents.empty()) failAt(1, Msg("il file è vuoto"));
    const std::size_t start = m_pos;
    const std::string_view first = readRawLine("l'intestazione");
    if (TrimView(first) != kProgramBanner) {
        // older layout: lines 1 to 3 are missing and this line holds the layout number
        m_pos = start;
        m_line = 0;
        m_hasBanner = false;
        return olderLayoutFormat;
    }
    NumberFormat format;
    format.integers = readInteger("il numero delle cifre intere", 1, kMaxFormatDigits);
    format.decimals = readInteger("il numero dei decimali", 0, kMaxFormatDigits - 1);
    if (!IsValidNumberFormat(format.integers, format.decimals))
        fail(Msg("formato numeri non valido: interi e decimali insieme non possono superare 13"));
    return format;
}

int StudyFileReader::readLayout()
{
    const std::string_view text = TrimView(readRawLine("il numero dei campi per riga"));
    m_layoutLine = m_line;
    const auto value = ParseNumber(text, '.');
    const bool integer = value && *value >= -32768 && *value <= 32767 && std::floor(*value) == *value;
    if (integer) return static_cast<int>(*value);
    if (!m_hasBanner && m_line == 1)
        fail(
            Msg("la prima riga non è l'intestazione \"%1\" né il numero dei campi di un file senza "
                "intestazione (%2)",
                {kProgramBanner, quote(text)}));
    if (value && std::floor(*value) == *value)
        fail(Msg("il numero dei campi per riga è fuori dai limiti -32768..32767 (%1)", {quote(text)}));
    fail(Msg("il numero dei campi per riga non è un numero intero (%1)", {quote(text)}));
}

std::string StudyFileReader::valueNote(std::string_view field, double value, const NumberFormat& format) const
{
    const double shown = RoundToDecimals(value, format.decimals);
    std::string reason;
    if (shown < 0)
        reason = Msg("un valore negativo, che la griglia non accetta");
    else if (shown > MaxValueOf(format) + 1e-9)
        reason = Msg("oltre il massimo della griglia (%1)",
                     {FormatNumber(MaxValueOf(format), format.decimals, UserDecimalSeparator())});
    if (shown == value && reason.empty()) return {};
    std::string text = Msg("%1 letto come %2", {quote(field), FormatPlain(shown, UserDecimalSeparator())});
    if (shown != value)
        text += " (" +
                (format.decimals == 1 ? Msg("1 decimale")
                                      : Msg("%1 decimali", {std::to_string(format.decimals)})) +
                ")";
    if (!reason.empty()) text += ", " + reason;
    return text;
}

void StudyFileReader::checkValue(std::string_view field, double value, const NumberFormat& format)
{
    std::string text = valueNote(TrimView(field), value, format);
    if (!text.empty()) note(std::move(text));
}

StudyFileReader::CellReading StudyFileReader::interpretCell(std::string_view field, const std::string& what,
                                                            const NumberFormat& format, CellRule rule) const
{
    const std::string_view text = TrimView(field);
    if (text == "NIL") {
        if (rule == CellRule::NilOrNumber || rule == CellRule::NilElseZero) return {std::nullopt, {}};
        return {0.0, Msg("%1 letto come 0", {quote(text)})};
    }
    if (const auto value = ParseNumber(text, '.')) return {*value, valueNote(text, *value, format)};
    if (text.empty()) {
        if (rule == CellRule::NilOrNumber) fail(Msg("manca il valore %1", {of(what)}));
        return {0.0, Msg("campo vuoto letto come 0")};
    }
    if (rule == CellRule::NilOrNumber || rule == CellRule::EmptyOrNilAsZero)
        fail(Msg("il valore %1 %2 non è un numero", {quote(text), of(what)}));
    return {0.0, Msg("%1 letto come 0", {quote(text)})};
}

std::optional<double> StudyFileReader::readCell(std::string_view field, const std::string& what,
                                                const NumberFormat& format, CellRule rule)
{
    CellReading r = interpretCell(field, what, format, rule);
    if (!r.note.empty()) note(std::move(r.note));
    return r.value;
}

std::vector<std::optional<double>> StudyFileReader::readRow(int cells, const std::string& what,
                                                            const NumberFormat& format, CellRule rule)
{
    const std::string_view text = readRawLine(what);
    const std::size_t wanted = static_cast<std::size_t>(cells < 0 ? 0 : cells) + 1;  // the row number first
    // the fields the row uses, and how many the line has (a malformed line may have millions)
    std::vector<std::string_view> fields;
    fields.reserve(wanted);
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        if (fields.size() < wanted)
            fields.push_back(
                text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        ++count;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (count < wanted && rule == CellRule::NilOrNumber)
        fail(Msg("mancano dei valori %1: %2 invece di %3 (%4)",
                 {of(what), fieldsText(count), std::to_string(wanted), quote(text)}));

    std::vector<std::optional<double>> values;
    values.reserve(wanted - 1);
    for (std::size_t f = 1; f < wanted; ++f) {
        if (f >= count) {
            values.emplace_back(0.0);
            continue;
        }
        if (wanted == 2 && count > wanted) {
            // a one-value row with more fields, most often a decimal comma: what the value became
            const CellReading r = interpretCell(fields[f], what, format, rule);
            const std::string_view tail =
                text.substr(static_cast<std::size_t>(fields[f].data() - text.data()));
            const std::string shown =
                r.value ? FormatPlain(RoundToDecimals(*r.value, format.decimals), UserDecimalSeparator())
                        : Msg("cella vuota");
            note(Msg("%1 letto come %2 (%3 invece di %4)",
                     {quote(tail), shown, fieldsText(count), std::to_string(wanted)}));
            values.push_back(r.value);
            continue;
        }
        values.push_back(readCell(fields[f], what, format, rule));
    }
    if (count < wanted)
        note(Msg("%1 invece di %2: i valori mancanti letti come 0",
                 {fieldsText(count), std::to_string(wanted)}));
    else if (count > wanted && wanted == 1)
        note(Msg("%1 invece di 1: %2 non letto",
                 {fieldsText(count), quote(text.substr(fields[0].size() + 1))}));
    else if (count > wanted && wanted > 2)
        note(Msg("%1 invece di %2 (%3): i campi oltre il %2° non sono letti",
                 {fieldsText(count), std::to_string(wanted), quote(text)}));
    return values;
}

void StudyFileReader::noteUnreadLines()
{
    int line = m_line;
    int first = 0;
    int unread = 0;
    for (std::size_t pos = m_pos; pos < m_contents.size();) {
        std::size_t end = m_contents.find('\n', pos);
        if (end == std::string::npos) end = m_contents.size();
        ++line;
        if (!isBlankLine(std::string_view(m_contents).substr(pos, end - pos))) {
            if (first == 0) first = line;
            ++unread;
        }
        pos = end + 1;
    }
    if (unread > 0)
        noteAt(first, unread == 1 ? Msg("il file continua dopo i dati: 1 riga non letta")
                                  : Msg("il file continua dopo i dati: %1 righe non lette",
                                        {std::to_string(unread)}));
}

std::string_view StudyFileItems::next(const std::string& what)
{
    if (!m_inLine) {
        m_line = m_reader.readRawLine(what);
        m_pos = 0;
        m_inLine = true;
        const auto count = static_cast<std::size_t>(std::count(m_line.begin(), m_line.end(), ',')) + 1;
        if (m_fieldsPerRow > 0 && count != static_cast<std::size_t>(m_fieldsPerRow))
            m_reader.note(Msg("%1 invece di %2 (%3): i valori seguenti finiscono in altre celle",
                              {fieldsText(count), std::to_string(m_fieldsPerRow), m_reader.quote(m_line)}));
    }
    const std::size_t comma = m_line.find(',', m_pos);
    std::string_view item;
    if (comma == std::string_view::npos) {
        item = m_line.substr(m_pos);
        m_inLine = false;
    } else {
        item = m_line.substr(m_pos, comma - m_pos);
        m_pos = comma + 1;
    }
    return item;
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

void StudyFileWriter::row(int rowNumber, const std::vector<std::optional<double>>& cells,
                          const std::string& pattern)
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
    ReplaceFileSafely(path, m_contents);
}

}  // namespace kestra
