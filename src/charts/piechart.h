// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chartitem.h"

#include <QColor>
#include <QStringList>

// A pie or, with a hole, a ring of slices: one slice per record, each its share of the circle,
// laid clockwise (or not) from a start angle, with a dark shading towards the rim and optional
// labels outside it. Records that are negative or not numbers take no room; when the records sum
// to zero or less the pie is empty and only its track shows.
class PieChart : public ChartItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<qreal> values READ values WRITE setValues NOTIFY valuesChanged)
    Q_PROPERTY(QStringList labels READ labels WRITE setLabels NOTIFY labelsChanged)
    // The radius as a share of half the item's height (kept inside the plot area).
    Q_PROPERTY(qreal radiusShare READ radiusShare WRITE setRadiusShare NOTIFY radiusShareChanged)
    // The hole as a share of the radius; 0 is a full pie.
    Q_PROPERTY(qreal hole READ hole WRITE setHole NOTIFY holeChanged)
    // Degrees, 0 at three o'clock, counter-clockwise positive (90 is twelve o'clock).
    Q_PROPERTY(qreal startAngle READ startAngle WRITE setStartAngle NOTIFY startAngleChanged)
    Q_PROPERTY(bool clockwise READ clockwise WRITE setClockwise NOTIFY clockwiseChanged)
    // Black from nothing at 90 % of the radius to 40 % opacity at the rim.
    Q_PROPERTY(bool rimShading READ rimShading WRITE setRimShading NOTIFY rimShadingChanged)
    // The circle behind the slices, all that shows of an empty pie.
    Q_PROPERTY(QColor trackColor READ trackColor WRITE setTrackColor NOTIFY trackColorChanged)
    // The line between slices (and along the rims); transparent for none.
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(QColor labelColor READ labelColor WRITE setLabelColor NOTIFY labelColorChanged)
    Q_PROPERTY(qreal labelSize READ labelSize WRITE setLabelSize NOTIFY labelSizeChanged)
    // Points between the rim and a slice's label; a negative offset puts the label, centred,
    // inside its slice.
    Q_PROPERTY(qreal labelOffset READ labelOffset WRITE setLabelOffset NOTIFY labelOffsetChanged)

public:
    explicit PieChart(QQuickItem *parent = nullptr);

    QList<qreal> values() const { return m_values; }
    void setValues(const QList<qreal> &values);
    QStringList labels() const { return m_labels; }
    void setLabels(const QStringList &labels);
    qreal radiusShare() const { return m_radiusShare; }
    void setRadiusShare(qreal share);
    qreal hole() const { return m_hole; }
    void setHole(qreal share);
    qreal startAngle() const { return m_startAngle; }
    void setStartAngle(qreal degrees);
    bool clockwise() const { return m_clockwise; }
    void setClockwise(bool clockwise);
    bool rimShading() const { return m_rimShading; }
    void setRimShading(bool on);
    QColor trackColor() const { return m_trackColor; }
    void setTrackColor(const QColor &color);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor &color);
    qreal labelSize() const { return m_labelSize; }
    void setLabelSize(qreal size);
    qreal labelOffset() const { return m_labelOffset; }
    void setLabelOffset(qreal offset);

    void paint(QPainter *painter) override;

signals:
    void valuesChanged();
    void labelsChanged();
    void radiusShareChanged();
    void holeChanged();
    void startAngleChanged();
    void clockwiseChanged();
    void rimShadingChanged();
    void trackColorChanged();
    void borderColorChanged();
    void labelColorChanged();
    void labelSizeChanged();
    void labelOffsetChanged();

private:
    QList<qreal> m_values;
    QStringList m_labels;
    qreal m_radiusShare = 0.8;
    qreal m_hole = 0;
    qreal m_startAngle = 90;
    bool m_clockwise = true;
    bool m_rimShading = true;
    QColor m_trackColor{0x26, 0x26, 0x26};
    QColor m_borderColor{0x0d, 0x0d, 0x0d};
    QColor m_labelColor{0x80, 0x80, 0x80};
    qreal m_labelSize = 10;
    qreal m_labelOffset = 6;
};
