// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chartitem.h"

#include <QColor>

// Bars side by side that stand on the bottom of the plot area and grow upward, each as tall as
// its record's share of all records times `fullHeight`. With nothing to share (a total of zero or
// less) every bar has height 0.
class BarChart : public ChartItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<qreal> values READ values WRITE setValues NOTIFY valuesChanged)
    // The height of a bar holding every record; 0 uses the plot area's height.
    Q_PROPERTY(qreal fullHeight READ fullHeight WRITE setFullHeight NOTIFY fullHeightChanged)
    // Each bar's width; 0 fills its slot.
    Q_PROPERTY(qreal barWidth READ barWidth WRITE setBarWidth NOTIFY barWidthChanged)
    Q_PROPERTY(qreal spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)
    // The well behind each bar, `fullHeight` tall; transparent for none.
    Q_PROPERTY(QColor trackColor READ trackColor WRITE setTrackColor NOTIFY trackColorChanged)
    // The heights drawn, for the views' labels.
    Q_PROPERTY(QList<qreal> heights READ heights NOTIFY heightsChanged)

public:
    explicit BarChart(QQuickItem *parent = nullptr);

    QList<qreal> values() const { return m_values; }
    void setValues(const QList<qreal> &values);
    qreal fullHeight() const { return m_fullHeight; }
    void setFullHeight(qreal height);
    qreal barWidth() const { return m_barWidth; }
    void setBarWidth(qreal width);
    qreal spacing() const { return m_spacing; }
    void setSpacing(qreal spacing);
    QColor trackColor() const { return m_trackColor; }
    void setTrackColor(const QColor &color);
    QList<qreal> heights() const;

    void paint(QPainter *painter) override;

signals:
    void valuesChanged();
    void fullHeightChanged();
    void barWidthChanged();
    void spacingChanged();
    void trackColorChanged();
    void heightsChanged();

private:
    qreal usedFullHeight() const;

    QList<qreal> m_values;
    qreal m_fullHeight = 0;
    qreal m_barWidth = 0;
    qreal m_spacing = 0;
    QColor m_trackColor{Qt::transparent};
};
