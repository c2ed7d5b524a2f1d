// ChartView: draws a study's ChartData with Qt Charts (XY and high-low), keeps the chart's print settings,
// and paints charts offscreen for printing and export.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QLocale>
#include <vector>

#include "framework/chart_data.h"
#include "framework/report_records.h"

class QGraphicsSimpleTextItem;
class QPainter;

namespace kestra {

// How a chart prints: edited by "Layout di stampa", kept by each chart.
struct ChartPrintSettings {
    enum class Scaling { WholePage = 0, CurrentSize = 1 };
    int orientation = 1;  // 0 portrait, 1 landscape
    // millimetres from the edges of the paper
    float leftMargin = 15;
    float rightMargin = 15;
    float topMargin = 15;
    float bottomMargin = 15;
    Scaling scaling = Scaling::WholePage;
    // true: laid out as on screen and scaled; false: laid out for the paper at its own size
    bool screenLayout = false;
    bool operator==(const ChartPrintSettings&) const = default;
};

// The resolution at which charts are laid out: the screen's, so a chart printed "as on screen" matches it.
qreal ChartLayoutDpi();
// The locale of the axis numbers: the user's decimal separator, no grouping.
QLocale ChartLocale();
// Builds the Qt chart of the data (the footnote is the view's). The caller owns the result.
QChart* BuildChart(const ChartData& data);

class ChartView : public QChartView {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    // Replaces what the chart shows; an empty ChartData clears it.
    void setChartData(const ChartData& data);
    const ChartData& chartData() const { return m_data; }
    const QString& footnoteText() const;

    const ChartPrintSettings& printSettings() const { return m_printSettings; }
    void setPrintSettings(const ChartPrintSettings& settings) { m_printSettings = settings; }

    // Paints the chart laid out at layoutSize (pixels at ChartLayoutDpi()) into target, scaled uniformly
    // and centred; returns the rectangle painted.
    static QRectF paint(QPainter& painter, const QRectF& target, const ChartData& data,
                        const QSizeF& layoutSize);

signals:
    // A double click, or a click with Ctrl held: the calibration window enlarges or restores the chart.
    void enlargeRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;  // Enter or Space: the keyboard's double click
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeFootnote();

    ChartData m_data;
    ChartPrintSettings m_printSettings;
    QGraphicsSimpleTextItem* m_footnote = nullptr;
    QString m_footnoteText;
};

// The interface of a study window that shows charts: what the chart-printing dialog needs of it.
class ChartOwner {
public:
    virtual ~ChartOwner() = default;
    // The charts the window prints; the first is the one the dialog prints (the calibration window gives
    // its regression chart, then its proportionality chart).
    virtual std::vector<ChartView*> chartViews() = 0;
    // SetLanGraf: the chart texts in the language, redrawn on screen.
    virtual void setLanGraf(Language language) = 0;
};

}  // namespace kestra
