// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/evaluation.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "app/self_test_report.h"
#include "audit/sha256.h"
#include "dossier/criteria_catalogue.h"
#include "dossier/study_quantities.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "studies/study_factory.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kestra {

namespace {

std::string timeText(std::time_t t, bool utc, const char* format)
{
    std::tm parts{};
    if (utc)
        gmtime_r(&t, &parts);
    else
        localtime_r(&t, &parts);
    char buffer[40];
    std::strftime(buffer, sizeof buffer, format, &parts);
    return buffer;
}

std::string modifiedText(const std::filesystem::path& path)
{
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(path, ec);
    if (ec) return {};
    const auto system = std::chrono::file_clock::to_sys(written);
    return timeText(std::chrono::system_clock::to_time_t(
                        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system)),
                    false, "%Y-%m-%d %H:%M:%S");
}

void openStudy(StudyOutcome& s)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(s.path, ec)) {
        s.status = "missing";
        s.messages.push_back(Msg("Il file \"%1\" non esiste.", {s.path.string()}));
        return;
    }
    s.size = std::filesystem::file_size(s.path, ec);
    s.modified = modifiedText(s.path);
    try {
        s.sha256 = Sha256OfFile(s.path);
    } catch (const std::exception& e) {
        s.status = "unreadable";
        s.messages.push_back(e.what());
        return;
    }
    const auto kind = KindFromExtension(s.path.extension().string());
    if (!kind) {
        s.status = "unknown_kind";
        s.messages.push_back(
            Msg("L'estensione di \"%1\" non è quella di uno studio (attese LIM, PRE, TAR, ACC, SPC, "
                "PRI, RIP).",
                {s.path.filename().string()}));
        return;
    }
    s.kindCode = KindInfo(*kind).kindCode;
    s.study = CreateStudy(*kind);
    try {
        s.study->read(s.path);
    } catch (const std::exception& e) {
        s.status = "unreadable";
        s.messages.push_back(e.what());
        return;
    }
    const std::string notes = ReadingWarningText(s.study->readingNotes());
    if (!notes.empty()) s.messages.push_back(notes);
    const CalcOutcome outcome = RunCalculation(*s.study);
    for (const auto& m : outcome.messages) s.messages.push_back(m.text);
    if (!outcome.computed) {
        s.status = "not_calculated";
        if (outcome.messages.empty())
            s.messages.push_back(Msg("Il calcolo non è stato eseguito: mancano i dati."));
        return;
    }
    s.status = notes.empty() ? "ok" : "warnings";
    try {
        s.extended = s.study->extendedStatistics();
    } catch (const std::exception&) {
        s.extended.reset();
    }
}

BilingualText studyProblem(const StudyOutcome& s)
{
    if (s.status == "missing") return {"file dello studio mancante", "study file missing"};
    if (s.status == "unreadable") return {"file dello studio illeggibile", "study file unreadable"};
    if (s.status == "unknown_kind") return {"il file non è uno studio", "the file is not a study"};
    if (s.status == "warnings")
        return {"il file contiene valori non letti come scritti", "the file holds values not read as written"};
    return {"calcolo dello studio non eseguito", "the study's calculation was refused"};
}

OrderedJson numbersJson(const QuantityValue& v, const std::vector<double>& numbers)
{
    if (v.shape == QuantityShape::Judgement) return v.significant ? "S" : "NS";
    if (v.isNull) return nullptr;
    if (v.shape == QuantityShape::Number && numbers.size() == 1) return numbers[0];
    return numbers;
}

std::string joined(const std::vector<std::string>& texts, QuantityShape shape)
{
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += shape == QuantityShape::Interval ? " .. " : "; ";
        out += texts[i];
    }
    return out;
}

// Decimals of a number as the study shows it ("0.185" 3, "12" 0).
int shownDecimals(const std::string& text)
{
    const auto at = text.find_first_of(".,");
    return at == std::string::npos ? 0 : static_cast<int>(text.size() - at - 1);
}

void compare(const DossierCriterion& c, const QuantityValue& v, CriterionOutcome& out)
{
    const char sep = UserDecimalSeparator();
    out.value = numbersJson(v, v.numbers);
    out.valueText = v.shape == QuantityShape::Judgement ? (v.significant ? "S" : "NS") : joined(v.texts, v.shape);
    if (v.isNull) out.valueText = "-";
    const std::string& test = c.test;
    if (!FindEntry(DossierTests(), test)) {
        out.reason = {"prova sconosciuta \"" + test + "\"", "unknown test \"" + test + "\""};
        return;
    }
    const int limits = LimitCount(test);
    if (static_cast<int>(c.limit.size()) != limits) {
        out.reason = {"il limite manca o non ha la forma richiesta dalla prova",
                      "the limit is missing or not of the form the test needs"};
        return;
    }
    auto pass = [&](bool ok, BilingualText why = {}) {
        out.verdict = ok ? Verdict::Pass : Verdict::Fail;
        if (!ok) out.reason = std::move(why);
    };
    if (test == "significant" || test == "not_significant") {
        if (v.shape != QuantityShape::Judgement) {
            out.reason = {"la grandezza non ha un giudizio S/NS", "the quantity has no S/NS judgement"};
            return;
        }
        out.valueCompared = out.value;
        out.comparedText = out.valueText;
        pass(v.significant == (test == "significant"));
        return;
    }
    if (test == "none") {
        out.valueCompared = out.value;
        out.comparedText = out.valueText;
        if (v.shape == QuantityShape::Judgement) {
            out.reason = {"la grandezza è un giudizio S/NS", "the quantity is an S/NS judgement"};
            return;
        }
        pass(v.isNull || v.numbers.empty(), {"valore sospetto: " + out.valueText, "suspect value: " + out.valueText});
        return;
    }
    if (v.shape == QuantityShape::Judgement || v.isNull) {
        out.reason = {"la grandezza non ha un valore numerico", "the quantity has no numeric value"};
        return;
    }
    int decimals = 0;
    for (const auto& l : c.limit) decimals = std::max(decimals, l.decimals());
    if (test == "contains") {
        // the interval is the study's judgement on the value: widening its ends to the limit's decimals could
        // make an interval that leaves the value out take it in, so its ends are compared as shown
        for (const auto& text : v.texts) decimals = std::max(decimals, shownDecimals(text));
    }
    std::vector<double> rounded;
    std::vector<std::string> roundedTexts;
    for (double n : v.numbers) {
        rounded.push_back(RoundToDecimals(n, decimals));
        roundedTexts.push_back(FormatNumber(n, decimals, sep));
    }
    out.valueCompared = numbersJson(v, rounded);
    out.comparedText = joined(roundedTexts, v.shape);
    if (test == "contains") {
        if (v.shape != QuantityShape::Interval) {
            out.reason = {"la prova \"contiene\" richiede un intervallo", "the test \"contains\" needs an interval"};
            return;
        }
        const double x = c.limit[0].value;
        pass(rounded[0] <= x && x <= rounded[1], {"l'intervallo non contiene il valore", "the interval does not contain the value"});
        return;
    }
    if (v.shape == QuantityShape::Interval) {
        out.reason = {"la grandezza è un intervallo: usare la prova \"contiene\"",
                      "the quantity is an interval: use the test \"contains\""};
        return;
    }
    if (rounded.empty()) {
        out.reason = {"la grandezza non ha valori", "the quantity has no values"};
        return;
    }
    auto ok = [&](double x) {
        const double a = c.limit[0].value;
        if (test == "<=") return x <= a;
        if (test == "<") return x < a;
        if (test == ">=") return x >= a;
        if (test == ">") return x > a;
        const double b = c.limit[1].value;
        if (test == "between") return a <= x && x <= b;
        return x < a || x > b;  // outside
    };
    bool all = true;
    for (double x : rounded) all = all && ok(x);
    pass(all, {"valore fuori dal limite", "value outside the limit"});
}

const char* partOfName(Language language, const char* it, const char* en)
{
    return language == Language::English ? en : it;
}

}  // namespace

const char* VerdictKey(Verdict verdict)
{
    switch (verdict) {
        case Verdict::Pass:
            return "pass";
        case Verdict::Fail:
            return "fail";
        case Verdict::NotEvaluable:
            break;
    }
    return "not_evaluable";
}

const char* VerdictName(Verdict verdict, Language language)
{
    switch (verdict) {
        case Verdict::Pass:
            return partOfName(language, "Conforme", "Pass");
        case Verdict::Fail:
            return partOfName(language, "Non conforme", "Fail");
        case Verdict::NotEvaluable:
            break;
    }
    return partOfName(language, "Non valutabile", "Not evaluable");
}

const StudyOutcome* DossierEvaluation::findStudy(const std::string& id) const
{
    for (const auto& s : studies)
        if (s.id == id) return &s;
    return nullptr;
}

DossierEvaluation EvaluateDossier(const Dossier& dossier, const std::filesystem::path& folder)
{
    DossierEvaluation e;
    e.time = timeText(std::time(nullptr), true, "%Y-%m-%dT%H:%M:%SZ");
    const std::string pattern = CurrentNumberPattern();
    for (const auto& d : dossier.studies) {
        StudyOutcome s;
        s.id = d.id;
        s.label = d.label;
        s.file = d.file;
        s.path = Dossier::resolve(folder, d.file);
        openStudy(s);
        e.studies.push_back(std::move(s));
    }
    SetCurrentNumberPattern(pattern);

    bool allPass = !dossier.criteria.empty();
    for (std::size_t i = 0; i < dossier.criteria.size(); ++i) {
        const DossierCriterion& c = dossier.criteria[i];
        CriterionOutcome out;
        out.index = i;
        const StudyOutcome* s = c.study ? e.findStudy(*c.study) : nullptr;
        if (!c.study) {
            out.reason = {"criterio senza studio", "criterion without a study"};
        } else if (!s) {
            out.reason = {"studio \"" + *c.study + "\" sconosciuto", "unknown study \"" + *c.study + "\""};
        } else if (!s->usable()) {
            out.reason = studyProblem(*s);
        } else {
            // the study's own pattern formats the values it shows (cv_R is computed here)
            SetCurrentNumberPattern(s->study->numberPattern());
            const QuantityLookup q = StudyQuantity(*s->study, c.quantity, s->extended);
            if (q.value)
                compare(c, *q.value, out);
            else
                out.reason = q.reason;
        }
        allPass = allPass && out.verdict == Verdict::Pass;
        e.criteria.push_back(std::move(out));
    }
    SetCurrentNumberPattern(pattern);

    for (const std::string& required : RequiredCharacteristics(dossier.purpose)) {
        const bool covered = std::any_of(dossier.criteria.begin(), dossier.criteria.end(), [&](const auto& c) {
            return c.characteristic == required ||
                   (required == "intermediate_precision" && c.characteristic == "reproducibility");
        });
        if (!covered) e.missingCharacteristics.push_back(required);
    }
    e.verdict = allPass && e.missingCharacteristics.empty() ? Verdict::Pass : Verdict::Fail;
    return e;
}

std::string DossierEvaluation::conclusion(const Dossier& dossier, Language language) const
{
    const bool en = language == Language::English;
    if (verdict == Verdict::Pass)
        return en ? "The method meets every acceptance criterion set for its purpose: the validation is passed."
                  : "Il metodo soddisfa tutti i criteri di accettazione fissati per il suo scopo: la convalida "
                    "è superata.";
    std::string text = en ? "The validation is not passed." : "La convalida non è superata.";
    std::vector<std::string> failed, notEvaluable;
    for (const auto& c : criteria) {
        const DossierCriterion& dc = dossier.criteria[c.index];
        const std::string name = std::to_string(c.index + 1) + " (" +
                                 EntryName(DossierCharacteristics(), dc.characteristic, language) + ", " +
                                 dc.quantity + ")";
        if (c.verdict == Verdict::Fail) failed.push_back(name);
        if (c.verdict == Verdict::NotEvaluable) notEvaluable.push_back(name);
    }
    auto list = [](const std::vector<std::string>& items) {
        std::string out;
        for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "; " : "") + items[i];
        return out;
    };
    if (criteria.empty()) text += en ? " The dossier holds no acceptance criterion." : " Il dossier non contiene criteri di accettazione.";
    if (!failed.empty()) text += (en ? " Criteria not met: " : " Criteri non soddisfatti: ") + list(failed) + ".";
    if (!notEvaluable.empty())
        text += (en ? " Criteria that could not be evaluated: " : " Criteri non valutabili: ") + list(notEvaluable) + ".";
    if (!missingCharacteristics.empty()) {
        std::vector<std::string> names;
        for (const auto& m : missingCharacteristics) names.push_back(EntryName(DossierCharacteristics(), m, language));
        text += (en ? " Characteristics required for the purpose without a criterion: "
                    : " Caratteristiche richieste per lo scopo senza alcun criterio: ") +
                list(names) + ".";
    }
    return text;
}

std::string CriterionText(const DossierCriterion& c, StudyKindId const* kind, Language language, char separator)
{
    std::string quantity = c.quantity;
    if (kind)
        if (const QuantityEntry* q = FindQuantity(*kind, c.quantity)) quantity = q->name(language);
    const std::string test = EntryName(DossierTests(), c.test, language);
    auto number = [&](const WrittenNumber& n) { return FormatNumber(n.value, n.decimals(), separator); };
    if (c.limit.size() == 2)
        return quantity + " " + test + " " + number(c.limit[0]) + (language == Language::English ? " and " : " e ") +
               number(c.limit[1]);
    if (c.limit.size() == 1) return quantity + " " + test + " " + number(c.limit[0]);
    return quantity + ": " + test;
}

OrderedJson EvaluationRecord(const DossierEvaluation& e, const Dossier& dossier)
{
    OrderedJson r = OrderedJson::object();
    r["time"] = e.time;
    r["program"] = kApplicationTitle;
    r["version"] = KESTRA_VERSION;
    r["build"] = BuildIdentifier();
    OrderedJson studies = OrderedJson::array();
    for (const auto& s : e.studies)
        studies.push_back({{"id", s.id}, {"file", s.file}, {"sha256", s.sha256.empty() ? OrderedJson(nullptr) : OrderedJson(s.sha256)}});
    r["studies"] = std::move(studies);
    OrderedJson criteria = OrderedJson::array();
    for (const auto& c : e.criteria) {
        const DossierCriterion& dc = dossier.criteria[c.index];
        criteria.push_back({{"characteristic", dc.characteristic},
                            {"study", dc.study ? OrderedJson(*dc.study) : OrderedJson(nullptr)},
                            {"quantity", dc.quantity},
                            {"verdict", VerdictKey(c.verdict)}});
    }
    r["criteria"] = std::move(criteria);
    r["verdict"] = VerdictKey(e.verdict);
    return r;
}

std::vector<std::string> ChangedSinceRecord(const Dossier& dossier, const std::filesystem::path& folder)
{
    if (!dossier.evaluated.is_object() || !dossier.evaluated.contains("studies") ||
        !dossier.evaluated["studies"].is_array())
        throw std::runtime_error(Msg("Il dossier non contiene una valutazione registrata (validate --record)."));
    std::vector<std::string> changed;
    const OrderedJson& recorded = dossier.evaluated["studies"];
    for (const auto& s : dossier.studies) {
        const std::filesystem::path path = Dossier::resolve(folder, s.file);
        const OrderedJson* entry = nullptr;
        for (const auto& r : recorded)
            if (r.is_object() && r.value("id", std::string()) == s.id) entry = &r;
        if (!entry || !(*entry)["sha256"].is_string()) {
            changed.push_back(Msg("%1: non registrato nella valutazione", {s.file}));
            continue;
        }
        std::string now;
        try {
            now = Sha256OfFile(path);
        } catch (const std::exception&) {
            changed.push_back(Msg("%1: il file manca o non può essere letto", {s.file}));
            continue;
        }
        if (now != (*entry)["sha256"].get<std::string>())
            changed.push_back(Msg("%1: contenuto cambiato dopo la valutazione registrata (SHA-256 %2)", {s.file, now}));
        else if (entry->value("file", s.file) != s.file)
            changed.push_back(Msg("%1: il dossier ora indica un altro file", {s.file}));
    }
    return changed;
}

}  // namespace kestra
