// The accuracy (recovery) study: three level grids, one or three levels, CalcAccu with the analysis of
// variance between levels, conclusions, the Gaussian curve chart and the report records.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "framework/study.h"

namespace kestra {

class AccuracyStudy final : public Study {
public:
    enum class LevelMode { One, Three };

    static constexpr int kUpper = 0;
    static constexpr int kCentral = 1;
    static constexpr int kLower = 2;
    static constexpr int kLevelCount = 3;
    // the levels as messages name them
    static constexpr std::array<const char*, kLevelCount> kLevelNames = {
        "livello superiore", "livello centrale", "livello inferiore"};
    static constexpr int kColumns = 3;         // added, found, recovery %
    static constexpr int kRecoveryColumn = 2;  // 0-based column of the recovery, locked
    static constexpr int kMinCount = 3;
    static constexpr int kMaxCount = 99;
    static constexpr int kDefaultCount = 3;
    static constexpr int kChartRows = 1001;

    // The analysis-of-variance table is addressed (column, row) from 1 as on screen: 6 columns, 4 rows.
    static constexpr int kAnovaColumns = 6;
    static constexpr int kAnovaRows = 4;

    static constexpr const char* kNoMean = "NONE";
    static constexpr const char* kMarkerOne = "CSOLO";
    static constexpr const char* kMarkerMean = "CMEDIA";
    static constexpr const char* kMarkerLevels = "CSUP";

    AccuracyStudy();

    // The first of the three grids (the upper level); levelGrid() reaches each one.
    DataGrid& grid() override { return m_grids[kUpper]; }
    using Study::grid;
    DataGrid& levelGrid(int level) { return m_grids.at(static_cast<std::size_t>(level)); }
    const DataGrid& levelGrid(int level) const { return m_grids.at(static_cast<std::size_t>(level)); }
    bool gridsChanged() const override;
    void clearGridsChanged() override;

    // --- dimensions and options
    int determinations() const { return m_count; }
    // 3..99: SetupAccuGrids and the study is modified; other values are ignored (false).
    bool setDeterminations(int count);
    LevelMode levelMode() const { return m_mode; }
    // Shows or hides levels only; nothing is recomputed and the results shown stay.
    void setLevelMode(LevelMode mode);
    bool threeLevels() const { return m_mode == LevelMode::Three; }
    // The levels taking part: {1} with one level, {0, 1, 2} with three.
    std::vector<int> usedLevels() const;
    bool levelVisible(int level) const { return threeLevels() || level == kCentral; }

    // --- grid behaviour
    // After the user changed a cell of a row: recovery = found / added x 100 when both are numbers and the
    // added amount is not 0; empty when either is empty; otherwise the recovery keeps its value. Returns
    // whether it was written.
    bool updateRecovery(int level, int row);
    // SetupAccuGrids: n rows x 3 columns per grid, non-numeric cells to 0, the recovery column locked,
    // ImpostaColonne.
    void setupAccuGrids();
    // ImpostaColonne: the column headings of every grid (the captions follow the unit, see levelCaption).
    void impostaColonne();
    // "Liv. superiore", "Liv. centrale", "Liv. inferiore", each + " (unit)" when the trimmed unit is not
    // empty.
    std::string levelCaption(int level) const;
    // " (unit)" or "" for an empty unit.
    std::string unitSuffix() const;

    // --- calculation and results as displayed
    CalcOutcome calculate() override;  // CalcAccu
    const std::string& accuOneText() const { return m_accuOne; }
    const std::string& accuSupText() const { return m_accuSup; }
    const std::string& accuCenText() const { return m_accuCen; }
    const std::string& accuInfText() const { return m_accuInf; }
    const std::string& accuMedText() const { return m_accuMed; }
    // LabMed and AccuMed are shown in three-level mode while AccuMed is not "NONE".
    bool meanVisible() const { return threeLevels() && m_accuMed != kNoMean; }
    // The table cell as displayed; row 1 and column 1 hold the fixed texts, never-written cells are "".
    std::string anovaCell(int column, int row) const;
    // The cells that are never written and are shown greyed.
    static bool anovaCellUnused(int column, int row);
    // [0] Italian, [1] English.
    const std::array<std::string, 2>& conclusions() const { return m_conclusions; }
    std::string conclusionText() const override { return m_conclusions[0]; }
    ExtendedStatistics extendedStatistics() const override;

    ReportRecords reportRecords(Language language) const override;
    // The Gaussian curve chart "VtGrafAccu" with its texts in the language (SetLanGraf).
    std::vector<ChartData> charts(Language language) const override;
    ChartData chart(Language language) const;

    static const char* const kConclusionHeader;
    static const char* const kConclusionHeaderEnglish;

protected:
    void resetData() override;
    void readContents(StudyFileReader& reader) override;
    void writeContents(StudyFileWriter& writer) const override;
    void applyFormatToGrids(const NumberFormat& format) override;

private:
    struct AnovaResult {
        double grandMean = 0, ssb = 0, ssw = 0, sst = 0, msb = 0, msw = 0, f = 0;
    };
    // One-way analysis of variance of the three levels on the recoveries (n values each).
    static AnovaResult AnovaLevels(const std::array<std::vector<double>, 3>& values, int n);
    std::string& anovaText(int column, int row);
    void fillChart(const std::string& marker, const std::vector<std::pair<double, double>>& curves);

    std::array<DataGrid, 3> m_grids;
    int m_count = kDefaultCount;
    LevelMode m_mode = LevelMode::One;

    std::string m_accuOne, m_accuSup, m_accuCen, m_accuInf, m_accuMed;
    // value cells (columns 2..6, rows 2..4), indexed [column - 2][row - 2]
    std::array<std::array<std::string, 3>, 5> m_anova;
    std::array<std::string, 2> m_conclusions;

    // chart data: the marker of column 2 and the density columns (x is implied by the row)
    std::string m_chartMarker;
    std::vector<std::pair<double, double>> m_chartCurves;  // (mean, standard deviation) per curve
};

}  // namespace kestra
