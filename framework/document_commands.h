// The document commands every study shares: New, Open, Save, Save as, Close and the calculation command.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "framework/prompts.h"
#include "framework/study.h"

namespace kestra {

// What the commands update on screen; a window implements it, the command-line tool and tests may not.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Shows the study's current state in every control (title, fields, grids, results, conclusion).
    virtual void showDocument() = 0;
    // EnableDocumentCommands: Save, Save as, Print, chart printing, printer setup and Calculate.
    virtual void enableDocumentCommands(bool enabled) = 0;
    // A study file of another kind chosen in this study's Open dialog: opens it in a window of its kind and
    // returns true, or returns false when there is none (the file is then read as this study's).
    virtual bool openInItsOwnWindow(const std::filesystem::path& path, StudyKindId kind)
    {
        (void)path;
        (void)kind;
        return false;
    }
};

// The commands act on one study and talk to the user only through the prompts.
class DocumentCommands {
public:
    DocumentCommands(Study& study, Prompts& prompts, DocumentView* view = nullptr);

    // New: after the modified question, resets the study and disables the document commands.
    // Returns false when the user cancelled (or abandoned the save).
    bool newDocument();
    // OpenStudyFile: the modified question, the file dialog, then read and calculate. A fault while reading
    // is reported (file, line, reason); the study keeps what was read, unbound and not modified. Values not
    // read as written are listed in one warning. Returns whether a file was read (also partly) into this
    // study; a file with the extension of another kind goes to the view (openInItsOwnWindow) first.
    bool openStudyFile();
    // The same without the file dialog (a file named on the command line).
    bool openStudyFile(const std::filesystem::path& path);
    // SaveStudyFile: writes to the bound file, or asks for one. Returns whether the file was written.
    bool saveStudyFile();
    // SaveStudyFileAs: always asks for the file.
    bool saveStudyFileAs();
    // "Firma...": signs the saved study file (asks to save first); the signature lives in the audit trail,
    // bound to the file's SHA-256. Returns whether it signed.
    bool signStudyFile();
    // The close step: returns whether the window may close.
    bool close();
    // The study's calculation with its messages shown and the busy pointer; returns whether it computed.
    bool calculate();

    // IsModify = IsModify or the grid changed flag, then AskSaveChanges and, on Yes, Save. Returns whether
    // the command that asked may go on.
    bool settleChanges();

private:
    bool writeTo(const std::filesystem::path& path);
    bool readAndCalculate(const std::filesystem::path& path);
    void showMessages(const CalcOutcome& outcome);

    Study& m_study;
    Prompts& m_prompts;
    DocumentView* m_view;
};

}  // namespace kestra
