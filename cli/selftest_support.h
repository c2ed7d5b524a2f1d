// What the two halves of kestra-cli selftest share: the run of the checks with its failure reported.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "app/self_test.h"
#include "cli/cli_commands.h"

namespace kestra::cli {

// The checks on the chosen database (the user's when none was named); nothing, with one line on err, when
// they could not run.
std::optional<SelfTestRun> RunSelfTestChecks(const SelfTestOptions& options, std::ostream& err,
                                             std::optional<std::string>& logoPath);

}  // namespace kestra::cli
