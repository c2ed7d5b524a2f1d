// The anchor of the trail's newest entry, kept in a small file beside the database, so that removing the
// newest entries (which leaves a valid chain) still shows. SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "audit/audit_store.h"

namespace kestra {

// The newest entry as the store last anchored it: its sequence number and its hash (0 and "" for a trail
// anchored while it had no entries).
struct TrailHead {
    std::int64_t sequence = 0;
    std::string hash;
    bool operator==(const TrailHead&) const = default;
};

// The anchor file as read: missing, read, or present but not usable (fault says why, Italian).
struct AnchorReading {
    enum class State { Missing, Read, Faulty };
    State state = State::Missing;
    TrailHead head;
    std::string fault;
};

// A file larger than this is not an anchor: it is refused unread.
constexpr std::size_t kMaxAnchorBytes = 4096;
// The first line of the anchor file, with its format version.
constexpr const char* kAnchorMagic = "Kestra audit head 1";

// audit.db -> audit.head: the anchor lives beside the database it anchors.
std::filesystem::path TrailAnchorPath(const std::filesystem::path& database);
// The file's text: the magic line, "sequence N", "sha256 HASH" ("-" for none), each ended by "\n".
std::string TrailAnchorText(const TrailHead& head);
// Parses the text; nullopt when it is not exactly that.
std::optional<TrailHead> ParseTrailAnchor(const std::string& text);
// Reads at most kMaxAnchorBytes + 1 bytes of the file.
AnchorReading ReadTrailAnchor(const std::filesystem::path& path);
// Writes the anchor through a temporary file, flushed and renamed over it. Throws AuditError.
void WriteTrailAnchor(const std::filesystem::path& path, const TrailHead& head);

// What the database holds at its newest end, for the comparison with the anchor.
struct DatabaseHead {
    std::int64_t lastSequence = 0;
    std::optional<std::string> hashAtAnchor;  // the hash of the entry numbered as the anchor, if there is one
    bool anchored = false;                    // the store has started keeping an anchor for this database
};

// Compares the anchor with the database's newest entries (the chain itself is checked elsewhere). Fails
// naming the first entry missing or the entry that differs, or naming the anchor file when it is missing
// from an anchored trail or is not usable; passes with a notice when the anchor lags behind the database or
// the trail was never anchored.
ChainCheck CheckTrailHead(const AnchorReading& anchor, const std::string& anchorName,
                          const DatabaseHead& database);

}  // namespace kestra
