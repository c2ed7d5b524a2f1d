// What a study window asks of the main window: opening other studies, help documents, printing, arrangement.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <vector>

#include "framework/study_kind.h"

namespace kestra {

class Prompts;
class StudyWindow;

enum class WindowArrangement { TileHorizontally, TileVertically, Cascade, ArrangeIcons };

// The main window implements it; the widget tests use a recording host with scripted prompts.
class StudyWindowHost {
public:
    virtual ~StudyWindowHost() = default;

    // The prompts every study window uses (real dialogs in the program, a script in tests).
    virtual Prompts& prompts() = 0;

    // Opens the window of a kind, or brings it forward when it is already open (one window per kind).
    virtual void openStudy(StudyKindId kind) = 0;
    // Opens a study file in the window of its kind (by its extension); returns whether the file was read.
    virtual bool openFile(const QString& path) = 0;
    // Whether the program has a window for the kind (the menus and panels of the others are disabled); the
    // list of study windows belongs with the studies, above this framework.
    virtual bool hasStudyWindow(StudyKindId kind) const = 0;
    // IsWindowOpen: whether a window of that kind exists.
    virtual bool isWindowOpen(StudyKindId kind) const = 0;
    // The open study windows in their order of creation (the list of the "&Finestre" menu).
    virtual std::vector<StudyWindow*> openStudyWindows() const = 0;
    virtual void arrangeWindows(WindowArrangement arrangement) = 0;

    // Help documents: help file, method description of a kind, statistics primer, guideline, reference book.
    virtual void showHelp() = 0;
    virtual void showMethodDescription(StudyKindId kind) = 0;
    virtual void showStatisticsPrimer() = 0;
    virtual void showGuideline() = 0;
    virtual void showReferenceBook() = 0;

    // "Verifica del programma...": the self-test, its summary and the certificate offered.
    virtual void runSelfTest() = 0;

    // "&Imposta stampante...": the print-setup dialog; Cancel is ignored.
    virtual void printerSetup() = 0;
    // "&Stampa..." and "Stampa &grafico...": the report and the chart printing of the window's study.
    virtual void printStudyReport(StudyWindow& window) = 0;
    virtual void printStudyCharts(StudyWindow& window) = 0;

    // File > "Nuova convalida..." and "Apri convalida...": a validation dossier, new or chosen from disk.
    virtual void newValidationDossier() = 0;
    virtual void openValidationDossier() = 0;

    // The toolbar icon of a button key ("New", "Open", ... "Exit"); a null icon falls back to the style's.
    virtual QIcon toolbarIcon(const QString& key) const
    {
        (void)key;
        return {};
    }
};

}  // namespace kestra
