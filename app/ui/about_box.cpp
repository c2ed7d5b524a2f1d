// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/shell_icons.h"
#include "framework/study_kind.h"
#include "framework/ui/fixed_dialog.h"
#include "framework/ui/ui_text.h"

namespace kestra {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Ui::tr("Informazioni su Kestra 2006"));
    SetFixedDialogFrame(*this);
    setModal(true);

    auto* logo = new QLabel(this);
    logo->setPixmap(ProgramIcon().pixmap(72, 72));
    logo->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QString::fromUtf8(kApplicationTitle), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);

    auto* version = new QLabel(Ui::tr("Versione %1").arg(QStringLiteral(KESTRA_VERSION)), this);
    auto* text = new QLabel(
        Ui::tr("Validazione dei metodi analitici secondo la linea guida ICH Q2: limiti di rilevazione e "
               "determinazione, ripetibilità, taratura, accuratezza, specificità, precisione intermedia "
               "e riproducibilità, al livello di confidenza del 95 %.\n\n"
               "Ogni studio si salva nel proprio file e si stampa in italiano o in inglese."),
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(360);

    m_close = new QPushButton(Ui::tr("Chiudi"), this);
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* right = new QVBoxLayout;
    right->addWidget(name);
    right->addWidget(version);
    right->addSpacing(10);
    right->addWidget(text);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(12);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

}  // namespace kestra
