// Qt's own texts in Italian: standard buttons, the file dialog, the overwrite question, the print dialogs.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/qt_translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

namespace kestra {
namespace {

TEST(QtTranslations, StandardButtonsAndQtDialogsSpeakItalian)
{
    QTranslator* translator = InstallQtItalianTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "qtbase_it.qm of qt6-translations-l10n not found (scripts/deps)";
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save | QDialogButtonBox::Close);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Annulla");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), "Salva");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Close)->text(), "Chiudi");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Cerca in:");
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?"),
              "%1 already exists.\nDo you want to replace it?");
    EXPECT_NE(QCoreApplication::translate("QPrintDialog", "Print"), "Print");
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
}

}  // namespace
}  // namespace kestra
