// The intermediate precision study and, configured for laboratories, the reproducibility study: k series of
// n analyses, one-way analysis of variance between series, standard deviations, conclusions, chart, report.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "framework/study.h"

namespace kestra {

// The three entries of the option group "Risultati ottenuti da:"; None when a file selects none of them.
enum class SeriesKind { None = -1, Analysts = 0, Laboratories = 1, Other = 2 };

// What tells the two kinds apart. The intermediate precision configuration lives beside this class,
// the reproducibility one in studies/reproducibility/.
struct SeriesStudyConfig {
    StudyKindId kind;
    // Reproducibility fixes the kind of series to laboratories: the option group is never consulted.
    bool fixedLaboratories;
    const char* aovFrameCaption;        // "PRECISIONE INTERMEDIA: Analisi della varianza"
    const char* conclusionHeading[2];   // [0] Italian, [1] English, each ending in its blank lines
    const char* conclusionTemplate[2];  // placeholders #1# .. #7#
    const char* negation[2];            // #1# and #3# when the series effect is not significant
    const char* chartName;              // "VtGrafPrin"
    const char* chartTitle[2];
    const char* headerTable;  // "Prin"
    const char* detailTable;  // "PrinTabella"
};

const SeriesStudyConfig& IntermediatePrecisionConfig();
const SeriesStudyConfig& ReproducibilityConfig();

class IntermediatePrecisionStudy final : public Study {
public:
    static constexpr int kMinSeries = 3;
    static constexpr int kMaxSeries = 20;
    static constexpr int kMinPerSeries = 2;
    static constexpr int kMaxPerSeries = 40;
    static constexpr int kDefaultSeries = 3;
    static constexpr int kDefaultPerSeries = 3;
    // The boxes hold two digits: a file may bring any dimension that fits them.
    static constexpr int kMaxBoxValue = 99;

    // The analysis-of-variance table as the window shows it: 4 rows and 6 columns, 1-based, row 1 and
    // column 1 being the headings.
    static constexpr int kAovRows = 4;
    static constexpr int kAovColumns = 6;

    explicit IntermediatePrecisionStudy(const SeriesStudyConfig& config);

    const SeriesStudyConfig& config() const { return m_config; }
    DataGrid& grid() override { return m_grid; }
    using Study::grid;

    // --- dimensions: k series (grid columns), n analyses per series (grid rows), N = k * n
    int seriesCount() const { return m_series; }
    int perSeriesCount() const { return m_perSeries; }
    int totalCount() const { return m_series * m_perSeries; }
    static bool validSeriesCount(int k) { return k >= kMinSeries && k <= kMaxSeries; }
    static bool validPerSeriesCount(int n) { return n >= kMinPerSeries && n <= kMaxPerSeries; }
    // A value within its range applies the dimensions (keeping the values, zero in new cells) and marks the
    // study modified; any other value changes nothing and returns false.
    bool setSeriesCount(int k);
    bool setPerSeriesCount(int n);
    // SetGridDimensions: the grid takes n rows and k columns; cells without a number become 0.
    void applyDimensions();

    // --- kind of series (option group OptionTrat)
    SeriesKind seriesKind() const { return m_seriesKind; }
    // Entries a window shows: 0 and 2 for intermediate precision, 1 alone for reproducibility.
    std::vector<SeriesKind> selectableKinds() const;
    // Neither marks the study modified nor recalculates; reproducibility keeps laboratories.
    void selectSeriesKind(SeriesKind kind);
    static const char* seriesKindCaption(SeriesKind kind);  // "" for None
    // The visible LabelTrat caption, e.g. "Deviazione std. tra analisti".
    std::string treatmentCaption() const;
    static const char* treatmentCaption(SeriesKind kind);

    // --- calculation (CalcPrin / CalcRipr)
    CalcOutcome calculate() override;
    ExtendedStatistics extendedStatistics() const override;

    // --- results as displayed
    const std::string& sbText() const { return m_sb; }                // STrat
    const std::string& srText() const { return m_sr; }                // SErr
    const std::string& sRText() const { return m_sR; }                // SRipr
    const std::string& precisionText() const { return m_precision; }  // PrecRipr
    // 100 s / grand mean for s r and s R as computed (the coefficients of variation); empty before.
    struct Variation {
        double repeatabilityCv = 0;  // 100 s r / mean
        double overallCv = 0;        // 100 s R / mean
    };
    std::optional<Variation> variation() const { return m_variation; }
    // LabelStima "(stima sulle medie)": sb on display was estimated from the series means.
    bool estimatedFromMeans() const { return m_estimatedFromMeans; }
    // GridMedieSerie row 1, one text per series.
    const std::vector<std::string>& seriesMeanTexts() const { return m_meanTexts; }
    // Cells of the analysis-of-variance table (1-based row and column, headings included).
    std::string aovCell(int row, int column) const;
    // The empty cells painted in the button-face colour.
    static bool aovCellGreyed(int row, int column);
    // [0] Italian, [1] English, each with its heading.
    const std::array<std::string, 2>& conclusions() const { return m_conclusions; }
    std::string conclusionText() const override { return m_conclusions[0]; }

    ReportRecords reportRecords(Language language) const override;
    std::vector<ChartData> charts(Language language) const override;

    static constexpr const char* kEstimateNote = "(stima sulle medie)";

protected:
    void resetData() override;
    void readContents(StudyFileReader& reader) override;
    void writeContents(StudyFileWriter& writer) const override;

private:
    void numberHeadings();
    std::string chartFootnote(Language language) const;

    const SeriesStudyConfig& m_config;
    DataGrid m_grid;
    int m_series = kDefaultSeries;
    int m_perSeries = kDefaultPerSeries;
    SeriesKind m_seriesKind;

    std::string m_sb, m_sr, m_sR, m_precision;
    bool m_estimatedFromMeans = false;
    std::optional<Variation> m_variation;
    std::vector<std::string> m_meanTexts;
    // rows 2..4, columns 2..6 of the table (index [row - 2][column - 2])
    std::array<std::array<std::string, 5>, 3> m_aov;
    std::array<std::string, 2> m_conclusions;
    // per series: lower limit, upper limit, mean (the chart's data); empty until a calculation
    struct Interval {
        double lower;
        double upper;
        double mean;
    };
    std::vector<Interval> m_intervals;
};

}  // namespace kestra
