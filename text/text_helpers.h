// String helpers: placeholder filling, centring and padding, folder parents, UTF-8 aware cutting and
// trimming.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kestra {

// Replaces every occurrence of find, left to right, continuing after each inserted replacement.
std::string ReplacePlaceholder(std::string_view text, std::string_view find, std::string_view replacement);

struct PlaceholderValue {
    std::string_view find;
    std::string_view replacement;
};
// Fills a template once, left to right: what is inserted for one placeholder is never searched again, so a
// user's text holding "#2#" stays as typed.
std::string ReplacePlaceholder(std::string_view text, std::initializer_list<PlaceholderValue> values);

// Centres text in blanks to width characters; an odd remainder goes to the right.
std::string CentreText(std::string_view text, int width);

// Right-aligns text in width characters by putting fill characters in front of it.
std::string PadLeft(std::string_view text, int width, char fill);

// The folder that contains a folder path ("/a/b" or "/a/b/" give "/a").
std::string ParentFolder(std::string_view folder);

// Characters (code points) of a UTF-8 text.
std::size_t Utf8Length(std::string_view text);
// The first n characters of a UTF-8 text (never cuts a character in half).
std::string Utf8Left(std::string_view text, std::size_t n);
// Leading and trailing blanks (space and tab) removed.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

// A text as messages quote it: in double quotes, control characters and broken bytes shown as "?", cut to
// at most maxChars characters (the cut ends in "...").
std::string QuoteExcerpt(std::string_view text, std::size_t maxChars = 40);

// "di" joined to an Italian noun phrase: "la misura 5" -> "della misura 5", "il campione" -> "del campione".
std::string ItalianDi(std::string_view phrase);

// True when text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// Converts Windows-1252 bytes to UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

// ASCII case-insensitive comparison (file extensions, INI keys).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace kestra
