// Access to the report database: the study report tables, the company master data and the F table.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/report_records.h"

namespace kestra {

// A database fault; what() names the file and the step that failed, in Italian.
class ReportDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The company row of table Anagrafica, printed in every report heading.
struct CompanyData {
    // Text fields in the order of the company dialog's fields 0..9.
    static constexpr std::array<const char*, 10> kTextFields = {
        "AZIENDA", "TITOLARE", "RESPONSABILECHIMICO", "VIA", "CITTA", "CAP", "TEL", "FAX",
        "EMAIL",   "INTERNET"};

    std::array<std::string, 10> texts;  // null fields read as ""
    std::string logoPath;               // LOGOTXT
    std::int16_t noLogoFlag = -1;       // NOLOGOFLAG: -1 logo removed, 0 logo chosen
};

// One open connection to the report database file. Table and field names are checked against the
// file's own schema before use and values always travel as bound parameters.
class ReportDatabase {
public:
    enum class Mode { ReadOnly, ReadWrite };

    // The file must exist; nothing is created.
    ReportDatabase(const std::filesystem::path& path, Mode mode);
    ~ReportDatabase();
    ReportDatabase(ReportDatabase&&) noexcept;
    ReportDatabase& operator=(ReportDatabase&&) noexcept;
    ReportDatabase(const ReportDatabase&) = delete;
    ReportDatabase& operator=(const ReportDatabase&) = delete;

    const std::filesystem::path& path() const;

    // Report tables. Rows are ordered by insertion (rowid).
    void deleteFirstRow(const std::string& table);
    void deleteAllRows(const std::string& table);
    void append(const std::string& table, const ReportRecord& record);  // only the fields present
    std::vector<ReportRecord> readAll(const std::string& table) const;  // NULL fields are absent
    std::int64_t rowCount(const std::string& table) const;

    // Hands a study's report over: deletes the header table's first row, appends the header,
    // empties the detail table and appends the details, all or nothing.
    void writeReport(const ReportRecords& records);

    // Company master data: the first row of Anagrafica. Without a row the defaults come back and
    // writing adds the row with ID 1.
    CompanyData readAnagrafica() const;
    void writeAnagrafica(const CompanyData& data);
    std::string companyLogoPath() const;  // LOGOTXT of the first row, "" when null

    // VAL_F of the first TabF row with these degrees of freedom.
    std::optional<double> findF(int gdl1, int gdl2) const;
    // Every TabF row in rowid order; a NULL VAL_F is an empty value.
    struct FRow {
        int gdl1 = 0;
        int gdl2 = 0;
        std::optional<double> value;
    };
    std::vector<FRow> readFTable() const;
    // The error findF raises for a row without a value, for callers that keep the table themselves.
    static ReportDatabaseError MissingFValue(const std::filesystem::path& path, int gdl1, int gdl2);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace kestra
