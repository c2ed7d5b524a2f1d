#include "dossier/dossier_signing.h"

#include <algorithm>

#include "audit/audit_trail.h"
#include "audit/sha256.h"
#include "framework/audited_save.h"

namespace kestra {

const std::vector<SignatureMeaning>& SignatureMeanings()
{
    static const std::vector<SignatureMeaning> meanings = {{"prepared", "Redatto", "Prepared"},
                                                           {"reviewed", "Verificato", "Reviewed"},
                                                           {"approved", "Approvato", "Approved"}};
    return meanings;
}

const SignatureMeaning* FindSignatureMeaning(const std::string& key)
{
    for (const SignatureMeaning& m : SignatureMeanings())
        if (key == m.key) return &m;
    return nullptr;
}

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
        if (s.role == r.meaning && text(s.extra, "bound_sha256").empty()) {
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

std::vector<SignatureRecord> ElectronicSignatures(const Dossier& dossier)
{
    std::vector<SignatureRecord> list;
    for (const DossierSignature& s : dossier.signatures) {
        SignatureRecord r{text(s.extra, "login"),   s.name,
                          text(s.extra, "time"),    text(s.extra, "meaning"),
                          text(s.extra, "comment"), text(s.extra, "bound_sha256")};
        if (!r.boundSha256.empty()) list.push_back(std::move(r));
    }
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

std::string SignatureLine(const SignatureRecord& r, bool english)
{
    const SignatureMeaning* m = FindSignatureMeaning(r.meaning);
    const std::string meaning = m ? (english ? m->english : m->italian) : r.meaning;
    // the time as stored (UTC) without the ISO separators: "2026-12-10 08:30:05 UTC"
    std::string when = r.time;
    if (when.size() == 20 && when[10] == 'T' && when.back() == 'Z')
        when = when.substr(0, 10) + " " + when.substr(11, 8) + " UTC";
    return std::string(english ? "Electronically signed by " : "Firmato elettronicamente da ") + r.fullName +
           " (" + r.login + ")" + (english ? " on " : " il ") + when + " — " + meaning;
}

std::vector<std::string> SignatureStatusLines(const Dossier& dossier, const std::filesystem::path& folder,
                                              bool english)
{
    std::vector<std::string> lines;
    const std::vector<SignatureRecord> signatures = ElectronicSignatures(dossier);
    if (signatures.empty()) return lines;
    std::string now;
    try {
        now = DossierBoundSha256(dossier, folder);
    } catch (const std::exception&) {
        // a study file that cannot be read is content that is no longer what was signed
    }
    for (const SignatureRecord& r : signatures) {
        lines.push_back(SignatureLine(r, english));
        if (r.boundSha256 != now) lines.push_back(english ? kSignatureInvalidEn : kSignatureInvalidIt);
    }
    return lines;
}

}  // namespace kestra
