#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_commands.h"
#include "framework/number_pattern.h"
#include "test_support.h"

namespace kestra {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun compute(const std::filesystem::path& file, Language lang, char sep)
{
    std::ostringstream out;
    std::ostringstream err;
    cli::ComputeOptions o{file, lang, sep};
    const int code = cli::RunCompute(o, out, err);
    SetUserDecimalSeparator('.');
    return {code, out.str(), err.str()};
}

TEST(KestraCliCompute, ExampleStudyInBothLanguagesAndSeparators)
{
    const std::filesystem::path example = std::filesystem::path(KESTRA_SOURCE_DIR) / "examples" / "esempio.LIM";
    const CliRun it = compute(example, Language::Italian, ',');
    ASSERT_EQ(it.code, 0) << it.err;
    const auto j = nlohmann::json::parse(it.out);
    EXPECT_EQ(j["kind"], "LIMI");
    EXPECT_EQ(j["header"]["UM"], "µg/l");
    EXPECT_EQ(j["header"]["NDET"], "10");
    EXPECT_EQ(j["header"]["STDEV"], "0,019");
    EXPECT_EQ(j["header"]["LIMRIL"], "0,039");
    EXPECT_EQ(j["header"]["LIMDET"], "0,194");
    EXPECT_NE(j["header"]["CONCLUSIONI"].get<std::string>().find("LIMITE DI RILEVAZIONE"), std::string::npos);
    ASSERT_EQ(j["details"].size(), 10u);
    EXPECT_EQ(j["details"][0]["COLA"], "0,412");
    EXPECT_EQ(j["details"][9]["NDATI"], 10);
    EXPECT_TRUE(j["messages"].empty());

    const CliRun en = compute(example, Language::English, '.');
    const auto k = nlohmann::json::parse(en.out);
    EXPECT_EQ(k["header"]["STDEV"], "0.019");
    EXPECT_NE(k["header"]["CONCLUSIONI"].get<std::string>().find("DETECTION LIMIT"), std::string::npos);
}

TEST(KestraCliCompute, UnreadableFilesGiveOneLineAndExitCode2)
{
    test::TempDir dir;
    test::writeFile(dir / "bad.lim", "Kestra for Windows\r\n3\r\n3\r\nnope\r\n");
    const CliRun bad = compute(dir / "bad.lim", Language::Italian, '.');
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.err.find("bad.lim"), std::string::npos);
    EXPECT_NE(bad.err.find("riga 4"), std::string::npos);
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1);

    EXPECT_EQ(compute(dir / "missing.LIM", Language::Italian, '.').code, 2);
    test::writeFile(dir / "x.txt", "");
    EXPECT_EQ(compute(dir / "x.txt", Language::Italian, '.').code, 2);
}

TEST(KestraCliCompute, ValuesNotReadAsWrittenComeFirstInTheMessages)
{
    test::TempDir dir;
    // a decimal comma, and a count the calculation refuses after reading
    test::writeFile(dir / "comma.PRE", "Kestra for Windows\r\n3\r\n3\r\n2\r\nM\r\nA\r\n\r\nC\r\n\r\n3\r\n"
                                       " 1,0,412\r\n2,NIL\r\n3,0.5\r\n");
    const CliRun r = compute(dir / "comma.PRE", Language::Italian, ',');
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_GE(j["messages"].size(), 2u);
    EXPECT_EQ(j["messages"][0], "Alcuni valori del file non sono stati letti come scritti:\n"
                                "riga 11: \"0,412\" letto come 0 (3 campi invece di 2)");
    EXPECT_NE(j["messages"][1].get<std::string>().find("Impossibile calcolare"), std::string::npos);
}

TEST(KestraCliCompute, AllZeroStudyStillPrintsTheWindowsState)
{
    test::TempDir dir;
    test::writeFile(dir / "zero.LIM", "Kestra for Windows\r\n3\r\n3\r\n2\r\n\r\n\r\n\r\n\r\n\r\n5\r\nVero\r\n"
                                      " 1,0\r\n2,0\r\n3,0\r\n4,0\r\n5,0\r\n");
    const CliRun r = compute(dir / "zero.LIM", Language::Italian, '.');
    ASSERT_EQ(r.code, 0);
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["header"]["STDEV"], "0.000");
    EXPECT_EQ(j["details"].size(), 5u);
}

TEST(KestraCliCompute, DataTheCalculationStopsOnAreNamedInTheMessages)
{
    test::TempDir dir;
    const std::string head = "Kestra for Windows\r\n7\r\n3\r\n4\r\nm\r\na\r\nu\r\nc\r\n\r\n3\r\n";
    const struct {
        const char* file;
        std::string contents;
        const char* message;
    } cases[] = {
        {"zero.LIM",
         "Kestra for Windows\r\n3\r\n3\r\n2\r\n\r\n\r\n\r\n\r\n\r\n5\r\nVero\r\n "
         "1,0\r\n2,0\r\n3,0\r\n4,0\r\n5,0\r\n",
         "Impossibile calcolare: i valori della griglia sono tutti uguali a zero.\n"
         "Inserire i dati misurati e premere di nuovo Calcola."},
        {"zero.ACC",
         head +
             "3\r\n 1,100,99,99\r\n2,100,101,101\r\n3,100,100,100\r\n 1,100,0,0\r\n2,100,0,0\r\n3,100,0,0\r\n"
             " 1,100,98,98\r\n2,100,99,99\r\n3,100,97,97\r\n",
         "Impossibile calcolare: i recuperi del livello centrale sono tutti uguali a zero.\n"
         "Inserire i dati misurati e premere di nuovo Calcola."},
    };
    for (const auto& c : cases) {
        test::writeFile(dir / c.file, c.contents);
        const CliRun r = compute(dir / c.file, Language::Italian, '.');
        ASSERT_EQ(r.code, 0) << r.err;
        const auto j = nlohmann::json::parse(r.out);
        ASSERT_EQ(j["messages"].size(), 1u) << c.file;
        EXPECT_EQ(j["messages"][0], c.message);
    }
}

}  // namespace
}  // namespace kestra
