// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/audit_viewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>
#include <set>

#include "audit/audit_export.h"
#include "audit/audit_trail.h"
#include "audit/ui/audit_report.h"
#include "framework/prompts.h"
#include "framework/study_file.h"
#include "framework/ui/ui_text.h"
#include "reporting/report_settings.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/report_renderer.h"

namespace kestra {

namespace {

// the first item of every filter: no filter on that column
QString allItems()
{
    return Ui::tr("(tutti)");
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QTableWidgetItem* cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(q(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

// Each item holds the stored value the filter compares; shown is how the list names it.
void fillChoices(QComboBox* box, const std::set<std::string>& values,
                 const std::function<std::string(const std::string&)>& shown = {})
{
    const QVariant keep = box->currentData();
    box->clear();
    box->addItem(allItems());
    for (const std::string& v : values) box->addItem(q(shown ? shown(v) : v), q(v));
    const int at = keep.isValid() ? box->findData(keep) : -1;
    box->setCurrentIndex(at < 0 ? 0 : at);
}

// The stored value an item stands for ("" for the first item, no filter).
std::string chosenValue(const QComboBox* box)
{
    return box->currentIndex() <= 0 ? std::string() : box->currentData().toString().toStdString();
}

}  // namespace

AuditViewer::AuditViewer(std::shared_ptr<AuditTrail> trail, Prompts& prompts, const QString& file,
                         QWidget* parent)
    : QDialog(parent), m_trail(std::move(trail)), m_prompts(prompts)
{
    setObjectName(QStringLiteral("AuditViewer"));
    setWindowTitle(file.isEmpty() ? Ui::tr("Registro delle modifiche")
                                  : Ui::tr("Cronologia del file ") + file);
    resize(1000, 640);

    auto* filters = new QFormLayout;
    m_file = new QComboBox(this);
    m_file->setObjectName(QStringLiteral("FiltroFile"));
    m_user = new QComboBox(this);
    m_user->setObjectName(QStringLiteral("FiltroUtente"));
    m_action = new QComboBox(this);
    m_action->setObjectName(QStringLiteral("FiltroAzione"));
    auto dateRow = [this](QCheckBox*& on, QDateEdit*& date, const QString& text, const QString& name) {
        auto* row = new QHBoxLayout;
        on = new QCheckBox(text, this);
        date = new QDateEdit(QDate::currentDate(), this);
        date->setObjectName(name);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        date->setEnabled(false);
        connect(on, &QCheckBox::toggled, date, &QWidget::setEnabled);
        connect(on, &QCheckBox::toggled, this, &AuditViewer::applyFilters);
        connect(date, &QDateEdit::dateChanged, this, &AuditViewer::applyFilters);
        row->addWidget(on);
        row->addWidget(date);
        return row;
    };
    auto* dates = new QHBoxLayout;
    dates->addLayout(dateRow(m_fromOn, m_from, Ui::tr("&Dal"), QStringLiteral("FiltroDal")));
    dates->addLayout(dateRow(m_toOn, m_to, Ui::tr("A&l"), QStringLiteral("FiltroAl")));
    dates->addStretch();
    auto* fileLabel = new QLabel(Ui::tr("&File:"), this);
    fileLabel->setBuddy(m_file);
    auto* userLabel = new QLabel(Ui::tr("&Utente:"), this);
    userLabel->setBuddy(m_user);
    auto* actionLabel = new QLabel(Ui::tr("&Azione:"), this);
    actionLabel->setBuddy(m_action);
    filters->addRow(fileLabel, m_file);
    filters->addRow(userLabel, m_user);
    filters->addRow(actionLabel, m_action);
    filters->addRow(Ui::tr("Periodo:"), dates);
    for (QComboBox* box : {m_file, m_user, m_action})
        connect(box, &QComboBox::currentIndexChanged, this, &AuditViewer::applyFilters);

    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("Voci"));
    m_table->setHorizontalHeaderLabels({Ui::tr("N."), Ui::tr("Data e ora"), Ui::tr("Utente"),
                                        Ui::tr("Azione"), QStringLiteral("File"), Ui::tr("Motivo")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &AuditViewer::showChanges);

    m_changes = new QTableWidget(0, 3, this);
    m_changes->setObjectName(QStringLiteral("Modifiche"));
    m_changes->setHorizontalHeaderLabels({Ui::tr("Campo"), Ui::tr("Prima"), Ui::tr("Dopo")});
    m_changes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_changes->verticalHeader()->hide();
    m_changes->horizontalHeader()->setStretchLastSection(true);
    m_detail = new QLabel(this);
    m_detail->setObjectName(QStringLiteral("Dettagli"));
    m_detail->setWordWrap(true);
    m_detail->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(m_detail);
    lowerLayout->addWidget(m_changes);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_table);
    split->addWidget(lower);

    auto* buttons = new QDialogButtonBox(this);
    auto* verify = buttons->addButton(Ui::tr("&Verifica registro"), QDialogButtonBox::ActionRole);
    verify->setObjectName(QStringLiteral("VerificaRegistro"));
    auto* pdf = buttons->addButton(Ui::tr("Esporta &PDF..."), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("EsportaPdf"));
    auto* csv = buttons->addButton(Ui::tr("Esporta &CSV..."), QDialogButtonBox::ActionRole);
    csv->setObjectName(QStringLiteral("EsportaCsv"));
    auto* close = buttons->addButton(Ui::tr("C&hiudi"), QDialogButtonBox::RejectRole);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(verify, &QPushButton::clicked, this, [this] { verifyChain(); });
    connect(csv, &QPushButton::clicked, this, [this] {
        if (const auto path = m_prompts.chooseExportPath(ExportDialog::TrailCsv, "registro.csv"))
            exportCsv(QString::fromStdString(path->string()));
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        if (const auto path = m_prompts.chooseExportPath(ExportDialog::TrailPdf, "registro.pdf"))
            exportPdf(QString::fromStdString(path->string()));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);

    reload();
    if (!file.isEmpty()) {
        // the file may have no entry yet: it is still the filter asked for
        if (m_file->findData(file) < 0) m_file->addItem(file, file);
        m_file->setCurrentIndex(m_file->findData(file));
    }
    m_table->setFocus();
}

void AuditViewer::reload()
{
    try {
        m_all = m_trail->store().entries();
    } catch (const std::exception& e) {
        m_all.clear();
        m_prompts.critical(e.what());
    }
    std::set<std::string> files, users, actions;
    for (const AuditEntry& e : m_all) {
        if (!e.objectPath.empty()) files.insert(e.objectPath);
        users.insert(e.login);
        actions.insert(e.action);
    }
    for (QComboBox* box : {m_file, m_user, m_action}) box->blockSignals(true);
    fillChoices(m_file, files);
    fillChoices(m_user, users);
    fillChoices(m_action, actions, TrailActionText);
    for (QComboBox* box : {m_file, m_user, m_action}) box->blockSignals(false);
    applyFilters();
}

void AuditViewer::applyFilters()
{
    AuditFilter f;
    f.file = chosenValue(m_file);
    f.login = chosenValue(m_user);
    f.action = chosenValue(m_action);
    if (m_fromOn->isChecked()) f.fromDate = m_from->date().toString(Qt::ISODate).toStdString();
    if (m_toOn->isChecked()) f.toDate = m_to->date().toString(Qt::ISODate).toStdString();
    m_shown.clear();
    for (const AuditEntry& e : m_all)
        if (Matches(e, f)) m_shown.push_back(e);
    m_table->setRowCount(static_cast<int>(m_shown.size()));
    for (int r = 0; r < static_cast<int>(m_shown.size()); ++r) {
        const AuditEntry& e = m_shown[static_cast<std::size_t>(r)];
        m_table->setItem(r, 0, cell(std::to_string(e.sequence)));
        m_table->setItem(r, 1, cell(e.localTime));
        m_table->setItem(r, 2, cell(e.fullName + " (" + e.login + ")"));
        m_table->setItem(r, 3, cell(TrailActionText(e.action)));
        m_table->setItem(r, 4, cell(e.objectPath));
        m_table->setItem(r, 5, cell(e.reason));
    }
    m_table->resizeColumnsToContents();
    if (!m_shown.empty()) m_table->selectRow(static_cast<int>(m_shown.size()) - 1);
    showChanges();
}

void AuditViewer::showChanges()
{
    const int row = m_table->currentRow();
    m_changes->setRowCount(0);
    if (row < 0 || row >= static_cast<int>(m_shown.size()) || m_table->selectedItems().isEmpty()) {
        m_detail->setText(m_shown.empty() ? Ui::tr("Nessuna voce.") : QString());
        return;
    }
    const AuditEntry& e = m_shown[static_cast<std::size_t>(row)];
    QStringList lines;
    lines << Ui::tr("Voce %1 — %2 UTC — %3@%4 — versione %5 (%6)")
                 .arg(e.sequence)
                 .arg(q(e.utcTime), q(e.login), q(e.host), q(e.programVersion), q(e.buildId));
    if (!e.oldPath.empty()) lines << Ui::tr("File precedente: ") + q(e.oldPath);
    if (!e.sha256Before.empty()) lines << Ui::tr("SHA-256 prima: ") + q(e.sha256Before);
    if (!e.sha256After.empty()) lines << Ui::tr("SHA-256 dopo: ") + q(e.sha256After);
    if (!e.reason.empty()) lines << Ui::tr("Motivo: ") + q(e.reason);
    if (!e.detail.empty()) lines << q(TrailDetailText(e.detail));
    if (e.omittedChanges > 0)
        lines << Ui::tr("Altre %1 modifiche non elencate (oltre il limite di %2)")
                     .arg(e.omittedChanges)
                     .arg(kMaxFieldChanges);
    m_detail->setText(lines.join(QLatin1Char('\n')));
    m_changes->setRowCount(static_cast<int>(e.changes.size()));
    for (int r = 0; r < static_cast<int>(e.changes.size()); ++r) {
        const FieldChange& c = e.changes[static_cast<std::size_t>(r)];
        m_changes->setItem(r, 0, cell(c.what));
        m_changes->setItem(r, 1, cell(c.oldValue));
        m_changes->setItem(r, 2, cell(c.newValue));
    }
    m_changes->resizeColumnsToContents();
}

std::string AuditViewer::scopeText() const
{
    QStringList scope;
    const QString dateFormat = QStringLiteral("dd/MM/yyyy");
    if (m_file->currentIndex() > 0) scope << Ui::tr("file %1").arg(m_file->currentText());
    if (m_user->currentIndex() > 0) scope << Ui::tr("utente %1").arg(m_user->currentText());
    if (m_action->currentIndex() > 0) scope << Ui::tr("azione %1").arg(m_action->currentText());
    if (m_fromOn->isChecked()) scope << Ui::tr("dal %1").arg(m_from->date().toString(dateFormat));
    if (m_toOn->isChecked()) scope << Ui::tr("al %1").arg(m_to->date().toString(dateFormat));
    return (scope.isEmpty() ? Ui::tr("Tutte le voci") : Ui::tr("Voci con %1").arg(scope.join(QStringLiteral(", "))))
        .toStdString();
}

std::string AuditViewer::chainText() const
{
    try {
        return ChainCheckText(m_trail->store().verify());
    } catch (const std::exception& e) {
        return e.what();
    }
}

bool AuditViewer::verifyChain()
{
    try {
        const ChainCheck check = m_trail->store().verify();
        // a notice is what the check could not cover: it passes, but not quietly
        const MessageIcon icon = !check.ok               ? MessageIcon::Critical
                                 : !check.notice.empty() ? MessageIcon::Warning
                                                         : MessageIcon::Information;
        m_prompts.message(icon, ChainCheckText(check));
        return check.ok;
    } catch (const std::exception& e) {
        m_prompts.critical(e.what());
        return false;
    }
}

bool AuditViewer::exportCsv(const QString& path)
{
    try {
        ReplaceFileSafely(path.toStdString(), AuditCsv(m_shown));
        return true;
    } catch (const std::exception& e) {
        m_prompts.critical(e.what());
        return false;
    }
}

bool AuditViewer::exportPdf(const QString& path)
{
    try {
        ReportRequest request;
        request.database = ReportDatabasePath();
        request.printDate = true;
        request.language = ScreenLanguage();
        request.processLogoPath = ReportLogoPath();
        RenderAuditReport(m_shown, scopeText(), chainText(), request, ReadLogoSize)->writePdf(path);
        return true;
    } catch (const std::exception& e) {
        m_prompts.critical(e.what());
        return false;
    }
}

}  // namespace kestra
