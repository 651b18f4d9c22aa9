// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/linechart.h"

#include "charts/chartpaint.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kMajorTick = 6;
constexpr qreal kMinorTick = 3;

} // namespace

LineChart::LineChart(QQuickItem *parent) : ChartItem(parent) {}

void LineChart::setSeries1(const QList<qreal> &values)
{
    if (assign(m_series[0], values))
        emit series1Changed();
}

void LineChart::setSeries2(const QList<qreal> &values)
{
    if (assign(m_series[1], values))
        emit series2Changed();
}

void LineChart::setLineWidth(qreal width)
{
    if (assign(m_lineWidth, width))
        emit lineWidthChanged();
}

void LineChart::paintAxes(QPainter *painter, const charts::Mapping &map) const
{
    const charts::Rect &plot = map.plot;
    // The axes cross at 0, kept inside the plot, half a pixel in from its edges so a hairline
    // shows whole.
    const qreal xAxisY =
        std::clamp<qreal>(map.toPixel(0, std::clamp<qreal>(0, map.yMin, map.yMax)).y, plot.y + 0.5,
                          plot.bottom() - 0.5);
    const qreal yAxisX =
        std::clamp<qreal>(map.toPixel(std::clamp<qreal>(0, map.xMin, map.xMax), 0).x, plot.x + 0.5,
                          plot.right() - 0.5);
    painter->setPen(QPen(m_axisColor, 1));
    painter->drawLine(QPointF(plot.x, xAxisY), QPointF(plot.right(), xAxisY));
    painter->drawLine(QPointF(yAxisX, plot.y), QPointF(yAxisX, plot.bottom()));

    // Tick marks point into the plot.
    if (m_xMarks) {
        const charts::Ticks t = charts::axisTicks(map.xMin, map.xMax, m_xInterval, m_xMinor);
        for (double x : t.major)
            painter->drawLine(QPointF(map.toPixel(x, 0).x, xAxisY),
                              QPointF(map.toPixel(x, 0).x, xAxisY - kMajorTick));
        for (double x : t.minor)
            painter->drawLine(QPointF(map.toPixel(x, 0).x, xAxisY),
                              QPointF(map.toPixel(x, 0).x, xAxisY - kMinorTick));
    }
    if (m_yMarks) {
        const charts::Ticks t = charts::axisTicks(map.yMin, map.yMax, m_yInterval, m_yMinor);
        for (double y : t.major)
            painter->drawLine(QPointF(yAxisX, map.toPixel(0, y).y),
                              QPointF(yAxisX + kMajorTick, map.toPixel(0, y).y));
        for (double y : t.minor)
            painter->drawLine(QPointF(yAxisX, map.toPixel(0, y).y),
                              QPointF(yAxisX + kMinorTick, map.toPixel(0, y).y));
    }
}

void LineChart::paint(QPainter *painter)
{
    charts::Mapping map = m_map;
    map.plot = plotArea();
    if (map.plot.width <= 0 || map.plot.height <= 0)
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setClipRect(charts::toRectF(map.plot));

    if (m_bandColor.alpha() > 0)
        for (const charts::Range &band : charts::alternatingBands(map.yMin, map.yMax, m_yInterval))
            painter->fillRect(charts::toRectF(map.yBand(band.from, band.to)), m_bandColor);
    paintAxes(painter, map);

    for (int s = 0; s < 2; ++s) {
        QPainterPath line;
        bool open = false;
        for (qsizetype i = 0; i < m_series[s].size(); ++i) {
            const double y = m_series[s][i];
            if (!std::isfinite(y)) {
                open = false;
                continue;
            }
            const charts::Point p = map.toPixel(double(i), y);
            if (open)
                line.lineTo(p.x, p.y);
            else
                line.moveTo(p.x, p.y);
            open = true;
        }
        painter->strokePath(line,
                            QPen(fill(s), m_lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}
