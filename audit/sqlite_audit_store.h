// The audit trail in an embedded SQLite database (Audit/audit.db): append-only, hash-chained, written so
// that an interrupted write leaves it whole, its newest entry anchored in a file beside it (audit.head).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

#include "audit/audit_store.h"
#include "audit/trail_anchor.h"

namespace SQLite {
class Database;
}

namespace kestra {

class SqliteAuditStore final : public AuditStore {
public:
    enum class Mode { ReadWrite, ReadOnly };
    // Opens the database; ReadWrite creates it (and its tables) when missing, ReadOnly needs it there.
    // ReadWrite also starts anchoring a trail that has no anchor yet and brings a lagging anchor up to date.
    // Throws AuditError.
    explicit SqliteAuditStore(const std::filesystem::path& path, Mode mode = Mode::ReadWrite);
    ~SqliteAuditStore() override;

    // Before the entry, records an anomaly entry when the anchor shows the newest entries removed or changed
    // (so that the entry does not cover it up); after the commit, anchors the entry. An anchor that cannot
    // be written does not undo the entry: checkHead() and verify() then say so.
    void append(AuditEntry& entry) override;
    std::vector<AuditEntry> entries(const AuditFilter& filter = {}) const override;
    std::optional<std::string> lastSha256(const std::string& path) const override;
    ChainCheck verify() const override;
    // The anchor compared with the newest entry only, cheap enough for every start. Throws AuditError.
    ChainCheck checkHead() const;

    const std::filesystem::path& path() const { return m_path; }
    const std::filesystem::path& anchorPath() const { return m_anchor; }

private:
    DatabaseHead databaseHead(const AnchorReading& anchor) const;
    TrailHead lastEntry() const;
    bool anchoredMark() const;
    // Writes the anchor and marks the database as anchored; a failure is kept for checkHead() and verify().
    void anchorTo(const TrailHead& head);
    std::string withAnchorFault(std::string notice) const;

    std::filesystem::path m_path;
    std::filesystem::path m_anchor;
    std::unique_ptr<SQLite::Database> m_db;
    std::string m_anchorFault;  // why this process could not write the anchor last time, "" when it could
};

constexpr const char* kAuditFolderName = "Audit/";
constexpr const char* kAuditFileName = "audit.db";

}  // namespace kestra
