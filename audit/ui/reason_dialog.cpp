// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/reason_dialog.h"
#include "framework/ui/ui_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestra {

ReasonDialog::ReasonDialog(const QString& document, bool required, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Ui::tr("Motivo della modifica"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        required ? Ui::tr("%1 porta una firma elettronica valida: il salvataggio cambia il contenuto "
                          "firmato.\nIndicare il motivo della modifica (obbligatorio); resterà nel "
                          "registro delle modifiche.")
                       .arg(document)
                 : Ui::tr("Motivo della modifica di %1 (facoltativo); resterà nel registro delle "
                          "modifiche.")
                       .arg(document),
        this);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_reason = new QLineEdit(this);
    m_reason->setMaxLength(1000);
    text->setBuddy(m_reason);
    layout->addWidget(m_reason);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(Ui::tr("Annulla"));
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (required) {
        QPushButton* ok = m_buttons->button(QDialogButtonBox::Ok);
        ok->setEnabled(false);
        connect(m_reason, &QLineEdit::textChanged, ok,
                [ok](const QString& typed) { ok->setEnabled(!typed.trimmed().isEmpty()); });
    }
    setMinimumWidth(460);
}

QString ReasonDialog::reason() const
{
    return m_reason->text().trimmed();
}

}  // namespace kestra
