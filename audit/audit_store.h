// Where the audit trail is kept: an interface, so that a laboratory server can hold the trail later.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "audit/audit_entry.h"

namespace kestra {

// The trail cannot be opened, read or written; the message says which file and why (Italian).
class AuditError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Which entries to list; empty members select everything.
struct AuditFilter {
    std::string file;  // the object path or the old path of Save as
    std::string login;
    std::string action;
    std::string fromDate;  // "YYYY-MM-DD", local date, inclusive
    std::string toDate;    // "YYYY-MM-DD", local date, inclusive
};

struct ChainCheck {
    bool ok = true;
    std::int64_t entry = 0;  // the first entry found changed, removed or inserted
    std::string message;     // Italian, naming the entry
};

class AuditStore {
public:
    virtual ~AuditStore() = default;
    // Appends the entry: gives it its sequence number and the chain hashes (written back into entry).
    // Throws AuditError; then nothing was appended.
    virtual void append(AuditEntry& entry) = 0;
    // Entries in sequence order. Throws AuditError.
    virtual std::vector<AuditEntry> entries(const AuditFilter& filter = {}) const = 0;
    // The SHA-256 after of the newest entry for the file that recorded one, if any. Throws AuditError.
    virtual std::optional<std::string> lastSha256(const std::string& path) const = 0;
    // Recomputes the chain from the first entry. Throws AuditError when the trail cannot be read.
    virtual ChainCheck verify() const = 0;
};

// Whether an entry passes the filter (the date bounds compare the local date).
bool Matches(const AuditEntry& entry, const AuditFilter& filter);
// Checks entries read in sequence order: numbers without gaps from 1, each linked to the one before, each
// hash the hash of its text.
ChainCheck VerifyChain(const std::vector<AuditEntry>& entries);

}  // namespace kestra
