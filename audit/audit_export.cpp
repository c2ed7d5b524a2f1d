// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/audit_export.h"

#include <chrono>
#include <nlohmann/json.hpp>

#include "audit/signing.h"
#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra {

namespace {

std::string csvCell(const std::string& text)
{
    if (text.find_first_of(",\"\r\n;") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string changesText(const AuditEntry& e, const std::string& separator)
{
    std::string text;
    for (const FieldChange& c : e.changes) {
        if (!text.empty()) text += separator;
        text += ChangeText(c);
    }
    if (e.omittedChanges > 0) {
        if (!text.empty()) text += separator;
        text += MoreChangesText(e.omittedChanges);
    }
    return text;
}

// Details composed of a fixed opening and what follows it (a printer, a file, a verdict), as recorded.
struct DetailOpening {
    std::string_view italian;
    std::string_view english;
};
constexpr DetailOpening kDetailOpenings[] = {{"Grafico, stampante ", "Chart, printer "},
                                             {"Grafico PNG ", "PNG chart "},
                                             {"Grafico PDF ", "PDF chart "},
                                             {"Stampante ", "Printer "},
                                             {"Esito: ", "Outcome: "}};

}  // namespace

std::string MoreChangesText(std::int64_t count)
{
    return Msg("... e altre %1 modifiche", {std::to_string(count)});
}

std::string TrailActionText(const std::string& action)
{
    return Msg(action);
}

std::string TrailDetailText(const std::string& detail)
{
    if (!InterfaceIsEnglish() || detail.empty()) return detail;
    if (EnglishOf(detail)) return Msg(detail);
    for (const DetailOpening& o : kDetailOpenings)
        if (detail.starts_with(o.italian)) {
            const std::string rest = detail.substr(o.italian.size());
            return std::string(o.english) + (EnglishOf(rest) ? Msg(rest) : rest);
        }
    const std::string_view bound = "; SHA-256 firmato ";
    if (const auto at = detail.find(bound); at != std::string::npos) {
        std::string meaning = detail.substr(0, at);
        for (const SignatureMeaning& m : SignatureMeanings())
            if (meaning == m.italian) meaning = m.english;
        return meaning + "; signed SHA-256 " + detail.substr(at + bound.size());
    }
    return detail;
}

std::string ChangeText(const FieldChange& c)
{
    return c.what + ": \"" + c.oldValue + "\" → \"" + c.newValue + "\"";
}

std::string AuditText(const std::vector<AuditEntry>& entries)
{
    std::string text;
    for (const AuditEntry& e : entries) {
        text += std::to_string(e.sequence) + "  " + e.localTime + "  " + e.fullName + " (" + e.login + "@" +
                e.host + ")  " + TrailActionText(e.action);
        if (!e.objectPath.empty()) text += "  " + e.objectPath;
        text += "\n";
        if (!e.oldPath.empty()) text += "    " + Msg("da: ") + e.oldPath + "\n";
        if (!e.reason.empty()) text += "    " + Msg("motivo: ") + e.reason + "\n";
        if (!e.detail.empty()) text += "    " + TrailDetailText(e.detail) + "\n";
        const std::string changes = changesText(e, "\n    ");
        if (!changes.empty()) text += "    " + changes + "\n";
    }
    return text;
}

std::string AuditCsv(const std::vector<AuditEntry>& entries)
{
    // the headings in the interface language; the cells as stored, which is what the entries' hashes cover
    std::string text =
        Msg("voce,ora UTC,ora locale,login,nome,host,versione,build,azione,file,tipo,file precedente,"
            "SHA-256 prima,SHA-256 dopo,modifiche,motivo,dettagli,hash precedente,hash") +
        "\r\n";
    for (const AuditEntry& e : entries) {
        const std::string cells[] = {std::to_string(e.sequence),
                                     e.utcTime,
                                     e.localTime,
                                     e.login,
                                     e.fullName,
                                     e.host,
                                     e.programVersion,
                                     e.buildId,
                                     e.action,
                                     e.objectPath,
                                     e.objectKind,
                                     e.oldPath,
                                     e.sha256Before,
                                     e.sha256After,
                                     changesText(e, "\n"),
                                     e.reason,
                                     e.detail,
                                     e.previousHash,
                                     e.hash};
        bool first = true;
        for (const std::string& cell : cells) {
            if (!first) text += ',';
            first = false;
            text += csvCell(cell);
        }
        text += "\r\n";
    }
    return text;
}

std::string AuditJson(const std::vector<AuditEntry>& entries)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const AuditEntry& e : entries) {
        nlohmann::ordered_json changes = nlohmann::ordered_json::array();
        for (const FieldChange& c : e.changes)
            changes.push_back({{"what", c.what}, {"old", c.oldValue}, {"new", c.newValue}});
        list.push_back({{"sequence", e.sequence},
                        {"utc_time", e.utcTime},
                        {"local_time", e.localTime},
                        {"login", e.login},
                        {"full_name", e.fullName},
                        {"host", e.host},
                        {"version", e.programVersion},
                        {"build", e.buildId},
                        {"action", e.action},
                        {"path", e.objectPath},
                        {"kind", e.objectKind},
                        {"old_path", e.oldPath},
                        {"sha256_before", e.sha256Before},
                        {"sha256_after", e.sha256After},
                        {"changes", changes},
                        {"omitted_changes", e.omittedChanges},
                        {"reason", e.reason},
                        {"detail", e.detail},
                        {"previous_hash", e.previousHash},
                        {"hash", e.hash}});
    }
    return list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

bool IsTrailDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (text[i] < '0' || text[i] > '9') return false;
    const std::chrono::year_month_day date{
        std::chrono::year(std::stoi(text.substr(0, 4))),
        std::chrono::month(static_cast<unsigned>(std::stoi(text.substr(5, 2)))),
        std::chrono::day(static_cast<unsigned>(std::stoi(text.substr(8, 2))))};
    return date.ok();
}

}  // namespace kestra
