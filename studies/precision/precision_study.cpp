// SPDX-License-Identifier: GPL-3.0-or-later
#include "studies/precision/precision_study.h"

#include <cmath>

#include "stats/statistics.h"
#include "studies/precision/precision_extended.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/text_helpers.h"

namespace kestra {

const char* const PrecisionStudy::kConclusionHeader =
    "C O N V A L I D A   D E L   M E T O D O   A N A L I T I C O\r\n\r\nTEST DELLA PRECISIONE\r\n\r\n";
const char* const PrecisionStudy::kConclusionHeaderEnglish =
    "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\nPRECISION TEST\r\n\r\n";
const char* const PrecisionStudy::kUnavailableTitle = "Dev.standard = 0: grafico non disponibile";

namespace {

constexpr const char* kEnglishTemplate =
    "The precision of the medium analytical content estimated from an analyst with #1# replications of the "
    "analysis expressed in precision percentage P% = (CV * t / Sqr(n)) as statistical probability of 95% is :"
    "\r\n\r\nP% = ± #2#\r\n\r\nThe standard deviation of the measures is equal to: #3#";
constexpr const char* kItalianTemplate =
    "La precisione del contenuto analitico medio valutato da un analista con #1# replicazioni dell'analisi "
    "espressa in precisione percentuale P% = (CV * t / Sqr(n)) con una probabilità statistica del 95% è :"
    "\r\n\r\nP% = ± #2#\r\n\r\nLa deviazione standard delle misure effettuate è pari a: #3#";

constexpr std::array<const char*, 3> kItalianLabels = {"Metodo analitico", "Analita", "Campione"};
constexpr std::array<const char*, 3> kEnglishLabels = {"Analytical method", "Analyte", "Sample"};

constexpr std::uint32_t kCurveColour = 0x1F4E9C;

// "riga 3" / "righe 2, 5 e 7": the rows a refused calculation names.
std::string describeRows(const std::vector<int>& rows)
{
    if (rows.size() == 1) return Msg("il risultato della riga %1 non è un numero", {std::to_string(rows[0])});
    std::string list;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) list += i + 1 == rows.size() ? Msg(" e ") : ", ";
        list += std::to_string(rows[i]);
    }
    return Msg("i risultati delle righe %1 non sono numeri", {list});
}

}  // namespace

PrecisionStudy::PrecisionStudy() : Study(StudyKindId::Prec)
{
    reset();
}

void PrecisionStudy::resetData()
{
    m_count = kDefaultCount;
    m_grid.clear();
    rebuildGrid();
    const std::string zero = FormatCurrent(0);
    m_results = {zero, zero, zero, FormatWith(0, "##0"), zero, zero, zero, zero, zero};
    m_precisionPercent.reset();
    for (auto& c : m_conclusions) c.clear();
    m_chartState = ChartState::Empty;
    m_chartLanguage = Language::Italian;
    m_curve.clear();
    m_xMinimum = m_xMaximum = m_yMaximum = 0;
}

void PrecisionStudy::rebuildGrid()
{
    m_grid.resize(m_count, 1);
    m_grid.setCornerHeader("Dati");
    m_grid.setColumnHeader(0, "Risultati");
    for (int r = 0; r < m_count; ++r) {
        m_grid.setRowHeader(r, std::to_string(r + 1));
        if (!m_grid.hasNumber(r, 0)) m_grid.setCell(r, 0, 0.0);
    }
}

bool PrecisionStudy::setDeterminationCount(int count)
{
    if (count < kMinCount || count > kMaxCount) return false;
    m_count = count;
    rebuildGrid();
    setModify(true);
    return true;
}

CalcOutcome PrecisionStudy::calculate()
{
    CalcOutcome outcome;
    std::vector<double> x(static_cast<std::size_t>(m_count), 0.0);
    std::vector<int> notNumbers;
    double sum = 0;
    for (int r = 0; r < m_count; ++r) {
        const auto value = m_grid.cell(r, 0);
        if (!value) {
            notNumbers.push_back(r + 1);
            continue;
        }
        x[static_cast<std::size_t>(r)] = *value;
        sum += *value;
    }
    if (!notNumbers.empty()) {
        // An empty result would silently count as 0 and distort every figure: refuse instead.
        outcome.messages.push_back(
            {StudyMessage::Severity::Warning,
             Msg("Impossibile calcolare: %1.\nInserire un valore numerico in ogni riga "
                 "della griglia.",
                 {describeRows(notNumbers)}),
             {},
             0});
        return outcome;
    }
    // nothing measured yet: the previous results stay, and the user is told why nothing happened
    if (sum == 0) {
        outcome.messages.push_back(ZeroSumWarning(x, "i valori della griglia"));
        return outcome;
    }

    const double t = TCritical95(m_count, 1);
    std::array<double, 4> stats{};
    DescriptiveStats(x, stats);
    const double m = stats[1];
    const double s = std::sqrt(stats[2]);
    const double cv = stats[3];
    double lower = 0, upper = 0, width = 0;
    const double pPercent = ConfidenceInterval(x, m, s, t, lower, upper, width);

    const char sep = UserDecimalSeparator();
    const std::string sText = FormatCurrent(s);
    auto fill = [&](const char* templ) {
        std::string text =
            ReplacePlaceholder(templ, "#1#", FormatNumber(static_cast<double>(m_count), "#0", sep));
        text = ReplacePlaceholder(text, "#2#", FormatPlain(std::abs(pPercent), sep));
        return ReplacePlaceholder(text, "#3#", sText);
    };
    const std::string english = std::string(kConclusionHeaderEnglish) + fill(kEnglishTemplate);
    const std::string italian = std::string(kConclusionHeader) + fill(kItalianTemplate);

    Results results{FormatCurrent(m),     sText,
                    FormatCurrent(cv),    FormatWith(static_cast<double>(m_count - 1), "##0"),
                    FormatCurrent(t),     FormatCurrent(0.05),
                    FormatCurrent(lower), FormatCurrent(upper),
                    FormatCurrent(width)};

    // The curve spans the mean +- 4 standard deviations as displayed, so the axis matches the label.
    std::vector<std::pair<double, double>> curve;
    double xMinimum = 0, xMaximum = 0, yMaximum = 0;
    const ChartState state = s == 0 ? ChartState::Unavailable : ChartState::Curve;
    if (state == ChartState::Curve) {
        const double shown = ParseNumber(sText, sep).value_or(s);
        const double w = 8 * shown;
        const double step = w / kCurvePoints;
        xMinimum = m - w / 2;
        xMaximum = m + w / 2;
        yMaximum = NormalDensity(m, m, s);
        curve.reserve(kCurvePoints);
        double at = xMinimum;
        for (int j = 0; j < kCurvePoints && at <= xMaximum; ++j) {
            curve.emplace_back(at, NormalDensity(at, m, s));
            at += step;
        }
    }

    m_conclusions = {italian, english};
    m_results = std::move(results);
    m_precisionPercent = std::abs(pPercent);
    m_chartState = state;
    m_curve = std::move(curve);
    m_xMinimum = xMinimum;
    m_xMaximum = xMaximum;
    m_yMaximum = yMaximum;
    m_chartLanguage = Language::Italian;
    markCalculated();
    outcome.computed = true;
    return outcome;
}

ExtendedStatistics PrecisionStudy::extendedStatistics() const
{
    return PrecisionExtended(*this);
}

std::string PrecisionStudy::headerBlock(Language language) const
{
    const auto& labels = language == Language::English ? kEnglishLabels : kItalianLabels;
    std::string block;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) block += "\r\n";
        block += std::string(labels[static_cast<std::size_t>(i)]) + ": " + Trim(header(i));
    }
    return block;
}

std::vector<ChartData> PrecisionStudy::charts(Language language) const
{
    const bool english = language == Language::English;
    ChartData c;
    c.kind = ChartData::Kind::XY;
    c.name = "VtGrafPrec";
    c.titleFontSize = 10;
    c.footnoteFontSize = 7;
    c.legendVisible = false;
    c.xAxis.titleFontSize = 10;
    c.yAxis.titleVisible = false;
    ChartMarker curve;
    curve.visible = false;
    curve.lineVisible = true;
    curve.colour = kCurveColour;
    c.series.push_back(curve);
    if (m_chartState == ChartState::Empty) return {c};  // a new study: no data, no texts

    c.columnLabels = {"x", "y"};
    if (m_chartState == ChartState::Unavailable) {
        // A curve of no width cannot be drawn; the title says so whatever the language asked for, and the
        // texts of a drawn curve (axis title, footnote) are not set.
        c.title = kUnavailableTitle;
        c.rows.assign(2, {0.0, 0.0});
        return {c};
    }
    c.footnote = headerBlock(language);
    c.xAxis.title = english ? "Precision curve" : "Curva di precisione";
    c.xAxis.titleVisible = true;

    c.title = english ? "Precision" : "Precisione";
    c.rows.reserve(kCurvePoints);
    for (const auto& [x, y] : m_curve) c.rows.push_back({x, y});
    c.rows.resize(kCurvePoints, {std::nullopt, std::nullopt});
    c.xAxis.automatic = false;
    c.xAxis.minimum = m_xMinimum;
    c.xAxis.maximum = m_xMaximum;
    c.xAxis.majorDivisions = 4;
    c.xAxis.minorDivisions = 1;
    c.yAxis.automatic = false;
    c.yAxis.minimum = 0;
    c.yAxis.maximum = m_yMaximum;
    return {c};
}

ReportRecords PrecisionStudy::reportRecords(Language language) const
{
    ReportRecords r;
    r.headerTable = "Prec";
    r.detailTable = "PrecTabella";
    r.header.set("ID", std::int64_t{1});
    r.header.set("METODO", Utf8Left(header(0), 50));
    r.header.set("ANALITA", Utf8Left(header(1), 50));
    r.header.set("CAMPIONE", Utf8Left(header(2), 50));
    r.header.set("NDET", std::to_string(m_count));
    r.header.set("MEDIA", m_results.media);
    r.header.set("STDEV", m_results.stDev);
    r.header.set("CV", m_results.cv);
    r.header.set("GDL", m_results.gdl);
    r.header.set("T", m_results.t);
    r.header.set("P", m_results.p);
    r.header.set("LIMCONFINF", m_results.infConf);
    r.header.set("LIMCONFSUP", m_results.supConf);
    r.header.set("INTERVALLOCONF", m_results.intConf);
    r.header.set("CONCLUSIONI", conclusion(language));
    for (int row = 0; row < m_grid.rowCount(); ++row) {
        ReportRecord d;
        d.set("ID", std::int64_t{1});
        d.set("NDATI", std::int64_t{row + 1});
        d.set("COLA", m_grid.cellText(row, 0));
        r.details.push_back(std::move(d));
    }
    return r;
}

}  // namespace kestra
