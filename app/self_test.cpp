// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/self_test.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "framework/study.h"
#include "reporting/f_table.h"
#include "reporting/report_pipeline.h"
#include "stats/statistics.h"
#include "studies/study_factory.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kestra {

namespace fs = std::filesystem;

int SelfTestRun::passed() const
{
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.passed; }));
}

int SelfTestRun::failed() const
{
    return static_cast<int>(lines.size()) - passed();
}

fs::path ReferenceFolder(const fs::path& programDataFolder)
{
    return programDataFolder / "selftest";
}

namespace {

// --- the case file: words, quoted texts with \r \n \t \" \\ escapes, "#" comments on lines of their own

struct CaseLine {
    int number = 0;
    std::vector<std::string> words;
};

class CaseFileError {
public:
    CaseFileError(int line, std::string reason) : m_line(line), m_reason(std::move(reason)) {}
    SelfTestError at(const fs::path& file) const
    {
        return SelfTestError(
            Msg("file di riferimento %1, riga %2: %3", {file.string(), std::to_string(m_line), m_reason}));
    }

private:
    int m_line;
    std::string m_reason;
};

std::vector<std::string> splitWords(const std::string& line, int number)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    word += c;
                    continue;
                }
                if (i >= line.size()) break;
                const char e = line[i++];
                switch (e) {
                    case 'r':
                        word += '\r';
                        break;
                    case 'n':
                        word += '\n';
                        break;
                    case 't':
                        word += '\t';
                        break;
                    case '"':
                        word += '"';
                        break;
                    case '\\':
                        word += '\\';
                        break;
                    default:
                        throw CaseFileError(number, Msg("sequenza %1 sconosciuta", {std::string("\\") + e}));
                }
            }
            if (!closed) throw CaseFileError(number, Msg("testo tra virgolette non chiuso"));
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<CaseLine> readCaseLines(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) throw SelfTestError(Msg("file di riferimento mancante o illeggibile: %1", {file.string()}));
    std::vector<CaseLine> lines;
    int number = 0;
    try {
        for (std::string line; std::getline(in, line);) {
            ++number;
            const auto first = line.find_first_not_of(" \t\r");
            if (first == std::string::npos || line[first] == '#') continue;
            lines.push_back({number, splitWords(line, number)});
        }
    } catch (const CaseFileError& e) {
        throw e.at(file);
    }
    return lines;
}

double numberArgument(const std::string& word, int line)
{
    const auto value = ParseNumber(word, '.');
    if (!value) throw CaseFileError(line, Msg("\"%1\" non è un numero", {word}));
    return *value;
}

int integerArgument(const std::string& word, int line)
{
    const double value = numberArgument(word, line);
    if (value != static_cast<int>(value)) throw CaseFileError(line, Msg("\"%1\" non è un intero", {word}));
    return static_cast<int>(value);
}

int decimalsOf(const std::string& text, char separator)
{
    const auto at = text.find(separator);
    return at == std::string::npos ? 0 : static_cast<int>(text.size() - at - 1);
}

// --- statistics routines and display rules: "check ROUTINE ARGS... = EXPECTED"

SelfTestLine checkRoutine(const CaseLine& line, const std::string& group)
{
    const auto& w = line.words;
    const auto eq = std::find(w.begin(), w.end(), "=");
    if (w.size() < 4 || eq == w.end() || eq + 2 != w.end())
        throw CaseFileError(line.number, Msg("atteso: check ROUTINE ARGOMENTI = VALORE"));
    const std::string& routine = w[1];
    const std::vector<std::string> args(w.begin() + 2, eq);
    const std::string& expected = *(eq + 1);
    auto need = [&](std::size_t n) {
        if (args.size() != n)
            throw CaseFileError(line.number, Msg("%1 vuole %2 argomenti", {routine, std::to_string(n)}));
    };
    auto num = [&](std::size_t i) { return numberArgument(args.at(i), line.number); };
    auto integer = [&](std::size_t i) { return integerArgument(args.at(i), line.number); };

    SelfTestLine out;
    out.group = group;
    out.name = routine;
    out.item = "(";
    for (std::size_t i = 0; i < args.size(); ++i) out.item += (i ? "; " : "") + args[i];
    out.item += ")";
    out.expected = expected;

    std::optional<double> value;
    std::string text;
    try {
        if (routine == "normalquantile") {
            need(1);
            value = NormalQuantile(num(0));
        } else if (routine == "tcritical95") {
            need(2);
            value = TCritical95(integer(0), integer(1));
        } else if (routine == "fcritical05") {
            need(2);
            value = FCritical05(integer(0), integer(1), CurrentFTable());
        } else if (routine == "ftail") {
            need(3);
            value = FTailProbability(num(0), integer(1), integer(2));
        } else if (routine == "ttail") {
            need(2);
            value = TTailProbability(num(0), integer(1));
        } else if (routine == "normaldensity") {
            need(3);
            value = NormalDensity(num(0), num(1), num(2));
        } else if (routine.rfind("descriptive.", 0) == 0) {
            std::vector<double> values;
            for (std::size_t i = 0; i < args.size(); ++i) values.push_back(num(i));
            std::array<double, 4> results{};
            DescriptiveStats(values, results);
            const std::string what = routine.substr(12);
            const int position = what == "mean" ? 1 : what == "variance" ? 2 : what == "cv" ? 3 : 0;
            if (position == 0) throw CaseFileError(line.number, Msg("atteso descriptive.mean, .variance o .cv"));
            value = results[static_cast<std::size_t>(position)];
        } else if (routine.rfind("confidence.", 0) == 0) {
            need(4);  // n, mean, s, t
            const std::vector<double> values(static_cast<std::size_t>(integer(0)), 0.0);
            double lower = 0, upper = 0, width = 0;
            const double relative = ConfidenceInterval(values, num(1), num(2), num(3), lower, upper, width);
            const std::string what = routine.substr(11);
            if (what == "halfwidth")
                value = width / 2;
            else if (what == "relative")
                value = relative;
            else if (what == "lower")
                value = lower;
            else if (what == "upper")
                value = upper;
            else
                throw CaseFileError(line.number, Msg("atteso confidence.halfwidth, .relative, .lower o .upper"));
        } else if (routine == "format") {
            need(3);  // value, pattern, separator
            text = FormatNumber(num(0), args[1], args[2].empty() ? '.' : args[2][0]);
        } else if (routine == "plain") {
            need(2);
            text = FormatPlain(num(0), args[1].empty() ? '.' : args[1][0]);
        } else {
            throw CaseFileError(line.number, Msg("routine sconosciuta \"%1\"", {routine}));
        }
    } catch (const CaseFileError&) {
        throw;
    } catch (const std::exception& e) {
        out.obtained = std::string("errore: ") + e.what();
        return out;
    }
    out.obtained = value ? FormatNumber(*value, decimalsOf(expected, '.'), '.') : text;
    out.passed = out.obtained == out.expected;
    return out;
}

// --- study cases: a study file read and calculated as Open does, its report fields compared

enum class ExpectKind { Number, Text, Certified };

struct Expectation {
    ExpectKind kind = ExpectKind::Text;
    std::optional<std::string> language;  // "it" / "en"; none: every run
    std::string field;
    int detail = 0;  // 1-based detail row; 0: the header record
    std::string value;
    int line = 0;
};

struct StudyCase {
    std::string id;
    std::string group;
    fs::path file;
    std::vector<std::string> languages{"it", "en"};
    std::vector<char> separators{'.', ','};
    std::vector<Expectation> expectations;
};

std::string replaceAll(std::string text, const std::string& what, const std::string& with)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::string expectedText(const Expectation& e, char separator, const std::string& obtained)
{
    switch (e.kind) {
        case ExpectKind::Number:
            return separator == '.' ? e.value : replaceAll(e.value, ".", std::string(1, separator));
        case ExpectKind::Text:
            return replaceAll(e.value, "{sep}", std::string(1, separator));
        case ExpectKind::Certified: {
            // the certified value to the digits the program shows
            const auto value = ParseNumber(e.value, '.');
            const int decimals = ParseNumber(obtained, separator) ? decimalsOf(obtained, separator) : 0;
            return value ? FormatNumber(*value, decimals, separator) : e.value;
        }
    }
    return e.value;
}

std::vector<SelfTestLine> runStudyCase(const StudyCase& c)
{
    std::vector<SelfTestLine> lines;
    const auto kind = KindFromExtension(c.file.extension().string());
    for (char separator : c.separators) {
        SetUserDecimalSeparator(separator);
        const std::string runName = c.id + " " + std::string(1, separator);
        auto failAll = [&](const std::string& item, const std::string& why) {
            lines.push_back({c.group, runName, item, "letto e calcolato", why, false});
        };
        std::unique_ptr<Study> study = CreateStudy(*kind);
        try {
            study->read(c.file);
        } catch (const std::exception& e) {
            failAll("lettura", e.what());
            continue;
        }
        const CalcOutcome outcome = RunCalculation(*study);
        if (!outcome.computed) {
            failAll("calcolo", outcome.messages.empty() ? "non eseguito" : outcome.messages.front().text);
            continue;
        }
        for (const std::string& language : c.languages) {
            const ReportRecords records =
                study->reportRecords(language == "en" ? Language::English : Language::Italian);
            for (const Expectation& e : c.expectations) {
                if (e.language && *e.language != language) continue;
                SelfTestLine line;
                line.group = c.group;
                line.name = c.id + " " + language + " " + std::string(1, separator);
                line.item = e.detail ? e.field + "[" + std::to_string(e.detail) + "]" : e.field;
                const ReportRecord* record = nullptr;
                if (e.detail == 0)
                    record = &records.header;
                else if (static_cast<std::size_t>(e.detail) <= records.details.size())
                    record = &records.details[static_cast<std::size_t>(e.detail) - 1];
                if (!record || !record->find(e.field)) {
                    line.obtained = "(campo assente)";
                    line.expected = expectedText(e, separator, "");
                } else {
                    line.obtained = FieldDisplayText(*record, e.field, separator);
                    line.expected = expectedText(e, separator, line.obtained);
                    line.passed = line.obtained == line.expected;
                }
                lines.push_back(std::move(line));
            }
        }
    }
    return lines;
}

Expectation parseExpectation(const CaseLine& line)
{
    const auto& w = line.words;
    if (w.size() != 4 || w[2] != "=") throw CaseFileError(line.number, Msg("atteso: %1 CAMPO = VALORE", {w[0]}));
    Expectation e;
    e.line = line.number;
    std::string keyword = w[0];
    if (const auto dot = keyword.find('.'); dot != std::string::npos) {
        e.language = keyword.substr(dot + 1);
        keyword = keyword.substr(0, dot);
        if (*e.language != "it" && *e.language != "en")
            throw CaseFileError(line.number, Msg("lingua sconosciuta \"%1\"", {*e.language}));
    }
    if (keyword == "number")
        e.kind = ExpectKind::Number;
    else if (keyword == "text")
        e.kind = ExpectKind::Text;
    else if (keyword == "certified")
        e.kind = ExpectKind::Certified;
    else
        throw CaseFileError(line.number, Msg("parola sconosciuta \"%1\"", {w[0]}));
    if (e.kind != ExpectKind::Text && !ParseNumber(w[3], '.'))
        throw CaseFileError(line.number, Msg("\"%1\" non è un numero scritto con il punto", {w[3]}));
    e.field = w[1];
    if (const auto at = e.field.find('@'); at != std::string::npos) {
        e.detail = integerArgument(e.field.substr(at + 1), line.number);
        e.field = e.field.substr(0, at);
        if (e.detail < 1) throw CaseFileError(line.number, Msg("le righe di dettaglio contano da 1"));
    }
    e.value = w[3];
    return e;
}

}  // namespace

std::vector<SelfTestLine> RunCaseFile(const fs::path& caseFile)
{
    const std::vector<CaseLine> lines = readCaseLines(caseFile);
    std::vector<SelfTestLine> out;
    std::string group = caseFile.stem().string();
    try {
        std::optional<StudyCase> current;
        int caseLine = 0;
        for (const CaseLine& line : lines) {
            const std::string& key = line.words.front();
            if (current) {
                if (key == "end") {
                    if (current->file.empty())
                        throw CaseFileError(caseLine, Msg("il caso non nomina il suo file"));
                    if (current->expectations.empty())
                        throw CaseFileError(caseLine, Msg("il caso non ha valori attesi"));
                    auto result = runStudyCase(*current);
                    out.insert(out.end(), result.begin(), result.end());
                    current.reset();
                } else if (key == "file") {
                    if (line.words.size() != 2) throw CaseFileError(line.number, Msg("atteso: file NOME"));
                    current->file = caseFile.parent_path() / line.words[1];
                    if (!KindFromExtension(current->file.extension().string()))
                        throw CaseFileError(line.number, Msg("estensione di studio sconosciuta"));
                    std::error_code ec;
                    if (!fs::is_regular_file(current->file, ec))
                        throw CaseFileError(line.number, Msg("manca il file %1", {current->file.string()}));
                } else if (key == "languages") {
                    current->languages.assign(line.words.begin() + 1, line.words.end());
                    for (const auto& l : current->languages)
                        if (l != "it" && l != "en")
                            throw CaseFileError(line.number, Msg("lingua sconosciuta %1", {l}));
                } else if (key == "separators") {
                    current->separators.clear();
                    for (std::size_t i = 1; i < line.words.size(); ++i) {
                        if (line.words[i] != "." && line.words[i] != ",")
                            throw CaseFileError(line.number, Msg("separatore sconosciuto %1", {line.words[i]}));
                        current->separators.push_back(line.words[i][0]);
                    }
                } else {
                    current->expectations.push_back(parseExpectation(line));
                }
                continue;
            }
            if (key == "group" && line.words.size() == 2) {
                group = line.words[1];
            } else if (key == "case" && line.words.size() == 2) {
                current = StudyCase{};
                current->id = line.words[1];
                current->group = group;
                caseLine = line.number;
            } else if (key == "check") {
                out.push_back(checkRoutine(line, group));
            } else {
                throw CaseFileError(line.number, Msg("riga non riconosciuta"));
            }
        }
        if (current) throw CaseFileError(caseLine, Msg("caso senza \"end\""));
    } catch (const CaseFileError& e) {
        throw e.at(caseFile);
    }
    return out;
}

namespace {

// The process-wide settings a study's calculation changes, put back when the self-test ends.
class ProcessStateGuard {
public:
    ProcessStateGuard()
        : m_separator(UserDecimalSeparator()),
          m_pattern(CurrentNumberPattern()),
          m_table(CurrentFTableLookup())
    {
    }
    ~ProcessStateGuard()
    {
        SetUserDecimalSeparator(m_separator);
        SetCurrentNumberPattern(m_pattern);
        SetFTableLookup(m_table);
    }
    ProcessStateGuard(const ProcessStateGuard&) = delete;
    ProcessStateGuard& operator=(const ProcessStateGuard&) = delete;

private:
    char m_separator;
    std::string m_pattern;
    std::shared_ptr<const FTableLookup> m_table;
};

}  // namespace

SelfTestRun RunSelfTest(const fs::path& referenceFolder, const fs::path& database,
                        const SelfTestProgress& progress)
{
    SelfTestRun run;
    std::error_code ec;
    run.referenceFolder = fs::absolute(referenceFolder, ec);
    run.database = fs::absolute(database, ec);
    if (!fs::is_directory(referenceFolder, ec))
        throw SelfTestError(Msg("cartella dei dati di riferimento mancante: %1", {referenceFolder.string()}));
    if (!fs::is_regular_file(database, ec))
        throw SelfTestError(Msg("database dei report mancante: %1", {database.string()}));
    const fs::path seed = referenceFolder / "tabf_seed.sql";
    std::vector<fs::path> caseFiles;
    for (const auto& entry : fs::directory_iterator(referenceFolder, ec))
        if (entry.path().extension() == ".cases") caseFiles.push_back(entry.path());
    if (ec) throw SelfTestError(Msg("cartella dei dati di riferimento illeggibile: %1", {referenceFolder.string()}));
    if (caseFiles.empty())
        throw SelfTestError(Msg("nessun file di casi (*.cases) in %1", {referenceFolder.string()}));
    std::sort(caseFiles.begin(), caseFiles.end());

    ProcessStateGuard guard;
    if (progress) progress("TabF");
    run.lines = CheckFTable(database, seed);
    SetFTableLookup(std::make_shared<DatabaseFTable>(database));
    for (const fs::path& file : caseFiles) {
        if (progress) progress(file.filename().string());
        auto lines = RunCaseFile(file);
        run.lines.insert(run.lines.end(), lines.begin(), lines.end());
    }
    return run;
}

}  // namespace kestra
