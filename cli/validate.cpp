// kestra-cli validate: a dossier evaluated from its study files, printed as text or JSON, recorded or verified;
// and the proposed criteria of a purpose.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <iostream>
#include <sstream>

#include "audit/audit_trail.h"
#include "cli/cli_commands.h"
#include "dossier/criteria_catalogue.h"
#include "dossier/dossier_signing.h"
#include "dossier/evaluation.h"
#include "framework/audited_save.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "text/messages.h"

namespace kestra::cli {

namespace {

// An asked value: from its option, else typed on the terminal; nothing when neither is there.
std::optional<WrittenNumber> askedValue(const std::string& option, const char* question, std::istream& in,
                                        std::ostream& err)
{
    std::string typed = option;
    if (typed.empty()) {
        if (!::isatty(STDIN_FILENO)) return std::nullopt;
        err << Msg(question) << ": " << std::flush;
        std::getline(in, typed);
    }
    const auto n = WrittenNumber::parse(typed);
    if (!n) throw std::invalid_argument(Msg("\"%1\" non è un numero", {typed}) + ".");
    return n;
}

int propose(const ValidateOptions& o, std::ostream& out, std::ostream& err, std::istream& in)
{
    try {
        ProposalInputs inputs;
        if (o.propose == "impurity_quantitative")
            inputs.reportingThreshold =
                askedValue(o.reportingThreshold, "Soglia di riporto (il limite di determinazione deve esserle "
                                                 "uguale o inferiore)",
                           in, err);
        if (o.propose == "impurity_limit")
            inputs.impurityLimit = askedValue(
                o.impurityLimit, "Limite dell'impurezza (il limite di rilevazione deve esserle uguale o inferiore)",
                in, err);
        out << ProposalsJson(ProposeCriteria(o.propose, inputs));
        return 0;
    } catch (const std::invalid_argument& e) {
        err << "kestra-cli: " << e.what()
            << (o.propose == "impurity_quantitative" ? " " + Msg("(opzione --reporting-threshold)")
                : o.propose == "impurity_limit"      ? " " + Msg("(opzione --impurity-limit)")
                                                     : "")
            << "\n";
        return 2;
    }
}

std::string studyText(const StudyOutcome& s, Language language)
{
    const bool en = language == Language::English;
    std::string status = s.status;
    if (!en) {
        if (s.status == "ok") status = "letto e calcolato";
        if (s.status == "warnings") status = "letto con avvisi";
        if (s.status == "missing") status = "mancante";
        if (s.status == "unreadable") status = "illeggibile";
        if (s.status == "unknown_kind") status = "non è uno studio";
        if (s.status == "not_calculated") status = "calcolo non eseguito";
    }
    return s.id + "  " + s.label + "  " + s.file + "  " + status;
}

void printText(const Dossier& d, const DossierEvaluation& e, const std::filesystem::path& folder,
               Language language, std::ostream& out)
{
    const bool en = language == Language::English;
    const char sep = UserDecimalSeparator();
    out << (en ? "Validation dossier: " : "Dossier di convalida: ") << d.title;
    if (!d.document.empty()) out << " (" << d.document << (en ? " rev. " : " rev. ") << d.revision << ")";
    out << "\n" << (en ? "Purpose: " : "Scopo: ") << EntryName(DossierPurposes(), d.purpose, language) << "\n\n";
    out << (en ? "Studies:\n" : "Studi:\n");
    for (const auto& s : e.studies) {
        out << "  " << studyText(s, language) << "\n";
        if (!s.sha256.empty()) out << "    SHA-256 " << s.sha256 << "\n";
        for (const auto& m : s.messages) {
            std::string line = m;
            for (char& c : line)
                if (c == '\n' || c == '\r') c = ' ';
            out << "    " << line << "\n";
        }
    }
    out << "\n" << (en ? "Criteria:\n" : "Criteri:\n");
    for (const auto& c : e.criteria) {
        const DossierCriterion& dc = d.criteria[c.index];
        const StudyOutcome* s = dc.study ? e.findStudy(*dc.study) : nullptr;
        std::optional<StudyKindId> kind;
        if (s && s->study) kind = s->study->kindId();
        out << "  " << c.index + 1 << ". " << EntryName(DossierCharacteristics(), dc.characteristic, language)
            << " | " << (dc.study ? *dc.study : "-") << " | "
            << CriterionText(dc, kind ? &*kind : nullptr, language, sep) << " | ";
        if (!c.valueText.empty()) {
            out << c.valueText;
            if (c.comparedText != c.valueText && !c.comparedText.empty()) out << " -> " << c.comparedText;
            out << " | ";
        }
        out << VerdictName(c.verdict, language);
        const std::string& reason = language == Language::English ? c.reason.en : c.reason.it;
        if (!reason.empty()) out << " (" << reason << ")";
        out << "\n";
    }
    out << "\n"
        << (en ? "Rounding rule: each result is rounded to the decimals its limit is written with (half away "
                 "from zero) before it is compared; S/NS tests use the study's own judgement at 95 %.\n"
               : "Regola di arrotondamento: ogni risultato è arrotondato ai decimali con cui è scritto il suo "
                 "limite (metà lontano da zero) prima del confronto; le prove S/NS usano il giudizio dello "
                 "studio al 95 %.\n");
    out << "\n" << (en ? "Verdict: " : "Esito: ") << VerdictName(e.verdict, language) << "\n"
        << e.conclusion(d, language) << "\n";
    const std::vector<std::string> signatures = SignatureStatusLines(d, folder, en);
    if (!signatures.empty()) {
        out << "\n" << (en ? "Signatures:\n" : "Firme:\n");
        for (const std::string& line : signatures) out << "  " << line << "\n";
    }
}

std::string evaluationJson(const Dossier& d, const DossierEvaluation& e)
{
    return DumpWrittenJson(
               [&](const NumberSlot& slot) {
                   OrderedJson j = OrderedJson::object();
                   j["dossier"] = d.json(slot);
                   OrderedJson studies = OrderedJson::array();
                   for (const auto& s : e.studies)
                       studies.push_back({{"id", s.id},
                                          {"file", s.file},
                                          {"sha256", s.sha256.empty() ? OrderedJson(nullptr) : OrderedJson(s.sha256)},
                                          {"status", s.status},
                                          {"messages", s.messages}});
                   j["studies"] = std::move(studies);
                   OrderedJson criteria = OrderedJson::array();
                   for (const auto& c : e.criteria) {
                       OrderedJson o = CriterionToJson(d.criteria[c.index], slot);
                       o["value"] = c.value;
                       o["value_compared"] = c.valueCompared;
                       o["verdict"] = VerdictKey(c.verdict);
                       o["reason"] = c.reason.it.empty() ? OrderedJson(nullptr) : OrderedJson(c.reason.it);
                       criteria.push_back(std::move(o));
                   }
                   j["criteria"] = std::move(criteria);
                   OrderedJson missing = OrderedJson::array();
                   for (const auto& m : e.missingCharacteristics) missing.push_back(m);
                   j["missing_characteristics"] = std::move(missing);
                   j["verdict"] = VerdictKey(e.verdict);
                   return j;
               },
               2) +
           "\n";
}

}  // namespace

int RunValidate(const ValidateOptions& o, std::ostream& out, std::ostream& err, std::istream& in,
                const DossierReportWriter& writeReport)
{
    if (!o.propose.empty()) return propose(o, out, err, in);
    SetUserDecimalSeparator(o.separator);
    Dossier dossier;
    try {
        dossier = Dossier::read(o.file);
    } catch (const std::exception& e) {
        err << "kestra-cli: " << e.what() << "\n";
        return 2;
    }
    const std::filesystem::path folder = o.file.parent_path();
    if (o.verify) {
        try {
            const std::vector<std::string> changed = ChangedSinceRecord(dossier, folder);
            for (const auto& c : changed) out << c << "\n";
            if (changed.empty())
                out << Msg("Nessun file di studio è cambiato dopo la valutazione registrata il %1.",
                           {dossier.evaluated.value("time", std::string("?"))})
                    << "\n";
            return changed.empty() ? 0 : 1;
        } catch (const std::runtime_error& e) {
            err << "kestra-cli: " << e.what() << "\n";
            return 1;
        }
    }
    const DossierEvaluation evaluation = EvaluateDossier(dossier, folder);
    if (const std::string fault = RecordAction(EvaluationEntry(o.file, evaluation)); !fault.empty()) {
        if (o.record) {
            err << "kestra-cli: " << Msg("il dossier non è stato scritto: %1", {fault}) << "\n";
            return 2;
        }
        err << "kestra-cli: " << Msg("avviso: ") << fault << "\n";
    }
    if (o.record) {
        dossier.evaluated = EvaluationRecord(evaluation, dossier);
        try {
            // the evaluation is no signed content: no reason is asked
            const SaveRequest request{o.file, o.file, "dossier", dossier.text(), JsonFileFields};
            AuditedSave(request, [](const std::string&, bool) { return std::string(); },
                        [&] { dossier.write(o.file); });
        } catch (const std::exception& e) {
            err << "kestra-cli: " << e.what() << "\n";
            return 2;
        }
    }
    if (writeReport) {
        try {
            writeReport(dossier, evaluation);
        } catch (const std::exception& e) {
            err << "kestra-cli: " << e.what() << "\n";
            return 2;
        }
        RecordExport(o.file, "dossier", o.output, err);
    }
    if (o.json)
        out << evaluationJson(dossier, evaluation);
    else
        printText(dossier, evaluation, folder, o.language, out);
    return evaluation.verdict == Verdict::Pass ? 0 : 1;
}

}  // namespace kestra::cli
