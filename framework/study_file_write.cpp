// Replacing a study file without losing the one the user had.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "framework/errors.h"
#include "framework/study_file.h"
#include "text/messages.h"

namespace kestra {

namespace {

constexpr int kMaxLinkHops = 40;  // as the system's own limit for a chain of links

[[noreturn]] void refuse(const std::string& name, const std::string& reason)
{
    throw StudyWriteError(Msg("Impossibile salvare il file %1: %2.", {name, reason}));
}

// The file a chain of symbolic links ends at (the path itself when it is no link, or does not exist yet).
std::filesystem::path followLinks(const std::filesystem::path& path, const std::string& name)
{
    std::filesystem::path target = path;
    for (int hop = 0;; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno == ENOENT) return target;  // a new file, or a link to one still to be made
            refuse(name, SystemErrorText(errno));
        }
        if (!S_ISLNK(st.st_mode)) return target;
        if (hop == kMaxLinkHops) refuse(name, SystemErrorText(ELOOP));
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec) refuse(name, SystemErrorText(ec));
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
}

bool writeAll(int fd, const std::string& contents)
{
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void ReplaceFileSafely(const std::filesystem::path& path, const std::string& contents)
{
    const std::string name = path.string();
    const std::filesystem::path target = followLinks(path, name);

    // an existing file must be one the user could write where it is: rename alone would replace any file
    // of a folder the user may write to, read-only ones included
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) refuse(name, SystemErrorText(errno));
    if (exists) {
        if (S_ISDIR(existing.st_mode)) refuse(name, SystemErrorText(EISDIR));
        if (!S_ISREG(existing.st_mode)) refuse(name, Msg("non è un file normale"));
        const std::string readOnly = Msg(
            "Il file %1 è di sola lettura: usare \"Salva con nome...\" per salvare i dati in un altro file.",
            {name});
        // no write permission for anyone is read-only for the administrator too
        if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) throw StudyWriteError(readOnly);
        const int probe = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0) {
            if (errno == EACCES || errno == EPERM) throw StudyWriteError(readOnly);
            refuse(name, SystemErrorText(errno));
        }
        ::close(probe);
    }

    // a short temporary name, so it fits beside a file name of any allowed length
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / (".kestra-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp");
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            refuse(name, Msg("impossibile creare un file nella cartella %1 (%2)",
                             {folder.string(), SystemErrorText(errno)}));
    }
    if (fd < 0)
        refuse(name, Msg("impossibile creare un file temporaneo nella cartella %1", {folder.string()}));

    const auto discard = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        refuse(name, SystemErrorText(error));
    };
    if (!writeAll(fd, contents)) discard(errno);
    if (exists) {
        // owner and group first: changing them may clear the set-id bits the mode then restores; where the
        // process may not give the file away (an ordinary user) it keeps at least the group if it can
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        // a file system without permissions (a memory stick) refuses this; the data matter more
        (void)::fchmod(fd, existing.st_mode & 07777);
    }
    if (::fsync(fd) != 0) discard(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        refuse(name, SystemErrorText(error));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        refuse(name, SystemErrorText(error));
    }
    // the rename itself reaches the disk only with the folder
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

}  // namespace kestra
