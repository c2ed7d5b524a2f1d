#include "framework/ui/numeric_delegate.h"

#include <QLineEdit>

#include "framework/ui/data_grid_model.h"

namespace kestra {

NumericValidator::NumericValidator(const NumberFormat& format, QChar separator, QObject* parent)
    : QValidator(parent), m_format(format), m_separator(separator)
{
}

QValidator::State NumericValidator::validate(QString& input, int& /*pos*/) const
{
    const QString text = input.trimmed();
    if (text.isEmpty()) return Acceptable;
    int integers = 0;
    int decimals = 0;
    bool seenSeparator = false;
    bool leading = true;  // leading zeros do not count as integer digits
    for (const QChar ch : text) {
        if (ch == m_separator) {
            if (seenSeparator || m_format.decimals == 0) return Invalid;
            seenSeparator = true;
        } else if (ch.isDigit() && ch.unicode() < 128) {
            if (seenSeparator) {
                ++decimals;
            } else if (!(leading && ch == QLatin1Char('0'))) {
                leading = false;
                ++integers;
            }
        } else {
            return Invalid;
        }
    }
    if (integers > m_format.integers || decimals > m_format.decimals) return Invalid;
    if (text == QString(m_separator)) return Intermediate;
    return Acceptable;
}

void NumericValidator::fixup(QString& input) const
{
    if (input.trimmed() == QString(m_separator)) input.clear();
}

QWidget* NumericDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    if (const auto* model = qobject_cast<const DataGridModel*>(index.model()))
        editor->setValidator(
            new NumericValidator(model->grid().format(), QLatin1Char(UserDecimalSeparator()), editor));
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
