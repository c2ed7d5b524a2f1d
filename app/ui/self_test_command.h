// "Verifica del programma...": the self-test run from a window, its summary shown and its certificate
// offered.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/self_test.h"

namespace kestra {

class Prompts;

// The summary as the message box shows it, with the first failed cases, and the question about the
// certificate.
std::string SelfTestQuestionText(const SelfTestRun& run);

// Runs the checks with the busy pointer, shows the summary and asks whether to save the certificate (Yes:
// Italian, No: English, Cancel: none); then the PDF save dialog and the certificate drawn by the report
// renderer. Every failure is a message; nothing else changes.
void RunSelfTestCommand(Prompts& prompts, const std::filesystem::path& referenceFolder,
                        const std::filesystem::path& database, const std::optional<std::string>& logoPath);

}  // namespace kestra
