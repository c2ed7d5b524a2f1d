// libFuzzer target: one study kind's file read, calculated and turned into report records, as
// kestra-cli compute does. Built once per kind with KESTRA_FUZZ_KIND set to the kind's code.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "framework/study.h"
#include "reporting/f_table.h"
#include "studies/study_factory.h"

namespace {

using namespace kestra;

// The study file goes through the real reader, so the bytes are written to a private file first.
const std::filesystem::path& scratchFile()
{
    static const std::filesystem::path path = [] {
        const char* shm = "/dev/shm";
        const std::filesystem::path folder = std::filesystem::is_directory(shm) ? shm
                                                                                : std::filesystem::temp_directory_path();
        return folder / ("kestra-fuzz-" + std::to_string(getpid()) + "." + KindInfo(KESTRA_FUZZ_KIND).extension);
    }();
    return path;
}

void exercise(Study& study, char separator)
{
    SetUserDecimalSeparator(separator);
    try {
        study.read(scratchFile());
    } catch (const StudyFileError&) {
        // a refused file keeps what was read before the fault; the program goes on with it
    }
    RunCalculation(study);
    for (Language language : {Language::Italian, Language::English}) {
        const ReportRecords records = study.reportRecords(language);
        (void)records;
        (void)study.charts(language);
    }
    (void)study.extendedStatistics();
    (void)study.conclusionText();
    (void)study.fileContents();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* db = std::getenv("KESTRA_FUZZ_DATABASE");
    SetFTableLookup(std::make_shared<DatabaseFTable>(db ? std::string(db) : std::string(KESTRA_TEMPLATE_DB)));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::unique_ptr<Study> study = CreateStudy(KESTRA_FUZZ_KIND);
    exercise(*study, size % 2 == 0 ? '.' : ',');
    return 0;
}
