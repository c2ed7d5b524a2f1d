// kestra-cli validate --output: the dossier evaluated, then its report written as one PDF.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_commands.h"
#include "cli/render_support.h"
#include "dossier/ui/dossier_report.h"
#include "reporting/ui/logo_size.h"
#include "text/messages.h"

namespace kestra::cli {

int RunValidateReport(const ValidateOptions& options, std::ostream& out, std::ostream& err, std::istream& in)
{
    std::optional<std::string> logoPath;
    std::filesystem::path database = options.database;
    try {
        if (database.empty()) database = UserReportDatabase(err, logoPath);
    } catch (const std::exception& e) {
        err << "kestra-cli: " << e.what() << "\n";
        return 2;
    }
    if (!std::filesystem::is_regular_file(database)) {
        err << "kestra-cli: " << Msg("apertura del database dei report: %1 non esiste", {database.string()})
            << "\n";
        return 2;
    }
    auto qt = StartQtForRendering();
    const auto write = [&](const Dossier& dossier, const DossierEvaluation& evaluation) {
        DossierReportRequest request;
        request.report.database = database;
        request.report.language = options.language;
        request.report.printDate = options.printDate;
        request.report.decimalSeparator = options.separator;
        request.report.processLogoPath = logoPath;
        request.report.extended = options.extended;
        request.dossierFile = options.file;
        request.programDataFolder = ProgramFolder();
        const auto report = RenderDossierReport(dossier, evaluation, request, ReadLogoSize);
        report->writePdf(QString::fromStdString(options.output.string()));
    };
    return RunValidate(options, out, err, in, write);
}

}  // namespace kestra::cli
