// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/print_command.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "audit/audit_trail.h"
#include "framework/number_pattern.h"
#include "framework/study.h"
#include "framework/study_kind.h"
#include "framework/ui/qt_prompts.h"
#include "framework/ui/ui_text.h"
#include "reporting/report_database_check.h"
#include "reporting/report_pipeline.h"
#include "reporting/report_settings.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/print_language_dialog.h"
#include "reporting/ui/report_preview.h"
#include "reporting/ui/report_renderer.h"
#include "text/messages.h"

namespace kestra {

namespace {

class DialogReportUserInterface final : public ReportUserInterface {
public:
    void askReportParameters(QWidget* parent) override
    {
        MyPrintLanDlg dialog(parent);
        dialog.exec();
    }
    void showPreview(QWidget* parent, const RenderedReport& report) override
    {
        frmRepView view(parent);
        view.MyShow(report);
    }
    void showError(QWidget* parent, const QString& message) override
    {
        QMessageBox::critical(parent, QString::fromLatin1(kApplicationTitle), message);
    }
};

}  // namespace

bool ReportUserInterface::ensureUsableDatabase(QWidget* parent)
{
    QtPrompts prompts(parent, {});
    return EnsureUsableReportDatabase(ReportDatabasePath(), TemplateDatabasePath(), prompts);
}

void ReportUserInterface::showWarning(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QString::fromLatin1(kApplicationTitle), message);
}

ReportUserInterface& DefaultReportUserInterface()
{
    static DialogReportUserInterface ui;
    return ui;
}

void PrintStudyReport(QWidget* parent, Study& study)
{
    PrintStudyReport(parent, study, DefaultReportUserInterface());
}

void PrintStudyReport(QWidget* parent, Study& study, ReportUserInterface& ui)
{
    if (!ReportDatabasePath().empty() && !ui.ensureUsableDatabase(parent)) return;
    // Whatever button closed the dialog, the print goes on with the language it left.
    ui.askReportParameters(parent);

    std::unique_ptr<RenderedReport> report;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (ReportDatabasePath().empty())
            throw ReportPipelineError(Msg("apertura del database dei report"), Msg("nessun database configurato"));
        ReportRequest request;
        request.database = ReportDatabasePath();
        request.language = OutputLanguage();
        request.printDate = PrintDateFlag();
        request.decimalSeparator = UserDecimalSeparator();
        request.processLogoPath = ReportLogoPath();
        request.extended = ExtendedAppendixFlag();
        request.trail = CurrentAuditTrail();
        report = std::make_unique<RenderedReport>(PrepareStudyReport(study, request, ReadLogoSize));
        report->setSource(study.loadFileName(), study.kind().extension);
        QApplication::restoreOverrideCursor();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        ui.showError(parent, QString::fromStdString(e.what()));
        return;
    }
    if (const std::string& fault = report->document().signaturesFault; !fault.empty())
        ui.showWarning(parent, Ui::tr("Le firme elettroniche dello studio non si possono leggere dal registro delle "
                                      "modifiche: il report lo dice al loro posto.\n\n%1")
                                   .arg(QString::fromStdString(fault)));
    ui.showPreview(parent, *report);
}

}  // namespace kestra
