// The "Statistica estesa" page every study window ends with: the study's extended statistics in a read-only
// table (name, value, note), or the line saying why there are none.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace kestra {

class Study;

class ExtendedStatisticsView : public QWidget {
    Q_OBJECT

public:
    explicit ExtendedStatisticsView(QWidget* parent = nullptr);

    // Shows what the study gives for the data as they are now.
    void showStatistics(const Study& study);

    QTableWidget* table() const { return m_table; }
    // The reason nothing is shown; hidden while the table is.
    QLabel* notice() const { return m_notice; }
    // The selected rows (the current one when none is selected) as tab-separated lines, as shown.
    QString selectionText() const;
    // "&Copia" and Ctrl+C on the table.
    void copySelection() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_notice = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_rule = nullptr;
};

}  // namespace kestra
