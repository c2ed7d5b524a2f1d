// A panel of a study window's status bar: sunken or raised, reporting clicks and double clicks.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace kestra {

class StatusPanel : public QLabel {
    Q_OBJECT

public:
    explicit StatusPanel(const QString& text = {}, QWidget* parent = nullptr);
    bool isSunken() const { return m_sunken; }
    void setSunken(bool sunken);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_sunken = true;
};

}  // namespace kestra
