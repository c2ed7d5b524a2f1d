// SPDX-License-Identifier: GPL-3.0-or-later
#include "dossier/ui/dossier_report.h"

#include <utility>

#include "app/self_test.h"
#include "app/self_test_report.h"
#include "audit/sha256.h"
#include "dossier/criteria_catalogue.h"
#include "dossier/dossier_signing.h"
#include "framework/number_pattern.h"
#include "framework/ui/ui_text.h"
#include "text/number_format.h"

namespace kestra {

namespace {

struct Texts {
    bool en;
    const char* operator()(const char* it, const char* english) const { return en ? english : it; }
};

const char* kindName(StudyKindId kind, Language language)
{
    const bool en = language == Language::English;
    switch (kind) {
        case StudyKindId::Limi:
            return en ? "Detection and quantitation limits" : "Limiti di rilevazione e di determinazione";
        case StudyKindId::Prec:
            return en ? "Precision (repeatability)" : "Precisione (ripetibilità)";
        case StudyKindId::Tara:
            return en ? "Calibration (linearity)" : "Taratura (linearità)";
        case StudyKindId::Accu:
            return en ? "Accuracy" : "Accuratezza";
        case StudyKindId::Spec:
            return en ? "Specificity" : "Specificità";
        case StudyKindId::Prin:
            return en ? "Intermediate precision" : "Precisione intermedia";
        case StudyKindId::Ripr:
            return en ? "Reproducibility" : "Riproducibilità";
    }
    return "";
}

ReportLayout ownLayout(const std::string& name, const std::string& title, const std::string& subtitle,
                       const std::string& shortName)
{
    ReportLayout l;
    l.name = name;
    l.title = Fixed(title);
    l.subtitle = Fixed(subtitle);
    l.shortName = Fixed(shortName);
    // the dossier is signed once, on its signature page
    l.signatureVisible = false;
    l.logo.visible = true;
    return l;
}

// Fields of one record, each printed as "label: value", in their order.
class FieldsPage {
public:
    void add(const std::string& label, const std::string& value)
    {
        const std::string field = "F" + std::to_string(m_count++);
        m_block.lines.push_back({Fixed(label), field});
        header.set(field, value);
    }
    FieldsBlock take() { return std::exchange(m_block, {}); }
    ReportRecord header;

private:
    FieldsBlock m_block;
    int m_count = 0;
};

DetailColumn column(const std::string& heading, const std::string& field, double width, bool keepWidth = false)
{
    DetailColumn c;
    c.keepWidth = keepWidth;
    c.heading = Fixed(heading);
    c.field = field;
    c.width = width;
    return c;
}

// The result as compared; the reason of a verdict that is not a pass follows it.
std::string resultText(const CriterionOutcome& c, Language language)
{
    std::string text = "-";
    if (!c.valueText.empty())
        text = c.comparedText.empty() || c.comparedText == c.valueText ? c.valueText
                                                                       : c.valueText + " → " + c.comparedText;
    const std::string& reason = language == Language::English ? c.reason.en : c.reason.it;
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

// One detail record per criterion; `only` keeps those of one study.
std::vector<ReportRecord> criteriaRows(const Dossier& d, const DossierEvaluation& e, Language language,
                                       char separator, const std::string* only)
{
    std::vector<ReportRecord> rows;
    for (const auto& c : e.criteria) {
        const DossierCriterion& dc = d.criteria[c.index];
        if (only && dc.study != *only) continue;
        const StudyOutcome* s = dc.study ? e.findStudy(*dc.study) : nullptr;
        std::optional<StudyKindId> kind;
        if (s && s->study) kind = s->study->kindId();
        ReportRecord r;
        r.set("N", std::to_string(c.index + 1));
        r.set("CARATTERISTICA", EntryName(DossierCharacteristics(), dc.characteristic, language));
        r.set("STUDIO", s ? (s->label.empty() ? s->id : s->label) : (dc.study ? *dc.study : "-"));
        r.set("CRITERIO", CriterionText(dc, kind ? &*kind : nullptr, language, separator));
        r.set("RISULTATO", resultText(c, language));
        r.set("ESITO", std::string(VerdictName(c.verdict, language)));
        rows.push_back(std::move(r));
    }
    return rows;
}

DetailTableBlock criteriaTable(Texts t, bool withStudy)
{
    DetailTableBlock b;
    b.heading = Fixed(t("Criteri di accettazione", "Acceptance criteria"));
    b.columns.push_back(column(t("N.", "No."), "N", 0.35, true));
    b.columns.push_back(column(t("Caratteristica", "Characteristic"), "CARATTERISTICA", 1.3, true));
    if (withStudy) b.columns.push_back(column(t("Studio", "Study"), "STUDIO", 1.3));
    b.columns.push_back(column(t("Criterio", "Criterion"), "CRITERIO", 2.0));
    b.columns.push_back(column(t("Risultato (→ come confrontato)", "Result (→ as compared)"), "RISULTATO", 1.4));
    b.columns.push_back(column(t("Esito", "Verdict"), "ESITO", 1.0, true));
    return b;
}

std::string rangeText(const Dossier& d, char separator)
{
    auto n = [&](const std::optional<WrittenNumber>& w) {
        return w ? FormatNumber(w->value, w->decimals(), separator) : std::string("?");
    };
    if (!d.range.low && !d.range.high) return "-";
    return n(d.range.low) + " - " + n(d.range.high) + (d.range.unit.empty() ? "" : " " + d.range.unit);
}

std::string statusText(const StudyOutcome& s, Texts t)
{
    if (s.status == "ok") return t("letto e calcolato", "read and calculated");
    if (s.status == "warnings") return t("letto con valori non letti come scritti", "read with values not read as written");
    if (s.status == "missing") return t("file mancante", "file missing");
    if (s.status == "unreadable") return t("file illeggibile", "file unreadable");
    if (s.status == "unknown_kind") return t("non è uno studio", "not a study");
    return t("calcolo non eseguito", "calculation refused");
}

std::string messagesText(const StudyOutcome& s)
{
    std::string text;
    for (const auto& m : s.messages) text += (text.empty() ? "" : "\n") + m;
    return text;
}

std::string fTableCheck(const DossierReportRequest& request, Texts t)
{
    try {
        const auto lines = CheckFTable(request.report.database,
                                       ReferenceFolder(request.programDataFolder) / "tabf_seed.sql");
        int failed = 0;
        for (const auto& l : lines) failed += l.passed ? 0 : 1;
        if (lines.empty()) return t("non eseguita: nessun confronto", "not run: nothing compared");
        if (failed == 0)
            return std::string(t("superata", "passed")) + " (" + std::to_string(lines.size()) +
                   t(" confronti)", " comparisons)");
        return std::string(t("NON superata", "NOT passed")) + " (" + std::to_string(failed) +
               t(" confronti diversi dal riferimento)", " comparisons differ from the reference)");
    } catch (const std::exception& e) {
        return std::string(t("non eseguita: ", "not run: ")) + e.what();
    }
}

}  // namespace

std::unique_ptr<RenderedReport> RenderDossierReport(const Dossier& d, const DossierEvaluation& e,
                                                    const DossierReportRequest& request,
                                                    const LogoSizeReader& readLogoSize)
{
    const Language language = request.report.language;
    const Texts t{language == Language::English};
    const char sep = request.report.decimalSeparator;
    const std::string shortName = std::string(t("Dossier di convalida", "Validation dossier")) +
                                  (d.document.empty() ? "" : " " + d.document);
    const std::string title = t("DOSSIER DI CONVALIDA DEL METODO ANALITICO", "ANALYTICAL METHOD VALIDATION DOSSIER");
    std::vector<std::unique_ptr<RenderedReport>> parts;
    auto add = [&](ReportLayout layout, ReportRecord header, std::vector<ReportRecord> details) {
        parts.push_back(std::make_unique<RenderedReport>(
            ReportDocumentOf(std::move(layout), std::move(header), std::move(details), request.report, readLogoSize)));
    };

    // 1. cover
    {
        ReportLayout l = ownLayout("CRDossier", title, d.title, shortName);
        FieldsPage f;
        f.add(t("Documento", "Document"), d.document);
        f.add(t("Revisione", "Revision"), d.revision);
        f.add(t("Metodo analitico", "Analytical method"), d.method.analyticalMethod);
        f.add(t("Analita", "Analyte"), d.method.analyte);
        f.add(t("Campione", "Sample"), d.method.sample);
        f.add(t("Unità di misura", "Unit"), d.method.unit);
        f.add(t("Tecnica", "Technique"), d.method.technique);
        f.add(t("Scopo del metodo", "Purpose of the method"), EntryName(DossierPurposes(), d.purpose, language));
        f.add(t("Intervallo di lavoro", "Range"), rangeText(d, sep));
        f.add(t("Data", "Date"), request.report.today.empty() ? TodayText() : request.report.today);
        f.add(t("Valutato il (UTC)", "Evaluated on (UTC)"), e.time);
        f.add(t("Programma", "Program"), kApplicationTitle);
        f.add(t("Versione", "Version"), KESTRA_VERSION);
        f.add(t("Build", "Build"), BuildIdentifier());
        l.blocks.push_back(f.take());
        TextBlock verdict;
        verdict.heading = Fixed(std::string(t("Esito della convalida: ", "Validation verdict: ")) +
                                VerdictName(e.verdict, language));
        verdict.text = Fixed(e.conclusion(d, language));
        l.blocks.push_back(verdict);
        add(std::move(l), std::move(f.header), {});
    }

    // 2. summary
    {
        ReportLayout l = ownLayout("CRDossierSintesi", title, t("Sintesi dei risultati", "Summary of results"),
                                   shortName);
        l.blocks.push_back(criteriaTable(t, true));
        TextBlock rule;
        rule.heading = Fixed(t("Regola di arrotondamento", "Rounding rule"));
        rule.text = Fixed(t("Ogni risultato è arrotondato ai decimali con cui è scritto il suo limite (metà "
                            "lontano da zero, come nella visualizzazione) prima del confronto. Le prove "
                            "significativo / non significativo usano il giudizio dello studio al 95 %.",
                            "Each result is rounded to the decimals its limit is written with (half away from "
                            "zero, as results are displayed) before it is compared. The significant / not "
                            "significant tests use the study's own judgement at 95 %."));
        l.blocks.push_back(rule);
        TextBlock conclusion;
        conclusion.heading = Fixed(std::string(t("Conclusione: ", "Conclusion: ")) + VerdictName(e.verdict, language));
        conclusion.text = Fixed(e.conclusion(d, language));
        l.blocks.push_back(conclusion);
        add(std::move(l), {}, criteriaRows(d, e, language, sep, nullptr));
    }

    // 3. each study after its label, its report as it prints alone
    for (std::size_t i = 0; i < e.studies.size(); ++i) {
        const StudyOutcome& s = e.studies[i];
        const std::string number = std::string(t("Studio ", "Study ")) + std::to_string(i + 1) + t(" di ", " of ") +
                                   std::to_string(e.studies.size());
        ReportLayout l = ownLayout("CRDossierStudio", s.label.empty() ? s.id : s.label,
                                   s.study ? std::string(kindName(s.study->kindId(), language)) : number, shortName);
        FieldsPage f;
        f.add(t("Studio", "Study"), number);
        f.add(t("Identificativo", "Identifier"), s.id);
        f.add(t("File", "File"), s.file);
        f.add(t("Stato", "State"), statusText(s, t));
        if (!s.messages.empty()) f.add(t("Messaggi", "Messages"), messagesText(s));
        l.blocks.push_back(f.take());
        auto rows = criteriaRows(d, e, language, sep, &s.id);
        if (!rows.empty()) l.blocks.push_back(criteriaTable(t, false));
        if (!s.usable())
            l.blocks.push_back(TextBlock{Fixed(t("Report dello studio non disponibile", "Study report not available")),
                                         Fixed(t("Il file non è stato letto o calcolato: i suoi criteri non sono "
                                                 "valutabili.",
                                                 "The file was not read or calculated: its criteria cannot be "
                                                 "evaluated."))});
        add(std::move(l), std::move(f.header), std::move(rows));
        if (!s.usable()) continue;
        try {
            parts.push_back(std::make_unique<RenderedReport>(PrepareStudyReport(*s.study, request.report, readLogoSize)));
        } catch (const ReportPipelineError& err) {
            throw ReportPipelineError(
                Ui::tr("report dello studio %1: %2").arg(QString::fromStdString(s.id), QString::fromStdString(err.step()))
                    .toStdString(),
                err.what());
        }
    }

    // 4. traceability
    {
        ReportLayout l = ownLayout("CRDossierTracciabilita", title, t("Tracciabilità", "Traceability"), shortName);
        DetailTableBlock files;
        files.heading = Fixed(t("File degli studi", "Study files"));
        files.columns = {column(t("Studio", "Study"), "ID", 0.6), column(t("File", "File"), "FILE", 2.2),
                         column(t("Dimensione (byte)", "Size (bytes)"), "SIZE", 0.9),
                         column(t("Modificato", "Modified"), "MODIFIED", 1.2)};
        l.blocks.push_back(files);
        DetailTableBlock hashes;
        hashes.heading = Fixed(t("Impronte SHA-256", "SHA-256 fingerprints"));
        hashes.columns = {column(t("Studio", "Study"), "ID2", 0.6), column("SHA-256", "SHA", 4.3, true)};
        l.blocks.push_back(hashes);
        std::vector<ReportRecord> rows;
        for (const auto& s : e.studies) {
            ReportRecord r;
            r.set("ID", s.id);
            r.set("FILE", s.path.string());
            r.set("SIZE", s.sha256.empty() ? "-" : std::to_string(s.size));
            r.set("MODIFIED", s.modified.empty() ? "-" : s.modified);
            r.set("ID2", s.id);
            r.set("SHA", s.sha256.empty() ? statusText(s, t) : s.sha256);
            rows.push_back(std::move(r));
        }
        FieldsPage f;
        std::string dossierHash = t("non salvato", "not saved");
        if (!request.dossierFile.empty()) {
            try {
                dossierHash = Sha256OfFile(request.dossierFile);
            } catch (const std::exception& err) {
                dossierHash = err.what();
            }
        }
        f.add(t("Dossier", "Dossier"), request.dossierFile.empty() ? "-" : request.dossierFile.string());
        f.add(t("SHA-256 del dossier", "Dossier SHA-256"), dossierHash);
        f.add(t("Programma", "Program"), std::string(kApplicationTitle) + " " + KESTRA_VERSION);
        f.add(t("Build", "Build"), BuildIdentifier());
        f.add(t("Database dei report", "Report database"), request.report.database.string());
        f.add(t("Verifica della tabella F (autoverifica)", "F-table check (self-test)"), fTableCheck(request, t));
        l.blocks.insert(l.blocks.begin(), f.take());
        add(std::move(l), std::move(f.header), std::move(rows));
    }

    // 5. signatures: printed name, date and signature line; the line for an electronic signature stays free
    {
        ReportLayout l = ownLayout("CRDossierFirme", title, t("Firme", "Signatures"), shortName);
        FieldsPage f;
        const std::string line = "________________________________________";
        // electronic signatures in the dossier's order, each with its validity against the content now
        const bool english = language == Language::English;
        const std::string boundNow = CurrentBoundSha256(d, request.dossierFile.parent_path());
        for (const auto& s : d.signatures) {
            const std::string electronic = SignatureStatusText(s, boundNow, english);
            const std::string electronicText = electronic.empty() ? "-" : electronic;
            std::string role = s.role;
            if (s.role == "prepared") role = t("Preparato da", "Prepared by");
            if (s.role == "reviewed") role = t("Verificato da", "Reviewed by");
            if (s.role == "approved") role = t("Approvato da", "Approved by");
            l.blocks.push_back(TextBlock{Fixed(role), Fixed("")});
            f.add(t("Nome", "Name"), s.name.empty() ? line : s.name);
            f.add(t("Data", "Date"), "____ / ____ / ________");
            f.add(t("Firma", "Signature"), "\n" + line);
            f.add(t("Firma elettronica", "Electronic signature"), electronicText);
            l.blocks.push_back(f.take());
        }
        add(std::move(l), std::move(f.header), {});
    }

    ReportDocument book = parts.front()->document();
    return std::make_unique<RenderedReport>(std::move(book), std::move(parts));
}

}  // namespace kestra
