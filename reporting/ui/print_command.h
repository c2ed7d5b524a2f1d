// The print command of every study window: report parameters, report tables, layout, preview.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

namespace kestra {

class Study;
class RenderedReport;

// What the print command asks of the user, so tests can answer without a modal window.
class ReportUserInterface {
public:
    virtual ~ReportUserInterface() = default;
    // Shows the report-parameter dialog; leaves OutputLanguage and the print-date flag (report_settings.h).
    virtual void askReportParameters(QWidget* parent) = 0;
    // Shows the report in the preview and returns when the preview is closed.
    virtual void showPreview(QWidget* parent, const RenderedReport& report) = 0;
    // Reports a failed step (the message names it).
    virtual void showError(QWidget* parent, const QString& message) = 0;
    // Says what the report cannot show before it is shown (the study's signatures unreadable).
    virtual void showWarning(QWidget* parent, const QString& message);
    // Before anything is asked: whether ReportDatabasePath() can be used, a damaged one explained and
    // replaced by the template when the user agrees (EnsureUsableReportDatabase with message boxes).
    virtual bool ensureUsableDatabase(QWidget* parent);
};

// The dialogs and the preview as the user sees them.
ReportUserInterface& DefaultReportUserInterface();

// Runs the whole pipeline for the study: parameters, report tables of ReportDatabasePath(), layout, preview.
// Errors are shown through the interface, naming the failed step; they never escape.
void PrintStudyReport(QWidget* parent, Study& study);
void PrintStudyReport(QWidget* parent, Study& study, ReportUserInterface& ui);

}  // namespace kestra
