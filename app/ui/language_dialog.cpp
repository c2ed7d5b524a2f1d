// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/language_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "framework/ui/fixed_dialog.h"

namespace kestra {

// Both languages side by side: the reader may know either.
frmLingua::frmLingua(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLingua"));
    setWindowTitle(QStringLiteral("Lingua / Language"));
    SetFixedDialogFrame(*this);
    setModal(true);
    auto* text = new QLabel(QStringLiteral("Scegliere la lingua dell'interfaccia.\n"
                                           "Choose the language of the user interface.\n\n"
                                           "File > Opzioni la cambia in seguito / "
                                           "File > Options changes it later."),
                            this);
    m_italian = new QPushButton(QStringLiteral("&Italiano"), this);
    m_italian->setObjectName(QStringLiteral("Italiano"));
    m_english = new QPushButton(QStringLiteral("&English"), this);
    m_english->setObjectName(QStringLiteral("English"));
    m_english->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_italian);
    buttons->addWidget(m_english);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    connect(m_italian, &QPushButton::clicked, this, [this] {
        m_choice = InterfaceLanguage::Italian;
        accept();
    });
    connect(m_english, &QPushButton::clicked, this, [this] {
        m_choice = InterfaceLanguage::English;
        accept();
    });
    m_english->setFocus(Qt::OtherFocusReason);
}

bool ShouldAskInterfaceLanguage(std::string_view environment, std::optional<InterfaceLanguage> stored,
                                bool systemIsItalian)
{
    return !ParseInterfaceLanguage(environment) && !stored && !systemIsItalian;
}

}  // namespace kestra
