// kestra-cli compute: a study opened as the Open command does, its report records printed as JSON.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/json_output.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/study.h"
#include "studies/study_factory.h"
#include "text/messages.h"

namespace kestra::cli {

int RunCompute(const ComputeOptions& options, std::ostream& out, std::ostream& err)
{
    const auto kind = KindFromExtension(options.file.extension().string());
    if (!kind) {
        err << "kestra-cli: " << options.file.string() << ": "
            << Msg("estensione sconosciuta (attese LIM, PRE, TAR, ACC, SPC, PRI, RIP)") << "\n";
        return 2;
    }
    SetUserDecimalSeparator(options.separator);
    std::unique_ptr<Study> study;
    try {
        study = CreateStudy(*kind);
        study->read(options.file);
    } catch (const StudyFileError& e) {
        err << "kestra-cli: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "kestra-cli: " << options.file.string() << ": " << e.what() << "\n";
        return 2;
    }
    const CalcOutcome outcome = RunCalculation(*study);
    const ReportRecords records = study->reportRecords(options.language);

    std::vector<std::string> messages;
    // what the file said differently from how it was read comes before the calculation's own messages
    if (std::string notes = ReadingWarningText(study->readingNotes()); !notes.empty())
        messages.push_back(std::move(notes));
    for (const auto& m : outcome.messages) messages.push_back(m.text);
    std::optional<ExtendedStatistics> extended;
    if (options.extended) extended = study->extendedStatistics();
    out << ComputeJson(study->kind().kindCode, records, messages, extended);
    return 0;
}

}  // namespace kestra::cli
