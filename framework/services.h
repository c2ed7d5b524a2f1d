// Services the calculations reach process-wide: the F table of the report database.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace kestra {

class FTableLookup;

// The F table the calculations use; set once at start-up (the program, the command line, the tests).
void SetFTableLookup(std::shared_ptr<const FTableLookup> lookup);
// The table set last (empty when none), so a caller that swaps it for a while can put it back.
std::shared_ptr<const FTableLookup> CurrentFTableLookup();
// Throws std::runtime_error with an Italian message when no table was set.
const FTableLookup& CurrentFTable();

}  // namespace kestra
