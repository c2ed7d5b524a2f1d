// The specificity study: two groups of results, CalcSpec with the F test of the variances and the t test
// of the means, judgement and conclusions, the means chart and the report records.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "framework/study.h"

namespace kestra {

class SpecificityStudy final : public Study {
public:
    static constexpr int kGroupA = 0;
    static constexpr int kGroupB = 1;
    static constexpr int kMinCount = 5;
    static constexpr int kMaxCount = 99;
    static constexpr int kDefaultCount = 5;

    static constexpr const char* kAllZeroWarning =
        "I risultati di un gruppo sono tutti nulli. Non è possibile effettuare un' elaborazione statistica "
        "corretta!";
    static constexpr const char* kAllEqualWarning =
        "I risultati di un gruppo sono tutti uguali. Non è possibile effettuare un' elaborazione statistica "
        "corretta!";
    static constexpr const char* kNotNumericWarning =
        "Un risultato di un gruppo non è un numero. Non è possibile effettuare un' elaborazione statistica "
        "corretta!";

    SpecificityStudy();

    int headerFieldCount() const override { return 3; }
    DataGrid& grid() override { return m_grid; }
    using Study::grid;

    int groupSize(int group) const { return m_size.at(static_cast<std::size_t>(group)); }
    // 5..99: SetupSpecGrid and the study is modified; other values are ignored (false).
    bool setGroupSize(int group, int size);
    // SetupSpecGrid: max(nA, nB) rows x 2 columns; cells of a group zero-filled when not numeric, cells below
    // a group's size empty and locked.
    void setupSpecGrid();

    CalcOutcome calculate() override;  // CalcSpec
    ExtendedStatistics extendedStatistics() const override;

    // Results as the window shows them.
    const std::string& meanText(int group) const { return m_mean.at(static_cast<std::size_t>(group)); }
    const std::string& lowerText(int group) const { return m_lower.at(static_cast<std::size_t>(group)); }
    const std::string& upperText(int group) const { return m_upper.at(static_cast<std::size_t>(group)); }
    const std::string& varianceText(int group) const
    {
        return m_variance.at(static_cast<std::size_t>(group));
    }
    const std::string& fText() const { return m_f; }
    const std::string& dfText() const { return m_df; }
    const std::string& tText() const { return m_t; }
    const std::string& pText() const { return m_p; }
    // The text of the label Giudizio: "Giudizio" until a calculation, then the Italian judgement.
    const std::string& judgementLabel() const { return m_judgementLabel; }
    // [0] Italian, [1] English; empty until a calculation.
    const std::array<std::string, 2>& judgements() const { return m_judgements; }
    const std::array<std::string, 2>& conclusions() const { return m_conclusions; }
    std::string conclusionText() const override { return m_conclusions[0]; }

    ReportRecords reportRecords(Language language) const override;
    // The means chart "VtGrafSpec" with its texts in the language (SetLanGraf).
    std::vector<ChartData> charts(Language language) const override;
    ChartData chart(Language language) const;

    static const char* const kConclusionHeader;
    static const char* const kConclusionHeaderEnglish;

protected:
    void resetData() override;
    void readContents(StudyFileReader& reader) override;
    void writeContents(StudyFileWriter& writer) const override;

private:
    // The upper-tail probability of the larger-over-smaller variance ratio, or -1 after its error message.
    double VarianceFTest(int nA, int nB, double vA, double vB, CalcOutcome& outcome);

    DataGrid m_grid;
    std::array<int, 2> m_size{kDefaultCount, kDefaultCount};

    std::array<std::string, 2> m_mean, m_lower, m_upper, m_variance;
    std::string m_f, m_df, m_t, m_p;
    std::string m_judgementLabel;
    std::array<std::string, 2> m_judgements;
    std::array<std::string, 2> m_conclusions;
    bool m_computed = false;  // the chart is drawn once a calculation succeeded
};

}  // namespace kestra
