// What every kestra-cli command needs from its surroundings: the locale's separator, the program's data.
#include <clocale>
#include <ostream>
#include <string>

#include "app/startup_config.h"
#include "app/user_folders.h"
#include "cli/cli_commands.h"
#include "reporting/report_pipeline.h"
#include "text/messages.h"

namespace kestra::cli {

char LocaleDecimalSeparator()
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "");
    const std::lconv* conv = std::localeconv();
    const char sep = conv && conv->decimal_point && conv->decimal_point[0] == ',' ? ',' : '.';
    std::setlocale(LC_NUMERIC, saved.c_str());
    return sep;
}

std::filesystem::path ProgramFolder()
{
    return ProgramDataFolder(ExecutableFolder());
}

std::filesystem::path UserReportDatabase(std::ostream& err, std::optional<std::string>& logoPath)
{
    const StartupPaths paths = SystemStartupPaths();
    std::string messages;
    const StartupResult result = RunStartupConfiguration(paths, [&](const ShellMessage& m) {
        if (!messages.empty()) messages += " ";
        messages += m.text;
    });
    if (!result.ok)
        throw ReportPipelineError(Msg("configurazione della cartella dei dati"),
                                  messages.empty() ? Msg("non riuscita") : messages);
    if (!messages.empty()) err << "kestra-cli: " << Msg("avviso: ") << messages << "\n";
    logoPath = result.settings.logoPath;
    return result.settings.databasePath;
}

}  // namespace kestra::cli
