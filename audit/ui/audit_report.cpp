// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/audit_report.h"

#include <algorithm>

#include "audit/audit_export.h"
#include "reporting/report_layout.h"
#include "framework/ui/ui_text.h"
#include "reporting/ui/report_renderer.h"

namespace kestra {

namespace {
constexpr std::size_t kChangesPerRow = 30;
}  // namespace

std::unique_ptr<RenderedReport> RenderAuditReport(const std::vector<AuditEntry>& entries,
                                                  const std::string& scope, const std::string& check,
                                                  const ReportRequest& request,
                                                  const LogoSizeReader& readLogoSize)
{
    ReportLayout l;
    l.name = "CRRegistro";
    l.title = Fixed(Ui::tr("REGISTRO DELLE MODIFICHE").toStdString());
    l.subtitle = Fixed(scope);
    l.shortName = Fixed(Ui::tr("Registro delle modifiche").toStdString());
    l.signatureVisible = false;
    l.printDateVisible = true;
    FieldsBlock fields;
    fields.lines.push_back({Fixed(Ui::tr("Voci").toStdString()), "F0"});
    fields.lines.push_back({Fixed(Ui::tr("Verifica della catena").toStdString()), "F1"});
    ReportRecord header;
    header.set("F0", std::to_string(entries.size()));
    header.set("F1", check);
    l.blocks.push_back(fields);
    DetailTableBlock table;
    table.columns = {{Fixed(Ui::tr("N.").toStdString()), "N", false, 0, {}, false, 0.5, true},
                     {Fixed(Ui::tr("Data e ora").toStdString()), "T", false, 0, {}, false, 1.6},
                     {Fixed(Ui::tr("Utente").toStdString()), "U", false, 0, {}, false, 1.4},
                     // an action is one word or two: never broken inside a word
                     {Fixed(Ui::tr("Azione").toStdString()), "A", false, 0, {}, false, 1.2, true},
                     {Fixed(Ui::tr("File e modifiche").toStdString()), "M", false, 0, {}, false, 4.0}};
    l.blocks.push_back(table);
    std::vector<ReportRecord> rows;
    rows.reserve(entries.size());
    for (const AuditEntry& e : entries) {
        std::string what = e.objectPath;
        if (!e.oldPath.empty()) what += "\n" + Ui::tr("(da %1)").arg(QString::fromStdString(e.oldPath)).toStdString();
        if (!e.reason.empty()) what += "\n" + Ui::tr("Motivo: ").toStdString() + e.reason;
        if (!e.detail.empty()) what += "\n" + TrailDetailText(e.detail);
        // a row must fit on a page: the full list is in the CSV export and the viewer
        const std::size_t shown = std::min<std::size_t>(e.changes.size(), kChangesPerRow);
        for (std::size_t i = 0; i < shown; ++i) what += "\n" + ChangeText(e.changes[i]);
        const auto more = static_cast<std::int64_t>(e.changes.size() - shown) + e.omittedChanges;
        if (more > 0) what += "\n" + MoreChangesText(more);
        ReportRecord r;
        r.set("N", std::to_string(e.sequence));
        r.set("T", e.localTime);
        r.set("U", e.fullName + " (" + e.login + ")");
        r.set("A", TrailActionText(e.action));
        r.set("M", what);
        rows.push_back(std::move(r));
    }
    return std::make_unique<RenderedReport>(
        ReportDocumentOf(std::move(l), std::move(header), std::move(rows), request, readLogoSize));
}

}  // namespace kestra
