// frmLingua: the first start's question "Lingua / Language" on a system whose language is not Italian.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>
#include <string_view>

#include "text/interface_language.h"

class QPushButton;

namespace kestra {

class frmLingua : public QDialog {
    Q_OBJECT
public:
    explicit frmLingua(QWidget* parent = nullptr);

    QPushButton* italianButton() const { return m_italian; }
    QPushButton* englishButton() const { return m_english; }
    // The button pressed; nullopt while none was (the dialog closed with Esc or its close button).
    std::optional<InterfaceLanguage> choice() const { return m_choice; }

private:
    QPushButton* m_italian;
    QPushButton* m_english;
    std::optional<InterfaceLanguage> m_choice;
};

// The question is put only when nothing has chosen yet (neither KESTRA_LANGUAGE nor the configuration file)
// and the system does not speak Italian.
bool ShouldAskInterfaceLanguage(std::string_view environment, std::optional<InterfaceLanguage> stored,
                                bool systemIsItalian);

}  // namespace kestra
