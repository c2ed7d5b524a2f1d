// QtPrompts: the prompts shown with real message boxes, file dialogs and the number-format dialog.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "framework/prompts.h"

class QFileDialog;

namespace kestra {

class QtPrompts : public Prompts {
public:
    // parent: the window the dialogs are modal over (the main window). studyFolder: the study-file folder,
    // read at every file dialog so a change made in the options applies at once.
    QtPrompts(QWidget* parent, std::function<QString()> studyFolder);
    ~QtPrompts() override;

    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void message(MessageIcon icon, const std::string& text, const std::string& title = {}) override;
    Answer ask(MessageIcon icon, const std::string& text) override;
    std::optional<std::filesystem::path> chooseOpenPath(StudyKindId kind) override;
    std::optional<std::filesystem::path> chooseSavePath(StudyKindId kind) override;
    std::optional<std::filesystem::path> choosePdfSavePath(const std::string& suggestedName) override;
    std::optional<std::filesystem::path> chooseExportPath(ExportDialog dialog,
                                                          const std::string& suggestedName) override;
    std::optional<std::filesystem::path> chooseDossierPath(DossierFileDialog dialog) override;
    std::optional<std::string> askText(const std::string& question) override;
    std::optional<NumberFormat> chooseNumberFormat(const NumberFormat& current) override;
    std::optional<std::string> askSaveReason(const std::string& document, bool required) override;
    std::optional<SignatureRequest> askSignature(const std::string& document, const UserIdentity& signer,
                                                 const std::string& signatures) override;
    void beep() override;
    void setBusy(bool busy) override;

    // The dialog filter of a kind; Linux file names keep their case, so both are listed: "Limiti (*.LIM *.lim)".
    static QString fileFilter(StudyKindId kind);

private:
    std::optional<std::filesystem::path> choosePath(StudyKindId kind, bool save);
    // A save dialog in the study folder proposing suggestedName, adding `suffix` to a name typed without one.
    std::optional<std::filesystem::path> chooseFileToWrite(const QString& title, const QString& filter,
                                                           const QString& suffix, const std::string& suggestedName);
    // A dialog made ready by the caller; asks before overwriting when saving.
    std::optional<std::filesystem::path> runFileDialog(QFileDialog& dialog, bool save);

    QPointer<QWidget> m_parent;
    std::function<QString()> m_studyFolder;
    int m_busy = 0;
};

}  // namespace kestra
