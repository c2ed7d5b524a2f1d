// The dossier file: reading with its faults placed, limits kept as written, unknown keys kept on save.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/dossier.h"

#include <gtest/gtest.h>

#include "dossier/criteria_catalogue.h"
#include "framework/errors.h"
#include "test_support.h"

namespace kestra {
namespace {

const char* const kDossier = R"({
  "format": "kestra-dossier", "version": 1,
  "title": "Convalida HPLC", "document": "VAL-2026-014", "revision": "1",
  "method": {"analytical_method": "HPLC-UV", "analyte": "Paracetamolo", "sample": "Compresse",
             "unit": "mg", "technique": "C18", "column_lot": "L-77"},
  "purpose": "assay",
  "range": {"low": 80, "high": 120.0, "unit": "%"},
  "studies": [{"id": "lin", "label": "Linearità", "file": "studi/linearita.TAR", "operator": "MR"}],
  "criteria": [
    {"characteristic": "linearity", "study": "lin", "quantity": "r", "test": ">=", "limit": 0.999},
    {"characteristic": "repeatability", "study": "rip", "quantity": "cv", "test": "<=", "limit": 2.0,
     "note": "farmacopea"},
    {"characteristic": "accuracy", "study": null, "quantity": "recovery_each", "test": "between",
     "limit": [98.0, 102.00], "proposed": true},
    {"characteristic": "linearity", "study": "lin", "quantity": "curvature", "test": "not_significant"}
  ],
  "signatures": [{"role": "prepared", "name": "Analista", "login": "mrossi"}],
  "evaluated": {"time": "2026-01-01T00:00:00Z", "verdict": "pass"},
  "workflow": {"state": "draft", "steps": [1, 2.50]}
})";

TEST(DossierFile, KeepsLimitsAsWrittenAndUnknownKeysThroughARoundTrip)
{
    const Dossier d = Dossier::parse(kDossier, "d.kvd");
    ASSERT_EQ(d.criteria.size(), 4u);
    EXPECT_EQ(d.criteria[1].limit[0].text, "2.0");
    EXPECT_EQ(d.criteria[1].limit[0].decimals(), 1);
    EXPECT_EQ(d.criteria[2].limit[1].text, "102.00");
    EXPECT_TRUE(d.criteria[2].limitIsPair);
    EXPECT_TRUE(d.criteria[2].proposed);
    EXPECT_FALSE(d.criteria[2].study.has_value());
    EXPECT_TRUE(d.criteria[3].limit.empty());

    const std::string text = d.text();
    for (const char* kept : {"\"column_lot\": \"L-77\"", "\"operator\": \"MR\"", "\"note\": \"farmacopea\"",
                             "\"login\": \"mrossi\"", "\"limit\": 2.0", "102.00", "\"high\": 120.0",
                             "\"low\": 80", "\"workflow\"", "2.5", "\"evaluated\""})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    // what is written reads back as the same dossier, byte for byte
    EXPECT_EQ(Dossier::parse(text, "d.kvd").text(), text);
}

TEST(DossierFile, WrittenDecimalsFollowTheTextOfTheLimit)
{
    const std::pair<const char*, int> cases[] = {{"2.0", 1}, {"100", 0}, {"0.999", 3}, {"1.5e-3", 4},
                                                 {"1E2", 0},  {"2.50", 2}, {"-0.05", 2}, {"12e+1", 0}};
    for (const auto& [text, decimals] : cases) EXPECT_EQ((WrittenNumber{0, text}.decimals()), decimals) << text;
    const auto typed = WrittenNumber::parse(" 2,50 ");
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->text, "2.50");
    EXPECT_DOUBLE_EQ(typed->value, 2.5);
    EXPECT_FALSE(WrittenNumber::parse("2,5x"));
    EXPECT_FALSE(WrittenNumber::parse(""));
}

TEST(DossierFile, AJsonFaultNamesItsLineAndColumn)
{
    struct Case {
        std::string text;
        int line, column;
    };
    const Case cases[] = {
        {"{\n  \"format\": \"kestra-dossier\"\n  \"title\": \"x\"\n}", 3, 9},  // missing comma
        {"{\"format\": \"kestra-dossier\", \"title\": tru}", 1, 42},
        {"{\n\"a\": [1, 2,\n", 3, 1},  // cut short
        {"{\"format\": \"kestra-dossier\",\r\n \"x\": 1.5.2}", 2, 10},
    };
    for (const auto& c : cases) {
        try {
            Dossier::parse(c.text, "x.kvd");
            ADD_FAILURE() << c.text;
        } catch (const DossierFileError& e) {
            EXPECT_EQ(e.line(), c.line) << e.what();
            EXPECT_EQ(e.column(), c.column) << e.what();
            EXPECT_NE(std::string(e.what()).find("riga " + std::to_string(c.line)), std::string::npos);
            EXPECT_NE(std::string(e.what()).find("x.kvd"), std::string::npos);
        }
    }
}

TEST(DossierFile, AValueOfTheWrongKindNamesItsPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"format": "kestra-dossier", "criteria": [{"characteristic": "x", "quantity": "r", "test": "<="}, {"characteristic": "x", "quantity": "r", "test": "<=", "limit": "2"}]})",
         "criteria[2].limit"},
        {R"({"format": "kestra-dossier", "studies": [{"id": "a", "file": "a.PRE"}, {"id": "a", "file": "b.PRE"}]})",
         "ripetuto"},
        {R"({"format": "kestra-dossier", "criteria": [{"characteristic": "x", "quantity": "r", "test": "between", "limit": [1]}]})",
         "due valori"},
        {R"({"format": "kestra-dossier", "method": []})", "dossier.method"},
        {R"({"format": "other"})", "kestra-dossier"},
        {R"([1, 2])", "oggetto"},
    };
    for (const auto& [text, place] : cases) {
        try {
            Dossier::parse(text, "x.kvd");
            ADD_FAILURE() << text;
        } catch (const DossierFileError& e) {
            EXPECT_NE(std::string(e.what()).find(place), std::string::npos) << e.what();
        }
    }
}

TEST(DossierFile, SavesSafelyAndReadsBack)
{
    test::TempDir dir;
    Dossier d = Dossier::parse(kDossier, "d.kvd");
    d.title = "Nuovo titolo";
    d.write(dir / "v.KVD");
    const Dossier back = Dossier::read(dir / "v.KVD");
    EXPECT_EQ(back.title, "Nuovo titolo");
    EXPECT_EQ(back.method.extra.at("column_lot"), "L-77");
    EXPECT_TRUE(IsDossierFile(dir / "v.KVD"));
    // a folder that is not there: the save fails and says so
    EXPECT_THROW(d.write(dir / "no" / "v.kvd"), StudyWriteError);
    EXPECT_THROW(Dossier::read(dir / "missing.kvd"), DossierFileError);
}

TEST(DossierFile, CanonicalContentLeavesSignaturesAndEvaluationOut)
{
    Dossier d = Dossier::parse(kDossier, "d.kvd");
    const std::string canonical = d.canonicalContent();
    EXPECT_EQ(canonical.find("signatures"), std::string::npos);
    EXPECT_EQ(canonical.find("evaluated"), std::string::npos);
    EXPECT_NE(canonical.find("\"limit\":2.0"), std::string::npos);
    EXPECT_EQ(canonical.find('\n'), std::string::npos);
    // sorted keys: "document" comes before "format", whatever order the file had
    EXPECT_LT(canonical.find("\"document\""), canonical.find("\"format\""));
    d.signatures[0].name = "Altro";
    d.evaluated = nullptr;
    EXPECT_EQ(d.canonicalContent(), canonical);
    d.criteria[0].limit[0] = *WrittenNumber::parse("0.9990");
    EXPECT_NE(d.canonicalContent(), canonical);
}

TEST(DossierProposals, FollowThePurposeAndAskForTheImpurityLimits)
{
    const auto assay = ProposeCriteria("assay", {});
    ASSERT_EQ(assay.size(), 8u);
    for (const auto& c : assay) {
        EXPECT_TRUE(c.proposed);
        EXPECT_FALSE(c.study);
    }
    const std::string json = ProposalsJson(assay);
    for (const char* part : {"\"limit\": 0.999", "98.0", "102.0", "\"limit\": 2.0", "\"limit\": 3.0", "\"study\": null",
                             "\"cv_R\"", "\"limit\": 0"})
        EXPECT_NE(json.find(part), std::string::npos) << part;
    EXPECT_THROW(ProposeCriteria("impurity_quantitative", {}), std::invalid_argument);
    EXPECT_THROW(ProposeCriteria("impurity_limit", {}), std::invalid_argument);
    EXPECT_THROW(ProposeCriteria("unknown", {}), std::invalid_argument);
    ProposalInputs inputs;
    inputs.reportingThreshold = WrittenNumber::parse("0.05");
    const auto impurity = ProposeCriteria("impurity_quantitative", inputs);
    EXPECT_NE(ProposalsJson(impurity).find("\"limit\": 0.05"), std::string::npos);
    EXPECT_EQ(ProposalsJson(ProposeCriteria("other", {})), "[]\n");
    // every characteristic a purpose requires has a proposal, impurity limits and the lab's own choices apart
    for (const char* purpose : {"assay", "identification"}) {
        const auto proposals = ProposeCriteria(purpose, {});
        for (const auto& required : RequiredCharacteristics(purpose))
            EXPECT_TRUE(std::any_of(proposals.begin(), proposals.end(),
                                    [&](const auto& c) { return c.characteristic == required; }))
                << purpose << " " << required;
    }
}

}  // namespace
}  // namespace kestra
