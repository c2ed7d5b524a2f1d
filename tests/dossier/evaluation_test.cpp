// The evaluation of dossiers over the reference study files: every test kind, the rounding rule at its
// boundary, studies that cannot be used, the overall verdict for the purpose, record and verify.
#include "dossier/evaluation.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_commands.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"
#include "test_support.h"

namespace kestra {
namespace {

namespace fs = std::filesystem;

const fs::path kStudies = fs::path(KESTRA_SOURCE_DIR) / "data" / "selftest" / "studies";

// A dossier folder with the reference studies under studi/ and a refused precision study.
class DossierEvaluationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFTableLookup(std::make_shared<DatabaseFTable>(KESTRA_TEMPLATE_DB));
        SetUserDecimalSeparator('.');
        fs::create_directories(m_dir / "studi");
        for (const char* f : {"taratura.TAR", "ripetibilita.PRE", "accuratezza_1.ACC", "accuratezza_3.ACC",
                              "accuratezza_3s.ACC", "specificita_1.SPC", "precisione_intermedia.PRI",
                              "riproducibilita.RIP", "limiti_1.LIM"})
            fs::copy_file(kStudies / f, m_dir / "studi" / f);
        std::string refused = test::readFile(kStudies / "ripetibilita.PRE");
        refused.replace(refused.find("3,10.000"), 8, "3,NIL      ");
        test::writeFile(m_dir / "studi" / "vuoto.PRE", refused);
    }

    Dossier dossier(const std::string& criteria, const std::string& purpose = "other") const
    {
        return Dossier::parse(R"({"format": "kestra-dossier", "version": 1, "purpose": ")" + purpose + R"(",
          "studies": [
            {"id": "lin", "file": "studi/taratura.TAR"}, {"id": "rip", "file": "studi/ripetibilita.PRE"},
            {"id": "acc1", "file": "studi/accuratezza_1.ACC"}, {"id": "acc3", "file": "studi/accuratezza_3.ACC"},
            {"id": "acc3s", "file": "studi/accuratezza_3s.ACC"}, {"id": "spec", "file": "studi/specificita_1.SPC"},
            {"id": "pri", "file": "studi/precisione_intermedia.PRI"}, {"id": "rip2", "file": "studi/riproducibilita.RIP"},
            {"id": "lim", "file": "studi/limiti_1.LIM"}, {"id": "manca", "file": "studi/non_esiste.PRE"},
            {"id": "vuoto", "file": "studi/vuoto.PRE"}],
          "criteria": [)" + criteria + "]}",
                              "test.kvd");
    }

    test::TempDir m_dir;
};

struct CriterionCase {
    const char* criterion;
    Verdict verdict;
    const char* compared;  // the value as compared ("" : not checked)
};

TEST_F(DossierEvaluationTest, EveryTestKindAgainstTheReferenceStudies)
{
    // r 0.995, curvature F 0.024 NS, proportionality -0.218 .. 0.185; cv 1.414, n 6, ci 9.852 .. 10.148;
    // recoveries 100 / 99 / 101 (NS), 110 / 100 / 90 (S); t 8.305 (S); PRI s r 1.414, s R 2.828, mean 13:
    // cv r = 10.8786, cv R = 21.7571 (python3: 100*sqrt(2)/13, 100*sqrt(8)/13); F 7.000 < Ft (NS).
    const CriterionCase cases[] = {
        {R"("study": "lin", "quantity": "r", "test": ">=", "limit": 0.995)", Verdict::Pass, "0.995"},
        {R"("study": "lin", "quantity": "r", "test": ">=", "limit": 0.999)", Verdict::Fail, "0.995"},
        // 0.995 written with two decimals rounds to 1.00
        {R"("study": "lin", "quantity": "r", "test": ">", "limit": 0.99)", Verdict::Pass, "1.00"},
        {R"("study": "lin", "quantity": "curvature", "test": "not_significant")", Verdict::Pass, "NS"},
        {R"("study": "lin", "quantity": "regression", "test": "significant")", Verdict::Pass, "S"},
        // an interval keeps its ends as shown: rounded to 0 decimals -0.218 .. 0.185 would take in 0.4
        {R"("study": "lin", "quantity": "proportionality", "test": "contains", "limit": 0)", Verdict::Pass, "-0.218 .. 0.185"},
        {R"("study": "lin", "quantity": "proportionality", "test": "contains", "limit": 0.185)", Verdict::Pass, "-0.218 .. 0.185"},
        {R"("study": "lin", "quantity": "proportionality", "test": "contains", "limit": 0.2)", Verdict::Fail, "-0.218 .. 0.185"},
        {R"("study": "lin", "quantity": "proportionality", "test": "<=", "limit": 1)", Verdict::NotEvaluable, ""},
        {R"("study": "rip", "quantity": "cv", "test": "<=", "limit": 1.4)", Verdict::Pass, "1.4"},
        {R"("study": "rip", "quantity": "cv", "test": "<", "limit": 1.4)", Verdict::Fail, "1.4"},
        {R"("study": "rip", "quantity": "cv", "test": "<=", "limit": 1.413)", Verdict::Fail, "1.414"},
        {R"("study": "rip", "quantity": "cv", "test": "between", "limit": [1.0, 2.0])", Verdict::Pass, "1.4"},
        {R"("study": "rip", "quantity": "cv", "test": "outside", "limit": [1.0, 2.0])", Verdict::Fail, "1.4"},
        {R"("study": "rip", "quantity": "n", "test": ">=", "limit": 6)", Verdict::Pass, "6"},
        {R"("study": "rip", "quantity": "ci", "test": "contains", "limit": 10.0)", Verdict::Pass, "9.852 .. 10.148"},
        {R"("study": "rip", "quantity": "ci_width", "test": "<=", "limit": 0.29)", Verdict::Fail, "0.30"},
        {R"("study": "rip", "quantity": "curvature", "test": "not_significant")", Verdict::NotEvaluable, ""},
        {R"("study": "rip", "quantity": "t_critical_exact", "test": ">=", "limit": 2.571)", Verdict::Pass, "2.571"},
        {R"("study": "rip", "quantity": "grubbs_suspect_row", "test": "none")", Verdict::Pass, "-"},
        {R"("study": "rip", "quantity": "no_such_key", "test": "<=", "limit": 1)", Verdict::NotEvaluable, ""},
        {R"("study": "rip", "quantity": "cv", "test": "~", "limit": 1)", Verdict::NotEvaluable, ""},
        {R"("study": "rip", "quantity": "cv", "test": "<=")", Verdict::NotEvaluable, ""},
        {R"("study": "acc3", "quantity": "recovery_each", "test": "between", "limit": [98.0, 102.0])", Verdict::Pass,
         "100.0; 99.0; 101.0"},
        {R"("study": "acc3", "quantity": "recovery_each", "test": "between", "limit": [99.5, 102.0])", Verdict::Fail, ""},
        {R"("study": "acc3", "quantity": "recovery_mean", "test": "between", "limit": [99, 101])", Verdict::Pass, "100"},
        {R"("study": "acc3", "quantity": "levels", "test": "not_significant")", Verdict::Pass, "NS"},
        {R"("study": "acc3s", "quantity": "levels", "test": "not_significant")", Verdict::Fail, "S"},
        {R"("study": "acc3s", "quantity": "recovery_mean", "test": ">=", "limit": 98)", Verdict::NotEvaluable, ""},
        {R"("study": "acc1", "quantity": "recovery_upper", "test": ">=", "limit": 98)", Verdict::NotEvaluable, ""},
        {R"("study": "acc1", "quantity": "recovery_each", "test": ">=", "limit": 98)", Verdict::Pass, "100"},
        {R"("study": "spec", "quantity": "difference", "test": "not_significant")", Verdict::Fail, "S"},
        // the displayed 8.305 rounds half away from zero: 8.31
        {R"("study": "spec", "quantity": "t", "test": "<=", "limit": 8.30)", Verdict::Fail, "8.31"},
        {R"("study": "spec", "quantity": "t", "test": "<=", "limit": 8.31)", Verdict::Pass, "8.31"},
        {R"("study": "pri", "quantity": "cv_r", "test": "<=", "limit": 10.9)", Verdict::Pass, "10.9"},
        {R"("study": "pri", "quantity": "cv_R", "test": "<=", "limit": 21.75)", Verdict::Fail, "21.76"},
        {R"("study": "pri", "quantity": "series", "test": "not_significant")", Verdict::Pass, "NS"},
        {R"("study": "rip2", "quantity": "s_R", "test": "<=", "limit": 2.83)", Verdict::Pass, "2.83"},
        {R"("study": "lim", "quantity": "detection_limit", "test": "<=", "limit": 3.2)", Verdict::Pass, "3.2"},
        {R"("study": "manca", "quantity": "cv", "test": "<=", "limit": 2)", Verdict::NotEvaluable, ""},
        {R"("study": "vuoto", "quantity": "cv", "test": "<=", "limit": 2)", Verdict::NotEvaluable, ""},
        {R"("study": "ignoto", "quantity": "cv", "test": "<=", "limit": 2)", Verdict::NotEvaluable, ""},
        {R"("study": null, "quantity": "cv", "test": "<=", "limit": 2)", Verdict::NotEvaluable, ""},
    };
    std::string criteria;
    for (const auto& c : cases)
        criteria += std::string(criteria.empty() ? "" : ",") + R"({"characteristic": "accuracy", )" + c.criterion + "}";
    const Dossier d = dossier(criteria);
    const DossierEvaluation e = EvaluateDossier(d, m_dir.path());
    ASSERT_EQ(e.criteria.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CriterionOutcome& o = e.criteria[i];
        EXPECT_EQ(o.verdict, cases[i].verdict) << cases[i].criterion << " " << o.reason.it;
        if (*cases[i].compared) {
            EXPECT_EQ(o.comparedText, cases[i].compared) << cases[i].criterion;
        }
        if (o.verdict == Verdict::NotEvaluable) {
            EXPECT_FALSE(o.reason.it.empty()) << cases[i].criterion;
        }
    }
    EXPECT_EQ(e.verdict, Verdict::Fail);
}

// The reviewer's statistics are quantities by their names like every extended value: the reference line
// has p_mandel 0.837 and back-calculation errors 0.66, -0.17, -0.44, 0.25 % (as in the study tests); s of the
// repeatability study lies between 0.088 and 0.347 (0.35 at the limit's two decimals).
TEST_F(DossierEvaluationTest, ReviewerStatisticsAreQuantitiesByName)
{
    const CriterionCase cases[] = {
        {R"("study": "lin", "quantity": "p_mandel", "test": ">", "limit": 0.05)", Verdict::Pass, ""},
        {R"("study": "lin", "quantity": "back_calculated_error_pct", "test": "between", "limit": [-1, 1])",
         Verdict::Pass, ""},
        {R"("study": "lin", "quantity": "back_calculated_error_pct", "test": "between", "limit": [-0.5, 0.5])",
         Verdict::Fail, ""},
        {R"("study": "rip", "quantity": "s_ci_high", "test": "<=", "limit": 0.34)", Verdict::Fail, ""},
        {R"("study": "acc1", "quantity": "tolerance_low_1", "test": ">=", "limit": 90)", Verdict::Pass, ""},
        {R"("study": "spec", "quantity": "mean_difference_ci_low", "test": ">=", "limit": 0)", Verdict::Fail, ""},
        {R"("study": "rip2", "quantity": "df_R", "test": ">=", "limit": 1)", Verdict::Pass, ""},
    };
    std::string criteria;
    for (const auto& c : cases)
        criteria += std::string(criteria.empty() ? "" : ",") + R"({"characteristic": "accuracy", )" + c.criterion + "}";
    const DossierEvaluation e = EvaluateDossier(dossier(criteria), m_dir.path());
    ASSERT_EQ(e.criteria.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(e.criteria[i].verdict, cases[i].verdict) << cases[i].criterion << " " << e.criteria[i].reason.it;
}

TEST_F(DossierEvaluationTest, StudiesThatCannotBeUsedAreNamedWithTheirState)
{
    const DossierEvaluation e = EvaluateDossier(dossier(""), m_dir.path());
    EXPECT_EQ(e.findStudy("lin")->status, "ok");
    EXPECT_EQ(e.findStudy("lin")->sha256.size(), 64u);
    EXPECT_EQ(e.findStudy("manca")->status, "missing");
    EXPECT_TRUE(e.findStudy("manca")->sha256.empty());
    EXPECT_EQ(e.findStudy("vuoto")->status, "not_calculated");
    EXPECT_NE(e.findStudy("vuoto")->messages.at(0).find("Impossibile calcolare"), std::string::npos);
    // no criterion at all never passes
    EXPECT_EQ(e.verdict, Verdict::Fail);
}

TEST_F(DossierEvaluationTest, TheVerdictNeedsEveryRequiredCharacteristicOfThePurpose)
{
    const std::string passing =
        R"({"characteristic": "specificity", "study": "lin", "quantity": "curvature", "test": "not_significant"},
           {"characteristic": "linearity", "study": "lin", "quantity": "r", "test": ">=", "limit": 0.99},
           {"characteristic": "accuracy", "study": "acc3", "quantity": "recovery_each", "test": "between", "limit": [98.0, 102.0]},
           {"characteristic": "repeatability", "study": "rip", "quantity": "cv", "test": "<=", "limit": 2.0})";
    const std::string intermediate =
        R"(, {"characteristic": "intermediate_precision", "study": "pri", "quantity": "series", "test": "not_significant"})";
    const std::string reproducibility =
        R"(, {"characteristic": "reproducibility", "study": "rip2", "quantity": "series", "test": "not_significant"})";

    const DossierEvaluation missing = EvaluateDossier(dossier(passing, "assay"), m_dir.path());
    EXPECT_EQ(missing.verdict, Verdict::Fail);
    EXPECT_EQ(missing.missingCharacteristics, std::vector<std::string>{"intermediate_precision"});
    EXPECT_NE(missing.conclusion(dossier(passing, "assay"), Language::Italian).find("Precisione intermedia"),
              std::string::npos);
    EXPECT_EQ(EvaluateDossier(dossier(passing + intermediate, "assay"), m_dir.path()).verdict, Verdict::Pass);
    EXPECT_EQ(EvaluateDossier(dossier(passing + reproducibility, "assay"), m_dir.path()).verdict, Verdict::Pass);
    const DossierEvaluation identification = EvaluateDossier(dossier(passing, "identification"), m_dir.path());
    EXPECT_EQ(identification.verdict, Verdict::Pass);
    const DossierEvaluation impurity = EvaluateDossier(dossier(passing, "impurity_limit"), m_dir.path());
    EXPECT_EQ(impurity.missingCharacteristics, std::vector<std::string>{"detection_limit"});
}

TEST_F(DossierEvaluationTest, TheCommandLineEvaluatesRecordsAndVerifies)
{
    const fs::path file = m_dir / "convalida.kvd";
    Dossier d = dossier(
        R"({"characteristic": "repeatability", "study": "rip", "quantity": "cv", "test": "<=", "limit": 2.0},
           {"characteristic": "linearity", "study": "lin", "quantity": "r", "test": ">=", "limit": 0.99})");
    d.studies.resize(2);  // lin and rip
    d.write(file);
    auto run = [&](cli::ValidateOptions o, std::string& out, std::string& err) {
        o.file = file;
        std::ostringstream o1, o2;
        std::istringstream in;
        const int code = cli::RunValidate(o, o1, o2, in);
        out = o1.str();
        err = o2.str();
        return code;
    };
    std::string out, err;
    cli::ValidateOptions json;
    json.json = true;
    EXPECT_EQ(run(json, out, err), 0) << err;
    const OrderedJson j = OrderedJson::parse(out);
    EXPECT_EQ(j["verdict"], "pass");
    EXPECT_EQ(j["criteria"][0]["value"], 1.414);
    EXPECT_EQ(j["criteria"][0]["value_compared"], 1.4);
    EXPECT_EQ(j["studies"][1]["status"], "ok");
    EXPECT_NE(out.find("\"limit\": 2.0"), std::string::npos);

    cli::ValidateOptions verify;
    verify.verify = true;
    EXPECT_EQ(run(verify, out, err), 1);  // nothing recorded yet
    cli::ValidateOptions record;
    record.record = true;
    EXPECT_EQ(run(record, out, err), 0) << err;
    EXPECT_EQ(Dossier::read(file).evaluated["verdict"], "pass");
    EXPECT_EQ(run(verify, out, err), 0) << out << err;
    test::writeFile(m_dir / "studi" / "taratura.TAR", test::readFile(m_dir / "studi" / "taratura.TAR") + "\n");
    EXPECT_EQ(run(verify, out, err), 1);
    EXPECT_NE(out.find("studi/taratura.TAR"), std::string::npos);
    EXPECT_EQ(out.find("ripetibilita"), std::string::npos);

    cli::ValidateOptions text;
    text.language = Language::English;
    d.criteria[0].limit[0] = *WrittenNumber::parse("1.0");
    d.write(file);
    EXPECT_EQ(run(text, out, err), 1);
    EXPECT_NE(out.find("Fail"), std::string::npos);

    test::writeFile(file, "{\n  \"format\": \"kestra-dossier\",,\n}");
    EXPECT_EQ(run(json, out, err), 2);
    EXPECT_NE(err.find("riga 2"), std::string::npos) << err;
}

}  // namespace
}  // namespace kestra
