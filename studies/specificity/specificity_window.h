// The specificity window (Spec): the study on screen (tabs " Info/Conclusioni", "Dati", "Grafico").
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "framework/ui/chart_view.h"
#include "framework/ui/study_window.h"
#include "studies/specificity/specificity_study.h"

class QLabel;

namespace kestra {

class SpecificityWindow final : public StudyWindow, public ChartOwner {
    Q_OBJECT

public:
    explicit SpecificityWindow(StudyWindowHost& host, QWidget* parent = nullptr);

    SpecificityStudy& specificity();
    const SpecificityStudy& specificity() const;

    QLineEdit* groupField(int group) const
    {
        return m_sizes[static_cast<std::size_t>(group)];
    }  // GruppoA, GruppoB
    // MediaA, MediaB, InfConfA, InfConfB, SupConfA, SupConfB, SA, SB, F, GdL, T, P, Giudizio
    QLabel* resultLabel(const QString& name) const;
    ChartView* chartView() const { return m_chart; }  // VtGrafSpec

    // ChartOwner
    std::vector<ChartView*> chartViews() override { return {m_chart}; }
    void setLanGraf(Language language) override;

protected:
    void showStudyData() override;
    std::vector<int> dimensionValues() const override;
    void restoreDimensions(const std::vector<int>& values) override;

private:
    void showChart();

    std::array<QLineEdit*, 2> m_sizes{};
    std::vector<QLabel*> m_results;
    ChartView* m_chart = nullptr;
};

}  // namespace kestra
