// Electronic signatures of a dossier: the hash a signature binds to, signing, and whether each signature
// still matches the dossier and its study files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "audit/audit_entry.h"
#include "dossier/dossier.h"
#include "dossier/evaluation.h"

namespace kestra {

// The meanings a signer chooses, as the file stores them and as they print.
struct SignatureMeaning {
    const char* key;      // "prepared"
    const char* italian;  // "Redatto"
    const char* english;  // "Prepared"
};
const std::vector<SignatureMeaning>& SignatureMeanings();
const SignatureMeaning* FindSignatureMeaning(const std::string& key);

// SHA-256 over the dossier's canonical content and each study file's SHA-256 in the dossier's order. Throws
// std::runtime_error (Italian) when a study file cannot be read.
std::string DossierBoundSha256(const Dossier& dossier, const std::filesystem::path& dossierFolder);

struct SignatureRecord {
    std::string login, fullName, time;  // time: UTC, ISO 8601
    std::string meaning;                // a SignatureMeaning key
    std::string comment;
    std::string boundSha256;
};

// Puts the signature into the dossier: into the unsigned slot of the same role when there is one, else
// after the others.
void AddSignature(Dossier& dossier, const SignatureRecord& record);
// The electronic signatures of the dossier (slots never signed are left out).
std::vector<SignatureRecord> ElectronicSignatures(const Dossier& dossier);

// Whether writing `next` over the dossier file changes content that a signature in the file still holds
// (false for no file, or one that cannot be read: no signature holds there).
bool ChangesSignedContent(const std::filesystem::path& dossierFile, const Dossier& next);

// The trail's entry of an evaluation of the dossier file: its verdict and its study files' hashes.
AuditEntry EvaluationEntry(const std::filesystem::path& dossierFile, const DossierEvaluation& evaluation);

constexpr const char* kSignatureInvalidIt = "Firma non più valida: il contenuto è cambiato dopo la firma";
constexpr const char* kSignatureInvalidEn = "Signature no longer valid: the content changed after signing";

// "Firmato elettronicamente da <nome> (<login>) il <data ora> — <significato>", and in English.
std::string SignatureLine(const SignatureRecord& record, bool english);

// Each electronic signature's line, followed by the invalid text on a line of its own when the dossier or
// a study file changed after it (or a study file can no longer be read).
std::vector<std::string> SignatureStatusLines(const Dossier& dossier,
                                              const std::filesystem::path& dossierFolder, bool english);

}  // namespace kestra
