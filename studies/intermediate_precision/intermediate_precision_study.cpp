// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/intermediate_precision/intermediate_precision_study.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "framework/services.h"
#include "stats/centred_sums.h"
#include "stats/statistics.h"
#include "studies/intermediate_precision/series_extended.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

namespace {

constexpr const char* kMeanPattern = "###0.000";
constexpr const char* kDfPattern = "##0";
constexpr const char* kFtPattern = "#0.00";
constexpr int kFTextWidth = 14;

constexpr std::array<const char*, 3> kKindCaptions = {"Analisti diversi nello stesso laboratorio",
                                                      "Laboratori diversi", "Altro (serie diverse)"};
constexpr std::array<const char*, 3> kTreatmentCaptions = {
    "Deviazione std. tra analisti", "Deviazione std. tra laboratori", "Deviazione std. tra serie"};
constexpr std::array<const char*, 6> kAovHeadings = {"Variazione", "Devianza", "GdL", "Varianza", "F", "Ft"};
constexpr std::array<const char*, 3> kAovRowHeadings = {"Tratt. (tra le serie)", "Errore (in ogni serie)",
                                                        "Totali"};

// The confidence interval of a series mean; a mean of 0 has no relative half-width, but its limits are
// those of any other mean (half-width cut to three decimals).
void meanInterval(std::span<const double> values, double mean, double s, double t, double& lower,
                  double& upper)
{
    double width = 0;
    if (mean != 0.0) {
        ConfidenceInterval(values, mean, s, t, lower, upper, width);
        return;
    }
    const double halfWidth =
        std::floor(1000.0 * s * t / std::sqrt(static_cast<double>(values.size()))) / 1000.0;
    lower = -halfWidth;
    upper = halfWidth;
}

double requireFinite(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticError::overflow(Msg("i valori sono troppo grandi per l'analisi della varianza."));
    return value;
}

std::string lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

IntermediatePrecisionStudy::IntermediatePrecisionStudy(const SeriesStudyConfig& config)
    : Study(config.kind),
      m_config(config),
      m_seriesKind(config.fixedLaboratories ? SeriesKind::Laboratories : SeriesKind::Analysts)
{
    reset();
}

// ---------------------------------------------------------------- dimensions and options

void IntermediatePrecisionStudy::numberHeadings()
{
    m_grid.setCornerHeader("Rep.");
    for (int c = 0; c < m_grid.columnCount(); ++c)
        m_grid.setColumnHeader(c, FormatNumber(c + 1.0, "#0", '.'));
    for (int r = 0; r < m_grid.rowCount(); ++r) m_grid.setRowHeader(r, std::to_string(r + 1));
}

void IntermediatePrecisionStudy::applyDimensions()
{
    m_grid.resize(m_perSeries, m_series);
    numberHeadings();
    for (int r = 0; r < m_perSeries; ++r)
        for (int c = 0; c < m_series; ++c)
            if (!m_grid.hasNumber(r, c)) m_grid.setCell(r, c, 0.0);
    // the means of series that are new stay blank until the next calculation
    m_meanTexts.resize(static_cast<std::size_t>(m_series));
}

bool IntermediatePrecisionStudy::setSeriesCount(int k)
{
    if (!validSeriesCount(k)) return false;
    m_series = k;
    applyDimensions();
    setModify(true);
    return true;
}

bool IntermediatePrecisionStudy::setPerSeriesCount(int n)
{
    if (!validPerSeriesCount(n)) return false;
    m_perSeries = n;
    applyDimensions();
    setModify(true);
    return true;
}

std::vector<SeriesKind> IntermediatePrecisionStudy::selectableKinds() const
{
    if (m_config.fixedLaboratories) return {SeriesKind::Laboratories};
    return {SeriesKind::Analysts, SeriesKind::Other};
}

void IntermediatePrecisionStudy::selectSeriesKind(SeriesKind kind)
{
    if (m_config.fixedLaboratories) return;
    if (kind == SeriesKind::Laboratories) return;  // hidden and disabled in this window
    m_seriesKind = kind;
}

const char* IntermediatePrecisionStudy::seriesKindCaption(SeriesKind kind)
{
    if (kind == SeriesKind::None) return "";
    return kKindCaptions[static_cast<std::size_t>(kind)];
}

const char* IntermediatePrecisionStudy::treatmentCaption(SeriesKind kind)
{
    if (kind == SeriesKind::None) return "";
    return kTreatmentCaptions[static_cast<std::size_t>(kind)];
}

std::string IntermediatePrecisionStudy::treatmentCaption() const
{
    return treatmentCaption(m_seriesKind);
}

// ---------------------------------------------------------------- reset

void IntermediatePrecisionStudy::resetData()
{
    m_series = kDefaultSeries;
    m_perSeries = kDefaultPerSeries;
    m_grid.resize(m_perSeries, m_series);
    m_grid.clear();
    numberHeadings();
    // written as it stands, with "." whatever the user's separator: the calculation formats the means
    m_meanTexts.assign(static_cast<std::size_t>(m_series), "0.000");
    const std::string zero = FormatCurrent(0.0);
    m_sb = m_sr = m_sR = m_precision = zero;
    m_variation.reset();
    for (auto& row : m_aov) row.fill("");
    for (int c = 0; c < 5; ++c) m_aov[0][static_cast<std::size_t>(c)] = "0";
    for (int c = 0; c < 3; ++c) m_aov[1][static_cast<std::size_t>(c)] = "0";
    for (int c = 0; c < 2; ++c) m_aov[2][static_cast<std::size_t>(c)] = "0";
    m_estimatedFromMeans = false;
    for (auto& c : m_conclusions) c.clear();
    m_intervals.clear();
}

// ---------------------------------------------------------------- analysis-of-variance table

std::string IntermediatePrecisionStudy::aovCell(int row, int column) const
{
    if (row < 1 || row > kAovRows || column < 1 || column > kAovColumns) return {};
    if (row == 1) return kAovHeadings[static_cast<std::size_t>(column - 1)];
    if (column == 1) return kAovRowHeadings[static_cast<std::size_t>(row - 2)];
    return m_aov[static_cast<std::size_t>(row - 2)][static_cast<std::size_t>(column - 2)];
}

bool IntermediatePrecisionStudy::aovCellGreyed(int row, int column)
{
    return (row == 3 && column >= 5) || (row == 4 && column >= 4 && column <= kAovColumns);
}

// ---------------------------------------------------------------- CalcPrin / CalcRipr

ExtendedStatistics IntermediatePrecisionStudy::extendedStatistics() const
{
    return SeriesExtended(*this);
}

CalcOutcome IntermediatePrecisionStudy::calculate()
{
    CalcOutcome outcome;
    const int k = m_series;
    const int n = m_perSeries;
    const int N = checkedInt16(static_cast<long long>(k) * n, Msg("il numero totale dei dati"));

    // every cell must hold a number: the grid is read series by series
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(N));
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j < n; ++j) {
            const auto v = m_grid.cell(j, i);
            if (!v) {
                outcome.messages.push_back({StudyMessage::Severity::Warning,
                                            Msg("Il dato %1 della serie %2 è vuoto: inserire un valore "
                                                "numerico in ogni cella prima di "
                                                "calcolare.",
                                                {std::to_string(j + 1), std::to_string(i + 1)}),
                                            {},
                                            0});
                return outcome;
            }
            values.push_back(*v);
        }
    }

    if (values.empty()) return outcome;
    std::vector<std::span<const double>> seriesValues;
    for (int i = 0; i < k; ++i)
        seriesValues.emplace_back(values.data() + static_cast<std::size_t>(i) * n,
                                  static_cast<std::size_t>(n));
    // every sum of squares about its own mean, never as a difference of raw sums: series that share their
    // leading digits (areas near 10^6, weighings of 100.0001 g) keep all their digits
    const OneWayAnova anova = OneWayAnovaOf(seriesValues);
    const double M = anova.grandMean;
    // nothing measured yet (a grand total of 0): the previous results stay, and the user is told why
    if (M == 0.0) {
        outcome.messages.push_back(ZeroSumWarning(values, "i valori della griglia"));
        return outcome;
    }

    if (k < 2)
        throw ArithmeticError::divisionByZero(
            Msg("con una sola serie la varianza tra le serie non è calcolabile (gradi di libertà nulli)."));
    if (n < 2)
        throw ArithmeticError::divisionByZero(
            Msg("con un solo dato per serie la varianza entro le serie non è calcolabile (gradi di libertà "
                "nulli)."));

    const std::vector<double>& means = anova.groupMeans;
    std::vector<Interval> intervals(static_cast<std::size_t>(k));
    const double tSeries = TCritical95(n, 1);
    for (int i = 0; i < k; ++i) {
        const std::span<const double> series = seriesValues[static_cast<std::size_t>(i)];
        // a series whose mean is 0 has that mean and the variance of its own values
        const double si = std::sqrt(CentredSumsOf(series).squares / (n - 1));
        Interval& iv = intervals[static_cast<std::size_t>(i)];
        iv.mean = means[static_cast<std::size_t>(i)];
        meanInterval(series, iv.mean, si, tSeries, iv.lower, iv.upper);
    }
    // the variance of the series means is SSB / (n (k - 1)): every series has n values
    const double sMeans = std::sqrt(anova.between / n / (k - 1));

    const double ssb = anova.between;
    const double ssw = anova.within;
    const double sst = anova.total;
    const int dfB = k - 1;
    const int dfW = N - k;
    const int dfT = N - 1;
    const double msb = ssb / dfB;
    const double msw = ssw / dfW;

    const double tN = TCritical95(N, 1);
    const double ft = FCritical05(dfB, dfW, CurrentFTable());

    const double sb2 = (msb - msw) / n;
    const bool estimated = !(sb2 > 0.0);
    const double sb = estimated ? sMeans : std::sqrt(sb2);
    const double sr = std::sqrt(msw);
    // the sb on display enters sR, so sR^2 = sb^2 + sr^2 holds for the texts the user reads
    const double sR = std::sqrt(std::pow(sr, 2) + std::pow(sb, 2));
    const double precision = sR * tN * 100.0 / (std::sqrt(static_cast<double>(N)) * M);
    for (double v : {M, ssb, sst, ssw, msb, msw, sb, sr, sR, precision}) requireFinite(v);

    std::string fText;
    bool significant = false;
    if (msw == 0.0 && msb > 0.0) {
        fText = CentreText("S", kFTextWidth);
        significant = true;
    } else if (msw == 0.0) {
        fText = CentreText("NS", kFTextWidth);
    } else {
        fText = FormatCurrent(requireFinite(msb / msw));
        // the comparison is made on the F the user reads, rounded as shown
        const auto shown = ParseNumber(fText, UserDecimalSeparator());
        if (!shown)
            throw ArithmeticError::invalidArgument(Msg("il valore di F \"%1\" non è un numero.", {fText}));
        significant = *shown > ft;
    }

    // ---- everything computed: the displayed results change only from here on
    m_sb = FormatCurrent(sb);
    m_sr = FormatCurrent(sr);
    m_sR = FormatCurrent(sR);
    m_precision = FormatCurrent(precision);
    m_estimatedFromMeans = estimated;
    m_variation = Variation{100.0 * sr / M, 100.0 * sR / M};

    const bool fixed = m_config.fixedLaboratories;
    std::array<std::string, 2> kindWord;
    if (fixed) {
        kindWord = {"LABORATORI", "LABORATORIES"};
    } else if (m_seriesKind == SeriesKind::Analysts) {
        kindWord = {"ANALISTI", "ANALYSTS"};
    } else if (m_seriesKind == SeriesKind::Other) {
        kindWord = {"SERIE", "SERIES"};
    }
    const std::string precisionWord = " " + Trim(m_precision);
    for (std::size_t lang = 0; lang < 2; ++lang) {
        const std::string negation = significant ? std::string() : std::string(m_config.negation[lang]);
        std::string text = m_config.conclusionTemplate[lang];
        text = ReplacePlaceholder(text, "#1#", negation);
        text = ReplacePlaceholder(text, "#2#", lower(kindWord[lang]));
        text = ReplacePlaceholder(text, "#3#", negation);
        text = ReplacePlaceholder(text, "#4#", m_sr);
        text = ReplacePlaceholder(text, "#5#", m_sb);
        text = ReplacePlaceholder(text, "#6#", m_sR);
        text = ReplacePlaceholder(text, "#7#", precisionWord);
        m_conclusions[lang] = std::string(m_config.conclusionHeading[lang]) + text;
    }

    m_meanTexts.resize(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i)
        m_meanTexts[static_cast<std::size_t>(i)] =
            FormatWith(means[static_cast<std::size_t>(i)], kMeanPattern);

    m_aov[0] = {FormatCurrent(ssb), FormatWith(dfB, kDfPattern), FormatCurrent(msb), fText,
                FormatWith(ft, kFtPattern) + (significant ? " (S)" : " (NS)")};
    m_aov[1] = {FormatCurrent(ssw), FormatWith(dfW, kDfPattern), FormatCurrent(msw), "", ""};
    m_aov[2] = {FormatCurrent(sst), FormatWith(dfT, kDfPattern), "", "", ""};

    m_intervals = std::move(intervals);
    markCalculated();
    outcome.computed = true;
    return outcome;
}

// ---------------------------------------------------------------- chart

std::string IntermediatePrecisionStudy::chartFootnote(Language language) const
{
    static constexpr std::array<const char*, 4> kItalian = {"Metodo analitico", "Analita", "Campione",
                                                            "U.M. della conc. dell'analita"};
    static constexpr std::array<const char*, 4> kEnglish = {"Analytical method", "Analyte", "Sample",
                                                            "Measure unit of the analyte concentration"};
    const auto& captions = language == Language::English ? kEnglish : kItalian;
    std::string text;
    for (int f = 0; f < 4; ++f) {
        if (f > 0) text += "\r\n";
        text += Trim(captions[static_cast<std::size_t>(f)]) + ": " + Trim(header(f));
    }
    return text;
}

std::vector<ChartData> IntermediatePrecisionStudy::charts(Language language) const
{
    const std::size_t lang = language == Language::English ? 1 : 0;
    ChartData chart;
    chart.kind = ChartData::Kind::HighLow;
    chart.name = m_config.chartName;
    chart.columnLabels = {"Low", "High", lang ? "Mean" : "Media"};
    chart.xAxis.title = lang ? "Series" : "Serie";
    chart.xAxis.titleFontSize = 10;
    chart.xAxis.titleVisible = true;
    chart.yAxis.titleVisible = false;
    chart.titleFontSize = 10;
    chart.footnoteFontSize = 7;
    chart.legendVisible = false;
    // a new document shows an empty chart without title or footnote
    if (!m_intervals.empty()) {
        chart.title = m_config.chartTitle[lang];
        chart.footnote = chartFootnote(language);
        for (std::size_t i = 0; i < m_intervals.size(); ++i) {
            const Interval& iv = m_intervals[i];
            chart.rowLabels.push_back(std::to_string(i + 1));
            chart.rows.push_back({iv.lower, iv.upper, iv.mean});
        }
    }
    return {chart};
}

// ---------------------------------------------------------------- report records

ReportRecords IntermediatePrecisionStudy::reportRecords(Language language) const
{
    const bool english = language == Language::English;
    ReportRecords r;
    r.headerTable = m_config.headerTable;
    r.detailTable = m_config.detailTable;
    ReportRecord& h = r.header;
    h.set("ID", std::int64_t{1});
    h.set("METODO", Utf8Left(header(0), 50));
    h.set("ANALITA", Utf8Left(header(1), 50));
    h.set("CAMPIONE", Utf8Left(header(2), 50));
    h.set("UM", Trim(header(3)));
    std::string origin;
    if (m_config.fixedLaboratories)
        origin = english ? "Different laboratories" : kKindCaptions[1];
    else if (m_seriesKind == SeriesKind::Analysts)
        origin = english ? "Various analysts in the same laboratory" : kKindCaptions[0];
    else
        origin = english ? "Other (different series)" : kKindCaptions[2];
    h.set("RISDIVERSI", origin);
    h.set("STRAT", m_sb);
    h.set("SERR", m_sr);
    h.set("SRIPR", m_sR);
    h.set("PRECISIONE", m_precision);
    h.set("CONCLUSIONI", m_conclusions[english ? 1 : 0]);
    h.set("TRA_DEV", aovCell(2, 2));
    h.set("TRA_GDL", aovCell(2, 3));
    h.set("TRA_VAR", aovCell(2, 4));
    h.set("TRA_F", aovCell(2, 5));
    h.set("TRA_FT", aovCell(2, 6));
    h.set("ERR_DEV", aovCell(3, 2));
    h.set("ERR_GDL", aovCell(3, 3));
    h.set("ERR_VAR", aovCell(3, 4));
    h.set("TOT_DEV", aovCell(4, 2));
    h.set("TOT_GDL", aovCell(4, 3));

    r.details.reserve(static_cast<std::size_t>(m_grid.columnCount() * m_grid.rowCount()));
    for (int i = 0; i < m_grid.columnCount(); ++i) {
        const std::string mean =
            static_cast<std::size_t>(i) < m_meanTexts.size() ? m_meanTexts[static_cast<std::size_t>(i)] : "";
        for (int j = 0; j < m_grid.rowCount(); ++j) {
            ReportRecord d;
            d.set("ID", std::int64_t{1});
            d.set("NDATI", std::int64_t{j + 1});
            d.set("VALORE", m_grid.cellText(j, i));
            d.set("SERIE", std::int64_t{i + 1});
            d.set("MEDIA", mean);
            r.details.push_back(std::move(d));
        }
    }
    return r;
}

}  // namespace kestra
