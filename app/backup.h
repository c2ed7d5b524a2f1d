// The backup of the study files: every file of the study-file folder copied into the backup folder.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestra {

struct BackupReport {
    int copied = 0;
    // One line per file (or folder) that could not be copied: "<name>: <reason>".
    std::vector<std::string> failures;
    bool ok() const { return failures.empty(); }
};

// Copies the plain files of sourceFolder (subfolders are skipped) into backupFolder under the same names,
// replacing older copies. A file that fails is listed and the others are still copied; each copy goes
// through a temporary name so a failed copy leaves the older backup intact. betweenFiles runs after each
// file (the screen lets pending events through there).
BackupReport BackupStudyFiles(const std::string& sourceFolder, const std::string& backupFolder,
                              const std::function<void()>& betweenFiles = {});

// The message listing the failed files, shown after the backup.
std::string BackupFailureText(const BackupReport& report);

constexpr const char* kBackupDoneMessage = "Backup completato";

}  // namespace kestra
