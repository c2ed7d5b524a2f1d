// Helpers of the report widget tests: a filled limits study, a filled company heading, PNG pictures of a
// chosen size, PDF text.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

#include "reporting/report_database.h"
#include "studies/limits/limits_study.h"

namespace kestra::test {

inline void FillLimitsStudy(LimitsStudy& study, int n, const std::string& method = "Assorbimento atomico")
{
    study.setMeasurementCount(n);
    for (int r = 0; r < n; ++r) study.grid().setCell(r, 0, 0.4 + 0.001 * ((r * 37) % 53));
    study.setHeader(0, method);
    study.setHeader(1, "Piombo");
    study.setHeader(2, "Acqua potabile");
    study.setHeader(3, "mg/l");
    study.calculate();
}

// Every field of the company heading filled, with lengths a laboratory has; no logo.
inline CompanyData FilledCompanyData()
{
    CompanyData c;
    c.texts = {"Laboratorio Chimico Rossi S.r.l.",
               "Mario Rossi",
               "Dott.ssa Giulia Bianchi",
               "Via Garibaldi 124",
               "Pavia",
               "27100",
               "0382 123456",
               "0382 654321",
               "info@laboratoriorossi.it",
               "www.laboratoriorossi.it"};
    c.noLogoFlag = -1;
    return c;
}

// A PNG of width x height pixels stating dotsPerMeter (0: no resolution in the file).
inline void WritePicture(const std::filesystem::path& path, int width, int height, int dotsPerMeter)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(20, 60, 140));
    if (dotsPerMeter > 0) {
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
    }
    image.save(QString::fromStdString(path.string()), "PNG");
}

// The text of a PDF as pdftotext gives it (layout kept); "" when the tool fails.
inline std::string PdfText(const std::filesystem::path& pdf, int firstPage = 0, int lastPage = 0)
{
    std::string command = "pdftotext -layout";
    if (firstPage > 0) command += " -f " + std::to_string(firstPage);
    if (lastPage > 0) command += " -l " + std::to_string(lastPage);
    command += " '" + pdf.string() + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

inline int PdfPageCount(const std::filesystem::path& pdf)
{
    std::string out;
    if (FILE* pipe = popen(("pdfinfo '" + pdf.string() + "' 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    const auto at = out.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(out.substr(at + 6));
}

inline std::size_t Occurrences(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++count;
    return count;
}

}  // namespace kestra::test
