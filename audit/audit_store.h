// Where the audit trail is kept: an interface, so that a laboratory server can hold the trail later.
// SPDX-License-Identifier: GPL-3.0-or-later
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
    std::int64_t entry = 0;  // the first entry found changed, removed or inserted (0: none named)
    std::string message;     // naming the entry
    std::string notice;      // what a passing check could not cover, said beside it ("" for nothing)
};

// A check that failed at entry (0: at no entry in particular), saying why.
inline ChainCheck ChainFailure(std::int64_t entry, std::string message)
{
    return {false, entry, std::move(message), {}};
}
// The message and, on a line of its own, the notice.
std::string ChainCheckText(const ChainCheck& check);

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
    // Recomputes the chain from the first entry and compares its newest end with what the store anchored
    // outside the database. Throws AuditError when the trail cannot be read.
    virtual ChainCheck verify() const = 0;
};

// Whether an entry passes the filter (the date bounds compare the local date).
bool Matches(const AuditEntry& entry, const AuditFilter& filter);
// Checks entries read in sequence order: numbers without gaps from 1, each linked to the one before, each
// hash the hash of its text.
ChainCheck VerifyChain(const std::vector<AuditEntry>& entries);

}  // namespace kestra
