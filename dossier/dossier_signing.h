// Electronic signatures of a dossier: the hash a signature binds to, signing, and whether each signature
// still matches the dossier and its study files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "audit/audit_entry.h"
#include "audit/signing.h"
#include "dossier/dossier.h"
#include "dossier/evaluation.h"

namespace kestra {

// SHA-256 over the dossier's canonical content and each study file's SHA-256 in the dossier's order. Throws
// std::runtime_error (Italian) when a study file cannot be read.
std::string DossierBoundSha256(const Dossier& dossier, const std::filesystem::path& dossierFolder);

// Puts the signature into the dossier: into the unsigned slot of the same role when there is one, else
// after the others.
void AddSignature(Dossier& dossier, const SignatureRecord& record);
// Whether the slot holds an electronic signature, and its record.
bool IsElectronicallySigned(const DossierSignature& slot);
SignatureRecord SignatureOf(const DossierSignature& slot);
// The electronic signatures of the dossier (slots never signed are left out).
std::vector<SignatureRecord> ElectronicSignatures(const Dossier& dossier);

// Whether writing `next` over the dossier file changes content that a signature in the file still holds
// (false for no file, or one that cannot be read: no signature holds there).
bool ChangesSignedContent(const std::filesystem::path& dossierFile, const Dossier& next);

// The trail's entry of an evaluation of the dossier file: its verdict and its study files' hashes.
AuditEntry EvaluationEntry(const std::filesystem::path& dossierFile, const DossierEvaluation& evaluation);

// Signs the dossier file: the password checked (a lock recorded), the signature bound to the dossier's
// content and its study files, recorded in the trail and written into the file. Throws DossierFileError,
// std::runtime_error (a study file unreadable), SignaturePasswordError, AuditError and StudyWriteError; the
// file is then as it was. A file fault costs no password attempt.
SignatureOutcome SignDossierFile(const std::filesystem::path& file, const SignatureRequest& request,
                                 SignaturePassword& password, AuditTrail& trail, SignatureRecord* made = nullptr);

// DossierBoundSha256 as it is now, "" when a study file cannot be read (no signature matches then).
std::string CurrentBoundSha256(const Dossier& dossier, const std::filesystem::path& dossierFolder);
// The slot's signature line, with the invalid text on a line of its own when `boundNow` differs from its
// bound hash; "" for a slot never signed electronically.
std::string SignatureStatusText(const DossierSignature& slot, const std::string& boundNow, bool english);

// Each electronic signature's line, followed by the invalid text on a line of its own when the dossier or
// a study file changed after it (or a study file can no longer be read).
std::vector<std::string> SignatureStatusLines(const Dossier& dossier,
                                              const std::filesystem::path& dossierFolder, bool english);

}  // namespace kestra
