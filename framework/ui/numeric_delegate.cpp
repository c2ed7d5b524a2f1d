// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/numeric_delegate.h"

#include <QLineEdit>

namespace kestra {

QWidget* NumericDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    return editor;
}

void NumericDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(index.data(Qt::EditRole).toString());
        line->selectAll();
    }
}

void NumericDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* line = qobject_cast<QLineEdit*>(editor)) model->setData(index, line->text(), Qt::EditRole);
}

}  // namespace kestra
