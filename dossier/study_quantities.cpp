// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/study_quantities.h"

#include "framework/number_pattern.h"
#include "studies/accuracy/accuracy_study.h"
#include "studies/calibration/calibration_study.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"
#include "studies/limits/limits_study.h"
#include "studies/precision/precision_study.h"
#include "studies/specificity/specificity_study.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

QuantityLookup missing(std::string it, std::string en)
{
    return {std::nullopt, {std::move(it), std::move(en)}};
}

// Numbers as the study shows them; the rounding rule starts from what the user reads.
QuantityLookup shown(QuantityShape shape, const std::vector<std::string>& texts)
{
    QuantityValue v;
    v.shape = shape;
    for (const auto& text : texts) {
        const std::string t = Trim(text);
        const auto number = ParseNumber(t, UserDecimalSeparator());
        if (!number)
            return missing("il risultato \"" + t + "\" non è un numero", "the result \"" + t + "\" is not a number");
        v.numbers.push_back(*number);
        v.texts.push_back(t);
    }
    return {v, {}};
}

QuantityLookup judgement(bool significant)
{
    QuantityValue v;
    v.shape = QuantityShape::Judgement;
    v.significant = significant;
    return {v, {}};
}

// "... (S)", "(NS)", "S" or "NS" as the analysis-of-variance tables show the verdict.
QuantityLookup judgementText(const std::string& text)
{
    const std::string t = Trim(text);
    auto endsWith = [&](const char* s) {
        const std::string suffix(s);
        return t.size() >= suffix.size() && t.compare(t.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    if (t == "NS" || endsWith("(NS)")) return judgement(false);
    if (t == "S" || endsWith("(S)")) return judgement(true);
    return missing("il giudizio \"" + t + "\" non è S o NS", "the judgement \"" + t + "\" is neither S nor NS");
}

// The value before "±" of an accuracy result ("99.87 ± 0.55").
std::string beforePlusMinus(const std::string& text)
{
    const auto at = text.find("±");
    return Trim(at == std::string::npos ? text : text.substr(0, at));
}

QuantityLookup notApplicable()
{
    return missing("la grandezza non si applica a questo studio", "the quantity does not apply to this study");
}

QuantityLookup limitsQuantity(const LimitsStudy& s, const std::string& key)
{
    if (key == "n") return shown(QuantityShape::Number, {std::to_string(s.measurementCount())});
    if (key == "s") return shown(QuantityShape::Number, {s.stDevText()});
    if (key == "detection_limit") return shown(QuantityShape::Number, {s.detectionLimitText()});
    if (key == "quantitation_limit") return shown(QuantityShape::Number, {s.quantitationLimitText()});
    return notApplicable();
}

QuantityLookup precisionQuantity(const PrecisionStudy& s, const std::string& key)
{
    const auto& r = s.results();
    if (key == "n") return shown(QuantityShape::Number, {std::to_string(s.determinationCount())});
    if (key == "mean") return shown(QuantityShape::Number, {r.media});
    if (key == "s") return shown(QuantityShape::Number, {r.stDev});
    if (key == "cv") return shown(QuantityShape::Number, {r.cv});
    if (key == "ci") return shown(QuantityShape::Interval, {r.infConf, r.supConf});
    if (key == "ci_width") return shown(QuantityShape::Number, {r.intConf});
    if (key == "p_percent") {
        const auto p = s.precisionPercent();
        if (!p) return notApplicable();
        // the conclusion prints it in its plain form: that is the form compared
        return shown(QuantityShape::Number, {FormatPlain(*p, UserDecimalSeparator())});
    }
    return notApplicable();
}

QuantityLookup calibrationQuantity(const CalibrationStudy& s, const std::string& key)
{
    const auto& r = s.results();
    if (key == "r") return shown(QuantityShape::Number, {r.r});
    if (key == "intercept") return shown(QuantityShape::Number, {r.a});
    if (key == "slope") return shown(QuantityShape::Number, {r.b});
    if (key == "s_intercept") return shown(QuantityShape::Number, {r.sa});
    if (key == "s_slope") return shown(QuantityShape::Number, {r.sb});
    if (key == "proportionality") return shown(QuantityShape::Interval, {r.lower, r.upper});
    if (key == "regression") return judgementText(s.anova()[1][5]);
    if (key == "curvature") return judgementText(s.anova()[2][5]);
    return notApplicable();
}

QuantityLookup accuracyQuantity(const AccuracyStudy& s, const std::string& key)
{
    const bool three = s.threeLevels();
    if (!three) {
        if (key == "recovery_central" || key == "recovery_mean")
            return shown(QuantityShape::Number, {beforePlusMinus(s.accuOneText())});
        if (key == "recovery_each") return shown(QuantityShape::Levels, {beforePlusMinus(s.accuOneText())});
        if (key == "recovery_upper" || key == "recovery_lower" || key == "levels")
            return missing("lo studio ha un solo livello", "the study has one level only");
        return notApplicable();
    }
    if (key == "recovery_upper") return shown(QuantityShape::Number, {beforePlusMinus(s.accuSupText())});
    if (key == "recovery_central") return shown(QuantityShape::Number, {beforePlusMinus(s.accuCenText())});
    if (key == "recovery_lower") return shown(QuantityShape::Number, {beforePlusMinus(s.accuInfText())});
    if (key == "recovery_each")
        return shown(QuantityShape::Levels, {beforePlusMinus(s.accuSupText()), beforePlusMinus(s.accuCenText()),
                                             beforePlusMinus(s.accuInfText())});
    if (key == "recovery_mean") {
        if (s.accuMedText() == AccuracyStudy::kNoMean)
            return missing("i livelli differiscono significativamente: il recupero medio non è calcolato",
                           "the levels differ significantly: no mean recovery is computed");
        return shown(QuantityShape::Number, {beforePlusMinus(s.accuMedText())});
    }
    if (key == "levels") return judgementText(s.anovaCell(6, 2));
    return notApplicable();
}

QuantityLookup specificityQuantity(const SpecificityStudy& s, const std::string& key)
{
    if (key == "mean_a") return shown(QuantityShape::Number, {s.meanText(0)});
    if (key == "mean_b") return shown(QuantityShape::Number, {s.meanText(1)});
    if (key == "f") return shown(QuantityShape::Number, {s.fText()});
    if (key == "t") return shown(QuantityShape::Number, {s.tText()});
    if (key == "difference") {
        const std::string& j = s.judgements()[0];
        if (j.rfind("Differenza NON SIGNIFICATIVA", 0) == 0) return judgement(false);
        if (j.rfind("Differenza SIGNIFICATIVA", 0) == 0) return judgement(true);
        return missing("specificità statisticamente non determinabile (dispersione dei dati elevata)",
                       "specificity statistically not determinable (high dispersion of the data)");
    }
    return notApplicable();
}

QuantityLookup seriesQuantity(const IntermediatePrecisionStudy& s, const std::string& key)
{
    if (key == "s_r") return shown(QuantityShape::Number, {s.srText()});
    if (key == "s_between") return shown(QuantityShape::Number, {s.sbText()});
    if (key == "s_R") return shown(QuantityShape::Number, {s.sRText()});
    if (key == "p_percent") return shown(QuantityShape::Number, {s.precisionText()});
    if (key == "series") return judgementText(s.aovCell(2, 6));
    if (key == "cv_r" || key == "cv_R") {
        const auto v = s.variation();
        if (!v) return notApplicable();
        const double cv = key == "cv_r" ? v->repeatabilityCv : v->overallCv;
        // shown with the study's own digits, as its other results
        return shown(QuantityShape::Number, {FormatCurrent(cv)});
    }
    return notApplicable();
}

QuantityLookup extendedQuantity(const std::string& key, const std::optional<ExtendedStatistics>& extended)
{
    if (!extended || !extended->available)
        return missing("la statistica estesa dello studio non è disponibile",
                       "the study's extended statistics are not available");
    for (const ExtendedValue& e : extended->values) {
        if (e.key != key) continue;
        QuantityValue v;
        v.fullPrecision = true;
        const char sep = UserDecimalSeparator();
        if (e.type == ExtendedValue::Type::Array) {
            v.shape = QuantityShape::Levels;
            v.numbers = e.numbers;
        } else if (e.number) {
            v.numbers = {*e.number};
        } else {
            v.isNull = true;
        }
        for (double n : v.numbers) v.texts.push_back(FormatPlain(n, sep));
        return {v, {}};
    }
    return notApplicable();
}

}  // namespace

QuantityLookup StudyQuantity(const Study& study, const std::string& key,
                             const std::optional<ExtendedStatistics>& extended)
{
    if (!FindQuantity(study.kindId(), key)) return extendedQuantity(key, extended);
    switch (study.kindId()) {
        case StudyKindId::Limi:
            return limitsQuantity(static_cast<const LimitsStudy&>(study), key);
        case StudyKindId::Prec:
            return precisionQuantity(static_cast<const PrecisionStudy&>(study), key);
        case StudyKindId::Tara:
            return calibrationQuantity(static_cast<const CalibrationStudy&>(study), key);
        case StudyKindId::Accu:
            return accuracyQuantity(static_cast<const AccuracyStudy&>(study), key);
        case StudyKindId::Spec:
            return specificityQuantity(static_cast<const SpecificityStudy&>(study), key);
        case StudyKindId::Prin:
        case StudyKindId::Ripr:
            return seriesQuantity(static_cast<const IntermediatePrecisionStudy&>(study), key);
    }
    return notApplicable();
}

}  // namespace kestra
