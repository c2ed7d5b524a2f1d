// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language_setting.h"

#include "app/app_settings.h"
#include "app/data_folders.h"
#include "app/ini_manager.h"

namespace kestra {

std::optional<InterfaceLanguage> StoredInterfaceLanguage(const std::string& iniPath)
{
    try {
        return ParseInterfaceLanguage(IniManager(iniPath, kLanguageSection).getValue(kLanguageKey, "0"));
    } catch (const IniError&) {
        // an empty value chooses nothing; the language is not worth failing the start for
        return std::nullopt;
    }
}

bool StoreInterfaceLanguage(const std::string& iniPath, InterfaceLanguage language)
{
    return IniManager(iniPath, kLanguageSection).setValue(kLanguageKey, InterfaceLanguageCode(language));
}

std::string IniPathOf(const std::string& documentsFolder)
{
    return WithTrailingSlash(documentsFolder) + kDataFolderName + kIniFileName;
}

}  // namespace kestra
