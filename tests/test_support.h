// Helpers shared by the tests: a scratch folder removed at the end of the test.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace kestra::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& bytes);

// The user id the unprivileged runs take (nobody).
constexpr unsigned kUnprivilegedId = 65534;
// Runs fn as an ordinary user, so permission checks apply that root would bypass: in a child process that
// drops to kUnprivilegedId when the tests run as root, in this process otherwise. Returns what fn returned
// (at most 64 KiB), or "CHILD FAILED" when the child could not run it.
std::string runUnprivileged(const std::function<std::string()>& fn);
bool runningAsRoot();

}  // namespace kestra::test
