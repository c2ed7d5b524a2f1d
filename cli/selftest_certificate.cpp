// kestra-cli selftest --output: the checks and their certificate drawn by the report renderer into a PDF.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "app/self_test_report.h"
#include "cli/cli_commands.h"
#include "cli/selftest_support.h"
#include "reporting/report_database.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/report_renderer.h"
#include "text/messages.h"

namespace kestra::cli {

namespace {

void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    std::fprintf(stderr, "kestra-cli: Qt: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

int RunSelfTestCertificate(const SelfTestOptions& options, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> logoPath;
    const auto run = RunSelfTestChecks(options, err, logoPath);
    if (!run) return 2;
    try {
        const CompanyData company =
            ReportDatabase(run->database, ReportDatabase::Mode::ReadOnly).readAnagrafica();
        qInstallMessageHandler(quietQtNotes);
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        int argc = 1;
        char name[] = "kestra-cli";
        char* argv[] = {name, nullptr};
        QGuiApplication app(argc, argv);
        const RenderedReport certificate(SelfTestCertificate(*run, GatherSelfTestFacts(*run), company,
                                                             options.language, logoPath, ReadLogoSize));
        certificate.writePdf(QString::fromStdString(options.output.string()));
    } catch (const std::exception& e) {
        err << "kestra-cli: " << Msg("certificato non scritto: %1", {e.what()}) << "\n";
        return 2;
    }
    RecordExport(options.output, "certificato", options.output, err);
    for (const SelfTestLine& line : run->lines)
        if (!line.passed)
            out << SelfTestVerdict(false, options.language) << "\t" << line.name << "\t" << line.item << "\n";
    out << SelfTestSummary(*run, options.language) << "\n";
    return run->allPassed() ? 0 : 1;
}

}  // namespace kestra::cli
