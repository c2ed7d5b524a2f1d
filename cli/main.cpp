// kestra-cli: computes studies, prints report records, writes reports as PDF and draws charts without a window.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_commands.h"
#include "framework/services.h"
#include "reporting/f_table.h"

int main(int argc, char** argv)
{
    using namespace kestra;
    CLI::App app{"kestra-cli: calcolo degli studi di convalida dei metodi analitici di Kestra 2006"};
    app.set_version_flag("--version", std::string("kestra-cli ") + KESTRA_VERSION);
    app.require_subcommand(1);

    cli::ComputeOptions compute;
    std::string language = "it";
    std::string separator;
    auto* computeCmd = app.add_subcommand(
        "compute", "Apre uno studio come il comando Apri (azzera, legge, calcola) e stampa i record del report in JSON");
    computeCmd->add_option("--lang", language, "Lingua dei campi che ne dipendono: it o en")
        ->check(CLI::IsMember({"it", "en"}));
    computeCmd->add_option("--separator", separator, "Separatore decimale dell'utente: . o , (predefinito: quello "
                                                     "della localizzazione corrente)")
        ->check(CLI::IsMember({".", ","}));
    computeCmd->add_option("FILE", compute.file, "File dello studio (*.LIM, *.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)")
        ->required();

    cli::ReportOptions report;
    std::string reportLanguage = "it";
    std::string reportSeparator;
    std::string output;
    auto* reportCmd = app.add_subcommand(
        "report", "Apre e calcola uno studio, scrive le tabelle del report nel database e salva il report in PDF");
    reportCmd->add_option("--lang", reportLanguage, "Lingua del report: it o en")->check(CLI::IsMember({"it", "en"}));
    reportCmd->add_option("--separator", reportSeparator, "Separatore decimale dell'utente: . o , (predefinito: "
                                                          "quello della localizzazione corrente)")
        ->check(CLI::IsMember({".", ","}));
    reportCmd->add_flag("--date", report.printDate, "Stampa la data");
    reportCmd->add_option("--database", report.database,
                          "Database dei report da usare (predefinito: quello della cartella dei dati dell'utente)");
    reportCmd->add_option("--output,--out", output, "File PDF da scrivere")->required();
    reportCmd->add_option("FILE", report.file, "File dello studio (*.LIM, *.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)")
        ->required();

    cli::ChartOptions chart;
    std::string chartLanguage = "it";
    std::string chartSeparator;
    auto* chartCmd = app.add_subcommand(
        "chart", "Apre e calcola uno studio e disegna i suoi grafici in un file PNG (un grafico) o PDF (una pagina "
                 "per grafico)");
    chartCmd->add_option("--lang", chartLanguage, "Lingua dei testi del grafico: it o en")
        ->check(CLI::IsMember({"it", "en"}));
    chartCmd->add_option("--separator", chartSeparator, "Separatore decimale dell'utente: . o , (predefinito: "
                                                        "quello della localizzazione corrente)")
        ->check(CLI::IsMember({".", ","}));
    chartCmd->add_option("--which", chart.which,
                         "Grafico da disegnare: regression, proportionality, il nome o il numero (da 1); "
                         "predefinito: tutti nel PDF, il primo nel PNG");
    chartCmd->add_option("--width", chart.width, "Larghezza del PNG in pixel")->check(CLI::Range(200, 8000));
    chartCmd->add_option("--height", chart.height, "Altezza del PNG in pixel")->check(CLI::Range(150, 8000));
    chartCmd->add_option("--output,--out", chart.output, "File da scrivere: .png o .pdf")->required();
    chartCmd->add_option("FILE", chart.file, "File dello studio (*.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)")
        ->required();

    CLI11_PARSE(app, argc, argv);

    const auto database = cli::ProgramFolder() / "DB" / "KESTRA73.MDB";
    SetFTableLookup(std::make_shared<DatabaseFTable>(database.string()));

    if (*computeCmd) {
        compute.language = language == "en" ? Language::English : Language::Italian;
        compute.separator = separator.empty() ? cli::LocaleDecimalSeparator() : separator[0];
        return cli::RunCompute(compute, std::cout, std::cerr);
    }
    if (*reportCmd) {
        report.language = reportLanguage == "en" ? Language::English : Language::Italian;
        report.separator = reportSeparator.empty() ? cli::LocaleDecimalSeparator() : reportSeparator[0];
        report.output = output;
        return cli::RunReport(report, std::cerr);
    }
    if (*chartCmd) {
        chart.language = chartLanguage == "en" ? Language::English : Language::Italian;
        chart.separator = chartSeparator.empty() ? cli::LocaleDecimalSeparator() : chartSeparator[0];
        return cli::RunChart(chart, std::cerr);
    }
    return 0;
}
