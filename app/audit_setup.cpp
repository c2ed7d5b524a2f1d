// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/audit_setup.h"

#include "audit/audit_trail.h"
#include "audit/sqlite_audit_store.h"
#include "text/messages.h"

namespace kestra {

namespace {

// Stands in for a trail that could not be opened: every use reports why.
class UnavailableAuditStore final : public AuditStore {
public:
    explicit UnavailableAuditStore(std::string reason) : m_reason(std::move(reason)) {}
    void append(AuditEntry&) override { throw AuditError(m_reason); }
    std::vector<AuditEntry> entries(const AuditFilter&) const override { throw AuditError(m_reason); }
    std::optional<std::string> lastSha256(const std::string&) const override { throw AuditError(m_reason); }
    ChainCheck verify() const override { throw AuditError(m_reason); }

private:
    std::string m_reason;
};

}  // namespace

std::string AuditTrailPath(const AppSettings& settings)
{
    return settings.baseFolder + kAuditFolderName + kAuditFileName;
}

bool InstallUserAuditTrail(const AppSettings& settings, const MessageSink& show)
{
    const std::filesystem::path file = AuditTrailPath(settings);
    try {
        auto store = std::make_unique<SqliteAuditStore>(file);
        // entries removed, an anchor missing or one that could not be written: said at every start until the
        // trail records it
        const ChainCheck head = store->checkHead();
        if (!head.ok || !head.notice.empty())
            show({ShellMessage::Icon::Warning,
                  Msg("Registro delle modifiche %1:", {file.string()}) + "\n\n" + ChainCheckText(head)});
        SetAuditTrail(
            std::make_shared<AuditTrail>(std::move(store), CurrentUserIdentity(), file.parent_path()));
        return true;
    } catch (const AuditError& e) {
        show({ShellMessage::Icon::Critical,
              std::string(e.what()) + "\n\n" +
                  Msg("Finché il registro delle modifiche non è disponibile, i file non possono essere salvati.")});
        SetAuditTrail(std::make_shared<AuditTrail>(std::make_unique<UnavailableAuditStore>(e.what()),
                                                   CurrentUserIdentity(), file.parent_path()));
        return false;
    }
}

}  // namespace kestra
