// The audit trail as a printed report: the company heading, the filters, one row per entry with its changes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audit/audit_entry.h"
#include "reporting/report_pipeline.h"

namespace kestra {

class RenderedReport;

// `scope` says which entries these are (the filters, in words); `check` the chain verification's result.
std::unique_ptr<RenderedReport> RenderAuditReport(const std::vector<AuditEntry>& entries,
                                                  const std::string& scope, const std::string& check,
                                                  const ReportRequest& request,
                                                  const LogoSizeReader& readLogoSize);

}  // namespace kestra
