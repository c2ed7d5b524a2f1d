// The audit trail the program writes to: stamps each entry with the time, the user, the host and the build,
// and hands it to its store. Set once at start-up; the save path and every recorded action reach it here.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "audit/audit_store.h"
#include "audit/user_identity.h"

namespace kestra {

class AuditTrail {
public:
    // passwordFolder: where the user's signature password is kept (beside the trail's file).
    AuditTrail(std::unique_ptr<AuditStore> store, UserIdentity who, std::filesystem::path passwordFolder = {});

    // Stamps and appends the entry (written back with its number and hashes). Throws AuditError.
    void record(AuditEntry& entry);
    AuditEntry record(AuditEntry&& entry)
    {
        record(entry);
        return std::move(entry);
    }
    // The SHA-256 the trail last recorded for the file, if any. Throws AuditError.
    std::optional<std::string> lastSha256(const std::filesystem::path& path) const;

    AuditStore& store() { return *m_store; }
    const AuditStore& store() const { return *m_store; }
    const UserIdentity& user() const { return m_user; }
    const std::filesystem::path& passwordFolder() const { return m_passwordFolder; }

private:
    std::unique_ptr<AuditStore> m_store;
    UserIdentity m_user;
    std::filesystem::path m_passwordFolder;
};

// The trail of this process (none until set: nothing is recorded then).
void SetAuditTrail(std::shared_ptr<AuditTrail> trail);
std::shared_ptr<AuditTrail> CurrentAuditTrail();

// Records an action through the process's trail (nothing without one). Returns "" or the trail's fault.
std::string RecordAction(AuditEntry entry);
// The same for an action on a file (printed, exported): its path, its kind and what was done.
std::string RecordFileAction(const char* action, const std::filesystem::path& path, const std::string& kind,
                             const std::string& detail);

// The path as the trail names files: absolute and normalised.
std::string TrailPath(const std::filesystem::path& path);
// UTC ISO 8601 and the local time with its offset, for now.
std::pair<std::string, std::string> TrailTimes();

}  // namespace kestra
