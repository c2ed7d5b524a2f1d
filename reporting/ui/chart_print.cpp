// SPDX-License-Identifier: GPL-3.0-or-later
#include "reporting/ui/chart_print.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "framework/study_kind.h"
#include "framework/ui/ui_text.h"

namespace kestra {

QSize DefaultChartScreenSize()
{
    return {900, 600};
}

ChartPrintJob MakePrintJob(const ChartView& view)
{
    ChartPrintJob job{view.chartData(), view.printSettings(), view.size()};
    // a chart never laid out on screen has no size of its own yet
    if (!view.isVisible() || job.screenSize.width() < 50 || job.screenSize.height() < 50)
        job.screenSize = DefaultChartScreenSize();
    return job;
}

void ApplyChartPageLayout(QPagedPaintDevice& device, const ChartPrintSettings& settings)
{
    device.setPageOrientation(settings.orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    const QMarginsF margins(settings.leftMargin, settings.topMargin, settings.rightMargin,
                            settings.bottomMargin);
    if (!device.setPageMargins(margins, QPageLayout::Millimeter)) {
        // below what the printer can reach: its own minimum takes the place of the smaller margins
        QPageLayout layout = device.pageLayout();
        const QMarginsF least = layout.minimumMargins();
        device.setPageMargins(
            QMarginsF(std::max(margins.left(), least.left()), std::max(margins.top(), least.top()),
                      std::max(margins.right(), least.right()), std::max(margins.bottom(), least.bottom())),
            QPageLayout::Millimeter);
    }
}

QRectF PaintChartPage(QPainter& painter, QPagedPaintDevice& device, const ChartPrintJob& job)
{
    const qreal dpi = painter.device()->logicalDpiX();
    const QSizeF area = device.pageLayout().paintRectPixels(static_cast<int>(dpi)).size();
    const qreal layoutDpi = ChartLayoutDpi();
    const QSizeF screen = QSizeF(job.screenSize.isValid() ? job.screenSize : DefaultChartScreenSize());

    QSizeF output = area;
    if (job.settings.scaling == ChartPrintSettings::Scaling::CurrentSize) {
        output = screen * (dpi / layoutDpi);
        if (output.width() > area.width() || output.height() > area.height())
            output.scale(area, Qt::KeepAspectRatio);  // larger than the paper: as large as it fits
    }
    if (output.width() < 1 || output.height() < 1) return {};
    const QSizeF layout = job.settings.screenLayout ? screen : output * (layoutDpi / dpi);
    return ChartView::paint(painter, QRectF(QPointF(0, 0), output), job.data, layout);
}

namespace {

bool paintJobs(QPagedPaintDevice& device, const std::vector<ChartPrintJob>& jobs, QString* error,
               const QString& failure)
{
    if (jobs.empty()) return true;
    ApplyChartPageLayout(device, jobs.front().settings);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error) *error = failure;
        return false;
    }
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (i > 0) {
            ApplyChartPageLayout(device, jobs[i].settings);
            device.newPage();
        }
        PaintChartPage(painter, device, jobs[i]);
    }
    return painter.end();
}

}  // namespace

bool PrintCharts(QPrinter& printer, const std::vector<ChartPrintJob>& jobs, QString* error)
{
    printer.setDocName(QString::fromUtf8(kApplicationTitle));
    return paintJobs(
        printer, jobs, error,
        Ui::tr("Impossibile avviare la stampa sulla stampante \"%1\".").arg(printer.printerName()));
}

bool SaveChartsPdf(const QString& path, const std::vector<ChartPrintJob>& jobs, QString* error)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator(QString::fromUtf8(kApplicationTitle));
    if (!jobs.empty()) writer.setTitle(QString::fromStdString(jobs.front().data.title));
    const bool ok =
        paintJobs(writer, jobs, error, Ui::tr("Impossibile scrivere il file %1.").arg(path));
    if (ok && !QFileInfo::exists(path)) {
        if (error) *error = Ui::tr("Impossibile scrivere il file %1.").arg(path);
        return false;
    }
    return ok;
}

bool SaveChartPng(const QString& path, const ChartData& data, const QSize& size, QString* error)
{
    QImage image(size.expandedTo(QSize(50, 50)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        ChartView::paint(painter, QRectF(QPointF(0, 0), image.size()), data, image.size());
    }
    if (!image.save(path, "PNG")) {
        if (error) *error = Ui::tr("Impossibile scrivere il file %1.").arg(path);
        return false;
    }
    return true;
}

}  // namespace kestra
