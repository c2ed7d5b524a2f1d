// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/signing.h"

#include <ctime>

#include "audit/audit_trail.h"
#include "audit/sha256.h"
#include "text/messages.h"

namespace kestra {

namespace {

// Between the meaning and the bound hash in a signature entry's detail.
constexpr std::string_view kBoundMark = "; SHA-256 firmato ";

}  // namespace

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

std::string SignatureStatusText(const SignatureRecord& record, bool valid, bool english)
{
    std::string text = SignatureLine(record, english);
    if (!valid) text += std::string("\n") + (english ? kSignatureInvalidEn : kSignatureInvalidIt);
    return text;
}

SignatureOutcome CheckSigner(SignaturePassword& password, const std::string& typed, AuditTrail& trail,
                             const std::string& objectPath, const std::string& objectKind)
{
    switch (password.check(typed)) {
        case SignaturePassword::Check::Correct:
            return SignatureOutcome::Signed;
        case SignaturePassword::Check::Wrong:
            return SignatureOutcome::WrongPassword;
        case SignaturePassword::Check::Locked:
            return SignatureOutcome::Locked;
        case SignaturePassword::Check::NowLocked:
            break;
    }
    AuditEntry locked;
    locked.action = audit_action::kSigningLocked;
    locked.objectPath = objectPath;
    locked.objectKind = objectKind;
    locked.detail = "Tre password di firma errate di seguito: firma bloccata per cinque minuti";
    trail.record(locked);
    return SignatureOutcome::NowLocked;
}

SignatureRecord NewSignature(const AuditTrail& trail, const SignatureRequest& request, const std::string& bound)
{
    const UserIdentity& who = trail.user();
    return {who.login, who.fullName, TrailTimes().first, request.meaning, request.comment, bound};
}

AuditEntry SignatureEntry(const SignatureRecord& r, const std::string& objectPath, const std::string& objectKind)
{
    AuditEntry entry;
    entry.action = audit_action::kSigned;
    entry.objectPath = objectPath;
    entry.objectKind = objectKind;
    const SignatureMeaning* meaning = FindSignatureMeaning(r.meaning);
    entry.detail = (meaning ? meaning->italian : r.meaning) + std::string(kBoundMark) + r.boundSha256;
    entry.reason = r.comment;
    return entry;
}

SignatureOutcome SignFileInTrail(const std::string& file, const std::string& objectKind,
                                 const SignatureRequest& request, SignaturePassword& password, AuditTrail& trail,
                                 SignatureRecord* made)
{
    const std::string path = TrailPath(file);
    // the file is read before the password is checked: a file fault costs no attempt
    const std::string sha = Sha256OfFile(file);
    const SignatureOutcome outcome = CheckSigner(password, request.password, trail, path, objectKind);
    if (outcome != SignatureOutcome::Signed) return outcome;
    const SignatureRecord record = NewSignature(trail, request, sha);
    AuditEntry entry = SignatureEntry(record, path, objectKind);
    entry.sha256Before = entry.sha256After = sha;
    trail.record(entry);
    if (made) *made = record;
    return outcome;
}

std::vector<TrailSignature> TrailSignatures(const AuditTrail& trail, const std::string& file)
{
    AuditFilter filter;
    filter.file = TrailPath(file);
    filter.action = audit_action::kSigned;
    std::vector<TrailSignature> list;
    std::string now;
    for (const AuditEntry& e : trail.store().entries(filter)) {
        if (e.objectPath != filter.file) continue;
        const auto mark = e.detail.find(kBoundMark);
        if (mark == std::string::npos) continue;
        std::string meaning = e.detail.substr(0, mark);
        for (const SignatureMeaning& m : SignatureMeanings())
            if (meaning == m.italian) meaning = m.key;
        TrailSignature s;
        s.record = {e.login, e.fullName, e.utcTime, meaning, e.reason, e.detail.substr(mark + kBoundMark.size())};
        if (now.empty()) {
            try {
                now = Sha256OfFile(file);
            } catch (const std::exception&) {
                now = "-";  // a file that cannot be read is no longer what was signed
            }
        }
        s.valid = s.record.boundSha256 == now;
        list.push_back(std::move(s));
    }
    return list;
}

std::vector<std::string> TrailSignatureTexts(const AuditTrail& trail, const std::string& file, bool english,
                                             bool contentChanged)
{
    std::vector<std::string> texts;
    for (const TrailSignature& s : TrailSignatures(trail, file))
        texts.push_back(SignatureStatusText(s.record, s.valid && !contentChanged, english));
    return texts;
}

std::string ChangeSignaturePassword(SignaturePassword& password, const std::string& typed, AuditTrail* trail)
{
    if (typed.size() < kMinSignaturePassword)
        throw SignaturePasswordError(ShortSignaturePasswordText());
    AuditEntry entry;
    entry.action = audit_action::kPasswordSet;
    entry.detail = password.isSet() ? "Password di firma cambiata" : "Password di firma impostata";
    // recorded first: a change the trail cannot hold is not made
    if (trail) trail->record(entry);
    password.set(typed);
    return Msg(entry.detail);
}

std::string LockEndText(std::chrono::system_clock::time_point until)
{
    const std::time_t when = std::chrono::system_clock::to_time_t(until);
    std::tm local{};
    ::localtime_r(&when, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

}  // namespace kestra
