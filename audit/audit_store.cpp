// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/audit_store.h"

#include "text/messages.h"

namespace kestra {

bool Matches(const AuditEntry& e, const AuditFilter& f)
{
    if (!f.file.empty() && e.objectPath != f.file && e.oldPath != f.file) return false;
    if (!f.login.empty() && e.login != f.login) return false;
    if (!f.action.empty() && e.action != f.action) return false;
    const std::string date = e.localTime.substr(0, 10);
    if (!f.fromDate.empty() && date < f.fromDate) return false;
    if (!f.toDate.empty() && date > f.toDate) return false;
    return true;
}

ChainCheck VerifyChain(const std::vector<AuditEntry>& entries)
{
    std::string previousHash;
    std::int64_t expected = 1;
    for (const AuditEntry& e : entries) {
        const std::string n = std::to_string(expected);
        if (e.sequence > expected)
            return ChainFailure(expected,
                                Msg("Voce %1: eliminata dal registro (dopo la voce %2 segue la voce %3)",
                                    {n, std::to_string(expected - 1), std::to_string(e.sequence)}));
        if (e.sequence < expected)
            return ChainFailure(e.sequence,
                                Msg("Voce %1: inserita o duplicata", {std::to_string(e.sequence)}));
        if (e.previousHash != previousHash)
            return ChainFailure(
                e.sequence,
                Msg("Voce %1: non segue la voce precedente (voce inserita, eliminata o modificata)", {n}));
        if (EntryHash(e) != e.hash)
            return ChainFailure(e.sequence, Msg("Voce %1: contenuto modificato", {n}));
        previousHash = e.hash;
        ++expected;
    }
    return {true, 0, Msg("Registro integro: %1 voci verificate", {std::to_string(entries.size())}), {}};
}

std::string ChainCheckText(const ChainCheck& check)
{
    if (check.message.empty() || check.notice.empty()) return check.message + check.notice;
    return check.message + "\n" + check.notice;
}

}  // namespace kestra
