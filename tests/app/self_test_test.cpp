// The self-test against the shipped reference set: it passes as shipped, and fails, naming what, when a TabF
// row, an expected value or a reference file is not what it should be.
#include "app/self_test.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <set>

#include "app/self_test_report.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

const fs::path kReference = fs::path(KESTRA_TEMPLATE_DB).parent_path().parent_path() / "selftest";

void execute(const fs::path& database, const std::string& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::vector<SelfTestLine> failures(const SelfTestRun& run)
{
    std::vector<SelfTestLine> out;
    for (const auto& l : run.lines)
        if (!l.passed) out.push_back(l);
    return out;
}

class SelfTestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KESTRA_TEMPLATE_DB, m_db);
        fs::copy(kReference, m_reference, fs::copy_options::recursive);
    }
    void replaceInFile(const fs::path& file, const std::string& from, const std::string& to)
    {
        std::string text = test::readFile(file);
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        test::writeFile(file, text);
    }

    test::TempDir m_dir;
    fs::path m_db = m_dir / "KESTRA73.MDB";
    fs::path m_reference = m_dir / "selftest";
};

TEST_F(SelfTestTest, ShippedSetPassesAndCoversEveryGroup)
{
    const SelfTestRun run = RunSelfTest(m_reference, m_db);
    for (const auto& l : failures(run)) ADD_FAILURE() << l.name << " " << l.item << ": " << l.obtained;
    EXPECT_TRUE(run.allPassed());
    std::set<std::string> groups, studies;
    for (const auto& l : run.lines) {
        groups.insert(l.group);
        if (l.group == "studi") studies.insert(l.name.substr(0, 4));
    }
    EXPECT_EQ(groups, (std::set<std::string>{"TabF", "studi", "NIST", "statistica"}));
    EXPECT_EQ(studies, (std::set<std::string>{"LIMI", "PREC", "TARA", "ACCU", "SPEC", "PRIN", "RIPR"}));
    // every case in both languages and with both separators
    std::set<std::string> runs;
    for (const auto& l : run.lines)
        if (l.name.rfind("PREC-1 ", 0) == 0) runs.insert(l.name);
    EXPECT_EQ(runs, (std::set<std::string>{"PREC-1 it .", "PREC-1 en .", "PREC-1 it ,", "PREC-1 en ,"}));
    EXPECT_EQ(run.passed(), static_cast<int>(run.lines.size()));
    EXPECT_GT(run.lines.size(), 600u);
}

TEST_F(SelfTestTest, ChangedTabFRowFailsAndIsNamedAndReachesTheCalculations)
{
    execute(m_db,
            "UPDATE TabF SET VAL_F = 5.15 WHERE GDL_1 = 2 AND GDL_2 = 6;"
            "DELETE FROM TabF WHERE GDL_1 = 3 AND GDL_2 = 40;"
            "INSERT INTO TabF (GDL_1, GDL_2, VAL_F) VALUES (1, 5000, 3.84);"
            "INSERT INTO TabF (GDL_1, GDL_2, VAL_F) VALUES (1, 7, 9.99);");
    const SelfTestRun run = RunSelfTest(m_reference, m_db);
    EXPECT_FALSE(run.allPassed());
    std::map<std::string, SelfTestLine> tabf;
    for (const auto& l : failures(run))
        if (l.group == "TabF") tabf[l.name] = l;
    ASSERT_TRUE(tabf.count("TabF GDL_1 = 2, GDL_2 = 6"));
    EXPECT_EQ(tabf["TabF GDL_1 = 2, GDL_2 = 6"].expected, "5.14");
    EXPECT_EQ(tabf["TabF GDL_1 = 2, GDL_2 = 6"].obtained, "5.15");
    EXPECT_EQ(tabf["TabF GDL_1 = 3, GDL_2 = 40"].obtained, "riga mancante");
    EXPECT_EQ(tabf["TabF GDL_1 = 1, GDL_2 = 5000"].expected, "(nessuna riga)");
    // a second row for a pair is a change even though the calculations read the first
    EXPECT_EQ(tabf["TabF GDL_1 = 1, GDL_2 = 7"].obtained, "riga ripetuta");
    EXPECT_EQ(tabf["TabF GDL_1 = 2"].obtained, "999 righe uguali");
    EXPECT_EQ(tabf["TabF GDL_1 = 3"].obtained, "999 righe uguali");
    EXPECT_FALSE(tabf.count("TabF GDL_1 = 1"));  // its 1000 rows are still those of the seed
    EXPECT_EQ(tabf.size(), 6u);

    // the studies computed with the table checked: the accuracy example reads F(2, 6)
    bool accuracy = false, routine = false;
    for (const auto& l : failures(run)) {
        if (l.name == "ACCU-3 it ," && l.item == "TRALIVFT") {
            accuracy = true;
            EXPECT_EQ(l.expected, "5,14 (NS)");
            EXPECT_EQ(l.obtained, "5,15 (NS)");
        }
        if (l.name == "fcritical05" && l.item == "(2; 6)") routine = true;
        EXPECT_NE(l.name.rfind("LIMI", 0), 0u) << "limits read no F value";
    }
    EXPECT_TRUE(accuracy);
    EXPECT_TRUE(routine);
}

TEST_F(SelfTestTest, ChangedExpectedValueFailsOnlyThatFieldInEveryRun)
{
    replaceInFile(m_reference / "01_studi.cases", "number STDEV = 1.581\n", "number STDEV = 1.582\n");
    replaceInFile(m_reference / "02_nist.cases", "certified SERR = 1.04076068334656E-01",
                  "certified SERR = 1.04076068434656E-01");
    const SelfTestRun run = RunSelfTest(m_reference, m_db);
    const auto failed = failures(run);
    ASSERT_EQ(failed.size(), 6u);
    std::set<std::string> names;
    for (const auto& l : failed) {
        names.insert(l.name + " " + l.item + " " + l.expected + " " + l.obtained);
    }
    EXPECT_EQ(names, (std::set<std::string>{
                         "LIMI-1 it . STDEV 1.582 1.581", "LIMI-1 en . STDEV 1.582 1.581",
                         "LIMI-1 it , STDEV 1,582 1,581", "LIMI-1 en , STDEV 1,582 1,581",
                         // one digit in the tenth decimal: the certified value to every digit shown
                         "NIST-SiRstv it . SERR 0.1040760684 0.1040760683",
                         "NIST-SiRstv it , SERR 0,1040760684 0,1040760683"}));
    EXPECT_EQ(SelfTestSummary(run, Language::Italian), std::to_string(run.lines.size()) + " casi, " +
                                                           std::to_string(run.lines.size() - 6) +
                                                           " superati, 6 falliti");
    EXPECT_EQ(SelfTestSummary(run, Language::English), std::to_string(run.lines.size()) + " cases, " +
                                                           std::to_string(run.lines.size() - 6) +
                                                           " passed, 6 failed");
}

TEST_F(SelfTestTest, ChangedConclusionAndStatisticsValuesFail)
{
    replaceInFile(m_reference / "01_studi.cases", "P% = ± 1{sep}484", "P% = ± 1{sep}485");
    replaceInFile(m_reference / "03_statistica.cases", "check tcritical95 6 1 = 2.571373",
                  "check tcritical95 6 1 = 2.571374");
    replaceInFile(m_reference / "03_statistica.cases", "\"-0,001\"", "\"-0,000\"");
    const auto failed = failures(RunSelfTest(m_reference, m_db));
    std::multiset<std::string> names;
    for (const auto& l : failed) names.insert(l.name + " " + l.item);
    EXPECT_EQ(names, (std::multiset<std::string>{"PREC-1 it . CONCLUSIONI", "PREC-1 it , CONCLUSIONI",
                                                 "tcritical95 (6; 1)", "format (-0.0006; ##0.000; ,)"}));
}

TEST_F(SelfTestTest, MissingOrMalformedReferenceStopsTheRun)
{
    auto message = [&]() -> std::string {
        try {
            RunSelfTest(m_reference, m_db);
        } catch (const SelfTestError& e) {
            return e.what();
        }
        return "no error";
    };
    fs::remove(m_reference / "studies" / "taratura.TAR");
    EXPECT_NE(message().find("taratura.TAR"), std::string::npos) << message();

    fs::copy_file(kReference / "studies" / "taratura.TAR", m_reference / "studies" / "taratura.TAR");
    fs::remove(m_reference / "tabf_seed.sql");
    EXPECT_NE(message().find("tabf_seed.sql"), std::string::npos) << message();
    fs::copy_file(kReference / "tabf_seed.sql", m_reference / "tabf_seed.sql");
    EXPECT_EQ(message(), "no error");

    replaceInFile(m_reference / "03_statistica.cases", "check ttail 0 10 = 1", "check tail 0 10 = 1");
    EXPECT_NE(message().find("03_statistica.cases, riga"), std::string::npos) << message();
    EXPECT_NE(message().find("routine sconosciuta \"tail\""), std::string::npos) << message();

    test::writeFile(m_reference / "03_statistica.cases", "check format 1 #0 . = \"1\n");
    EXPECT_NE(message().find("riga 1: testo tra virgolette non chiuso"), std::string::npos) << message();
    test::writeFile(m_reference / "03_statistica.cases", "# a\ncase X\n  file studies/limiti_1.LIM\n");
    EXPECT_NE(message().find("riga 2: caso senza \"end\""), std::string::npos) << message();
    test::writeFile(m_reference / "03_statistica.cases",
                    "case X\n  file studies/limiti_1.LIM\n  number STDEV = a\nend\n");
    EXPECT_NE(message().find("riga 3"), std::string::npos) << message();

    fs::remove_all(m_reference);
    EXPECT_NE(message().find("cartella dei dati di riferimento mancante"), std::string::npos) << message();
    fs::copy(kReference, m_reference, fs::copy_options::recursive);
    fs::remove(m_db);
    EXPECT_NE(message().find("database dei report mancante"), std::string::npos) << message();
    test::writeFile(m_db, "not a database");
    EXPECT_NE(message().find("TabF"), std::string::npos) << message();
}

TEST_F(SelfTestTest, ProcessSettingsAreRestoredAfterTheRun)
{
    SetUserDecimalSeparator(',');
    SetCurrentNumberPattern("#0.00");
    const auto table = std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB);
    SetFTableLookup(table);
    RunSelfTest(m_reference, m_db);
    EXPECT_EQ(UserDecimalSeparator(), ',');
    EXPECT_EQ(CurrentNumberPattern(), "#0.00");
    EXPECT_EQ(CurrentFTableLookup(), table);
    SetUserDecimalSeparator('.');
    MakeNumberPattern(3, 3);
}

TEST(SelfTestReport, CellTextsStayOnOneLineAndShowWhereTextsDiffer)
{
    EXPECT_EQ(CaseCellText("a\r\nb\nc", "a\r\nb\nc"), "a¶b¶c");
    const std::string longText = std::string(70, 'x') + "è";
    // equal: the end, where a conclusion has its numbers
    EXPECT_EQ(CaseCellText(longText, longText, 60), "…" + std::string(59, 'x') + "è (71)");
    const std::string other = std::string(50, 'x') + "y" + std::string(19, 'x') + "è";
    // different: the part around the first difference (character 51), a third of the width before it
    EXPECT_EQ(CaseCellText(longText, other, 30), "…" + std::string(30, 'x') + "… (71)");
    EXPECT_EQ(CaseCellText(other, longText, 30),
              "…" + std::string(10, 'x') + "y" + std::string(19, 'x') + "… (71)");
    // a difference at the very end still shows a full window
    EXPECT_EQ(CaseCellText(std::string(80, 'a') + "1", std::string(80, 'a') + "2", 30),
              "…" + std::string(29, 'a') + "1 (81)");
    EXPECT_EQ(CaseCellText("short", "other"), "short");
    EXPECT_EQ(CaseCellText("", "x"), "");
}

TEST(SelfTestReport, CertificateHoldsTheFactsOneRowPerCaseAndTheSummary)
{
    SelfTestRun run;
    run.lines = {{"studi", "LIMI-1 it .", "STDEV", "1.581", "1.581", true},
                 {"TabF", "TabF GDL_1 = 2, GDL_2 = 6", "VAL_F", "5.14", "5.15", false}};
    SelfTestFacts facts;
    facts.program = "Kestra 2006";
    facts.version = "1.0.0";
    facts.executableSha256 = std::string(64, 'a');
    facts.dateTime = "09/12/2026 20:00:00";
    CompanyData company;
    company.texts[0] = "Laboratorio";
    const ReportDocument it = SelfTestCertificate(run, facts, company, Language::Italian);
    EXPECT_EQ(it.company.texts[0], "Laboratorio");
    EXPECT_EQ(it.header.text("PROGRAMMA"), "Kestra 2006 1.0.0");
    EXPECT_EQ(it.header.text("BUILD"), "sconosciuta");
    EXPECT_EQ(it.header.text("SHAESEGUIBILE"), std::string(64, 'a'));
    EXPECT_EQ(it.header.text("ESITO"), "2 casi, 1 superati, 1 falliti");
    ASSERT_EQ(it.details.size(), 2u);
    EXPECT_EQ(it.details[1].text("CASO"), "TabF GDL_1 = 2, GDL_2 = 6");
    EXPECT_EQ(it.details[1].text("VERDETTO"), "FALLITO");
    EXPECT_EQ(it.details[0].text("VERDETTO"), "SUPERATO");
    EXPECT_EQ(it.layout.text(it.layout.title), "CERTIFICATO DI VERIFICA DEL PROGRAMMA");
    const ReportDocument en = SelfTestCertificate(run, facts, company, Language::English);
    EXPECT_EQ(en.header.text("ESITO"), "2 cases, 1 passed, 1 failed");
    EXPECT_EQ(en.details[1].text("VERDETTO"), "FAIL");
    EXPECT_EQ(en.layout.text(en.layout.title), "PROGRAM VERIFICATION CERTIFICATE");

    run.lines.push_back(
        {"TabF", "TabF GDL_1 = 3", "VAL_F", "1000 righe come il modello", "999 righe uguali", false});
    run.lines.push_back({"TabF", "TabF GDL_1 = 3, GDL_2 = 9", "VAL_F", "3.86", "riga mancante", false});
    const ReportDocument counts = SelfTestCertificate(run, facts, company, Language::English);
    EXPECT_EQ(counts.details[2].text("ATTESO"), "1000 rows as in the seed");
    EXPECT_EQ(counts.details[2].text("OTTENUTO"), "999 equal rows");
    EXPECT_EQ(counts.details[3].text("OTTENUTO"), "missing row");
    EXPECT_EQ(SelfTestCertificate(run, facts, company, Language::Italian).details[3].text("OTTENUTO"),
              "riga mancante");

    const std::string text = SelfTestText(run, facts, Language::English);
    EXPECT_NE(text.find("FAIL\tTabF GDL_1 = 2, GDL_2 = 6\tVAL_F\texpected 5.14\tobtained 5.15\n"),
              std::string::npos);
    EXPECT_NE(
        text.find(
            "FAIL\tTabF GDL_1 = 3\tVAL_F\texpected 1000 rows as in the seed\tobtained 999 equal rows\n"),
        std::string::npos);
    EXPECT_NE(text.find("\n4 cases, 1 passed, 3 failed\n"), std::string::npos);
}

}  // namespace
}  // namespace kestra
