// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/chart_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include "framework/number_pattern.h"
#include "studies/precision/precision_study.h"

namespace kestra {
namespace {

QValueAxis* valueAxis(QChart* chart, Qt::Orientation orientation)
{
    const auto axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
}

ChartData precisionChart()
{
    PrecisionStudy study;
    study.setHeader(0, "HPLC");
    study.setHeader(1, "Piombo");
    study.setHeader(2, "Acqua di falda");
    study.setDeterminationCount(6);
    const double values[] = {10.1, 9.9, 10.0, 10.2, 9.8, 10.0};
    for (int r = 0; r < 6; ++r) study.grid().setCell(r, 0, values[r]);
    study.calculate();
    return study.chart();
}

// Pixels that are neither white nor grey: drawn in a colour.
int colouredPixels(const QImage& image, const QColor& near)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - near.red()) < 40 && std::abs(c.green() - near.green()) < 40 &&
                std::abs(c.blue() - near.blue()) < 40)
                ++count;
        }
    return count;
}

TEST(ChartViewTest, PrecisionCurveWithFixedAxesTitlesAndFootnote)
{
    SetUserDecimalSeparator('.');
    const ChartData data = precisionChart();
    ChartView view;
    view.resize(900, 560);
    view.setChartData(data);
    QChart* chart = view.chart();
    ASSERT_EQ(chart->series().size(), 1);
    auto* line = qobject_cast<QLineSeries*>(chart->series().front());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->count(), 1000);
    EXPECT_FALSE(chart->legend()->isVisible());

    QValueAxis* x = valueAxis(chart, Qt::Horizontal);
    QValueAxis* y = valueAxis(chart, Qt::Vertical);
    ASSERT_TRUE(x && y);
    EXPECT_NEAR(x->min(), 9.436, 1e-9);
    EXPECT_NEAR(x->max(), 10.564, 1e-9);
    EXPECT_EQ(x->tickCount(), 5);  // 4 major divisions
    EXPECT_EQ(x->minorTickCount(), 0);
    EXPECT_EQ(x->labelFormat(), "%.3f");  // 9.436, 9.718, 10.000 ...
    EXPECT_EQ(x->titleText(), "Curva di precisione");
    EXPECT_TRUE(x->isTitleVisible());
    EXPECT_DOUBLE_EQ(y->min(), 0.0);
    EXPECT_NEAR(y->max(), 2.8209, 1e-3);
    EXPECT_FALSE(y->isTitleVisible());
    EXPECT_EQ(y->tickType(), QValueAxis::TicksDynamic);  // round values inside the fixed range
    EXPECT_DOUBLE_EQ(y->tickInterval(), 0.5);

    EXPECT_EQ(chart->title(), "Precisione");
    // sizes are points at the layout resolution
    EXPECT_EQ(chart->titleFont().pixelSize(), qRound(10 * ChartLayoutDpi() / 72));
    EXPECT_EQ(x->titleFont().pixelSize(), qRound(10 * ChartLayoutDpi() / 72));
    EXPECT_EQ(view.footnoteText(), "Metodo analitico: HPLC\nAnalita: Piombo\nCampione: Acqua di falda");

    // the footnote lies inside the chart, below the plot area
    QGraphicsSimpleTextItem* footnote = nullptr;
    for (QGraphicsItem* item : chart->childItems())
        if (auto* t = dynamic_cast<QGraphicsSimpleTextItem*>(item); t && t->text() == view.footnoteText())
            footnote = t;
    ASSERT_NE(footnote, nullptr);
    view.show();
    QApplication::processEvents();
    const QRectF box = footnote->mapRectToScene(footnote->boundingRect());
    EXPECT_GE(box.top(), chart->plotArea().bottom());
    EXPECT_LE(box.bottom(), chart->rect().bottom());
    EXPECT_EQ(footnote->font().pixelSize(), qRound(7 * ChartLayoutDpi() / 72));
}

TEST(ChartViewTest, AxisNumbersUseTheUsersSeparator)
{
    SetUserDecimalSeparator(',');
    EXPECT_EQ(ChartLocale().decimalPoint(), ",");
    EXPECT_EQ(ChartLocale().toString(1234.5, 'f', 1), "1234,5");  // no grouping
    ChartView view;
    view.setChartData(precisionChart());
    EXPECT_TRUE(view.chart()->localizeNumbers());
    EXPECT_EQ(view.chart()->locale().decimalPoint(), ",");
    SetUserDecimalSeparator('.');
    EXPECT_EQ(ChartLocale().decimalPoint(), ".");
}

TEST(ChartViewTest, MarkersPerSeriesWithTheirColours)
{
    ChartData data;
    data.columnLabels = {"X1", "Y1", "X2", "Y2"};
    data.rows = {{1.0, 10.0, 2.0, 20.0}, {1.0, 11.0, std::nullopt, std::nullopt}, {1.0, 12.0, 2.0, 21.0}};
    ChartMarker red;
    red.colour = 0xFF0000;
    ChartMarker other;
    other.colour = 0x336699;
    other.style = 1;
    data.series = {red, other};
    ChartView view;
    view.setChartData(data);
    const auto series = view.chart()->series();
    ASSERT_EQ(series.size(), 2);
    auto* first = qobject_cast<QScatterSeries*>(series[0]);
    auto* second = qobject_cast<QScatterSeries*>(series[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->count(), 3);
    EXPECT_EQ(second->count(), 2);  // the row without its second pair is left out
    EXPECT_EQ(first->color(), QColor(255, 0, 0));
    EXPECT_EQ(second->color(), QColor(0x33, 0x66, 0x99));
    EXPECT_EQ(second->markerShape(), QScatterSeries::MarkerShapeRectangle);
    // automatic axes keep every point inside with some room
    QValueAxis* x = valueAxis(view.chart(), Qt::Horizontal);
    QValueAxis* y = valueAxis(view.chart(), Qt::Vertical);
    EXPECT_LT(x->min(), 1.0);
    EXPECT_GT(x->max(), 2.0);
    EXPECT_LT(y->min(), 10.0);
    EXPECT_GT(y->max(), 21.0);
}

TEST(ChartViewTest, HighLowDrawsOneBarPerCategoryWithItsMean)
{
    ChartData data;
    data.kind = ChartData::Kind::HighLow;
    data.columnLabels = {"Inferiore", "Superiore", "Media"};
    data.rowLabels = {"A", "B"};
    data.rows = {{9.5, 10.5, 10.0}, {11.0, 13.0, 12.0}};
    data.legendVisible = true;
    data.xAxis.title = "Gruppi";
    ChartView view;
    view.setChartData(data);
    QChart* chart = view.chart();
    int bars = 0;
    QScatterSeries* means = nullptr;
    for (QAbstractSeries* s : chart->series()) {
        if (auto* line = qobject_cast<QLineSeries*>(s)) {
            ++bars;
            // from low to high at the category's position
            double low = 1e9, high = -1e9;
            for (const QPointF& p : line->points()) {
                low = std::min(low, p.y());
                high = std::max(high, p.y());
            }
            EXPECT_TRUE((low == 9.5 && high == 10.5) || (low == 11.0 && high == 13.0));
        } else if (auto* scatter = qobject_cast<QScatterSeries*>(s)) {
            means = scatter;
        }
    }
    EXPECT_EQ(bars, 2);
    ASSERT_NE(means, nullptr);
    ASSERT_EQ(means->count(), 2);
    EXPECT_EQ(means->at(0), QPointF(1, 10.0));
    EXPECT_EQ(means->at(1), QPointF(2, 12.0));
    auto* categories = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).front());
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->categoriesLabels(), (QStringList{"A", "B"}));
    EXPECT_EQ(categories->titleText(), "Gruppi");
    QValueAxis* y = valueAxis(chart, Qt::Vertical);
    EXPECT_LT(y->min(), 9.5);
    EXPECT_GT(y->max(), 13.0);
    // the legend names the bar once and the mean once
    int shown = 0;
    for (QLegendMarker* m : chart->legend()->markers())
        if (m->isVisible()) ++shown;
    EXPECT_EQ(shown, 2);
}

TEST(ChartViewTest, DegenerateAndEmptyDataStillDraw)
{
    ChartView view;
    view.resize(400, 300);
    view.setChartData(ChartData{});
    EXPECT_TRUE(view.chart()->series().isEmpty());

    // every point on one value: the fixed range gets a width
    ChartData flat;
    flat.columnLabels = {"x", "y"};
    flat.rows.assign(10, {5.0, 1.0});
    flat.xAxis.automatic = false;
    flat.xAxis.minimum = flat.xAxis.maximum = 5.0;
    view.setChartData(flat);
    QValueAxis* x = valueAxis(view.chart(), Qt::Horizontal);
    EXPECT_LT(x->min(), 5.0);
    EXPECT_GT(x->max(), 5.0);
    const QImage image = view.grab().toImage();
    EXPECT_FALSE(image.isNull());
}

TEST(ChartViewTest, PaintDrawsTheCurveScaledIntoTheTarget)
{
    SetUserDecimalSeparator('.');
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    // a target twice the layout size: the chart is scaled, not laid out anew
    const QRectF painted =
        ChartView::paint(painter, QRectF(100, 0, 1000, 800), precisionChart(), QSizeF(500, 300));
    painter.end();
    EXPECT_NEAR(painted.width(), 1000, 1e-6);
    EXPECT_NEAR(painted.height(), 600, 1e-6);
    EXPECT_NEAR(painted.left(), 100, 1e-6);
    EXPECT_GT(colouredPixels(image, QColor(0x1F, 0x4E, 0x9C)), 500);  // the curve
    // nothing outside the target
    for (int y = 0; y < 800; y += 10) EXPECT_EQ(image.pixelColor(50, y), QColor(Qt::white));
}

TEST(ChartViewTest, DoubleClickOrControlClickAsksToEnlarge)
{
    ChartView view;
    view.resize(300, 200);
    int asked = 0;
    QObject::connect(&view, &ChartView::enlargeRequested, [&] { ++asked; });
    auto send = [&](QEvent::Type type, Qt::KeyboardModifiers modifiers) {
        const QPointF at(100, 100);
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    };
    send(QEvent::MouseButtonDblClick, Qt::NoModifier);
    EXPECT_EQ(asked, 1);
    send(QEvent::MouseButtonPress, Qt::ControlModifier);
    EXPECT_EQ(asked, 2);
    send(QEvent::MouseButtonPress, Qt::NoModifier);
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace kestra
