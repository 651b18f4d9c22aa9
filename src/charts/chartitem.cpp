// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chartitem.h"

#include "charts/chartpaint.h"

ChartItem::ChartItem(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptTouchEvents(false);
}

void ChartItem::setColors(const QVariantList &colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    m_fills = charts::fillBrushes(colors);
    emit colorsChanged();
    update();
}

void ChartItem::setPadding(qreal padding)
{
    if (assign(m_padding, padding))
        emit paddingChanged();
}

charts::Rect ChartItem::plotArea() const
{
    return {m_padding, m_padding, width() - 2 * m_padding, height() - 2 * m_padding};
}

QBrush ChartItem::fill(qsizetype index) const
{
    return charts::recordBrush(m_fills, index);
}
