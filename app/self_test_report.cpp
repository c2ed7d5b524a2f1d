#include "app/self_test_report.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "audit/sha256.h"
#include "framework/study_kind.h"
#include "kestra_build_id.h"

namespace kestra {

namespace fs = std::filesystem;

namespace {

bool english(Language language)
{
    return language == Language::English;
}

std::string fingerprint(const fs::path& path)
{
    try {
        return Sha256OfFile(path);
    } catch (const std::exception& e) {
        return std::string("(non calcolato: ") + e.what() + ")";
    }
}

std::string nowText()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

std::string userName()
{
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name) return pw->pw_name;
    if (const char* user = std::getenv("USER")) return user;
    return "?";
}

std::string hostName()
{
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0) return "?";
    return buffer;
}

// The characters of a UTF-8 text, one string each (a stray byte stands alone).
std::vector<std::string> characters(const std::string& text)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80 && n < 4) ++n;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

// The checks write their own cells (counts of rows, a missing row...) in Italian; the English texts
// replace those phrases, and only where a whole cell or the end of a row count is one of them.
std::string cellText(const std::string& text, Language language)
{
    if (!english(language)) return text;
    static const std::pair<std::string, std::string> kPhrases[] = {{"riga mancante", "missing row"},
                                                                   {"riga ripetuta", "repeated row"},
                                                                   {"(nessuna riga)", "(no row)"},
                                                                   {"una riga", "one row"},
                                                                   {"(vuoto)", "(empty)"},
                                                                   {"(campo assente)", "(no such field)"},
                                                                   {"letto e calcolato", "read and computed"},
                                                                   {"non eseguito", "not done"}};
    for (const auto& [it, en] : kPhrases)
        if (text == it) return en;
    static const std::pair<std::string, std::string> kCounts[] = {
        {" righe come il modello", " rows as in the seed"}, {" righe uguali", " equal rows"}};
    for (const auto& [it, en] : kCounts)
        if (text.size() > it.size() && text.compare(text.size() - it.size(), it.size(), it) == 0 &&
            text.find_first_not_of("0123456789") == text.size() - it.size())
            return text.substr(0, text.size() - it.size()) + en;
    if (text.rfind("errore: ", 0) == 0) return "error: " + text.substr(8);
    return text;
}

}  // namespace

std::string BuildIdentifier()
{
    return KESTRA_BUILD_ID;
}

SelfTestFacts GatherSelfTestFacts(const SelfTestRun& run)
{
    SelfTestFacts f;
    f.program = kApplicationTitle;
    f.version = KESTRA_VERSION;
    f.buildId = BuildIdentifier();
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    f.executable = ec ? std::string("?") : exe.string();
    f.executableSha256 = ec ? "(non calcolato: eseguibile non trovato)" : fingerprint(exe);
    f.database = run.database.string();
    f.databaseSha256 = fingerprint(run.database);
    f.referenceFolder = run.referenceFolder.string();
    f.dateTime = nowText();
    f.host = hostName();
    f.user = userName();
    return f;
}

std::string SelfTestSummary(const SelfTestRun& run, Language language)
{
    const std::string n = std::to_string(run.lines.size());
    const std::string p = std::to_string(run.passed());
    const std::string k = std::to_string(run.failed());
    if (english(language)) return n + " cases, " + p + " passed, " + k + " failed";
    return n + " casi, " + p + " superati, " + k + " falliti";
}

std::string SelfTestVerdict(bool passed, Language language)
{
    if (english(language)) return passed ? "PASS" : "FAIL";
    return passed ? "SUPERATO" : "FALLITO";
}

std::string CaseCellText(const std::string& text, const std::string& other, std::size_t width)
{
    const std::vector<std::string> chars = characters(text);
    const std::vector<std::string> otherChars = characters(other);
    const std::size_t length = chars.size();
    // a long text shows where it differs from the other one, or else its end, where the numbers are
    std::size_t from = 0;
    if (length > width) {
        std::size_t diff = 0;
        while (diff < length && diff < otherChars.size() && chars[diff] == otherChars[diff]) ++diff;
        if (text == other || diff >= length)
            from = length - width;
        else if (diff > width / 3)
            from = std::min(diff - width / 3, length - width);
    }
    std::string out;
    if (from > 0) out += "…";
    std::size_t i = from;
    for (; i < length && i - from < width; ++i) {
        if (chars[i] == "\r" && i + 1 < length && chars[i + 1] == "\n") ++i;
        out += chars[i] == "\r" || chars[i] == "\n" ? "¶" : chars[i];
    }
    if (i < length) out += "…";
    if (length > width) out += " (" + std::to_string(length) + ")";
    return out;
}

std::string SelfTestText(const SelfTestRun& run, const SelfTestFacts& f, Language language)
{
    const bool en = english(language);
    std::string out;
    out += (en ? "Program verification: " : "Verifica del programma: ") + f.program + " " + f.version + "\n";
    out += (en ? "Build: " : "Build: ") +
           (f.buildId.empty() ? std::string(en ? "unknown" : "sconosciuta") : f.buildId) + "\n";
    out += (en ? "Executable: " : "Eseguibile: ") + f.executable + "\n";
    out += "  SHA-256: " + f.executableSha256 + "\n";
    out += (en ? "Database checked: " : "Database verificato: ") + f.database + "\n";
    out += "  SHA-256: " + f.databaseSha256 + "\n";
    out += (en ? "Reference data: " : "Dati di riferimento: ") + f.referenceFolder + "\n";
    out += (en ? "Date and time: " : "Data e ora: ") + f.dateTime + "\n";
    out += (en ? "Host: " : "Host: ") + f.host + "   " + (en ? "User: " : "Utente: ") + f.user + "\n\n";
    for (const SelfTestLine& line : run.lines) {
        out += SelfTestVerdict(line.passed, language) + "\t" + line.name + "\t" + line.item + "\t" +
               (en ? "expected " : "atteso ") +
               cellText(CaseCellText(line.expected, line.obtained), language) + "\t" +
               (en ? "obtained " : "ottenuto ") +
               cellText(CaseCellText(line.obtained, line.expected), language) + "\n";
    }
    out += "\n" + SelfTestSummary(run, language) + "\n";
    return out;
}

ReportDocument SelfTestCertificate(const SelfTestRun& run, const SelfTestFacts& f, const CompanyData& company,
                                   Language language, const std::optional<std::string>& processLogoPath,
                                   const LogoSizeReader& readLogoSize)
{
    const bool en = english(language);
    ReportDocument doc;
    doc.language = language;
    doc.company = company;
    doc.printDate = f.dateTime;
    doc.decimalSeparator = '.';

    ReportLayout& layout = doc.layout;
    layout.name = "CRVerifica";
    layout.title = Fixed(en ? "PROGRAM VERIFICATION CERTIFICATE" : "CERTIFICATO DI VERIFICA DEL PROGRAMMA");
    layout.subtitle =
        Fixed(en ? "Installation and operational qualification" : "Qualifica di installazione e operativa");
    layout.shortName = Fixed(en ? "Program verification" : "Verifica del programma");
    layout.printDateVisible = true;
    doc.logoPath = readLogoSize ? ReportLogoFor(company, processLogoPath) : std::string();
    ApplyReportLogo(layout, doc.logoPath, readLogoSize);

    ReportRecord& h = doc.header;
    h.set("PROGRAMMA", f.program + " " + f.version);
    h.set("BUILD", f.buildId.empty() ? std::string(en ? "unknown" : "sconosciuta") : f.buildId);
    h.set("ESEGUIBILE", f.executable);
    h.set("SHAESEGUIBILE", f.executableSha256);
    h.set("DATABASE", f.database);
    h.set("SHADATABASE", f.databaseSha256);
    h.set("RIFERIMENTO", f.referenceFolder);
    h.set("DATAORA", f.dateTime);
    h.set("HOST", f.host);
    h.set("UTENTE", f.user);
    h.set("ESITO", SelfTestSummary(run, language));
    FieldsBlock facts;
    facts.lines = {
        {Fixed(en ? "Program" : "Programma"), "PROGRAMMA"},
        {Fixed("Build"), "BUILD"},
        {Fixed(en ? "Executable" : "Eseguibile"), "ESEGUIBILE"},
        {Fixed(en ? "SHA-256 of the executable" : "SHA-256 dell'eseguibile"), "SHAESEGUIBILE"},
        {Fixed(en ? "Database checked" : "Database verificato"), "DATABASE"},
        {Fixed(en ? "SHA-256 of the database" : "SHA-256 del database"), "SHADATABASE"},
        {Fixed(en ? "Reference data" : "Dati di riferimento"), "RIFERIMENTO"},
        {Fixed(en ? "Date and time" : "Data e ora"), "DATAORA"},
        {Fixed("Host"), "HOST"},
        {Fixed(en ? "User" : "Utente"), "UTENTE"},
        {Fixed(en ? "Result" : "Esito"), "ESITO"},
    };
    layout.blocks.push_back(facts);

    DetailTableBlock table;
    table.heading = Fixed(en ? "Cases" : "Casi");
    table.columns = {
        {Fixed(en ? "Case" : "Caso"), "CASO", false, 0, {}, false, 1.3, true},
        {Fixed(en ? "Item" : "Voce"), "VOCE", false, 0, {}, false, 0.9},
        {Fixed(en ? "Expected" : "Atteso"), "ATTESO", false, 0, {}, false, 1.6},
        {Fixed(en ? "Obtained" : "Ottenuto"), "OTTENUTO", false, 0, {}, false, 1.6},
        {Fixed(en ? "Result" : "Esito"), "VERDETTO", false, 0, {}, false, 0.6, true},
    };
    layout.blocks.push_back(table);
    for (const SelfTestLine& line : run.lines) {
        ReportRecord r;
        r.set("CASO", line.name);
        r.set("VOCE", line.item);
        r.set("ATTESO", cellText(CaseCellText(line.expected, line.obtained, 26), language));
        r.set("OTTENUTO", cellText(CaseCellText(line.obtained, line.expected, 26), language));
        r.set("VERDETTO", SelfTestVerdict(line.passed, language));
        doc.details.push_back(std::move(r));
    }
    TextBlock summary;
    summary.heading = Fixed(en ? "Summary" : "Riepilogo");
    summary.text = Fixed(SelfTestSummary(run, language));
    layout.blocks.push_back(summary);
    return doc;
}

}  // namespace kestra
