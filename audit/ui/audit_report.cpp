// SPDX-License-Identifier: GPL-3.0-or-later
#include "audit/ui/audit_report.h"

#include <algorithm>

#include "audit/audit_export.h"
#include "reporting/report_layout.h"
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
    l.title = Fixed("REGISTRO DELLE MODIFICHE");
    l.subtitle = Fixed(scope);
    l.shortName = Fixed("Registro delle modifiche");
    l.signatureVisible = false;
    l.printDateVisible = true;
    FieldsBlock fields;
    fields.lines.push_back({Fixed("Voci"), "F0"});
    fields.lines.push_back({Fixed("Verifica della catena"), "F1"});
    ReportRecord header;
    header.set("F0", std::to_string(entries.size()));
    header.set("F1", check);
    l.blocks.push_back(fields);
    DetailTableBlock table;
    table.columns = {{Fixed("N."), "N", false, 0, {}, false, 0.5, true},
                     {Fixed("Data e ora"), "T", false, 0, {}, false, 1.6},
                     {Fixed("Utente"), "U", false, 0, {}, false, 1.4},
                     // an action is one word or two: never broken inside a word
                     {Fixed("Azione"), "A", false, 0, {}, false, 1.2, true},
                     {Fixed("File e modifiche"), "M", false, 0, {}, false, 4.0}};
    l.blocks.push_back(table);
    std::vector<ReportRecord> rows;
    rows.reserve(entries.size());
    for (const AuditEntry& e : entries) {
        std::string what = e.objectPath;
        if (!e.oldPath.empty()) what += "\n(da " + e.oldPath + ")";
        if (!e.reason.empty()) what += "\nMotivo: " + e.reason;
        if (!e.detail.empty()) what += "\n" + e.detail;
        // a row must fit on a page: the full list is in the CSV export and the viewer
        const std::size_t shown = std::min<std::size_t>(e.changes.size(), kChangesPerRow);
        for (std::size_t i = 0; i < shown; ++i) what += "\n" + ChangeText(e.changes[i]);
        const auto more = static_cast<std::int64_t>(e.changes.size() - shown) + e.omittedChanges;
        if (more > 0) what += "\n... e altre " + std::to_string(more) + " modifiche";
        ReportRecord r;
        r.set("N", std::to_string(e.sequence));
        r.set("T", e.localTime);
        r.set("U", e.fullName + " (" + e.login + ")");
        r.set("A", e.action);
        r.set("M", what);
        rows.push_back(std::move(r));
    }
    return std::make_unique<RenderedReport>(
        ReportDocumentOf(std::move(l), std::move(header), std::move(rows), request, readLogoSize));
}

}  // namespace kestra
