// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/sqlite_audit_store.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <nlohmann/json.hpp>

#include "audit/audit_trail.h"
#include "text/messages.h"

namespace kestra {

namespace {

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS entries (
  seq INTEGER PRIMARY KEY, utc TEXT NOT NULL, local TEXT NOT NULL, login TEXT NOT NULL,
  full_name TEXT NOT NULL, host TEXT NOT NULL, version TEXT NOT NULL, build TEXT NOT NULL,
  action TEXT NOT NULL, path TEXT NOT NULL, kind TEXT NOT NULL, old_path TEXT NOT NULL,
  sha_before TEXT NOT NULL, sha_after TEXT NOT NULL, changes TEXT NOT NULL, omitted INTEGER NOT NULL,
  reason TEXT NOT NULL, detail TEXT NOT NULL, prev_hash TEXT NOT NULL, hash TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS entries_path ON entries(path);
CREATE TRIGGER IF NOT EXISTS entries_no_update BEFORE UPDATE ON entries
  BEGIN SELECT RAISE(ABORT, 'il registro delle modifiche non si modifica'); END;
CREATE TRIGGER IF NOT EXISTS entries_no_delete BEFORE DELETE ON entries
  BEGIN SELECT RAISE(ABORT, 'il registro delle modifiche non si cancella'); END;
)";

constexpr const char* kColumns =
    "seq, utc, local, login, full_name, host, version, build, action, path, kind, old_path, sha_before, "
    "sha_after, changes, omitted, reason, detail, prev_hash, hash";

std::string changesJson(const std::vector<FieldChange>& changes)
{
    nlohmann::json list = nlohmann::json::array();
    for (const FieldChange& c : changes) list.push_back({c.what, c.oldValue, c.newValue});
    return list.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// A changes column that is not the list it should be reads as one change saying so: the chain check then
// names the entry, and listing the trail still works.
std::vector<FieldChange> changesFrom(const std::string& text)
{
    std::vector<FieldChange> changes;
    const nlohmann::json list = nlohmann::json::parse(text, nullptr, false);
    bool ok = list.is_array();
    if (ok) {
        for (const auto& item : list) {
            if (!item.is_array() || item.size() != 3 || !item[0].is_string() || !item[1].is_string() ||
                !item[2].is_string()) {
                ok = false;
                break;
            }
            changes.push_back(
                {item[0].get<std::string>(), item[1].get<std::string>(), item[2].get<std::string>()});
        }
    }
    if (!ok) return {{Msg("(modifiche illeggibili)"), "", text.substr(0, 200)}};
    return changes;
}

AuditEntry entryFrom(SQLite::Statement& q)
{
    AuditEntry e;
    int i = 0;
    e.sequence = q.getColumn(i++).getInt64();
    for (std::string* text :
         {&e.utcTime, &e.localTime, &e.login, &e.fullName, &e.host, &e.programVersion, &e.buildId, &e.action,
          &e.objectPath, &e.objectKind, &e.oldPath, &e.sha256Before, &e.sha256After})
        *text = q.getColumn(i++).getString();
    e.changes = changesFrom(q.getColumn(i++).getString());
    e.omittedChanges = q.getColumn(i++).getInt64();
    e.reason = q.getColumn(i++).getString();
    e.detail = q.getColumn(i++).getString();
    e.previousHash = q.getColumn(i++).getString();
    e.hash = q.getColumn(i++).getString();
    return e;
}

// Numbers and chains the entry after `last`, and inserts it.
void insertEntry(SQLite::Database& db, AuditEntry& entry, const TrailHead& last)
{
    entry.sequence = last.sequence + 1;
    entry.previousHash = last.hash;
    entry.hash = EntryHash(entry);
    SQLite::Statement insert(db, std::string("INSERT INTO entries (") + kColumns +
                                     ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    int i = 1;
    insert.bind(i++, static_cast<int64_t>(entry.sequence));
    for (const std::string* text :
         {&entry.utcTime, &entry.localTime, &entry.login, &entry.fullName, &entry.host, &entry.programVersion,
          &entry.buildId, &entry.action, &entry.objectPath, &entry.objectKind, &entry.oldPath,
          &entry.sha256Before, &entry.sha256After})
        insert.bind(i++, *text);
    insert.bind(i++, changesJson(entry.changes));
    insert.bind(i++, static_cast<int64_t>(entry.omittedChanges));
    insert.bind(i++, entry.reason);
    insert.bind(i++, entry.detail);
    insert.bind(i++, entry.previousHash);
    insert.bind(i++, entry.hash);
    insert.exec();
}

std::string fault(const std::filesystem::path& path, const std::string& what, const std::exception& e)
{
    return Msg("Registro delle modifiche %1: %2.", {path.string(), what}) + "\n\n" + e.what();
}

}  // namespace

SqliteAuditStore::SqliteAuditStore(const std::filesystem::path& path, Mode mode)
    : m_path(path), m_anchor(TrailAnchorPath(path))
{
    try {
        if (mode == Mode::ReadOnly) {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(path, ec)) throw std::runtime_error(Msg("il file non esiste"));
            m_db = std::make_unique<SQLite::Database>(path.string(), SQLite::OPEN_READONLY);
            m_db->setBusyTimeout(10000);
            // a file that is not the trail is refused here rather than at the first query
            SQLite::Statement probe(*m_db, std::string("SELECT ") + kColumns + " FROM entries LIMIT 0");
            return;
        }
        m_db =
            std::make_unique<SQLite::Database>(path.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        m_db->setBusyTimeout(10000);
        // WAL with FULL synchronisation: a write interrupted by a crash or power cut leaves the trail whole
        m_db->exec("PRAGMA journal_mode=WAL");
        m_db->exec("PRAGMA synchronous=FULL");
        m_db->exec(kSchema);
    } catch (const std::exception& e) {
        throw AuditError(fault(path, Msg("impossibile aprirlo"), e));
    }
    // The anchor before the database, here as everywhere: an entry committed in between is then one the
    // anchor lags behind, never one it is ahead of.
    const AnchorReading anchor = ReadTrailAnchor(m_anchor);
    try {
        const DatabaseHead db = databaseHead(anchor);
        const bool unanchored = anchor.state == AnchorReading::State::Missing && !db.anchored;
        // a new trail or one of an earlier version starts being anchored now; a lagging anchor catches up.
        // An anchor that shows entries removed or changed is left as it is: the next append records that.
        const ChainCheck head = CheckTrailHead(anchor, m_anchor.string(), db);
        if (unanchored ||
            (head.ok && anchor.state == AnchorReading::State::Read && anchor.head.sequence < db.lastSequence))
            anchorTo(lastEntry());
    } catch (const std::exception& e) {
        throw AuditError(fault(path, "impossibile leggerlo", e));
    }
}

SqliteAuditStore::~SqliteAuditStore() = default;

void SqliteAuditStore::append(AuditEntry& entry)
{
    AnchorReading anchor;
    try {
        // IMMEDIATE: the program and kestra-cli may append at the same time; each waits for the other
        SQLite::Transaction transaction(*m_db, SQLite::TransactionBehavior::IMMEDIATE);
        anchor = ReadTrailAnchor(m_anchor);
        TrailHead last = lastEntry();
        const ChainCheck head = CheckTrailHead(anchor, m_anchor.string(), databaseHead(anchor));
        if (!head.ok) {
            // the entry would anchor the trail as it now stands: first the trail says what was found
            AuditEntry anomaly;
            for (auto field :
                 {&AuditEntry::utcTime, &AuditEntry::localTime, &AuditEntry::login, &AuditEntry::fullName,
                  &AuditEntry::host, &AuditEntry::programVersion, &AuditEntry::buildId})
                anomaly.*field = entry.*field;
            anomaly.action = audit_action::kTrailAnomaly;
            anomaly.objectPath = TrailPath(m_path);
            anomaly.objectKind = "registro";
            anomaly.detail = head.message;
            insertEntry(*m_db, anomaly, last);
            last = {anomaly.sequence, anomaly.hash};
        }
        insertEntry(*m_db, entry, last);
        transaction.commit();
    } catch (const std::exception& e) {
        throw AuditError(fault(m_path, Msg("impossibile scrivervi"), e));
    }
    // A newer anchor written by another process since the transaction began is left in place.
    const AnchorReading now = ReadTrailAnchor(m_anchor);
    if (now.state == AnchorReading::State::Read && now.head.sequence > entry.sequence &&
        !(anchor.state == AnchorReading::State::Read && anchor.head == now.head))
        return;
    anchorTo({entry.sequence, entry.hash});
}

TrailHead SqliteAuditStore::lastEntry() const
{
    SQLite::Statement last(*m_db, "SELECT seq, hash FROM entries ORDER BY seq DESC LIMIT 1");
    if (!last.executeStep()) return {};
    return {last.getColumn(0).getInt64(), last.getColumn(1).getString()};
}

bool SqliteAuditStore::anchoredMark() const
{
    return m_db->execAndGet("PRAGMA user_version").getInt() >= 1;
}

DatabaseHead SqliteAuditStore::databaseHead(const AnchorReading& anchor) const
{
    DatabaseHead db;
    db.lastSequence = lastEntry().sequence;
    db.anchored = anchoredMark();
    if (anchor.state == AnchorReading::State::Read && anchor.head.sequence > 0) {
        SQLite::Statement q(*m_db, "SELECT hash FROM entries WHERE seq = ?");
        q.bind(1, static_cast<int64_t>(anchor.head.sequence));
        if (q.executeStep()) db.hashAtAnchor = q.getColumn(0).getString();
    }
    return db;
}

void SqliteAuditStore::anchorTo(const TrailHead& head)
{
    try {
        WriteTrailAnchor(m_anchor, head);
        m_anchorFault.clear();
    } catch (const std::exception& e) {
        m_anchorFault =
            Msg("Impossibile scrivere il file di ancoraggio %1: %2", {m_anchor.string(), e.what()});
        return;
    }
    try {
        // from now on a missing anchor is a fault, not a trail of an earlier version
        if (!anchoredMark()) m_db->exec("PRAGMA user_version = 1");
    } catch (const std::exception&) {
        // a busy database: the mark is tried again with the next entry, and the anchor is there meanwhile
    }
}

std::string SqliteAuditStore::withAnchorFault(std::string notice) const
{
    if (m_anchorFault.empty()) return notice;
    return notice.empty() ? m_anchorFault : m_anchorFault + "\n" + notice;
}

std::vector<AuditEntry> SqliteAuditStore::entries(const AuditFilter& filter) const
{
    std::vector<AuditEntry> list;
    try {
        SQLite::Statement q(*m_db, std::string("SELECT ") + kColumns + " FROM entries ORDER BY seq");
        while (q.executeStep()) {
            AuditEntry e = entryFrom(q);
            if (Matches(e, filter)) list.push_back(std::move(e));
        }
    } catch (const std::exception& e) {
        throw AuditError(fault(m_path, Msg("impossibile leggerlo"), e));
    }
    return list;
}

std::optional<std::string> SqliteAuditStore::lastSha256(const std::string& path) const
{
    try {
        SQLite::Statement q(
            *m_db,
            "SELECT sha_after FROM entries WHERE path = ? AND sha_after <> '' ORDER BY seq DESC "
            "LIMIT 1");
        q.bind(1, path);
        if (q.executeStep()) return q.getColumn(0).getString();
    } catch (const std::exception& e) {
        throw AuditError(fault(m_path, Msg("impossibile leggerlo"), e));
    }
    return std::nullopt;
}

ChainCheck SqliteAuditStore::verify() const
{
    const AnchorReading anchor = ReadTrailAnchor(m_anchor);  // before the entries: see the constructor
    const std::vector<AuditEntry> list = entries();
    ChainCheck chain = VerifyChain(list);
    if (!chain.ok) return chain;
    DatabaseHead db;
    try {
        db.anchored = anchoredMark();
    } catch (const std::exception& e) {
        throw AuditError(fault(m_path, "impossibile leggerlo", e));
    }
    // the chain holds: the entries are numbered 1, 2, ... in order
    db.lastSequence = static_cast<std::int64_t>(list.size());
    if (anchor.state == AnchorReading::State::Read && anchor.head.sequence > 0 &&
        anchor.head.sequence <= db.lastSequence)
        db.hashAtAnchor = list[static_cast<std::size_t>(anchor.head.sequence - 1)].hash;
    const ChainCheck head = CheckTrailHead(anchor, m_anchor.string(), db);
    if (!head.ok) return head;
    // an anomaly the store recorded stays a fault of the trail: the entries it names are gone for good
    for (const AuditEntry& e : list)
        if (e.action == audit_action::kTrailAnomaly)
            return ChainFailure(
                e.sequence,
                Msg("La voce %1 registra un'anomalia che il programma ha trovato prima di scriverla: %2",
                    {std::to_string(e.sequence), e.detail}));
    chain.notice = withAnchorFault(head.notice);
    return chain;
}

ChainCheck SqliteAuditStore::checkHead() const
{
    const AnchorReading anchor = ReadTrailAnchor(m_anchor);
    try {
        ChainCheck head = CheckTrailHead(anchor, m_anchor.string(), databaseHead(anchor));
        head.notice = withAnchorFault(head.notice);
        return head;
    } catch (const std::exception& e) {
        throw AuditError(fault(m_path, "impossibile leggerlo", e));
    }
}

}  // namespace kestra
