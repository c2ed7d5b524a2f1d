// "Motivo della modifica": the reason of a save for the audit trail, required for signed content.
#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;

namespace kestra {

class ReasonDialog : public QDialog {
    Q_OBJECT
public:
    // required: OK stays disabled until a reason is typed (blanks are no reason).
    ReasonDialog(const QString& document, bool required, QWidget* parent = nullptr);

    QString reason() const;
    QLineEdit* field() const { return m_reason; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    QLineEdit* m_reason;
    QDialogButtonBox* m_buttons;
};

}  // namespace kestra
