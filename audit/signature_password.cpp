// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/signature_password.h"

#include <fcntl.h>
#include <sodium.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "text/messages.h"

namespace kestra {

namespace {

std::string readSmallFile(const std::filesystem::path& path, std::size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SignaturePasswordError(Msg("Impossibile leggere il file %1.", {path.string()}));
    std::string text(limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > limit) throw SignaturePasswordError(Msg("Il file %1 non è valido.", {path.string()}));
    return text;
}

long long seconds(std::chrono::system_clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
}

}  // namespace

void WritePrivateFile(const std::filesystem::path& path, const std::string& bytes)
{
    // a temporary name of this process's own: the program and kestra-cli may write the same file at once
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path.string() + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) break;
    }
    bool ok = fd >= 0;
    int error = ok ? 0 : errno;
    if (ok) {
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ok = false;
                error = errno;
            } else {
                done += static_cast<std::size_t>(n);
            }
        }
        if (ok && ::fsync(fd) != 0) ok = false, error = errno;
        if (::close(fd) != 0 && ok) ok = false, error = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false, error = errno;
    if (!ok) {
        if (fd >= 0) ::unlink(temp.c_str());
        throw SignaturePasswordError(Msg("Impossibile scrivere il file %1: %2", {path.string(), std::strerror(error)}));
    }
    // the rename reaches the disk only with the folder
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

std::string ShortSignaturePasswordText()
{
    return Msg("La password di firma deve avere almeno %1 caratteri.", {std::to_string(kMinSignaturePassword)});
}

SignaturePassword::SignaturePassword(std::filesystem::path folder) : m_folder(std::move(folder))
{
}

bool SignaturePassword::isSet() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(passwordFile(), ec);
}

void SignaturePassword::set(const std::string& password)
{
    if (password.size() < kMinSignaturePassword)
        throw SignaturePasswordError(ShortSignaturePasswordText());
    if (sodium_init() < 0) throw SignaturePasswordError(Msg("Libreria crittografica non disponibile."));
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw SignaturePasswordError(Msg("Memoria insufficiente per calcolare l'hash della password di firma."));
    WritePrivateFile(passwordFile(), std::string(hash) + "\n");
    std::error_code ec;
    std::filesystem::remove(lockFile(), ec);
}

SignaturePassword::LockState SignaturePassword::readLock() const
{
    LockState state;
    std::error_code ec;
    if (!std::filesystem::exists(lockFile(), ec)) return state;
    std::istringstream in(readSmallFile(lockFile(), 200));
    // a damaged lock file locks rather than unlocks: it counts as the lock just set
    if (!(in >> state.failures >> state.until)) state = {kSignatureAttempts, 0};
    return state;
}

void SignaturePassword::writeLock(const LockState& state) const
{
    WritePrivateFile(lockFile(), std::to_string(state.failures) + " " + std::to_string(state.until) + "\n");
}

std::chrono::system_clock::time_point SignaturePassword::lockedUntil() const
{
    return std::chrono::system_clock::time_point(std::chrono::seconds(readLock().until));
}

SignaturePassword::Check SignaturePassword::check(const std::string& password,
                                                  std::chrono::system_clock::time_point now)
{
    if (!isSet())
        throw SignaturePasswordError(
            Msg("La password di firma non è stata impostata (Strumenti > Opzioni > Firma "
                "elettronica, oppure kestra-cli sign --set-password)."));
    LockState state = readLock();
    if (state.failures >= kSignatureAttempts && state.until == 0) {
        // a damaged lock file: the lock starts now and is kept, so that it also ends
        state.until = seconds(now + kSignatureLock);
        writeLock(state);
    }
    if (state.until > seconds(now)) return Check::Locked;
    if (state.until != 0) state = {};  // the lock has run out
    if (sodium_init() < 0) throw SignaturePasswordError(Msg("Libreria crittografica non disponibile."));
    std::string hash = readSmallFile(passwordFile(), crypto_pwhash_STRBYTES + 2);
    while (!hash.empty() && (hash.back() == '\n' || hash.back() == '\r')) hash.pop_back();
    if (hash.empty() || hash.size() >= crypto_pwhash_STRBYTES)
        throw SignaturePasswordError(
            Msg("Il file %1 non contiene una password valida.", {passwordFile().string()}));
    if (crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0) {
        if (state.failures != 0) writeLock({});
        return Check::Correct;
    }
    ++state.failures;
    const bool locks = state.failures >= kSignatureAttempts;
    if (locks) state.until = seconds(now + kSignatureLock);
    writeLock(state);
    return locks ? Check::NowLocked : Check::Wrong;
}

}  // namespace kestra
