// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/app_settings.h"

namespace kestra {

namespace fs = std::filesystem;

namespace {

// user-dirs.dirs is a few lines long; anything bigger is not the desktop's file and is read no further.
constexpr std::size_t kUserDirsMaxBytes = 64 * 1024;

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The value of an XDG_..._DIR line as the shell would read it: quotes removed, \" \\ \$ \` unescaped,
// "$HOME" at the start replaced. Empty when the value is not an absolute folder.
std::string userDirValue(std::string_view raw, const std::string& home)
{
    while (!raw.empty() && (raw.back() == '\r' || raw.back() == ' ' || raw.back() == '\t'))
        raw.remove_suffix(1);
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') raw = raw.substr(1, raw.size() - 2);
    std::string value;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size() &&
            std::string_view("\"\\$`").find(raw[i + 1]) != std::string::npos)
            ++i;
        value += raw[i];
    }
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
        value = home + value.substr(5);
    if (value.empty() || value.front() != '/') return {};
    return withoutTrailingSlashes(value);
}

bool hasTemplateDatabase(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_regular_file(folder / "DB" / kDatabaseFileName, ec);
}

}  // namespace

const char* ProcessEnvironment(const char* name)
{
    return std::getenv(name);
}

std::string HomeFolder(const EnvironmentLookup& env)
{
    if (const char* home = env("HOME"); home && *home) return withoutTrailingSlashes(home);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return withoutTrailingSlashes(found->pw_dir);
    return "/";
}

std::string DesktopDocumentsFolder(const EnvironmentLookup& env)
{
    const std::string home = HomeFolder(env);
    fs::path config = fs::path(home) / ".config";
    if (const char* own = env("XDG_CONFIG_HOME"); own && *own == '/') config = own;

    std::string documents;
    std::ifstream in(config / "user-dirs.dirs", std::ios::binary);
    std::string line;
    std::size_t read = 0;
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
    while (read < kUserDirsMaxBytes && std::getline(in, line)) {
        read += line.size() + 1;
        if (line.rfind(key, 0) != 0) continue;
        // The file is sourced by shells, so a later line overrides an earlier one.
        if (std::string value = userDirValue(std::string_view(line).substr(key.size()), home); !value.empty())
            documents = std::move(value);
    }
    if (!documents.empty()) return documents;
    return home == "/" ? "/Documents" : home + "/Documents";
}

std::string ExecutableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

std::string ProgramDataFolder(const std::string& executableFolder)
{
    const fs::path exe(executableFolder);
    if (hasTemplateDatabase(exe)) return executableFolder;
    // <prefix>/bin/kestra and <prefix>/libexec/kestra/kestra-cli-render share <prefix>/share/kestra.
    for (const fs::path& prefix : {exe.parent_path(), exe.parent_path().parent_path()}) {
        const fs::path shared = prefix / "share" / "kestra";
        if (hasTemplateDatabase(shared)) return shared.string();
    }
    return executableFolder;
}

StartupPaths SystemStartupPaths(const EnvironmentLookup& env)
{
    StartupPaths paths;
    if (const char* own = env("KESTRA_DOCUMENTS"); own && *own) {
        paths.documentsFolder = own;
    } else {
        paths.documentsFolder = DesktopDocumentsFolder(env);
        paths.createDocumentsFolder = true;
    }
    paths.programFolder = ProgramDataFolder(ExecutableFolder());
    return paths;
}

}  // namespace kestra
