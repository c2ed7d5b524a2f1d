// One entry of the audit trail: who did what to which file, when, why, with the field changes and the
// hashes that chain it to the entry before.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestra {

// A change at field level as written in the file: what changed, the text before and after.
struct FieldChange {
    std::string what;
    std::string oldValue;
    std::string newValue;
    bool operator==(const FieldChange&) const = default;
};

// The actions the trail records, as stored and shown.
namespace audit_action {
constexpr const char* kCreated = "Creazione";
constexpr const char* kSaved = "Salvataggio";
constexpr const char* kSavedAs = "Salvataggio con nome";
constexpr const char* kSaveFailed = "Salvataggio non riuscito";
constexpr const char* kOpenedWithWarnings = "Apertura con avvisi";
constexpr const char* kChangedOutside = "Modifica esterna";
constexpr const char* kPrinted = "Stampa";
constexpr const char* kExported = "Esportazione";
constexpr const char* kEvaluated = "Valutazione";
constexpr const char* kSigned = "Firma";
constexpr const char* kSigningLocked = "Firma bloccata";
constexpr const char* kPasswordSet = "Password di firma";
constexpr const char* kOptionsChanged = "Opzioni";
constexpr const char* kCompanyChanged = "Dati aziendali";
constexpr const char* kBackup = "Backup";
// written by the store itself: the anchor showed the newest entries removed or changed (the detail says how)
constexpr const char* kTrailAnomaly = "Anomalia del registro";
}  // namespace audit_action

struct AuditEntry {
    std::int64_t sequence = 0;  // given by the store, from 1
    std::string utcTime;        // ISO 8601, "2026-12-10T08:30:05Z"
    std::string localTime;      // "2026-12-10 09:30:05 +0100"
    std::string login;
    std::string fullName;
    std::string host;
    std::string programVersion;
    std::string buildId;
    std::string action;      // one of audit_action
    std::string objectPath;  // the file acted on (empty for options, company data)
    std::string objectKind;  // the study kind, "dossier", ...
    std::string oldPath;     // Save as: the file the document came from
    std::string sha256Before;
    std::string sha256After;
    std::vector<FieldChange> changes;
    std::int64_t omittedChanges = 0;  // changes beyond the limit, counted only
    std::string reason;
    std::string detail;        // what the action needs besides (verdict, signature meaning, backup folder)
    std::string previousHash;  // the hash of the entry before ("" for the first)
    std::string hash;          // SHA-256 of this entry's canonical text
};

// At most this many field changes are stored per entry; the rest are counted.
constexpr std::size_t kMaxFieldChanges = 10000;

// The text the hash covers: every field but the hash itself, in a fixed order, as compact JSON.
std::string CanonicalText(const AuditEntry& entry);
// The SHA-256 of CanonicalText(entry).
std::string EntryHash(const AuditEntry& entry);

}  // namespace kestra
