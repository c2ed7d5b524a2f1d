// The names a dossier uses: purposes, performance characteristics, tests, the quantities of each study kind
// with their Italian and English names, what each purpose requires, and the proposed criteria.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dossier/dossier.h"
#include "framework/report_records.h"
#include "framework/study_kind.h"

namespace kestra {

struct NamedEntry {
    const char* key;
    const char* nameIt;
    const char* nameEn;
    const char* name(Language language) const { return language == Language::English ? nameEn : nameIt; }
};

std::span<const NamedEntry> DossierPurposes();
std::span<const NamedEntry> DossierCharacteristics();
// The tests, "<=" ... "contains"; the names are the phrases the report prints ("≤", "compreso tra" ...).
std::span<const NamedEntry> DossierTests();
const NamedEntry* FindEntry(std::span<const NamedEntry> entries, const std::string& key);
// The entry's name, or the key itself for a name a newer program wrote.
std::string EntryName(std::span<const NamedEntry> entries, const std::string& key, Language language);

// How many limit values a test takes: 0 (S/NS, none), 1, or 2 (between, outside).
int LimitCount(const std::string& test);

// What a quantity gives.
enum class QuantityShape {
    Number,     // one value
    Interval,   // [lower, upper]
    Judgement,  // the study's own S/NS at 95 %
    Levels,     // one value per level used (every one must pass)
};

struct QuantityEntry {
    const char* key;
    const char* nameIt;
    const char* nameEn;
    QuantityShape shape;
    std::string name(Language language) const { return language == Language::English ? nameEn : nameIt; }
};

// The quantities of a kind's displayed results; extended keys come on top, from the study itself.
std::span<const QuantityEntry> KindQuantities(StudyKindId kind);
const QuantityEntry* FindQuantity(StudyKindId kind, const std::string& key);

// The characteristics a purpose requires at least one criterion for (reproducibility stands for
// intermediate precision).
std::vector<std::string> RequiredCharacteristics(const std::string& purpose);

// The values a proposal asks the laboratory for.
struct ProposalInputs {
    std::optional<WrittenNumber> reportingThreshold;  // impurity_quantitative: quantitation limit <= it
    std::optional<WrittenNumber> impurityLimit;       // impurity_limit: detection limit <= it
};
// The proposed criteria for a purpose, each marked proposed and without study. Throws std::invalid_argument
// with an Italian message when an asked value is missing or the purpose is unknown.
std::vector<DossierCriterion> ProposeCriteria(const std::string& purpose, const ProposalInputs& inputs);

// The JSON array `validate --propose` prints.
std::string ProposalsJson(const std::vector<DossierCriterion>& proposals);

}  // namespace kestra
