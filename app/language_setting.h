// The interface language kept in the configuration file ("Lingua" of section "Parametri").
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "text/interface_language.h"

namespace kestra {

constexpr const char* kLanguageSection = "Parametri";
constexpr const char* kLanguageKey = "Lingua";

// The language stored in the configuration file; nullopt when the file, the key or a known value is missing
// (never chosen, or a value written by hand that names no language).
std::optional<InterfaceLanguage> StoredInterfaceLanguage(const std::string& iniPath);
// Writes the choice; false when the file cannot be written.
bool StoreInterfaceLanguage(const std::string& iniPath, InterfaceLanguage language);

// The configuration file of a documents folder, before the start-up has made anything there.
std::string IniPathOf(const std::string& documentsFolder);

}  // namespace kestra
