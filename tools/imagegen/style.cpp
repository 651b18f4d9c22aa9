// SPDX-License-Identifier: GPL-3.0-or-later
#include "style.h"

#include <QFontMetricsF>
#include <QRadialGradient>

namespace powerdeck::imagegen {

QColor withAlpha(QColor c, qreal alpha)
{
    c.setAlphaF(float(alpha));
    return c;
}

QFont uiFont(qreal pixelSize, QFont::Weight weight)
{
    QFont f(QStringLiteral("Roboto Condensed"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void roundedBox(QPainter &p, const QRectF &r, qreal radius, const QBrush &fill,
                const QColor &outline, qreal outlineWidth)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    if (outlineWidth > 0 && outline.alpha() > 0) {
        const qreal h = outlineWidth / 2;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(outline, outlineWidth));
        p.drawRoundedRect(r.adjusted(h, h, -h, -h), qMax(0.0, radius - h), qMax(0.0, radius - h));
    }
    p.restore();
}

void fitText(QPainter &p, const QRectF &r, const QString &text, qreal maxPixel,
             QFont::Weight weight, const QColor &color, Qt::Alignment align)
{
    qreal size = maxPixel;
    QFont f = uiFont(size, weight);
    while (size > 6) {
        f = uiFont(size, weight);
        if (QFontMetricsF(f).horizontalAdvance(text) <= r.width())
            break;
        size -= 0.5;
    }
    p.save();
    p.setFont(f);
    p.setPen(color);
    p.drawText(r, int(align | Qt::TextSingleLine), text);
    p.restore();
}

void glow(QPainter &p, const QPointF &centre, qreal radius, const QColor &color, qreal strength)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, withAlpha(color, strength));
    g.setColorAt(1, withAlpha(color, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

} // namespace powerdeck::imagegen
