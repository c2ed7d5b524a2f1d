// kestra-cli report: the print pipeline without windows, ending in a PDF file.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>

#include "audit/audit_trail.h"
#include "cli/cli_commands.h"
#include "cli/render_support.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/study.h"
#include "reporting/report_database_check.h"
#include "reporting/report_pipeline.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/report_renderer.h"
#include "studies/study_factory.h"
#include "text/messages.h"

namespace kestra::cli {

namespace {

// Qt's notes and warnings (no runtime folder, a painter that could not start) are no business of a
// command-line user: every failure reaches them as the one line naming the step.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    std::fprintf(stderr, "kestra-cli: Qt: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

// Qt draws the report; without a display the offscreen platform does it.
std::unique_ptr<QGuiApplication> StartQtForRendering()
{
    qInstallMessageHandler(quietQtNotes);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "kestra-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

int RunReport(const ReportOptions& options, std::ostream& err)
{
    auto fail = [&](const std::string& message) {
        err << "kestra-cli: " << oneLine(message) << "\n";
        return 2;
    };
    const auto kind = KindFromExtension(options.file.extension().string());
    if (!kind)
        return fail(options.file.string() + ": " +
                    Msg("estensione sconosciuta (attese LIM, PRE, TAR, ACC, SPC, PRI, RIP)"));
    SetUserDecimalSeparator(options.separator);

    try {
        std::optional<std::string> logoPath;
        std::filesystem::path database = options.database;
        if (database.empty()) {
            database = UserReportDatabase(err, logoPath);
        } else if (!std::filesystem::is_regular_file(database)) {
            return fail(Msg("apertura del database dei report: %1 non esiste", {database.string()}));
        }
        if (const DatabaseCheck check = CheckReportDatabase(database);
            check.state == DatabaseCheck::State::Damaged)
            return fail(DamagedDatabaseCommandLineText(database, check));

        std::unique_ptr<Study> study = CreateStudy(*kind);
        try {
            study->read(options.file);
        } catch (const StudyFileError& e) {
            return fail(Msg("lettura dello studio: %1", {e.what()}));
        } catch (const std::exception& e) {
            return fail(Msg("lettura dello studio: %1", {options.file.string() + ": " + e.what()}));
        }
        // a report carries only results computed from the data it prints
        const CalcOutcome outcome = RunCalculation(*study);
        for (const auto& message : outcome.messages)
            err << "kestra-cli: " << (outcome.computed ? Msg("avviso: ") : "") << oneLine(message.text)
                << "\n";
        if (!outcome.computed) return fail(Msg("calcolo non eseguito: il report non è stato scritto"));

        auto qt = StartQtForRendering();
        ReportRequest request;
        request.database = database;
        request.language = options.language;
        request.printDate = options.printDate;
        request.decimalSeparator = options.separator;
        request.processLogoPath = logoPath;
        request.extended = options.extended;
        request.trail = CurrentAuditTrail();
        request.trailFault = options.trailFault;
        const ReportDocument document = PrepareStudyReport(*study, request, ReadLogoSize);
        if (!document.signaturesFault.empty())
            err << "kestra-cli: " << Msg("avviso: ")
                << Msg("le firme elettroniche dello studio non si possono leggere dal registro delle modifiche: "
                       "il report lo dice al loro posto (%1)",
                       {oneLine(document.signaturesFault)})
                << "\n";
        const RenderedReport report(document);
        report.writePdf(QString::fromStdString(options.output.string()));
        RecordExport(options.file, study->kind().extension, options.output, err);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return 0;
}

}  // namespace kestra::cli
