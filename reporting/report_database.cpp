// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_database.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <stdexcept>
#include <utility>

#include "text/messages.h"

namespace kestra {

namespace {

// A lock held by another program is waited for this long before the step fails.
constexpr int kBusyTimeoutMs = 2000;

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Names reach the SQL text only after they were found in the schema; quoting still keeps any
// character of a name from being read as SQL.
std::string quoted(const std::string& name)
{
    std::string result = "\"";
    for (char c : name) {
        if (c == '"') result += '"';
        result += c;
    }
    return result + "\"";
}

// The bytes of a text or blob value; "" for NULL.
std::string textOf(const SQLite::Column& value)
{
    if (value.isNull()) return {};
    // Pointer first, then the size: SQLite sizes the converted text only once it exists.
    const void* data = value.isBlob() ? value.getBlob() : static_cast<const void*>(value.getText());
    const int bytes = value.getBytes();
    if (!data || bytes == 0) return {};
    return std::string(static_cast<const char*>(data), static_cast<std::size_t>(bytes));
}

struct Column {
    std::string name;
    bool smallInt = false;  // 16-bit integer field
};

struct TableInfo {
    std::string name;
    std::vector<Column> columns;

    const Column* find(const std::string& field) const
    {
        const std::string key = lower(field);
        for (const auto& c : columns)
            if (lower(c.name) == key) return &c;
        return nullptr;
    }
};

}  // namespace

struct ReportDatabase::Impl {
    std::filesystem::path path;
    SQLite::Database db;
    mutable std::map<std::string, TableInfo> tables;  // by lower-case name

    Impl(const std::filesystem::path& p, Mode mode)
        : path(p),
          db(p, mode == Mode::ReadOnly ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE, kBusyTimeoutMs)
    {
        // Opening is lazy in SQLite; reading the schema now makes a file that is not a database
        // fail here rather than at the first report.
        SQLite::Statement probe(db, "SELECT count(*) FROM sqlite_master");
        probe.executeStep();
    }

    ReportDatabaseError failure(const std::string& step, const std::string& detail) const
    {
        return ReportDatabaseError(
            Msg("Errore nel database dei report \"%1\" durante %2: %3", {path.string(), step, detail}));
    }

    template <class Work>
    auto guarded(const std::string& step, Work&& work) const -> decltype(work())
    {
        try {
            return work();
        } catch (const std::exception& e) {
            throw failure(step, e.what());
        }
    }

    const TableInfo& table(const std::string& name) const
    {
        const std::string key = lower(name);
        if (auto it = tables.find(key); it != tables.end()) return it->second;

        SQLite::Statement query(
            db,
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE "
            "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
        query.bind(1, name);
        if (!query.executeStep()) throw std::runtime_error(Msg("la tabella \"%1\" non esiste", {name}));
        TableInfo info;
        info.name = query.getColumn(0).getString();

        SQLite::Statement columns(db, "SELECT name, upper(type) FROM pragma_table_info(?) ORDER BY cid");
        columns.bind(1, info.name);
        while (columns.executeStep())
            info.columns.push_back(
                {columns.getColumn(0).getString(), columns.getColumn(1).getString() == "SMALLINT"});
        return tables.emplace(key, std::move(info)).first->second;
    }

    void deleteFirstRow(const TableInfo& t)
    {
        SQLite::Statement del(db, "DELETE FROM " + quoted(t.name) + " WHERE rowid = (SELECT rowid FROM " +
                                      quoted(t.name) + " ORDER BY rowid LIMIT 1)");
        del.exec();
    }

    void deleteAllRows(const TableInfo& t) { db.exec("DELETE FROM " + quoted(t.name)); }

    void append(const TableInfo& t, const ReportRecord& record)
    {
        const auto& fields = record.fields();
        if (fields.empty()) {
            db.exec("INSERT INTO " + quoted(t.name) + " DEFAULT VALUES");
            return;
        }
        std::string names;
        std::string marks;
        std::vector<const Column*> targets;
        for (const auto& [field, value] : fields) {
            const Column* column = t.find(field);
            if (!column)
                throw std::runtime_error(Msg("il campo \"%1\" non esiste nella tabella %2", {field, t.name}));
            if (const auto* integer = std::get_if<std::int64_t>(&value);
                integer && column->smallInt &&
                (*integer < std::numeric_limits<std::int16_t>::min() ||
                 *integer > std::numeric_limits<std::int16_t>::max()))
                throw std::runtime_error(Msg("il valore %1 non rientra nel campo intero a 16 bit %2",
                                             {std::to_string(*integer), column->name}));
            names += (names.empty() ? "" : ", ") + quoted(column->name);
            marks += marks.empty() ? "?" : ", ?";
        }
        SQLite::Statement insert(db,
                                 "INSERT INTO " + quoted(t.name) + " (" + names + ") VALUES (" + marks + ")");
        int index = 1;
        for (const auto& [field, value] : fields) {
            std::visit([&](const auto& v) { insert.bind(index, v); }, value);
            ++index;
        }
        insert.exec();
    }
};

ReportDatabase::ReportDatabase(const std::filesystem::path& path, Mode mode)
{
    try {
        m_impl = std::make_unique<Impl>(path, mode);
    } catch (const std::exception& e) {
        throw ReportDatabaseError(
            Msg("Errore nel database dei report \"%1\" durante l'apertura: %2", {path.string(), e.what()}));
    }
}

ReportDatabase::~ReportDatabase() = default;
ReportDatabase::ReportDatabase(ReportDatabase&&) noexcept = default;
ReportDatabase& ReportDatabase::operator=(ReportDatabase&&) noexcept = default;

const std::filesystem::path& ReportDatabase::path() const
{
    return m_impl->path;
}

void ReportDatabase::deleteFirstRow(const std::string& table)
{
    m_impl->guarded(Msg("l'eliminazione della prima riga della tabella %1", {table}),
                    [&] { m_impl->deleteFirstRow(m_impl->table(table)); });
}

void ReportDatabase::deleteAllRows(const std::string& table)
{
    m_impl->guarded(Msg("l'eliminazione delle righe della tabella %1", {table}),
                    [&] { m_impl->deleteAllRows(m_impl->table(table)); });
}

void ReportDatabase::append(const std::string& table, const ReportRecord& record)
{
    m_impl->guarded(Msg("l'aggiunta di una riga alla tabella %1", {table}),
                    [&] { m_impl->append(m_impl->table(table), record); });
}

std::vector<ReportRecord> ReportDatabase::readAll(const std::string& table) const
{
    return m_impl->guarded(Msg("la lettura della tabella %1", {table}), [&] {
        const TableInfo& t = m_impl->table(table);
        std::string names;
        for (const auto& c : t.columns) names += (names.empty() ? "" : ", ") + quoted(c.name);
        SQLite::Statement query(m_impl->db,
                                "SELECT " + names + " FROM " + quoted(t.name) + " ORDER BY rowid");
        std::vector<ReportRecord> rows;
        while (query.executeStep()) {
            ReportRecord row;
            for (std::size_t i = 0; i < t.columns.size(); ++i) {
                const SQLite::Column value = query.getColumn(static_cast<int>(i));
                const std::string& name = t.columns[i].name;
                if (value.isInteger())
                    row.set(name, static_cast<std::int64_t>(value.getInt64()));
                else if (value.isFloat())
                    row.set(name, value.getDouble());
                else if (value.isText() || value.isBlob())
                    row.set(name, textOf(value));
                // NULL: the field stays absent
            }
            rows.push_back(std::move(row));
        }
        return rows;
    });
}

std::int64_t ReportDatabase::rowCount(const std::string& table) const
{
    return m_impl->guarded(Msg("il conteggio delle righe della tabella %1", {table}), [&] {
        SQLite::Statement query(m_impl->db, "SELECT count(*) FROM " + quoted(m_impl->table(table).name));
        query.executeStep();
        return static_cast<std::int64_t>(query.getColumn(0).getInt64());
    });
}

void ReportDatabase::writeReport(const ReportRecords& records)
{
    m_impl->guarded(
        Msg("la scrittura del report nelle tabelle %1 e %2", {records.headerTable, records.detailTable}),
        [&] {
            const TableInfo& header = m_impl->table(records.headerTable);
            const TableInfo& detail = m_impl->table(records.detailTable);
            // One transaction: a failure keeps the previous report whole, and hundreds of
            // detail rows are written with a single sync.
            SQLite::Transaction transaction(m_impl->db);
            m_impl->deleteFirstRow(header);
            m_impl->append(header, records.header);
            m_impl->deleteAllRows(detail);
            for (const auto& row : records.details) m_impl->append(detail, row);
            transaction.commit();
        });
}

CompanyData ReportDatabase::readAnagrafica() const
{
    return m_impl->guarded(Msg("la lettura dell'anagrafica azienda"), [&] {
        std::string names;
        for (const char* field : CompanyData::kTextFields) names += std::string(field) + ", ";
        SQLite::Statement query(
            m_impl->db, "SELECT " + names + "LOGOTXT, NOLOGOFLAG FROM Anagrafica ORDER BY rowid LIMIT 1");
        CompanyData data;
        if (!query.executeStep()) return data;
        for (std::size_t i = 0; i < data.texts.size(); ++i)
            data.texts[i] = textOf(query.getColumn(static_cast<int>(i)));
        data.logoPath = textOf(query.getColumn(10));
        const SQLite::Column flag = query.getColumn(11);
        data.noLogoFlag = flag.isNull() ? std::int16_t{-1} : static_cast<std::int16_t>(flag.getInt());
        return data;
    });
}

void ReportDatabase::writeAnagrafica(const CompanyData& data)
{
    m_impl->guarded(Msg("il salvataggio dell'anagrafica azienda"), [&] {
        std::string assignments;
        for (const char* field : CompanyData::kTextFields) assignments += std::string(field) + " = ?, ";
        SQLite::Statement update(m_impl->db, "UPDATE Anagrafica SET " + assignments +
                                                 "LOGOTXT = ?, NOLOGOFLAG = ? WHERE rowid = "
                                                 "(SELECT rowid FROM Anagrafica ORDER BY rowid LIMIT 1)");
        int index = 1;
        for (const auto& text : data.texts) update.bind(index++, text);
        update.bind(index++, data.logoPath);
        update.bind(index, static_cast<int>(data.noLogoFlag));
        if (update.exec() > 0) return;

        std::string names;
        for (const char* field : CompanyData::kTextFields) names += std::string(field) + ", ";
        SQLite::Statement insert(m_impl->db,
                                 "INSERT INTO Anagrafica (ID, " + names +
                                     "LOGOTXT, NOLOGOFLAG) VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        index = 1;
        for (const auto& text : data.texts) insert.bind(index++, text);
        insert.bind(index++, data.logoPath);
        insert.bind(index, static_cast<int>(data.noLogoFlag));
        insert.exec();
    });
}

std::string ReportDatabase::companyLogoPath() const
{
    return m_impl->guarded(Msg("la lettura del logo dell'anagrafica azienda"), [&] {
        SQLite::Statement query(m_impl->db, "SELECT LOGOTXT FROM Anagrafica ORDER BY rowid LIMIT 1");
        return query.executeStep() ? textOf(query.getColumn(0)) : std::string();
    });
}

std::optional<double> ReportDatabase::findF(int gdl1, int gdl2) const
{
    return m_impl->guarded(Msg("la ricerca nella tabella TabF"), [&]() -> std::optional<double> {
        SQLite::Statement query(
            m_impl->db, "SELECT VAL_F FROM TabF WHERE GDL_1 = ? AND GDL_2 = ? ORDER BY rowid LIMIT 1");
        query.bind(1, gdl1);
        query.bind(2, gdl2);
        if (!query.executeStep()) return std::nullopt;
        const SQLite::Column value = query.getColumn(0);
        if (value.isNull())
            throw std::runtime_error(
                Msg("la riga (%1, %2) non ha un valore di F", {std::to_string(gdl1), std::to_string(gdl2)}));
        return value.getDouble();
    });
}

ReportDatabaseError ReportDatabase::MissingFValue(const std::filesystem::path& path, int gdl1, int gdl2)
{
    return ReportDatabaseError(
        Msg("Errore nel database dei report \"%1\" durante %2: %3",
            {path.string(), Msg("la ricerca nella tabella TabF"),
             Msg("la riga (%1, %2) non ha un valore di F", {std::to_string(gdl1), std::to_string(gdl2)})}));
}

std::vector<ReportDatabase::FRow> ReportDatabase::readFTable() const
{
    return m_impl->guarded(Msg("la lettura della tabella TabF"), [&] {
        std::vector<FRow> rows;
        SQLite::Statement query(m_impl->db, "SELECT GDL_1, GDL_2, VAL_F FROM TabF ORDER BY rowid");
        while (query.executeStep()) {
            FRow row;
            row.gdl1 = query.getColumn(0).getInt();
            row.gdl2 = query.getColumn(1).getInt();
            if (const SQLite::Column value = query.getColumn(2); !value.isNull())
                row.value = value.getDouble();
            rows.push_back(row);
        }
        return rows;
    });
}

}  // namespace kestra
