// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/options_dialog.h"

#include <QCheckBox>
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
#include "audit/audit_trail.h"
#include "audit/ui/signature_password_page.h"
#include "framework/prompts.h"
#include "framework/ui/fixed_dialog.h"

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
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Cartella:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Scegli"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annulla"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

frmOpzioni::frmOpzioni(Prompts& prompts, FolderBrowser browser, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_browser(std::move(browser))
{
    setObjectName(QStringLiteral("frmOpzioni"));
    setWindowTitle(QStringLiteral("Opzioni"));
    SetFixedDialogFrame(*this);
    setModal(true);

    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, QStringLiteral("Cartelle"));

    m_txtOpenSave = new QLineEdit(page);
    m_txtOpenSave->setObjectName(QStringLiteral("txtOpenSave"));
    m_txtBackup = new QLineEdit(page);
    m_txtBackup->setObjectName(QStringLiteral("txtBackup"));
    m_browseOpenSave = new QPushButton(QStringLiteral("Sfoglia..."), page);
    m_browseBackup = new QPushButton(QStringLiteral("Sfoglia..."), page);
    m_chkBkClose = new QCheckBox(
        QStringLiteral("Effettua automaticamente il backup dei dati alla chiusura del programma"), page);
    m_chkBkClose->setObjectName(QStringLiteral("chkBkClose"));
    for (QLineEdit* field : {m_txtOpenSave, m_txtBackup}) field->setMinimumWidth(380);

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Cartella predefinita salvataggio file metodi"), page), 0, 0, 1,
                    2);
    grid->addWidget(m_txtOpenSave, 1, 0);
    grid->addWidget(m_browseOpenSave, 1, 1);
    grid->setRowMinimumHeight(2, 10);
    grid->addWidget(new QLabel(QStringLiteral("Cartella predefinita backup file metodi"), page), 3, 0, 1, 2);
    grid->addWidget(m_txtBackup, 4, 0);
    grid->addWidget(m_browseBackup, 4, 1);
    grid->setRowMinimumHeight(5, 10);
    grid->addWidget(m_chkBkClose, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    const std::filesystem::path trail = AuditTrailPath(CurrentAppSettings());
    tabs->addTab(new SignaturePasswordPage(prompts, trail.parent_path(), tabs),
                 QStringLiteral("Firma elettronica"));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Annulla"), this);
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
    m_txtOpenSave->setFocus(Qt::OtherFocusReason);  // the dialog opens on its first field

    connect(m_browseOpenSave, &QPushButton::clicked, this,
            [this] { browse(m_txtOpenSave, QStringLiteral("Cartella salvataggio file metodi")); });
    connect(m_browseBackup, &QPushButton::clicked, this,
            [this] { browse(m_txtBackup, QStringLiteral("Cartella salvataggio backup file metodi")); });
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
    if (!ok) m_prompts.critical(kUnusableFolderMessage);
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
    if (!paths.setValue("OpenSave", openSave.toStdString()) ||
        !paths.setValue("Backup", backup.toStdString()) || !parameters.setValue("BkAutoSave", autoSave)) {
        m_prompts.critical("Impossibile scrivere il file di configurazione " + s.iniPath);
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
