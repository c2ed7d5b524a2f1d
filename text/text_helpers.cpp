// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_helpers.h"

#include <array>
#include <cctype>

namespace kestra {

std::string ReplacePlaceholder(std::string_view text, std::string_view find, std::string_view replacement)
{
    std::string result(text);
    if (find.empty() || find == replacement) return result;
    std::size_t pos = 0;
    while ((pos = result.find(find, pos)) != std::string::npos) {
        result.replace(pos, find.size(), replacement);
        pos += replacement.size();
    }
    return result;
}

std::string ReplacePlaceholder(std::string_view text, std::initializer_list<PlaceholderValue> values)
{
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const PlaceholderValue* match = nullptr;
        for (const PlaceholderValue& v : values) {
            if (!v.find.empty() && text.substr(pos, v.find.size()) == v.find) {
                match = &v;
                break;
            }
        }
        if (match) {
            result += match->replacement;
            pos += match->find.size();
        } else {
            result += text[pos++];
        }
    }
    return result;
}

std::string CentreText(std::string_view text, int width)
{
    const int length = static_cast<int>(Utf8Length(text));
    if (length >= width) return std::string(text);
    const int pad = (width - length) / 2;
    std::string result(static_cast<std::size_t>(pad), ' ');
    result += text;
    result.append(static_cast<std::size_t>(pad), ' ');
    if (length + 2 * pad < width) result += ' ';
    return result;
}

std::string PadLeft(std::string_view text, int width, char fill)
{
    const int length = static_cast<int>(Utf8Length(text));
    if (length >= width) return std::string(text);
    std::string result(static_cast<std::size_t>(width - length), fill);
    result += text;
    return result;
}

std::string ParentFolder(std::string_view folder)
{
    std::string_view path = folder;
    if (!path.empty() && path.back() == '/') path.remove_suffix(1);
    if (path.empty()) return {};
    const std::size_t pos = path.substr(0, path.size() - 1).rfind('/');
    if (pos == std::string_view::npos) return {};
    // the root has no name before its separator: keep the separator so the result stays a folder
    if (pos == 0) return "/";
    return std::string(path.substr(0, pos));
}

std::size_t Utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++count;
    return count;
}

std::string Utf8Left(std::string_view text, std::size_t n)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {
            if (chars == n) return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

std::string_view TrimView(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

std::string Trim(std::string_view text)
{
    return std::string(TrimView(text));
}

std::string QuoteExcerpt(std::string_view text, std::size_t maxChars)
{
    // a cut text keeps room for the "..." that marks the cut
    const std::size_t room = maxChars > 3 ? maxChars - 3 : 0;
    std::string chars;
    std::size_t count = 0;
    std::size_t bytesAtRoom = 0;
    std::size_t i = 0;
    while (i < text.size() && count <= maxChars) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        bool shownAsQuestionMark = c < 0x20 || c == 0x7F;
        if (c >= 0x80) {
            length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
            if (length == 1 || i + length > text.size() || !IsValidUtf8(text.substr(i, length))) {
                length = 1;  // a broken byte
                shownAsQuestionMark = true;
            } else if (length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
                shownAsQuestionMark = true;  // the control characters U+0080..U+009F
            }
        }
        if (shownAsQuestionMark)
            chars += '?';
        else
            chars.append(text.substr(i, length));
        i += length;
        if (++count == room) bytesAtRoom = chars.size();
    }
    if (count > maxChars) {
        chars.resize(bytesAtRoom);
        chars += "...";
    }
    return "\"" + chars + "\"";
}

std::string ItalianDi(std::string_view phrase)
{
    static constexpr std::pair<std::string_view, std::string_view> kArticles[] = {
        {"il ", "del "}, {"lo ", "dello "},  {"la ", "della "}, {"l'", "dell'"},
        {"i ", "dei "},  {"gli ", "degli "}, {"le ", "delle "}};
    for (const auto& [article, joined] : kArticles)
        if (phrase.substr(0, article.size()) == article)
            return std::string(joined) + std::string(phrase.substr(article.size()));
    return "di " + std::string(phrase);
}

bool IsValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = 0;
        unsigned int cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // overlong forms, surrogates and values beyond Unicode are not UTF-8
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

namespace {

void appendUtf8(std::string& out, unsigned int cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Code points of bytes 0x80..0x9F in Windows-1252; the five undefined bytes map to themselves.
constexpr std::array<unsigned short, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c <= 0x9F)
            appendUtf8(out, kCp1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace kestra
