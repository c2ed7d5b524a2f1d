// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ui/chart_view.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QScreen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/number_pattern.h"

namespace kestra {

namespace {

constexpr double kAxisLabelPoints = 8;
constexpr double kLegendPoints = 8;
constexpr int kEdge = 8;  // blank around the chart, pixels
// Colours for series the study gave no marker for.
constexpr std::uint32_t kPalette[] = {0x1F4E9C, 0xC00000, 0x008000, 0x7030A0, 0xE07000, 0x00808F};

QColor toColor(std::uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Fonts are sized in pixels of the layout resolution, so a chart painted on paper keeps its proportions.
QFont chartFont(double points, bool bold = false)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * ChartLayoutDpi() / 72.0))));
    font.setBold(bold);
    return font;
}

QString toText(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

struct Range {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    void add(double v)
    {
        if (!std::isfinite(v)) return;
        minimum = std::min(minimum, v);
        maximum = std::max(maximum, v);
    }
    bool valid() const { return minimum <= maximum; }
};

// 1, 2 or 5 times a power of ten, near span / wanted.
double niceStep(double span, int wanted)
{
    const double raw = span / std::max(1, wanted);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    const double nice = f < 1.5 ? 1 : f < 3 ? 2 : f < 7 ? 5 : 10;
    return nice * magnitude;
}

// The fewest decimals that write every tick value to within a thousandth of the tick interval.
int labelDecimals(double first, double interval, int ticks)
{
    if (!(interval > 0) || !std::isfinite(interval)) return 2;
    for (int d = 0; d <= 6; ++d) {
        const double scale = std::pow(10.0, d);
        bool exact = true;
        for (int k = 0; k < ticks && exact; ++k) {
            const double v = first + k * interval;
            exact = std::abs(std::round(v * scale) / scale - v) <= interval * 1e-3;
        }
        if (exact) return d;
    }
    return 6;
}

// A range with a width: a single value gets room around it.
void widen(double& minimum, double& maximum)
{
    if (maximum > minimum) return;
    const double room = minimum == 0 ? 1.0 : std::abs(minimum) * 0.05;
    minimum -= room;
    maximum += room;
}

void configureAxis(QValueAxis* axis, const ChartAxis& spec, const Range& data)
{
    double minimum = spec.minimum;
    double maximum = spec.maximum;
    if (spec.automatic) {
        // the data with a little room, on round numbers
        minimum = data.valid() ? data.minimum : 0.0;
        maximum = data.valid() ? data.maximum : 1.0;
        widen(minimum, maximum);
        const double pad = (maximum - minimum) * 0.05;
        minimum -= pad;
        maximum += pad;
        const double step = niceStep(maximum - minimum, 5);
        minimum = std::floor(minimum / step) * step;
        maximum = std::ceil(maximum / step) * step;
        const int ticks = static_cast<int>(std::lround((maximum - minimum) / step)) + 1;
        axis->setRange(minimum, maximum);
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(std::max(2, ticks));
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(labelDecimals(minimum, step, ticks)));
    } else {
        widen(minimum, maximum);
        axis->setRange(minimum, maximum);
        if (spec.majorDivisions > 0) {
            const double step = (maximum - minimum) / spec.majorDivisions;
            axis->setTickType(QValueAxis::TicksFixed);
            axis->setTickCount(spec.majorDivisions + 1);
            axis->setLabelFormat(
                QStringLiteral("%.%1f").arg(labelDecimals(minimum, step, spec.majorDivisions + 1)));
        } else {
            // a fixed range without divisions: ticks on round values inside it
            const double step = niceStep(maximum - minimum, 5);
            const double anchor = std::ceil(minimum / step) * step;
            axis->setTickType(QValueAxis::TicksDynamic);
            axis->setTickAnchor(anchor);
            axis->setTickInterval(step);
            const int ticks = static_cast<int>((maximum - anchor) / step) + 1;
            axis->setLabelFormat(QStringLiteral("%.%1f").arg(labelDecimals(anchor, step, ticks)));
        }
    }
    axis->setMinorTickCount(spec.minorDivisions > 1 ? spec.minorDivisions - 1 : 0);
}

void configureAxisTitle(QAbstractAxis* axis, const ChartAxis& spec)
{
    axis->setTitleText(toText(spec.title).toHtmlEscaped());  // Qt Charts reads titles as markup
    axis->setTitleFont(chartFont(spec.titleFontSize));
    axis->setTitleVisible(spec.titleVisible && !spec.title.empty());
    axis->setLabelsFont(chartFont(kAxisLabelPoints));
}

ChartMarker markerOf(const ChartData& data, std::size_t index)
{
    if (index < data.series.size()) return data.series[index];
    ChartMarker m;
    m.colour = kPalette[index % std::size(kPalette)];
    return m;
}

QImage crossImage(const QColor& colour)
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(4, 4, 28, 28);
    p.drawLine(4, 28, 28, 4);
    return image;
}

QScatterSeries* makeScatter(const ChartMarker& marker)
{
    auto* scatter = new QScatterSeries;
    const QColor colour = toColor(marker.colour);
    switch (marker.style) {
        case 1:
            scatter->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            break;
        case 2:
            scatter->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
            break;
        case 3:
            scatter->setLightMarker(crossImage(colour));
            break;
        default:
            scatter->setMarkerShape(QScatterSeries::MarkerShapeCircle);
            break;
    }
    // marker sizes are points, as the other sizes of a chart
    scatter->setMarkerSize(std::max(3.0, marker.size * ChartLayoutDpi() / 72.0));
    scatter->setColor(colour);
    scatter->setBorderColor(colour.darker(130));
    return scatter;
}

void hideFromLegend(QChart* chart, QAbstractSeries* series)
{
    for (QLegendMarker* m : chart->legend()->markers(series)) m->setVisible(false);
}

void buildXY(QChart* chart, const ChartData& data)
{
    std::size_t columns = data.columnLabels.size();
    for (const auto& row : data.rows) columns = std::max(columns, row.size());
    const std::size_t seriesCount = columns / 2;

    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    Range xs, ys;
    for (std::size_t s = 0; s < seriesCount; ++s) {
        QList<QPointF> points;
        for (const auto& row : data.rows) {
            if (row.size() <= 2 * s + 1 || !row[2 * s] || !row[2 * s + 1]) continue;
            points.append({*row[2 * s], *row[2 * s + 1]});
            xs.add(*row[2 * s]);
            ys.add(*row[2 * s + 1]);
        }
        const ChartMarker marker = markerOf(data, s);
        const QString name =
            2 * s < data.columnLabels.size() ? QString::fromStdString(data.columnLabels[2 * s]) : QString();
        QList<QXYSeries*> made;
        if (marker.lineVisible) {
            auto* line = new QLineSeries;
            line->setPen(QPen(toColor(marker.colour), std::max(1.5, ChartLayoutDpi() / 48.0)));
            made.append(line);
        }
        if (marker.visible) made.append(makeScatter(marker));
        for (QXYSeries* series : made) {
            series->append(points);
            series->setName(name.toHtmlEscaped());
            chart->addSeries(series);
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
        }
        if (made.size() == 2 || name.isEmpty())
            for (qsizetype i = name.isEmpty() ? 0 : 1; i < made.size(); ++i) hideFromLegend(chart, made[i]);
    }
    configureAxis(xAxis, data.xAxis, xs);
    configureAxis(yAxis, data.yAxis, ys);
    configureAxisTitle(xAxis, data.xAxis);
    configureAxisTitle(yAxis, data.yAxis);
}

// One category per row: a bar from low to high with short caps, and the mean marked on it.
void buildHighLow(QChart* chart, const ChartData& data)
{
    auto* xAxis = new QCategoryAxis;
    auto* yAxis = new QValueAxis;
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    const ChartMarker marker = markerOf(data, 0);
    const QColor colour = toColor(marker.colour);
    const double cap = 0.12;
    const auto label = [&](std::size_t i) {
        return i < data.columnLabels.size() ? QString::fromStdString(data.columnLabels[i]) : QString();
    };

    Range ys;
    auto* means = makeScatter({true, false, 1, 7, 0xC00000});
    means->setName(label(2).toHtmlEscaped());
    bool namedBar = false;
    const int count = static_cast<int>(data.rows.size());
    xAxis->setStartValue(0.5);
    for (int i = 0; i < count; ++i) {
        const auto& row = data.rows[static_cast<std::size_t>(i)];
        const double x = i + 1;
        const QString category = static_cast<std::size_t>(i) < data.rowLabels.size()
                                     ? QString::fromStdString(data.rowLabels[static_cast<std::size_t>(i)])
                                     : QString::number(i + 1);
        // labels must be unique for the axis; a blank suffix keeps repeated ones apart
        QString unique = category;
        while (xAxis->categoriesLabels().contains(unique)) unique += QLatin1Char(' ');
        xAxis->append(unique, x);
        if (row.size() >= 2 && row[0] && row[1]) {
            const double low = *row[0];
            const double high = *row[1];
            ys.add(low);
            ys.add(high);
            auto* bar = new QLineSeries;
            bar->setPen(QPen(colour, std::max(1.5, ChartLayoutDpi() / 40.0), Qt::SolidLine, Qt::FlatCap));
            bar->append(
                {{x - cap, low}, {x + cap, low}, {x, low}, {x, high}, {x - cap, high}, {x + cap, high}});
            chart->addSeries(bar);
            bar->attachAxis(xAxis);
            bar->attachAxis(yAxis);
            if (!namedBar && !label(0).isEmpty()) {
                bar->setName((label(0) + QStringLiteral(" - ") + label(1)).toHtmlEscaped());
                namedBar = true;
            } else {
                hideFromLegend(chart, bar);
            }
        }
        if (row.size() >= 3 && row[2]) {
            means->append(x, *row[2]);
            ys.add(*row[2]);
        }
    }
    chart->addSeries(means);
    means->attachAxis(xAxis);
    means->attachAxis(yAxis);
    if (label(2).isEmpty()) hideFromLegend(chart, means);

    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    xAxis->setRange(0.5, std::max(1, count) + 0.5);
    xAxis->setGridLineVisible(false);
    configureAxis(yAxis, data.yAxis, ys);
    configureAxisTitle(xAxis, data.xAxis);
    configureAxisTitle(yAxis, data.yAxis);
}

}  // namespace

qreal ChartLayoutDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

QLocale ChartLocale()
{
    QLocale locale = UserDecimalSeparator() == ',' ? QLocale(QLocale::Italian, QLocale::Italy) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

QChart* BuildChart(const ChartData& data)
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setLocalizeNumbers(true);
    chart->setLocale(ChartLocale());
    chart->setMargins(QMargins(kEdge, kEdge / 2, kEdge * 2, kEdge));
    if (!data.title.empty()) {
        chart->setTitleFont(chartFont(data.titleFontSize, true));
        chart->setTitle(
            toText(data.title).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    }
    if (data.kind == ChartData::Kind::HighLow)
        buildHighLow(chart, data);
    else
        buildXY(chart, data);
    QLegend* legend = chart->legend();
    legend->setFont(chartFont(kLegendPoints));
    legend->setAlignment(data.legendAtBottom ? Qt::AlignBottom : Qt::AlignRight);
    legend->setVisible(data.legendVisible);
    return chart;
}

ChartView::ChartView(QWidget* parent) : QChartView(parent)
{
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);  // so a chart can be enlarged from the keyboard too
    setChartData(ChartData{});
}

ChartView::~ChartView() = default;

const QString& ChartView::footnoteText() const
{
    return m_footnoteText;
}

void ChartView::setChartData(const ChartData& data)
{
    m_data = data;
    QChart* previous = chart();
    QChart* built = BuildChart(data);
    m_footnoteText = toText(data.footnote);
    m_footnote = nullptr;
    if (!m_footnoteText.isEmpty()) {
        m_footnote = new QGraphicsSimpleTextItem(m_footnoteText, built);
        m_footnote->setFont(chartFont(data.footnoteFontSize));
        m_footnote->setBrush(QColor(40, 40, 40));
        QMargins margins = built->margins();
        margins.setBottom(margins.bottom() +
                          static_cast<int>(std::ceil(m_footnote->boundingRect().height())) + kEdge / 2);
        built->setMargins(margins);
        connect(built, &QGraphicsWidget::geometryChanged, this, &ChartView::placeFootnote);
    }
    setChart(built);  // the view takes the new chart and lets the old one go
    delete previous;
    placeFootnote();
}

void ChartView::placeFootnote()
{
    if (!m_footnote) return;
    const QRectF area = chart()->rect();
    m_footnote->setPos(kEdge * 1.5, area.bottom() - m_footnote->boundingRect().height() - kEdge);
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    placeFootnote();
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit enlargeRequested();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

void ChartView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        emit enlargeRequested();
        event->accept();
        return;
    }
    QChartView::keyPressEvent(event);
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        emit enlargeRequested();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

QRectF ChartView::paint(QPainter& painter, const QRectF& target, const ChartData& data,
                        const QSizeF& layoutSize)
{
    ChartView view;
    view.setChartData(data);
    const QSize size = layoutSize.toSize().expandedTo(QSize(50, 50));
    view.resize(size);
    // lay the chart out now: the view is never shown
    view.chart()->resize(size);
    view.chart()->layout()->activate();
    view.setSceneRect(QRectF(QPointF(0, 0), size));
    view.placeFootnote();

    const qreal scale = std::min(target.width() / size.width(), target.height() / size.height());
    const QSizeF painted(size.width() * scale, size.height() * scale);
    const QRectF rect(target.left() + (target.width() - painted.width()) / 2, target.top(), painted.width(),
                      painted.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view.scene()->render(&painter, rect, QRectF(QPointF(0, 0), size), Qt::KeepAspectRatio);
    painter.restore();
    return rect;
}

}  // namespace kestra
