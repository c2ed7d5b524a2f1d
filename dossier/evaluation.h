// The evaluation of a dossier: every study file read and calculated as the Open command does, its SHA-256
// taken, each criterion compared after the rounding rule, and the overall verdict for the purpose.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dossier/dossier.h"
#include "framework/extended_values.h"
#include "framework/study.h"

namespace kestra {

enum class Verdict { Pass, Fail, NotEvaluable };

// "pass", "fail", "not_evaluable".
const char* VerdictKey(Verdict verdict);
// "Conforme", "Non conforme", "Non valutabile" / "Pass", "Fail", "Not evaluable".
const char* VerdictName(Verdict verdict, Language language);

struct StudyOutcome {
    std::string id, label, file;  // as the dossier names them
    std::filesystem::path path;   // where the file was looked for
    std::string kindCode;         // "TARA" ...; "" when the extension names no kind
    // "ok", "warnings" (read, with places not read as written), "missing", "unreadable", "unknown_kind",
    // "not_calculated" (the calculation refused)
    std::string status;
    std::vector<std::string> messages;  // the reading notes and the calculation's messages
    std::string sha256;                 // "" when the file could not be read
    std::uintmax_t size = 0;
    std::string modified;  // "yyyy-mm-dd hh:mm:ss", local time
    std::unique_ptr<Study> study;
    std::optional<ExtendedStatistics> extended;

    bool usable() const { return status == "ok"; }
};

struct CriterionOutcome {
    std::size_t index = 0;  // in the dossier's criteria
    OrderedJson value;      // number, [lower, upper], [each level], "S"/"NS", or null
    OrderedJson valueCompared;
    std::string valueText;     // as the study shows it
    std::string comparedText;  // rounded to the limit's decimals, as compared
    Verdict verdict = Verdict::NotEvaluable;
    BilingualText reason;  // why it could not be evaluated, or what failed
};

struct DossierEvaluation {
    std::string time;  // ISO 8601, UTC
    std::vector<StudyOutcome> studies;
    std::vector<CriterionOutcome> criteria;
    std::vector<std::string> missingCharacteristics;  // required for the purpose, without a criterion
    Verdict verdict = Verdict::Fail;                  // Pass or Fail

    const StudyOutcome* findStudy(const std::string& id) const;
    // The overall conclusion in words, naming what failed, could not be evaluated, or is missing.
    std::string conclusion(const Dossier& dossier, Language language) const;
};

// Evaluates the dossier whose study files are relative to `folder`. The process-wide number pattern is
// restored afterwards (reading a study sets it).
DossierEvaluation EvaluateDossier(const Dossier& dossier, const std::filesystem::path& folder);

// The criterion as a phrase: "r ≥ 0.999", "Recupero % di ogni livello compreso tra 98.0 e 102.0".
std::string CriterionText(const DossierCriterion& criterion, StudyKindId const* kind, Language language,
                          char separator);

// The "evaluated" block --record writes: time, program, version, build, each study's SHA-256, each verdict.
OrderedJson EvaluationRecord(const DossierEvaluation& evaluation, const Dossier& dossier);

// --verify: the files whose SHA-256 differs from the recorded one (or that were not recorded, or cannot be
// read), each as "file: reason". Throws std::runtime_error when the dossier holds no recorded evaluation.
std::vector<std::string> ChangedSinceRecord(const Dossier& dossier, const std::filesystem::path& folder);

}  // namespace kestra
