// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/report_renderer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <optional>

#include "framework/ui/ui_text.h"
#include "reporting/ui/report_pages.h"
#include "text/number_format.h"

namespace kestra {

namespace {

using namespace report_pages;

void paintOps(QPainter& painter, const Typesetter& t, const PageOps& ops, double sx, double sy)
{
    auto scaled = [&](const QRectF& r) {
        return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy);
    };
    painter.setPen(Qt::NoPen);
    for (const auto& f : ops.fills) painter.fillRect(scaled(f.rect), f.color);
    for (const auto& l : ops.lines) {
        painter.setPen(QPen(l.color, l.width * sx, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QLineF(l.line.x1() * sx, l.line.y1() * sy, l.line.x2() * sx, l.line.y2() * sy));
    }
    for (const auto& op : ops.texts) {
        painter.setFont(t.font(op.role));
        painter.setPen(op.color);
        painter.drawText(
            scaled(op.rect),
            static_cast<int>(op.align | Qt::AlignVCenter) | Qt::TextSingleLine | Qt::TextDontClip, op.text);
    }
}

}  // namespace

RenderedReport::RenderedReport(ReportDocument document)
    : m_document(std::move(document)), m_pages(new ReportPages)
{
    try {
        ComposeReport(m_document, *m_pages);
    } catch (const ReportPipelineError&) {
        throw;
    } catch (const std::exception& e) {
        throw ReportPipelineError(
            Ui::tr("impaginazione del report %1").arg(QString::fromStdString(m_document.layout.name)).toStdString(),
            e.what());
    }
}

RenderedReport::RenderedReport(ReportDocument document, std::vector<std::unique_ptr<RenderedReport>> parts)
    : m_document(std::move(document)), m_parts(std::move(parts)), m_pages(new ReportPages)
{
}

RenderedReport::~RenderedReport() = default;

int RenderedReport::pageCount() const
{
    if (m_parts.empty()) return static_cast<int>(m_pages->pages.size());
    int count = 0;
    for (const auto& part : m_parts) count += part->pageCount();
    return count;
}

void RenderedReport::paintPage(QPainter& painter, int index) const
{
    if (m_parts.empty()) {
        paintNumberedPage(painter, index, index + 1, pageCount());
        return;
    }
    const int total = pageCount();
    int first = 0;
    for (const auto& part : m_parts) {
        const int count = part->pageCount();
        if (index >= first && index < first + count) {
            part->paintNumberedPage(painter, index - first, index + 1, total);
            return;
        }
        first += count;
    }
}

void RenderedReport::paintNumberedPage(QPainter& painter, int index, int number, int total) const
{
    if (index < 0 || index >= static_cast<int>(m_pages->pages.size())) return;
    const QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / 72.0;
    const double sy = device->logicalDpiY() / 72.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const Typesetter& t = m_pages->typesetter;

    if (!m_pages->logo.isNull()) {
        // The picture keeps its proportions inside the logo box.
        const QRectF box = m_pages->logoBox;
        QSizeF size = QSizeF(m_pages->logo.size()).scaled(box.size(), Qt::KeepAspectRatio);
        const QRectF target(box.x() * sx, box.y() * sy, size.width() * sx, size.height() * sy);
        painter.drawImage(target, m_pages->logo);
    }
    paintOps(painter, t, m_pages->heading, sx, sy);
    paintOps(painter, t, m_pages->pages[static_cast<std::size_t>(index)], sx, sy);

    // Foot: report name, print date, page number.
    const bool english = m_document.language == Language::English;
    PageOps foot;
    const double y = kFooterRule + 4;
    const double h = t.lineHeight(Role::Footer);
    foot.lines.push_back({QLineF(kContentLeft, kFooterRule, kContentRight, kFooterRule), 0.5, kRule});
    foot.texts.push_back({QRectF(kContentLeft, y, kContentWidth / 3, h),
                          q(m_document.layout.text(m_document.layout.shortName)), Role::Footer, Qt::AlignLeft,
                          kMuted});
    if (m_document.layout.printDateVisible)
        foot.texts.push_back({QRectF(kContentLeft + kContentWidth / 3, y, kContentWidth / 3, h),
                              (english ? QStringLiteral("Printed on ") : QStringLiteral("Stampato il ")) +
                                  q(m_document.printDate),
                              Role::Footer, Qt::AlignHCenter, kMuted});
    foot.texts.push_back({QRectF(kContentRight - kContentWidth / 3, y, kContentWidth / 3, h),
                          (english ? QStringLiteral("Page %1 of %2") : QStringLiteral("Pagina %1 di %2"))
                              .arg(number)
                              .arg(total),
                          Role::Footer, Qt::AlignRight, kMuted});
    paintOps(painter, t, foot, sx, sy);
    painter.restore();
}

void RenderedReport::paintAll(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportPipelineError(Ui::tr("stampa del report").toStdString(),
                                  Ui::tr("il dispositivo di stampa non è pronto").toStdString());
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0) device.newPage();
        paintPage(painter, i);
    }
    painter.end();
}

void RenderedReport::writePdf(const QString& path) const
{
    const std::string step = Ui::tr("esportazione PDF in \"%1\"").arg(path).toStdString();
    // Written next to the target and renamed, so a failed export never leaves half a file.
    const QString temporary = path + QStringLiteral(".part");
    {
        QPdfWriter writer(temporary);
        writer.setResolution(1200);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setCreator(QStringLiteral("Kestra 2006"));
        writer.setTitle(q(m_document.layout.text(m_document.layout.title)) + QStringLiteral(" - ") +
                        q(m_document.layout.text(m_document.layout.subtitle)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            QFile::remove(temporary);
            throw ReportPipelineError(step, Ui::tr("il file non può essere scritto").toStdString());
        }
        for (int i = 0; i < pageCount(); ++i) {
            if (i > 0) writer.newPage();
            paintPage(painter, i);
        }
        painter.end();
    }
    if (!QFileInfo(temporary).exists() || QFileInfo(temporary).size() == 0) {
        QFile::remove(temporary);
        throw ReportPipelineError(step, Ui::tr("il file non può essere scritto").toStdString());
    }
    std::error_code error;
    std::filesystem::rename(temporary.toStdString(), path.toStdString(), error);
    if (error) {
        QFile::remove(temporary);
        throw ReportPipelineError(step, error.message());
    }
}

}  // namespace kestra
