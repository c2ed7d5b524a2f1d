// The Tara window: the calibration study on screen (tabs "Info/Conclusioni", "Dati", "Grafici", "Residui").
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "framework/ui/chart_view.h"
#include "framework/ui/extended_table_view.h"
#include "framework/ui/study_window.h"
#include "studies/calibration/calibration_study.h"

class QLabel;
class QTableWidget;

namespace kestra {

class CalibrationWindow final : public StudyWindow, public ChartOwner {
    Q_OBJECT

public:
    explicit CalibrationWindow(StudyWindowHost& host, QWidget* parent = nullptr);

    CalibrationStudy& calibration();
    const CalibrationStudy& calibration() const;

    // "C&oncentrazioni...", also a click on a concentration heading: the concentrations dialog.
    void editConcentrations();

    QAction* concentrationsAction() const { return m_concentrationsAction; }  // StrumentiConcentrazioni
    QLineEdit* dimensionBox(int index) const
    {
        return m_dimensions[static_cast<std::size_t>(index)];
    }                                                              // Dimensioni(0), (1)
    QLineEdit* totalBox() const { return m_total; }                // nDatiTot
    QGroupBox* concentrationFrame() const { return m_frameConc; }  // FrameConc
    // r, a, b, Sa, Sb, a+ts(a), a-ts(a), in this order
    QLabel* resultLabel(int index) const { return m_results[static_cast<std::size_t>(index)]; }
    QTableWidget* anovaTable() const { return m_anova; }  // SprLinearita
    ChartView* regressionChart() const { return m_charts[0]; }
    ChartView* proportionalityChart() const { return m_charts[1]; }
    ChartView* residualsChart() const { return m_residualsChart; }
    QTableWidget* backCalculatedTable() const { return m_backCalculated; }  // GridRicalcolate
    bool chartEnlarged(int index) const { return m_enlarged[static_cast<std::size_t>(index)]; }
    // Enlarges a chart to the whole charts page, or restores it to its half (the double click or Ctrl+click).
    void toggleChartSize(int index);

    // --- ChartOwner
    std::vector<ChartView*> chartViews() override { return {m_charts[0], m_charts[1], m_residualsChart}; }
    void setLanGraf(Language language) override;

protected:
    void showStudyData() override;
    std::vector<int> dimensionValues() const override;
    void restoreDimensions(const std::vector<int>& values) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showConcentrationCaption();
    void showAnova();
    void showCharts();
    void placeCharts();

    std::array<QLineEdit*, 2> m_dimensions{};
    QLineEdit* m_total = nullptr;
    QAction* m_concentrationsAction = nullptr;
    QGroupBox* m_frameConc = nullptr;
    std::array<QLabel*, 7> m_results{};
    QTableWidget* m_anova = nullptr;
    QWidget* m_chartPage = nullptr;
    std::array<ChartView*, 2> m_charts{};
    ChartView* m_residualsChart = nullptr;
    ExtendedTableView* m_backCalculated = nullptr;
    std::array<bool, 2> m_enlarged{false, false};
    int m_chartFront = 0;
    int m_placedCalculation = -1;
    Language m_chartLanguage = Language::Italian;
};

}  // namespace kestra
