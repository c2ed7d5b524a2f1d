// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/print_language_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "framework/ui/fixed_dialog.h"
#include "reporting/report_settings.h"
#include "reporting/ui/flag_icons.h"
#include "framework/ui/ui_text.h"

namespace kestra {

MyPrintLanDlg::MyPrintLanDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MyPrintLanDlg"));
    setWindowTitle(Ui::tr("Parametri report"));
    SetFixedDialogFrame(*this);

    auto* languages = new QGroupBox(Ui::tr("Scegli la lingua del report"), this);
    auto* languageRow = new QHBoxLayout(languages);
    auto* group = new QButtonGroup(this);
    const QSize flagSize(60, 30);
    const QPixmap flags[2] = {DrawItalianFlag(flagSize), DrawUnitedKingdomFlag(flagSize)};
    const QString names[2] = {QStringLiteral("Italiano"), QStringLiteral("English")};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QToolButton(languages);
        button->setObjectName(QStringLiteral("OptLan%1").arg(i));
        button->setCheckable(true);
        button->setIcon(QIcon(flags[i]));
        button->setIconSize(flagSize);
        button->setToolTip(names[i] + Ui::tr(" (frecce sinistra e destra)"));
        button->setAccessibleName(names[i]);
        button->setAutoRaise(true);
        button->installEventFilter(this);
        group->addButton(button, i);
        languageRow->addWidget(button);
        m_optLan[i] = button;
    }
    languageRow->addStretch();
    connect(group, &QButtonGroup::idClicked, this, &MyPrintLanDlg::selectLanguage);

    // Takes the focus from the flags, so no focus frame is drawn over them.
    m_picture = new QWidget(languages);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setFocusPolicy(Qt::StrongFocus);
    m_picture->setFixedSize(1, 1);
    // the flags never keep the focus: the arrow keys choose the language from here
    m_picture->installEventFilter(this);
    languageRow->addWidget(m_picture);

    auto* dateFrame = new QGroupBox(this);
    auto* dateRow = new QVBoxLayout(dateFrame);
    m_chkDate = new QCheckBox(Ui::tr("Stampa la data"), dateFrame);
    m_chkDate->setObjectName(QStringLiteral("ChkDate"));
    dateRow->addWidget(m_chkDate);
    m_chkExtended = new QCheckBox(Ui::tr("Aggiungi statistica estesa"), dateFrame);
    m_chkExtended->setObjectName(QStringLiteral("ChkEstesa"));
    m_chkExtended->setToolTip(Ui::tr("Aggiunge al report una pagina con la statistica estesa"));
    dateRow->addWidget(m_chkExtended);
    // a print asks for the page each time: an earlier choice does not carry over
    SetExtendedAppendixFlag(false);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Ui::tr("Annulla"), this);
    m_cancel->setObjectName(QStringLiteral("Command2"));
    connect(m_ok, &QPushButton::clicked, this, [this] {
        SetPrintDateFlag(m_chkDate->isChecked());
        SetExtendedAppendixFlag(m_chkExtended->isChecked());
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(languages);
    layout->addWidget(dateFrame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // wide enough for the whole title
    languages->setMinimumWidth(TitleWidth(*this) - 2 * layout->contentsMargins().left());

    m_optLan[1]->setChecked(true);
    selectLanguage(1);
}

void MyPrintLanDlg::selectLanguage(int index)
{
    SetOutputLanguage(index == 0 ? Language::Italian : Language::English);
}

bool MyPrintLanDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
            m_optLan[key == Qt::Key_Left || key == Qt::Key_Up ? 0 : 1]->click();
            m_picture->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && (watched == m_optLan[0] || watched == m_optLan[1]))
        m_picture->setFocus(Qt::OtherFocusReason);
    return QDialog::eventFilter(watched, event);
}

}  // namespace kestra
