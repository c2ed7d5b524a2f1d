// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/criteria_catalogue.h"

#include <array>
#include <stdexcept>

#include "text/messages.h"

namespace kestra {

namespace {

constexpr std::array kPurposes = {
    NamedEntry{"identification", "Identificazione", "Identification"},
    NamedEntry{"impurity_quantitative", "Impurezze: determinazione quantitativa",
               "Impurities: quantitative test"},
    NamedEntry{"impurity_limit", "Impurezze: prova limite", "Impurities: limit test"},
    NamedEntry{"assay", "Titolo (dosaggio)", "Assay"},
    NamedEntry{"other", "Altro", "Other"},
};

constexpr std::array kCharacteristics = {
    NamedEntry{"specificity", "Specificità", "Specificity"},
    NamedEntry{"linearity", "Linearità (risposta)", "Linearity (response)"},
    NamedEntry{"range", "Intervallo di lavoro", "Range"},
    NamedEntry{"detection_limit", "Limite di rilevazione", "Detection limit"},
    NamedEntry{"quantitation_limit", "Limite di determinazione", "Quantitation limit"},
    NamedEntry{"accuracy", "Accuratezza", "Accuracy"},
    NamedEntry{"repeatability", "Ripetibilità", "Repeatability"},
    NamedEntry{"intermediate_precision", "Precisione intermedia", "Intermediate precision"},
    NamedEntry{"reproducibility", "Riproducibilità", "Reproducibility"},
};

constexpr std::array kTests = {
    NamedEntry{"<=", "≤", "≤"},
    NamedEntry{"<", "<", "<"},
    NamedEntry{">=", "≥", "≥"},
    NamedEntry{">", ">", ">"},
    NamedEntry{"between", "compreso tra", "between"},
    NamedEntry{"outside", "esterno a", "outside"},
    NamedEntry{"not_significant", "non significativo (95 %)", "not significant (95 %)"},
    NamedEntry{"significant", "significativo (95 %)", "significant (95 %)"},
    NamedEntry{"none", "nessun valore sospetto", "no suspect value"},
    NamedEntry{"contains", "contiene", "contains"},
};

using S = QuantityShape;

constexpr std::array kLimits = {
    QuantityEntry{"n", "Numero di determinazioni", "Number of determinations", S::Number},
    QuantityEntry{"s", "Deviazione standard", "Standard deviation", S::Number},
    QuantityEntry{"detection_limit", "Limite di rilevazione", "Detection limit", S::Number},
    QuantityEntry{"quantitation_limit", "Limite di determinazione", "Quantitation limit", S::Number},
};
constexpr std::array kPrecision = {
    QuantityEntry{"n", "Numero di determinazioni", "Number of determinations", S::Number},
    QuantityEntry{"mean", "Media", "Mean", S::Number},
    QuantityEntry{"s", "Deviazione standard", "Standard deviation", S::Number},
    QuantityEntry{"cv", "CV %", "CV %", S::Number},
    QuantityEntry{"p_percent", "Precisione P %", "Precision P %", S::Number},
    QuantityEntry{"ci", "Intervallo di confidenza della media", "Confidence interval of the mean", S::Interval},
    QuantityEntry{"ci_width", "Ampiezza dell'intervallo di confidenza", "Confidence interval width", S::Number},
};
constexpr std::array kCalibration = {
    QuantityEntry{"r", "Coefficiente di correlazione r", "Correlation coefficient r", S::Number},
    QuantityEntry{"intercept", "Intercetta a", "Intercept a", S::Number},
    QuantityEntry{"slope", "Pendenza b", "Slope b", S::Number},
    QuantityEntry{"s_intercept", "Dev. std. dell'intercetta", "Std. dev. of the intercept", S::Number},
    QuantityEntry{"s_slope", "Dev. std. della pendenza", "Std. dev. of the slope", S::Number},
    QuantityEntry{"regression", "Regressione (F)", "Regression (F)", S::Judgement},
    QuantityEntry{"curvature", "Curvatura (F)", "Curvature (F)", S::Judgement},
    QuantityEntry{"proportionality", "Proporzionalità a ± t·s(a)", "Proportionality a ± t·s(a)", S::Interval},
};
constexpr std::array kAccuracy = {
    QuantityEntry{"recovery_upper", "Recupero % al livello superiore", "Recovery % at the upper level",
                  S::Number},
    QuantityEntry{"recovery_central", "Recupero % al livello centrale", "Recovery % at the central level",
                  S::Number},
    QuantityEntry{"recovery_lower", "Recupero % al livello inferiore", "Recovery % at the lower level",
                  S::Number},
    QuantityEntry{"recovery_mean", "Recupero % medio", "Mean recovery %", S::Number},
    QuantityEntry{"recovery_each", "Recupero % di ogni livello", "Recovery % of each level", S::Levels},
    QuantityEntry{"levels", "Differenza tra i livelli (F)", "Difference between levels (F)", S::Judgement},
};
constexpr std::array kSpecificity = {
    QuantityEntry{"mean_a", "Media del gruppo A", "Mean of group A", S::Number},
    QuantityEntry{"mean_b", "Media del gruppo B", "Mean of group B", S::Number},
    QuantityEntry{"f", "F", "F", S::Number},
    QuantityEntry{"t", "t", "t", S::Number},
    QuantityEntry{"difference", "Differenza tra le medie (t)", "Difference between the means (t)", S::Judgement},
};
constexpr std::array kSeries = {
    QuantityEntry{"s_r", "Dev. std. di ripetibilità s r", "Repeatability std. dev. s r", S::Number},
    QuantityEntry{"s_between", "Dev. std. tra le serie", "Between-series std. dev.", S::Number},
    QuantityEntry{"s_R", "Dev. std. s R", "Std. dev. s R", S::Number},
    QuantityEntry{"p_percent", "Precisione P %", "Precision P %", S::Number},
    QuantityEntry{"cv_r", "CV % di ripetibilità", "Repeatability CV %", S::Number},
    QuantityEntry{"cv_R", "CV % complessivo (s R)", "Overall CV % (s R)", S::Number},
    QuantityEntry{"series", "Differenza tra le serie (F)", "Difference between series (F)", S::Judgement},
};

DossierCriterion proposal(const char* characteristic, const char* quantity, const char* test,
                          std::vector<WrittenNumber> limit = {})
{
    DossierCriterion c;
    c.characteristic = characteristic;
    c.quantity = quantity;
    c.test = test;
    c.limitIsPair = limit.size() == 2;
    c.limit = std::move(limit);
    c.proposed = true;
    return c;
}

WrittenNumber written(const char* text)
{
    return *WrittenNumber::parse(text);
}

}  // namespace

std::span<const NamedEntry> DossierPurposes()
{
    return kPurposes;
}
std::span<const NamedEntry> DossierCharacteristics()
{
    return kCharacteristics;
}
std::span<const NamedEntry> DossierTests()
{
    return kTests;
}

const NamedEntry* FindEntry(std::span<const NamedEntry> entries, const std::string& key)
{
    for (const auto& e : entries)
        if (key == e.key) return &e;
    return nullptr;
}

std::string EntryName(std::span<const NamedEntry> entries, const std::string& key, Language language)
{
    const NamedEntry* e = FindEntry(entries, key);
    return e ? e->name(language) : key;
}

int LimitCount(const std::string& test)
{
    if (test == "between" || test == "outside") return 2;
    if (test == "not_significant" || test == "significant" || test == "none") return 0;
    return 1;
}

std::span<const QuantityEntry> KindQuantities(StudyKindId kind)
{
    switch (kind) {
        case StudyKindId::Limi:
            return kLimits;
        case StudyKindId::Prec:
            return kPrecision;
        case StudyKindId::Tara:
            return kCalibration;
        case StudyKindId::Accu:
            return kAccuracy;
        case StudyKindId::Spec:
            return kSpecificity;
        case StudyKindId::Prin:
        case StudyKindId::Ripr:
            return kSeries;
    }
    return {};
}

const QuantityEntry* FindQuantity(StudyKindId kind, const std::string& key)
{
    for (const auto& q : KindQuantities(kind))
        if (key == q.key) return &q;
    return nullptr;
}

std::vector<std::string> RequiredCharacteristics(const std::string& purpose)
{
    if (purpose == "identification") return {"specificity"};
    if (purpose == "impurity_quantitative")
        return {"specificity", "linearity", "quantitation_limit", "accuracy", "repeatability",
                "intermediate_precision"};
    if (purpose == "impurity_limit") return {"specificity", "detection_limit"};
    if (purpose == "assay")
        return {"specificity", "linearity", "accuracy", "repeatability", "intermediate_precision"};
    return {};
}

std::vector<DossierCriterion> ProposeCriteria(const std::string& purpose, const ProposalInputs& inputs)
{
    if (purpose == "assay")
        return {proposal("specificity", "difference", "not_significant"),
                proposal("linearity", "r", ">=", {written("0.999")}),
                proposal("linearity", "curvature", "not_significant"),
                proposal("linearity", "proportionality", "contains", {written("0")}),
                proposal("accuracy", "recovery_each", "between", {written("98.0"), written("102.0")}),
                proposal("repeatability", "cv", "<=", {written("2.0")}),
                proposal("repeatability", "n", ">=", {written("6")}),
                proposal("intermediate_precision", "cv_R", "<=", {written("3.0")})};
    if (purpose == "impurity_quantitative") {
        if (!inputs.reportingThreshold)
            throw std::invalid_argument(
                Msg("Per le impurezze (determinazione quantitativa) indicare la soglia di "
                    "riporto a cui confrontare il limite di determinazione."));
        return {proposal("specificity", "difference", "not_significant"),
                proposal("quantitation_limit", "quantitation_limit", "<=", {*inputs.reportingThreshold}),
                proposal("accuracy", "recovery_each", "between", {written("80"), written("120")}),
                proposal("repeatability", "cv", "<=", {written("10")}),
                proposal("linearity", "r", ">=", {written("0.99")})};
    }
    if (purpose == "impurity_limit") {
        if (!inputs.impurityLimit)
            throw std::invalid_argument(
                Msg("Per la prova limite delle impurezze indicare il limite a cui confrontare il limite di "
                    "rilevazione."));
        return {proposal("specificity", "difference", "not_significant"),
                proposal("detection_limit", "detection_limit", "<=", {*inputs.impurityLimit})};
    }
    if (purpose == "identification") return {proposal("specificity", "difference", "not_significant")};
    if (purpose == "other") return {};
    throw std::invalid_argument(Msg(
        "Scopo del metodo sconosciuto: \"%1\" (attesi identification, impurity_quantitative, impurity_limit, "
        "assay, other).",
        {purpose}));
}

std::string ProposalsJson(const std::vector<DossierCriterion>& proposals)
{
    return DumpWrittenJson(
               [&](const NumberSlot& slot) {
                   OrderedJson array = OrderedJson::array();
                   for (const auto& c : proposals) array.push_back(CriterionToJson(c, slot));
                   return array;
               },
               2) +
           "\n";
}

}  // namespace kestra
