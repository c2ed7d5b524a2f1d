#include "audit/audit_trail.h"

#include <ctime>
#include <mutex>

#include "kestra_build_id.h"

namespace kestra {

namespace {

std::mutex g_trailMutex;
std::shared_ptr<AuditTrail> g_trail;

}  // namespace

AuditTrail::AuditTrail(std::unique_ptr<AuditStore> store, UserIdentity who, std::filesystem::path passwordFolder)
    : m_store(std::move(store)), m_user(std::move(who)), m_passwordFolder(std::move(passwordFolder))
{
}

void AuditTrail::record(AuditEntry& entry)
{
    std::tie(entry.utcTime, entry.localTime) = TrailTimes();
    entry.login = m_user.login;
    entry.fullName = m_user.fullName;
    entry.host = m_user.host;
    entry.programVersion = KESTRA_VERSION;
    entry.buildId = KESTRA_BUILD_ID;
    if (entry.changes.size() > kMaxFieldChanges) {
        entry.omittedChanges += static_cast<std::int64_t>(entry.changes.size() - kMaxFieldChanges);
        entry.changes.resize(kMaxFieldChanges);
    }
    m_store->append(entry);
}

std::optional<std::string> AuditTrail::lastSha256(const std::filesystem::path& path) const
{
    return m_store->lastSha256(TrailPath(path));
}

void SetAuditTrail(std::shared_ptr<AuditTrail> trail)
{
    const std::lock_guard lock(g_trailMutex);
    g_trail = std::move(trail);
}

std::shared_ptr<AuditTrail> CurrentAuditTrail()
{
    const std::lock_guard lock(g_trailMutex);
    return g_trail;
}

std::string RecordAction(AuditEntry entry)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) return {};
    try {
        trail->record(entry);
    } catch (const AuditError& e) {
        return e.what();
    }
    return {};
}

std::string RecordFileAction(const char* action, const std::filesystem::path& path, const std::string& kind,
                             const std::string& detail)
{
    AuditEntry entry;
    entry.action = action;
    entry.objectPath = TrailPath(path);
    entry.objectKind = kind;
    entry.detail = detail;
    return RecordAction(std::move(entry));
}

std::string TrailPath(const std::filesystem::path& path)
{
    if (path.empty()) return {};
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal().string();
}

std::pair<std::string, std::string> TrailTimes()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    std::tm local{};
    ::gmtime_r(&now, &utc);
    ::localtime_r(&now, &local);
    char utcText[32];
    char localText[48];
    std::strftime(utcText, sizeof utcText, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::strftime(localText, sizeof localText, "%Y-%m-%d %H:%M:%S %z", &local);
    return {utcText, localText};
}

}  // namespace kestra
