// The about box "Informazioni su Kestra 2006": program name, version, what it does, a close button.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

namespace kestra {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
    QPushButton* closeButton() const { return m_close; }

private:
    QPushButton* m_close;
};

}  // namespace kestra
