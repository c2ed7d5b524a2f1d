// The translations of the interface: the program's English texts, and Qt's own texts (file, print and
// print-setup dialogs, standard buttons) in the interface language.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/interface_language.h"

class QCoreApplication;
class QTranslator;

namespace kestra {

// Loads the qtbase Italian catalogue from Qt's translations folder and installs it; nullptr (and Qt's English
// texts) when the catalogue is not installed. The translator belongs to the application.
QTranslator* InstallQtItalianTranslations(QCoreApplication& application);

// Installs what the language needs: for Italian Qt's Italian texts (the program's texts are Italian already),
// for English the program's English catalogue built into it. False when a needed catalogue could not be
// loaded (the program's own English is built in, so only a broken build gets there).
bool InstallInterfaceTranslations(QCoreApplication& application, InterfaceLanguage language);

// Takes out what InstallInterfaceTranslations put in (tests switch languages).
void RemoveInterfaceTranslations(QCoreApplication& application);

}  // namespace kestra
