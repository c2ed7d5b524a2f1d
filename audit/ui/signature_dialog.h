// "Firma...": the signer (the logged-in account, shown, not editable), the meaning, a comment and the
// signature password.
#pragma once

#include <QDialog>

#include "audit/signing.h"

class QComboBox;
class QLineEdit;

namespace kestra {

struct UserIdentity;

class SignatureDialog : public QDialog {
    Q_OBJECT
public:
    // `document` names what is signed in the heading; `validity` lists its signatures so far (may be empty).
    SignatureDialog(const QString& document, const UserIdentity& signer, const QString& validity,
                    QWidget* parent = nullptr);

    // The meaning, comment and password as chosen.
    SignatureRequest request() const;
    QComboBox* meaningBox() const { return m_meaning; }
    QLineEdit* commentField() const { return m_comment; }
    QLineEdit* passwordField() const { return m_password; }

private:
    QComboBox* m_meaning;
    QLineEdit* m_comment;
    QLineEdit* m_password;
};

}  // namespace kestra
