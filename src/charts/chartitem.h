// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chartgeometry.h"

#include <QBrush>
#include <QList>
#include <QQuickPaintedItem>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// What the pie, line and bar charts have in common: the records' fills and the padding around
// the plot. Charts take no touches.
class ChartItem : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ANONYMOUS
    // One fill per record or series: a colour, or a picture (path or URL) tiled as a pattern.
    // Records without one take the default chart colours.
    Q_PROPERTY(QVariantList colors READ colors WRITE setColors NOTIFY colorsChanged)
    // Points left free on every side of the plot.
    Q_PROPERTY(qreal padding READ padding WRITE setPadding NOTIFY paddingChanged)

public:
    explicit ChartItem(QQuickItem *parent = nullptr);

    QVariantList colors() const { return m_colors; }
    void setColors(const QVariantList &colors);
    qreal padding() const { return m_padding; }
    void setPadding(qreal padding);

signals:
    void colorsChanged();
    void paddingChanged();

protected:
    charts::Rect plotArea() const;
    QBrush fill(qsizetype index) const;

    // Sets a drawn property and repaints; true when it changed, for the caller to signal.
    template <typename T> bool assign(T &member, const T &value)
    {
        if (member == value)
            return false;
        member = value;
        update();
        return true;
    }

private:
    QVariantList m_colors;
    QList<QBrush> m_fills;
    qreal m_padding = 0;
};
