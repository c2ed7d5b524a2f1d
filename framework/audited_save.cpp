// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/audited_save.h"

#include <algorithm>
#include <atomic>
#include <fstream>

#include "audit/audit_trail.h"
#include "audit/sha256.h"
#include "audit/signing.h"
#include "text/messages.h"

namespace kestra {

namespace {

std::atomic<bool> g_askReason{false};

// The text of the file as it stands, "" when there is none or it cannot be read (or is beyond any document's
// size: a save is not held up by a huge foreign file).
std::string fileText(const std::filesystem::path& path)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return {};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > 64u * 1024 * 1024) return {};
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

AuditEntry saveEntry(const SaveRequest& r)
{
    AuditEntry entry;
    entry.objectPath = TrailPath(r.path);
    entry.objectKind = r.kind;
    if (r.boundFile.empty()) {
        entry.action = audit_action::kCreated;
    } else if (TrailPath(r.boundFile) == entry.objectPath) {
        entry.action = audit_action::kSaved;
    } else {
        entry.action = audit_action::kSavedAs;
        entry.oldPath = TrailPath(r.boundFile);
    }
    entry.sha256Before = FileSha256OrEmpty(r.path);
    entry.sha256After = Sha256Hex(r.contents);
    // compared with the file the document came from as it is on disk (for Save as, not the one replaced);
    // a first save lists every value it writes
    entry.changes = FieldChanges(r.fields(fileText(r.boundFile)), r.fields(r.contents));
    return entry;
}

}  // namespace

void SetAskSaveReason(bool ask)
{
    g_askReason = ask;
}

bool AskSaveReason()
{
    return g_askReason;
}

std::string FileSha256OrEmpty(const std::filesystem::path& path)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return {};
    try {
        return Sha256OfFile(path);
    } catch (const std::exception&) {
        return {};
    }
}

bool HasValidTrailSignature(const std::filesystem::path& path)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail || path.empty()) return false;
    const std::vector<TrailSignature> signatures = TrailSignatures(*trail, path.string());
    return std::any_of(signatures.begin(), signatures.end(), [](const TrailSignature& s) { return s.valid; });
}

bool AuditedSave(const SaveRequest& request, const ReasonSource& askReason, const std::function<void()>& write)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) {
        write();
        return true;
    }
    AuditEntry entry;
    if (request.signedContent || AskSaveReason()) {
        const std::optional<std::string> given =
            askReason(request.path.filename().string(), request.signedContent);
        if (!given) return false;
        entry.reason = *given;
        // a required reason is never empty, whoever answers
        if (request.signedContent && entry.reason.find_first_not_of(" \t\r\n") == std::string::npos)
            return false;
    }
    const std::string reason = entry.reason;
    entry = saveEntry(request);
    entry.reason = reason;
    // the trail first: a save it cannot record does not happen, so the trail has no gaps
    try {
        trail->record(entry);
    } catch (const AuditError& e) {
        throw AuditError(Msg("Il file non è stato salvato: impossibile registrare la modifica nel registro "
                             "delle modifiche.") +
                         "\n\n" + e.what());
    }
    try {
        write();
    } catch (const std::exception& e) {
        // the trail said the file was saved: it must also say it was not
        AuditEntry failed;
        failed.action = audit_action::kSaveFailed;
        failed.objectPath = entry.objectPath;
        failed.objectKind = entry.objectKind;
        failed.sha256Before = entry.sha256Before;
        failed.sha256After = FileSha256OrEmpty(request.path);
        failed.detail = "Voce " + std::to_string(entry.sequence) + " non applicata: " + e.what();
        try {
            trail->record(failed);
        } catch (const AuditError& trailFault) {
            throw std::runtime_error(std::string(e.what()) + "\n\n" + trailFault.what());
        }
        throw;
    }
    return true;
}

bool AuditedSave(const SaveRequest& request, Prompts& prompts, const std::function<void()>& write)
{
    return AuditedSave(
        request, [&](const std::string& document, bool required) { return prompts.askSaveReason(document, required); },
        [&] {
            BusyPointer busy(prompts);
            write();
        });
}

void RecordOpening(const std::filesystem::path& path, const std::string& kind, const std::string& warnings,
                   Prompts& prompts)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) return;
    std::string trailFault;
    try {
        const std::string sha = FileSha256OrEmpty(path);
        const std::optional<std::string> last = trail->lastSha256(path);
        AuditEntry entry;
        entry.objectPath = TrailPath(path);
        entry.objectKind = kind;
        entry.sha256Before = entry.sha256After = sha;
        if (last && *last != sha) {
            entry.action = audit_action::kChangedOutside;
            entry.sha256Before = *last;
            trail->record(entry);
            prompts.warning(Msg(kChangedOutsideText));
        }
        if (!warnings.empty()) {
            entry.action = audit_action::kOpenedWithWarnings;
            entry.sha256Before = sha;
            entry.detail = warnings;
            trail->record(entry);
        }
    } catch (const AuditError& e) {
        trailFault = e.what();
    }
    if (!trailFault.empty()) prompts.warning(trailFault);
}

}  // namespace kestra
