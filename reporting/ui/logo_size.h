// ReadLogoSize: the size of a logo picture in twips, as the report's logo box counts it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "reporting/report_pipeline.h"

namespace kestra {

// The picture's size in HIMETRIC (0.01 mm) from its pixels and the resolution the file states, 96 dpi when
// it states none.
QSize HimetricSize(const QImage& image);

// nullopt when no file is at the path; throws ReportPipelineError when the file is not a readable picture.
std::optional<LogoSize> ReadLogoSize(const std::string& path);

// The picture formats a logo may have: those this system really reads, as "*.png" patterns.
QStringList LogoFilePatterns();

}  // namespace kestra
