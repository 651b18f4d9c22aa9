// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chartpaint.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QUrl>

#include <cmath>

namespace charts {

namespace {

QString picturePath(const QString &text)
{
    const QUrl url(text);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    return text;
}

// The chart colours of records that bring none: the five swatch values C1 to C5.
const QColor kDefaultColors[] = {QColor(0x1f, 0xd6, 0x8a), QColor(0x9c, 0xf2, 0xc8),
                                 QColor(0xd4, 0xd4, 0xd4), QColor(0x6b, 0x6b, 0x6b),
                                 QColor(0x0b, 0x7a, 0x4b)};

} // namespace

QBrush fillBrush(const QVariant &value, const QBrush &fallback)
{
    if (!value.isValid() || value.isNull())
        return fallback;
    if (value.metaType().id() == QMetaType::QColor) {
        const QColor c = value.value<QColor>();
        return c.isValid() ? QBrush(c) : fallback;
    }
    const QString text =
        value.metaType().id() == QMetaType::QUrl ? value.toUrl().toString() : value.toString();
    if (text.isEmpty())
        return fallback;
    if (QColor::isValidColorName(text))
        return QBrush(QColor::fromString(text));
    // Read in the format the name tells: guessing it from the contents would load every image
    // plugin Qt has.
    const QString path = picturePath(text);
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    const QImage picture = reader.read();
    return picture.isNull() ? fallback : QBrush(picture);
}

QList<QBrush> fillBrushes(const QVariantList &values)
{
    QList<QBrush> brushes;
    brushes.reserve(values.size());
    for (const QVariant &v : values)
        brushes.push_back(fillBrush(v));
    return brushes;
}

QBrush recordBrush(const QList<QBrush> &fills, qsizetype index)
{
    if (index < fills.size() && fills[index].style() != Qt::NoBrush)
        return fills[index];
    constexpr qsizetype count = std::size(kDefaultColors);
    return QBrush(kDefaultColors[index % count]);
}

QRectF toRectF(const Rect &r)
{
    return {r.x, r.y, r.width, r.height};
}

QPainterPath annularSector(QPointF center, qreal inner, qreal outer, const Arc &arc)
{
    QPainterPath path;
    if (outer <= 0 || arc.sweep == 0)
        return path;
    inner = std::clamp(inner, qreal(0), outer);
    const QRectF outerBox(center.x() - outer, center.y() - outer, 2 * outer, 2 * outer);
    const QRectF innerBox(center.x() - inner, center.y() - inner, 2 * inner, 2 * inner);
    if (std::abs(arc.sweep) >= 360) {
        path.addEllipse(outerBox);
        if (inner > 0)
            path.addEllipse(innerBox);
        path.setFillRule(Qt::OddEvenFill);
        return path;
    }
    path.arcMoveTo(outerBox, arc.start);
    path.arcTo(outerBox, arc.start, arc.sweep);
    if (inner > 0)
        path.arcTo(innerBox, arc.start + arc.sweep, -arc.sweep);
    else
        path.lineTo(center);
    path.closeSubpath();
    return path;
}

} // namespace charts
