#include "studies/limits/limits_study.h"

#include <cmath>
#include <vector>

#include "framework/extended_values.h"
#include "stats/statistics.h"
#include "text/text_helpers.h"

namespace kestra {

const char* const LimitsStudy::kConclusionHeader =
    "C O N V A L I D A  D E L   M E T O D O   A N A L I T I C O\r\n\r\n"
    "TEST LIMITI DI RILEVAZIONE / DETERMINAZIONE\r\n\r\n";
const char* const LimitsStudy::kConclusionHeaderEnglish =
    "V A L I D A T I O N  OF  A N A L Y T I C A L  M E T H O D\r\n\r\n"
    "DETECTION AND QUANTITATION LIMITS\r\n\r\n";

namespace {
constexpr const char* kItalianDetection =
    "LIMITE DI RILEVAZIONE\r\nLa più piccola concentrazione ( #1# ) dell'analita che può essere distinta dal "
    "bianco con il 95% di probabilità è pari a :\r\n\r\n#2#";
constexpr const char* kItalianQuantitation =
    "LIMITE DI DETERMINAZIONE\r\nLa più piccola concentrazione ( #1# ) dell'analita determinabile con "
    "accettabile precisione e accuratezza è pari a :\r\n\r\n#3#";
constexpr const char* kEnglishDetection =
    "DETECTION LIMIT\r\nThe smallest concentration ( #1# ) of the analyte that it can be distinguished from the "
    "white reference with probability of 95% is :\r\n\r\n#2#";
constexpr const char* kEnglishQuantitation =
    "QUANTITATION LIMIT\r\nThe smallest concentration ( #1# ) of the analyte determinable with acceptable "
    "precision and accuracy is :\r\n\r\n#3#";
}  // namespace

LimitsStudy::LimitsStudy() : Study(StudyKindId::Limi)
{
    reset();
}

void LimitsStudy::resetData()
{
    m_count = kDefaultCount;
    m_option = Option::Detection;
    m_grid.clear();
    rebuildGrid();
    m_stDev = FormatCurrent(0);
    m_limRil = m_stDev;
    m_limDet = m_stDev;
    for (auto& c : m_conclusions) c.clear();
    m_conclusionBox.clear();
}

void LimitsStudy::rebuildGrid()
{
    m_grid.resize(m_count, 1);
    m_grid.setCornerHeader("Dati");
    m_grid.setColumnHeader(0, "Risultati");
    for (int r = 0; r < m_count; ++r) {
        m_grid.setRowHeader(r, std::to_string(r + 1));
        if (!m_grid.hasNumber(r, 0)) m_grid.setCell(r, 0, 0.0);
    }
}

bool LimitsStudy::setMeasurementCount(int count)
{
    if (count < kMinCount || count > kMaxCount) return false;
    m_count = count;
    rebuildGrid();
    setModify(true);
    return true;
}

std::string LimitsStudy::limitLabel() const
{
    return m_option == Option::Quantitation ? "Limite di determinazione" : "Limite di rilevazione";
}

void LimitsStudy::selectOption(Option option)
{
    m_option = option;
    showSelectedConclusion();
    setModify(true);
}

void LimitsStudy::showSelectedConclusion()
{
    const std::string& text = m_option == Option::Detection ? m_conclusions[0] : m_conclusions[1];
    m_conclusionBox = std::string(kConclusionHeader) + "\r\n" + text;
}

CalcOutcome LimitsStudy::calculate()
{
    CalcOutcome outcome;
    const std::string unit = Trim(header(3));
    std::vector<double> values(static_cast<std::size_t>(m_count), 0.0);
    double sum = 0;
    for (int r = 0; r < m_count; ++r) {
        values[static_cast<std::size_t>(r)] = m_grid.cell(r, 0).value_or(0.0);
        sum += values[static_cast<std::size_t>(r)];
    }
    // nothing measured yet: the previous results stay, and the user is told why nothing happened
    if (sum == 0) {
        outcome.messages.push_back(ZeroSumWarning(values, "i valori della griglia"));
        return outcome;
    }

    std::array<double, 4> results{};
    DescriptiveStats(values, results);
    const double s = std::sqrt(results[2]);
    const double detection = 2 * s;
    const double quantitation = 10 * s;

    const std::string detectionText = FormatCurrent(detection);
    const std::string quantitationText = FormatCurrent(quantitation);
    auto fill = [&](const char* templ, const char* placeholder, const std::string& number) {
        // one pass: a unit holding a placeholder stays as typed
        return ReplacePlaceholder(templ, {{"#1#", unit}, {placeholder, number}});
    };
    m_conclusions[0] = fill(kItalianDetection, "#2#", detectionText);
    m_conclusions[1] = fill(kItalianQuantitation, "#3#", quantitationText);
    m_conclusions[2] = fill(kEnglishDetection, "#2#", detectionText);
    m_conclusions[3] = fill(kEnglishQuantitation, "#3#", quantitationText);
    // the limit the calculation is about: the detection limit unless the quantitation option is chosen
    const std::string& chosen = m_option == Option::Detection ? m_conclusions[0] : m_conclusions[1];
    m_conclusionBox = std::string(kConclusionHeader) + "\r\n" + chosen;

    m_stDev = FormatCurrent(s);
    m_limRil = detectionText;
    m_limDet = quantitationText;
    markCalculated();
    outcome.computed = true;
    return outcome;
}

ExtendedStatistics LimitsStudy::extendedStatistics() const
{
    return AvailableExtended(resultsFromCurrentData(), [] { return std::vector<ExtendedValue>{}; });
}

ReportRecords LimitsStudy::reportRecords(Language language) const
{
    ReportRecords r;
    r.headerTable = "Limi";
    r.detailTable = "LimiTabella";
    r.header.set("ID", std::int64_t{1});
    r.header.set("METODO", Utf8Left(header(0), 50));
    r.header.set("ANALITA", Utf8Left(header(1), 50));
    r.header.set("CAMPIONE", Utf8Left(header(2), 50));
    r.header.set("UM", Trim(header(3)));
    r.header.set("NDET", std::to_string(m_count));
    r.header.set("STDEV", m_stDev);
    r.header.set("LIMRIL", m_limRil);
    r.header.set("LIMDET", m_limDet);
    if (language == Language::English)
        r.header.set("CONCLUSIONI", std::string(kConclusionHeaderEnglish) + "\r\n" + m_conclusions[2] + "\r\n\r\n" +
                                        m_conclusions[3]);
    else
        r.header.set("CONCLUSIONI",
                     std::string(kConclusionHeader) + "\r\n" + m_conclusions[0] + "\r\n\r\n" + m_conclusions[1]);
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
