// A study-window host for widget tests: scripted prompts and a record of what the windows asked for.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>
#include <vector>

#include "framework/ui/study_window_host.h"
#include "studies/ui/study_window_factory.h"
#include "tests/framework/scripted_prompts.h"

namespace kestra::test {

class TestHost : public StudyWindowHost {
public:
    ScriptedPrompts script;
    std::vector<StudyKindId> opened;    // openStudy calls
    std::set<StudyKindId> openKinds;    // what isWindowOpen answers
    std::vector<StudyWindow*> windows;  // what openStudyWindows answers
    std::vector<std::string> calls;     // help, printing, arrangement requests, in order
    StudyWindow* printed = nullptr;

    Prompts& prompts() override { return script; }
    void openStudy(StudyKindId kind) override
    {
        opened.push_back(kind);
        openKinds.insert(kind);
    }
    bool openFile(const QString& path) override
    {
        calls.push_back("open " + path.toStdString());
        return true;
    }
    bool hasStudyWindow(StudyKindId kind) const override { return HasStudyWindow(kind); }
    bool isWindowOpen(StudyKindId kind) const override { return openKinds.count(kind) > 0; }
    std::vector<StudyWindow*> openStudyWindows() const override { return windows; }
    void arrangeWindows(WindowArrangement a) override { calls.push_back("arrange" + std::to_string(int(a))); }
    void showHelp() override { calls.push_back("help"); }
    void showMethodDescription(StudyKindId kind) override
    {
        calls.push_back(std::string("method ") + KindInfo(kind).kindCode);
    }
    void showStatisticsPrimer() override { calls.push_back("primer"); }
    void showGuideline() override { calls.push_back("guideline"); }
    void showReferenceBook() override { calls.push_back("book"); }
    void runSelfTest() override { calls.push_back("selftest"); }
    void printerSetup() override { calls.push_back("printerSetup"); }
    void printStudyReport(StudyWindow& window) override
    {
        calls.push_back("report");
        printed = &window;
    }
    void printStudyCharts(StudyWindow& window) override
    {
        calls.push_back("charts");
        printed = &window;
    }
    void newValidationDossier() override { calls.push_back("newDossier"); }
    void openValidationDossier() override { calls.push_back("openDossier"); }
};

}  // namespace kestra::test
