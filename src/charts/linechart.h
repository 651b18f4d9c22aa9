// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chartitem.h"

#include <QColor>

// Two line series over fixed axes: record i of a series is drawn at x = i. Bands fill every other
// major interval of the y axis, the axes cross at 0 with major and minor tick marks, and the lines
// are clipped to the plot area. A value that is not a number breaks its line. The defaults are
// the processor history's set-up: x 0..100 (major 10, one minor), y 0..300 (major 50, four minor,
// no tick marks), white bands at 10 %, lines 2 points wide, no padding.
class LineChart : public ChartItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<qreal> series1 READ series1 WRITE setSeries1 NOTIFY series1Changed)
    Q_PROPERTY(QList<qreal> series2 READ series2 WRITE setSeries2 NOTIFY series2Changed)
    Q_PROPERTY(qreal xMin READ xMin WRITE setXMin NOTIFY axesChanged)
    Q_PROPERTY(qreal xMax READ xMax WRITE setXMax NOTIFY axesChanged)
    Q_PROPERTY(qreal yMin READ yMin WRITE setYMin NOTIFY axesChanged)
    Q_PROPERTY(qreal yMax READ yMax WRITE setYMax NOTIFY axesChanged)
    Q_PROPERTY(qreal xInterval READ xInterval WRITE setXInterval NOTIFY axesChanged)
    Q_PROPERTY(int xMinorTicks READ xMinorTicks WRITE setXMinorTicks NOTIFY axesChanged)
    Q_PROPERTY(qreal yInterval READ yInterval WRITE setYInterval NOTIFY axesChanged)
    Q_PROPERTY(int yMinorTicks READ yMinorTicks WRITE setYMinorTicks NOTIFY axesChanged)
    Q_PROPERTY(bool xTickMarks READ xTickMarks WRITE setXTickMarks NOTIFY axesChanged)
    Q_PROPERTY(bool yTickMarks READ yTickMarks WRITE setYTickMarks NOTIFY axesChanged)
    Q_PROPERTY(QColor bandColor READ bandColor WRITE setBandColor NOTIFY axesChanged)
    Q_PROPERTY(QColor axisColor READ axisColor WRITE setAxisColor NOTIFY axesChanged)
    Q_PROPERTY(qreal lineWidth READ lineWidth WRITE setLineWidth NOTIFY lineWidthChanged)

public:
    explicit LineChart(QQuickItem *parent = nullptr);

    QList<qreal> series1() const { return m_series[0]; }
    void setSeries1(const QList<qreal> &values);
    QList<qreal> series2() const { return m_series[1]; }
    void setSeries2(const QList<qreal> &values);
    qreal xMin() const { return m_map.xMin; }
    void setXMin(qreal v) { setAxis(m_map.xMin, v); }
    qreal xMax() const { return m_map.xMax; }
    void setXMax(qreal v) { setAxis(m_map.xMax, v); }
    qreal yMin() const { return m_map.yMin; }
    void setYMin(qreal v) { setAxis(m_map.yMin, v); }
    qreal yMax() const { return m_map.yMax; }
    void setYMax(qreal v) { setAxis(m_map.yMax, v); }
    qreal xInterval() const { return m_xInterval; }
    void setXInterval(qreal v) { setAxis(m_xInterval, v); }
    int xMinorTicks() const { return m_xMinor; }
    void setXMinorTicks(int n) { setAxis(m_xMinor, n); }
    qreal yInterval() const { return m_yInterval; }
    void setYInterval(qreal v) { setAxis(m_yInterval, v); }
    int yMinorTicks() const { return m_yMinor; }
    void setYMinorTicks(int n) { setAxis(m_yMinor, n); }
    bool xTickMarks() const { return m_xMarks; }
    void setXTickMarks(bool on) { setAxis(m_xMarks, on); }
    bool yTickMarks() const { return m_yMarks; }
    void setYTickMarks(bool on) { setAxis(m_yMarks, on); }
    QColor bandColor() const { return m_bandColor; }
    void setBandColor(const QColor &c) { setAxis(m_bandColor, c); }
    QColor axisColor() const { return m_axisColor; }
    void setAxisColor(const QColor &c) { setAxis(m_axisColor, c); }
    qreal lineWidth() const { return m_lineWidth; }
    void setLineWidth(qreal width);

    void paint(QPainter *painter) override;

signals:
    void series1Changed();
    void series2Changed();
    void axesChanged();
    void lineWidthChanged();

private:
    template <typename T> void setAxis(T &member, const T &value)
    {
        if (assign(member, value))
            emit axesChanged();
    }
    void paintAxes(QPainter *painter, const charts::Mapping &map) const;

    QList<qreal> m_series[2];
    charts::Mapping m_map;
    qreal m_xInterval = 10;
    int m_xMinor = 1;
    qreal m_yInterval = 50;
    int m_yMinor = 4;
    bool m_xMarks = true;
    bool m_yMarks = false;
    QColor m_bandColor{255, 255, 255, 26};
    QColor m_axisColor{0x80, 0x80, 0x80};
    qreal m_lineWidth = 2;
};
