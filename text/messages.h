// The core's user messages in the interface language: the Italian text is the key of its English entry.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kestra {

struct MessageEntry {
    std::string_view italian;
    std::string_view english;
};

// Every entry of the catalogue (message_catalogue.cpp and the parts it gathers).
std::span<const MessageEntry> MessageCatalogue();
// The part for the audit trail, signatures, kestra-cli's help and the self-test (message_catalogue_audit.cpp).
std::span<const MessageEntry> AuditAndCommandLineMessages();

// The message in the interface language. A text with no entry of its own is looked up once more with its
// runs of digits as %1, %2 ... ("la riga 12" finds "la riga %1"), the digits going back as written; a text
// the catalogue does not know stays as given.
std::string Msg(std::string_view italian);
// The template in the interface language with %1 ... %9 replaced, left to right, by args (inserted texts are
// never searched again, so a file name holding "%2" stays as it is).
std::string Msg(std::string_view italianTemplate, std::initializer_list<std::string_view> args);

// The English entry of an Italian text, or nullptr (tests).
const std::string_view* EnglishOf(std::string_view italian);

}  // namespace kestra
