// Prompts that answer from a script and record what was shown, for tests of commands and windows.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/prompts.h"

namespace kestra::test {

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        MessageIcon icon;
        std::string text;
        std::string title;
    };

    // --- the script: each question takes the next answer; an unscripted question fails the test
    std::deque<Answer> answers;
    std::deque<std::optional<std::filesystem::path>> openPaths;
    std::deque<std::optional<std::filesystem::path>> savePaths;
    std::deque<std::optional<std::filesystem::path>> pdfPaths;
    std::deque<std::optional<std::filesystem::path>> exportPaths;
    std::deque<std::optional<NumberFormat>> numberFormats;
    std::deque<std::optional<std::filesystem::path>> dossierPaths;
    std::deque<std::optional<std::string>> texts;
    std::deque<std::optional<std::string>> reasons;
    std::deque<std::optional<SignatureRequest>> signatures;

    // --- what happened
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    std::vector<StudyKindId> openDialogs;
    std::vector<StudyKindId> saveDialogs;
    std::vector<std::string> pdfDialogs;  // the names proposed
    std::vector<std::pair<ExportDialog, std::string>> exportDialogs;  // with the names proposed
    std::vector<NumberFormat> formatDialogs;
    std::vector<DossierFileDialog> dossierDialogs;
    std::vector<bool> reasonDialogs;  // whether each reason asked was required
    std::vector<std::string> signatureDialogs;  // the signatures each showed
    int beeps = 0;
    int busyDepth = 0;
    // Runs at every question, before its answer (to look at the screen the user sees then).
    std::function<void(const std::string&)> onQuestion;
    int busyCalls = 0;

    void message(MessageIcon icon, const std::string& text, const std::string& title) override
    {
        messages.push_back({icon, text, title});
    }
    Answer ask(MessageIcon icon, const std::string& text) override
    {
        questions.push_back({icon, text, {}});
        if (onQuestion) onQuestion(text);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return Answer::Cancel;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::filesystem::path> chooseOpenPath(StudyKindId kind) override
    {
        openDialogs.push_back(kind);
        return next(openPaths, "open dialog");
    }
    std::optional<std::filesystem::path> chooseSavePath(StudyKindId kind) override
    {
        saveDialogs.push_back(kind);
        return next(savePaths, "save dialog");
    }
    std::optional<std::filesystem::path> choosePdfSavePath(const std::string& suggestedName) override
    {
        pdfDialogs.push_back(suggestedName);
        return next(pdfPaths, "PDF save dialog");
    }
    std::optional<std::filesystem::path> chooseExportPath(ExportDialog dialog, const std::string& suggestedName) override
    {
        exportDialogs.emplace_back(dialog, suggestedName);
        return next(exportPaths, "export dialog");
    }
    std::optional<std::string> askText(const std::string& question) override
    {
        questions.push_back({MessageIcon::Question, question, {}});
        return next(texts, "text question");
    }
    std::optional<std::filesystem::path> chooseDossierPath(DossierFileDialog dialog) override
    {
        dossierDialogs.push_back(dialog);
        return next(dossierPaths, "dossier file dialog");
    }
    std::optional<NumberFormat> chooseNumberFormat(const NumberFormat& current) override
    {
        formatDialogs.push_back(current);
        return next(numberFormats, "number-format dialog");
    }
    std::optional<std::string> askSaveReason(const std::string&, bool required) override
    {
        reasonDialogs.push_back(required);
        return next(reasons, "reason dialog");
    }
    std::optional<SignatureRequest> askSignature(const std::string&, const UserIdentity&,
                                                 const std::string& shown) override
    {
        signatureDialogs.push_back(shown);
        return next(signatures, "signature dialog");
    }
    void beep() override { ++beeps; }
    void setBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        if (busy) ++busyCalls;
    }

    // The texts of the messages shown, for compact assertions.
    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
    bool allAnswersUsed() const
    {
        return answers.empty() && openPaths.empty() && savePaths.empty() && pdfPaths.empty() &&
               exportPaths.empty() && numberFormats.empty();
    }

private:
    template <typename T>
    std::optional<T> next(std::deque<std::optional<T>>& queue, const char* what)
    {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return std::nullopt;
        }
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
};

}  // namespace kestra::test
