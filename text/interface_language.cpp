// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/interface_language.h"

#include "text/text_helpers.h"

namespace kestra {

namespace {
InterfaceLanguage g_language = InterfaceLanguage::Italian;
}

InterfaceLanguage CurrentInterfaceLanguage()
{
    return g_language;
}

void SetInterfaceLanguage(InterfaceLanguage language)
{
    g_language = language;
}

std::optional<InterfaceLanguage> ParseInterfaceLanguage(std::string_view code)
{
    const std::string_view c = TrimView(code);
    if (EqualsIgnoreCase(c, "it")) return InterfaceLanguage::Italian;
    if (EqualsIgnoreCase(c, "en")) return InterfaceLanguage::English;
    return std::nullopt;
}

const char* InterfaceLanguageCode(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? "en" : "it";
}

InterfaceLanguage ChooseInterfaceLanguage(std::string_view environment, std::string_view stored)
{
    if (const auto fromEnvironment = ParseInterfaceLanguage(environment)) return *fromEnvironment;
    if (const auto fromSettings = ParseInterfaceLanguage(stored)) return *fromSettings;
    return InterfaceLanguage::Italian;
}

}  // namespace kestra
