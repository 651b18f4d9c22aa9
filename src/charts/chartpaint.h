// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/chartgeometry.h"

#include <QBrush>
#include <QPainterPath>
#include <QRectF>
#include <QVariant>

// What the chart items share when they paint: fills given as a colour or a pattern picture, and
// the ring-shaped sector every ring and pie slice is drawn as.
namespace charts {

// A fill from a QML value: a colour (a QColor, "#rrggbb", "#aarrggbb" or a colour name) gives a
// solid brush; any other text or URL names a picture ("file:", "qrc:", ":/" or a plain path) that
// is tiled as a pattern. A picture that cannot be read, or an empty value, gives `fallback`.
QBrush fillBrush(const QVariant &value, const QBrush &fallback = Qt::NoBrush);

// The brush of record `index`: the entry of `fills`, or else the default chart colour of that
// index.
QBrush recordBrush(const QList<QBrush> &fills, qsizetype index);

QList<QBrush> fillBrushes(const QVariantList &values);

QRectF toRectF(const Rect &r);

// The area between two circles about `center` along `arc`; a full turn (or more) is a whole ring.
// An inner radius of 0 gives a pie slice.
QPainterPath annularSector(QPointF center, qreal inner, qreal outer, const Arc &arc);

} // namespace charts
