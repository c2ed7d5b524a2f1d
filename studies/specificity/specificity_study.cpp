// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/specificity/specificity_study.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "stats/centred_sums.h"
#include "stats/statistics.h"
#include "studies/specificity/specificity_extended.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

const char* const SpecificityStudy::kConclusionHeader =
    "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA SPECIFICITA'\r\n";
const char* const SpecificityStudy::kConclusionHeaderEnglish =
    "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nSPECIFICITY TEST\r\n";

namespace {

constexpr const char* kDegreesOfFreedomWarning =
    "I gradi di libertà del test t non sono calcolabili: i risultati dei gruppi sono troppo grandi per il "
    "calcolo. Controllare i dati.";

constexpr const char* kNotDeterminableEnglish =
    "The variances of the two groups of data are significant different.\r\nGiven the high dispersion of the "
    "results, with this numerosity of the data (#1# for the group A e #2# for the group B) it is not "
    "possible to "
    "establish statistically (P = 95%) one difference between the two groups.\r\nSpecificity statistically "
    "not "
    "determinable.";
constexpr const char* kNotDeterminableItalian =
    "Le varianze dei due gruppi di dati sono significativamente diverse.\r\nData l'elevata dispersione dei "
    "risultati, con l'attuale numerosità dei dati (#1# per il gruppo A e #2# per il gruppo B) non è "
    "possibile "
    "stabilire statisticamente (P = 95%) una differenza tra i due gruppi.\r\nSpecificità statisticamente non "
    "determinabile.";
constexpr const char* kDeterminedEnglish =
    "The method #1##2# determine analyte #3# without having the interferences from other known substances "
    "presents "
    "in the sample.";
constexpr const char* kDeterminedItalian =
    "Il metodo #1##2# è in grado di determinare l'analita #3# senza subire le interferenze da parte di altre "
    "sostanze note presenti nel campione.";

std::string headerBlock(const SpecificityStudy& study, Language language)
{
    static constexpr std::array<const char*, 3> italian = {"Metodo analitico", "Analita", "Campione"};
    static constexpr std::array<const char*, 3> english = {"Analytical method", "Analyte", "Sample"};
    const auto& labels = language == Language::English ? english : italian;
    std::string block;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) block += "\r\n";
        block += std::string(labels[static_cast<std::size_t>(i)]) + ": " + Trim(study.header(i));
    }
    return block;
}

}  // namespace

SpecificityStudy::SpecificityStudy() : Study(StudyKindId::Spec)
{
    reset();
}

void SpecificityStudy::resetData()
{
    m_size = {kDefaultCount, kDefaultCount};
    m_grid.resize(kDefaultCount, 2);
    m_grid.clear();
    const std::string zero = FormatCurrent(0);
    for (int g = 0; g < 2; ++g) {
        m_mean[static_cast<std::size_t>(g)] = zero;
        m_variance[static_cast<std::size_t>(g)] = zero;
        m_lower[static_cast<std::size_t>(g)] = "0";
        m_upper[static_cast<std::size_t>(g)] = "0";
    }
    m_f = m_t = m_p = zero;
    m_df = FormatNumber(0.0, "##0", UserDecimalSeparator());
    m_judgementLabel = "Giudizio";
    for (auto& j : m_judgements) j.clear();
    for (auto& c : m_conclusions) c.clear();
    m_computed = false;
    setupSpecGrid();
}

bool SpecificityStudy::setGroupSize(int group, int size)
{
    if (size < kMinCount || size > kMaxCount) return false;
    m_size.at(static_cast<std::size_t>(group)) = size;
    setupSpecGrid();
    setModify(true);
    return true;
}

void SpecificityStudy::setupSpecGrid()
{
    const int rows = std::max(m_size[0], m_size[1]);
    m_grid.resize(rows, 2);
    m_grid.setCornerHeader("Dati");
    m_grid.setColumnHeader(0, "Gruppo A");
    m_grid.setColumnHeader(1, "Gruppo B");
    for (int r = 0; r < rows; ++r) {
        m_grid.setRowHeader(r, std::to_string(r + 1));
        for (int c = 0; c < 2; ++c) {
            m_grid.setLocked(r, c, false);
            if (!m_grid.hasNumber(r, c)) m_grid.setCell(r, c, 0.0);
            if (r >= m_size[static_cast<std::size_t>(c)]) {
                m_grid.setCell(r, c, std::nullopt);
                m_grid.setLocked(r, c, true);
            }
        }
    }
}

double SpecificityStudy::VarianceFTest(int nA, int nB, double vA, double vB, CalcOutcome& outcome)
{
    m_t = "0";
    if (vA == 0 && vB == 0) {
        outcome.messages.push_back({StudyMessage::Severity::Critical,
                                    Msg("Dati non validi !\nControllare i dati"), Msg("Errore"), 2});
        return -1;
    }
    double f = 0;
    int df1 = 0;
    int df2 = 0;
    if (vA >= vB) {
        f = vB == 0 ? 0 : vA / vB;
        df1 = nA - 1;
        df2 = nB - 1;
    } else {
        f = vA == 0 ? 0 : vB / vA;
        df1 = nB - 1;
        df2 = nA - 1;
    }
    return FTailProbability(f, df1, df2);
}

ExtendedStatistics SpecificityStudy::extendedStatistics() const
{
    return SpecificityExtended(*this);
}

CalcOutcome SpecificityStudy::calculate()
{
    CalcOutcome outcome;
    const int nA = m_size[0];
    const int nB = m_size[1];

    std::array<std::vector<double>, 2> values;
    std::array<double, 2> sums{};
    std::array<bool, 2> allEqual{true, true};
    for (int g = 0; g < 2; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        for (int r = 0; r < m_size[gi]; ++r) {
            const auto v = m_grid.cell(r, g);
            if (!v) {
                outcome.messages.push_back({StudyMessage::Severity::Warning, Msg(kNotNumericWarning), {}, 0});
                return outcome;
            }
            if (r > 0 && *v != values[gi].back()) allEqual[gi] = false;
            values[gi].push_back(*v);
            sums[gi] += *v;
        }
    }
    if (sums[0] == 0 || sums[1] == 0) {
        outcome.messages.push_back({StudyMessage::Severity::Warning, Msg(kAllZeroWarning), {}, 0});
        return outcome;
    }
    if (allEqual[0] || allEqual[1]) {
        outcome.messages.push_back({StudyMessage::Severity::Warning, Msg(kAllEqualWarning), {}, 0});
        return outcome;
    }

    std::array<double, 4> statsA{}, statsB{};
    DescriptiveStats(values[0], statsA);
    DescriptiveStats(values[1], statsB);
    const double mA = statsA[1], vA = statsA[2];
    const double mB = statsB[1], vB = statsB[2];
    const double tA = TCritical95(nA, 1);
    const double tB = TCritical95(nB, 1);

    const double pF = VarianceFTest(nA, nB, vA, vB, outcome);
    if (pF == -1) return outcome;

    const double smaller = std::min(vA, vB);
    const double fDisplayed = smaller == 0 ? 0 : std::max(vA, vB) / smaller;

    // the difference of the means as the data give it, not of two rounded means that may share most digits
    const double meanDifference = std::abs(MeanDifference(values[0], values[1]));
    double t = 0;
    int df = 0;
    const bool variancesDiffer = pF < 0.05;
    if (variancesDiffer) {
        const double q = vA / nA + vB / nB;
        t = meanDifference / std::sqrt(q);
        const double rawDf =
            std::floor(std::pow(q, 2) / (std::pow(vA / nA, 2) / nA + std::pow(vB / nB, 2) / nB) + 0.5);
        // values so far apart that the squares overflow leave no degrees of freedom to test with
        if (!std::isfinite(rawDf) || rawDf < 1 || rawDf > 32767) {
            outcome.messages.push_back(
                {StudyMessage::Severity::Warning, Msg(kDegreesOfFreedomWarning), {}, 0});
            return outcome;
        }
        df = static_cast<int>(rawDf);
    } else {
        const double sp = std::sqrt((vB * (nB - 1) + vA * (nA - 1)) / (nA + nB - 2));
        t = meanDifference / (std::sqrt(1.0 / nB + 1.0 / nA) * sp);
        df = nA + nB - 2;
    }
    const double pT = TTailProbability(t, df);

    double lowerA = 0, upperA = 0, widthA = 0, lowerB = 0, upperB = 0, widthB = 0;
    ConfidenceInterval(values[0], mA, std::sqrt(vA), tA, lowerA, upperA, widthA);
    ConfidenceInterval(values[1], mB, std::sqrt(vB), tB, lowerB, upperB, widthB);

    const bool meansDiffer = pT <= 0.05;
    const bool notDeterminable = variancesDiffer && pT >= 0.05;

    std::array<std::string, 2> conclusions;  // [0] Italian, [1] English
    for (Language language : {Language::English, Language::Italian}) {
        const bool english = language == Language::English;
        std::string text;
        if (notDeterminable) {
            text = english ? kNotDeterminableEnglish : kNotDeterminableItalian;
            text = ReplacePlaceholder(text, "#1#", std::to_string(nA));
            text = ReplacePlaceholder(text, "#2#", std::to_string(nB));
        } else {
            text = english ? kDeterminedEnglish : kDeterminedItalian;
            // one pass: a method or analyte holding "#2#" stays as typed
            const std::string method = Trim(header(0));
            const std::string analyte = Trim(header(1));
            text = ReplacePlaceholder(
                text,
                {{"#1#", method}, {"#3#", analyte}, {"#2#", meansDiffer ? (english ? " NOT" : " NON") : ""}});
        }
        conclusions[english ? 1 : 0] =
            std::string(english ? kConclusionHeaderEnglish : kConclusionHeader) + "\r\n" + text;
    }

    std::array<std::string, 2> judgements;
    if (notDeterminable) {
        judgements[0] = "Dispersione dei dati elevata.\r\nSpecificità statisticamente non determinabile";
        judgements[1] = "High dispertion data.\r\nSpecificity statistically not determinable";
    } else {
        judgements[0] = std::string("Differenza ") + (meansDiffer ? "" : "NON ") + "SIGNIFICATIVA (P = 95%)";
        judgements[1] = std::string("Difference ") + (meansDiffer ? "" : "NOT ") + "SIGNIFICANT (P = 95%)";
    }

    m_conclusions = std::move(conclusions);
    m_mean = {FormatCurrent(mA), FormatCurrent(mB)};
    m_lower = {FormatCurrent(lowerA), FormatCurrent(lowerB)};
    m_upper = {FormatCurrent(upperA), FormatCurrent(upperB)};
    m_variance = {FormatCurrent(vA), FormatCurrent(vB)};
    m_f = FormatCurrent(fDisplayed);
    m_df = FormatNumber(static_cast<double>(df), "##0", UserDecimalSeparator());
    m_t = FormatCurrent(t);
    m_p = FormatCurrent(pT);
    m_judgements = std::move(judgements);
    m_judgementLabel = m_judgements[0];
    m_computed = true;
    markCalculated();
    outcome.computed = true;
    return outcome;
}

ChartData SpecificityStudy::chart(Language language) const
{
    const bool english = language == Language::English;
    ChartData chart;
    chart.kind = ChartData::Kind::HighLow;
    chart.name = "VtGrafSpec";
    chart.title = english ? "Specificity: means" : "Specificità: medie";
    chart.titleFontSize = 10;
    chart.footnote = headerBlock(*this, language);
    chart.footnoteFontSize = 7;
    chart.xAxis.title = english ? "Groups" : "Gruppi";
    chart.xAxis.titleFontSize = 10;
    chart.xAxis.titleVisible = true;
    chart.yAxis.titleVisible = false;
    chart.legendVisible = false;
    chart.legendAtBottom = true;
    if (!m_computed) return chart;

    // the bars are drawn from what the labels show
    const auto shown = [](const std::string& text) {
        return ParseNumber(text, UserDecimalSeparator()).value_or(0.0);
    };
    if (english)
        chart.columnLabels = {"Lower", "Higher", "Mean"};
    else
        chart.columnLabels = {"Inferiore", "Superiore", "Media"};
    for (int g = 0; g < 2; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        chart.rowLabels.push_back(std::string(1, static_cast<char>(65 + g)));
        chart.rows.push_back({shown(m_lower[gi]), shown(m_upper[gi]), shown(m_mean[gi])});
    }
    ChartMarker bars;
    bars.visible = true;
    bars.colour = 0x0000C0;
    chart.series.push_back(bars);
    return chart;
}

std::vector<ChartData> SpecificityStudy::charts(Language language) const
{
    return {chart(language)};
}

ReportRecords SpecificityStudy::reportRecords(Language language) const
{
    const std::size_t l = language == Language::English ? 1 : 0;
    ReportRecords r;
    r.headerTable = "Spec";
    r.detailTable = "SpecTabella";
    ReportRecord& h = r.header;
    h.set("ID", std::int64_t{1});
    h.set("METODO", Utf8Left(header(0), 50));
    h.set("ANALITA", Utf8Left(header(1), 50));
    h.set("CAMPIONE", Utf8Left(header(2), 50));
    h.set("NDETA", std::to_string(m_size[0]));
    h.set("NDETB", std::to_string(m_size[1]));
    h.set("MEDIAA", m_mean[0]);
    h.set("MEDIAB", m_mean[1]);
    h.set("LIMCONFINFA", m_lower[0]);
    h.set("LIMCONFINFB", m_lower[1]);
    h.set("LIMCONFSUPA", m_upper[0]);
    h.set("LIMCONFSUPB", m_upper[1]);
    h.set("S2A", m_variance[0]);
    h.set("S2B", m_variance[1]);
    h.set("F", m_f);
    h.set("GDL", m_df);
    h.set("T", m_t);
    h.set("P", m_p);
    h.set("GIUDIZIO", m_judgements[l]);
    h.set("CONCLUSIONI", m_conclusions[l]);
    for (int row = 0; row < m_grid.rowCount(); ++row) {
        ReportRecord d;
        d.set("ID", std::int64_t{1});
        d.set("NDATI", std::int64_t{row + 1});
        if (m_grid.hasNumber(row, 0)) d.set("COLA", m_grid.cellText(row, 0));
        if (m_grid.hasNumber(row, 1)) d.set("COLB", m_grid.cellText(row, 1));
        r.details.push_back(std::move(d));
    }
    return r;
}

}  // namespace kestra
