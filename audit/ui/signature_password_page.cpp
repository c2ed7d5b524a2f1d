// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/signature_password_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "audit/audit_trail.h"
#include "audit/signature_password.h"
#include "audit/signing.h"
#include "framework/prompts.h"
#include "framework/ui/ui_text.h"

namespace kestra {

SignaturePasswordPage::SignaturePasswordPage(Prompts& prompts, std::filesystem::path folder, QWidget* parent)
    : QWidget(parent), m_prompts(prompts), m_folder(std::move(folder))
{
    setObjectName(QStringLiteral("FirmaElettronica"));
    m_state = new QLabel(this);
    m_state->setWordWrap(true);
    m_first = new QLineEdit(this);
    m_first->setObjectName(QStringLiteral("NuovaPassword"));
    m_second = new QLineEdit(this);
    m_second->setObjectName(QStringLiteral("RipetiPassword"));
    for (QLineEdit* field : {m_first, m_second}) field->setEchoMode(QLineEdit::Password);
    auto* set = new QPushButton(Ui::tr("&Imposta password"), this);
    set->setObjectName(QStringLiteral("ImpostaPassword"));
    connect(set, &QPushButton::clicked, this, [this] { setPassword(); });
    auto* form = new QFormLayout(this);
    form->addRow(m_state);
    auto* firstLabel = new QLabel(Ui::tr("&Nuova password di firma:"), this);
    firstLabel->setBuddy(m_first);
    auto* secondLabel = new QLabel(Ui::tr("&Ripetere la password:"), this);
    secondLabel->setBuddy(m_second);
    form->addRow(firstLabel, m_first);
    form->addRow(secondLabel, m_second);
    form->addRow(QString(), set);
    showState();
}

void SignaturePasswordPage::showState()
{
    m_state->setText(
        SignaturePassword(m_folder).isSet()
            ? Ui::tr("La password di firma è impostata. Per cambiarla scriverne una nuova due volte.")
            : Ui::tr("La password di firma non è ancora impostata: serve per firmare "
                     "elettronicamente dossier e report (almeno %1 caratteri).")
                  .arg(kMinSignaturePassword));
}

bool SignaturePasswordPage::setPassword()
{
    const std::string first = m_first->text().toStdString();
    if (first != m_second->text().toStdString()) {
        m_prompts.warning(Ui::tr("Le due password non coincidono.").toStdString());
        return false;
    }
    std::string done;
    try {
        SignaturePassword password(m_folder);
        done = ChangeSignaturePassword(password, first, CurrentAuditTrail().get());
    } catch (const std::exception& e) {
        m_prompts.critical(e.what());
        return false;
    }
    m_first->clear();
    m_second->clear();
    showState();
    m_prompts.information(done + ".");
    return true;
}

}  // namespace kestra
