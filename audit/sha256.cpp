// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/sha256.h"
#include "text/messages.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace kestra {

Sha256::Sha256()
{
    // libsodium asks for its initialisation before any use; it is cheap after the first call
    if (sodium_init() < 0) throw std::runtime_error(Msg("impossibile inizializzare la libreria crittografica"));
    crypto_hash_sha256_init(&m_state);
}

void Sha256::update(const void* data, std::size_t size)
{
    crypto_hash_sha256_update(&m_state, static_cast<const unsigned char*>(data), size);
}

std::string Sha256::hexDigest()
{
    std::array<unsigned char, crypto_hash_sha256_BYTES> digest{};
    crypto_hash_sha256_final(&m_state, digest.data());
    std::array<char, crypto_hash_sha256_BYTES * 2 + 1> hex{};
    sodium_bin2hex(hex.data(), hex.size(), digest.data(), digest.size());
    return std::string(hex.data(), crypto_hash_sha256_BYTES * 2);
}

std::string Sha256Hex(std::string_view bytes)
{
    Sha256 hash;
    hash.update(bytes);
    return hash.hexDigest();
}

std::string Sha256OfFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(Msg("impossibile leggere %1", {path.string()}));
    Sha256 hash;
    std::vector<char> buffer(1 << 16);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (in.gcount() > 0) hash.update(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) throw std::runtime_error(Msg("lettura non riuscita di %1", {path.string()}));
    return hash.hexDigest();
}

}  // namespace kestra
