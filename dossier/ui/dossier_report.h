// The validation dossier's report: cover, summary, each study's own report after its label, traceability and
// signatures, laid out by the one report renderer as one document numbered over all its pages.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

#include "dossier/evaluation.h"
#include "reporting/report_pipeline.h"
#include "reporting/ui/report_renderer.h"

namespace kestra {

struct DossierReportRequest {
    ReportRequest report;                    // database, language, print date, separator, logo, extended
    std::filesystem::path dossierFile;       // its SHA-256 is printed; empty: not saved yet
    std::filesystem::path programDataFolder; // where the F table's reference (selftest/tabf_seed.sql) is
};

// Writes each study's report tables as its print command does and lays every page out. Throws
// ReportPipelineError naming the failed step. The studies of the evaluation must have been calculated.
std::unique_ptr<RenderedReport> RenderDossierReport(const Dossier& dossier, const DossierEvaluation& evaluation,
                                                    const DossierReportRequest& request,
                                                    const LogoSizeReader& readLogoSize);

}  // namespace kestra
