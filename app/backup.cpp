// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backup.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "framework/errors.h"
#include "text/messages.h"

namespace kestra {

namespace fs = std::filesystem;

BackupReport BackupStudyFiles(const std::string& sourceFolder, const std::string& backupFolder,
                              const std::function<void()>& betweenFiles)
{
    BackupReport report;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(sourceFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) files.push_back(it->path());
    }
    if (ec) {
        report.failures.push_back(sourceFolder + ": " + SystemErrorText(ec));
        return report;
    }
    if (!fs::is_directory(backupFolder, ec)) {
        report.failures.push_back(backupFolder + ": " + SystemErrorText(ENOENT));
        return report;
    }
    std::sort(files.begin(), files.end());

    for (const auto& file : files) {
        const fs::path target = fs::path(backupFolder) / file.filename();
        fs::path temp = target;
        temp += ".kestra-tmp";
        std::error_code copyError;
        fs::copy_file(file, temp, fs::copy_options::overwrite_existing, copyError);
        if (!copyError) fs::rename(temp, target, copyError);
        if (copyError) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            report.failures.push_back(file.filename().string() + ": " + SystemErrorText(copyError));
        } else {
            ++report.copied;
        }
        if (betweenFiles) betweenFiles();
    }
    return report;
}

std::string BackupFailureText(const BackupReport& report)
{
    std::string text = Msg("Non è stato possibile copiare nel backup:");
    for (const auto& f : report.failures) text += "\n" + f;
    return text;
}

}  // namespace kestra
