// kestra-cli: computes study files and prints their report records without opening a window.
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

    CLI11_PARSE(app, argc, argv);

    const auto database = cli::ProgramFolder() / "DB" / "KESTRA73.MDB";
    SetFTableLookup(std::make_shared<DatabaseFTable>(database.string()));

    if (*computeCmd) {
        compute.language = language == "en" ? Language::English : Language::Italian;
        compute.separator = separator.empty() ? cli::LocaleDecimalSeparator() : separator[0];
        return cli::RunCompute(compute, std::cout, std::cerr);
    }
    return 0;
}
