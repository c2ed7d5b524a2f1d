// Printing charts with their print settings, and saving them as PDF or PNG.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

#include "framework/chart_data.h"
#include "framework/ui/chart_view.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace kestra {

// One chart to print: its data, its print settings and the size it has on screen (pixels).
struct ChartPrintJob {
    ChartData data;
    ChartPrintSettings settings;
    QSize screenSize;
};

// The size a chart takes on screen when it has none yet (never shown, or the command line).
QSize DefaultChartScreenSize();
ChartPrintJob MakePrintJob(const ChartView& view);

// Sets orientation and margins (millimetres) of the page for a chart.
void ApplyChartPageLayout(QPagedPaintDevice& device, const ChartPrintSettings& settings);
// Paints one chart on the page the painter is on: "whole page" fills the area inside the margins,
// "current size" keeps the screen size; the screen layout scales the chart as seen on screen, the printer
// layout lays it out anew at the size it prints. Returns the rectangle painted, in device pixels.
QRectF PaintChartPage(QPainter& painter, QPagedPaintDevice& device, const ChartPrintJob& job);

// Prints the charts one per page on the printer as it is set up. Returns false when nothing could be
// printed (the printer refused to start); the reason is then in error.
bool PrintCharts(QPrinter& printer, const std::vector<ChartPrintJob>& jobs, QString* error = nullptr);
// Writes the charts as a PDF file, one per page, with their print settings.
bool SaveChartsPdf(const QString& path, const std::vector<ChartPrintJob>& jobs, QString* error = nullptr);
// Writes one chart as a PNG picture of the given size (pixels).
bool SaveChartPng(const QString& path, const ChartData& data, const QSize& size, QString* error = nullptr);

}  // namespace kestra
