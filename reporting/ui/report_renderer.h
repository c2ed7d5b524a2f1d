// The one report renderer: lays a prepared report out on A4 pages and paints them for preview, printer and PDF.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "reporting/report_pipeline.h"

class QPainter;
class QPagedPaintDevice;

namespace kestra {

struct ReportPages;

class RenderedReport {
public:
    // Lays the pages out at once (needs a QGuiApplication for the fonts).
    explicit RenderedReport(ReportDocument document);
    // A document made of reports one after another (the validation dossier): their pages in turn, numbered
    // over the whole; `document` gives the PDF its title.
    RenderedReport(ReportDocument document, std::vector<std::unique_ptr<RenderedReport>> parts);
    ~RenderedReport();
    RenderedReport(const RenderedReport&) = delete;
    RenderedReport& operator=(const RenderedReport&) = delete;

    const ReportDocument& document() const { return m_document; }
    int pageCount() const;

    // Paints page index (0-based) on a painter whose device origin is the top-left corner of an A4 sheet
    // and whose logical resolution gives the scale (a printer set to full page, a PDF writer without margins).
    void paintPage(QPainter& painter, int index) const;
    // Every page in turn, starting a new page on the device between them. The device must be A4, margins 0.
    void paintAll(QPagedPaintDevice& device) const;
    // A PDF file of the report. Throws ReportPipelineError naming the step.
    void writePdf(const QString& path) const;

    // What the report shows, for the audit trail's entries of its printing and export: the file and its kind
    // (empty: nothing recorded).
    void setSource(std::string path, std::string kind)
    {
        m_sourcePath = std::move(path);
        m_sourceKind = std::move(kind);
    }
    const std::string& sourcePath() const { return m_sourcePath; }
    const std::string& sourceKind() const { return m_sourceKind; }

    // The page size the layout is made for, in points.
    static constexpr double kPageWidth = 595.276;
    static constexpr double kPageHeight = 841.89;

private:
    // The page with its own heading and foot, the foot numbering it `number` of `total`.
    void paintNumberedPage(QPainter& painter, int index, int number, int total) const;

    ReportDocument m_document;
    std::vector<std::unique_ptr<RenderedReport>> m_parts;
    std::unique_ptr<ReportPages> m_pages;
    std::string m_sourcePath;
    std::string m_sourceKind;
};

}  // namespace kestra
