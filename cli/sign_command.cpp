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

namespace kestra::cli {

namespace {

// One line from the terminal without echo, or from standard input as it comes.
bool readPassword(std::istream& in, std::ostream& err, const char* prompt, bool fromStdin,
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

std::string clockText(std::chrono::system_clock::time_point t)
{
    const std::time_t when = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    ::localtime_r(&when, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

int setPassword(const SignOptions& o, AuditTrail& trail, const std::filesystem::path& folder,
                std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string first, second;
    if (!readPassword(in, err, "Nuova password di firma: ", o.passwordStdin, first)) {
        err << "kestra-cli sign: nessuna password letta\n";
        return 2;
    }
    if (!o.passwordStdin) {
        if (!readPassword(in, err, "Ripetere la password di firma: ", false, second) || second != first) {
            err << "kestra-cli sign: le due password non coincidono; nulla è cambiato\n";
            return 2;
        }
    }
    SignaturePassword password(folder);
    AuditEntry entry;
    entry.action = audit_action::kPasswordSet;
    entry.detail = password.isSet() ? "Password di firma cambiata" : "Password di firma impostata";
    if (first.size() < kMinSignaturePassword) {
        err << "kestra-cli sign: la password di firma deve avere almeno " << kMinSignaturePassword
            << " caratteri\n";
        return 2;
    }
    trail.record(entry);
    password.set(first);
    out << entry.detail << "\n";
    return 0;
}

}  // namespace

int RunSign(const SignOptions& o, std::istream& in, std::ostream& out, std::ostream& err)
{
    try {
        std::filesystem::path folder;
        const std::shared_ptr<AuditTrail> trail = openTrail(o, folder, err);
        if (o.setPassword) return setPassword(o, *trail, folder, in, out, err);

        const SignatureMeaning* meaning = FindSignatureMeaning(o.meaning);
        if (!meaning) {
            err << "kestra-cli sign: significato non valido \"" << o.meaning
                << "\" (prepared, reviewed, approved)\n";
            return 2;
        }
        // the dossier is read before the password is asked: a file fault costs no attempt
        Dossier dossier = Dossier::read(o.file);
        const std::filesystem::path dossierFolder = std::filesystem::absolute(o.file).parent_path();
        const std::string bound = DossierBoundSha256(dossier, dossierFolder);

        SignaturePassword password(folder);
        if (!password.isSet()) {
            err << "kestra-cli sign: la password di firma non è stata impostata (kestra-cli sign "
                   "--set-password)\n";
            return 2;
        }
        std::string typed;
        if (!readPassword(in, err, "Password di firma: ", o.passwordStdin, typed)) {
            err << "kestra-cli sign: nessuna password letta\n";
            return 2;
        }
        const SignaturePassword::Check check = password.check(typed);
        if (check == SignaturePassword::Check::Locked) {
            err << "kestra-cli sign: firma bloccata per troppi tentativi errati fino alle "
                << clockText(password.lockedUntil()) << "\n";
            return 1;
        }
        if (check != SignaturePassword::Check::Correct) {
            if (check == SignaturePassword::Check::NowLocked) {
                AuditEntry locked;
                locked.action = audit_action::kSigningLocked;
                locked.objectPath = TrailPath(o.file);
                locked.objectKind = "dossier";
                locked.detail = "Tre password di firma errate: firma bloccata per cinque minuti";
                trail->record(locked);
                err << "kestra-cli sign: password di firma errata; firma bloccata per cinque minuti\n";
            } else {
                err << "kestra-cli sign: password di firma errata\n";
            }
            return 1;
        }

        const UserIdentity& who = trail->user();
        SignatureRecord record{who.login, who.fullName, TrailTimes().first, meaning->key, o.comment, bound};
        AddSignature(dossier, record);
        AuditEntry entry;
        entry.action = audit_action::kSigned;
        entry.objectPath = TrailPath(o.file);
        entry.objectKind = "dossier";
        entry.sha256Before = Sha256OfFile(o.file);
        entry.sha256After = Sha256Hex(dossier.text());
        entry.detail = std::string(meaning->italian) + (o.comment.empty() ? "" : " — " + o.comment) +
                       "; contenuto firmato SHA-256 " + bound;
        trail->record(entry);
        try {
            dossier.write(o.file);
        } catch (const std::exception& e) {
            AuditEntry failed;
            failed.action = audit_action::kSaveFailed;
            failed.objectPath = entry.objectPath;
            failed.objectKind = "dossier";
            failed.detail = "Voce " + std::to_string(entry.sequence) + " non applicata: " + e.what();
            try {
                trail->record(failed);
            } catch (const AuditError&) {
                // the write's own fault is the one to report
            }
            throw;
        }
        out << SignatureLine(record, false) << "\n";
        return 0;
    } catch (const SignaturePasswordError& e) {
        err << "kestra-cli sign: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "kestra-cli sign: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace kestra::cli
