#include "test_support.h"

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
        auto candidate = std::filesystem::temp_directory_path() /
                         ("kestra-test-" + std::to_string(rd()));
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

}  // namespace kestra::test
