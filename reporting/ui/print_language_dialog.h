// MyPrintLanDlg "Parametri report": the report language and the print-date option.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QToolButton;

namespace kestra {

// Selecting a flag sets OutputLanguage at once; OK also sets the print-date flag; Annulla keeps it.
// English is selected every time the dialog is made. The extended statistics page is off when the dialog
// opens and on only when OK confirms it.
class MyPrintLanDlg : public QDialog {
    Q_OBJECT
public:
    explicit MyPrintLanDlg(QWidget* parent = nullptr);

    QToolButton* languageButton(int index) const { return m_optLan[index]; }
    QCheckBox* dateBox() const { return m_chkDate; }
    QCheckBox* extendedBox() const { return m_chkExtended; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QWidget* focusSink() const { return m_picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectLanguage(int index);

    QToolButton* m_optLan[2] = {nullptr, nullptr};
    QWidget* m_picture = nullptr;
    QCheckBox* m_chkDate = nullptr;
    QCheckBox* m_chkExtended = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace kestra
