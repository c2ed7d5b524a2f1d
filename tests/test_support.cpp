// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_support.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <stdexcept>

namespace kestra::test {

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("kestra-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

namespace {

// scripts/fuzz seeds its fuzzers with the study files the tests wrote: with KESTRA_FUZZ_SEEDS set, every
// study file left in a scratch folder is copied to <seeds>/<extension>/ before the folder goes.
void keepStudyFilesAsSeeds(const std::filesystem::path& folder)
{
    const char* seeds = std::getenv("KESTRA_FUZZ_SEEDS");
    if (!seeds || !*seeds) return;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string extension = it->path().extension().string();
        for (char& ch : extension) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        static const std::string kinds[] = {".LIM", ".PRE", ".TAR", ".ACC", ".SPC", ".PRI", ".RIP"};
        if (std::find(std::begin(kinds), std::end(kinds), extension) == std::end(kinds)) continue;
        const std::filesystem::path to = std::filesystem::path(seeds) / extension.substr(1);
        std::filesystem::create_directories(to, ec);
        const std::string bytes = readFile(it->path());
        writeFile(to / (std::to_string(std::hash<std::string>{}(bytes)) + extension), bytes);
    }
}

}  // namespace

TempDir::~TempDir()
{
    keepStudyFilesAsSeeds(m_path);
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

std::string runUnprivileged(const std::function<std::string()>& fn)
{
    if (!runningAsRoot()) return fn();
    int fds[2];
    if (::pipe(fds) != 0) return "CHILD FAILED";
    const pid_t pid = ::fork();
    if (pid < 0) return "CHILD FAILED";
    if (pid == 0) {
        ::close(fds[0]);
        std::string result = "CHILD FAILED";
        if (::setgroups(0, nullptr) == 0 && ::setgid(kUnprivilegedId) == 0 &&
            ::setuid(kUnprivilegedId) == 0) {
            try {
                result = fn();
            } catch (const std::exception& e) {
                result = std::string("EXCEPTION ") + e.what();
            }
        }
        std::size_t done = 0;
        while (done < result.size()) {
            const ssize_t n = ::write(fds[1], result.data() + done, result.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
        ::_exit(0);  // no destructors: the parent owns the test's folders
    }
    ::close(fds[1]);
    std::string result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0 && result.size() < 65536)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return result;
}

}  // namespace kestra::test
