// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/trail_anchor.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>

#include "audit/signature_password.h"
#include "text/messages.h"

namespace kestra {

namespace {

bool isHash(const std::string& text)
{
    if (text.size() != 64) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// "key value" and the rest of the text after its line end; nullopt when the line is not that
std::optional<std::string> field(std::string_view& text, std::string_view key)
{
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ')
        return std::nullopt;
    return std::string(line.substr(key.size() + 1));
}

}  // namespace

std::filesystem::path TrailAnchorPath(const std::filesystem::path& database)
{
    return std::filesystem::path(database).replace_extension(".head");
}

std::string TrailAnchorText(const TrailHead& head)
{
    return std::string(kAnchorMagic) + "\nsequence " + std::to_string(head.sequence) + "\nsha256 " +
           (head.hash.empty() ? "-" : head.hash) + "\n";
}

std::optional<TrailHead> ParseTrailAnchor(const std::string& contents)
{
    std::string_view text = contents;
    const std::string magic = std::string(kAnchorMagic) + "\n";
    if (!text.starts_with(magic)) return std::nullopt;
    text.remove_prefix(magic.size());
    const std::optional<std::string> sequence = field(text, "sequence");
    const std::optional<std::string> hash = field(text, "sha256");
    if (!sequence || !hash || !text.empty() || sequence->empty() || sequence->size() > 18)
        return std::nullopt;
    TrailHead head;
    const auto [end, error] =
        std::from_chars(sequence->data(), sequence->data() + sequence->size(), head.sequence);
    if (error != std::errc() || end != sequence->data() + sequence->size() || head.sequence < 0)
        return std::nullopt;
    // an anchor of an empty trail has no hash; any other has the entry's
    if (head.sequence == 0) return *hash == "-" ? std::optional(head) : std::nullopt;
    if (!isHash(*hash)) return std::nullopt;
    head.hash = *hash;
    return head;
}

AnchorReading ReadTrailAnchor(const std::filesystem::path& path)
{
    AnchorReading reading;
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || status.type() == std::filesystem::file_type::not_found) {
        if (ec && ec != std::errc::no_such_file_or_directory) {
            reading.state = AnchorReading::State::Faulty;
            reading.fault = Msg("impossibile leggerlo (%1)", {ec.message()});
        }
        return reading;
    }
    reading.state = AnchorReading::State::Faulty;
    if (!std::filesystem::is_regular_file(path, ec)) {
        reading.fault = Msg("non è un file normale");
        return reading;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reading.fault = Msg("impossibile leggerlo (%1)", {std::strerror(errno)});
        return reading;
    }
    std::string text(kMaxAnchorBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxAnchorBytes) {
        reading.fault = Msg("più grande di %1 byte", {std::to_string(kMaxAnchorBytes)});
        return reading;
    }
    const std::optional<TrailHead> head = ParseTrailAnchor(text);
    if (!head) {
        reading.fault = Msg("formato non riconosciuto");
        return reading;
    }
    reading.state = AnchorReading::State::Read;
    reading.head = *head;
    return reading;
}

void WriteTrailAnchor(const std::filesystem::path& path, const TrailHead& head)
{
    try {
        WritePrivateFile(path, TrailAnchorText(head));
    } catch (const std::exception& e) {
        throw AuditError(e.what());
    }
}

ChainCheck CheckTrailHead(const AnchorReading& anchor, const std::string& anchorName, const DatabaseHead& db)
{
    const std::string last = std::to_string(db.lastSequence);
    switch (anchor.state) {
        case AnchorReading::State::Faulty:
            return ChainFailure(
                0, Msg("Il file di ancoraggio %1 non è utilizzabile: %2", {anchorName, anchor.fault}));
        case AnchorReading::State::Missing:
            if (db.anchored)
                return ChainFailure(
                    0,
                    Msg("Il file di ancoraggio %1 manca: è stato eliminato o spostato, e la rimozione delle "
                        "voci più recenti non si può escludere",
                        {anchorName}));
            // a trail written by an earlier version: what can be checked was; the program anchors it when it
            // next opens the trail for writing
            return {
                true,
                0,
                {},
                db.lastSequence == 0
                    ? std::string()
                    : Msg("Il registro non ha ancora il file di ancoraggio %1 (registro di una versione "
                          "precedente): la rimozione delle voci più recenti si potrà verificare dopo che il "
                          "programma lo avrà aperto",
                          {anchorName})};
        case AnchorReading::State::Read:
            break;
    }
    const TrailHead& head = anchor.head;
    const std::string anchored = std::to_string(head.sequence);
    if (head.sequence > db.lastSequence)
        return ChainFailure(
            db.lastSequence + 1,
            Msg("Mancano le voci dalla n. %1 in poi: il file di ancoraggio %2 registra %3 voci, il registro "
                "ne contiene %4",
                {std::to_string(db.lastSequence + 1), anchorName, anchored, last}));
    if (head.sequence > 0 && db.hashAtAnchor != head.hash)
        return ChainFailure(
            head.sequence,
            Msg("Voce %1: diversa da quella registrata nel file di ancoraggio %2 (voce modificata o "
                "sostituita)",
                {anchored, anchorName}));
    if (head.sequence < db.lastSequence)
        // the program stopped between committing an entry and anchoring it, or the anchor could not be
        // written: not tampering, and the next entry recorded anchors the trail again
        return {true,
                0,
                {},
                Msg("Il file di ancoraggio %1 registra la voce %2, il registro arriva alla voce %3: l'ultima "
                    "scrittura dell'ancora non è avvenuta (programma interrotto o file non scrivibile); la "
                    "prossima voce registrata la aggiorna",
                    {anchorName, anchored, last})};
    return {true, 0, {}, {}};
}

}  // namespace kestra
