// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/data_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "framework/errors.h"
#include "text/messages.h"
#include "text/text_helpers.h"

namespace kestra {

namespace fs = std::filesystem;

unsigned AccessCheck(const std::string& path, unsigned requested)
{
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec) || ec) return kRightsUnknown;
    unsigned granted = 0;
    const bool isFolder = fs::is_directory(path, ec);
    if ((requested & kRightRead) && ::access(path.c_str(), R_OK) == 0) granted |= kRightRead;
    if ((requested & kRightWrite) && ::access(path.c_str(), W_OK) == 0) granted |= kRightWrite;
    // Entering only means something for a folder; a file never grants it.
    if ((requested & kRightEnter) && isFolder && ::access(path.c_str(), X_OK) == 0) granted |= kRightEnter;
    return granted;
}

bool HasFolderRights(const std::string& folder)
{
    return AccessCheck(folder, kFolderRights) == kFolderRights;
}

bool CanWriteFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec) && AccessCheck(path, kRightWrite) == kRightWrite;
}

std::string WithTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder != "/") folder.push_back('/');
    return folder;
}

std::string UnexpectedErrorText(const std::string& routine, const std::error_code& error,
                                const std::string& path)
{
    int number = error.value();
    std::string description = SystemErrorText(error);
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        switch (error.value()) {
            case ENOENT:
            case ENOTDIR:
                number = 76;
                description = Msg("Impossibile trovare il percorso");
                break;
            case EACCES:
            case EPERM:
            case EROFS:
                number = 70;
                description = Msg("Permesso negato");
                break;
            case EEXIST:
                number = 58;
                description = Msg("File già esistente");
                break;
            case ENOSPC:
                number = 61;
                description = Msg("Disco pieno");
                break;
            default:
                break;
        }
    }
    std::string text =
        Msg("Errore %1 nella procedura DEFINE.%2.", {std::to_string(number), routine}) + "\n\n" + description;
    if (!path.empty()) text += ": " + path;
    return text;
}

bool CreaCartella(const std::string& folder, unsigned rights, const MessageSink& show)
{
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    const std::string parent = ParentFolder(folder);
    // A parent that is there but closed to us is a rights problem; a missing parent is left to mkdir,
    // which reports it as the path-not-found error.
    if (!parent.empty() && fs::is_directory(parent, ec) && AccessCheck(parent, rights) != rights) {
        show({ShellMessage::Icon::Critical,
              Msg("Permessi insufficienti per creare la cartella %1", {folder})});
        return false;
    }
    std::string target = folder;
    while (target.size() > 1 && target.back() == '/') target.pop_back();
    if (::mkdir(target.c_str(), 0777) != 0 && errno != EEXIST) {
        show({ShellMessage::Icon::Critical,
              UnexpectedErrorText("CreaCartella", {errno, std::generic_category()}, folder)});
        return false;
    }
    if (!fs::is_directory(folder, ec)) {
        // Something other than a folder already holds the name.
        show({ShellMessage::Icon::Critical,
              UnexpectedErrorText("CreaCartella", {EEXIST, std::generic_category()}, folder)});
        return false;
    }
    return true;
}

bool VerificaCartella(const std::string& folder, unsigned rights, const MessageSink& show)
{
    if (AccessCheck(folder, rights) != rights) {
        show({ShellMessage::Icon::Critical, Msg("Permessi insufficienti per la cartella %1", {folder})});
        return false;
    }
    return true;
}

}  // namespace kestra
