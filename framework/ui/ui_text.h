// The program's own screen texts in the interface language: Ui::tr("Italian text") (one context, "Kestra").
#pragma once

#include <QCoreApplication>
#include <QString>

#include "framework/report_records.h"
#include "text/interface_language.h"

namespace kestra {

// The Italian text is the source; translations/kestra_en.ts holds its English.
struct Ui {
    Q_DECLARE_TR_FUNCTIONS(Kestra)
};

// Where the core offers a text in both languages (extended statistics, dossier verdicts), the screen shows
// the interface's.
inline Language ScreenLanguage()
{
    return InterfaceIsEnglish() ? Language::English : Language::Italian;
}

}  // namespace kestra
