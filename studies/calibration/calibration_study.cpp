// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/calibration/calibration_study.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "stats/centred_sums.h"
#include "stats/statistics.h"
#include "studies/calibration/calibration_extended.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

const char* const CalibrationStudy::kConclusionHeader =
    "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA LINEARITA'\r\n";
const char* const CalibrationStudy::kConclusionHeaderEnglish =
    "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nLINEARITY TEST\r\n";

namespace {

constexpr const char* kEnglishMain =
    "The variance analysis shows: \r\n"
    "Linear regression#1# significant;\r\n"
    "The variables Y (results)#3# are linearly related to the variables X (concentrations of the "
    "product).\r\n"
    "The equation describes the relation between the variables X and Y is :\r\n"
    "\r\n"
    "#4#\r\n"
    "\r\n"
    "Curvature#2# significant;\r\n"
    "The confidence limits of the ordinate at the origin#5# contains zero.\r\n"
    "The results#5# are proportional to the product concentrations.\r\n"
    "\r\n"
    "The sensibility of the method is equal to:\r\n"
    "\r\n"
    "#7#  \r\n"
    "for variation of the concentration equal to 1 #8#\r\n"
    "\r\n";
constexpr const char* kEnglishD =
    "The method discriminating ability as concentration difference that the method is able to discriminate "
    "as "
    "statistical probability of 95 %, is:\r\n"
    "\r\n"
    "D = #9#  #8#";
constexpr const char* kItalianMain =
    "L'analisi della varianza indica: \r\n"
    "Regressione lineare#1# significativa;\r\n"
    "Pertanto le variabili Y (risposte strumentali)#3# sono linearmente correlate alle variabili X "
    "(concentrazioni del prodotto).\r\n"
    "L'equazione che descrive la relazione tra le variabili X e Y é :\r\n"
    "\r\n"
    "#4#\r\n"
    "\r\n"
    "Curvatura#2# significativa;\r\n"
    "I limiti di confidenza dell'ordinata all'origine#5# contengono lo zero.\r\n"
    "Pertanto le risposte strumentali#5# sono proporzionali alle concentrazioni del prodotto.\r\n"
    "\r\n"
    "La sensibilità del metodo é pari a:\r\n"
    "\r\n"
    "#7#  \r\n"
    "per variazione della concentrazione uguale a 1 #8#\r\n"
    "\r\n";
constexpr const char* kItalianD =
    "La capacità discriminante del metodo, intesa come differenza di concentrazione che il metodo é in grado "
    "di "
    "discriminare con probabilità statistica del 95 %, é:\r\n"
    "\r\n"
    "D = #9#  #8#";

constexpr const char* kCannotCompute = "Impossibile calcolare i risultati";

constexpr std::array<const char*, CalibrationStudy::kAnovaColumns> kAnovaHeadings = {
    "Variazione", "Devianza", "GdL", "Varianza", "F", "Signif. (0,05%)"};
constexpr std::array<const char*, 4> kAnovaRowHeadings = {"Regressione", "Curvatura", "Errore", "Totali"};

constexpr std::array<const char*, 4> kItalianFieldLabels = {"Metodo analitico", "Analita", "Campione",
                                                            "U.M. della conc. dell'analita"};
constexpr std::array<const char*, 4> kEnglishFieldLabels = {"Analytical method", "Analyte", "Sample",
                                                            "Measure unit of the analyte concentration"};

struct Significance {
    std::string fText;
    bool significant = false;
};

// The F cell and the verdict of one row of the table; `mean` is the row's mean square (SSreg for
// the regression, which has one degree of freedom).
Significance judge(double mean, double msErr, double tail)
{
    if (msErr == 0 && mean > 0) return {CentreText("S", 14), true};
    if (msErr != 0 || mean != 0) return {FormatCurrent(mean / msErr), tail <= 0.05};
    return {CentreText("NS", 14), false};
}

std::string significanceText(bool significant)
{
    return significant ? "  (S)" : " (NS)";
}

}  // namespace

CalibrationStudy::CalibrationStudy() : Study(StudyKindId::Tara)
{
    reset();
}

bool CalibrationStudy::isAnovaCellNeverWritten(int row, int column)
{
    return (row == 3 && column >= 4) || (row == 4 && column >= 3);
}

void CalibrationStudy::setNumberFormat(const NumberFormat& format)
{
    m_numInteri = format.integers;
    m_numDecimali = format.decimals;
    Study::setNumberFormat(format);
    FormatConcHeaders();
}

void CalibrationStudy::resetData()
{
    setHeader(3, "µg/ml");
    m_levels = kDefaultLevels;
    m_responses = kDefaultResponses;
    m_grid.clear();
    m_grid.resize(m_responses, m_levels);
    for (int i = 0; i < m_levels; ++i)
        m_grid.setColumnHeader(i,
                               FormatNumber(static_cast<double>(i + 1), "####0.000", UserDecimalSeparator()));
    SetGridDimensions();
    resetResults();
}

void CalibrationStudy::resetResults()
{
    const std::string zero = FormatCurrent(0);
    m_results = {zero, zero, zero, zero, zero, zero, zero};
    for (auto& row : m_anova)
        for (auto& cell : row) cell.clear();
    for (int c = 0; c < kAnovaColumns; ++c)
        m_anova[0][static_cast<std::size_t>(c)] = kAnovaHeadings[static_cast<std::size_t>(c)];
    for (int r = 1; r < kAnovaRows; ++r) {
        auto& row = m_anova[static_cast<std::size_t>(r)];
        row[0] = kAnovaRowHeadings[static_cast<std::size_t>(r - 1)];
        for (int c = 1; c < kAnovaColumns; ++c) {
            if (isAnovaCellNeverWritten(r, c)) continue;
            // a new study shows a plain "0" in every cell the calculation writes, as the result labels do not
            row[static_cast<std::size_t>(c)] = "0";
        }
    }
    for (auto& c : m_conclusions) c.clear();
    m_regressionRows.clear();
    m_proportionalityRows.clear();
    m_residualRows.clear();
    m_residuals.clear();
    m_levelColours.clear();
}

bool CalibrationStudy::setLevelCount(int levels)
{
    if (levels < kMinLevels || levels > kMaxLevels) return false;
    m_levels = levels;
    SetGridDimensions();
    setModify(true);
    return true;
}

bool CalibrationStudy::setResponseCount(int responses)
{
    if (responses < kMinResponses || responses > kMaxResponses) return false;
    m_responses = responses;
    SetGridDimensions();
    setModify(true);
    return true;
}

void CalibrationStudy::SetGridDimensions()
{
    m_total = m_responses * m_levels;
    m_grid.resize(m_responses, m_levels);
    m_grid.setCornerHeader("Dati");
    for (int r = 0; r < m_responses; ++r) m_grid.setRowHeader(r, std::to_string(r + 1));
    FormatConcHeaders();
    for (int r = 0; r < m_responses; ++r)
        for (int c = 0; c < m_levels; ++c)
            if (!m_grid.hasNumber(r, c)) m_grid.setCell(r, c, 0.0);
}

void CalibrationStudy::FormatConcHeaders()
{
    const char sep = UserDecimalSeparator();
    for (int i = 0; i < m_grid.columnCount(); ++i) {
        const auto value = ParseNumber(m_grid.columnHeader(i), sep);
        m_grid.setColumnHeader(
            i, FormatNumber(value.value_or(static_cast<double>(i + 1)), numberPattern(), sep));
    }
}

ExtendedStatistics CalibrationStudy::extendedStatistics() const
{
    return CalibrationExtended(*this);
}

bool CalibrationStudy::ReadGridData()
{
    const int rows = m_grid.rowCount();
    const int columns = m_grid.columnCount();
    m_x.assign(static_cast<std::size_t>(columns), 0.0);
    m_y.assign(static_cast<std::size_t>(rows),
               std::vector<std::optional<double>>(static_cast<std::size_t>(columns)));
    for (int i = 0; i < columns; ++i) {
        const auto x = ParseNumber(m_grid.columnHeader(i), UserDecimalSeparator());
        if (!x || *x <= 0) return false;
        m_x[static_cast<std::size_t>(i)] = *x;
        for (int r = 0; r < rows; ++r)
            m_y[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)] = m_grid.cell(r, i);
    }
    return true;
}

std::vector<std::uint32_t> CalibrationStudy::drawLevelColours(int levels)
{
    std::vector<std::uint32_t> colours;
    if (levels <= 0) return colours;
    colours.push_back(0xFF0000);
    std::mt19937 generator(
        static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> component(0, 255);
    auto draw = [&]() -> std::uint32_t {
        const int v = m_random ? m_random() : component(generator);
        return static_cast<std::uint32_t>(std::clamp(v, 0, 255));
    };
    for (int i = 1; i < levels; ++i) {
        const std::uint32_t red = draw();
        const std::uint32_t green = draw();
        const std::uint32_t blue = draw();
        colours.push_back((red << 16) | (green << 8) | blue);
    }
    return colours;
}

CalcOutcome CalibrationStudy::calculate()
{
    CalcOutcome outcome;
    auto refuse = [&outcome](std::string text) {
        outcome.messages.push_back({StudyMessage::Severity::Warning, std::move(text), {}, 0});
        return outcome;
    };

    if (!ReadGridData())
        return refuse(Msg("Mancano alcuni valori di concentrazione.") + "\r\n" + Msg(kCannotCompute));
    const int k = m_grid.columnCount();
    const int n = m_grid.rowCount();
    const int N = m_total;
    for (const auto& row : m_y)
        for (const auto& y : row)
            if (!y)
                return refuse(Msg("Alcune risposte mancano o non sono valori numerici.") + "\r\n" +
                              Msg(kCannotCompute));

    // the responses level by level, each paired with its concentration
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(static_cast<std::size_t>(k) * n);
    ys.reserve(static_cast<std::size_t>(k) * n);
    for (int i = 0; i < k; ++i)
        for (int r = 0; r < n; ++r) {
            xs.push_back(m_x[static_cast<std::size_t>(i)]);
            ys.push_back(*m_y[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)]);
        }
    std::vector<std::span<const double>> levelResponses;
    for (int i = 0; i < k; ++i)
        levelResponses.push_back(std::span<const double>(ys).subspan(static_cast<std::size_t>(i) * n,
                                                                     static_cast<std::size_t>(n)));

    // Every sum about its mean, never as a difference of raw sums: responses near 10^6 that differ in their
    // last digits keep them. The level analysis gives the total (Syy), the pure error (within the levels)
    // and the variation of the level means that the line and its lack of fit share.
    const CentredSums concentrations = CentredSumsOf(xs);
    const OneWayAnova levels = OneWayAnovaOf(levelResponses);
    const double meanX = concentrations.mean;
    const double meanY = levels.grandMean;
    if (meanX == 0 || meanY == 0)
        return refuse(Msg("Tutti i valori sono pari a zero, impossibile calcolare i risultati."));

    const double sxx = concentrations.squares;
    const double syy = levels.total;
    const double sxy = CentredCrossProducts(xs, ys);
    // Data that leave the line undefined are refused before anything is divided by these sums.
    if (!(sxx > 0))
        return refuse(
            Msg("Le concentrazioni sono tutte uguali: impossibile calcolare la retta di regressione."));
    if (!(syy > 0))
        return refuse(Msg("Le risposte sono tutte uguali: impossibile calcolare la retta di regressione."));
    // a correlation this small is no slope the data can tell from zero
    if (std::fabs(sxy) <= 1e-12 * std::sqrt(sxx) * std::sqrt(syy))
        return refuse(
            Msg("La pendenza della retta è zero (le risposte non variano con la concentrazione): "
                "impossibile calcolare i risultati."));

    const double b = sxy / sxx;
    const double a = meanY - meanX * b;
    const double ssReg = std::pow(sxy, 2) / sxx;
    // Lack of fit is what the level means leave about the line; a negative value is the rounding of SSreg on
    // an exact fit and counts as zero, so F is never negative. The residual is lack of fit plus pure error,
    // both sums of squares, rather than Syy - SSreg, which cancels on an almost perfect line.
    const double ssLack = std::max(0.0, levels.between - ssReg);
    const double ssErr = levels.within;
    const double ssRes = ssLack + ssErr;
    if (!(ssRes >= 0))
        return refuse(Msg("Spiacente, ma con questi valori è impossibile calcolare i risultati."));

    const double sb = std::sqrt(ssRes / (N - 2) / sxx);
    const double r = (sxy / (N - 1)) / (std::sqrt(syy / (N - 1)) * std::sqrt(sxx / (N - 1)));
    const double sa = std::sqrt((std::pow(meanX, 2) / sxx + 1.0 / N) * ssRes / (N - 2));

    const double msLack = ssLack / (k - 2);
    const double msErr = ssErr / (N - k);
    const double fReg = msErr == 0 ? 0.0 : ssReg / msErr;
    const double fLack = msErr == 0 ? 0.0 : msLack / msErr;
    // a pure error at the edge of the representable range can give an F too large for a double: that
    // F is significant beyond any doubt, not an arithmetic fault
    auto tail = [N, k](double f, int df1) {
        return std::isfinite(f) ? FTailProbability(f, df1, N - k) : 0.0;
    };
    const double pReg = tail(fReg, 1);
    const double pLack = tail(fLack, k - 2);

    const double t1 = TCritical95(N, 1);
    const double upper = a + t1 * sa;
    const double lower = a - t1 * sa;
    const double t2 = TCritical95(N, k);
    const double d = std::sqrt(msErr) / b * t2;

    const Significance regression = judge(ssReg, msErr, pReg);
    const Significance lack = judge(msLack, msErr, pLack);
    const bool containsZero = upper >= 0 && lower <= 0;

    // --- everything is known: the displayed texts change only from here on
    m_results.r = FormatCurrent(r);
    m_results.a = FormatCurrent(a);
    m_results.b = FormatCurrent(b);
    m_results.sa = FormatCurrent(sa);
    m_results.sb = FormatCurrent(sb);
    m_results.upper = FormatCurrent(upper);
    m_results.lower = FormatCurrent(lower);

    const char sep = UserDecimalSeparator();
    auto& reg = m_anova[1];
    reg[1] = FormatCurrent(ssReg);
    reg[2] = "1";
    reg[3] = FormatCurrent(ssReg);
    reg[4] = regression.fText;
    reg[5] = significanceText(regression.significant);
    auto& cur = m_anova[2];
    cur[1] = FormatCurrent(ssLack);
    cur[2] = FormatNumber(static_cast<double>(k - 2), "##0", sep);
    cur[3] = FormatCurrent(msLack);
    cur[4] = lack.fText;
    cur[5] = significanceText(lack.significant);
    auto& err = m_anova[3];
    err[1] = FormatCurrent(ssErr);
    err[2] = FormatNumber(static_cast<double>(N - k), "##0", sep);
    err[3] = FormatCurrent(msErr);
    auto& tot = m_anova[4];
    tot[1] = FormatCurrent(syy);
    tot[2] = FormatNumber(static_cast<double>(N - 1), "##0", sep);

    const std::string equation = "Y = " + Trim(FormatCurrent(a)) + " " + (b >= 0 ? "+ " : "- ") +
                                 Trim(FormatCurrent(std::fabs(b))) + " X";
    const std::string unit = Trim(header(3));
    auto fill = [&](const char* mainTemplate, const char* dTemplate, const char* negation,
                    const char* heading) {
        std::string text = mainTemplate;
        if (d != 0) text += dTemplate;
        // one pass: a unit holding a placeholder stays as typed
        const std::string slope = Trim(FormatCurrent(std::fabs(b)));
        const std::string discrimination = d != 0 ? Trim(FormatCurrent(std::fabs(d))) : std::string("#9#");
        text = ReplacePlaceholder(text, {{"#1#", regression.significant ? "" : negation},
                                         {"#2#", lack.significant ? "" : negation},
                                         {"#3#", regression.significant ? "" : negation},
                                         {"#4#", equation},
                                         {"#5#", containsZero ? "" : negation},
                                         {"#7#", slope},
                                         {"#8#", unit},
                                         {"#9#", discrimination}});
        return std::string(heading) + "\r\n" + text;
    };
    m_conclusions[1] = fill(kEnglishMain, kEnglishD, " NOT", kConclusionHeaderEnglish);
    m_conclusions[0] = fill(kItalianMain, kItalianD, " NON", kConclusionHeader);

    m_regressionRows.assign(static_cast<std::size_t>(n),
                            std::vector<std::optional<double>>(2 * static_cast<std::size_t>(k)));
    for (int r2 = 0; r2 < n; ++r2) {
        auto& row = m_regressionRows[static_cast<std::size_t>(r2)];
        for (int i = 0; i < k; ++i) {
            row[2 * static_cast<std::size_t>(i)] = m_x[static_cast<std::size_t>(i)];
            row[2 * static_cast<std::size_t>(i) + 1] =
                m_y[static_cast<std::size_t>(r2)][static_cast<std::size_t>(i)];
        }
    }
    m_proportionalityRows = {{(upper - a) / b, upper, 0.0, upper},
                             {0.0, a, 0.0, (lower + upper) / 2},
                             {(lower - a) / b, lower, 0.0, lower}};
    // the fitted line over the points, and the residuals y - (a + b x) level by level, from the same a and b
    const auto range = std::minmax_element(m_x.begin(), m_x.end());
    const auto lowest = range.first;  // named, not bound: lambdas capture them on every compiler we build with
    const auto highest = range.second;
    const std::size_t line = 2 * static_cast<std::size_t>(k);  // the columns of the line's own series
    auto addLine = [&](std::vector<std::vector<std::optional<double>>>& rows, double y0, double y1) {
        for (auto& row : rows) row.resize(line + 2);
        while (rows.size() < 2) rows.emplace_back(line + 2);
        rows[0][line] = *lowest;
        rows[0][line + 1] = y0;
        rows[1][line] = *highest;
        rows[1][line + 1] = y1;
    };
    addLine(m_regressionRows, a + b * *lowest, a + b * *highest);
    m_residuals.clear();
    m_residualRows.assign(static_cast<std::size_t>(n), std::vector<std::optional<double>>(line));
    for (int i = 0; i < k; ++i)
        for (int r2 = 0; r2 < n; ++r2) {
            const double x = m_x[static_cast<std::size_t>(i)];
            const double residual =
                *m_y[static_cast<std::size_t>(r2)][static_cast<std::size_t>(i)] - (a + b * x);
            m_residuals.push_back(residual);
            auto& row = m_residualRows[static_cast<std::size_t>(r2)];
            row[2 * static_cast<std::size_t>(i)] = x;
            row[2 * static_cast<std::size_t>(i) + 1] = residual;
        }
    addLine(m_residualRows, 0.0, 0.0);
    m_levelColours = drawLevelColours(k);

    ++m_calculationNumber;
    markCalculated();
    outcome.computed = true;
    return outcome;
}

std::string CalibrationStudy::chartFootnote(Language language) const
{
    const auto& labels = language == Language::English ? kEnglishFieldLabels : kItalianFieldLabels;
    std::string block;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) block += "\r\n";
        block += std::string(labels[static_cast<std::size_t>(i)]) + ": " + Trim(header(i));
    }
    return block;
}

std::vector<ChartData> CalibrationStudy::charts(Language language) const
{
    const bool english = language == Language::English;
    const bool computed = !m_regressionRows.empty();

    ChartData regression;
    regression.kind = ChartData::Kind::XY;
    regression.name = "VtGrafRegr";
    regression.legendVisible = false;
    // one series per level, so the n points of a level share their marker colour
    for (std::size_t i = 0; i < m_levelColours.size(); ++i) {
        regression.columnLabels.push_back("X" + std::to_string(i + 1));
        regression.columnLabels.push_back("Y" + std::to_string(i + 1));
        ChartMarker marker;
        marker.visible = true;
        marker.lineVisible = false;
        marker.style = 0;
        marker.size = 6;
        marker.colour = m_levelColours[i];
        regression.series.push_back(marker);
    }
    regression.rows = m_regressionRows;
    for (std::size_t r = 0; r < m_regressionRows.size(); ++r)
        regression.rowLabels.push_back(std::to_string(r + 1));

    // the residuals with the same level colours, about the zero line
    ChartData residuals;
    residuals.kind = ChartData::Kind::XY;
    residuals.name = "VtGrafRes";
    residuals.legendVisible = false;
    residuals.columnLabels = regression.columnLabels;
    residuals.series = regression.series;
    residuals.rows = m_residualRows;
    residuals.rowLabels = regression.rowLabels;
    if (computed) {
        ChartMarker line;
        line.visible = false;
        line.lineVisible = true;
        line.colour = 0x1F4E9A;
        regression.columnLabels.insert(regression.columnLabels.end(), {"Xretta", "Yretta"});
        regression.series.push_back(line);
        ChartMarker zero = line;
        zero.colour = 0x404040;
        residuals.columnLabels.insert(residuals.columnLabels.end(), {"X0", "Zero"});
        residuals.series.push_back(zero);
    }

    ChartData proportionality;
    proportionality.kind = ChartData::Kind::XY;
    proportionality.name = "VtGrafProp";
    proportionality.legendVisible = false;
    proportionality.rows = m_proportionalityRows;
    if (computed) {
        proportionality.columnLabels = {"X", "Y", "X0", "Intervallo"};
        proportionality.rowLabels = {"1", "2", "3"};
        ChartMarker line;
        line.visible = false;
        line.lineVisible = true;
        line.colour = 0x1F4E9A;
        ChartMarker interval;
        interval.visible = true;
        interval.lineVisible = true;
        interval.style = 3;
        interval.size = 6;
        interval.colour = 0xC00000;
        proportionality.series = {line, interval};
    }
    proportionality.xAxis.titleVisible = false;
    proportionality.yAxis.titleVisible = false;

    if (computed) {
        const std::string footnote = chartFootnote(language);
        regression.title = english ? "Linearity" : "Regressione";
        regression.footnote = footnote;
        regression.xAxis.title = english ? "Concentrations" : "Concentrazioni";
        regression.yAxis.title = english ? "Results" : "Risposte";
        proportionality.title = english ? "Proportionality" : "Proporzionalità";
        proportionality.footnote = footnote;
        residuals.title = english ? "Residuals" : "Residui";
        residuals.footnote = footnote;
        residuals.xAxis.title = english ? "Concentrations" : "Concentrazioni";
        residuals.yAxis.title = english ? "Residuals" : "Residui";
    }
    regression.titleFontSize = 10;
    regression.footnoteFontSize = 7;
    regression.xAxis.titleFontSize = 10;
    regression.yAxis.titleFontSize = 10;
    regression.xAxis.titleVisible = true;
    regression.yAxis.titleVisible = true;
    proportionality.titleFontSize = 10;
    proportionality.footnoteFontSize = 7;
    residuals.titleFontSize = 10;
    residuals.footnoteFontSize = 7;
    residuals.xAxis.titleFontSize = 10;
    residuals.yAxis.titleFontSize = 10;
    return {regression, proportionality, residuals};
}

ReportRecords CalibrationStudy::reportRecords(Language language) const
{
    ReportRecords records;
    records.headerTable = "Tara";
    records.detailTable = "TaraTabella";
    ReportRecord& h = records.header;
    const std::string unit = Trim(header(3));
    h.set("ID", std::int64_t{1});
    h.set("METODO", Utf8Left(header(0), 50));
    h.set("ANALITA", Utf8Left(header(1), 50));
    h.set("CAMPIONE", Utf8Left(header(2), 50));
    h.set("UM", unit);
    h.set("R", m_results.r);
    h.set("A", m_results.a);
    h.set("B", m_results.b);
    h.set("SA", m_results.sa);
    h.set("SB", m_results.sb);
    h.set("PROP1", m_results.upper);
    h.set("PROP2", m_results.lower);
    h.set("CONCLUSIONI", m_conclusions[language == Language::English ? 1 : 0]);
    const std::array<const char*, 5> columns = {"DEV", "GDL", "VAR", "F", "FT"};
    const std::array<std::pair<const char*, int>, 4> rows = {std::pair{"REG_", 5}, std::pair{"CUR_", 5},
                                                             std::pair{"ERR_", 3}, std::pair{"TOT_", 2}};
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].second; ++c)
            h.set(std::string(rows[r].first) + columns[static_cast<std::size_t>(c)],
                  m_anova[r + 1][static_cast<std::size_t>(c) + 1]);
    h.set("NGRUPPI", std::int64_t{m_levels});
    h.set("NDATIGR", std::int64_t{m_responses});
    h.set("NDATITOT", std::int64_t{m_total});

    const char sep = UserDecimalSeparator();
    for (int i = 0; i < m_grid.columnCount(); ++i) {
        const std::string heading = m_grid.columnHeader(i);
        const auto value = ParseNumber(heading, sep);
        const std::string concentration = value ? FormatPlain(*value, sep) : Trim(heading);
        for (int r = 0; r < m_grid.rowCount(); ++r) {
            ReportRecord d;
            d.set("ID", std::int64_t{1});
            d.set("NDATI", std::int64_t{r + 1});
            d.set("VALORE", m_grid.cellText(r, i));
            d.set("CONC", concentration);
            d.set("UM", unit);
            records.details.push_back(std::move(d));
        }
    }
    return records;
}

}  // namespace kestra
