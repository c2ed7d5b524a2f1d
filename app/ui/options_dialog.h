// frmOpzioni: the options dialog (study-file folder, backup folder, automatic backup at exit, the language
// of the interface).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kestra {

class Prompts;

// The folder browser: (title, preselected folder) -> the chosen folder, nullopt on Cancel.
using FolderBrowser =
    std::function<std::optional<QString>(QWidget* owner, const QString& title, const QString& start)>;
// The system's folder browser.
std::optional<QString> BrowseForFolder(QWidget* owner, const QString& title, const QString& start);

class frmOpzioni : public QDialog {
    Q_OBJECT
public:
    // Filled from CurrentAppSettings(); OK writes the configuration file and the current settings.
    frmOpzioni(Prompts& prompts, FolderBrowser browser, QWidget* parent = nullptr);

    QLineEdit* txtOpenSave() const { return m_txtOpenSave; }
    QLineEdit* txtBackup() const { return m_txtBackup; }
    QCheckBox* chkBkClose() const { return m_chkBkClose; }
    // "Italiano" (data "it") and "English" (data "en"): the stored choice, else the language of this run.
    QComboBox* cboLanguage() const { return m_cboLanguage; }
    QPushButton* browseOpenSaveButton() const { return m_browseOpenSave; }
    QPushButton* browseBackupButton() const { return m_browseBackup; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // "OK": verifies both folders, writes the four keys, makes them current and closes. The dialog stays
    // open when a folder fails or the file cannot be written. A new language applies at the next start.
    bool confirm();

private:
    void browse(QLineEdit* field, const QString& title);
    bool verifyFolder(const QString& folder);

    Prompts& m_prompts;
    FolderBrowser m_browser;
    QLineEdit* m_txtOpenSave;
    QLineEdit* m_txtBackup;
    QCheckBox* m_chkBkClose;
    QComboBox* m_cboLanguage;
    int m_initialLanguage = 0;
    QPushButton* m_browseOpenSave;
    QPushButton* m_browseBackup;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

constexpr const char* kUnusableFolderMessage =
    "Il percorso specificato per i dati non ha i permessi sufficienti per contenere i dati. Specificare un "
    "altro "
    "percorso";

}  // namespace kestra
