// The editor of the grids' number cells: digits and the user's decimal separator only, within the grid's
// integer and decimal digits (so no negative and no out-of-range value can be typed).
#pragma once

#include <QStyledItemDelegate>
#include <QValidator>

#include "framework/number_pattern.h"

namespace kestra {

class NumericValidator : public QValidator {
    Q_OBJECT

public:
    NumericValidator(const NumberFormat& format, QChar separator, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    NumberFormat m_format;
    QChar m_separator;
};

class NumericDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

}  // namespace kestra
