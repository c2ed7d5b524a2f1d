// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_database_check.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <iterator>
#include <utility>
#include <vector>

#include "framework/errors.h"
#include "framework/prompts.h"
#include "reporting/report_database.h"
#include "text/messages.h"

namespace kestra {

namespace fs = std::filesystem;

const char* const kReportDatabaseTables[16] = {
    "TabF", "Anagrafica",   "Limi", "LimiTabella", "Prec", "PrecTabella", "Tara", "TaraTabella",
    "Accu", "Accu3Tabella", "Spec", "SpecTabella", "Prin", "PrinTabella", "Ripr", "RiprTabella"};

namespace {

using State = DatabaseCheck::State;

constexpr int kBusyTimeoutMs = 2000;
constexpr const char* kCompanyDataAgain =
    "i dati dell'azienda (File > Anagrafica Azienda) andranno inseriti di nuovo";

DatabaseCheck sqliteFault(int code)
{
    switch (code & 0xff) {
        case SQLITE_NOTADB:
            return {State::Damaged, Msg("il contenuto del file non è quello di un database")};
        case SQLITE_CORRUPT:
            return {State::Damaged, Msg("il file è danneggiato")};
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return {State::Unreadable, Msg("il file è bloccato da un altro programma")};
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return {State::Unreadable, Msg("il file non si può aprire (permessi insufficienti)")};
        case SQLITE_IOERR:
            return {State::Unreadable, Msg("errore di lettura del disco")};
        default:
            return {State::Unreadable, Msg("errore %1 nella lettura del file", {std::to_string(code)})};
    }
}

std::string stampOf(std::chrono::system_clock::time_point now)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d_%H-%M-%S", &local);
    return buffer;
}

bool present(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// SQLite's companions of a database file: a journal left beside a new database would be replayed into it.
constexpr const char* kCompanions[] = {"", "-journal", "-wal", "-shm"};

}  // namespace

DatabaseCheck CheckReportDatabase(const fs::path& database)
{
    std::error_code ec;
    const fs::file_status status = fs::status(database, ec);
    if (!fs::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory)
            return {State::Unreadable, Msg("il file non è raggiungibile (%1)", {SystemErrorText(ec)})};
        return {State::Missing, Msg("il file non esiste")};
    }
    if (!fs::is_regular_file(status))
        return {State::Unreadable, Msg("non è un file ma una cartella o un dispositivo")};
    if (fs::file_size(database, ec) == 0 && !ec) return {State::Damaged, Msg("il file è vuoto")};
    try {
        SQLite::Database db(database, SQLite::OPEN_READONLY, kBusyTimeoutMs);
        SQLite::Statement integrity(db, "PRAGMA quick_check(1)");
        if (!integrity.executeStep() || integrity.getColumn(0).getString() != "ok")
            return {State::Damaged, Msg("il file è danneggiato (la verifica della sua integrità non è superata)")};
        std::vector<std::string> missing;
        SQLite::Statement table(
            db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
        for (const char* name : kReportDatabaseTables) {
            table.reset();
            table.bind(1, name);
            if (!table.executeStep()) missing.emplace_back(name);
        }
        if (missing.size() == std::size(kReportDatabaseTables))
            return {State::Damaged, Msg("il file non contiene le tabelle dei report")};
        if (!missing.empty()) {
            std::string list;
            for (const std::string& name : missing) list += (list.empty() ? "" : ", ") + name;
            return {State::Damaged,
                    (missing.size() == 1 ? Msg("manca la tabella %1", {list}) : Msg("mancano le tabelle %1", {list}))};
        }
    } catch (const SQLite::Exception& e) {
        return sqliteFault(e.getErrorCode());
    }
    return {};
}

std::error_code CopyTemplateDatabase(const fs::path& templateDatabase, const fs::path& target)
{
    const fs::path temp = target.string() + ".tmp";
    std::error_code ec;
    fs::remove(temp, ec);
    fs::copy_file(templateDatabase, temp, ec);
    // the template may be installed read-only; the user's copy must be theirs to write
    if (!ec) fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    if (!ec) fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return ec;
}

fs::path SetAsideReportDatabase(const fs::path& database, const fs::path& templateDatabase,
                                std::chrono::system_clock::time_point now)
{
    const std::string failed =
        Msg("Impossibile sostituire il database dei report \"%1\": ", {database.string()});
    const DatabaseCheck model = CheckReportDatabase(templateDatabase);
    if (model.state != State::Usable)
        throw ReportDatabaseError(failed + Msg("il database del programma \"%1\" non è utilizzabile (%2).",
                                               {templateDatabase.string(), model.problem}));
    const fs::path fresh = database.string() + ".nuovo";
    if (const std::error_code ec = CopyTemplateDatabase(templateDatabase, fresh))
        throw ReportDatabaseError(
            failed + Msg("la copia del database del programma non è riuscita (%1).", {SystemErrorText(ec)}));

    fs::path aside;
    if (std::any_of(std::begin(kCompanions), std::end(kCompanions),
                    [&](const char* companion) { return present(database.string() + companion); })) {
        const std::string stamped = database.string() + ".danneggiato-" + stampOf(now);
        aside = stamped;
        for (int n = 2; present(aside); ++n) aside = stamped + "-" + std::to_string(n);
    }

    std::vector<std::pair<fs::path, fs::path>> moved;
    const auto undo = [&](const std::error_code& ec) {
        std::error_code ignored;
        for (auto it = moved.rbegin(); it != moved.rend(); ++it) fs::rename(it->second, it->first, ignored);
        fs::remove(fresh, ignored);
        throw ReportDatabaseError(failed + SystemErrorText(ec) + ". " + Msg("Nessun file è stato cancellato."));
    };
    std::error_code ec;
    for (const char* companion : kCompanions) {
        const fs::path from = database.string() + companion;
        if (!present(from)) continue;
        const fs::path to = aside.string() + companion;
        fs::rename(from, to, ec);
        if (ec) undo(ec);
        moved.emplace_back(from, to);
    }
    fs::rename(fresh, database, ec);
    if (ec) undo(ec);
    return aside;
}

std::string DamagedDatabaseQuestion(const fs::path& database, const DatabaseCheck& check)
{
    return Msg("Il database dei report\n%1\nnon è utilizzabile: %2.\n\nFinché non viene sostituito non si può "
               "stampare nessun report. Il programma può mettere da parte il file danneggiato (rinominato con la "
               "data e l'ora, non cancellato) e ripartire dal database iniziale fornito con il programma; %3.\n\n"
               "Mettere da parte il file danneggiato e ripartire dal database del programma?",
               {database.string(), check.problem, Msg(kCompanyDataAgain)});
}

std::string DamagedDatabaseCommandLineText(const fs::path& database, const DatabaseCheck& check)
{
    return Msg("il database dei report \"%1\" non è utilizzabile: %2. Avviare kestra, che propone di metterlo da "
               "parte e di ripartire dal database del programma (%3), oppure indicare un altro database con "
               "--database.",
               {database.string(), check.problem, Msg(kCompanyDataAgain)});
}

bool EnsureUsableReportDatabase(const fs::path& database, const fs::path& templateDatabase, Prompts& prompts)
{
    const DatabaseCheck check = CheckReportDatabase(database);
    // a missing or unreadable file is said by the step that needs it, as it always was
    if (check.state != State::Damaged) return true;
    if (prompts.ask(MessageIcon::Warning, DamagedDatabaseQuestion(database, check)) != Answer::Yes)
        return false;
    try {
        const fs::path aside = SetAsideReportDatabase(database, templateDatabase);
        prompts.information(
            (aside.empty() ? Msg("Il database dei report è stato creato dal database del programma.")
                           : Msg("Il database dei report è stato sostituito con quello del programma; il file "
                                 "danneggiato è conservato come:\n%1",
                                 {aside.string()})) +
            "\n\n" + Msg("Inserire di nuovo i dati dell'azienda con File > Anagrafica Azienda."));
        return true;
    } catch (const std::exception& e) {
        prompts.critical(e.what());
        return false;
    }
}

}  // namespace kestra
