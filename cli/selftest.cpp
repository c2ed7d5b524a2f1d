// kestra-cli selftest as text: the checks against the reference set, one line per case and the summary.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <ostream>

#include "app/self_test.h"
#include "app/self_test_report.h"
#include "cli/cli_commands.h"
#include "cli/selftest_support.h"
#include "text/messages.h"

namespace kestra::cli {

std::optional<SelfTestRun> RunSelfTestChecks(const SelfTestOptions& options, std::ostream& err,
                                             std::optional<std::string>& logoPath)
{
    try {
        std::filesystem::path database = options.database;
        if (database.empty()) database = UserReportDatabase(err, logoPath);
        return RunSelfTest(ReferenceFolder(ProgramFolder()), database);
    } catch (const std::exception& e) {
        err << "kestra-cli: " << Msg("verifica non eseguita: %1", {e.what()}) << "\n";
        return std::nullopt;
    }
}

int RunSelfTestText(const SelfTestOptions& options, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> logoPath;
    const auto run = RunSelfTestChecks(options, err, logoPath);
    if (!run) return 2;
    out << SelfTestText(*run, GatherSelfTestFacts(*run), options.language);
    return run->allPassed() ? 0 : 1;
}

}  // namespace kestra::cli
