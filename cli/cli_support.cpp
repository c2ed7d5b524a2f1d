// What every kestra-cli command needs from its surroundings: the locale's separator, the program's data.
#include <clocale>
#include <string>

#include "app/user_folders.h"
#include "cli/cli_commands.h"

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

}  // namespace kestra::cli
