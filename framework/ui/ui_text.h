// The program's own screen texts in the interface language: Ui::tr("Italian text") (one context, "Kestra").
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include "framework/report_records.h"
#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra {

// The Italian text is the source; translations/kestra_en.ts holds its English.
struct Ui {
    Q_DECLARE_TR_FUNCTIONS(Kestra)
};

// A caption the core keeps in Italian for its reports (grid headings, table rows, judgements), shown on the
// screen in the interface language.
inline QString ScreenText(const std::string& italian)
{
    return QString::fromStdString(Msg(italian));
}

// Where the core offers a text in both languages (extended statistics, dossier verdicts), the screen shows
// the interface's.
inline Language ScreenLanguage()
{
    return InterfaceIsEnglish() ? Language::English : Language::Italian;
}

}  // namespace kestra
