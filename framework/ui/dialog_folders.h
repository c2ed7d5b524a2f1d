// Where the program's file dialogs start, and the name they propose for what a study window writes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kestra {

// The study-file folder of the options, read at every dialog (the main window sets it at start).
void SetStudyFolderSource(std::function<QString()> source);
// The study-file folder when it exists, else the user's documents folder.
QString DialogStartFolder();
// For a widget inside a study window (or a dialog it owns): the study's file name without its extension, or
// the kind's name for a study not saved yet ("Accuratezza"); empty elsewhere.
QString StudyDocumentName(const QWidget* widget);
// DialogStartFolder() joined with the proposed file name (StudyDocumentName + extension, when there is one).
QString ProposedSavePath(const QWidget* widget, const QString& extension);

}  // namespace kestra
