// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/accuracy/accuracy_study.h"

#include <algorithm>
#include <cmath>

#include "framework/services.h"
#include "stats/centred_sums.h"
#include "stats/statistics.h"
#include "studies/accuracy/accuracy_extended.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

const char* const AccuracyStudy::kConclusionHeader =
    "C O N V A L I D A  D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA ACCURATEZZA\r\n";
const char* const AccuracyStudy::kConclusionHeaderEnglish =
    "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nACCURACY TEST\r\n";

namespace {

constexpr const char* kOneLevelEnglish =
    "The accuracy with its confidence limits is :\r\n\r\n#1#\r\n\r\nThe confidence limits#2# contains the "
    "100 %";
constexpr const char* kOneLevelItalian =
    "L'accuratezza con i suoi limiti di confidenza è :\r\n\r\n#1#\r\n\r\nI limiti di confidenza#2# "
    "contengono il "
    "100 %";
constexpr const char* kNotSignificantEnglish =
    "Because in the comparison between the means of the three levels the value of F is NOT significant "
    "(since its "
    "value limit for #7# and #8# degree of freedom with P = 0.05 is #9#) it is correct to calculate the "
    "total "
    "average and its confidence limits\r\n\r\n#1#\r\n\r\nThe confidence limits #2# contains the 100 %";
constexpr const char* kNotSignificantItalian =
    "Poichè nel confronto tra le medie dei tre livelli il valore di F è NON significativo (dato che il suo "
    "valore "
    "limite per #7# e #8# gradi di libertà con P = 0.05 è #9#) è corretto calcolare la media totale ed i "
    "suoi "
    "limiti fiduciali\r\n\r\n#1#\r\n\r\nI limiti di confidenza#2# contengono il 100 %";
constexpr const char* kSignificantEnglish =
    "Because in the comparison between the means of the three levels the value of F is significant (since "
    "its "
    "value limit for #7# and #8# degree of freedom with P = 0.05 is #9#) it is NOT correct to calculate the "
    "total "
    "average.\r\nTherefore the accuracy : \r\n- to the higher level is = #1#; in this level the confidence "
    "limits "
    "#4# contains the 100 %\r\n\r\n- to the middle level is = #2#; in this level the confidence limits #5# "
    "contains the 100 %\r\n\r\n- to the lower level is = #3#; in this level the confidence limits #6# "
    "contains "
    "the 100 %";
constexpr const char* kSignificantItalian =
    "Poichè nel confronto tra le medie dei tre livelli il valore di F è significativo (dato che il suo "
    "valore "
    "limite per #7# e #8# gradi di libertà con P = 0.05 è #9#) NON è corretto calcolare la media totale.\r\n"
    "Pertanto l'accuratezza : \r\n- al livello superiore è = #1#; a questo livello i limiti di confidenza "
    "#4# "
    "contengono il 100 %\r\n\r\n- al livello centrale è = #2#; a questo livello i limiti di confidenza #5# "
    "contengono il 100 %\r\n\r\n- al livello inferiore è = #3#; a questo livello i limiti di confidenza #6# "
    "contengono il 100 %";

constexpr const char* kRecoveryNotNumeric =
    "Una cella della colonna % non contiene un numero. Non è possibile effettuare un' elaborazione "
    "statistica "
    "corretta!";

constexpr std::array<const char*, 3> kLevelCaptions = {"Liv. superiore", "Liv. centrale", "Liv. inferiore"};
constexpr std::array<const char*, 6> kAnovaHeadings = {"Variazione", "Devianza", "GdL",
                                                       "Varianza",   "F",        "Ft"};
constexpr std::array<const char*, 3> kAnovaRowNames = {"Tra livelli", "Errore", "Totali"};

// The four header fields as label: text lines, the chart footnote.
std::string headerBlock(const AccuracyStudy& study, Language language)
{
    static constexpr std::array<const char*, 4> italian = {"Metodo analitico", "Analita", "Campione",
                                                           "U.M. della conc. dell'analita"};
    static constexpr std::array<const char*, 4> english = {"Analytical method", "Analyte", "Sample",
                                                           "Measure unit of the analyte concentration"};
    const auto& labels = language == Language::English ? english : italian;
    std::string block;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) block += "\r\n";
        block += std::string(labels[static_cast<std::size_t>(i)]) + ": " + Trim(study.header(i));
    }
    return block;
}

// The "NOT"/"NON" mark of an interval: empty when it contains 100.
std::string mark(bool contains, Language language)
{
    if (contains) return "";
    return language == Language::English ? " NOT" : " NON";
}

bool contains100(double mean, double halfWidth)
{
    return mean - halfWidth <= 100 && mean + halfWidth >= 100;
}

// Degrees of freedom in the conclusion: "###0" padded with blanks to four characters.
std::string degreesText(int df)
{
    return PadLeft(FormatNumber(static_cast<double>(df), "###0", UserDecimalSeparator()), 4, ' ');
}

std::string integerText(int value)
{
    return FormatNumber(static_cast<double>(value), "##0", UserDecimalSeparator());
}

}  // namespace

AccuracyStudy::AccuracyStudy() : Study(StudyKindId::Accu)
{
    reset();
}

bool AccuracyStudy::gridsChanged() const
{
    // every level grid counts: with one level only the central grid is edited
    for (const auto& g : m_grids)
        if (g.changed()) return true;
    return false;
}

void AccuracyStudy::clearGridsChanged()
{
    for (auto& g : m_grids) g.setChanged(false);
}

void AccuracyStudy::applyFormatToGrids(const NumberFormat& format)
{
    for (auto& g : m_grids) g.setFormat(format);
}

void AccuracyStudy::resetData()
{
    // the level mode is not part of the new-document state: it stays as chosen
    m_count = kDefaultCount;
    for (auto& g : m_grids) {
        g.resize(m_count, kColumns);
        g.clear();
    }
    impostaColonne();
    m_accuOne = m_accuSup = m_accuCen = m_accuInf = m_accuMed = "0";
    for (auto& column : m_anova)
        for (auto& cell : column) cell.clear();
    for (int row = 2; row <= 4; ++row)
        for (int column = 2; column <= kAnovaColumns; ++column)
            if (!anovaCellUnused(column, row)) anovaText(column, row) = "0";
    for (auto& c : m_conclusions) c.clear();
    m_chartMarker.clear();
    m_chartCurves.clear();
    setupAccuGrids();
}

std::vector<int> AccuracyStudy::usedLevels() const
{
    if (threeLevels()) return {kUpper, kCentral, kLower};
    return {kCentral};
}

bool AccuracyStudy::setDeterminations(int count)
{
    if (count < kMinCount || count > kMaxCount) return false;
    m_count = count;
    setupAccuGrids();
    setModify(true);
    return true;
}

void AccuracyStudy::setLevelMode(LevelMode mode)
{
    if (mode == m_mode) return;
    m_mode = mode;
    // the file keeps the level mode, so a change must not be lost without a prompt
    setModify(true);
}

void AccuracyStudy::setupAccuGrids()
{
    for (auto& g : m_grids) {
        g.resize(m_count, kColumns);
        for (int r = 0; r < m_count; ++r) {
            g.setRowHeader(r, std::to_string(r + 1));
            for (int c = 0; c < kColumns; ++c) {
                if (!g.hasNumber(r, c)) g.setCell(r, c, 0.0);
                g.setLocked(r, c, c == kRecoveryColumn);
            }
        }
    }
    impostaColonne();
}

void AccuracyStudy::impostaColonne()
{
    for (auto& g : m_grids) {
        g.setCornerHeader("Dati");
        g.setColumnHeader(0, "Pesati");
        g.setColumnHeader(1, "Trovati");
        g.setColumnHeader(2, "%");
    }
}

std::string AccuracyStudy::unitSuffix() const
{
    const std::string unit = Trim(header(3));
    return unit.empty() ? std::string() : " (" + unit + ")";
}

std::string AccuracyStudy::levelCaption(int level) const
{
    return Msg(kLevelCaptions.at(static_cast<std::size_t>(level))) + unitSuffix();
}

bool AccuracyStudy::updateRecovery(int level, int row)
{
    DataGrid& g = levelGrid(level);
    const auto added = g.cell(row, 0);
    const auto found = g.cell(row, 1);
    // a recovery belongs to the values beside it: with one of them gone it is gone too
    if (!added || !found) {
        if (!g.cell(row, kRecoveryColumn)) return false;
        g.setCell(row, kRecoveryColumn, std::nullopt);
        return true;
    }
    if (*added == 0) return false;
    g.setCell(row, kRecoveryColumn, *found / *added * 100);
    return true;
}

bool AccuracyStudy::anovaCellUnused(int column, int row)
{
    return (row == 3 && column >= 5) || (row == 4 && column >= 4);
}

std::string& AccuracyStudy::anovaText(int column, int row)
{
    return m_anova.at(static_cast<std::size_t>(column - 2)).at(static_cast<std::size_t>(row - 2));
}

std::string AccuracyStudy::anovaCell(int column, int row) const
{
    if (column < 1 || column > kAnovaColumns || row < 1 || row > kAnovaRows) return {};
    if (row == 1) return kAnovaHeadings[static_cast<std::size_t>(column - 1)];
    if (column == 1) return kAnovaRowNames[static_cast<std::size_t>(row - 2)];
    return m_anova[static_cast<std::size_t>(column - 2)][static_cast<std::size_t>(row - 2)];
}

AccuracyStudy::AnovaResult AccuracyStudy::AnovaLevels(const std::array<std::vector<double>, 3>& values, int n)
{
    // each level's squares about its own mean, and the level means about the grand mean, summed without the
    // cancellation of raw sums; with n values per level the grand mean is the mean of the three level means
    const std::array<std::span<const double>, 3> levels = {values[0], values[1], values[2]};
    const OneWayAnova levelAnova = OneWayAnovaOf(levels);
    AnovaResult a;
    a.grandMean = levelAnova.grandMean;
    a.ssb = levelAnova.between;
    a.ssw = levelAnova.within;
    a.sst = a.ssw + a.ssb;
    a.msb = a.ssb / 2;
    a.msw = a.ssw / (3 * n - 3);
    // F is left for the caller to judge when MSw is 0 (no division by zero)
    a.f = a.msw != 0 ? a.msb / a.msw : 0;
    return a;
}

ExtendedStatistics AccuracyStudy::extendedStatistics() const
{
    return AccuracyExtended(*this);
}

CalcOutcome AccuracyStudy::calculate()
{
    CalcOutcome outcome;
    const int n = m_count;
    const std::vector<int> levels = usedLevels();

    std::array<std::vector<double>, 3> x;
    for (int level : levels) {
        const DataGrid& g = levelGrid(level);
        auto& values = x[static_cast<std::size_t>(level)];
        double sum = 0;
        for (int r = 0; r < n; ++r) {
            const auto v = g.cell(r, kRecoveryColumn);
            if (!v) {
                outcome.messages.push_back(
                    {StudyMessage::Severity::Warning, Msg(kRecoveryNotNumeric), {}, 0});
                return outcome;
            }
            values.push_back(*v);
            sum += *v;
        }
        // an untouched level: nothing to compute, and the user is told which level it is
        if (sum == 0) {
            const std::string levelName = kLevelNames.at(static_cast<std::size_t>(level));
            outcome.messages.push_back(ZeroSumWarning(
                values, threeLevels() ? "i recuperi del " + levelName : std::string("i recuperi")));
            return outcome;
        }
    }

    const double t1 = TCritical95(n, 1);
    std::array<double, 3> mean{}, sd{}, half{};
    for (int level : levels) {
        const auto i = static_cast<std::size_t>(level);
        std::array<double, 4> stats{};
        DescriptiveStats(x[i], stats);
        mean[i] = stats[1];
        sd[i] = std::sqrt(stats[2]);
        half[i] = t1 * sd[i] / std::sqrt(static_cast<double>(n));
    }

    std::array<std::string, 2> conclusions;  // [0] Italian, [1] English
    std::string totalText;
    std::vector<std::pair<double, double>> curves;
    std::string marker;

    if (threeLevels()) {
        std::vector<double> all;
        all.reserve(static_cast<std::size_t>(3 * n));
        for (const auto& v : x) all.insert(all.end(), v.begin(), v.end());
        std::array<double, 4> pooled{};
        DescriptiveStats(all, pooled);
        const double sP = std::sqrt(pooled[2]);

        const AnovaResult a = AnovaLevels(x, n);
        const int dfBetween = 2;
        const int dfError = 3 * n - 3;
        const int dfTotal = 3 * n - 1;
        const double t2 = TCritical95(3 * n - 2, 1);
        const double hT = t2 * std::sqrt(a.sst / dfTotal / (3 * n));
        totalText = FormatCurrent(a.grandMean) + " ± " + FormatCurrent(hT);
        const double fc = FCritical05(dfBetween, dfError, CurrentFTable());

        // MSw = 0: every level's recoveries are all equal. Different level means are significant; equal
        // ones (every recovery equal) are not, and the total mean is computed.
        const bool noError = a.msw == 0;
        const bool significant = noError ? a.msb > 0 : !(a.f < fc);
        const bool totalContains = contains100(a.grandMean, hT);
        std::array<bool, 3> levelContains{};
        std::array<std::string, 3> levelText;
        for (std::size_t i = 0; i < 3; ++i) {
            levelContains[i] = contains100(mean[i], half[i]);
            levelText[i] = FormatCurrent(mean[i]) + " ± " + FormatCurrent(half[i]);
        }

        for (Language language : {Language::English, Language::Italian}) {
            const bool english = language == Language::English;
            std::string text;
            if (!significant) {
                text = english ? kNotSignificantEnglish : kNotSignificantItalian;
                text = ReplacePlaceholder(text, "#1#", totalText);
                text = ReplacePlaceholder(text, "#2#", mark(totalContains, language));
            } else {
                text = english ? kSignificantEnglish : kSignificantItalian;
                text = ReplacePlaceholder(text, "#1#", levelText[0]);
                text = ReplacePlaceholder(text, "#2#", levelText[1]);
                text = ReplacePlaceholder(text, "#3#", levelText[2]);
                text = ReplacePlaceholder(text, "#4#", mark(levelContains[0], language));
                text = ReplacePlaceholder(text, "#5#", mark(levelContains[1], language));
                text = ReplacePlaceholder(text, "#6#", mark(levelContains[2], language));
            }
            text = ReplacePlaceholder(text, "#7#", degreesText(dfBetween));
            text = ReplacePlaceholder(text, "#8#", degreesText(dfError));
            text = ReplacePlaceholder(text, "#9#", FormatCurrent(fc));
            conclusions[english ? 1 : 0] =
                std::string(english ? kConclusionHeaderEnglish : kConclusionHeader) + "\r\n" + text;
        }

        // from here on only results are written: everything that can fail has run
        m_accuSup = levelText[0];
        m_accuCen = levelText[1];
        m_accuInf = levelText[2];
        m_accuMed = significant ? std::string(kNoMean) : totalText;

        anovaText(2, 2) = FormatCurrent(a.ssb);
        anovaText(3, 2) = integerText(dfBetween);
        anovaText(4, 2) = FormatCurrent(a.msb);
        if (noError)
            anovaText(5, 2) = CentreText(significant ? "S" : "NS", 14);
        else
            anovaText(5, 2) = FormatCurrent(a.f);
        anovaText(6, 2) =
            FormatNumber(fc, "#0.00", UserDecimalSeparator()) + (significant ? " (S)" : " (NS)");
        anovaText(2, 3) = FormatCurrent(a.ssw);
        anovaText(3, 3) = integerText(dfError);
        anovaText(4, 3) = FormatCurrent(a.msw);
        anovaText(2, 4) = FormatCurrent(a.sst);
        anovaText(3, 4) = integerText(dfTotal);

        if (significant) {
            marker = kMarkerLevels;
            for (std::size_t i = 0; i < 3; ++i) curves.emplace_back(mean[i], sd[i]);
        } else {
            marker = kMarkerMean;
            curves.emplace_back(a.grandMean, sP);
        }
    } else {
        const auto c = static_cast<std::size_t>(kCentral);
        totalText = FormatCurrent(mean[c]) + " ± " + FormatCurrent(half[c]);
        const bool inside = contains100(mean[c], half[c]);
        for (Language language : {Language::English, Language::Italian}) {
            const bool english = language == Language::English;
            std::string text = english ? kOneLevelEnglish : kOneLevelItalian;
            text = ReplacePlaceholder(text, "#1#", totalText);
            text = ReplacePlaceholder(text, "#2#", mark(inside, language));
            conclusions[english ? 1 : 0] =
                std::string(english ? kConclusionHeaderEnglish : kConclusionHeader) + "\r\n" + text;
        }
        m_accuOne = totalText;
        marker = kMarkerOne;
        curves.emplace_back(mean[c], sd[c]);
    }

    m_conclusions = std::move(conclusions);
    m_chartMarker = marker;
    m_chartCurves = std::move(curves);
    markCalculated();
    outcome.computed = true;
    return outcome;
}

ChartData AccuracyStudy::chart(Language language) const
{
    const bool english = language == Language::English;
    ChartData chart;
    chart.kind = ChartData::Kind::XY;
    chart.name = "VtGrafAccu";
    chart.title = english ? "Accuracy" : "Accuratezza";
    chart.titleFontSize = 10;
    chart.footnote = headerBlock(*this, language);
    chart.footnoteFontSize = 7;
    chart.legendVisible = true;
    chart.legendAtBottom = true;
    chart.xAxis.automatic = false;
    chart.xAxis.minimum = 0;
    chart.xAxis.maximum = 200;
    chart.xAxis.majorDivisions = 10;
    chart.xAxis.titleVisible = false;
    chart.yAxis.titleVisible = false;
    if (m_chartCurves.empty()) return chart;

    const std::size_t columns = 2 * m_chartCurves.size();
    chart.columnLabels.assign(columns, "");
    chart.columnLabels[1] = m_chartMarker;
    if (m_chartMarker == kMarkerOne) {
        chart.columnLabels[0] = english ? "One level curve" : "Curva a un livello";
    } else if (m_chartMarker == kMarkerMean) {
        chart.columnLabels[0] = english ? "Accuracy mean curve " : "Curva dell'accuratezza media";
    } else if (m_chartMarker == kMarkerLevels && columns == 6) {
        chart.columnLabels[0] = english ? "Higher level curve" : "Curva livello superiore";
        chart.columnLabels[2] = english ? "Center level curve" : "Curva livello centrale";
        chart.columnLabels[4] = english ? "Lower level curve" : "Curva livello inferiore";
    }

    static constexpr std::array<std::uint32_t, 3> colours = {0xC00000, 0x0000C0, 0x008000};
    for (std::size_t s = 0; s < m_chartCurves.size(); ++s) {
        ChartMarker pen;
        pen.visible = false;
        pen.lineVisible = true;
        pen.colour = m_chartCurves.size() == 1 ? 0x0000C0 : colours[s];
        chart.series.push_back(pen);
    }

    chart.rows.reserve(kChartRows);
    double xValue = 0;
    for (int j = 0; j < kChartRows; ++j) {
        if (j > 0) xValue += 0.2;  // accumulated, as the curve has always been sampled
        std::vector<std::optional<double>> row;
        row.reserve(columns);
        for (const auto& [m, s] : m_chartCurves) {
            row.emplace_back(xValue);
            row.emplace_back(NormalDensity(xValue, m, s));
        }
        chart.rows.push_back(std::move(row));
    }

    // densities start at 0: the vertical axis runs from 0 to a round value above the highest point
    double peak = 0;
    for (const auto& row : chart.rows)
        for (std::size_t c = 1; c < row.size(); c += 2) peak = std::max(peak, row[c].value_or(0.0));
    if (peak > 0 && std::isfinite(peak)) {  // an infinite density has no round axis (nor a finite int)
        const double raw = peak * 1.05 / 5;
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        const double f = raw / magnitude;
        const double step = (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * magnitude;
        const int divisions = static_cast<int>(std::ceil(peak * 1.05 / step));
        chart.yAxis.automatic = false;
        chart.yAxis.minimum = 0;
        chart.yAxis.maximum = divisions * step;
        chart.yAxis.majorDivisions = divisions;
    }
    return chart;
}

std::vector<ChartData> AccuracyStudy::charts(Language language) const
{
    return {chart(language)};
}

ReportRecords AccuracyStudy::reportRecords(Language language) const
{
    const bool english = language == Language::English;
    ReportRecords r;
    r.headerTable = "Accu";
    r.detailTable = "Accu3Tabella";
    ReportRecord& h = r.header;
    h.set("ID", std::int64_t{1});
    h.set("METODO", Utf8Left(header(0), 50));
    h.set("ANALITA", Utf8Left(header(1), 50));
    h.set("CAMPIONE", Utf8Left(header(2), 50));
    h.set("UM", Trim(header(3)));
    h.set("NDET", std::to_string(m_count));
    h.set("ACCUONE", m_accuOne);
    h.set("ACCUSUP", m_accuSup);
    h.set("ACCUCEN", m_accuCen);
    h.set("ACCUINF", m_accuInf);
    h.set("ACCUMED", m_accuMed);
    if (threeLevels())
        h.set("LIVCONC", english ? "3 Level of concentrations" : "3 Livelli di concentrazione");
    else
        h.set("LIVCONC", english ? "1 Level of concentration" : "1 Livello di concentrazione");
    h.set("CONCLUSIONI", m_conclusions[english ? 1 : 0]);
    h.set("TRALIVDEV", anovaCell(2, 2));
    h.set("TRALIVGDL", anovaCell(3, 2));
    h.set("TRALIVVAR", anovaCell(4, 2));
    h.set("TRALIVF", anovaCell(5, 2));
    h.set("TRALIVFT", anovaCell(6, 2));
    h.set("ERRDEV", anovaCell(2, 3));
    h.set("ERRGDL", anovaCell(3, 3));
    h.set("ERRVAR", anovaCell(4, 3));
    h.set("TOTDEV", anovaCell(2, 4));
    h.set("TOTGDL", anovaCell(3, 4));

    const std::vector<int> levels = usedLevels();
    const int rows = levelGrid(threeLevels() ? kUpper : kCentral).rowCount();
    for (int row = 0; row < rows; ++row) {
        ReportRecord d;
        d.set("ID", std::int64_t{1});
        d.set("NDATI", std::int64_t{row + 1});
        for (int level : levels) {
            const DataGrid& g = levelGrid(level);
            const std::string suffix = std::to_string(level);
            d.set("PESATI" + suffix, g.cellText(row, 0));
            d.set("TROVATI" + suffix, g.cellText(row, 1));
            d.set("PERC" + suffix, g.cellText(row, 2));
        }
        r.details.push_back(std::move(d));
    }
    return r;
}

}  // namespace kestra
