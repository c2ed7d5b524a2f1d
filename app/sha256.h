// SHA-256 (FIPS 180-4) of bytes and of files, for the fingerprints the self-test certificate prints.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestra {

class Sha256 {
public:
    Sha256();
    void update(const void* data, std::size_t size);
    void update(std::string_view text) { update(text.data(), text.size()); }
    // The digest as 64 lower-case hexadecimal digits; the object is spent afterwards.
    std::string hexDigest();

private:
    void block(const std::uint8_t* p);
    std::array<std::uint32_t, 8> m_state;
    std::array<std::uint8_t, 64> m_buffer{};
    std::size_t m_buffered = 0;
    std::uint64_t m_length = 0;
};

std::string Sha256Hex(std::string_view bytes);
// Throws std::runtime_error with an Italian message when the file cannot be read.
std::string Sha256OfFile(const std::filesystem::path& path);

}  // namespace kestra
