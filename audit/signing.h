// Electronic signatures: their meanings, the record a signature leaves, its printed line, and signing a file
// whose signature lives in the trail, bound to the file's SHA-256.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "audit/audit_entry.h"
#include "audit/signature_password.h"

namespace kestra {

class AuditTrail;

// The meanings a signer chooses, as files store them and as they print.
struct SignatureMeaning {
    const char* key;      // "prepared"
    const char* italian;  // "Redatto"
    const char* english;  // "Prepared"
};
const std::vector<SignatureMeaning>& SignatureMeanings();
const SignatureMeaning* FindSignatureMeaning(const std::string& key);

struct SignatureRecord {
    std::string login, fullName, time;  // time: UTC, ISO 8601
    std::string meaning;                // a SignatureMeaning key
    std::string comment;
    std::string boundSha256;
};

constexpr const char* kSignatureInvalidIt = "Firma non più valida: il contenuto è cambiato dopo la firma";
constexpr const char* kSignatureInvalidEn = "Signature no longer valid: the content changed after signing";

// "Firmato elettronicamente da <nome> (<login>) il <data ora> — <significato>", and in English.
std::string SignatureLine(const SignatureRecord& record, bool english);
// The signature as windows and reports show it: its line, and for one that no longer holds the invalid text
// on a second line (never left out).
std::string SignatureStatusText(const SignatureRecord& record, bool valid, bool english);

// What a signer asks for.
struct SignatureRequest {
    std::string meaning;  // a SignatureMeaning key
    std::string comment;
    std::string password;
};

enum class SignatureOutcome { Signed, WrongPassword, NowLocked, Locked };

// Checks the signer's password; the lock a third wrong password sets is recorded in the trail against the
// file. Throws SignaturePasswordError (no password set, its files unreadable) and AuditError.
SignatureOutcome CheckSigner(SignaturePassword& password, const std::string& typed, AuditTrail& trail,
                             const std::string& objectPath, const std::string& objectKind);

// The record of a signature by the trail's user now, bound to `bound`.
SignatureRecord NewSignature(const AuditTrail& trail, const SignatureRequest& request, const std::string& bound);

// The trail's entry of a signature: the meaning, the comment and the bound hash in its detail.
AuditEntry SignatureEntry(const SignatureRecord& record, const std::string& objectPath,
                          const std::string& objectKind);

// Signs a file whose signatures live in the trail (a study file): the signature is bound to the file's
// SHA-256 as it is now. Throws as CheckSigner, and std::runtime_error when the file cannot be read.
SignatureOutcome SignFileInTrail(const std::string& file, const std::string& objectKind,
                                 const SignatureRequest& request, SignaturePassword& password, AuditTrail& trail,
                                 SignatureRecord* made = nullptr);

// The signatures the trail holds for the file, each with whether the file is still what was signed.
struct TrailSignature {
    SignatureRecord record;
    bool valid = false;
};
std::vector<TrailSignature> TrailSignatures(const AuditTrail& trail, const std::string& file);
// SignatureStatusText of each of the file's signatures in turn; `contentChanged` marks every one invalid
// (what is shown is no longer the file that was signed). Throws AuditError.
std::vector<std::string> TrailSignatureTexts(const AuditTrail& trail, const std::string& file, bool english,
                                             bool contentChanged = false);

// Sets or changes the password after recording it in the trail (none: nothing to record); returns what was
// done ("Password di firma impostata" / "cambiata"). Throws SignaturePasswordError (too short, not
// written) and AuditError (then nothing changed).
std::string ChangeSignaturePassword(SignaturePassword& password, const std::string& typed, AuditTrail* trail);

// The clock time a lock ends, "14:35", for the messages.
std::string LockEndText(std::chrono::system_clock::time_point until);

}  // namespace kestra
