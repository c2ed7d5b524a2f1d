// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/report_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

#include "reporting/f_table.h"
#include "stats/statistics.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

class ReportDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { fs::copy_file(KESTRA_TEMPLATE_DB, m_path); }

    ReportDatabase open(ReportDatabase::Mode mode = ReportDatabase::Mode::ReadWrite) const
    {
        return ReportDatabase(m_path, mode);
    }

    static ReportRecord limitsRow(std::int64_t index, const std::string& text)
    {
        ReportRecord r;
        r.set("ID", std::int64_t{1});
        r.set("NDATI", index);
        r.set("COLA", text);
        return r;
    }

    static std::string errorOf(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const ReportDatabaseError& e) {
            return e.what();
        }
        ADD_FAILURE() << "no ReportDatabaseError raised";
        return {};
    }

    test::TempDir m_dir;
    fs::path m_path = m_dir / "KESTRA73.MDB";
};

TEST_F(ReportDatabaseTest, TemplateHoldsTheFTableForSmallNumeratorDegrees)
{
    const auto db = open(ReportDatabase::Mode::ReadOnly);
    EXPECT_EQ(db.rowCount("TabF"), 3000);
    EXPECT_EQ(db.findF(2, 6), 5.14);
    EXPECT_EQ(db.findF(2, 3), 9.55);
    EXPECT_EQ(db.findF(1, 1), 161.45);
    ASSERT_TRUE(db.findF(1, 1000).has_value());
    EXPECT_NEAR(*db.findF(1, 1000), 3.85, 1e-12);
    EXPECT_FALSE(db.findF(2, 1001).has_value());
    EXPECT_FALSE(db.findF(4, 10).has_value());
}

TEST_F(ReportDatabaseTest, TemplateHasEmptyReportTablesAndOneBlankCompanyRow)
{
    const auto db = open(ReportDatabase::Mode::ReadOnly);
    for (const char* table :
         {"Limi", "LimiTabella", "Prec", "PrecTabella", "Tara", "TaraTabella", "Accu", "Accu3Tabella", "Spec",
          "SpecTabella", "Prin", "PrinTabella", "Ripr", "RiprTabella"})
        EXPECT_EQ(db.rowCount(table), 0) << table;

    const auto rows = db.readAll("Anagrafica");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::get<std::int64_t>(*rows[0].find("ID")), 1);
    EXPECT_EQ(std::get<std::int64_t>(*rows[0].find("NOLOGOFLAG")), -1);
    EXPECT_EQ(rows[0].text("AZIENDA"), "");
    EXPECT_EQ(rows[0].find("LOGO"), nullptr);
    EXPECT_EQ(db.companyLogoPath(), "");
    const CompanyData company = db.readAnagrafica();
    EXPECT_EQ(company.noLogoFlag, -1);
    for (const auto& text : company.texts) EXPECT_EQ(text, "");
}

TEST_F(ReportDatabaseTest, DeleteFirstRowRemovesOnlyTheOldestRow)
{
    auto db = open();
    for (int i = 1; i <= 3; ++i) db.append("LimiTabella", limitsRow(i, "v" + std::to_string(i)));
    db.deleteFirstRow("LimiTabella");
    auto rows = db.readAll("LimiTabella");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("COLA"), "v2");
    db.append("LimiTabella", limitsRow(4, "v4"));
    rows = db.readAll("LimiTabella");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].text("COLA"), "v4");

    db.deleteAllRows("LimiTabella");
    EXPECT_EQ(db.rowCount("LimiTabella"), 0);
    EXPECT_NO_THROW(db.deleteFirstRow("LimiTabella"));  // nothing to delete is no fault
}

TEST_F(ReportDatabaseTest, AppendAndReadAllRoundTripKeepValuesAndAbsences)
{
    const std::string tricky = "O'Brien \"quoted\"; DROP TABLE Spec; -- àèé\r\nseconda riga";
    {
        auto db = open();
        ReportRecord row;
        row.set("ID", std::int64_t{1});
        row.set("NDATI", std::int64_t{7});
        row.set("COLA", tricky);
        db.append("spectabella", row);  // names resolve as the database does, ignoring case
        ReportRecord prin;
        prin.set("ID", std::int64_t{1});
        prin.set("NSERIE", std::int64_t{-32768});
        prin.set("STRAT", 0.25);
        db.append("Prin", prin);
    }
    const auto db = open(ReportDatabase::Mode::ReadOnly);
    const auto rows = db.readAll("SpecTabella");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::get<std::int64_t>(*rows[0].find("NDATI")), 7);
    EXPECT_EQ(rows[0].text("COLA"), tricky);
    EXPECT_EQ(rows[0].find("COLB"), nullptr);
    ASSERT_EQ(rows[0].fields().size(), 3u);
    EXPECT_EQ(rows[0].fields()[2].first, "COLA");  // the schema's own spelling and order

    const auto prin = db.readAll("Prin");
    ASSERT_EQ(prin.size(), 1u);
    EXPECT_EQ(std::get<std::int64_t>(*prin[0].find("NSERIE")), -32768);
    EXPECT_EQ(prin[0].find("NDATITOT"), nullptr);
    EXPECT_EQ(db.rowCount("Spec"), 0);
}

TEST_F(ReportDatabaseTest, DoublesStayDoublesInNumericFields)
{
    auto db = open();
    ReportRecord row;
    row.set("GDL_1", std::int64_t{9});
    row.set("GDL_2", std::int64_t{9});
    row.set("VAL_F", 3.17892);
    db.append("TabF", row);
    EXPECT_EQ(db.findF(9, 9), 3.17892);
    EXPECT_EQ(std::get<double>(*db.readAll("TabF").back().find("VAL_F")), 3.17892);
}

TEST_F(ReportDatabaseTest, NamesOutsideTheSchemaAndOutOfRangeCountsAreRefused)
{
    auto db = open();
    std::string message = errorOf([&] { db.append("Limi; DROP TABLE Limi", limitsRow(1, "x")); });
    EXPECT_NE(message.find("non esiste"), std::string::npos) << message;
    EXPECT_NE(message.find(m_path.string()), std::string::npos) << message;

    ReportRecord bad = limitsRow(1, "x");
    bad.set("COLA\" TEXT, X", std::string("y"));
    message = errorOf([&] { db.append("LimiTabella", bad); });
    EXPECT_NE(message.find("non esiste nella tabella LimiTabella"), std::string::npos) << message;

    message = errorOf([&] { db.append("LimiTabella", limitsRow(40000, "x")); });
    EXPECT_NE(message.find("16 bit"), std::string::npos) << message;
    EXPECT_EQ(db.rowCount("LimiTabella"), 0);
    EXPECT_NE(errorOf([&] { db.readAll("sqlite_master"); }), "");
    EXPECT_EQ(db.rowCount("Limi"), 0);
}

TEST_F(ReportDatabaseTest, WriteReportReplacesThePreviousReportAllOrNothing)
{
    auto db = open();
    auto report = [](const std::string& method, int details) {
        ReportRecords r;
        r.headerTable = "Limi";
        r.detailTable = "LimiTabella";
        r.header.set("ID", std::int64_t{1});
        r.header.set("METODO", method);
        for (int i = 1; i <= details; ++i) r.details.push_back(limitsRow(i, method + std::to_string(i)));
        return r;
    };
    db.writeReport(report("primo", 5));
    db.writeReport(report("secondo", 3));
    auto header = db.readAll("Limi");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].text("METODO"), "secondo");
    auto details = db.readAll("LimiTabella");
    ASSERT_EQ(details.size(), 3u);
    EXPECT_EQ(details[0].text("COLA"), "secondo1");

    auto broken = report("terzo", 2);
    broken.details[1].set("NOPE", std::string("x"));
    const std::string message = errorOf([&] { db.writeReport(broken); });
    EXPECT_NE(message.find("Limi"), std::string::npos) << message;
    header = db.readAll("Limi");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].text("METODO"), "secondo");
    EXPECT_EQ(db.rowCount("LimiTabella"), 3);
}

TEST_F(ReportDatabaseTest, CompanyDataRoundTripAndNulls)
{
    {
        auto db = open();
        CompanyData data;
        for (std::size_t i = 0; i < data.texts.size(); ++i)
            data.texts[i] = "campo " + std::to_string(i) + " 'x'";
        data.logoPath = "/home/lab/logo.png";
        data.noLogoFlag = 0;
        db.writeAnagrafica(data);
        EXPECT_EQ(db.rowCount("Anagrafica"), 1);
        data.noLogoFlag = -1;  // logo removed: the path is kept
        db.writeAnagrafica(data);
    }
    auto db = open();
    CompanyData read = db.readAnagrafica();
    EXPECT_EQ(read.texts[0], "campo 0 'x'");
    EXPECT_EQ(read.texts[9], "campo 9 'x'");
    EXPECT_EQ(read.noLogoFlag, -1);
    EXPECT_EQ(db.companyLogoPath(), "/home/lab/logo.png");
    EXPECT_EQ(std::get<std::string>(*db.readAll("Anagrafica")[0].find("INTERNET")), "campo 9 'x'");

    // A row whose fields are null reads as empty texts; without a row, writing adds one.
    db.deleteAllRows("Anagrafica");
    ReportRecord bare;
    bare.set("ID", std::int64_t{1});
    db.append("Anagrafica", bare);
    read = db.readAnagrafica();
    EXPECT_EQ(read.texts[3], "");
    EXPECT_EQ(read.logoPath, "");
    EXPECT_EQ(db.companyLogoPath(), "");
    db.deleteAllRows("Anagrafica");
    CompanyData fresh;
    fresh.texts[0] = "Laboratorio";
    db.writeAnagrafica(fresh);
    const auto rows = db.readAll("Anagrafica");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(std::get<std::int64_t>(*rows[0].find("ID")), 1);
    EXPECT_EQ(rows[0].text("AZIENDA"), "Laboratorio");
}

TEST_F(ReportDatabaseTest, OpeningFailuresNameTheFileAndTheStep)
{
    const fs::path missing = m_dir / "manca.MDB";
    std::string message = errorOf([&] { ReportDatabase db(missing, ReportDatabase::Mode::ReadWrite); });
    EXPECT_NE(message.find(missing.string()), std::string::npos) << message;
    EXPECT_NE(message.find("apertura"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(missing));

    const fs::path notDatabase = m_dir / "testo.MDB";
    test::writeFile(notDatabase, std::string(2048, 'x'));
    EXPECT_NE(errorOf([&] { ReportDatabase db(notDatabase, ReportDatabase::Mode::ReadOnly); }), "");

    auto readOnly = open(ReportDatabase::Mode::ReadOnly);
    message = errorOf([&] { readOnly.deleteAllRows("TabF"); });
    EXPECT_NE(message.find("TabF"), std::string::npos) << message;
    EXPECT_EQ(readOnly.rowCount("TabF"), 3000);
}

TEST_F(ReportDatabaseTest, DatabaseFTableFeedsTheCriticalValues)
{
    const DatabaseFTable table(m_path);
    EXPECT_EQ(FCritical05(2, 6, table), 5.14);
    EXPECT_EQ(FCritical05(2, 3, table), 9.55);
    EXPECT_EQ(FCritical05(3, 1000, table), 2.61);
    EXPECT_EQ(FCritical05(2, 5000, table), 3.0);
    EXPECT_EQ(FCritical05(1, 0, table), 3.84);

    // The table is read once per process: the file is not opened again for later lookups.
    {
        auto db = open();
        db.deleteAllRows("TabF");
    }
    EXPECT_EQ(FCritical05(2, 6, table), 5.14);
    const DatabaseFTable fresh(m_path);
    EXPECT_EQ(FCritical05(2, 6, fresh), 3.0);

    // A file that is not there fails every lookup that needs it, and is read once it appears.
    const fs::path late = m_dir / "manca.MDB";
    const DatabaseFTable missing(late);
    EXPECT_THROW(FCritical05(2, 6, missing), ReportDatabaseError);
    EXPECT_NO_THROW(FCritical05(4, 6, missing));  // the expansion needs no table
    fs::copy_file(KESTRA_TEMPLATE_DB, late);
    EXPECT_EQ(FCritical05(2, 6, missing), 5.14);
}

TEST_F(ReportDatabaseTest, DatabaseFTableKeepsTheFirstRowOfAPairAndReportsAMissingValue)
{
    {
        auto db = open();
        db.deleteAllRows("TabF");
        for (const auto& [g1, g2, value] :
             {std::tuple{2, 6, 7.5}, std::tuple{2, 6, 9.5}, std::tuple{3, 4, 0.0}}) {
            ReportRecord row;
            row.set("GDL_1", std::int64_t{g1});
            row.set("GDL_2", std::int64_t{g2});
            if (g1 != 3) row.set("VAL_F", value);
            db.append("TabF", row);
        }
    }
    const DatabaseFTable table(m_path);
    EXPECT_EQ(table.find(2, 6), 7.5);
    EXPECT_EQ(table.find(2, 7), std::nullopt);
    try {
        table.find(3, 4);
        ADD_FAILURE() << "a row without a value must be refused";
    } catch (const ReportDatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Errore nel database dei report \"" + m_path.string() +
                      "\" durante la ricerca nella tabella TabF: la riga (3, 4) non ha un "
                      "valore di F");
    }
    // the database's own lookup says the same
    EXPECT_THROW(open().findF(3, 4), ReportDatabaseError);
}

}  // namespace
}  // namespace kestra
