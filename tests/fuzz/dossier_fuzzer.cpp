// libFuzzer target: a validation dossier's text parsed, written back, hashed and evaluated against the example
// studies, as kestra-cli validate does. Study paths in the input may name any file: the readers refuse what is
// not a study.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "dossier/dossier.h"
#include "dossier/evaluation.h"
#include "framework/number_pattern.h"
#include "framework/services.h"
#include "reporting/f_table.h"

using namespace kestra;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* db = std::getenv("KESTRA_FUZZ_DATABASE");
    SetFTableLookup(std::make_shared<DatabaseFTable>(db ? std::string(db) : std::string(KESTRA_TEMPLATE_DB)));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Dossier dossier;
    try {
        dossier = Dossier::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.kvd");
    } catch (const DossierFileError&) {
        return 0;
    }
    // what is read is written as it would be saved, and read again
    const std::string text = dossier.text();
    if (Dossier::parse(text, "fuzz.kvd").text() != text) __builtin_trap();
    (void)dossier.canonicalContent();
    SetUserDecimalSeparator(size % 2 == 0 ? '.' : ',');
    const DossierEvaluation evaluation = EvaluateDossier(dossier, KESTRA_FUZZ_STUDIES);
    for (Language language : {Language::Italian, Language::English}) {
        (void)evaluation.conclusion(dossier, language);
        for (const DossierCriterion& c : dossier.criteria) (void)CriterionText(c, nullptr, language, ',');
    }
    (void)EvaluationRecord(evaluation, dossier);
    try {
        (void)ChangedSinceRecord(dossier, KESTRA_FUZZ_STUDIES);
    } catch (const std::runtime_error&) {
        // no recorded evaluation to verify against: --verify says so
    }
    return 0;
}
