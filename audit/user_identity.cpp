#include "audit/user_identity.h"

#include <pwd.h>
#include <unistd.h>

#include <array>

namespace kestra {

std::string FullNameFromGecos(const std::string& gecos, const std::string& login)
{
    std::string name = gecos.substr(0, gecos.find(','));
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return login;
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    return name;
}

UserIdentity CurrentUserIdentity()
{
    UserIdentity who;
    const uid_t uid = ::getuid();
    std::array<char, 16384> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        who.login = found->pw_name ? found->pw_name : "";
        who.fullName = FullNameFromGecos(found->pw_gecos ? found->pw_gecos : "", who.login);
    }
    // an account missing from the password database is still named, by its number
    if (who.login.empty()) who.login = who.fullName = "uid " + std::to_string(uid);
    std::array<char, 256> host{};
    if (::gethostname(host.data(), host.size() - 1) == 0) who.host = host.data();
    return who;
}

}  // namespace kestra
