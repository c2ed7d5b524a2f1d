// What the language tests read off the screen: every text a widget tree shows, and the program's Italian and
// English texts (translations/kestra_en.ts and the core's message catalogue) to tell which language it is.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <map>

namespace kestra::test {

// Every text a user can see in the tree: titles, labels, buttons, group boxes, tabs, menus and their
// actions, tool tips, table headers and cells, combo items. "&" mnemonics removed.
QStringList VisibleTexts(const QWidget& root);

// Italian source -> English translation, mnemonics removed, of every text whose two languages differ.
const std::map<QString, QString>& ItalianToEnglish();

// The texts of `texts` that are a known Italian text (English == false) or a known English translation
// (English == true), for an interface meant to be in the other language.
QStringList TextsInTheWrongLanguage(const QStringList& texts, bool lookForEnglish);

}  // namespace kestra::test
