// Qt's own Italian texts (file, print and print-setup dialogs, standard buttons) for the whole program.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;
class QTranslator;

namespace kestra {

// Loads the qtbase Italian catalogue from Qt's translations folder and installs it; nullptr (and Qt's English
// texts) when the catalogue is not installed. The translator belongs to the application.
QTranslator* InstallQtItalianTranslations(QCoreApplication& application);

}  // namespace kestra
