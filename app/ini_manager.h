// IniManager: one section of an INI-style configuration file, read and written like the Windows profile
// functions.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace kestra {

// A configuration read fault; number() is 1025 for a key that is present but empty (or absent with an
// empty default), source() is "Ini Manager Class".
class IniError : public std::runtime_error {
public:
    IniError(int number, std::string source, const std::string& description)
        : std::runtime_error(description), m_number(number), m_source(std::move(source))
    {
    }
    int number() const { return m_number; }
    const std::string& source() const { return m_source; }

private:
    int m_number;
    std::string m_source;
};

// Sections and keys match without regard to letter case; blanks around names and values are ignored;
// a value wrapped in one pair of matching quotes loses them. Lines may end in LF or CR LF, and a
// rewritten file keeps the ending it had.
class IniManager {
public:
    IniManager() = default;
    IniManager(std::string fileName, std::string applicationKey);

    const std::string& fileName() const { return m_fileName; }
    void setFileName(const std::string& fileName);  // stored trimmed
    const std::string& applicationKey() const { return m_applicationKey; }
    void setApplicationKey(const std::string& key);  // stored trimmed

    // The value of key in the section, or defaultValue when the key (or the file) is absent.
    // Throws IniError 1025 "Errore nella lettura della chiave <key>" when the result is empty.
    std::string getValue(const std::string& key, const std::string& defaultValue) const;
    // Writes key=value into the section, adding the section and the key when missing, and replaces the
    // file atomically. False when the file cannot be written.
    bool setValue(const std::string& key, const std::string& value) const;

private:
    std::string m_fileName;
    std::string m_applicationKey;
};

constexpr int kIniReadError = 1025;

}  // namespace kestra
