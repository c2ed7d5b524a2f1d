// The Prin and Ripr windows: one window class configured for the intermediate precision and the
// reproducibility study (tabs "Info/Conclusioni", "Dati", "Grafici").
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "framework/ui/chart_view.h"
#include "framework/ui/study_window.h"
#include "studies/intermediate_precision/intermediate_precision_study.h"

class QLabel;
class QRadioButton;
class QTableWidget;

namespace kestra {

class IntermediatePrecisionWindow final : public StudyWindow, public ChartOwner {
    Q_OBJECT

public:
    IntermediatePrecisionWindow(const SeriesStudyConfig& config, StudyWindowHost& host,
                                QWidget* parent = nullptr);

    IntermediatePrecisionStudy& seriesStudy();
    const IntermediatePrecisionStudy& seriesStudy() const;

    // Dimensioni(0) "N. serie", Dimensioni(1) "N. dati per serie", nDatiTot "N. dati totali".
    QLineEdit* dimensionBox(int index) const { return m_dimensions[static_cast<std::size_t>(index)]; }
    QLineEdit* totalBox() const { return m_total; }
    QRadioButton* optionButton(int index) const
    {
        return m_options[static_cast<std::size_t>(index)];
    }  // OptionTrat
    QLabel* treatmentCaption(int index) const
    {
        return m_labelTrat[static_cast<std::size_t>(index)];
    }                                                       // LabelTrat
    QLabel* estimateLabel() const { return m_labelStima; }  // LabelStima
    // STrat, SErr, SRipr, PrecRipr
    QLabel* resultLabel(const QString& name) const;
    QTableWidget* meansGrid() const { return m_means; }  // GridMedieSerie
    QTableWidget* aovTable() const { return m_aov; }     // SprLinearita
    ChartView* chartView() const { return m_chart; }     // VtGrafPrin, VtGrafRipr

    // ChartOwner
    std::vector<ChartView*> chartViews() override { return {m_chart}; }
    void setLanGraf(Language language) override;

protected:
    void showStudyData() override;
    std::vector<int> dimensionValues() const override;
    void restoreDimensions(const std::vector<int>& values) override;

private:
    void optionClicked(SeriesKind kind);
    void showOptions();
    void showMeans();
    void showAov();

    std::array<QLineEdit*, 2> m_dimensions{};
    QLineEdit* m_total = nullptr;
    std::array<QRadioButton*, 3> m_options{};
    std::array<QLabel*, 3> m_labelTrat{};
    QLabel* m_labelStima = nullptr;
    std::vector<QLabel*> m_results;
    std::vector<QLabel*> m_captions;  // the captions that carry their text as tooltip
    QTableWidget* m_means = nullptr;
    QTableWidget* m_aov = nullptr;
    ChartView* m_chart = nullptr;
};

std::unique_ptr<StudyWindow> CreateIntermediatePrecisionWindow(StudyWindowHost& host, QWidget* parent);
std::unique_ptr<StudyWindow> CreateReproducibilityWindow(StudyWindowHost& host, QWidget* parent);

}  // namespace kestra
