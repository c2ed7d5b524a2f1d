// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/signature_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "audit/user_identity.h"
#include "framework/ui/ui_text.h"
#include "text/interface_language.h"

namespace kestra {

SignatureDialog::SignatureDialog(const QString& document, const UserIdentity& signer, const QString& validity,
                                 QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Ui::tr("Firma elettronica"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(Ui::tr("Firma elettronica di %1").arg(document), this);
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    if (!validity.isEmpty()) {
        auto* existing = new QLabel(validity, this);
        existing->setObjectName(QStringLiteral("FirmePresenti"));
        existing->setTextFormat(Qt::PlainText);
        existing->setWordWrap(true);
        layout->addWidget(existing);
    }

    auto* form = new QFormLayout;
    // the signer is the account at the keyboard: shown, never typed
    auto* who = new QLineEdit(QString::fromStdString(signer.fullName + " (" + signer.login + ")"), this);
    who->setObjectName(QStringLiteral("Firmatario"));
    who->setReadOnly(true);
    who->setFocusPolicy(Qt::NoFocus);
    form->addRow(Ui::tr("Firmatario:"), who);
    m_meaning = new QComboBox(this);
    m_meaning->setObjectName(QStringLiteral("Significato"));
    for (const SignatureMeaning& m : SignatureMeanings())
        m_meaning->addItem(QString::fromUtf8(InterfaceIsEnglish() ? m.english : m.italian),
                           QString::fromLatin1(m.key));
    auto* meaningLabel = new QLabel(Ui::tr("&Significato:"), this);
    meaningLabel->setBuddy(m_meaning);
    form->addRow(meaningLabel, m_meaning);
    m_comment = new QLineEdit(this);
    m_comment->setObjectName(QStringLiteral("Commento"));
    m_comment->setMaxLength(500);
    auto* commentLabel = new QLabel(Ui::tr("&Commento:"), this);
    commentLabel->setBuddy(m_comment);
    form->addRow(commentLabel, m_comment);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("PasswordFirma"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* passwordLabel = new QLabel(Ui::tr("&Password di firma:"), this);
    passwordLabel->setBuddy(m_password);
    form->addRow(passwordLabel, m_password);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(Ui::tr("&Firma"));
    ok->setEnabled(false);
    buttons->button(QDialogButtonBox::Cancel)->setText(Ui::tr("Annulla"));
    connect(m_password, &QLineEdit::textChanged, ok,
            [ok](const QString& typed) { ok->setEnabled(!typed.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(480);
    m_meaning->setFocus();
}

SignatureRequest SignatureDialog::request() const
{
    return {m_meaning->currentData().toString().toStdString(), m_comment->text().trimmed().toStdString(),
            m_password->text().toStdString()};
}

}  // namespace kestra
