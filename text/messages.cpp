// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/messages.h"

#include <cctype>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/interface_language.h"

namespace kestra {

namespace {

const std::unordered_map<std::string_view, std::string_view>& englishByItalian()
{
    static const auto map = [] {
        std::unordered_map<std::string_view, std::string_view> m;
        for (const MessageEntry& e : MessageCatalogue()) m.emplace(e.italian, e.english);
        return m;
    }();
    return map;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string fill(std::string_view text, const std::vector<std::string_view>& args)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < args.size()) {
                out += args[index];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

const std::string_view* EnglishOf(std::string_view italian)
{
    const auto& map = englishByItalian();
    const auto it = map.find(italian);
    return it == map.end() ? nullptr : &it->second;
}

std::string Msg(std::string_view italian)
{
    if (!InterfaceIsEnglish()) return std::string(italian);
    if (const std::string_view* english = EnglishOf(italian)) return std::string(*english);
    // the digits of a composed text: at most nine runs fit the template's %1 ... %9
    std::string key;
    std::vector<std::string_view> numbers;
    for (std::size_t i = 0; i < italian.size();) {
        if (!isDigit(italian[i])) {
            key += italian[i++];
            continue;
        }
        std::size_t end = i;
        while (end < italian.size() && isDigit(italian[end])) ++end;
        numbers.push_back(italian.substr(i, end - i));
        key += '%';
        key += std::to_string(numbers.size() % 10);
        i = end;
    }
    if (numbers.empty() || numbers.size() > 9) return std::string(italian);
    if (const std::string_view* english = EnglishOf(key)) return fill(*english, numbers);
    return std::string(italian);
}

std::string Msg(std::string_view italianTemplate, std::initializer_list<std::string_view> args)
{
    const std::string_view* english = InterfaceIsEnglish() ? EnglishOf(italianTemplate) : nullptr;
    return fill(english ? *english : italianTemplate, std::vector<std::string_view>(args));
}

}  // namespace kestra
