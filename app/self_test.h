// The self-test: the program's results checked against the reference set shipped with it (study files and
// expected values in data/selftest) and the F table of the report database checked against its seed.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestra {

// The self-test could not run (a reference file missing or malformed, a database that cannot be read).
class SelfTestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One checked value: which case, what was compared, the expected and the obtained texts.
struct SelfTestLine {
    std::string group;  // "studi", "statistica", "NIST", "TabF"
    std::string name;   // case and run: "LIMI-1 it ," ...
    std::string item;   // the field or routine compared
    std::string expected;
    std::string obtained;
    bool passed = false;
};

struct SelfTestRun {
    std::filesystem::path referenceFolder;
    std::filesystem::path database;
    std::vector<SelfTestLine> lines;
    int passed() const;
    int failed() const;
    bool allPassed() const { return failed() == 0 && !lines.empty(); }
};

// The reference set beside the program: <program data folder>/selftest.
std::filesystem::path ReferenceFolder(const std::filesystem::path& programDataFolder);

// Called before each case file with its name, so a window can show progress.
using SelfTestProgress = std::function<void(const std::string& step)>;

// Runs every case file (*.cases, in name order) of the reference folder and checks TabF of the database
// against the seed (tabf_seed.sql in the reference folder). The calculations read F from that database
// while the checks run; the process-wide F table, separator and number pattern are restored afterwards.
// Throws SelfTestError when it cannot run.
SelfTestRun RunSelfTest(const std::filesystem::path& referenceFolder, const std::filesystem::path& database,
                        const SelfTestProgress& progress = {});

// --- pieces RunSelfTest is made of, usable one at a time

// The checks of one case file. Throws SelfTestError naming the file and line of a fault in it.
std::vector<SelfTestLine> RunCaseFile(const std::filesystem::path& caseFile);

// TabF of the database against the rows of the seed script: one line per GDL_1 of the seed, one failing
// line naming every row that differs, is missing or is not in the seed.
std::vector<SelfTestLine> CheckFTable(const std::filesystem::path& database,
                                      const std::filesystem::path& seed);

}  // namespace kestra
