// The prompts interface: every question, message and file choice the document commands and windows put to the
// user.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "audit/signing.h"
#include "audit/user_identity.h"
#include "framework/number_pattern.h"
#include "framework/study_kind.h"
#include "text/messages.h"

namespace kestra {

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { Information, Warning, Critical, Question };

// The texts of the two fixed questions (CR LF between the lines, as the message boxes show them).
constexpr const char* kSaveChangesText =
    "I dati sono stati modificati.\r\nVuoi salvare le modifiche correnti?";
constexpr const char* kMoveOrCopyText =
    "Desideri spostare i dati selezionati?\r\nScegliendo No i dati verranno copiati";

// The file dialogs of the validation dossier.
enum class DossierFileDialog {
    Open,      // a dossier to open (*.kvd)
    Save,      // where to save the dossier; asks before overwriting
    AddStudy,  // a study file of any kind to add to the dossier
    SavePdf    // where to write the dossier's report; asks before overwriting
};

// The audit trail's exports from its viewer.
enum class ExportDialog {
    TrailPdf,  // the shown entries as a report
    TrailCsv   // the shown entries as CSV
};

// The screen implements it with real message boxes and file dialogs, the tests with a script, so no
// command ever opens a dialog of its own and no modal box blocks a test.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box with an OK button; an empty title means the application title.
    virtual void message(MessageIcon icon, const std::string& text, const std::string& title = {}) = 0;
    // A Yes / No / Cancel question with the application title.
    virtual Answer ask(MessageIcon icon, const std::string& text) = 0;
    // The shared file dialog for a kind, with its filter and default extension and the file name cleared;
    // nullopt when the user cancels or leaves the name empty. Saving asks before overwriting a file.
    virtual std::optional<std::filesystem::path> chooseOpenPath(StudyKindId kind) = 0;
    virtual std::optional<std::filesystem::path> chooseSavePath(StudyKindId kind) = 0;
    // The save dialog for a PDF file (the self-test certificate), proposing suggestedName in the study
    // folder; asks before overwriting a file; nullopt when the user cancels.
    virtual std::optional<std::filesystem::path> choosePdfSavePath(const std::string& suggestedName) = 0;
    // The save dialog of an export (see ExportDialog), proposing suggestedName in the study folder, its
    // extension added when none is typed; asks before overwriting a file; nullopt when the user cancels.
    virtual std::optional<std::filesystem::path> chooseExportPath(ExportDialog dialog,
                                                                  const std::string& suggestedName) = 0;
    // A value typed by the user in answer to `question` (one line); nullopt when the user cancels.
    virtual std::optional<std::string> askText(const std::string& question) = 0;
    // A dossier file dialog (see DossierFileDialog); nullopt when the user cancels.
    virtual std::optional<std::filesystem::path> chooseDossierPath(DossierFileDialog dialog) = 0;
    // The number-format dialog filled with the current digits; nullopt on "&Annulla".
    virtual std::optional<NumberFormat> chooseNumberFormat(const NumberFormat& current) = 0;
    // The reason of a save of `document` for the audit trail. Required: the dialog takes no empty reason and
    // cancelling cancels the save; otherwise it may be left empty. nullopt when the user cancels.
    virtual std::optional<std::string> askSaveReason(const std::string& document, bool required) = 0;
    // "Firma...": the meaning, comment and password the signer gives for `document`; `signatures` lists the
    // ones it has (a line each, may be empty). nullopt when the user cancels.
    virtual std::optional<SignatureRequest> askSignature(const std::string& document, const UserIdentity& signer,
                                                         const std::string& signatures) = 0;
    virtual void beep() = 0;
    // The busy pointer; calls nest.
    virtual void setBusy(bool busy) = 0;

    void information(const std::string& text) { message(MessageIcon::Information, text); }
    void warning(const std::string& text) { message(MessageIcon::Warning, text); }
    void critical(const std::string& text) { message(MessageIcon::Critical, text); }
    // AskSaveChanges for a modified document (the warning icon). With several windows open the question
    // names the one it is about: its title (kind and file) is the second line.
    Answer askSaveChanges(const std::string& windowTitle = {})
    {
        if (windowTitle.empty()) return ask(MessageIcon::Warning, Msg(kSaveChangesText));
        return ask(
            MessageIcon::Warning,
            Msg("I dati sono stati modificati.\r\n%1\r\nVuoi salvare le modifiche correnti?", {windowTitle}));
    }
    // AskMoveOrCopy before a dropped block overwrites cells: Yes moves, No copies, Cancel drops nothing.
    Answer askMoveOrCopy() { return ask(MessageIcon::Question, Msg(kMoveOrCopyText)); }
};

// Shows the busy pointer for the life of the scope, errors included.
class BusyPointer {
public:
    explicit BusyPointer(Prompts& prompts) : m_prompts(prompts) { m_prompts.setBusy(true); }
    ~BusyPointer() { m_prompts.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Prompts& m_prompts;
};

}  // namespace kestra
