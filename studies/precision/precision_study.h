// The precision (repeatability) study: data, reset state, CalcPrec, conclusions, Gaussian chart and report
// records.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/study.h"

namespace kestra {

class PrecisionStudy final : public Study {
public:
    static constexpr int kMinCount = 3;
    static constexpr int kMaxCount = 99;
    static constexpr int kDefaultCount = 6;
    static constexpr int kCurvePoints = 1000;
    // Beyond this many results the report's detail section flows over pages.
    static constexpr int kLongTableThreshold = 15;

    // The result labels of the window, in their order on screen.
    struct Results {
        std::string media;    // "Media"
        std::string stDev;    // "Dev. standard"
        std::string cv;       // "CV"
        std::string gdl;      // "GdL"
        std::string t;        // "t (p;n-1)"
        std::string p;        // "P"
        std::string infConf;  // "Inferiore"
        std::string supConf;  // "Superiore"
        std::string intConf;  // "Intervallo di Confidenza"
    };

    enum class ChartState { Empty, Curve, Unavailable };

    PrecisionStudy();

    DataGrid& grid() override { return m_grid; }
    using Study::grid;
    int headerFieldCount() const override { return 3; }

    int determinationCount() const { return m_count; }
    // A count of 3..99 rebuilds the grid (keeping the values, empty cells become 0) and marks the study
    // modified; other counts are ignored and return false.
    bool setDeterminationCount(int count);

    CalcOutcome calculate() override;  // CalcPrec
    ReportRecords reportRecords(Language language) const override;
    // The Gaussian chart with its texts in the language asked for (SetLanGraf applied to a copy).
    std::vector<ChartData> charts(Language language) const override;
    std::string conclusionText() const override { return m_conclusions[0]; }
    ExtendedStatistics extendedStatistics() const override;

    // SetLanGraf: the language of the texts of the chart on screen; CalcPrec sets Italian.
    void setLanGraf(Language language) { m_chartLanguage = language; }
    Language chartLanguage() const { return m_chartLanguage; }
    // The chart as the window shows it.
    ChartData chart() const { return charts(m_chartLanguage).front(); }
    ChartState chartState() const { return m_chartState; }

    const Results& results() const { return m_results; }
    // The precision P % the conclusion states (|half-width| x 100 / mean), as computed; empty before.
    std::optional<double> precisionPercent() const { return m_precisionPercent; }
    // Italian (index 0) and English (index 1), each with its heading.
    const std::string& conclusion(Language language) const
    {
        return m_conclusions[language == Language::English ? 1 : 0];
    }
    // The lines of the chart footnote: each header field after its label.
    std::string headerBlock(Language language) const;
    // Whether the report's detail section must flow over pages (more than 15 results).
    bool longTable() const { return m_grid.rowCount() > kLongTableThreshold; }

    static const char* const kConclusionHeader;
    static const char* const kConclusionHeaderEnglish;
    static const char* const kUnavailableTitle;

protected:
    void resetData() override;
    void readContents(StudyFileReader& reader) override;
    void writeContents(StudyFileWriter& writer) const override;

private:
    void rebuildGrid();

    DataGrid m_grid;
    int m_count = kDefaultCount;
    Results m_results;
    std::optional<double> m_precisionPercent;
    std::array<std::string, 2> m_conclusions;

    ChartState m_chartState = ChartState::Empty;
    Language m_chartLanguage = Language::Italian;
    std::vector<std::pair<double, double>> m_curve;
    double m_xMinimum = 0;
    double m_xMaximum = 0;
    double m_yMaximum = 0;
};

}  // namespace kestra
