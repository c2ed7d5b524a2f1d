// A list of the extended statistics as a small read-only table beside what it explains (the back-calculated
// concentrations beside the residuals chart).
#pragma once

#include <QStringList>
#include <QTableWidget>
#include <string>

namespace kestra {

class Study;

class ExtendedTableView : public QTableWidget {
    Q_OBJECT

public:
    // The table of the list `key` of the study's extended statistics; `labelHead` and `labels`, when given,
    // add a column after the level's number (the concentration of each level).
    ExtendedTableView(std::string key, QWidget* parent = nullptr);

    // Empty while the study's data differ from what was calculated, or the list is not there.
    void showStudy(const Study& study, const QString& labelHead = {}, const QStringList& labels = {});

private:
    std::string m_key;
};

}  // namespace kestra
