// The pages of the dossier window: what they show and how their edits become edits of the dossier.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "dossier/criteria_catalogue.h"
#include "dossier/dossier_signing.h"
#include "dossier/ui/dossier_window.h"
#include "framework/number_pattern.h"
#include "framework/prompts.h"
#include "text/number_format.h"
#include "framework/ui/ui_text.h"

namespace kestra {

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

constexpr int kKeyRole = Qt::UserRole;

struct Choice {
    QString key, name;
};
using ChoicesOf = std::function<std::vector<Choice>(const QModelIndex&)>;

// A cell chosen from a list (characteristic, study, quantity, test); the item keeps the key in kKeyRole.
// An editable list also takes a key typed in full (an extended statistic's name).
class ChoiceDelegate final : public QStyledItemDelegate {
public:
    ChoiceDelegate(ChoicesOf choices, bool editable, QObject* parent)
        : QStyledItemDelegate(parent), m_choices(std::move(choices)), m_editable(editable)
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* box = new QComboBox(parent);
        box->setEditable(m_editable);
        for (const Choice& c : m_choices(index)) box->addItem(c.name, c.key);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* box = static_cast<QComboBox*>(editor);
        const QString key = index.data(kKeyRole).toString();
        const int at = box->findData(key);
        if (at >= 0)
            box->setCurrentIndex(at);
        else if (m_editable)
            box->setEditText(key);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* box = static_cast<QComboBox*>(editor);
        QString key = box->currentData().toString();
        // a typed name that is no entry's is taken as the key itself
        if (m_editable && box->currentText() != box->itemText(box->currentIndex())) key = box->currentText().trimmed();
        model->setData(index, key, kKeyRole);
    }

private:
    ChoicesOf m_choices;
    bool m_editable;
};

std::vector<Choice> entries(std::span<const NamedEntry> list)
{
    std::vector<Choice> out;
    for (const auto& e : list) out.push_back({q(e.key), q(e.name(ScreenLanguage()))});
    return out;
}

std::optional<StudyKindId> kindOf(const DossierStudy& s)
{
    return KindFromExtension(std::filesystem::path(s.file).extension().string());
}

QString limitText(const DossierCriterion& c)
{
    const char sep = UserDecimalSeparator();
    QStringList parts;
    for (const auto& n : c.limit) parts << q(FormatNumber(n.value, n.decimals(), sep));
    return parts.join(QStringLiteral(" ; "));
}

QTableWidgetItem* item(const QString& text, bool editable, const QString& key = {})
{
    auto* i = new QTableWidgetItem(text);
    if (!editable) i->setFlags(i->flags() & ~Qt::ItemIsEditable);
    if (!key.isNull()) i->setData(kKeyRole, key);
    return i;
}

QTableWidget* makeTable(const QString& name, const QStringList& headings, QWidget* parent)
{
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->setVisible(false);
    t->setTabKeyNavigation(false);  // Tab leaves the table for the buttons; arrows move between cells
    return t;
}

QPushButton* button(const QString& text, QWidget* parent, QBoxLayout* row)
{
    auto* b = new QPushButton(text, parent);
    row->addWidget(b);
    return b;
}

QString statusName(const std::string& status)
{
    if (status == "ok") return Ui::tr("letto e calcolato");
    if (status == "warnings") return Ui::tr("letto con valori non letti come scritti");
    if (status == "missing") return Ui::tr("file mancante");
    if (status == "unreadable") return Ui::tr("file illeggibile");
    if (status == "unknown_kind") return Ui::tr("non è uno studio");
    return Ui::tr("calcolo non eseguito");
}

}  // namespace

// --- Metodo

QWidget* DossierWindow::buildMethodPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    const std::pair<const char*, const char*> fields[] = {
        {"title", QT_TRANSLATE_NOOP("Kestra", "&Titolo:")},
        {"document", QT_TRANSLATE_NOOP("Kestra", "&Documento:")},
        {"revision", QT_TRANSLATE_NOOP("Kestra", "Re&visione:")},
        {"analytical_method", QT_TRANSLATE_NOOP("Kestra", "Metodo a&nalitico:")},
        {"analyte", QT_TRANSLATE_NOOP("Kestra", "Anal&ita:")},
        {"sample", QT_TRANSLATE_NOOP("Kestra", "Cam&pione:")},
        {"unit", QT_TRANSLATE_NOOP("Kestra", "&Unità di misura:")},
        {"technique", QT_TRANSLATE_NOOP("Kestra", "Tecnic&a:")},
    };
    for (const auto& [key, label] : fields) {
        auto* line = new QLineEdit(page);
        line->setObjectName(QString::fromLatin1(key));
        form->addRow(Ui::tr(label), line);
        m_methodFields[QString::fromLatin1(key)] = line;
        connect(line, &QLineEdit::editingFinished, this, [this, k = QString::fromLatin1(key)] { commitMethodField(k); });
    }
    m_purpose = new QComboBox(page);
    m_purpose->setObjectName(QStringLiteral("purpose"));
    for (const auto& p : DossierPurposes()) m_purpose->addItem(q(p.name(ScreenLanguage())), q(p.key));
    form->addRow(Ui::tr("Sc&opo del metodo:"), m_purpose);
    connect(m_purpose, &QComboBox::activated, this, [this] {
        const std::string key = m_purpose->currentData().toString().toStdString();
        edit(Ui::tr("Scopo del metodo"), [&](Dossier& d) { d.purpose = key; });
    });
    auto* range = new QWidget(page);
    auto* rangeRow = new QHBoxLayout(range);
    rangeRow->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, const char*> rangeFields[] = {
        {"range_low", QT_TRANSLATE_NOOP("Kestra", "da")},
        {"range_high", QT_TRANSLATE_NOOP("Kestra", "a")},
        {"range_unit", QT_TRANSLATE_NOOP("Kestra", "unità")}};
    for (const auto& [key, label] : rangeFields) {
        auto* caption = new QLabel(Ui::tr(label), range);
        auto* line = new QLineEdit(range);
        line->setObjectName(QString::fromLatin1(key));
        caption->setBuddy(line);
        rangeRow->addWidget(caption);
        rangeRow->addWidget(line);
        m_methodFields[QString::fromLatin1(key)] = line;
        connect(line, &QLineEdit::editingFinished, this, [this, k = QString::fromLatin1(key)] { commitMethodField(k); });
    }
    auto* rangeLabel = new QLabel(Ui::tr("Inte&rvallo di lavoro:"), page);
    rangeLabel->setBuddy(m_methodFields[QStringLiteral("range_low")]);
    form->addRow(rangeLabel, range);
    return page;
}

void DossierWindow::commitMethodField(const QString& key)
{
    if (m_filling) return;
    QLineEdit* line = m_methodFields[key];
    const std::string text = line->text().toStdString();
    if (key == "range_low" || key == "range_high") {
        std::optional<WrittenNumber> n;
        if (!line->text().trimmed().isEmpty()) {
            n = WrittenNumber::parse(text);
            if (!n) {
                prompts().warning(Ui::tr("\"%1\" non è un numero: l'intervallo di lavoro resta com'era.").arg(q(text)).toStdString());
                showDossier();
                return;
            }
        }
        edit(Ui::tr("Intervallo di lavoro"), [&](Dossier& d) {
            (key == "range_low" ? d.range.low : d.range.high) = n;
        });
        return;
    }
    edit(Ui::tr("Modifica del metodo"), [&](Dossier& d) {
        if (key == "title") d.title = text;
        if (key == "document") d.document = text;
        if (key == "revision") d.revision = text;
        if (key == "analytical_method") d.method.analyticalMethod = text;
        if (key == "analyte") d.method.analyte = text;
        if (key == "sample") d.method.sample = text;
        if (key == "unit") d.method.unit = text;
        if (key == "technique") d.method.technique = text;
        if (key == "range_unit") d.range.unit = text;
    });
}

// --- Studi

QWidget* DossierWindow::buildStudiesPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_studies = makeTable(QStringLiteral("studies"),
                          {Ui::tr("Identificativo"), Ui::tr("Etichetta"), Ui::tr("Tipo"),
                           Ui::tr("File"), Ui::tr("Stato")},
                          page);
    layout->addWidget(m_studies);
    auto* row = new QHBoxLayout;
    connect(button(Ui::tr("A&ggiungi..."), page, row), &QPushButton::clicked, this, [this] { addStudy(); });
    connect(button(Ui::tr("&Rimuovi"), page, row), &QPushButton::clicked, this, [this] { removeStudy(); });
    connect(button(Ui::tr("A&pri"), page, row), &QPushButton::clicked, this, [this] { openSelectedStudy(); });
    row->addStretch();
    layout->addLayout(row);
    connect(m_studies, &QTableWidget::cellChanged, this, &DossierWindow::commitStudyCell);
    return page;
}

void DossierWindow::commitStudyCell(int row, int column)
{
    if (m_filling || row < 0 || row >= static_cast<int>(m_dossier.studies.size())) return;
    const std::string text = m_studies->item(row, column)->text().trimmed().toStdString();
    const std::string old = m_dossier.studies[static_cast<std::size_t>(row)].id;
    if (column == 0) {
        if (text.empty() || (text != old && m_dossier.findStudy(text))) {
            prompts().warning(
                Ui::tr("L'identificativo \"%1\" è vuoto o è già usato da un altro studio.").arg(q(text)).toStdString());
            showStudies();
            return;
        }
        // the criteria follow their study to its new name
        edit(Ui::tr("Identificativo dello studio"), [&](Dossier& d) {
            d.studies[static_cast<std::size_t>(row)].id = text;
            for (auto& c : d.criteria)
                if (c.study == old) c.study = text;
        });
    } else if (column == 1) {
        edit(Ui::tr("Etichetta dello studio"),
             [&](Dossier& d) { d.studies[static_cast<std::size_t>(row)].label = text; });
    }
}

void DossierWindow::showStudies()
{
    m_filling = true;
    const int current = m_studies->currentRow();
    m_studies->setRowCount(static_cast<int>(m_dossier.studies.size()));
    for (int r = 0; r < m_studies->rowCount(); ++r) {
        const DossierStudy& s = m_dossier.studies[static_cast<std::size_t>(r)];
        const auto kind = kindOf(s);
        QString state = Ui::tr("non valutato");
        if (m_evaluation)
            if (const StudyOutcome* o = m_evaluation->findStudy(s.id)) state = statusName(o->status);
        m_studies->setItem(r, 0, item(q(s.id), true));
        m_studies->setItem(r, 1, item(q(s.label), true));
        m_studies->setItem(r, 2, item(kind ? ScreenText(KindInfo(*kind).methodName) : QStringLiteral("?"), false));
        m_studies->setItem(r, 3, item(q(s.file), false));
        m_studies->setItem(r, 4, item(state, false));
    }
    if (current >= 0 && current < m_studies->rowCount()) m_studies->setCurrentCell(current, 0);
    m_studies->resizeColumnsToContents();
    m_filling = false;
}

// --- Criteri

QWidget* DossierWindow::buildCriteriaPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_criteria = makeTable(QStringLiteral("criteria"),
                           {Ui::tr("Caratteristica"), Ui::tr("Studio"), Ui::tr("Grandezza"),
                            Ui::tr("Prova"), Ui::tr("Limite"), Ui::tr("Stato")},
                           page);
    m_criteria->setItemDelegateForColumn(
        0, new ChoiceDelegate([](const QModelIndex&) { return entries(DossierCharacteristics()); }, false, m_criteria));
    m_criteria->setItemDelegateForColumn(1, new ChoiceDelegate(
                                                [this](const QModelIndex&) {
                                                    std::vector<Choice> out;
                                                    for (const auto& s : m_dossier.studies)
                                                        out.push_back({q(s.id), q(s.id + " - " + s.label)});
                                                    return out;
                                                },
                                                false, m_criteria));
    m_criteria->setItemDelegateForColumn(
        2, new ChoiceDelegate(
               [this](const QModelIndex& index) {
                   std::vector<Choice> out;
                   const auto& c = m_dossier.criteria.at(static_cast<std::size_t>(index.row()));
                   const DossierStudy* s = c.study ? m_dossier.findStudy(*c.study) : nullptr;
                   const auto kind = s ? kindOf(*s) : std::nullopt;
                   if (kind)
                       for (const auto& e : KindQuantities(*kind)) out.push_back({q(e.key), q(e.name(ScreenLanguage()))});
                   // the extended statistics of the last evaluation are reachable by name
                   if (m_evaluation && s)
                       if (const StudyOutcome* o = m_evaluation->findStudy(s->id); o && o->extended)
                           for (const auto& v : o->extended->values) out.push_back({q(v.key), q(v.name(ScreenLanguage()) + " (" + v.key + ")")});
                   return out;
               },
               true, m_criteria));
    m_criteria->setItemDelegateForColumn(
        3, new ChoiceDelegate([](const QModelIndex&) { return entries(DossierTests()); }, false, m_criteria));
    layout->addWidget(m_criteria);
    auto* hint = new QLabel(Ui::tr("Limite: un valore, o due separati da \";\" per \"compreso tra\" ed "
                                   "\"esterno a\". Il risultato è arrotondato ai decimali scritti nel "
                                   "limite prima del confronto."),
                            page);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* row = new QHBoxLayout;
    connect(button(Ui::tr("A&ggiungi criterio"), page, row), &QPushButton::clicked, this,
            [this] { addCriterion(); });
    connect(button(Ui::tr("&Rimuovi criterio"), page, row), &QPushButton::clicked, this,
            [this] { removeCriterion(); });
    connect(button(Ui::tr("&Proponi criteri"), page, row), &QPushButton::clicked, this,
            [this] { proposeCriteria(); });
    connect(button(Ui::tr("Conferma propos&te"), page, row), &QPushButton::clicked, this,
            [this] { confirmProposals(); });
    row->addStretch();
    layout->addLayout(row);
    connect(m_criteria, &QTableWidget::cellChanged, this, &DossierWindow::commitCriterionCell);
    return page;
}

void DossierWindow::commitCriterionCell(int row, int column)
{
    if (m_filling || row < 0 || row >= static_cast<int>(m_dossier.criteria.size())) return;
    QTableWidgetItem* cell = m_criteria->item(row, column);
    const std::string key = cell->data(kKeyRole).toString().toStdString();
    const auto index = static_cast<std::size_t>(row);
    if (column == 4) {
        const QStringList parts = cell->text().split(QLatin1Char(';'), Qt::SkipEmptyParts);
        std::vector<WrittenNumber> limit;
        for (const QString& part : parts) {
            const auto n = WrittenNumber::parse(part.toStdString());
            if (!n) {
                prompts().warning(Ui::tr("\"%1\" non è un numero: il limite resta com'era.").arg(part.trimmed()).toStdString());
                showCriteria();
                return;
            }
            limit.push_back(*n);
        }
        if (limit.size() > 2) {
            prompts().warning(Ui::tr("Un limite ha al più due valori (minimo ; massimo).").toStdString());
            showCriteria();
            return;
        }
        edit(Ui::tr("Limite del criterio"), [&](Dossier& d) {
            auto& c = d.criteria[index];
            c.limitIsPair = limit.size() == 2;
            c.limit = std::move(limit);
            c.proposed = false;
        });
        return;
    }
    edit(Ui::tr("Modifica del criterio"), [&](Dossier& d) {
        auto& c = d.criteria[index];
        if (column == 0) c.characteristic = key;
        if (column == 1) c.study = key;
        if (column == 2) c.quantity = key;
        if (column == 3) c.test = key;
        c.proposed = false;
    });
}

void DossierWindow::showCriteria()
{
    m_filling = true;
    const int currentRow = m_criteria->currentRow();
    const int currentColumn = m_criteria->currentColumn();
    m_criteria->setRowCount(static_cast<int>(m_dossier.criteria.size()));
    for (int r = 0; r < m_criteria->rowCount(); ++r) {
        const DossierCriterion& c = m_dossier.criteria[static_cast<std::size_t>(r)];
        const DossierStudy* s = c.study ? m_dossier.findStudy(*c.study) : nullptr;
        const auto kind = s ? kindOf(*s) : std::nullopt;
        QString quantity = q(c.quantity);
        if (kind)
            if (const QuantityEntry* e = FindQuantity(*kind, c.quantity)) quantity = q(e->name(ScreenLanguage()));
        m_criteria->setItem(r, 0, item(q(EntryName(DossierCharacteristics(), c.characteristic, ScreenLanguage())),
                                       true, q(c.characteristic)));
        m_criteria->setItem(r, 1, item(c.study ? q(*c.study) : Ui::tr("(nessuno)"), true,
                                       c.study ? q(*c.study) : QString()));
        m_criteria->setItem(r, 2, item(quantity, true, q(c.quantity)));
        m_criteria->setItem(r, 3, item(q(EntryName(DossierTests(), c.test, ScreenLanguage())), true, q(c.test)));
        m_criteria->setItem(r, 4, item(limitText(c), LimitCount(c.test) > 0));
        m_criteria->setItem(r, 5, item(c.proposed ? Ui::tr("proposto") : Ui::tr("confermato"), false));
    }
    if (currentRow >= 0 && currentRow < m_criteria->rowCount())
        m_criteria->setCurrentCell(currentRow, std::max(0, currentColumn));
    m_criteria->resizeColumnsToContents();
    m_filling = false;
}

// --- Esito

QWidget* DossierWindow::buildResultsPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    m_verdict = new QLabel(page);
    m_verdict->setObjectName(QStringLiteral("verdict"));
    QFont bold = m_verdict->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_verdict->setFont(bold);
    top->addWidget(m_verdict, 1);
    connect(button(Ui::tr("&Valuta (F9)"), page, top), &QPushButton::clicked, this, [this] { evaluate(); });
    layout->addLayout(top);
    m_stale = new QLabel(Ui::tr("Il dossier è cambiato dopo la valutazione: premere F9 per valutarlo di nuovo."),
                         page);
    m_stale->setObjectName(QStringLiteral("staleNotice"));
    m_stale->setStyleSheet(QStringLiteral("color: #a04000;"));
    layout->addWidget(m_stale);
    m_results = makeTable(QStringLiteral("results"),
                          {Ui::tr("N."), Ui::tr("Caratteristica"), Ui::tr("Studio"),
                           Ui::tr("Criterio"), Ui::tr("Risultato"), Ui::tr("Confrontato"),
                           Ui::tr("Esito"), Ui::tr("Motivo")},
                          page);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_results, 3);
    m_notes = new QPlainTextEdit(page);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setReadOnly(true);
    layout->addWidget(m_notes, 2);
    return page;
}

void DossierWindow::showResults()
{
    if (!m_results) return;
    m_stale->setVisible(m_evaluation && m_evaluatedAt != m_undo->index());
    if (!m_evaluation) {
        m_verdict->setText(Ui::tr("Esito: non ancora valutato (F9)"));
        m_results->setRowCount(0);
        m_notes->clear();
        return;
    }
    const DossierEvaluation& e = *m_evaluation;
    // the evaluation belongs to the dossier it was made on, which an edit may have shortened since
    if (m_evaluatedAt != m_undo->index() && e.criteria.size() > m_dossier.criteria.size()) {
        m_verdict->setText(Ui::tr("Esito: da valutare di nuovo (F9)"));
        m_results->setRowCount(0);
        return;
    }
    m_verdict->setText(Ui::tr("Esito: %1").arg(QString::fromUtf8(VerdictName(e.verdict, ScreenLanguage()))));
    m_results->setRowCount(static_cast<int>(e.criteria.size()));
    const char sep = UserDecimalSeparator();
    for (int r = 0; r < m_results->rowCount(); ++r) {
        const CriterionOutcome& o = e.criteria[static_cast<std::size_t>(r)];
        const DossierCriterion& c = m_dossier.criteria[o.index];
        const StudyOutcome* s = c.study ? e.findStudy(*c.study) : nullptr;
        std::optional<StudyKindId> kind;
        if (s && s->study) kind = s->study->kindId();
        m_results->setItem(r, 0, item(QString::number(o.index + 1), false));
        m_results->setItem(r, 1, item(q(EntryName(DossierCharacteristics(), c.characteristic, ScreenLanguage())), false));
        m_results->setItem(r, 2, item(c.study ? q(*c.study) : QStringLiteral("-"), false));
        m_results->setItem(r, 3, item(q(CriterionText(c, kind ? &*kind : nullptr, ScreenLanguage(), sep)), false));
        m_results->setItem(r, 4, item(q(o.valueText), false));
        m_results->setItem(r, 5, item(q(o.comparedText), false));
        m_results->setItem(r, 6, item(QString::fromUtf8(VerdictName(o.verdict, ScreenLanguage())), false));
        m_results->setItem(r, 7, item(q(InterfaceIsEnglish() ? o.reason.en : o.reason.it), false));
    }
    m_results->resizeColumnsToContents();
    QString notes = q(e.conclusion(m_dossier, ScreenLanguage())) + QStringLiteral("\n");
    // a study open with unsaved changes: the dossier read its saved file
    std::vector<std::filesystem::path> unsaved = m_host.unsavedStudies ? m_host.unsavedStudies() : std::vector<std::filesystem::path>{};
    for (const StudyOutcome& s : e.studies) {
        notes += QStringLiteral("\n%1 (%2): %3").arg(q(s.id), q(s.file), statusName(s.status));
        std::error_code ec;
        for (const auto& u : unsaved)
            if (std::filesystem::equivalent(u, s.path, ec))
                notes += Ui::tr(" - aperto con modifiche non salvate: il dossier usa il file salvato");
        for (const auto& m : s.messages) notes += QStringLiteral("\n    ") + q(m);
    }
    m_notes->setPlainText(notes);
}

// --- Firme

QWidget* DossierWindow::buildSignaturesPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_signatures = makeTable(QStringLiteral("signatures"),
                             {Ui::tr("Ruolo"), Ui::tr("Nome"), Ui::tr("Firma elettronica")},
                             page);
    m_signatures->setItemDelegateForColumn(0, new ChoiceDelegate(
                                                  [](const QModelIndex&) {
                                                      return std::vector<Choice>{
                                                          {QStringLiteral("prepared"), Ui::tr("Preparato da")},
                                                          {QStringLiteral("reviewed"), Ui::tr("Verificato da")},
                                                          {QStringLiteral("approved"), Ui::tr("Approvato da")}};
                                                  },
                                                  true, m_signatures));
    layout->addWidget(m_signatures);
    auto* row = new QHBoxLayout;
    connect(button(Ui::tr("A&ggiungi firma"), page, row), &QPushButton::clicked, this, [this] {
        edit(Ui::tr("Aggiungi firma"),
             [](Dossier& d) { d.signatures.push_back({"reviewed", "", OrderedJson::object()}); });
    });
    connect(button(Ui::tr("&Rimuovi firma"), page, row), &QPushButton::clicked, this, [this] {
        const int r = m_signatures->currentRow();
        if (r < 0 || r >= static_cast<int>(m_dossier.signatures.size())) return;
        if (IsElectronicallySigned(m_dossier.signatures[static_cast<std::size_t>(r)])) {
            prompts().warning(Ui::tr("Una firma elettronica resta nel dossier: non si rimuove.").toStdString());
            return;
        }
        edit(Ui::tr("Rimuovi firma"), [r](Dossier& d) { d.signatures.erase(d.signatures.begin() + r); });
    });
    connect(button(Ui::tr("F&irma..."), page, row), &QPushButton::clicked, this, [this] { sign(); });
    row->addStretch();
    layout->addLayout(row);
    connect(m_signatures, &QTableWidget::cellChanged, this, &DossierWindow::commitSignatureCell);
    return page;
}

void DossierWindow::commitSignatureCell(int row, int column)
{
    if (m_filling || row < 0 || row >= static_cast<int>(m_dossier.signatures.size())) return;
    QTableWidgetItem* cell = m_signatures->item(row, column);
    const std::string value =
        (column == 0 ? cell->data(kKeyRole).toString() : cell->text()).trimmed().toStdString();
    edit(Ui::tr("Firma"), [&](Dossier& d) {
        auto& s = d.signatures[static_cast<std::size_t>(row)];
        (column == 0 ? s.role : s.name) = value;
    });
}

void DossierWindow::showSignatures()
{
    m_filling = true;
    m_signatures->setRowCount(static_cast<int>(m_dossier.signatures.size()));
    const std::string boundNow = CurrentBoundSha256(m_dossier, folder());
    for (int r = 0; r < m_signatures->rowCount(); ++r) {
        const DossierSignature& s = m_dossier.signatures[static_cast<std::size_t>(r)];
        QString role = q(s.role);
        if (s.role == "prepared") role = Ui::tr("Preparato da");
        if (s.role == "reviewed") role = Ui::tr("Verificato da");
        if (s.role == "approved") role = Ui::tr("Approvato da");
        // an electronic signature is the signer's: its role and name are not edited
        const bool electronic = IsElectronicallySigned(s);
        m_signatures->setItem(r, 0, item(role, !electronic, q(s.role)));
        m_signatures->setItem(r, 1, item(q(s.name), !electronic));
        const QString text = q(SignatureStatusText(s, boundNow, InterfaceIsEnglish()));
        m_signatures->setItem(r, 2, item(text, false));
    }
    m_signatures->resizeRowsToContents();
    m_signatures->resizeColumnsToContents();
    m_filling = false;
}

// --- the whole dossier

void DossierWindow::showDossier()
{
    m_filling = true;
    const auto set = [this](const char* key, const std::string& text) {
        QLineEdit* line = m_methodFields[QString::fromLatin1(key)];
        if (line->text() != q(text)) line->setText(q(text));
    };
    set("title", m_dossier.title);
    set("document", m_dossier.document);
    set("revision", m_dossier.revision);
    set("analytical_method", m_dossier.method.analyticalMethod);
    set("analyte", m_dossier.method.analyte);
    set("sample", m_dossier.method.sample);
    set("unit", m_dossier.method.unit);
    set("technique", m_dossier.method.technique);
    const char sep = UserDecimalSeparator();
    auto number = [sep](const std::optional<WrittenNumber>& n) {
        return n ? FormatNumber(n->value, n->decimals(), sep) : std::string();
    };
    set("range_low", number(m_dossier.range.low));
    set("range_high", number(m_dossier.range.high));
    set("range_unit", m_dossier.range.unit);
    int purpose = m_purpose->findData(q(m_dossier.purpose));
    if (purpose < 0) {
        // a purpose a newer program wrote stays as it is
        m_purpose->addItem(q(m_dossier.purpose), q(m_dossier.purpose));
        purpose = m_purpose->count() - 1;
    }
    m_purpose->setCurrentIndex(purpose);
    m_filling = false;
    showStudies();
    showCriteria();
    showSignatures();
    showResults();
}

}  // namespace kestra
