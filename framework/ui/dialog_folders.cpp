// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/dialog_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

#include "framework/ui/study_window.h"

namespace kestra {

namespace {
std::function<QString()>& studyFolderSource()
{
    static std::function<QString()> source;
    return source;
}
}  // namespace

void SetStudyFolderSource(std::function<QString()> source)
{
    studyFolderSource() = std::move(source);
}

QString DialogStartFolder()
{
    const QString folder = studyFolderSource() ? studyFolderSource()() : QString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString StudyDocumentName(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const auto* window = qobject_cast<const StudyWindow*>(w);
        if (!window) continue;
        const std::string& file = window->study().loadFileName();
        if (!file.empty()) return QFileInfo(QString::fromStdString(file)).completeBaseName();
        return QString::fromUtf8(window->kindInfo().methodName);
    }
    return {};
}

QString ProposedSavePath(const QWidget* widget, const QString& extension)
{
    const QString name = StudyDocumentName(widget);
    const QDir folder(DialogStartFolder());
    return name.isEmpty() ? folder.path() : folder.filePath(name + extension);
}

}  // namespace kestra
