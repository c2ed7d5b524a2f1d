// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/form_numero.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include "framework/prompts.h"
#include "framework/ui/fixed_dialog.h"
#include "framework/ui/ui_text.h"

namespace kestra {

FormNumero::FormNumero(Prompts& prompts, const NumberFormat& current, QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(Ui::tr("Formato numeri"));
    SetFixedDialogFrame(*this);
    setModal(true);
    auto* digitsOnly =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), this);
    m_integers = new QLineEdit(QString::number(current.integers), this);
    m_integers->setObjectName(QStringLiteral("Interi"));
    m_decimals = new QLineEdit(QString::number(current.decimals), this);
    m_decimals->setObjectName(QStringLiteral("Decimali"));
    for (QLineEdit* field : {m_integers, m_decimals}) {
        field->setValidator(digitsOnly);
        field->setMaxLength(2);
        field->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        field->setAlignment(Qt::AlignRight);
    }
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Ui::tr("&Annulla"), this);

    auto* form = new QFormLayout;
    form->addRow(Ui::tr("Numero degli interi"), m_integers);
    form->addRow(Ui::tr("Numero dei decimali"), m_decimals);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Ui::tr("Imposta il numero degli interi e dei decimali"), this));
    layout->addLayout(form);
    layout->addLayout(buttons);
    // one size: a window manager that offers maximise anyway (openbox) has nothing to grow
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &FormNumero::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FormNumero::confirm()
{
    const int integers = m_integers->text().toInt();
    const int decimals = m_decimals->text().toInt();
    if (integers + decimals > kMaxFormatDigits) {
        m_prompts.warning(Ui::tr("La somma di interi e decimali non puo' eccedere 13").toStdString());
        return;
    }
    if (integers <= 0) {
        m_prompts.warning(Ui::tr("Il valore degli interi deve essere > 0").toStdString());
        return;
    }
    m_chosen = NumberFormat{integers, decimals};
    accept();
}

void FormNumero::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // the first field has the focus with its value selected: typing replaces it
    m_integers->setFocus(Qt::OtherFocusReason);
    m_integers->selectAll();
    if (const QScreen* s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

}  // namespace kestra
