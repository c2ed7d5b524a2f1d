// The frame of the program's fixed dialogs: a close button only, and room for the whole title.
#pragma once

class QDialog;
class QWidget;

namespace kestra {

// No minimize, maximize or help button: the dialog has one size and is closed, not put away.
void SetFixedDialogFrame(QDialog& dialog);
// The width a dialog needs so that the window manager shows its title whole (title, margins, close button).
int TitleWidth(const QWidget& dialog);

}  // namespace kestra
