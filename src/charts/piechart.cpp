// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/piechart.h"

#include "charts/chartpaint.h"

#include <QFont>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

PieChart::PieChart(QQuickItem *parent) : ChartItem(parent) {}

void PieChart::setValues(const QList<qreal> &values)
{
    if (assign(m_values, values))
        emit valuesChanged();
}

void PieChart::setLabels(const QStringList &labels)
{
    if (assign(m_labels, labels))
        emit labelsChanged();
}

void PieChart::setRadiusShare(qreal share)
{
    if (assign(m_radiusShare, share))
        emit radiusShareChanged();
}

void PieChart::setHole(qreal share)
{
    if (assign(m_hole, share))
        emit holeChanged();
}

void PieChart::setStartAngle(qreal degrees)
{
    if (assign(m_startAngle, degrees))
        emit startAngleChanged();
}

void PieChart::setClockwise(bool clockwise)
{
    if (assign(m_clockwise, clockwise))
        emit clockwiseChanged();
}

void PieChart::setRimShading(bool on)
{
    if (assign(m_rimShading, on))
        emit rimShadingChanged();
}

void PieChart::setTrackColor(const QColor &color)
{
    if (assign(m_trackColor, color))
        emit trackColorChanged();
}

void PieChart::setBorderColor(const QColor &color)
{
    if (assign(m_borderColor, color))
        emit borderColorChanged();
}

void PieChart::setLabelColor(const QColor &color)
{
    if (assign(m_labelColor, color))
        emit labelColorChanged();
}

void PieChart::setLabelSize(qreal size)
{
    if (assign(m_labelSize, size))
        emit labelSizeChanged();
}

void PieChart::setLabelOffset(qreal offset)
{
    if (assign(m_labelOffset, offset))
        emit labelOffsetChanged();
}

void PieChart::paint(QPainter *painter)
{
    const charts::Rect plot = plotArea();
    const qreal radius = charts::pieRadius(height(), m_radiusShare, plot);
    if (radius <= 0)
        return;
    const qreal inner = std::clamp(m_hole, qreal(0), qreal(1)) * radius;
    const charts::Point c = plot.center();
    const QPointF center(c.x, c.y);
    const charts::Arc whole{90, -360};
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);

    if (m_trackColor.alpha() > 0)
        painter->fillPath(charts::annularSector(center, inner, radius, whole), m_trackColor);

    const std::vector<double> values(m_values.begin(), m_values.end());
    const std::vector<charts::Arc> arcs = charts::pieSlices(values, m_startAngle, m_clockwise);
    const QPen border(m_borderColor, 1);
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        const QPainterPath slice = charts::annularSector(center, inner, radius, arcs[i]);
        painter->fillPath(slice, fill(qsizetype(i)));
        if (m_borderColor.alpha() > 0 && !slice.isEmpty())
            painter->strokePath(slice, border);
    }

    if (m_rimShading) {
        QRadialGradient shade(center, radius);
        shade.setColorAt(0.9, QColor(0, 0, 0, 0));
        shade.setColorAt(1.0, QColor(0, 0, 0, 102));
        painter->fillPath(charts::annularSector(center, inner, radius, whole), shade);
    }

    QFont font = painter->font();
    font.setPixelSize(std::max(1, int(std::lround(m_labelSize))));
    painter->setFont(font);
    painter->setPen(m_labelColor);
    for (std::size_t i = 0; i < arcs.size() && qsizetype(i) < m_labels.size(); ++i) {
        const QString &text = m_labels[qsizetype(i)];
        if (text.isEmpty() || arcs[i].sweep == 0)
            continue;
        const double mid = arcs[i].start + arcs[i].sweep / 2;
        const charts::Point at = charts::polar(c, radius + m_labelOffset, mid);
        // Outside the rim, labels right of the centre start at their point and those on the left
        // end there; inside, they are centred on it.
        const qreal w = painter->fontMetrics().horizontalAdvance(text);
        const qreal h = painter->fontMetrics().height();
        const qreal left = m_labelOffset < 0                 ? at.x - w / 2
                           : std::cos(mid * M_PI / 180) >= 0 ? at.x
                                                             : at.x - w;
        const QRectF box(left, at.y - h / 2, w, h);
        painter->drawText(box, Qt::AlignCenter, text);
    }
}
