// SHA-256 (FIPS 180-4) of bytes and of files: the fingerprints of the self-test certificate and the audit
// trail.
#pragma once

#include <sodium.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kestra {

// An incremental SHA-256 over libsodium.
class Sha256 {
public:
    Sha256();
    void update(const void* data, std::size_t size);
    void update(std::string_view text) { update(text.data(), text.size()); }
    // The digest as 64 lower-case hexadecimal digits; the object is spent afterwards.
    std::string hexDigest();

private:
    crypto_hash_sha256_state m_state;
};

std::string Sha256Hex(std::string_view bytes);
// Throws std::runtime_error with an Italian message when the file cannot be read.
std::string Sha256OfFile(const std::filesystem::path& path);

}  // namespace kestra
