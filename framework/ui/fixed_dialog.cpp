// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/fixed_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>

#include "framework/study_kind.h"

namespace kestra {

void SetFixedDialogFrame(QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

int TitleWidth(const QWidget& dialog)
{
    // window managers draw titles a little larger (and often bold) than the text of the dialog
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    return QFontMetrics(font).horizontalAdvance(dialog.windowTitle()) + 160;
}

void ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title)
{
    QMessageBox box(icon, title.isEmpty() ? QString::fromUtf8(kApplicationTitle) : title, text, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    SetFixedDialogFrame(box);
    box.exec();
}

}  // namespace kestra
