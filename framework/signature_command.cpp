// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/signature_command.h"

#include "audit/audit_trail.h"

namespace kestra {

bool RunSignatureCommand(const std::string& document, const std::string& signatures, Prompts& prompts,
                         const Signer& sign)
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) {
        prompts.critical("Firma non possibile: il registro delle modifiche non è disponibile.");
        return false;
    }
    try {
        SignaturePassword password(trail->passwordFolder());
        if (!password.isSet()) {
            prompts.warning(
                "La password di firma non è stata impostata: impostarla in Strumenti > Opzioni > Firma "
                "elettronica.");
            return false;
        }
        if (password.lockedUntil() > std::chrono::system_clock::now()) {
            prompts.warning("La firma è bloccata per troppe password errate fino alle " +
                            LockEndText(password.lockedUntil()) + ".");
            return false;
        }
        const std::optional<SignatureRequest> request = prompts.askSignature(document, trail->user(), signatures);
        if (!request) return false;
        SignatureRecord made;
        switch (sign(*request, password, *trail, &made)) {
            case SignatureOutcome::Signed:
                prompts.information(SignatureLine(made, false));
                return true;
            case SignatureOutcome::WrongPassword:
                prompts.warning("Password di firma errata.");
                return false;
            case SignatureOutcome::NowLocked:
                prompts.critical("Password di firma errata per la terza volta di seguito: la firma è bloccata per "
                                 "cinque minuti.");
                return false;
            case SignatureOutcome::Locked:
                prompts.warning("La firma è bloccata per troppe password errate fino alle " +
                                LockEndText(password.lockedUntil()) + ".");
                return false;
        }
    } catch (const std::exception& e) {
        prompts.critical("Firma non riuscita.\n\n" + std::string(e.what()));
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
