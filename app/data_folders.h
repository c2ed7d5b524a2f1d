// Creation and verification of the data folders with the POSIX access check, and the messages they show.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <system_error>

namespace kestra {

// A message the shell routines want shown; the screen layer turns it into a message box titled with the
// application title.
struct ShellMessage {
    enum class Icon { None, Information, Warning, Critical };
    Icon icon = Icon::Critical;
    std::string text;
};
using MessageSink = std::function<void(const ShellMessage&)>;

// Rights asked of a data folder: the user must be able to list it, create and remove files in it and enter
// it.
enum FolderRight : unsigned { kRightRead = 1, kRightWrite = 2, kRightEnter = 4 };
constexpr unsigned kFolderRights = kRightRead | kRightWrite | kRightEnter;
constexpr unsigned kRightsUnknown = ~0u;

// The requested rights the current user holds on path; kRightsUnknown when the path cannot be examined
// (it does not exist, for example), which never equals a request, so the caller's check fails.
unsigned AccessCheck(const std::string& path, unsigned requested);
bool HasFolderRights(const std::string& folder);
bool CanWriteFile(const std::string& path);

// A folder path with exactly one trailing "/".
std::string WithTrailingSlash(std::string folder);

// "Errore <n> nella procedura DEFINE.<routine>." then two line breaks, the system's description and, when
// given, ": " and the path it concerns. Common faults carry the classic numbers users and old notes know (76
// path not found, 70 permission denied, 61 disk full); others carry the system's own number.
std::string UnexpectedErrorText(const std::string& routine, const std::error_code& error,
                                const std::string& path = {});

// Creates the last level of folder when missing. When the parent exists but lacks the rights, shows
// "Permessi insufficienti per creare la cartella <folder>"; other faults (a missing parent, say) show the
// unexpected-error text of routine "CreaCartella" naming the folder. Returns whether the folder exists
// afterwards.
bool CreaCartella(const std::string& folder, unsigned rights, const MessageSink& show);
// Shows "Permessi insufficienti per la cartella <folder>" and fails when the rights are not all held.
bool VerificaCartella(const std::string& folder, unsigned rights, const MessageSink& show);

}  // namespace kestra
