// The Limi window: the detection and quantitation limits study on screen (tab "Info/Dati").
#pragma once

#include <optional>
#include <vector>

#include "framework/ui/study_window.h"
#include "studies/limits/limits_study.h"

class QLabel;
class QRadioButton;

namespace kestra {

class LimitsWindow final : public StudyWindow {
    Q_OBJECT

public:
    explicit LimitsWindow(StudyWindowHost& host, QWidget* parent = nullptr);

    LimitsStudy& limits();
    const LimitsStudy& limits() const;

    QLineEdit* countField() const { return m_count; }                         // nDet
    QRadioButton* optionButton(int index) const { return m_options[index]; }  // OptionRilDet(0), (1)
    QLabel* stDevLabel() const { return m_stDev; }
    QLabel* limitCaption() const { return m_labelRil; }     // LabelRil
    QLabel* detectionLabel() const { return m_limRil; }     // LimRil
    QLabel* quantitationLabel() const { return m_limDet; }  // LimDet

protected:
    void showStudyData() override;
    std::vector<int> dimensionValues() const override;
    void restoreDimensions(const std::vector<int>& values) override;

private:
    void optionClicked(LimitsStudy::Option option);

    QLineEdit* m_count = nullptr;
    QRadioButton* m_options[2] = {nullptr, nullptr};
    QLabel* m_stDev = nullptr;
    QLabel* m_labelRil = nullptr;
    QLabel* m_limRil = nullptr;
    QLabel* m_limDet = nullptr;
};

}  // namespace kestra
