// The "Firma elettronica" page of the options: sets or changes the user's signature password.
#pragma once

#include <QWidget>
#include <filesystem>

class QLabel;
class QLineEdit;

namespace kestra {

class Prompts;

class SignaturePasswordPage : public QWidget {
    Q_OBJECT
public:
    // folder: where the password file lives (beside the audit trail).
    SignaturePasswordPage(Prompts& prompts, std::filesystem::path folder, QWidget* parent = nullptr);
    // "Imposta password": both fields must match and be long enough; the change is recorded in the trail
    // first. Returns whether the password was set.
    bool setPassword();

private:
    void showState();

    Prompts& m_prompts;
    std::filesystem::path m_folder;
    QLabel* m_state;
    QLineEdit* m_first;
    QLineEdit* m_second;
};

}  // namespace kestra
