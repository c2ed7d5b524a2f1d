// The company master data dialog "Anagrafica azienda" (frmAnagraf), opened from the main menu.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestra {

// Reads the company row of ReportDatabasePath() when made; "&Salva modifiche" writes it back and makes the
// chosen logo the process-wide logo path.
class frmAnagraf : public QDialog {
    Q_OBJECT
public:
    using MessageHandler = std::function<void(QMessageBox::Icon, const QString&)>;

    explicit frmAnagraf(QWidget* parent = nullptr);

    // "&Scegli logo" after the file dialog: false (and nothing changes) when the picture cannot be loaded.
    bool chooseLogo(const QString& path);
    void clearLogo();  // "Cancella logo"
    bool save();       // "&Salva modifiche"; true when the row was written

    // Messages go here instead of a message box (tests).
    void setMessageHandler(MessageHandler handler) { m_message = std::move(handler); }

    QLineEdit* field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }
    QLabel* logoPreview() const { return m_preview; }
    QPushButton* clearLogoButton() const { return m_clearLogo; }
    QRadioButton* wholePictureOption() const { return m_whole; }
    QRadioButton* realSizeOption() const { return m_realSize; }
    std::int16_t noLogoFlag() const { return m_noLogoFlag; }
    const QString& logoPath() const { return m_logoPath; }
    // The preview box limits on this screen, in pixels.
    QSize maximumLogoBox() const;

    // The filter of the logo file dialog: the picture formats this system reads.
    static QString LogoFileFilter();

private:
    void load();
    void chooseLogoFile();
    void updatePreview();
    void showMessage(QMessageBox::Icon icon, const QString& text);
    int twipsToPixels(int twips, bool vertical) const;

    std::array<QLineEdit*, 10> m_fields{};
    QLabel* m_preview = nullptr;
    QWidget* m_previewBox = nullptr;
    QPushButton* m_clearLogo = nullptr;
    QRadioButton* m_whole = nullptr;
    QRadioButton* m_realSize = nullptr;
    QImage m_logo;
    QString m_logoPath;
    std::int16_t m_noLogoFlag = -1;
    MessageHandler m_message;
};

// Modal; reads and saves the company row of ReportDatabasePath(); on save also replaces ReportLogoPath().
void ShowCompanyDataDialog(QWidget* parent);

}  // namespace kestra
