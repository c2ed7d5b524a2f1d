// The user's signature password: stored only as an Argon2id hash (mode 600 in the data folder), checked
// with a lock of five minutes after three wrong passwords in a row.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace kestra {

// The password file cannot be read or written, or holds no usable hash; the message says why (Italian).
class SignaturePasswordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr int kSignatureAttempts = 3;
constexpr std::chrono::minutes kSignatureLock{5};
constexpr const char* kSignaturePasswordFileName = "firma.pwd";
constexpr const char* kSignatureLockFileName = "firma.blocco";
// The shortest password accepted.
constexpr std::size_t kMinSignaturePassword = 8;

class SignaturePassword {
public:
    // Both files live in folder (the trail's folder of the user's data folder).
    explicit SignaturePassword(std::filesystem::path folder);

    bool isSet() const;
    // Replaces the password (Argon2id, libsodium's crypto_pwhash_str), the file written with mode 600.
    // Refuses a password shorter than kMinSignaturePassword. Throws SignaturePasswordError.
    void set(const std::string& password);

    enum class Check { Correct, Wrong, NowLocked, Locked };
    // Checks a password unless signing is locked. The third wrong password in a row locks signing for
    // kSignatureLock (NowLocked); a correct one clears the count. Throws SignaturePasswordError (no
    // password set, files unreadable).
    Check check(const std::string& password,
                std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
    // While locked, when the lock ends.
    std::chrono::system_clock::time_point lockedUntil() const;

    std::filesystem::path passwordFile() const { return m_folder / kSignaturePasswordFileName; }
    std::filesystem::path lockFile() const { return m_folder / kSignatureLockFileName; }

private:
    struct LockState {
        int failures = 0;
        long long until = 0;  // seconds since the epoch; 0 none
    };
    LockState readLock() const;
    void writeLock(const LockState& state) const;

    std::filesystem::path m_folder;
};

// "La password di firma deve avere almeno 8 caratteri.", in the interface language.
std::string ShortSignaturePasswordText();

// Writes bytes to path through a temporary file created with mode 600, flushed and renamed over it.
// Throws SignaturePasswordError.
void WritePrivateFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kestra
