// The command line of kestra-cli, shared by kestra-cli (compute) and its renderer (report, chart), so both
// accept and explain exactly the same commands.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "cli/cli_commands.h"

namespace kestra::cli {

enum class Command { Compute, Report, Chart, SelfTest, Validate, Audit, Sign };

struct CommandLine {
    Command command = Command::Compute;
    ComputeOptions compute;
    ReportOptions report;
    ChartOptions chart;
    SelfTestOptions selfTest;
    ValidateOptions validate;
    AuditOptions audit;
    SignOptions sign;
};

// Makes the user's audit trail the process's for the commands it records: a validate that evaluates (the
// evaluation, a recorded dossier, its PDF) and the exports of report, chart and the self-test certificate.
// Returns 2 (the reason on err) when validate --record could not be recorded, else 0 (a warning on err
// when the trail is not available, its reason kept for the report's signature block).
int InstallCommandTrail(CommandLine& line, std::ostream& err);

// Parses argv into line. Returns the exit code when the run already ended here (--help, --version, a usage
// error, each with its own text printed), nothing when the chosen command is to run.
std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& line);

}  // namespace kestra::cli
