// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/dossier_signing.h"

#include <algorithm>

#include "audit/audit_trail.h"
#include "audit/sha256.h"
#include "framework/audited_save.h"

namespace kestra {

std::string DossierBoundSha256(const Dossier& dossier, const std::filesystem::path& folder)
{
    std::string bound = "dossier " + Sha256Hex(dossier.canonicalContent()) + "\n";
    for (const DossierStudy& s : dossier.studies)
        bound += s.id + " " + Sha256OfFile(Dossier::resolve(folder, s.file)) + "\n";
    return Sha256Hex(bound);
}

namespace {

std::string text(const OrderedJson& o, const char* key)
{
    const auto it = o.find(key);
    return it != o.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

void AddSignature(Dossier& dossier, const SignatureRecord& r)
{
    DossierSignature* slot = nullptr;
    for (DossierSignature& s : dossier.signatures)
        if (s.role == r.meaning && !IsElectronicallySigned(s)) {
            slot = &s;
            break;
        }
    if (!slot) {
        dossier.signatures.push_back({r.meaning, "", OrderedJson::object()});
        slot = &dossier.signatures.back();
    }
    slot->name = r.fullName;
    slot->extra["login"] = r.login;
    slot->extra["time"] = r.time;
    slot->extra["meaning"] = r.meaning;
    slot->extra["bound_sha256"] = r.boundSha256;
    if (!r.comment.empty()) slot->extra["comment"] = r.comment;
}

bool IsElectronicallySigned(const DossierSignature& slot)
{
    return !text(slot.extra, "bound_sha256").empty();
}

SignatureRecord SignatureOf(const DossierSignature& s)
{
    return {text(s.extra, "login"),   s.name, text(s.extra, "time"), text(s.extra, "meaning"),
            text(s.extra, "comment"), text(s.extra, "bound_sha256")};
}

std::vector<SignatureRecord> ElectronicSignatures(const Dossier& dossier)
{
    std::vector<SignatureRecord> list;
    for (const DossierSignature& s : dossier.signatures)
        if (IsElectronicallySigned(s)) list.push_back(SignatureOf(s));
    return list;
}

bool ChangesSignedContent(const std::filesystem::path& file, const Dossier& next)
{
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) return false;
    try {
        const Dossier dossier = Dossier::read(file);
        const std::vector<SignatureRecord> signatures = ElectronicSignatures(dossier);
        if (signatures.empty()) return false;
        const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
        const std::string now = DossierBoundSha256(dossier, folder);
        const bool holds = std::any_of(signatures.begin(), signatures.end(),
                                       [&](const SignatureRecord& r) { return r.boundSha256 == now; });
        return holds && DossierBoundSha256(next, folder) != now;
    } catch (const std::exception&) {
        // a dossier or study file that cannot be read carries no signature that still holds
    }
    return false;
}

AuditEntry EvaluationEntry(const std::filesystem::path& file, const DossierEvaluation& evaluation)
{
    AuditEntry entry;
    entry.action = audit_action::kEvaluated;
    entry.objectPath = TrailPath(file);
    entry.objectKind = "dossier";
    entry.sha256Before = entry.sha256After = FileSha256OrEmpty(file);
    entry.detail = std::string("Esito: ") + VerdictName(evaluation.verdict, Language::Italian);
    return entry;
}

SignatureOutcome SignDossierFile(const std::filesystem::path& file, const SignatureRequest& request,
                                 SignaturePassword& password, AuditTrail& trail, SignatureRecord* made)
{
    Dossier dossier = Dossier::read(file);
    const std::string bound = DossierBoundSha256(dossier, std::filesystem::absolute(file).parent_path());
    const std::string path = TrailPath(file);
    const SignatureOutcome outcome = CheckSigner(password, request.password, trail, path, "dossier");
    if (outcome != SignatureOutcome::Signed) return outcome;
    const SignatureRecord record = NewSignature(trail, request, bound);
    AddSignature(dossier, record);
    AuditEntry entry = SignatureEntry(record, path, "dossier");
    entry.sha256Before = Sha256OfFile(file);
    entry.sha256After = Sha256Hex(dossier.text());
    trail.record(entry);
    try {
        dossier.write(file);
    } catch (const std::exception& e) {
        AuditEntry failed;
        failed.action = audit_action::kSaveFailed;
        failed.objectPath = path;
        failed.objectKind = "dossier";
        failed.sha256Before = failed.sha256After = entry.sha256Before;
        failed.detail = "Voce " + std::to_string(entry.sequence) + " non applicata: " + e.what();
        try {
            trail.record(failed);
        } catch (const AuditError&) {
            // the write's own fault is the one to report
        }
        throw;
    }
    if (made) *made = record;
    return outcome;
}

std::string CurrentBoundSha256(const Dossier& dossier, const std::filesystem::path& folder)
{
    try {
        return DossierBoundSha256(dossier, folder);
    } catch (const std::exception&) {
        return {};
    }
}

std::string SignatureStatusText(const DossierSignature& slot, const std::string& boundNow, bool english)
{
    if (!IsElectronicallySigned(slot)) return {};
    const SignatureRecord r = SignatureOf(slot);
    return SignatureStatusText(r, r.boundSha256 == boundNow, english);
}

std::vector<std::string> SignatureStatusLines(const Dossier& dossier, const std::filesystem::path& folder,
                                              bool english)
{
    std::vector<std::string> lines;
    const std::string now = CurrentBoundSha256(dossier, folder);
    for (const DossierSignature& slot : dossier.signatures) {
        const std::string text = SignatureStatusText(slot, now, english);
        if (text.empty()) continue;
        const auto cut = text.find('\n');
        lines.push_back(text.substr(0, cut));
        if (cut != std::string::npos) lines.push_back(text.substr(cut + 1));
    }
    return lines;
}

}  // namespace kestra
