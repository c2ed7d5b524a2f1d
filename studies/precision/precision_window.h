// The Prec window: the precision (repeatability) study on screen, tabs "Info/Dati" and "Grafico".
#pragma once

#include <optional>
#include <vector>

#include "framework/ui/chart_view.h"
#include "framework/ui/study_window.h"
#include "studies/precision/precision_study.h"

class QLabel;

namespace kestra {

class PrecisionWindow final : public StudyWindow, public ChartOwner {
    Q_OBJECT

public:
    explicit PrecisionWindow(StudyWindowHost& host, QWidget* parent = nullptr);

    PrecisionStudy& precision();
    const PrecisionStudy& precision() const;

    QLineEdit* countField() const { return m_count; }  // the "N. determinazioni" field
    // The result labels by control name: Media, StDev, CV, GdL, T, P, InfConf, SupConf, IntConf.
    QLabel* resultLabel(const QString& name) const;
    ChartView* chartView() const { return m_chart; }  // VtGrafPrec

    // --- ChartOwner
    std::vector<ChartView*> chartViews() override { return {m_chart}; }
    void setLanGraf(Language language) override;

protected:
    void showStudyData() override;
    std::vector<int> dimensionValues() const override;
    void restoreDimensions(const std::vector<int>& values) override;

private:
    QLineEdit* m_count = nullptr;
    std::vector<QLabel*> m_results;
    ChartView* m_chart = nullptr;
};

}  // namespace kestra
