// Who is at the keyboard: the operating system's login, the full name of the account and the host.
#pragma once

#include <string>

namespace kestra {

struct UserIdentity {
    std::string login;
    std::string fullName;  // the account's GECOS name, else the login
    std::string host;
};

// The identity of the process's real user (never a name the user could type).
UserIdentity CurrentUserIdentity();
// The full name in a GECOS field: the text before the first comma, trimmed; the login when that is empty.
std::string FullNameFromGecos(const std::string& gecos, const std::string& login);

}  // namespace kestra
