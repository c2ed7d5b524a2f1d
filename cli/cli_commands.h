// The commands of kestra-cli.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "reporting/report_records.h"

namespace kestra::cli {

struct ComputeOptions {
    std::filesystem::path file;
    Language language = Language::Italian;
    char separator = '.';
};

// Opens the study as the Open command does (reset, read, calculate) and prints its report records as JSON.
// Returns the exit code: 0 when the file was read, 2 when it could not be read (one line on err).
int RunCompute(const ComputeOptions& options, std::ostream& out, std::ostream& err);

// The decimal separator of the user's locale.
char LocaleDecimalSeparator();
// The folder that holds the running executable.
std::filesystem::path ProgramFolder();

}  // namespace kestra::cli
