// The audit trail in an embedded SQLite database (Audit/audit.db): append-only, hash-chained, written so
// that an interrupted write leaves it whole.
#pragma once

#include <filesystem>
#include <memory>

#include "audit/audit_store.h"

namespace SQLite {
class Database;
}

namespace kestra {

class SqliteAuditStore final : public AuditStore {
public:
    enum class Mode { ReadWrite, ReadOnly };
    // Opens the database; ReadWrite creates it (and its tables) when missing, ReadOnly needs it there.
    // Throws AuditError.
    explicit SqliteAuditStore(const std::filesystem::path& path, Mode mode = Mode::ReadWrite);
    ~SqliteAuditStore() override;

    void append(AuditEntry& entry) override;
    std::vector<AuditEntry> entries(const AuditFilter& filter = {}) const override;
    std::optional<std::string> lastSha256(const std::string& path) const override;
    ChainCheck verify() const override;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::unique_ptr<SQLite::Database> m_db;
};

constexpr const char* kAuditFolderName = "Audit/";
constexpr const char* kAuditFileName = "audit.db";

}  // namespace kestra
