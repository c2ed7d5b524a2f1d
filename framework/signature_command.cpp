// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/signature_command.h"

#include "audit/audit_trail.h"
#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra {

namespace {

std::string LockedText(const SignaturePassword& password)
{
    return Msg("La firma è bloccata per troppe password errate fino alle %1.", {LockEndText(password.lockedUntil())});
}

}  // namespace

bool RunSignatureCommand(const std::string& document, const std::string& signatures, Prompts& prompts,
                         const Signer& sign)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) {
        prompts.critical(Msg("Firma non possibile: il registro delle modifiche non è disponibile."));
        return false;
    }
    try {
        SignaturePassword password(trail->passwordFolder());
        if (!password.isSet()) {
            prompts.warning(
                Msg("La password di firma non è stata impostata: impostarla in Strumenti > Opzioni > Firma "
                    "elettronica."));
            return false;
        }
        if (password.lockedUntil() > std::chrono::system_clock::now()) {
            prompts.warning(LockedText(password));
            return false;
        }
        const std::optional<SignatureRequest> request = prompts.askSignature(document, trail->user(), signatures);
        if (!request) return false;
        SignatureRecord made;
        switch (sign(*request, password, *trail, &made)) {
            case SignatureOutcome::Signed:
                prompts.information(SignatureLine(made, InterfaceIsEnglish()));
                return true;
            case SignatureOutcome::WrongPassword:
                prompts.warning(Msg("Password di firma errata."));
                return false;
            case SignatureOutcome::NowLocked:
                prompts.critical(Msg("Password di firma errata per la terza volta di seguito: la firma è "
                                     "bloccata per cinque minuti."));
                return false;
            case SignatureOutcome::Locked:
                prompts.warning(LockedText(password));
                return false;
        }
    } catch (const std::exception& e) {
        prompts.critical(Msg("Firma non riuscita.") + "\n\n" + e.what());
    }
    return false;
}

std::string TrailSignatureText(const std::string& file, bool english)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail || file.empty()) return {};
    std::string text;
    try {
        for (const std::string& signature : TrailSignatureTexts(*trail, file, english)) text += signature + "\n";
    } catch (const AuditError& e) {
        text += e.what() + std::string("\n");
    }
    return text;
}

}  // namespace kestra
