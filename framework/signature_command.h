// "Firma..." of the study and dossier windows: the signer's meaning, comment and password asked through the
// prompts, the signing done by the window's own binding, the outcome said.
#pragma once

#include <functional>
#include <string>

#include "audit/signing.h"
#include "framework/prompts.h"

namespace kestra {

using Signer = std::function<SignatureOutcome(const SignatureRequest&, SignaturePassword&, AuditTrail&,
                                              SignatureRecord*)>;

// Asks and signs `document` (its signatures so far in `signatures`, a line each). Says why it cannot sign
// (no trail, no password set, signing locked, a wrong password, a file fault). Returns whether it signed.
bool RunSignatureCommand(const std::string& document, const std::string& signatures, Prompts& prompts,
                         const Signer& sign);

// A study file's signatures from the trail, a line each, the invalid ones followed by the invalid text.
std::string TrailSignatureText(const std::string& file, bool english = false);

}  // namespace kestra
