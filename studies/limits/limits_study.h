// The detection and quantitation limits study: data, reset state, CalcLimi, conclusions and report records.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "framework/study.h"

namespace kestra {

class LimitsStudy final : public Study {
public:
    enum class Option { None, Detection, Quantitation };  // OptionRilDet 0 and 1; None after an odd file

    static constexpr int kMinCount = 5;
    static constexpr int kMaxCount = 99;
    static constexpr int kDefaultCount = 10;

    LimitsStudy();

    DataGrid& grid() override { return m_grid; }
    using Study::grid;

    int measurementCount() const { return m_count; }
    // A count of 5..99 rebuilds the grid (keeping the values) and marks the study modified; others are ignored.
    bool setMeasurementCount(int count);
    Option option() const { return m_option; }
    // Switches the displayed limit and conclusion without recalculating; marks the study modified.
    void selectOption(Option option);

    CalcOutcome calculate() override;  // CalcLimi
    ReportRecords reportRecords(Language language) const override;
    std::string conclusionText() const override { return m_conclusionBox; }
    // The study has no t or F value and no further test: current results give an empty list.
    ExtendedStatistics extendedStatistics() const override;

    // Results as the window shows them.
    const std::string& stDevText() const { return m_stDev; }
    const std::string& detectionLimitText() const { return m_limRil; }
    const std::string& quantitationLimitText() const { return m_limDet; }
    // [0] Italian detection, [1] Italian quantitation, [2] English detection, [3] English quantitation.
    const std::array<std::string, 4>& conclusions() const { return m_conclusions; }
    // The caption of LabelRil: the caption of the selected option.
    std::string limitLabel() const;

    static const char* const kConclusionHeader;
    static const char* const kConclusionHeaderEnglish;

protected:
    void resetData() override;
    void readContents(StudyFileReader& reader) override;
    void writeContents(StudyFileWriter& writer) const override;

private:
    void rebuildGrid();
    void showSelectedConclusion();

    DataGrid m_grid;
    int m_count = kDefaultCount;
    Option m_option = Option::Detection;
    std::string m_stDev;
    std::string m_limRil;
    std::string m_limDet;
    std::array<std::string, 4> m_conclusions;
    std::string m_conclusionBox;
};

}  // namespace kestra
