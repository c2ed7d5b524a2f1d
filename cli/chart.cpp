// kestra-cli chart: a study's charts drawn offscreen into a PNG picture or a PDF file.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "cli/cli_commands.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/study.h"
#include "reporting/ui/chart_print.h"
#include "studies/study_factory.h"
#include "text/messages.h"
#include "text/text_helpers.h"

namespace kestra::cli {

namespace {

void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "kestra-cli: Qt: %s\n", message.toLocal8Bit().constData());
}

// The charts are widgets; without a display the offscreen platform draws them.
std::unique_ptr<QApplication> startWidgets()
{
    qInstallMessageHandler(quietQtNotes);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "kestra-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// "regression", "proportionality" and "residuals" name the calibration charts; a number counts from 1.
std::optional<std::size_t> chooseChart(const std::vector<ChartData>& charts, const std::string& which)
{
    if (which.empty()) return std::nullopt;
    const std::string name = which == "regression"        ? "VtGrafRegr"
                             : which == "proportionality" ? "VtGrafProp"
                             : which == "residuals"       ? "VtGrafRes"
                                                          : which;
    for (std::size_t i = 0; i < charts.size(); ++i)
        if (EqualsIgnoreCase(charts[i].name, name)) return i;
    if (!which.empty() && which.find_first_not_of("0123456789") == std::string::npos) {
        const std::size_t n = std::stoul(which);
        if (n >= 1 && n <= charts.size()) return n - 1;
    }
    return charts.size();  // not found
}

}  // namespace

int RunChart(const ChartOptions& options, std::ostream& err)
{
    const auto kind = KindFromExtension(options.file.extension().string());
    if (!kind) {
        err << "kestra-cli: " << options.file.string() << ": "
            << Msg("estensione sconosciuta (attese LIM, PRE, TAR, ACC, SPC, PRI, RIP)") << "\n";
        return 2;
    }
    const std::string extension = options.output.extension().string();
    const bool pdf = EqualsIgnoreCase(extension, ".pdf");
    if (!pdf && !EqualsIgnoreCase(extension, ".png")) {
        err << "kestra-cli: " << options.output.string() << ": "
            << Msg("il file da scrivere deve essere .png o .pdf") << "\n";
        return 2;
    }
    SetUserDecimalSeparator(options.separator);
    std::unique_ptr<Study> study;
    try {
        study = CreateStudy(*kind);
        study->read(options.file);
    } catch (const StudyFileError& e) {
        err << "kestra-cli: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "kestra-cli: " << options.file.string() << ": " << e.what() << "\n";
        return 2;
    }
    const CalcOutcome outcome = RunCalculation(*study);
    for (const auto& m : outcome.messages) err << "kestra-cli: " << OneLine(m.text) << "\n";
    if (!outcome.computed) {
        err << "kestra-cli: " << Msg("calcolo non eseguito: il grafico non è stato scritto") << "\n";
        return 2;
    }

    std::vector<ChartData> charts = study->charts(options.language);
    if (charts.empty()) {
        err << "kestra-cli: " << Msg("lo studio %1 non ha grafici", {study->kind().kindCode}) << "\n";
        return 2;
    }
    const auto chosen = chooseChart(charts, options.which);
    if (chosen && *chosen >= charts.size()) {
        err << "kestra-cli: " << Msg("grafico \"%1\" non presente nello studio", {options.which}) << "\n";
        return 2;
    }

    const auto app = startWidgets();
    const QString output = QString::fromStdString(options.output.string());
    QString error;
    bool ok = false;
    if (pdf) {
        std::vector<ChartPrintJob> jobs;
        for (std::size_t i = 0; i < charts.size(); ++i)
            if (!chosen || *chosen == i)
                jobs.push_back({charts[i], ChartPrintSettings{}, DefaultChartScreenSize()});
        ok = SaveChartsPdf(output, jobs, &error);
    } else {
        ok = SaveChartPng(output, charts[chosen.value_or(0)], QSize(options.width, options.height), &error);
    }
    if (!ok) {
        err << "kestra-cli: " << error.toStdString() << "\n";
        return 2;
    }
    RecordExport(options.file, KindInfo(*kind).extension, options.output, err);
    return 0;
}

}  // namespace kestra::cli
