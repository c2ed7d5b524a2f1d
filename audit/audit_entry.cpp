#include "audit/audit_entry.h"

#include <nlohmann/json.hpp>

#include "audit/sha256.h"

namespace kestra {

std::string CanonicalText(const AuditEntry& e)
{
    // An array keeps the order fixed whatever the JSON library does with object keys.
    nlohmann::json changes = nlohmann::json::array();
    for (const FieldChange& c : e.changes) changes.push_back({c.what, c.oldValue, c.newValue});
    const nlohmann::json text = {e.sequence,     e.utcTime,     e.localTime,      e.login,
                                 e.fullName,     e.host,        e.programVersion, e.buildId,
                                 e.action,       e.objectPath,  e.objectKind,     e.oldPath,
                                 e.sha256Before, e.sha256After, changes,          e.omittedChanges,
                                 e.reason,       e.detail,      e.previousHash};
    // Invalid UTF-8 (a path from an old disk) is replaced rather than refused: the entry must be written.
    return text.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string EntryHash(const AuditEntry& entry)
{
    return Sha256Hex(CanonicalText(entry));
}

}  // namespace kestra
