// The controls every study window shows its results in: value boxes, result tables that grow to their
// numbers, the notice of results that no longer belong to the data, and how stale results are greyed.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QTableWidget;
class QWidget;

namespace kestra {

// A result value: a sunken white box whose text the user can select, wide enough for sample; plain text.
QLabel* CreateValueLabel(const QString& name, QWidget* parent, const QString& sample,
                         Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
// A read-only results table (analysis of variance, series means): no headers, no editing, no focus.
QTableWidget* CreateResultTable(const QString& name, int rows, int columns, QWidget* parent);
// "Risultati non aggiornati: premere Calcola", hidden until the results are stale.
QLabel* CreateStaleNotice(QWidget* parent);
// Columns as wide as their texts (never narrower than the window first made them); a table of fixed width
// follows them.
void FitResultColumns(QTableWidget* table);
// Text in the disabled colour while the results are stale; the usual colour otherwise.
void ShowGreyed(QWidget* widget, bool greyed);

}  // namespace kestra
