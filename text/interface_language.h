// The language of the user interface (windows, messages, the command line's standard error), set once per
// run.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace kestra {

enum class InterfaceLanguage { Italian, English };

// Italian until the program or a test sets another.
InterfaceLanguage CurrentInterfaceLanguage();
void SetInterfaceLanguage(InterfaceLanguage language);
inline bool InterfaceIsEnglish()
{
    return CurrentInterfaceLanguage() == InterfaceLanguage::English;
}

// "it" / "en" (any letter case, blanks around ignored); nullopt for anything else.
std::optional<InterfaceLanguage> ParseInterfaceLanguage(std::string_view code);
// "it" or "en": what the configuration file and KESTRA_LANGUAGE hold.
const char* InterfaceLanguageCode(InterfaceLanguage language);

// The language of this run: KESTRA_LANGUAGE when it names one, else the stored setting when it names one,
// else Italian. environment and stored are the texts as found (empty when absent).
InterfaceLanguage ChooseInterfaceLanguage(std::string_view environment, std::string_view stored);

// Sets the language for the life of a scope and puts the previous one back (tests, one-off texts).
class ScopedInterfaceLanguage {
public:
    explicit ScopedInterfaceLanguage(InterfaceLanguage language) : m_previous(CurrentInterfaceLanguage())
    {
        SetInterfaceLanguage(language);
    }
    ~ScopedInterfaceLanguage() { SetInterfaceLanguage(m_previous); }
    ScopedInterfaceLanguage(const ScopedInterfaceLanguage&) = delete;
    ScopedInterfaceLanguage& operator=(const ScopedInterfaceLanguage&) = delete;

private:
    InterfaceLanguage m_previous;
};

}  // namespace kestra
