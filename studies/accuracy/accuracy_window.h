// The Accu window: the accuracy study on screen (tabs " Info/Conclusioni", "Dati", "Grafico").
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "framework/ui/chart_view.h"
#include "framework/ui/study_window.h"
#include "studies/accuracy/accuracy_study.h"

class QGroupBox;
class QLabel;
class QModelIndex;
class QRadioButton;
class QTableWidget;

namespace kestra {

class AccuracyWindow final : public StudyWindow, public ChartOwner {
    Q_OBJECT

public:
    explicit AccuracyWindow(StudyWindowHost& host, QWidget* parent = nullptr);
    ~AccuracyWindow() override;

    AccuracyStudy& accuracy();
    const AccuracyStudy& accuracy() const;

    QLineEdit* countField() const { return m_count; }             // nDet
    QRadioButton* oneLevelOption() const { return m_option1; }    // Option1
    QRadioButton* threeLevelOption() const { return m_option3; }  // Option3
    DataGridView* levelGridView(int level) const { return m_gridViews[static_cast<std::size_t>(level)]; }
    QLabel* levelCaption(int level) const
    {
        return m_captions[static_cast<std::size_t>(level)];
    }  // LabelData
    // AccuOne, AccuSup, AccuCen, AccuInf, AccuMed and their captions LabOne ... LabMed
    QLabel* resultLabel(const QString& name) const;
    QGroupBox* anovaFrame() const { return m_anovaFrame; }  // FrameVarianza
    QTableWidget* anovaTable() const { return m_anova; }    // SprLinearita
    ChartView* chartView() const { return m_chart; }        // VtGrafAccu

    // ChartOwner
    std::vector<ChartView*> chartViews() override { return {m_chart}; }
    void setLanGraf(Language language) override;

    // ShowLevelMode: which grids, captions and results are visible in the current level mode.
    void showLevelMode();

protected:
    void showStudyData() override;
    std::vector<int> dimensionValues() const override;
    void restoreDimensions(const std::vector<int>& values) override;

private:
    void levelModeClicked(AccuracyStudy::LevelMode mode);
    void cellsChanged(int level, const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void enterGrid(int level, int row, int column);
    void showCaptions();
    void showAnova();
    void showChart();

    QLineEdit* m_count = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option3 = nullptr;
    std::array<DataGridView*, 3> m_gridViews{};
    std::array<QLabel*, 3> m_captions{};
    std::array<QWidget*, 3> m_gridBoxes{};
    QLabel* m_labOne = nullptr;
    QLabel* m_accuOne = nullptr;
    QLabel* m_labSup = nullptr;
    QLabel* m_accuSup = nullptr;
    QLabel* m_labCen = nullptr;
    QLabel* m_accuCen = nullptr;
    QLabel* m_labInf = nullptr;
    QLabel* m_accuInf = nullptr;
    QLabel* m_labMed = nullptr;
    QLabel* m_accuMed = nullptr;
    QGroupBox* m_anovaFrame = nullptr;
    QTableWidget* m_anova = nullptr;
    ChartView* m_chart = nullptr;
    Language m_chartLanguage = Language::Italian;
};

}  // namespace kestra
