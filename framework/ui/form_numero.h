// FormNumero: the number-format dialog ("Formato numeri"), integer and decimal digits of a window's numbers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

#include "framework/number_pattern.h"

class QLineEdit;
class QPushButton;

namespace kestra {

class Prompts;

class FormNumero : public QDialog {
    Q_OBJECT

public:
    // Filled with the digits of the calling window's grid; refusals are told through the prompts.
    FormNumero(Prompts& prompts, const NumberFormat& current, QWidget* parent = nullptr);

    // The accepted format, once "&OK" closed the dialog.
    std::optional<NumberFormat> chosen() const { return m_chosen; }

    QLineEdit* integersField() const { return m_integers; }
    QLineEdit* decimalsField() const { return m_decimals; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void confirm();

    Prompts& m_prompts;
    QLineEdit* m_integers;
    QLineEdit* m_decimals;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::optional<NumberFormat> m_chosen;
};

}  // namespace kestra
