// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "text/interface_language.h"
#include "text/messages.h"

namespace kestra::cli {

namespace {


Language languageOf(const std::string& code)
{
    return code == "en" ? Language::English : Language::Italian;
}

char separatorOf(const std::string& option)
{
    return option.empty() ? LocaleDecimalSeparator() : option[0];
}

// The help and CLI11's refusals are written while parsing: the language of --lang must be known before.
void speakLanguageOfArguments(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--") return;
        std::string_view code;
        if (word == "--lang" && i + 1 < argc)
            code = argv[i + 1];
        else if (word.starts_with("--lang="))
            code = word.substr(7);
        else
            continue;
        if (code == "it" || code == "en") {
            SetInterfaceLanguage(code == "en" ? InterfaceLanguage::English : InterfaceLanguage::Italian);
            return;
        }
    }
}

}  // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& line)
{
    speakLanguageOfArguments(argc, argv);
    const std::string studyFiles = Msg("File dello studio (*.LIM, *.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)");
    const std::string separatorHelp =
        Msg("Separatore decimale dell'utente: . o , (predefinito: quello della localizzazione corrente)");
    const std::string languageOfMessages = Msg("Lingua dei messaggi: it o en");
    CLI::App app{Msg("kestra-cli: calcolo degli studi di convalida dei metodi analitici di Kestra 2006")};
    app.set_version_flag("--version", std::string("kestra-cli ") + KESTRA_VERSION);
    app.require_subcommand(1);

    std::string computeLanguage = "it";
    std::string computeSeparator;
    auto* computeCmd = app.add_subcommand(
        "compute",
        Msg("Apre uno studio come il comando Apri (azzera, legge, calcola) e stampa i record del report in JSON"));
    computeCmd->add_option("--lang", computeLanguage, Msg("Lingua dei campi che ne dipendono: it o en"))
        ->check(CLI::IsMember({"it", "en"}));
    computeCmd->add_option("--separator", computeSeparator, separatorHelp)->check(CLI::IsMember({".", ","}));
    computeCmd->add_flag(
        "--extended", line.compute.extended,
        Msg("Aggiunge l'oggetto \"extended\": la statistica estesa in numeri JSON a piena precisione"));
    computeCmd->add_option("FILE", line.compute.file, studyFiles)->required();

    std::string reportLanguage = "it";
    std::string reportSeparator;
    auto* reportCmd = app.add_subcommand(
        "report",
        Msg("Apre e calcola uno studio, scrive le tabelle del report nel database e salva il report in PDF"));
    reportCmd->add_option("--lang", reportLanguage, Msg("Lingua del report: it o en"))
        ->check(CLI::IsMember({"it", "en"}));
    reportCmd->add_option("--separator", reportSeparator, separatorHelp)->check(CLI::IsMember({".", ","}));
    reportCmd->add_flag("--date", line.report.printDate, Msg("Stampa la data"));
    reportCmd->add_flag("--extended", line.report.extended,
                        Msg("Aggiunge la pagina della statistica estesa dopo le pagine del report"));
    reportCmd->add_option(
        "--database", line.report.database,
        Msg("Database dei report da usare (predefinito: quello della cartella dei dati dell'utente)"));
    reportCmd->add_option("--output,--out", line.report.output, Msg("File PDF da scrivere"))->required();
    reportCmd->add_option("FILE", line.report.file, studyFiles)->required();

    std::string chartLanguage = "it";
    std::string chartSeparator;
    auto* chartCmd = app.add_subcommand(
        "chart",
        Msg("Apre e calcola uno studio e disegna i suoi grafici in un file PNG (un grafico) o PDF (una pagina "
        "per grafico)"));
    chartCmd->add_option("--lang", chartLanguage, Msg("Lingua dei testi del grafico: it o en"))
        ->check(CLI::IsMember({"it", "en"}));
    chartCmd->add_option("--separator", chartSeparator, separatorHelp)->check(CLI::IsMember({".", ","}));
    chartCmd->add_option(
        "--which", line.chart.which,
        Msg("Grafico da disegnare: regression, proportionality, residuals, il nome o il numero (da 1); "
        "predefinito: tutti nel PDF, il primo nel PNG"));
    chartCmd->add_option("--width", line.chart.width, Msg("Larghezza del PNG in pixel"))
        ->check(CLI::Range(200, 8000));
    chartCmd->add_option("--height", line.chart.height, Msg("Altezza del PNG in pixel"))
        ->check(CLI::Range(150, 8000));
    chartCmd->add_option("--output,--out", line.chart.output, Msg("File da scrivere: .png o .pdf"))->required();
    chartCmd
        ->add_option("FILE", line.chart.file, Msg("File dello studio (*.PRE, *.TAR, *.ACC, *.SPC, *.PRI, *.RIP)"))
        ->required();

    std::string selfTestLanguage = "it";
    auto* selfTestCmd = app.add_subcommand(
        "selftest",
        Msg("Verifica il programma con i dati di riferimento installati e la tabella F del database; esce con 0 "
        "se tutti i casi sono superati, 1 se uno fallisce, 2 se la verifica non può essere eseguita"));
    selfTestCmd->add_option("--lang", selfTestLanguage, Msg("Lingua del riepilogo e del certificato: it o en"))
        ->check(CLI::IsMember({"it", "en"}));
    selfTestCmd->add_option("--output,--out", line.selfTest.output,
                            Msg("Certificato PDF da scrivere (senza: riepilogo e casi come testo)"));
    selfTestCmd->add_option(
        "--database", line.selfTest.database,
        Msg("Database dei report da verificare (predefinito: quello della cartella dei dati dell'utente)"));

    std::string validateLanguage = "it";
    std::string validateSeparator;
    auto* validateCmd = app.add_subcommand(
        "validate",
        Msg("Valuta un dossier di convalida: legge e calcola ogni studio, confronta i criteri di accettazione e "
        "stampa l'esito; esce con 0 se la convalida è superata, 1 se non lo è, 2 se il dossier non può "
        "essere letto"));
    validateCmd->add_option("--lang", validateLanguage, Msg("Lingua del riepilogo e del report: it o en"))
        ->check(CLI::IsMember({"it", "en"}));
    validateCmd->add_option("--separator", validateSeparator, separatorHelp)->check(CLI::IsMember({".", ","}));
    validateCmd->add_flag("--json", line.validate.json, Msg("Stampa la valutazione come un oggetto JSON"));
    validateCmd->add_option("--output,--out", line.validate.output, Msg("Report PDF del dossier da scrivere"));
    validateCmd->add_flag("--extended", line.validate.extended,
                          Msg("Aggiunge al report la pagina della statistica estesa di ogni studio"));
    validateCmd->add_flag("--date", line.validate.printDate, Msg("Stampa la data nel report"));
    validateCmd->add_option(
        "--database", line.validate.database,
        Msg("Database dei report da usare (predefinito: quello della cartella dei dati dell'utente)"));
    auto* record = validateCmd->add_flag(
        "--record", line.validate.record,
        Msg("Registra la valutazione nel dossier (blocco \"evaluated\": ora, build, SHA-256 e esiti)"));
    validateCmd
        ->add_flag("--verify", line.validate.verify,
                   Msg("Confronta lo SHA-256 di ogni studio con quello registrato; esce con 1 se un file è cambiato"))
        ->excludes(record);
    validateCmd->add_option("--propose", line.validate.propose,
                            Msg("Stampa i criteri proposti per lo scopo come elenco JSON (study null)"))
        ->check(CLI::IsMember({"identification", "impurity_quantitative", "impurity_limit", "assay", "other"}));
    validateCmd->add_option("--reporting-threshold", line.validate.reportingThreshold,
                            Msg("Con --propose impurity_quantitative: la soglia di riporto (chiesta se manca)"));
    validateCmd->add_option("--impurity-limit", line.validate.impurityLimit,
                            Msg("Con --propose impurity_limit: il limite dell'impurezza (chiesto se manca)"));
    validateCmd->add_option("DOSSIER", line.validate.file, Msg("Dossier di convalida (*.kvd)"));

    std::string auditLanguage = "it";
    auto* auditCmd = app.add_subcommand(
        "audit",
        Msg("Stampa il registro delle modifiche o ne verifica la catena; esce con 0, con 1 se la verifica trova "
        "una voce modificata, eliminata o inserita (indicata) o un file di ancoraggio mancante o danneggiato, "
        "con 2 se il registro non può essere letto"));
    auditCmd->add_option("--lang", auditLanguage, languageOfMessages)->check(CLI::IsMember({"it", "en"}));
    auditCmd->add_option("--file", line.audit.file, Msg("Solo le voci di questo file"));
    auditCmd->add_option("--from", line.audit.from, Msg("Dalla data AAAA-MM-GG (ora locale, compresa)"));
    auditCmd->add_option("--to", line.audit.to, Msg("Fino alla data AAAA-MM-GG (ora locale, compresa)"));
    auto* auditJson = auditCmd->add_flag("--json", line.audit.json, Msg("Stampa le voci come elenco JSON"));
    auditCmd->add_flag("--csv", line.audit.csv, Msg("Stampa le voci in formato CSV"))->excludes(auditJson);
    auditCmd->add_flag(
        "--verify", line.audit.verify,
        Msg("Ricalcola la catena degli hash e indica la prima voce modificata, eliminata o inserita"));

    std::string signLanguage = "it";
    auto* signCmd = app.add_subcommand(
        "sign",
        Msg("Firma elettronicamente un dossier di convalida, o imposta la password di firma; esce con 0 se "
        "firmato, "
        "con 1 se la password è errata o la firma è bloccata, con 2 se non è possibile firmare"));
    auto* setPassword = signCmd->add_flag("--set-password", line.sign.setPassword,
                                          Msg("Imposta o cambia la password di firma (chiesta due volte dal "
                                          "terminale, o una volta con --password-stdin)"));
    signCmd
        ->add_option("--meaning", line.sign.meaning, Msg("Significato della firma: prepared, reviewed o approved"))
        ->check(CLI::IsMember({"prepared", "reviewed", "approved"}))
        ->excludes(setPassword);
    signCmd->add_option("--comment", line.sign.comment, Msg("Commento della firma"))->excludes(setPassword);
    signCmd->add_option("--lang", signLanguage, languageOfMessages)->check(CLI::IsMember({"it", "en"}));
    signCmd->add_flag("--password-stdin", line.sign.passwordStdin,
                      Msg("Legge la password come una riga dello standard input"));
    signCmd->add_option("DOSSIER", line.sign.file, Msg("Dossier di convalida (*.kvd)"))->excludes(setPassword);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }

    // the messages of standard error speak the language the command was given
    const auto speak = [](Language language) {
        SetInterfaceLanguage(language == Language::English ? InterfaceLanguage::English
                                                           : InterfaceLanguage::Italian);
    };
    if (*computeCmd) {
        line.command = Command::Compute;
        line.compute.language = languageOf(computeLanguage);
        speak(line.compute.language);
        line.compute.separator = separatorOf(computeSeparator);
    } else if (*reportCmd) {
        line.command = Command::Report;
        line.report.language = languageOf(reportLanguage);
        speak(line.report.language);
        line.report.separator = separatorOf(reportSeparator);
    } else if (*validateCmd) {
        line.command = Command::Validate;
        line.validate.language = languageOf(validateLanguage);
        speak(line.validate.language);
        line.validate.separator = separatorOf(validateSeparator);
        if (line.validate.propose.empty() && line.validate.file.empty()) {
            // the code CLI11 gives a missing required argument
            std::cerr << "validate: " << Msg("indicare il dossier (DOSSIER.kvd) oppure --propose SCOPO")
                      << "\n";
            return static_cast<int>(CLI::ExitCodes::RequiredError);
        }
    } else if (*signCmd) {
        line.command = Command::Sign;
        speak(languageOf(signLanguage));
        if (!line.sign.setPassword && (line.sign.meaning.empty() || line.sign.file.empty())) {
            std::cerr << "sign: " << Msg("indicare --meaning e il dossier (DOSSIER.kvd), oppure --set-password")
                      << "\n";
            return 2;
        }
    } else if (*auditCmd) {
        line.command = Command::Audit;
        speak(languageOf(auditLanguage));
    } else if (*selfTestCmd) {
        line.command = Command::SelfTest;
        line.selfTest.language = languageOf(selfTestLanguage);
        speak(line.selfTest.language);
    } else {
        line.command = Command::Chart;
        line.chart.language = languageOf(chartLanguage);
        speak(line.chart.language);
        line.chart.separator = separatorOf(chartSeparator);
    }
    return std::nullopt;
}

}  // namespace kestra::cli
