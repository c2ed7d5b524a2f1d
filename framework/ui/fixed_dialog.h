// The frame of the program's fixed dialogs: a close button only, and room for the whole title.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

class QDialog;
class QWidget;

namespace kestra {

// No minimize, maximize or help button: the dialog has one size and is closed, not put away.
void SetFixedDialogFrame(QDialog& dialog);
// The width a dialog needs so that the window manager shows its title whole (title, margins, close button).
int TitleWidth(const QWidget& dialog);
// A message box with an OK button, the application title unless another is given, and the text shown as
// plain text: file names and values as they are, never read as markup.
void ShowPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& title = {});

}  // namespace kestra
