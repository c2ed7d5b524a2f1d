// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/company_data_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <filesystem>

#include "audit/audit_trail.h"
#include "framework/study_kind.h"
#include "framework/ui/dialog_folders.h"
#include "framework/ui/fixed_dialog.h"
#include "reporting/report_database.h"
#include "reporting/report_layout.h"
#include "reporting/report_settings.h"
#include "reporting/ui/logo_size.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

constexpr const char* kFieldCaptions[10] = {QT_TRANSLATE_NOOP("Kestra", "Ragione Sociale"),
                                            QT_TRANSLATE_NOOP("Kestra", "Titolare"),
                                            QT_TRANSLATE_NOOP("Kestra", "Responsabile chimico"),
                                            QT_TRANSLATE_NOOP("Kestra", "Via"),
                                            QT_TRANSLATE_NOOP("Kestra", "Città"),
                                            QT_TRANSLATE_NOOP("Kestra", "CAP"),
                                            QT_TRANSLATE_NOOP("Kestra", "Telefono"),
                                            QT_TRANSLATE_NOOP("Kestra", "FAX"),
                                            QT_TRANSLATE_NOOP("Kestra", "Indirizzo E-Mail"),
                                            QT_TRANSLATE_NOOP("Kestra", "Sito WEB")};

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The classic numbers of the faults a user meets here; others keep a generic database number.
int errorNumberFor(const std::filesystem::path& database)
{
    std::error_code ec;
    if (database.empty() || !std::filesystem::exists(database, ec)) return 76;
    const QFileInfo info(QString::fromStdString(database.string()));
    if (!info.isWritable()) return 70;
    return 3049;
}

QString procedureError(int number, const QString& routine, const QString& description)
{
    return Ui::tr("Errore %1 nella procedura frmAnagraf.%2.\r\n\r\n%3")
        .arg(number)
        .arg(routine, description);
}

}  // namespace

QString frmAnagraf::LogoFileFilter()
{
    QStringList names, patterns;
    for (const QString& p : LogoFilePatterns()) {
        const QString ext = p.mid(2);
        if (ext == QLatin1String("jpeg") || ext == QLatin1String("tiff")) {
            patterns << p << p.toUpper();
            continue;
        }
        names << (ext == QLatin1String("jpg") ? QStringLiteral("JPEG") : ext.toUpper());
        patterns << p << p.toUpper();
    }
    return Ui::tr("Immagini %1 (%2)")
        .arg(names.join(QStringLiteral(", ")), patterns.join(QLatin1Char(' ')));
}

frmAnagraf::frmAnagraf(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAnagraf"));
    setWindowTitle(Ui::tr("Anagrafica azienda"));
    SetFixedDialogFrame(*this);

    auto* fieldsBox = new QGroupBox(this);
    auto* grid = new QGridLayout(fieldsBox);
    for (int i = 0; i < 10; ++i) {
        auto* edit = new QLineEdit(fieldsBox);
        edit->setObjectName(QStringLiteral("txtField%1").arg(i));
        edit->setMaxLength(50);  // the width of the company fields
        auto* caption = new QLabel(Ui::tr(kFieldCaptions[i]), fieldsBox);
        caption->setBuddy(edit);
        grid->addWidget(caption, i, 0);
        grid->addWidget(edit, i, 1);
        m_fields[static_cast<std::size_t>(i)] = edit;
    }
    grid->setColumnStretch(1, 1);

    auto* logoBox = new QGroupBox(Ui::tr("Dimensioni logo"), this);
    auto* logoLayout = new QVBoxLayout(logoBox);
    auto* explanation = new QLabel(
        Ui::tr("Dimensioni reali del logo per il report, massime 10.00 x 5.00 cm"), logoBox);
    explanation->setWordWrap(true);
    logoLayout->addWidget(explanation);

    // The box of the largest logo, with its two measures.
    const QSize limit = maximumLogoBox();
    auto* widthMark = new QLabel(QStringLiteral("10 cm"), logoBox);
    widthMark->setAlignment(Qt::AlignCenter);
    widthMark->setFixedWidth(limit.width() + 2);
    auto* heightMark = new QLabel(QStringLiteral("2.5 cm"), logoBox);
    m_previewBox = new QWidget(logoBox);
    m_previewBox->setFixedSize(limit + QSize(2, 2));
    m_previewBox->setObjectName(QStringLiteral("fraLogo"));
    m_previewBox->setStyleSheet(QStringLiteral("#fraLogo { border: 1px dashed #888; background: white; }"));
    m_preview = new QLabel(m_previewBox);
    m_preview->setObjectName(QStringLiteral("imgLogo"));
    m_preview->move(1, 1);
    auto* boxRow = new QGridLayout;
    boxRow->addWidget(widthMark, 0, 0);
    boxRow->addWidget(m_previewBox, 1, 0);
    boxRow->addWidget(heightMark, 1, 1, Qt::AlignVCenter);
    boxRow->setColumnStretch(2, 1);
    logoLayout->addLayout(boxRow);

    m_whole = new QRadioButton(Ui::tr("Intera immagine"), logoBox);
    m_realSize = new QRadioButton(Ui::tr("Dimensioni reali"), logoBox);
    auto* options = new QHBoxLayout;
    options->addWidget(m_whole);
    options->addWidget(m_realSize);
    options->addStretch();
    logoLayout->addLayout(options);
    connect(m_whole, &QRadioButton::toggled, this, &frmAnagraf::updatePreview);

    auto* choose = new QPushButton(Ui::tr("&Scegli logo"), this);
    choose->setObjectName(QStringLiteral("cmdLogo"));
    m_clearLogo = new QPushButton(Ui::tr("Cancella logo"), this);
    m_clearLogo->setObjectName(QStringLiteral("cmdCancellaLogo"));
    auto* saveButton = new QPushButton(Ui::tr("&Salva modifiche"), this);
    saveButton->setObjectName(QStringLiteral("cmdSave"));
    auto* closeButton = new QPushButton(Ui::tr("&Chiudi"), this);
    closeButton->setObjectName(QStringLiteral("cmdChiudi"));
    connect(choose, &QPushButton::clicked, this, &frmAnagraf::chooseLogoFile);
    connect(m_clearLogo, &QPushButton::clicked, this, &frmAnagraf::clearLogo);
    connect(saveButton, &QPushButton::clicked, this, &frmAnagraf::save);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* logoButtons = new QHBoxLayout;
    logoButtons->addWidget(choose);
    logoButtons->addWidget(m_clearLogo);
    logoButtons->addStretch();
    logoLayout->addLayout(logoButtons);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fieldsBox);
    layout->addWidget(logoBox);
    layout->addLayout(buttons);
    // one size: a window manager that offers maximise anyway (openbox) has nothing to grow
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_realSize->setChecked(true);
    load();
    adjustSize();
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

int frmAnagraf::twipsToPixels(int twips, bool vertical) const
{
    const int dpi = vertical ? logicalDpiY() : logicalDpiX();
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

QSize frmAnagraf::maximumLogoBox() const
{
    return QSize(twipsToPixels(kMaxLogoWidthTwips, false), twipsToPixels(kMaxLogoHeightTwips, true));
}

void frmAnagraf::showMessage(QMessageBox::Icon icon, const QString& text)
{
    if (m_message) {
        m_message(icon, text);
        return;
    }
    QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, this);
    box.exec();
}

void frmAnagraf::load()
{
    const std::filesystem::path database = ReportDatabasePath();
    CompanyData data;
    try {
        data = ReportDatabase(database, ReportDatabase::Mode::ReadOnly).readAnagrafica();
    } catch (const std::exception& e) {
        showMessage(QMessageBox::Critical,
                    procedureError(errorNumberFor(database), QStringLiteral("Form_Load"),
                                   QString::fromStdString(e.what())));
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->setText(fromUtf8(data.texts[i]));
    m_logoPath = fromUtf8(data.logoPath);
    m_noLogoFlag = data.noLogoFlag;
    m_logo = QImage();
    if (m_noLogoFlag == 0 && !m_logoPath.isEmpty()) {
        QImageReader reader(m_logoPath);
        reader.setAutoTransform(true);
        m_logo = reader.read();
    }
    updatePreview();
}

void frmAnagraf::chooseLogoFile()
{
    const QString path = QFileDialog::getOpenFileName(this, Ui::tr("Scegli logo"),
                                                      DialogStartFolder(), LogoFileFilter());
    if (!path.isEmpty()) chooseLogo(path);
}

bool frmAnagraf::chooseLogo(const QString& path)
{
    if (path.isEmpty()) return false;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    m_logo = image;
    m_logoPath = path;
    m_noLogoFlag = 0;
    updatePreview();
    return true;
}

void frmAnagraf::clearLogo()
{
    m_logo = QImage();
    m_noLogoFlag = -1;
    updatePreview();
}

// "Dimensioni reali" shows the picture at its printed size cut to the box; "Intera immagine" stretches it
// over the box. Either way the box is the picture's size within the logo limits.
void frmAnagraf::updatePreview()
{
    const bool shown = m_noLogoFlag != -1;
    m_preview->setVisible(shown);
    m_clearLogo->setEnabled(shown);
    m_clearLogo->setVisible(shown);
    if (!shown || m_logo.isNull()) {
        m_preview->clear();
        m_preview->resize(0, 0);
        return;
    }
    const QSize himetric = HimetricSize(m_logo);
    const QSize natural(std::max(1, static_cast<int>(himetric.width() * logicalDpiX() / 2540.0 + 0.5)),
                        std::max(1, static_cast<int>(himetric.height() * logicalDpiY() / 2540.0 + 0.5)));
    const QSize box = natural.boundedTo(maximumLogoBox());
    QPixmap picture;
    if (m_whole->isChecked())
        picture = QPixmap::fromImage(m_logo.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        picture = QPixmap::fromImage(m_logo.scaled(natural, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                      .copy(QRect(QPoint(0, 0), box));
    m_preview->setPixmap(picture);
    m_preview->resize(box);
}

bool frmAnagraf::save()
{
    const std::filesystem::path database = ReportDatabasePath();
    CompanyData data;
    for (std::size_t i = 0; i < m_fields.size(); ++i) data.texts[i] = m_fields[i]->text().toStdString();
    data.logoPath = m_logoPath.toStdString();
    data.noLogoFlag = m_noLogoFlag;
    try {
        ReportDatabase db(database, ReportDatabase::Mode::ReadWrite);
        // recorded first: a change the trail cannot hold is not made
        const CompanyData before = db.readAnagrafica();
        AuditEntry entry;
        entry.action = audit_action::kCompanyChanged;
        entry.objectPath = TrailPath(database);
        entry.objectKind = "Anagrafica";
        for (std::size_t i = 0; i < data.texts.size(); ++i)
            if (before.texts[i] != data.texts[i])
                entry.changes.push_back({CompanyData::kTextFields[i], before.texts[i], data.texts[i]});
        if (before.logoPath != data.logoPath)
            entry.changes.push_back({"LOGOTXT", before.logoPath, data.logoPath});
        if (!entry.changes.empty())
            if (const std::string fault = RecordAction(std::move(entry)); !fault.empty()) throw AuditError(fault);
        db.writeAnagrafica(data);
    } catch (const std::exception& e) {
        showMessage(QMessageBox::Critical, procedureError(errorNumberFor(database), QStringLiteral("cmdSave"),
                                                          QString::fromStdString(e.what())));
        return false;
    }
    SetReportLogoPath(data.logoPath);
    showMessage(QMessageBox::Information, Ui::tr("I dati sono stati salvati"));
    return true;
}

void ShowCompanyDataDialog(QWidget* parent)
{
    frmAnagraf dialog(parent);
    dialog.exec();
}

}  // namespace kestra
