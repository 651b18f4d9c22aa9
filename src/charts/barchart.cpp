// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/barchart.h"

#include "charts/chartpaint.h"

#include <QPainter>

BarChart::BarChart(QQuickItem *parent) : ChartItem(parent)
{
    connect(this, &BarChart::valuesChanged, this, &BarChart::heightsChanged);
    connect(this, &BarChart::fullHeightChanged, this, &BarChart::heightsChanged);
    connect(this, &QQuickItem::heightChanged, this, &BarChart::heightsChanged);
    connect(this, &ChartItem::paddingChanged, this, &BarChart::heightsChanged);
}

void BarChart::setValues(const QList<qreal> &values)
{
    if (assign(m_values, values))
        emit valuesChanged();
}

void BarChart::setFullHeight(qreal height)
{
    if (assign(m_fullHeight, height))
        emit fullHeightChanged();
}

void BarChart::setBarWidth(qreal width)
{
    if (assign(m_barWidth, width))
        emit barWidthChanged();
}

void BarChart::setSpacing(qreal spacing)
{
    if (assign(m_spacing, spacing))
        emit spacingChanged();
}

void BarChart::setTrackColor(const QColor &color)
{
    if (assign(m_trackColor, color))
        emit trackColorChanged();
}

qreal BarChart::usedFullHeight() const
{
    return m_fullHeight > 0 ? m_fullHeight : std::max<qreal>(0, plotArea().height);
}

QList<qreal> BarChart::heights() const
{
    const std::vector<double> h =
        charts::barHeights({m_values.begin(), m_values.end()}, usedFullHeight());
    return {h.begin(), h.end()};
}

void BarChart::paint(QPainter *painter)
{
    const charts::Rect plot = plotArea();
    const std::vector<double> h =
        charts::barHeights({m_values.begin(), m_values.end()}, usedFullHeight());
    painter->setRenderHint(QPainter::Antialiasing);
    if (m_trackColor.alpha() > 0) {
        const std::vector<double> full(h.size(), usedFullHeight());
        for (const charts::Rect &r : charts::barRects(full, plot, m_barWidth, m_spacing))
            painter->fillRect(charts::toRectF(r), m_trackColor);
    }
    const std::vector<charts::Rect> bars = charts::barRects(h, plot, m_barWidth, m_spacing);
    for (std::size_t i = 0; i < bars.size(); ++i)
        if (bars[i].height > 0)
            painter->fillRect(charts::toRectF(bars[i]), fill(qsizetype(i)));
}
