// WConc: the concentrations dialog of the calibration study ("Concentrazioni"), one row per level.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "framework/data_grid.h"

class QPushButton;

namespace kestra {

class DataGridView;
class Prompts;

class ConcentrationsDialog : public QDialog {
    Q_OBJECT

public:
    // concentrations: the headings of the calibration grid's columns; format: the window's NumInteri and
    // NumDecimali, which the dialog's cells take (0 to the format's maximum).
    ConcentrationsDialog(const std::vector<std::string>& concentrations, const NumberFormat& format,
                         Prompts& prompts, QWidget* parent = nullptr);

    // Each row as the dialog shows it: what "Ok" writes back into the headings.
    std::vector<std::string> texts() const;
    // Whether the user changed any value (re-typing a value as it was is no change).
    bool valuesChanged() const;

    DataGridView* grid() const { return m_view; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // With this many rows or more the grid shows its vertical scroll bar.
    static constexpr int kRowsWithScrollBar = 7;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DataGrid m_grid;
    std::vector<std::optional<double>> m_initial;
    DataGridView* m_view = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace kestra
