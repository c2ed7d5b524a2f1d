// Where the program looks for things: the user's documents folder and the folder of the program's own data.
// The desktop program and kestra-cli both ask here, so they always work on the same data folder.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "app/startup_config.h"

namespace kestra {

// Reads one environment variable; nullptr when it is not set. Tests pass their own.
using EnvironmentLookup = std::function<const char*(const char*)>;
const char* ProcessEnvironment(const char* name);

// The user's home folder: $HOME, else the account's home from the password database.
std::string HomeFolder(const EnvironmentLookup& env = ProcessEnvironment);

// The desktop's documents folder: XDG_DOCUMENTS_DIR in $XDG_CONFIG_HOME/user-dirs.dirs (the file the
// desktop's user-folders tool writes; the last line wins, "$HOME" at the start stands for the home folder),
// else $HOME/Documents. Values that are empty or relative are ignored as the freedesktop rules ask. No
// trailing "/".
std::string DesktopDocumentsFolder(const EnvironmentLookup& env = ProcessEnvironment);

// The folder that holds the running executable.
std::string ExecutableFolder();

// The folder of the program's data (DB/KESTRA73.MDB, the help documents) for an executable in
// executableFolder: the folder itself in a build tree, <prefix>/share/kestra for <prefix>/bin or
// <prefix>/libexec/kestra in an installed tree. The executable's folder when neither holds the database, so
// the start-up's message names the place it was looked for.
std::string ProgramDataFolder(const std::string& executableFolder);

// The paths the start-up works with for this user and this program: KESTRA_DOCUMENTS when set (tests,
// portable use; it must exist), else the desktop's documents folder, which the start-up creates when missing.
StartupPaths SystemStartupPaths(const EnvironmentLookup& env = ProcessEnvironment);

}  // namespace kestra
