// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/app_settings.h"
#include "app/audit_setup.h"
#include "app/data_folders.h"
#include "app/ini_manager.h"
#include "app/language_setting.h"
#include "audit/audit_trail.h"
#include "audit/ui/signature_password_page.h"
#include "framework/prompts.h"
#include "framework/ui/fixed_dialog.h"
#include "framework/ui/ui_text.h"
#include "text/messages.h"

namespace kestra {

namespace {

QString folderText(const QString& text)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? t : QString::fromStdString(WithTrailingSlash(t.toStdString()));
}

}  // namespace

std::optional<QString> BrowseForFolder(QWidget* owner, const QString& title, const QString& start)
{
    QFileDialog dialog(owner, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setSidebarUrls({QUrl::fromLocalFile(QDir::homePath())});
    dialog.setLabelText(QFileDialog::FileName, Ui::tr("Cartella:"));
    dialog.setLabelText(QFileDialog::Accept, Ui::tr("Scegli"));
    dialog.setLabelText(QFileDialog::Reject, Ui::tr("Annulla"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

frmOpzioni::frmOpzioni(Prompts& prompts, FolderBrowser browser, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_browser(std::move(browser))
{
    setObjectName(QStringLiteral("frmOpzioni"));
    setWindowTitle(Ui::tr("Opzioni"));
    SetFixedDialogFrame(*this);
    setModal(true);

    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, Ui::tr("Cartelle"));

    m_txtOpenSave = new QLineEdit(page);
    m_txtOpenSave->setObjectName(QStringLiteral("txtOpenSave"));
    m_txtBackup = new QLineEdit(page);
    m_txtBackup->setObjectName(QStringLiteral("txtBackup"));
    m_browseOpenSave = new QPushButton(Ui::tr("Sfoglia..."), page);
    m_browseBackup = new QPushButton(Ui::tr("Sfoglia..."), page);
    m_chkBkClose = new QCheckBox(
        Ui::tr("Effettua automaticamente il backup dei dati alla chiusura del programma"), page);
    m_chkBkClose->setObjectName(QStringLiteral("chkBkClose"));
    for (QLineEdit* field : {m_txtOpenSave, m_txtBackup}) field->setMinimumWidth(380);

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(Ui::tr("Cartella predefinita salvataggio file metodi"), page), 0, 0, 1, 2);
    grid->addWidget(m_txtOpenSave, 1, 0);
    grid->addWidget(m_browseOpenSave, 1, 1);
    grid->setRowMinimumHeight(2, 10);
    grid->addWidget(new QLabel(Ui::tr("Cartella predefinita backup file metodi"), page), 3, 0, 1, 2);
    grid->addWidget(m_txtBackup, 4, 0);
    grid->addWidget(m_browseBackup, 4, 1);
    grid->setRowMinimumHeight(5, 10);
    grid->addWidget(m_chkBkClose, 6, 0, 1, 2);
    grid->setRowMinimumHeight(7, 10);

    // the language names stay in their own language, so each reader finds theirs
    m_cboLanguage = new QComboBox(page);
    m_cboLanguage->setObjectName(QStringLiteral("cboLingua"));
    m_cboLanguage->addItem(QStringLiteral("Italiano"), QStringLiteral("it"));
    m_cboLanguage->addItem(QStringLiteral("English"), QStringLiteral("en"));
    auto* languageLabel = new QLabel(Ui::tr("&Lingua dell'interfaccia"), page);
    languageLabel->setBuddy(m_cboLanguage);
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(m_cboLanguage);
    languageRow->addStretch(1);
    grid->addLayout(languageRow, 8, 0, 1, 2);
    auto* languageNote =
        new QLabel(Ui::tr("La lingua scelta si applica al prossimo avvio del programma."), page);
    languageNote->setObjectName(QStringLiteral("lblLinguaNota"));
    grid->addWidget(languageNote, 9, 0, 1, 2);
    grid->setRowStretch(10, 1);
    const std::filesystem::path trail = AuditTrailPath(CurrentAppSettings());
    tabs->addTab(new SignaturePasswordPage(prompts, trail.parent_path(), tabs), Ui::tr("Firma elettronica"));

    m_ok = new QPushButton(Ui::tr("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Ui::tr("Annulla"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);

    const AppSettings& s = CurrentAppSettings();
    m_txtOpenSave->setText(QString::fromStdString(s.openSaveFolder));
    m_txtBackup->setText(QString::fromStdString(s.backupFolder));
    m_chkBkClose->setChecked(s.autoBackup());
    const InterfaceLanguage language =
        StoredInterfaceLanguage(s.iniPath).value_or(CurrentInterfaceLanguage());
    m_cboLanguage->setCurrentIndex(
        m_cboLanguage->findData(QString::fromUtf8(InterfaceLanguageCode(language))));
    m_initialLanguage = m_cboLanguage->currentIndex();
    m_txtOpenSave->setFocus(Qt::OtherFocusReason);  // the dialog opens on its first field

    connect(m_browseOpenSave, &QPushButton::clicked, this,
            [this] { browse(m_txtOpenSave, Ui::tr("Cartella salvataggio file metodi")); });
    connect(m_browseBackup, &QPushButton::clicked, this,
            [this] { browse(m_txtBackup, Ui::tr("Cartella salvataggio backup file metodi")); });
    connect(m_ok, &QPushButton::clicked, this, &frmOpzioni::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOpzioni::browse(QLineEdit* field, const QString& title)
{
    if (!m_browser) return;
    if (const auto chosen = m_browser(this, title, field->text().trimmed()))
        field->setText(QString::fromStdString(WithTrailingSlash(chosen->toStdString())));
}

bool frmOpzioni::verifyFolder(const QString& folder)
{
    const bool ok = VerificaCartella(folder.toStdString(), kFolderRights,
                                     [this](const ShellMessage& m) { m_prompts.critical(m.text); });
    if (!ok) m_prompts.critical(Msg(kUnusableFolderMessage));
    return ok;
}

bool frmOpzioni::confirm()
{
    const QString openSave = folderText(m_txtOpenSave->text());
    const QString backup = folderText(m_txtBackup->text());
    if (!verifyFolder(openSave) || !verifyFolder(backup)) return false;

    AppSettings s = CurrentAppSettings();
    const std::string autoSave = m_chkBkClose->isChecked() ? "1" : "0";
    AuditEntry entry;
    entry.action = audit_action::kOptionsChanged;
    entry.objectPath = TrailPath(s.iniPath);
    entry.objectKind = "Opzioni";
    const std::pair<const char*, std::pair<std::string, std::string>> values[] = {
        {"OpenSave", {s.openSaveFolder, openSave.toStdString()}},
        {"Backup", {s.backupFolder, backup.toStdString()}},
        {"BkAutoSave", {s.bkAutoSave, autoSave}}};
    for (const auto& [key, change] : values)
        if (change.first != change.second) entry.changes.push_back({key, change.first, change.second});
    // recorded first: options the trail cannot record are not changed
    if (!entry.changes.empty()) {
        if (const std::string fault = RecordAction(std::move(entry)); !fault.empty()) {
            m_prompts.critical(fault);
            return false;
        }
    }
    const IniManager paths(s.iniPath, "Percorsi");
    const IniManager parameters(s.iniPath, "Parametri");
    // the language is written when it was chosen here: an untouched box leaves the file as it was
    const auto language = ParseInterfaceLanguage(m_cboLanguage->currentData().toString().toStdString());
    const bool languageChosen = m_cboLanguage->currentIndex() != m_initialLanguage;
    if (!paths.setValue("OpenSave", openSave.toStdString()) ||
        !paths.setValue("Backup", backup.toStdString()) || !parameters.setValue("BkAutoSave", autoSave) ||
        (languageChosen && language && !StoreInterfaceLanguage(s.iniPath, *language))) {
        m_prompts.critical(Ui::tr("Impossibile scrivere il file di configurazione %1")
                               .arg(QString::fromStdString(s.iniPath))
                               .toStdString());
        return false;
    }
    s.openSaveFolder = openSave.toStdString();
    s.backupFolder = backup.toStdString();
    s.bkAutoSave = autoSave;
    SetCurrentAppSettings(std::move(s));
    accept();
    return true;
}

}  // namespace kestra
