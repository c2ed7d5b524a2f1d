// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "audit/ui/reason_dialog.h"
#include "audit/ui/signature_dialog.h"
#include "framework/ui/fixed_dialog.h"
#include "framework/ui/form_numero.h"
#include "framework/ui/ui_text.h"
#include "text/messages.h"

namespace kestra {

namespace {

QString boxText(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Message boxes appear with the normal pointer even while a command is busy.
class NormalPointer {
public:
    explicit NormalPointer(bool busy) : m_busy(busy)
    {
        if (m_busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointer()
    {
        if (m_busy) QApplication::restoreOverrideCursor();
    }

private:
    bool m_busy;
};

}  // namespace

QtPrompts::QtPrompts(QWidget* parent, std::function<QString()> studyFolder)
    : m_parent(parent), m_studyFolder(std::move(studyFolder))
{
}

QtPrompts::~QtPrompts()
{
    while (m_busy > 0) setBusy(false);
}

void QtPrompts::message(MessageIcon icon, const std::string& text, const std::string& title)
{
    NormalPointer pointer(m_busy > 0);
    ShowPlainMessage(m_parent, boxIcon(icon), boxText(text), QString::fromStdString(title));
}

Answer QtPrompts::ask(MessageIcon icon, const std::string& text)
{
    NormalPointer pointer(m_busy > 0);
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kApplicationTitle), boxText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    SetFixedDialogFrame(box);
    box.button(QMessageBox::Yes)->setText(Ui::tr("&Sì"));
    box.button(QMessageBox::No)->setText(Ui::tr("&No"));
    box.button(QMessageBox::Cancel)->setText(Ui::tr("Annulla"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

QString QtPrompts::fileFilter(StudyKindId kind)
{
    const StudyKind& k = KindInfo(kind);
    QString description = QString::fromStdString(Msg(k.filterName));
    const int bracket = description.indexOf(QStringLiteral(" ("));
    if (bracket >= 0) description.truncate(bracket);
    const QString ext = QString::fromUtf8(k.extension);
    return QStringLiteral("%1 (*.%2 *.%3)").arg(description, ext.toUpper(), ext.toLower());
}

namespace {

// What every file dialog of the program shares: Italian texts, Qt's own dialog, the overwrite question left
// to runFileDialog (it asks in Italian).
void prepareFileDialog(QFileDialog& dialog, bool save)
{
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::Accept, save ? Ui::tr("&Salva") : Ui::tr("&Apri"));
    dialog.setLabelText(QFileDialog::Reject, Ui::tr("Annulla"));
    dialog.setLabelText(QFileDialog::LookIn, Ui::tr("Cerca in:"));
    dialog.setLabelText(QFileDialog::FileName, Ui::tr("Nome file:"));
    dialog.setLabelText(QFileDialog::FileType, Ui::tr("Tipo file:"));
}

}  // namespace

std::optional<std::filesystem::path> QtPrompts::choosePath(StudyKindId kind, bool save)
{
    const StudyKind& k = KindInfo(kind);
    NormalPointer pointer(m_busy > 0);
    QFileDialog dialog(m_parent);
    dialog.setWindowTitle(save ? Ui::tr("Salva con nome") : Ui::tr("Apri"));
    dialog.setDirectory(m_studyFolder ? m_studyFolder() : QString());
    dialog.setNameFilter(fileFilter(kind));
    dialog.setDefaultSuffix(QString::fromUtf8(k.extension));
    prepareFileDialog(dialog, save);
    return runFileDialog(dialog, save);
}

// A "No" to the overwrite question shows the dialog again.
std::optional<std::filesystem::path> QtPrompts::runFileDialog(QFileDialog& dialog, bool save)
{
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
        const QString file = files.front();
        if (save && QFileInfo::exists(file)) {
            const Answer answer =
                ask(MessageIcon::Warning, Ui::tr("Il file %1 esiste già.\r\nVuoi sostituirlo?")
                                              .arg(QDir::toNativeSeparators(file))
                                              .toStdString());
            if (answer == Answer::Cancel) return std::nullopt;
            if (answer == Answer::No) continue;
        }
        return std::filesystem::path(file.toStdString());
    }
}

std::optional<std::filesystem::path> QtPrompts::chooseFileToWrite(const QString& title, const QString& filter,
                                                                  const QString& suffix,
                                                                  const std::string& suggestedName)
{
    NormalPointer pointer(m_busy > 0);
    QFileDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setDirectory(m_studyFolder ? m_studyFolder() : QString());
    dialog.selectFile(QString::fromStdString(suggestedName));
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    prepareFileDialog(dialog, true);
    return runFileDialog(dialog, true);
}

std::optional<std::filesystem::path> QtPrompts::choosePdfSavePath(const std::string& suggestedName)
{
    return chooseFileToWrite(Ui::tr("Salva il certificato"), Ui::tr("Documenti PDF (*.pdf *.PDF)"),
                             QStringLiteral("pdf"), suggestedName);
}

std::optional<std::filesystem::path> QtPrompts::chooseExportPath(ExportDialog which, const std::string& suggestedName)
{
    if (which == ExportDialog::TrailCsv)
        return chooseFileToWrite(Ui::tr("Esporta CSV"), Ui::tr("File CSV (*.csv *.CSV)"), QStringLiteral("csv"),
                                 suggestedName);
    return chooseFileToWrite(Ui::tr("Esporta PDF"), Ui::tr("Documenti PDF (*.pdf *.PDF)"), QStringLiteral("pdf"),
                             suggestedName);
}

std::optional<std::filesystem::path> QtPrompts::chooseOpenPath(StudyKindId kind)
{
    return choosePath(kind, false);
}

std::optional<std::filesystem::path> QtPrompts::chooseSavePath(StudyKindId kind)
{
    return choosePath(kind, true);
}

std::optional<std::string> QtPrompts::askText(const std::string& question)
{
    NormalPointer pointer(m_busy > 0);
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(QString::fromLatin1(kApplicationTitle));
    dialog.setLabelText(QString::fromStdString(question));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(Ui::tr("Annulla"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtPrompts::askSaveReason(const std::string& document, bool required)
{
    NormalPointer pointer(m_busy > 0);
    ReasonDialog dialog(QString::fromStdString(document), required, m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.reason().toStdString();
}

std::optional<SignatureRequest> QtPrompts::askSignature(const std::string& document, const UserIdentity& signer,
                                                        const std::string& signatures)
{
    NormalPointer pointer(m_busy > 0);
    SignatureDialog dialog(QString::fromStdString(document), signer, QString::fromStdString(signatures), m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.request();
}

std::optional<std::filesystem::path> QtPrompts::chooseDossierPath(DossierFileDialog which)
{
    NormalPointer pointer(m_busy > 0);
    const bool save = which == DossierFileDialog::Save || which == DossierFileDialog::SavePdf;
    QFileDialog dialog(m_parent);
    dialog.setDirectory(m_studyFolder ? m_studyFolder() : QString());
    switch (which) {
        case DossierFileDialog::Open:
            dialog.setWindowTitle(Ui::tr("Apri convalida"));
            break;
        case DossierFileDialog::Save:
            dialog.setWindowTitle(Ui::tr("Salva convalida con nome"));
            break;
        case DossierFileDialog::AddStudy:
            dialog.setWindowTitle(Ui::tr("Aggiungi uno studio al dossier"));
            break;
        case DossierFileDialog::SavePdf:
            dialog.setWindowTitle(Ui::tr("Salva il dossier in PDF"));
            break;
    }
    if (which == DossierFileDialog::AddStudy) {
        QStringList patterns;
        for (const StudyKind& k : AllStudyKinds())
            patterns << QStringLiteral("*.%1").arg(QString::fromUtf8(k.extension))
                     << QStringLiteral("*.%1").arg(QString::fromUtf8(k.extension).toLower());
        dialog.setNameFilter(Ui::tr("File degli studi (%1)").arg(patterns.join(QLatin1Char(' '))));
    } else if (which == DossierFileDialog::SavePdf) {
        dialog.setNameFilter(Ui::tr("Documenti PDF (*.pdf *.PDF)"));
        dialog.setDefaultSuffix(QStringLiteral("pdf"));
    } else {
        dialog.setNameFilter(Ui::tr("Dossier di convalida (*.kvd *.KVD)"));
        dialog.setDefaultSuffix(QStringLiteral("kvd"));
    }
    prepareFileDialog(dialog, save);
    return runFileDialog(dialog, save);
}

std::optional<NumberFormat> QtPrompts::chooseNumberFormat(const NumberFormat& current)
{
    NormalPointer pointer(m_busy > 0);
    FormNumero dialog(*this, current, m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

void QtPrompts::beep()
{
    QApplication::beep();
}

void QtPrompts::setBusy(bool busy)
{
    if (busy) {
        ++m_busy;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busy > 0) {
        --m_busy;
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace kestra
