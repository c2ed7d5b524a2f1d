// Whether the report database file can be used, and the way out when it cannot: the damaged file set aside
// and the template database copied in its place.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>

namespace kestra {

class Prompts;

struct DatabaseCheck {
    enum class State {
        Usable,
        Missing,     // no file: the template can take its place
        Damaged,     // empty, not a database, failing its integrity check, or without the report tables
        Unreadable,  // there, but locked or not readable (permissions): replacing it would not help
    };
    State state = State::Usable;
    std::string problem;  // Italian, without the final full stop; empty when usable
};

// The tables every report database holds (the template's own).
extern const char* const kReportDatabaseTables[16];

// Opens the file read-only and checks it: integrity (SQLite's quick check) and the report tables.
DatabaseCheck CheckReportDatabase(const std::filesystem::path& database);

// Copies the template to target through a temporary file beside it, so target is never half written; the
// copy is the user's to write even when the template is installed read-only.
std::error_code CopyTemplateDatabase(const std::filesystem::path& templateDatabase,
                                     const std::filesystem::path& target);

// Renames the database (and any journal beside it) to "<name>.danneggiato-<date>_<time>" and copies the
// template in its place; returns the new name of the old file (empty when there was none). Nothing is
// deleted: on failure the old file is back in place and ReportDatabaseError says what went wrong.
std::filesystem::path SetAsideReportDatabase(
    const std::filesystem::path& database, const std::filesystem::path& templateDatabase,
    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// The question offering the replacement of a damaged database.
std::string DamagedDatabaseQuestion(const std::filesystem::path& database, const DatabaseCheck& check);
// What kestra-cli says of a damaged database (no question there).
std::string DamagedDatabaseCommandLineText(const std::filesystem::path& database, const DatabaseCheck& check);

// Before the report database is used (at start-up, before a print): a damaged file is explained and, when
// the user agrees, set aside and replaced by the template. Returns false only when a damaged file stays;
// a missing or unreadable one is left to the step that opens it, which says what is wrong.
bool EnsureUsableReportDatabase(const std::filesystem::path& database,
                                const std::filesystem::path& templateDatabase, Prompts& prompts);

}  // namespace kestra
