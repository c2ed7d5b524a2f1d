// The calibration (linearity) study: levels and responses, CalcRegr with its analysis of variance,
// conclusions, the regression and proportionality charts, and the report records.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/study.h"

namespace kestra {

class CalibrationStudy final : public Study {
public:
    static constexpr int kMinLevels = 3;
    static constexpr int kMaxLevels = 15;
    static constexpr int kMinResponses = 3;
    static constexpr int kMaxResponses = 40;
    static constexpr int kDefaultLevels = 5;
    static constexpr int kDefaultResponses = 3;

    // The analysis-of-variance table SprLinearita, 0-based: row 0 holds the column headings, rows 1..4
    // "Regressione", "Curvatura", "Errore", "Totali"; column 0 holds the row headings.
    static constexpr int kAnovaRows = 5;
    static constexpr int kAnovaColumns = 6;
    using AnovaTable = std::array<std::array<std::string, kAnovaColumns>, kAnovaRows>;
    // Cells no calculation ever writes: "Errore" F and significance, "Totali" variance, F and significance.
    static bool isAnovaCellNeverWritten(int row, int column);

    // The displayed results, in the order of the window's labels.
    struct Results {
        std::string r;      // "r ="
        std::string a;      // "a ="
        std::string b;      // "b ="
        std::string sa;     // "Sa ="
        std::string sb;     // "Sb ="
        std::string upper;  // "a+ts(a) ="
        std::string lower;  // "a-ts(a) ="
    };

    // Source of the random colour components (0..255) of the levels after the first. Tests inject their
    // own; without one every calculation seeds a generator from the clock.
    using RandomComponent = std::function<int()>;

    CalibrationStudy();

    DataGrid& grid() override { return m_grid; }
    using Study::grid;

    // --- dimensions: k levels (grid columns), n responses per level (grid rows), N = n * k
    int levelCount() const { return m_levels; }
    int responseCount() const { return m_responses; }
    int totalCount() const { return m_total; }
    // A count inside its limits applies it with SetGridDimensions and marks the study modified;
    // a count outside is ignored (the window restores its box) and false comes back.
    bool setLevelCount(int levels);
    bool setResponseCount(int responses);
    // Total box, grid size, separators, headings; non-numeric (empty) cells become 0.
    void SetGridDimensions();
    // Numeric headings rewritten with the NumberPattern, others replaced by the column number.
    void FormatConcHeaders();

    // --- concentrations, held as the heading texts of the grid columns (0-based level)
    std::string concentrationText(int level) const { return m_grid.columnHeader(level); }
    void setConcentrationText(int level, std::string text) { m_grid.setColumnHeader(level, std::move(text)); }

    // --- number format: NumInteri and NumDecimali are the window's own digits; reading a file changes
    // the pattern and the grid format but not these two.
    int numInteri() const { return m_numInteri; }
    int numDecimali() const { return m_numDecimali; }
    // The number-format dialog's path: the digits, the pattern, the grid format and the headings.
    void setNumberFormat(const NumberFormat& format) override;

    // --- calculation
    // Fills the working arrays; false as soon as a heading is not a number greater than 0.
    bool ReadGridData();
    const std::vector<double>& workingConcentrations() const { return m_x; }
    CalcOutcome calculate() override;  // CalcRegr
    void setRandomComponentSource(RandomComponent source) { m_random = std::move(source); }

    // Counts the calculations that computed: the window lays its charts out again when it changes.
    int calculationNumber() const { return m_calculationNumber; }

    const Results& results() const { return m_results; }
    const AnovaTable& anova() const { return m_anova; }
    // [0] Italian, [1] English, as filled by the last calculation (empty before).
    const std::array<std::string, 2>& conclusions() const { return m_conclusions; }
    std::string conclusionText() const override { return m_conclusions[0]; }
    ExtendedStatistics extendedStatistics() const override;

    // The regression chart ("VtGrafRegr", the points and the fitted line), the proportionality chart
    // ("VtGrafProp") and the residuals chart ("VtGrafRes", about a zero line), with the texts of the
    // language asked for (SetLanGraf). Before a calculation they hold no data and no texts.
    std::vector<ChartData> charts(Language language) const override;
    // The header block of the chart footnotes.
    std::string chartFootnote(Language language) const;
    // y - (a + b x) of the last calculation, level by level and replicate by replicate, with the a and b it
    // computed from the values as shown.
    const std::vector<double>& residuals() const { return m_residuals; }
    // The marker colours of the levels drawn by the last calculation (0xRRGGBB).
    const std::vector<std::uint32_t>& levelColours() const { return m_levelColours; }

    ReportRecords reportRecords(Language language) const override;

    static const char* const kConclusionHeader;
    static const char* const kConclusionHeaderEnglish;

protected:
    void resetData() override;
    void readContents(StudyFileReader& reader) override;
    void writeContents(StudyFileWriter& writer) const override;

private:
    void resetResults();
    std::vector<std::uint32_t> drawLevelColours(int levels);

    DataGrid m_grid;
    int m_levels = kDefaultLevels;
    int m_responses = kDefaultResponses;
    int m_total = kDefaultLevels * kDefaultResponses;
    int m_numInteri = 7;
    int m_numDecimali = 3;

    // working arrays of ReadGridData: x[level], y[response][level]
    std::vector<double> m_x;
    std::vector<std::vector<std::optional<double>>> m_y;

    Results m_results;
    AnovaTable m_anova;
    std::array<std::string, 2> m_conclusions;

    // chart data of the last calculation
    std::vector<std::vector<std::optional<double>>> m_regressionRows;  // n rows, 2 columns per level
    std::vector<std::vector<std::optional<double>>> m_proportionalityRows;
    std::vector<std::vector<std::optional<double>>> m_residualRows;  // n rows, 2 columns per level, zero line
    std::vector<double> m_residuals;
    std::vector<std::uint32_t> m_levelColours;
    RandomComponent m_random;
    int m_calculationNumber = 0;
};

}  // namespace kestra
