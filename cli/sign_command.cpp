// SPDX-License-Identifier: GPL-3.0-or-later
#include <termios.h>
#include <unistd.h>

#include <ctime>
#include <iostream>

#include "audit/audit_trail.h"
#include "audit/sha256.h"
#include "audit/signature_password.h"
#include "audit/sqlite_audit_store.h"
#include "cli/cli_commands.h"
#include "dossier/dossier_signing.h"
#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra::cli {

namespace {

// One line from the terminal without echo, or from standard input as it comes.
bool readPassword(std::istream& in, std::ostream& err, const std::string& prompt, bool fromStdin,
                  std::string& password)
{
    termios saved{};
    const bool terminal = !fromStdin && ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        err << prompt << std::flush;
        termios quiet = saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    const bool ok = static_cast<bool>(std::getline(in, password));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        err << "\n";
    }
    if (!password.empty() && password.back() == '\r') password.pop_back();
    return ok;
}

// The trail and the password folder: given (tests), else the user's data folder prepared as at start-up.
std::shared_ptr<AuditTrail> openTrail(const SignOptions& o, std::filesystem::path& folder, std::ostream& err)
{
    if (!o.trail.empty()) {
        folder = o.trail.parent_path();
        return std::make_shared<AuditTrail>(std::make_unique<SqliteAuditStore>(o.trail),
                                            CurrentUserIdentity());
    }
    std::filesystem::path file;
    const std::shared_ptr<AuditTrail> trail = OpenUserTrail(err, &file);
    folder = file.parent_path();
    return trail;
}

int setPassword(const SignOptions& o, AuditTrail& trail, const std::filesystem::path& folder,
                std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string first, second;
    if (!readPassword(in, err, Msg("Nuova password di firma: "), o.passwordStdin, first)) {
        err << "kestra-cli sign: " << Msg("nessuna password letta") << "\n";
        return 2;
    }
    if (!o.passwordStdin) {
        if (!readPassword(in, err, Msg("Ripetere la password di firma: "), false, second) || second != first) {
            err << "kestra-cli sign: " << Msg("le due password non coincidono; nulla è cambiato") << "\n";
            return 2;
        }
    }
    SignaturePassword password(folder);
    out << ChangeSignaturePassword(password, first, &trail) << "\n";
    return 0;
}

}  // namespace

int RunSign(const SignOptions& o, std::istream& in, std::ostream& out, std::ostream& err)
{
    try {
        std::filesystem::path folder;
        const std::shared_ptr<AuditTrail> trail = openTrail(o, folder, err);
        if (o.setPassword) return setPassword(o, *trail, folder, in, out, err);

        if (!FindSignatureMeaning(o.meaning)) {
            err << "kestra-cli sign: "
                << Msg("significato non valido \"%1\" (prepared, reviewed, approved)", {o.meaning}) << "\n";
            return 2;
        }
        // the dossier and its studies are read before the password is asked: a file fault costs no attempt
        DossierBoundSha256(Dossier::read(o.file), std::filesystem::absolute(o.file).parent_path());
        SignaturePassword password(folder);
        if (!password.isSet()) {
            err << "kestra-cli sign: "
                << Msg("la password di firma non è stata impostata (kestra-cli sign --set-password)") << "\n";
            return 2;
        }
        SignatureRequest request{o.meaning, o.comment, {}};
        if (!readPassword(in, err, Msg("Password di firma: "), o.passwordStdin, request.password)) {
            err << "kestra-cli sign: " << Msg("nessuna password letta") << "\n";
            return 2;
        }
        SignatureRecord made;
        switch (SignDossierFile(o.file, request, password, *trail, &made)) {
            case SignatureOutcome::Signed:
                out << SignatureLine(made, InterfaceIsEnglish()) << "\n";
                return 0;
            case SignatureOutcome::WrongPassword:
                err << "kestra-cli sign: " << Msg("password di firma errata") << "\n";
                return 1;
            case SignatureOutcome::NowLocked:
                err << "kestra-cli sign: " << Msg("password di firma errata; firma bloccata per cinque minuti")
                    << "\n";
                return 1;
            case SignatureOutcome::Locked:
                err << "kestra-cli sign: "
                    << Msg("firma bloccata per troppi tentativi errati fino alle %1",
                           {LockEndText(password.lockedUntil())})
                    << "\n";
                return 1;
        }
        return 2;
    } catch (const std::exception& e) {
        err << "kestra-cli sign: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace kestra::cli
