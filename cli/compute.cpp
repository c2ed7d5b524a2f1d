#include <clocale>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_commands.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/study.h"
#include "studies/study_factory.h"

namespace kestra::cli {

namespace {

nlohmann::ordered_json recordToJson(const ReportRecord& record)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto& [name, value] : record.fields()) {
        std::visit([&, n = name](const auto& v) { object[n] = v; }, value);
    }
    return object;
}

}  // namespace

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
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
}

int RunCompute(const ComputeOptions& options, std::ostream& out, std::ostream& err)
{
    const auto kind = KindFromExtension(options.file.extension().string());
    if (!kind) {
        err << "kestra-cli: " << options.file.string() << ": estensione sconosciuta (attese LIM, PRE, TAR, ACC, "
            << "SPC, PRI, RIP)\n";
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

    nlohmann::ordered_json doc;
    doc["kind"] = study->kind().kindCode;
    doc["header"] = recordToJson(records.header);
    doc["details"] = nlohmann::ordered_json::array();
    for (const auto& d : records.details) doc["details"].push_back(recordToJson(d));
    doc["messages"] = nlohmann::ordered_json::array();
    if (const std::string notes = ReadingWarningText(study->readingNotes()); !notes.empty())
        doc["messages"].push_back(notes);
    for (const auto& m : outcome.messages) doc["messages"].push_back(m.text);
    out << doc.dump(2) << "\n";
    return 0;
}

}  // namespace kestra::cli
