// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/language_setting.h"
#include "audit/audit_export.h"
#include "audit/audit_store.h"
#include "cli/cli_commands.h"
#include "cli/command_line.h"
#include "framework/audited_save.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/study_file_notes.h"
#include "studies/limits/limits_study.h"
#include "test_support.h"
#include "text/interface_language.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

std::set<std::string> placeholdersOf(std::string_view text)
{
    std::set<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9')
            found.insert(std::string(text.substr(i, 2)));
    return found;
}

TEST(MessageCatalogue, EveryEntryHasAnEnglishTextWithTheSamePlaceholdersAndNoItalianLeft)
{
    // words that only an untranslated Italian text would hold
    const std::regex italian(
        R"(\b(della|dello|degli|delle|nella|sono|non|il|gli|che|questo|riga|valore|valori)\b)");
    std::set<std::string_view> seen;
    for (const MessageEntry& e : MessageCatalogue()) {
        SCOPED_TRACE(std::string(e.italian));
        EXPECT_TRUE(seen.insert(e.italian).second) << "repeated entry";
        EXPECT_FALSE(e.english.empty());
        EXPECT_EQ(placeholdersOf(e.italian), placeholdersOf(e.english));
        EXPECT_FALSE(std::regex_search(std::string(e.english), italian)) << e.english;
        EXPECT_EQ(std::string(e.english).find("è"), std::string::npos) << e.english;
    }
}

// Every Msg("...") of the core and every part of a study file its readers name has an English entry, so an
// English interface shows no Italian message the catalogue forgot.
TEST(MessageCatalogue, CoversEveryMessageOfTheCoreSources)
{
    const std::regex call(
        R"re(\b(Msg|readText|skipLine|readInteger|readRawLine|readRow|readDerivedCount|readBoolean|checkedInt16|requirePositiveDf|requireDf|nineTimes|ZeroSumWarning)\(\s*(?:(?:[^;"()]|\([^;"()]*\))*,\s*)?((?:"(?:[^"\\]|\\.)*"\s*)+))re");
    const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
    int checked = 0;
    for (const char* room : {"text", "stats", "framework", "studies", "reporting", "app", "dossier", "cli", "audit"}) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(KESTRA_SOURCE_DIR) / room)) {
            const fs::path& p = entry.path();
            if (p.extension() != ".cpp" && p.extension() != ".h") continue;
            if (p.string().find("/ui/") != std::string::npos || p.stem().string().ends_with("_window"))
                continue;
            std::ifstream in(p);
            std::stringstream text;
            text << in.rdbuf();
            const std::string source = text.str();
            for (std::sregex_iterator m(source.begin(), source.end(), call), end; m != end; ++m) {
                std::string key;
                const std::string literals = (*m)[2];
                for (std::sregex_iterator l(literals.begin(), literals.end(), literal), e2; l != e2; ++l)
                    key += (*l)[1];
                // the C++ escapes the messages use
                for (const auto& [escape, character] :
                     {std::pair{"\\r", "\r"}, {"\\n", "\n"}, {"\\\"", "\""}}) {
                    for (std::size_t at = key.find(escape); at != std::string::npos;
                         at = key.find(escape, at + 1))
                        key.replace(at, 2, character);
                }
                // "la riga " + number: the catalogue holds the phrase with its number as %1
                if ((*m)[1] != "Msg" && !key.empty() && key.back() == ' ') key += "%1";
                ++checked;
                EXPECT_NE(EnglishOf(key), nullptr) << p.filename().string() << ": \"" << key << "\"";
            }
        }
    }
    EXPECT_GT(checked, 250);
}

struct LookupCase {
    std::string italian;
    std::vector<std::string> args;
    std::string english;
    std::string italianResult{};  // the Italian with its arguments; empty: the Italian text as it is
};

class MessageLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(MessageLookup, EnglishWhenTheInterfaceIsEnglishAndItalianOtherwise)
{
    const LookupCase& c = GetParam();
    auto lookup = [&] {
        if (c.args.empty()) return Msg(c.italian);
        std::vector<std::string_view> views(c.args.begin(), c.args.end());
        switch (views.size()) {
            case 1:
                return Msg(c.italian, {views[0]});
            case 2:
                return Msg(c.italian, {views[0], views[1]});
            default:
                return Msg(c.italian, {views[0], views[1], views[2]});
        }
    };
    {
        ScopedInterfaceLanguage english(InterfaceLanguage::English);
        EXPECT_EQ(lookup(), c.english);
    }
    EXPECT_EQ(lookup(), c.italianResult.empty() ? c.italian : c.italianResult);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageLookup,
    ::testing::Values(
        LookupCase{"permesso negato", {}, "permission denied"},
        LookupCase{"Impossibile salvare il file %1: %2.",
                   {"/tmp/a.LIM", "spazio"},
                   "Cannot save the file /tmp/a.LIM: spazio.",
                   "Impossibile salvare il file /tmp/a.LIM: spazio."},
        // a file name holding a placeholder stays as it is
        LookupCase{"File %1, riga %2: %3",
                   {"/tmp/%2.LIM", "7", "x"},
                   "File /tmp/%2.LIM, line 7: x",
                   "File /tmp/%2.LIM, riga 7: x"},
        // a placeholder used twice
        LookupCase{"%1 campi per riga, ma le serie sono %2: i campi oltre la serie %2 non sono letti",
                   {"6", "4"},
                   "6 fields per row, but there are 4 series: the fields after series 4 are not read",
                   "6 campi per riga, ma le serie sono 4: i campi oltre la serie 4 non sono letti"},
        // a phrase composed with a number finds its entry with the number as %1
        LookupCase{"la riga 12 del livello superiore", {}, "row 12 of the upper level"},
        LookupCase{"il numero di livelli", {}, "the number of levels"},
        // what the catalogue does not know stays as written
        LookupCase{"un testo che nessuno ha tradotto 3", {}, "un testo che nessuno ha tradotto 3"}));

class LanguageChoice
    : public ::testing::TestWithParam<std::tuple<std::string, std::string, InterfaceLanguage>> {};

TEST_P(LanguageChoice, TheEnvironmentOverridesTheSettingAndItalianIsTheDefault)
{
    const auto& [environment, stored, expected] = GetParam();
    EXPECT_EQ(ChooseInterfaceLanguage(environment, stored), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageChoice,
                         ::testing::Values(std::tuple{"", "", InterfaceLanguage::Italian},
                                           std::tuple{"", "en", InterfaceLanguage::English},
                                           std::tuple{"it", "en", InterfaceLanguage::Italian},
                                           std::tuple{" EN ", "it", InterfaceLanguage::English},
                                           std::tuple{"fr", "en", InterfaceLanguage::English},
                                           std::tuple{"fr", "0", InterfaceLanguage::Italian},
                                           std::tuple{"english", "", InterfaceLanguage::Italian}));

TEST(LanguageSetting, StoredInTheConfigurationFileBesideTheOtherKeys)
{
    test::TempDir dir;
    const std::string ini = (dir / "KesSet.ini").string();
    EXPECT_EQ(StoredInterfaceLanguage(ini), std::nullopt);  // no file yet
    test::writeFile(ini, "[Percorsi]\r\nOpenSave=0\r\n[Parametri]\r\nBkAutoSave=1\r\nLingua=\r\n");
    EXPECT_EQ(StoredInterfaceLanguage(ini), std::nullopt);  // empty: never chosen, and no failed start
    ASSERT_TRUE(StoreInterfaceLanguage(ini, InterfaceLanguage::English));
    EXPECT_EQ(StoredInterfaceLanguage(ini), InterfaceLanguage::English);
    EXPECT_EQ(test::readFile(ini),
              "[Percorsi]\r\nOpenSave=0\r\n[Parametri]\r\nBkAutoSave=1\r\nLingua=en\r\n");
    test::writeFile(ini, "[Parametri]\nlingua = Klingon\n");
    EXPECT_EQ(StoredInterfaceLanguage(ini), std::nullopt);
    EXPECT_EQ(IniPathOf("/home/u/Documenti"), "/home/u/Documenti/Kestra2006/KesSet.ini");
}

TEST(InterfaceLanguage, FileReadingMessagesInEnglishKeepTheUsersDecimalSeparator)
{
    test::TempDir dir;
    const auto path = dir / "a.LIM";
    const std::string start = "Kestra for Windows\n3\n3\n2\nM\nA\nmg\nC\n\n5\nVero\n 1,0.1\n2,0.2\n3,0.3\n";
    ScopedInterfaceLanguage english(InterfaceLanguage::English);
    SetUserDecimalSeparator(',');
    // 0.1234 in a grid of three decimals
    test::writeFile(path, start + "4,0.1234\n5,1\n");
    LimitsStudy study;
    study.read(path);
    EXPECT_EQ(
        ReadingWarningText(study.readingNotes()),
        "Some values of the file were not read as written:\nline 15: \"0.1234\" read as 0,123 (3 decimals)");
    // a row that is not a number
    test::writeFile(path, start + "4,0.4\n5,abc\n");
    try {
        LimitsStudy other;
        other.read(path);
        ADD_FAILURE() << "the file should not be read";
    } catch (const StudyFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "File " + path.string() + ", line 16: the value \"abc\" of measurement 5 is not a number");
    }
    SetUserDecimalSeparator('.');
}

TEST(InterfaceLanguage, TheCommandLineSpeaksTheLanguageOfLang)
{
    for (const auto& [lang, expected] :
         {std::pair{"en", InterfaceLanguage::English}, {"it", InterfaceLanguage::Italian}}) {
        std::vector<std::string> words = {"kestra-cli", "compute", "--lang", lang, "x.LIM"};
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        cli::CommandLine line;
        SetInterfaceLanguage(expected == InterfaceLanguage::English ? InterfaceLanguage::Italian
                                                                    : InterfaceLanguage::English);
        EXPECT_EQ(cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), line), std::nullopt);
        EXPECT_EQ(CurrentInterfaceLanguage(), expected) << lang;
    }
    SetInterfaceLanguage(InterfaceLanguage::Italian);
}

// The trail stores its actions and details in Italian; what shows them gives the English where it knows it.
TEST(InterfaceLanguage, TheTrailsStoredItalianIsShownInEnglish)
{
    for (const char* action :
         {audit_action::kCreated, audit_action::kSaved, audit_action::kSavedAs, audit_action::kSaveFailed,
          audit_action::kOpenedWithWarnings, audit_action::kChangedOutside, audit_action::kPrinted,
          audit_action::kExported, audit_action::kEvaluated, audit_action::kSigned, audit_action::kSigningLocked,
          audit_action::kPasswordSet, audit_action::kOptionsChanged, audit_action::kCompanyChanged,
          audit_action::kBackup})
        EXPECT_NE(EnglishOf(action), nullptr) << action;
    EXPECT_NE(EnglishOf(kChangedOutsideText), nullptr);
    const std::pair<std::string, std::string> details[] = {
        {"Password di firma cambiata", "Signature password changed"},
        {"Verificato; SHA-256 firmato 0a1b", "Reviewed; signed SHA-256 0a1b"},
        {"Esito: Non conforme", "Outcome: Fail"},
        {"Grafico, stampante HP 4050", "Chart, printer HP 4050"},
        {"Stampante HP 4050", "Printer HP 4050"},
        // what the catalogue cannot know stays as stored
        {"Voce 3 non applicata: disco pieno", "Voce 3 non applicata: disco pieno"},
        {"Esito: 12", "Outcome: 12"},
        {"", ""}};
    for (const auto& [stored, english] : details) {
        EXPECT_EQ(TrailDetailText(stored), stored);
        ScopedInterfaceLanguage en(InterfaceLanguage::English);
        EXPECT_EQ(TrailDetailText(stored), english);
    }

    AuditEntry e;
    e.sequence = 1;
    e.localTime = "2026-12-10 09:30:05 +0100";
    e.login = "mrossi";
    e.fullName = "Mario Rossi";
    e.host = "lab";
    e.action = audit_action::kSavedAs;
    e.objectPath = "/d/b.LIM";
    e.oldPath = "/d/a.LIM";
    e.reason = "correzione";
    e.omittedChanges = 2;
    EXPECT_EQ(AuditText({e}),
              "1  2026-12-10 09:30:05 +0100  Mario Rossi (mrossi@lab)  Salvataggio con nome  /d/b.LIM\n"
              "    da: /d/a.LIM\n    motivo: correzione\n    ... e altre 2 modifiche\n");
    ScopedInterfaceLanguage en(InterfaceLanguage::English);
    EXPECT_EQ(AuditText({e}),
              "1  2026-12-10 09:30:05 +0100  Mario Rossi (mrossi@lab)  Save as  /d/b.LIM\n"
              "    from: /d/a.LIM\n    reason: correzione\n    ... and 2 more changes\n");
    // machine-readable: English headings, the cells as stored (what the entry's hash covers)
    const std::string csv = AuditCsv({e});
    EXPECT_EQ(csv.substr(0, csv.find(',', 6)), "entry,UTC time");
    EXPECT_NE(csv.find(",Salvataggio con nome,"), std::string::npos) << csv;
    EXPECT_EQ(VerifyChain({}).message, "Trail intact: 0 entries checked");
}

std::pair<std::optional<int>, std::string> parsed(std::vector<std::string> words, cli::CommandLine& line)
{
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    ::testing::internal::CaptureStdout();
    const std::optional<int> done = cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), line);
    return {done, ::testing::internal::GetCapturedStdout()};
}

// --help is written while parsing: --lang, wherever it stands, is read before; Italian stays the default.
TEST(InterfaceLanguage, TheCommandLinesHelpAndAuditMessagesFollowLang)
{
    const struct {
        std::vector<std::string> words;
        std::string shown, absent;
    } helps[] = {
        {{"kestra-cli", "--help"}, "Apre uno studio come il comando Apri", "Opens a study"},
        {{"kestra-cli", "--lang", "en", "--help"}, "Opens a study as the Open command does", "Apre uno studio"},
        {{"kestra-cli", "audit", "--lang=en", "--help"}, "Only the entries of this file", "Solo le voci"},
        {{"kestra-cli", "sign", "--help"}, "Significato della firma", "Meaning of the signature"},
    };
    for (const auto& h : helps) {
        SetInterfaceLanguage(InterfaceLanguage::Italian);
        cli::CommandLine line;
        const auto [done, out] = parsed(h.words, line);
        EXPECT_EQ(done, 0) << h.words.back();
        EXPECT_NE(out.find(h.shown), std::string::npos) << out;
        EXPECT_EQ(out.find(h.absent), std::string::npos) << out;
    }

    for (const auto& [lang, expected] :
         {std::pair{"en", "kestra-cli audit: invalid date \"2026-02-30\" (use YYYY-MM-DD)\n"},
          {"it", "kestra-cli audit: data non valida \"2026-02-30\" (usare AAAA-MM-GG)\n"}}) {
        SetInterfaceLanguage(InterfaceLanguage::Italian);
        cli::CommandLine line;
        ASSERT_EQ(parsed({"kestra-cli", "audit", "--lang", lang, "--from", "2026-02-30"}, line).first, std::nullopt);
        ASSERT_EQ(line.command, cli::Command::Audit);
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunAudit(line.audit, out, err), 2);
        EXPECT_EQ(err.str(), expected);
    }
    SetInterfaceLanguage(InterfaceLanguage::Italian);
}

}  // namespace
}  // namespace kestra
