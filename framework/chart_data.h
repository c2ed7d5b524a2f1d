// What a study asks a chart to draw: kind, data table, labels, titles, axes and markers. No drawing here.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestra {

struct ChartAxis {
    std::string title;
    int titleFontSize = 8;
    bool titleVisible = true;
    bool automatic = true;  // when false the fixed range below applies
    double minimum = 0;
    double maximum = 0;
    int majorDivisions = 0;
    int minorDivisions = 0;
};

struct ChartMarker {
    bool visible = true;
    bool lineVisible = false;  // points joined by a line
    int style = 0;             // 0 circle, 1 square, 2 triangle, 3 cross
    int size = 6;
    std::uint32_t colour = 0xFF0000;  // 0xRRGGBB
};

// XY: columns come in pairs (x, y), one series per pair, as the charts of the studies are built.
// HighLow: one row per category (row label), columns low, high and, when present, the marked value (mean).
struct ChartData {
    enum class Kind { XY, HighLow };
    Kind kind = Kind::XY;
    std::string name;  // the chart's own name, e.g. "VtGrafPrec"
    std::vector<std::string> columnLabels;
    std::vector<std::string> rowLabels;
    std::vector<std::vector<std::optional<double>>> rows;  // rows x columns
    std::string title;
    int titleFontSize = 10;
    std::string footnote;
    int footnoteFontSize = 7;
    ChartAxis xAxis;
    ChartAxis yAxis;
    std::vector<ChartMarker> series;  // per series
    bool legendVisible = false;
    bool legendAtBottom = true;

    bool empty() const { return rows.empty(); }
};

}  // namespace kestra
