// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ini_manager.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "text/messages.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

struct IniText {
    std::vector<std::string> lines;
    bool crlf = false;
};

bool readIni(const std::string& fileName, IniText& out)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // editors may add a UTF-8 mark
    out.crlf = text.find("\r\n") != std::string::npos;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

// Blanks in INI files include tabs and stray CRs.
std::string trimAll(std::string_view s)
{
    const char* blanks = " \t\r\n";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(blanks);
    return std::string(s.substr(first, last - first + 1));
}

// The section name of a "[name]" line, or nothing.
bool sectionName(const std::string& line, std::string& name)
{
    const std::string t = trimAll(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const auto close = t.find(']');
    if (close == std::string::npos) return false;
    name = trimAll(std::string_view(t).substr(1, close - 1));
    return true;
}

bool isComment(const std::string& line)
{
    const std::string t = trimAll(line);
    return !t.empty() && t.front() == ';';
}

// Splits "key = value"; a line without "=" is a key with an empty value, as the profile functions read it.
void splitKey(const std::string& line, std::string& key, std::string& value)
{
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
        key = trimAll(line);
        value.clear();
        return;
    }
    key = trimAll(std::string_view(line).substr(0, eq));
    value = trimAll(std::string_view(line).substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
}

// Index of the section header line, or -1.
int findSection(const IniText& ini, const std::string& section)
{
    std::string name;
    for (std::size_t i = 0; i < ini.lines.size(); ++i)
        if (sectionName(ini.lines[i], name) && EqualsIgnoreCase(name, section)) return static_cast<int>(i);
    return -1;
}

// One past the last line of the section that starts at header.
std::size_t sectionEnd(const IniText& ini, int header)
{
    std::string name;
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < ini.lines.size() && !sectionName(ini.lines[i], name)) ++i;
    return i;
}

int findKey(const IniText& ini, int header, const std::string& key)
{
    const std::size_t end = sectionEnd(ini, header);
    std::string k, v;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        if (trimAll(ini.lines[i]).empty() || isComment(ini.lines[i])) continue;
        splitKey(ini.lines[i], k, v);
        if (EqualsIgnoreCase(k, key)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

IniManager::IniManager(std::string fileName, std::string applicationKey)
{
    setFileName(fileName);
    setApplicationKey(applicationKey);
}

void IniManager::setFileName(const std::string& fileName)
{
    m_fileName = trimAll(fileName);
}

void IniManager::setApplicationKey(const std::string& key)
{
    m_applicationKey = trimAll(key);
}

std::string IniManager::getValue(const std::string& key, const std::string& defaultValue) const
{
    std::string result = defaultValue;
    IniText ini;
    if (readIni(m_fileName, ini)) {
        const int header = findSection(ini, m_applicationKey);
        if (header >= 0) {
            const int line = findKey(ini, header, trimAll(key));
            if (line >= 0) {
                std::string k;
                splitKey(ini.lines[static_cast<std::size_t>(line)], k, result);
            }
        }
    }
    if (result.empty())
        throw IniError(kIniReadError, "Ini Manager Class",
                       Msg("Errore nella lettura della chiave %1", {key}));
    std::string cleaned;
    for (char c : trimAll(result))
        if (static_cast<unsigned char>(c) >= 32) cleaned.push_back(c);
    return cleaned;
}

bool IniManager::setValue(const std::string& key, const std::string& value) const
{
    if (m_fileName.empty()) return false;
    IniText ini;
    const bool existed = readIni(m_fileName, ini);
    if (!existed) {
        std::error_code ec;
        if (std::filesystem::exists(m_fileName, ec)) return false;  // there but unreadable
    }
    const std::string k = trimAll(key);
    const std::string entry = k + "=" + value;
    int header = findSection(ini, m_applicationKey);
    if (header < 0) {
        while (!ini.lines.empty() && trimAll(ini.lines.back()).empty()) ini.lines.pop_back();
        ini.lines.push_back("[" + m_applicationKey + "]");
        ini.lines.push_back(entry);
    } else if (const int line = findKey(ini, header, k); line >= 0) {
        // The key keeps the spelling the file already gives it.
        std::string existing, oldValue;
        splitKey(ini.lines[static_cast<std::size_t>(line)], existing, oldValue);
        ini.lines[static_cast<std::size_t>(line)] = existing + "=" + value;
    } else {
        // After the last non-blank line of the section, so a blank separator line stays below it.
        std::size_t at = sectionEnd(ini, header);
        while (at > static_cast<std::size_t>(header) + 1 && trimAll(ini.lines[at - 1]).empty()) --at;
        ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    }

    const std::string eol = ini.crlf ? "\r\n" : "\n";
    const std::filesystem::path target(m_fileName);
    std::filesystem::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        for (const auto& l : ini.lines) out << l << eol;
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace kestra
