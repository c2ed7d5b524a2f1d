// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/ui/dossier_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>

#include "dossier/criteria_catalogue.h"
#include "dossier/dossier_signing.h"
#include "dossier/ui/dossier_report.h"
#include "audit/audit_trail.h"
#include "audit/ui/audit_viewer.h"
#include "framework/audited_save.h"
#include "framework/errors.h"
#include "framework/number_pattern.h"
#include "framework/prompts.h"
#include "framework/signature_command.h"
#include "reporting/report_settings.h"
#include "reporting/ui/logo_size.h"
#include "reporting/ui/print_command.h"
#include "app/user_folders.h"
#include "framework/ui/ui_text.h"
#include "text/messages.h"

namespace kestra {

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// One edit of the dossier: the states before and after it.
class DossierEdit final : public QUndoCommand {
public:
    DossierEdit(DossierWindow& window, Dossier before, Dossier after, const QString& text)
        : QUndoCommand(text), m_window(window), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_window.restore(m_before); }
    void redo() override { m_window.restore(m_after); }

private:
    DossierWindow& m_window;
    Dossier m_before, m_after;
};

}  // namespace

DossierWindow::DossierWindow(DossierWindowHost host, QWidget* parent)
    : QMainWindow(parent), m_host(std::move(host)), m_dossier(Dossier::makeNew())
{
    setObjectName(QStringLiteral("Dossier"));
    m_undo = new QUndoStack(this);
    connect(m_undo, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    connect(m_undo, &QUndoStack::indexChanged, this, [this] { showResults(); });
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("DossierPages"));
    // the pages take no Alt letters (the menus have them): Alt+1 .. Alt+5 and Ctrl+Tab reach them
    m_tabs->addTab(buildMethodPage(), Ui::tr("1 Metodo"));
    m_tabs->addTab(buildStudiesPage(), Ui::tr("2 Studi"));
    m_tabs->addTab(buildCriteriaPage(), Ui::tr("3 Criteri"));
    m_tabs->addTab(buildResultsPage(), Ui::tr("4 Esito"));
    m_tabs->addTab(buildSignaturesPage(), Ui::tr("5 Firme"));
    for (int page = 0; page < m_tabs->count(); ++page) {
        auto* go = new QAction(this);
        go->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_1 + page)));
        go->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(go, &QAction::triggered, this, [this, page] { m_tabs->setCurrentIndex(page); });
        addAction(go);
    }
    setCentralWidget(m_tabs);
    // a page reached from the keyboard takes the focus into its first control
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int page) {
        QWidget* first[] = {m_methodFields[QStringLiteral("title")], m_studies, m_criteria, m_results, m_signatures};
        if (page >= 0 && page < 5 && first[page]) first[page]->setFocus(Qt::TabFocusReason);
        if (auto* table = qobject_cast<QTableWidget*>(page >= 1 && page < 5 ? first[page] : nullptr);
            table && table->currentRow() < 0 && table->rowCount() > 0)
            table->setCurrentCell(0, 0);
    });
    buildMenus();
    showDossier();
    updateTitle();
    resize(900, 600);
}

DossierWindow::~DossierWindow() = default;

Prompts& DossierWindow::prompts()
{
    return m_host.prompts();
}

// --- menus

void DossierWindow::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& text, const QKeySequence& key,
                      auto slot) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(a);
        }
        connect(a, &QAction::triggered, this, slot);
        menu->addAction(a);
        m_actions[name] = a;
        return a;
    };
    auto* file = new QMenu(Ui::tr("&File"), this);
    add(file, QStringLiteral("NuovaConvalida"), Ui::tr("&Nuova convalida..."), {}, [this] {
        if (m_host.newDossier) m_host.newDossier();
    });
    add(file, QStringLiteral("ApriConvalida"), Ui::tr("&Apri convalida..."), {}, [this] {
        if (m_host.openDossier) m_host.openDossier();
    });
    add(file, QStringLiteral("Salva"), Ui::tr("&Salva"), QKeySequence::Save, [this] { save(); });
    add(file, QStringLiteral("SalvaConNome"), Ui::tr("Salva &con nome..."), {}, [this] { saveAs(); });
    QAction* reason = add(file, QStringLiteral("MotivoSalvataggio"), Ui::tr("Chiedi il &motivo a ogni salvataggio"), {},
                          [](bool on) { SetAskSaveReason(on); });
    reason->setCheckable(true);
    // one choice for every window until the program closes: shown as it stands whenever the menu opens
    connect(file, &QMenu::aboutToShow, reason, [reason] { reason->setChecked(AskSaveReason()); });
    add(file, QStringLiteral("Cronologia"), Ui::tr("Cronolo&gia del file..."), {}, [this] { showHistory(); });
    file->addSeparator();
    add(file, QStringLiteral("StampaDossier"), Ui::tr("Stampa &dossier..."), QKeySequence::Print,
        [this] { printDossier(); });
    file->addSeparator();
    add(file, QStringLiteral("Chiudi"), Ui::tr("C&hiudi"), {}, [this] {
        if (auto* frame = parentWidget(); frame && frame->inherits("QMdiSubWindow"))
            frame->close();
        else
            close();
    });

    auto* editMenu = new QMenu(Ui::tr("Mo&difica"), this);
    QAction* undo = m_undo->createUndoAction(this, Ui::tr("&Annulla", "modifica"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(undo);
    editMenu->addAction(undo);
    m_actions[QStringLiteral("Annulla")] = undo;
    QAction* redo = m_undo->createRedoAction(this, Ui::tr("&Ripeti"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    redo->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(redo);
    editMenu->addAction(redo);
    m_actions[QStringLiteral("Ripeti")] = redo;

    auto* dossierMenu = new QMenu(Ui::tr("&Convalida"), this);
    add(dossierMenu, QStringLiteral("Valuta"), Ui::tr("&Valuta"), QKeySequence(Qt::Key_F9),
        [this] { evaluate(); });
    dossierMenu->addSeparator();
    add(dossierMenu, QStringLiteral("AggiungiStudio"), Ui::tr("Aggiungi &studio..."), {},
        [this] { addStudy(); });
    add(dossierMenu, QStringLiteral("AggiungiCriterio"), Ui::tr("Aggiungi c&riterio"), {},
        [this] { addCriterion(); });
    add(dossierMenu, QStringLiteral("ProponiCriteri"), Ui::tr("&Proponi criteri"), {},
        [this] { proposeCriteria(); });
    add(dossierMenu, QStringLiteral("ConfermaProposte"), Ui::tr("Con&ferma proposte"), {},
        [this] { confirmProposals(); });
    dossierMenu->addSeparator();
    add(dossierMenu, QStringLiteral("Firma"), Ui::tr("F&irma..."), {}, [this] { sign(); });
    m_menus = {file, editMenu, dossierMenu};
    for (QMenu* m : m_menus) menuBar()->addMenu(m);
}

QList<QMenu*> DossierWindow::menus() const
{
    return m_menus;
}

QAction* DossierWindow::action(const QString& name) const
{
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

QLineEdit* DossierWindow::methodField(const QString& key) const
{
    const auto it = m_methodFields.find(key);
    return it == m_methodFields.end() ? nullptr : it->second;
}

// --- state

bool DossierWindow::isModified() const
{
    return !m_undo->isClean();
}

QString DossierWindow::documentTitle() const
{
    return Ui::tr("Convalida - ") +
           (m_path.empty() ? Ui::tr("nessun file") : q(m_path.string()));
}

void DossierWindow::updateTitle()
{
    setWindowTitle(documentTitle() + QStringLiteral("[*]"));
    setWindowModified(isModified());
}

std::filesystem::path DossierWindow::folder() const
{
    return m_path.empty() ? std::filesystem::current_path() : m_path.parent_path();
}

void DossierWindow::edit(const QString& text, const std::function<void(Dossier&)>& change)
{
    Dossier after = m_dossier;
    change(after);
    if (after.text() == m_dossier.text()) {
        showDossier();  // a refused or empty change: the controls show the dossier again
        return;
    }
    m_undo->push(new DossierEdit(*this, m_dossier, std::move(after), text));
}

void DossierWindow::restore(const Dossier& dossier)
{
    m_dossier = dossier;
    showDossier();
}

// --- file commands

bool DossierWindow::openFile(const std::filesystem::path& path)
{
    try {
        m_dossier = Dossier::read(path);
    } catch (const std::exception& e) {
        prompts().critical(e.what());
        return false;
    }
    m_path = std::filesystem::absolute(path);
    m_evaluation.reset();
    m_undo->clear();
    showDossier();
    updateTitle();
    RecordOpening(m_path, "dossier", {}, prompts());
    return true;
}

bool DossierWindow::writeTo(const std::filesystem::path& path)
{
    Dossier toWrite = m_dossier;
    // an evaluation made on the dossier as it is now goes into the file with it
    if (m_evaluation && m_evaluatedAt == m_undo->index()) toWrite.evaluated = EvaluationRecord(*m_evaluation, toWrite);
    try {
        const SaveRequest request{path, m_path, "dossier", toWrite.text(), JsonFileFields,
                                  ChangesSignedContent(m_path, toWrite)};
        if (!AuditedSave(request, prompts(), [&] { toWrite.write(path); })) return false;
    } catch (const std::exception& e) {
        prompts().critical(e.what());
        return false;
    }
    m_dossier.evaluated = toWrite.evaluated;
    m_path = std::filesystem::absolute(path);
    m_undo->setClean();
    updateTitle();
    return true;
}

bool DossierWindow::save()
{
    if (m_path.empty()) return saveAs();
    return writeTo(m_path);
}

bool DossierWindow::saveAs()
{
    const auto path = prompts().chooseDossierPath(DossierFileDialog::Save);
    if (!path) return false;
    std::filesystem::path target = *path;
    if (!IsDossierFile(target)) target += ".kvd";
    return writeTo(target);
}

bool DossierWindow::closeDocument()
{
    if (!isModified()) return true;
    switch (prompts().askSaveChanges(documentTitle().toStdString())) {
        case Answer::Yes:
            return save();
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

void DossierWindow::closeEvent(QCloseEvent* event)
{
    if (closeDocument())
        event->accept();
    else
        event->ignore();
}

// --- the dossier's commands

void DossierWindow::evaluate()
{
    BusyPointer busy(prompts());
    m_evaluation = EvaluateDossier(m_dossier, folder());
    m_evaluatedAt = m_undo->index();
    showStudies();
    showResults();
    m_tabs->setCurrentIndex(3);
    if (const std::string fault = RecordAction(EvaluationEntry(m_path, *m_evaluation)); !fault.empty())
        prompts().warning(fault);
}

bool DossierWindow::sign()
{
    if (m_path.empty() || isModified()) {
        prompts().warning(
            Ui::tr("Salvare il dossier prima di firmarlo: la firma vale per il dossier salvato.").toStdString());
        return false;
    }
    std::string shown;
    for (const std::string& line : SignatureStatusLines(m_dossier, folder(), InterfaceIsEnglish())) shown += line + "\n";
    const bool done = RunSignatureCommand(
        m_path.filename().string(), shown, prompts(),
        [this](const SignatureRequest& r, SignaturePassword& p, AuditTrail& t, SignatureRecord* made) {
            return SignDossierFile(m_path, r, p, t, made);
        });
    if (done) {
        // the file now holds the signature: the window shows the file, an evaluation made on it still holds
        const bool evaluationCurrent = m_evaluation && m_evaluatedAt == m_undo->index();
        try {
            m_dossier.signatures = Dossier::read(m_path).signatures;
        } catch (const std::exception& e) {
            prompts().critical(e.what());
        }
        m_undo->clear();
        if (evaluationCurrent) m_evaluatedAt = m_undo->index();
        showSignatures();
        updateTitle();
    }
    return done;
}

void DossierWindow::showHistory()
{
    const std::shared_ptr<AuditTrail> trail = CurrentAuditTrail();
    if (!trail) {
        prompts().critical(Ui::tr("Il registro delle modifiche non è disponibile.").toStdString());
        return;
    }
    AuditViewer viewer(trail, prompts(), m_path.empty() ? QString() : q(TrailPath(m_path)), this);
    viewer.exec();
}

void DossierWindow::proposeCriteria()
{
    ProposalInputs inputs;
    // the values an impurity purpose compares with are the laboratory's: asked, and kept as typed
    auto ask = [this](const QString& question) -> std::optional<WrittenNumber> {
        for (;;) {
            const auto typed = prompts().askText(question.toStdString());
            if (!typed) return std::nullopt;
            if (auto n = WrittenNumber::parse(*typed)) return n;
            prompts().warning(Msg("\"%1\" non è un numero", {*typed}) + ".");
        }
    };
    if (m_dossier.purpose == "impurity_quantitative") {
        inputs.reportingThreshold =
            ask(Ui::tr("Soglia di riporto (il limite di determinazione deve esserle uguale o inferiore):"));
        if (!inputs.reportingThreshold) return;
    }
    if (m_dossier.purpose == "impurity_limit") {
        inputs.impurityLimit =
            ask(Ui::tr("Limite dell'impurezza (il limite di rilevazione deve esserle uguale o inferiore):"));
        if (!inputs.impurityLimit) return;
    }
    std::vector<DossierCriterion> proposals;
    try {
        proposals = ProposeCriteria(m_dossier.purpose, inputs);
    } catch (const std::exception& e) {
        prompts().warning(e.what());
        return;
    }
    if (proposals.empty()) {
        prompts().information(Ui::tr("Per lo scopo \"Altro\" non ci sono criteri da proporre.").toStdString());
        return;
    }
    edit(Ui::tr("Proponi criteri"), [&](Dossier& d) {
        for (DossierCriterion c : proposals) {
            // bound to the first study whose kind gives the quantity
            for (const auto& s : d.studies) {
                const auto kind = KindFromExtension(std::filesystem::path(s.file).extension().string());
                if (kind && FindQuantity(*kind, c.quantity)) {
                    c.study = s.id;
                    break;
                }
            }
            d.criteria.push_back(std::move(c));
        }
    });
    m_tabs->setCurrentIndex(2);
}

void DossierWindow::confirmProposals()
{
    edit(Ui::tr("Conferma proposte"), [](Dossier& d) {
        for (auto& c : d.criteria) c.proposed = false;
    });
}

void DossierWindow::printDossier()
{
    printDossier(DefaultReportUserInterface());
}

void DossierWindow::printDossier(ReportUserInterface& ui)
{
    ui.askReportParameters(this);
    std::unique_ptr<RenderedReport> report;
    try {
        BusyPointer busy(prompts());
        if (ReportDatabasePath().empty())
            throw ReportPipelineError(Msg("apertura del database dei report"), Msg("nessun database configurato"));
        // the report is always made from the files as they are now
        m_evaluation = EvaluateDossier(m_dossier, folder());
        m_evaluatedAt = m_undo->index();
        showStudies();
        showResults();
        DossierReportRequest request;
        request.report.database = ReportDatabasePath();
        request.report.language = OutputLanguage();
        request.report.printDate = PrintDateFlag();
        request.report.decimalSeparator = UserDecimalSeparator();
        request.report.processLogoPath = ReportLogoPath();
        request.report.extended = ExtendedAppendixFlag();
        request.dossierFile = isModified() ? std::filesystem::path() : m_path;
        request.programDataFolder = ProgramDataFolder(ExecutableFolder());
        report = RenderDossierReport(m_dossier, *m_evaluation, request, ReadLogoSize);
        report->setSource(m_path.string(), "dossier");
    } catch (const std::exception& e) {
        ui.showError(this, q(e.what()));
        return;
    }
    ui.showPreview(this, *report);
}

void DossierWindow::addStudy()
{
    const auto path = prompts().chooseDossierPath(DossierFileDialog::AddStudy);
    if (path) addStudy(*path);
}

void DossierWindow::addStudy(const std::filesystem::path& file)
{
    const auto kind = KindFromExtension(file.extension().string());
    if (!kind) {
        prompts().warning(Ui::tr("Il file %1 non è un file di studio (attese le estensioni LIM, PRE, TAR, ACC, SPC, "
                                 "PRI, RIP).")
                              .arg(q(file.string()))
                              .toStdString());
        return;
    }
    // relative to the dossier once it has a folder, so the dossier and its studies move together
    std::string written = std::filesystem::absolute(file).lexically_normal().string();
    if (!m_path.empty()) written = std::filesystem::absolute(file).lexically_relative(m_path.parent_path()).string();
    edit(Ui::tr("Aggiungi studio"), [&](Dossier& d) {
        std::string base = std::string(KindInfo(*kind).extension);
        for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string id = base;
        for (int n = 2; d.findStudy(id); ++n) id = base + std::to_string(n);
        d.studies.push_back({id, file.stem().string(), written, OrderedJson::object()});
    });
    m_tabs->setCurrentIndex(1);
}

void DossierWindow::removeStudy()
{
    const int row = m_studies->currentRow();
    if (row < 0 || row >= static_cast<int>(m_dossier.studies.size())) return;
    edit(Ui::tr("Rimuovi studio"), [row](Dossier& d) { d.studies.erase(d.studies.begin() + row); });
}

void DossierWindow::openSelectedStudy()
{
    const int row = m_studies->currentRow();
    if (row < 0 || row >= static_cast<int>(m_dossier.studies.size()) || !m_host.openStudy) return;
    const auto path = Dossier::resolve(folder(), m_dossier.studies[static_cast<std::size_t>(row)].file);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        prompts().warning(Ui::tr("Il file %1 non esiste.").arg(q(path.string())).toStdString());
        return;
    }
    m_host.openStudy(path);
}

void DossierWindow::addCriterion()
{
    edit(Ui::tr("Aggiungi criterio"), [](Dossier& d) {
        DossierCriterion c;
        c.characteristic = "specificity";
        if (!d.studies.empty()) c.study = d.studies.front().id;
        c.test = "not_significant";
        c.quantity = "difference";
        d.criteria.push_back(std::move(c));
    });
    m_tabs->setCurrentIndex(2);
    m_criteria->setCurrentCell(m_criteria->rowCount() - 1, 0);
}

void DossierWindow::removeCriterion()
{
    const int row = m_criteria->currentRow();
    if (row < 0 || row >= static_cast<int>(m_dossier.criteria.size())) return;
    edit(Ui::tr("Rimuovi criterio"), [row](Dossier& d) { d.criteria.erase(d.criteria.begin() + row); });
}

}  // namespace kestra
