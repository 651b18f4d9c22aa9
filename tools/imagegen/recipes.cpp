// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes.h"

#include "glyphs.h"
#include "skins.h"
#include "style.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QtMath>
#include <cmath>
#include <cstdint>

namespace powerdeck::imagegen {

namespace {

using namespace palette;

struct Painter : QPainter
{
    explicit Painter(QImage *img) : QPainter(img)
    {
        setRenderHint(QPainter::Antialiasing);
        setRenderHint(QPainter::TextAntialiasing);
        setRenderHint(QPainter::SmoothPixmapTransform);
    }
};

QRectF squareIn(const QRectF &r, qreal fraction)
{
    const qreal s = qMin(r.width(), r.height()) * fraction;
    return QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
}

QColor swatchColor(int n)
{
    switch (n) {
    case 1:
        return accent;
    case 2:
        return accentLight;
    case 3:
        return QColor(0xd4, 0xd4, 0xd4);
    case 4:
        return QColor(0x6b, 0x6b, 0x6b);
    default:
        return accentDeep;
    }
}

QColor markColor(int n)
{
    return n == 1 ? accent : n == 2 ? accentLight : accentDeep;
}

// ---- controls -------------------------------------------------------------------------------

QImage button(int w, int h, bool primary, const QString &label, const QString &glyph)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    const qreal radius = r.height() / 2;
    if (primary) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, accentLight);
        g.setColorAt(0.08, accent);
        g.setColorAt(1, accent.darker(112));
        roundedBox(p, r, radius, g);
    } else {
        roundedBox(p, r, radius, surface, accent, qMax(1.0, h / 22.0));
    }
    const QColor fg = primary ? ink : accent;
    QRectF text = r.adjusted(radius * 0.6, 0, -radius * 0.6, 0);
    if (!glyph.isEmpty()) {
        const qreal gs = h * 0.56;
        const qreal tw = QFontMetricsF(uiFont(h * 0.5, QFont::Bold)).horizontalAdvance(label);
        const qreal total = gs + h * 0.15 + tw;
        const qreal x = qMax(text.left(), r.center().x() - total / 2);
        drawGlyph(p, glyph, QRectF(x, r.center().y() - gs / 2, gs, gs), fg, 2.4);
        text.setLeft(x + gs + h * 0.15);
        fitText(p, text, label, h * 0.5, QFont::Bold, fg, Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        fitText(p, text, label, h * 0.52, QFont::Bold, fg);
    }
    return img;
}

QImage backButton(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF c = squareIn(QRectF(0, 0, w, h), 0.86);
    p.setPen(QPen(line, qMax(1.0, c.width() / 28)));
    p.setBrush(surface);
    p.drawEllipse(c);
    drawGlyph(p, QStringLiteral("back"), squareIn(c, 0.58).translated(-c.width() * 0.03, 0), accent,
              2.6);
    return img;
}

QImage switchImage(int w, int h, bool on)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal th = h * 0.62;
    const QRectF track(w * 0.06, (h - th) / 2, w * 0.88, th);
    if (on)
        glow(p, track.center(), w * 0.5, accent, 0.22);
    roundedBox(p, track, th / 2, on ? QBrush(accent) : QBrush(raised), on ? accentLight : line,
               on ? 0.0 : qMax(1.0, h / 36.0));
    const qreal k = th * 0.78;
    const qreal kx = on ? track.right() - (th - k) / 2 - k : track.left() + (th - k) / 2;
    const QRectF knob(kx, track.center().y() - k / 2, k, k);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(knob.translated(0, h * 0.02));
    p.setBrush(on ? white : muted);
    p.drawEllipse(knob);
    // A word inside the track keeps the state readable without colour.
    const QRectF label =
        on ? QRectF(track.left() + th * 0.35, track.top(), kx - track.left() - th * 0.35, th)
           : QRectF(knob.right(), track.top(), track.right() - knob.right() - th * 0.3, th);
    fitText(p, label, on ? QStringLiteral("ON") : QStringLiteral("OFF"), th * 0.42, QFont::Bold,
            on ? ink : muted);
    return img;
}

QImage statusTile(int w, int h, const QString &glyph, bool on)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal side = qMin(w, h) * 0.9;
    const QRectF tile((w - side) / 2, (h - side) / 2, side, side);
    const qreal radius = side * 0.22;
    if (on) {
        glow(p, tile.center(), side * 0.62, accent, 0.28);
        roundedBox(p, tile, radius, QColor(0x15, 0x2b, 0x21).toRgb(), accent, qMax(1.5, side / 28));
        // The tile tint is mixed from the accent over the surface so the hue tint moves it too.
        roundedBox(p, tile.adjusted(side / 28, side / 28, -side / 28, -side / 28), radius * 0.9,
                   withAlpha(accent, 0.12));
    } else {
        roundedBox(p, tile, radius, surface, line, qMax(1.0, side / 40));
    }
    drawGlyph(p, glyph, squareIn(tile, 0.5).translated(0, -side * 0.05), on ? accent : muted, 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? accent : line);
    p.drawEllipse(QPointF(tile.center().x(), tile.bottom() - side * 0.13), side * 0.035,
                  side * 0.035);
    return img;
}

QImage menuTile(int w, int h, const QString &glyph, const QString &label)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF tile(1, 1, w - 2, h - 2);
    roundedBox(p, tile, qMin(w, h) * 0.16, surface, line, 1);
    const qreal g = h * 0.42;
    drawGlyph(p, glyph, QRectF(w / 2.0 - g / 2, h * 0.14, g, g), accent, 1.9);
    fitText(p, QRectF(4, h * 0.64, w - 8, h * 0.26), label, h * 0.17, QFont::Medium, text);
    return img;
}

QImage monitorTile(int w, int h, const QString &glyph, const QString &label)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal u = w / 146.0;
    const QRectF tile(1, 1, w - 2, h - 2);
    roundedBox(p, tile, 14 * u, surface, line, 1);
    const qreal g = 18 * u;
    drawGlyph(p, glyph, QRectF(10 * u, 9 * u, g, g), accent, 2.0);
    fitText(p, QRectF(10 * u + g + 6 * u, 8 * u, w - g - 30 * u, g + 2 * u), label, 14 * u,
            QFont::Bold, text, Qt::AlignLeft | Qt::AlignVCenter);
    // The well in which the live gauge is drawn.
    const QPointF c(w / 2.0, h * 0.58);
    const qreal r = qMin(w, h) * 0.34;
    p.setPen(QPen(raised, 8 * u));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(withAlpha(accent, 0.35), 1.2 * u));
    p.drawArc(QRectF(c.x() - r - 6 * u, c.y() - r - 6 * u, 2 * (r + 6 * u), 2 * (r + 6 * u)),
              200 * 16, -220 * 16);
    return img;
}

QImage arrowButton(int w, int h, bool right)
{
    QImage img = blank(w, h);
    Painter p(&img);
    roundedBox(p, QRectF(1, 1, w - 2, h - 2), qMin(w, h) * 0.3, surface, line, 1);
    drawGlyph(p, right ? QStringLiteral("right") : QStringLiteral("left"),
              squareIn(QRectF(0, 0, w, h), 0.8), accent, 2.6);
    return img;
}

QImage checkBox(int w, int h, bool on)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF r = squareIn(QRectF(0, 0, w, h), 0.9);
    if (on) {
        roundedBox(p, r, r.width() * 0.28, accent);
        drawGlyph(p, QStringLiteral("check"), squareIn(r, 0.78), ink, 3.0);
    } else {
        roundedBox(p, r, r.width() * 0.28, surface, line, qMax(1.0, r.width() / 18));
    }
    return img;
}

QImage stageIcon(int w, int h, const QString &which, bool large)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF c = squareIn(QRectF(0, 0, w, h), 0.86);
    if (which == QLatin1String("check")) {
        glow(p, c.center(), c.width() * 0.62, accent, 0.3);
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(c);
        drawGlyph(p, QStringLiteral("check"), squareIn(c, 0.62), ink, 3.0);
    } else {
        p.setPen(QPen(line, qMax(1.5, c.width() / 16)));
        p.setBrush(surface);
        p.drawEllipse(c.adjusted(1, 1, -1, -1));
        fitText(p, c, which, c.height() * (large ? 0.5 : 0.56), QFont::Bold, muted);
    }
    return img;
}

QImage plate(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    roundedBox(p, QRectF(0.5, 0.5, w - 1, h - 1), h * 0.3, raised, line, 1);
    return img;
}

QImage dropdown(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    roundedBox(p, QRectF(0.5, 0.5, w - 1, h - 1), h * 0.3, surface, accent, 1);
    drawGlyph(p, QStringLiteral("chevron-down"), squareIn(QRectF(0, 0, w, h), 0.9), accent, 2.6);
    return img;
}

QImage glyphOnly(int w, int h, const QString &glyph)
{
    QImage img = blank(w, h);
    Painter p(&img);
    drawGlyph(p, glyph, squareIn(QRectF(0, 0, w, h), 1.0), accent, 2.0);
    return img;
}

QImage minitip(int w, int h, const QString &glyph, const QString &words)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    roundedBox(p, r, h * 0.18, withAlpha(surface, 0.96), line, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRoundedRect(QRectF(h * 0.12, h * 0.2, h * 0.06, h * 0.6), h * 0.03, h * 0.03);
    const qreal g = h * 0.5;
    drawGlyph(p, glyph, QRectF(h * 0.3, (h - g) / 2, g, g), accent, 2.0);
    const QRectF textRect(h * 0.3 + g + h * 0.22, h * 0.1, w - (h * 0.3 + g + h * 0.22) - h * 0.2,
                          h * 0.8);
    qreal size = h * 0.3;
    while (size > 6) {
        const QRectF need =
            QFontMetricsF(uiFont(size))
                .boundingRect(QRectF(0, 0, textRect.width(), 10000), Qt::TextWordWrap, words);
        if (need.height() <= textRect.height())
            break;
        size -= 0.5;
    }
    p.setFont(uiFont(size));
    p.setPen(text);
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, words);
    return img;
}

// ---- panels and backgrounds ---------------------------------------------------------------

QImage backdrop(int w, int h, bool withGlow)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    Painter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0x18, 0x18, 0x18));
    g.setColorAt(1, QColor(0x08, 0x08, 0x08));
    p.fillRect(img.rect(), g);
    if (withGlow)
        glow(p, QPointF(w * 0.5, -h * 0.05), w * 0.75, accent, 0.14);
    // A faint hairline grid, the "instrument panel" texture of every backdrop.
    p.setPen(QPen(withAlpha(white, 0.025), 1));
    const int step = qMax(16, w / 24);
    for (int x = step; x < w; x += step)
        p.drawLine(x, 0, x, h);
    for (int y = step; y < h; y += step)
        p.drawLine(0, y, w, y);
    return img;
}

QImage panel(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x1e, 0x1e, 0x1e));
    g.setColorAt(1, QColor(0x12, 0x12, 0x12));
    roundedBox(p, r, 16, g, line, 1);
    p.setPen(QPen(withAlpha(accent, 0.6), 2));
    p.drawLine(QPointF(w * 0.35, 1.5), QPointF(w * 0.65, 1.5));
    return img;
}

QImage clockBack(int w, int h, const QString &part)
{
    QImage img = blank(w, h);
    Painter p(&img);
    QLinearGradient g(0, 0, 0, h);
    const bool upper = part == QLatin1String("upper");
    g.setColorAt(0, upper ? QColor(0x14, 0x14, 0x14) : QColor(0x10, 0x10, 0x10));
    g.setColorAt(1, upper ? QColor(0x10, 0x10, 0x10) : QColor(0x08, 0x08, 0x08));
    const qreal radius = part == QLatin1String("full") ? 24 : 0;
    roundedBox(p, QRectF(0, 0, w, h), radius, g);
    if (part != QLatin1String("lower"))
        glow(p, QPointF(w / 2.0, upper ? h : h * 0.4), w * 0.55, accent, 0.1);
    if (part == QLatin1String("full"))
        roundedBox(p, QRectF(0.5, 0.5, w - 1, h - 1), radius, Qt::NoBrush, line, 1);
    return img;
}

QImage clockFace(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QPointF c(w / 2.0, h / 2.0);
    const qreal r = qMin(w, h) / 2.0 - qMin(w, h) * 0.04;
    const qreal u = r / 150;
    glow(p, c, r * 1.05, accent, 0.08);
    p.setPen(QPen(line, 1.5 * u));
    p.setBrush(QColor(0x12, 0x12, 0x12));
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 60; ++i) {
        const qreal a = i * M_PI / 30 - M_PI / 2;
        const bool major = i % 5 == 0;
        const qreal r1 = r * (major ? 0.86 : 0.9), r2 = r * 0.95;
        p.setPen(QPen(major ? text : QColor(0x55, 0x55, 0x55), (major ? 3 : 1.4) * u, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(c.x() + r1 * qCos(a), c.y() + r1 * qSin(a)),
                   QPointF(c.x() + r2 * qCos(a), c.y() + r2 * qSin(a)));
    }
    p.setPen(QPen(withAlpha(accent, 0.5), 1.2 * u));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.8, r * 0.8);
    return img;
}

QImage secondHand(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QPointF c(w / 2.0, h / 2.0);
    const qreal r = qMin(w, h) / 2.0;
    const qreal u = r / 100;
    QLinearGradient g(c, QPointF(c.x(), c.y() - r));
    g.setColorAt(0, withAlpha(accent, 0.2));
    g.setColorAt(1, accent);
    p.setPen(QPen(QBrush(g), 2.2 * u, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() + r * 0.12), QPointF(c.x(), c.y() - r * 0.93));
    glow(p, QPointF(c.x(), c.y() - r * 0.93), 9 * u, accent, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(accentLight);
    p.drawEllipse(QPointF(c.x(), c.y() - r * 0.93), 3.2 * u, 3.2 * u);
    p.setBrush(accent);
    p.drawEllipse(c, 4.5 * u, 4.5 * u);
    p.setBrush(ink);
    p.drawEllipse(c, 1.8 * u, 1.8 * u);
    return img;
}

QImage locationMarker(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    drawGlyph(p, QStringLiteral("gps"), QRectF(0, 0, h, h), accent, 2.2);
    QLinearGradient g(h * 1.1, 0, w, 0);
    g.setColorAt(0, accent);
    g.setColorAt(1, withAlpha(accent, 0));
    p.setPen(QPen(QBrush(g), qMax(1.0, h / 14.0)));
    p.drawLine(QPointF(h * 1.1, h * 0.82), QPointF(w, h * 0.82));
    return img;
}

QImage thermometer(int w, int h, bool full)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal tw = w * 0.5;
    const QRectF tube((w - tw) / 2, 0.5, tw, h * 0.7);
    const QRectF bulb((w - w * 0.9) / 2, h - w * 0.9 - 0.5, w * 0.9, w * 0.9);
    QPainterPath shape;
    shape.addRoundedRect(tube, tw / 2, tw / 2);
    shape.addEllipse(bulb);
    shape = shape.simplified();
    p.setPen(QPen(full ? accent : muted, 1));
    p.setBrush(full ? QBrush(accent) : QBrush(surface));
    p.drawPath(shape);
    if (!full) {
        p.setPen(Qt::NoPen);
        p.setBrush(muted);
        p.drawEllipse(bulb.adjusted(w * 0.2, w * 0.2, -w * 0.2, -w * 0.2));
    }
    return img;
}

QImage calendarGrid(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const bool tablet = w > 400;
    const qreal top = tablet ? 138 : 60;
    const qreal cw = tablet ? 105 : 46;
    const qreal ch = tablet ? 104 : 45;
    p.setPen(QPen(withAlpha(accent, 0.8), tablet ? 2 : 1.5));
    p.drawLine(QPointF(0, top - 1), QPointF(w, top - 1));
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
    for (int i = 1; i < 7; ++i)
        p.drawLine(QPointF(i * cw - 1, top), QPointF(i * cw - 1, h));
    for (qreal y = top + ch; y < h; y += ch)
        p.drawLine(QPointF(0, y), QPointF(7 * cw - 2, y));
    p.setPen(QPen(line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    return img;
}

QImage legend(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    roundedBox(p, QRectF(0.5, 0.5, w - 1, h - 1), h * 0.14, surface, line, 1);
    const QString labels[] = {QStringLiteral("Charging"), QStringLiteral("Full"),
                              QStringLiteral("Below 6 %")};
    const qreal col = w / 3.0;
    for (int i = 0; i < 3; ++i) {
        const QRectF sw(i * col + col * 0.14, h * 0.2, h * 0.2, h * 0.2);
        roundedBox(p, sw, h * 0.05, markColor(i + 1));
        fitText(p, QRectF(sw.right() + h * 0.08, h * 0.14, col * 0.8 - sw.width(), h * 0.32),
                labels[i], h * 0.2, QFont::Medium, text, Qt::AlignLeft | Qt::AlignVCenter);
        // Lower half is the place of the count figure, kept empty.
        p.setPen(QPen(QColor(0x2e, 0x2e, 0x2e), 1));
        if (i > 0)
            p.drawLine(QPointF(i * col, h * 0.18), QPointF(i * col, h * 0.82));
    }
    return img;
}

QImage solid(int w, int h, const QColor &c)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(c);
    return img;
}

QImage chargeBar(int w, int h, bool frame)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF r(1, 1, w - 2, h - 2);
    if (frame) {
        roundedBox(p, r, h * 0.3, Qt::NoBrush, line, 2);
        p.setPen(QPen(muted, 1));
        for (qreal f : {0.8, 0.99})
            p.drawLine(QPointF(r.left() + r.width() * f, r.bottom() - 1),
                       QPointF(r.left() + r.width() * f, r.bottom() - h * 0.25));
    } else {
        QPainterPath shape;
        shape.addRoundedRect(r.adjusted(2, 2, -2, -2), h * 0.24, h * 0.24);
        p.setClipPath(shape);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, accentLight);
        g.setColorAt(0.2, accent);
        g.setColorAt(1, accentDeep);
        p.fillRect(r, g);
        p.setPen(QPen(withAlpha(white, 0.14), h * 0.18));
        for (qreal x = -h; x < w + h; x += h * 0.7)
            p.drawLine(QPointF(x, h), QPointF(x + h, 0));
    }
    return img;
}

QImage sliderThumb(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal d = h * 0.8;
    const QPointF c(w / 2.0, h / 2.0);
    glow(p, c, d * 0.75, accent, 0.35);
    p.setPen(QPen(accent, d * 0.1));
    p.setBrush(white);
    p.drawEllipse(c, d / 2 - d * 0.05, d / 2 - d * 0.05);
    p.setPen(QPen(muted, 1.5));
    for (int i = -1; i <= 1; ++i)
        p.drawLine(QPointF(c.x() + i * d * 0.12, c.y() - d * 0.15),
                   QPointF(c.x() + i * d * 0.12, c.y() + d * 0.15));
    return img;
}

QImage sliderTrack(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    roundedBox(p, QRectF(0, h * 0.3, w, h * 0.4), h * 0.2, withAlpha(white, 0.16));
    return img;
}

QImage wheel(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QPointF c(w / 2.0, h / 2.0);
    const qreal r = qMin(w, h) / 2.0 - 2;
    const qreal u = r / 158;
    QRadialGradient g(c, r);
    g.setColorAt(0.55, QColor(0x10, 0x10, 0x10));
    g.setColorAt(0.97, QColor(0x22, 0x22, 0x22));
    g.setColorAt(1.0, QColor(0x2a, 0x2a, 0x2a));
    p.setPen(QPen(line, 1.5 * u));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 120; ++i) {
        const qreal a = i * M_PI / 60;
        p.setPen(QPen(QColor(0x38, 0x38, 0x38), 1 * u));
        p.drawLine(QPointF(c.x() + r * 0.93 * qCos(a), c.y() + r * 0.93 * qSin(a)),
                   QPointF(c.x() + r * 0.97 * qCos(a), c.y() + r * 0.97 * qSin(a)));
    }
    // Page glyphs at the angles the wheel turns to: a page's glyph comes to the top when the
    // wheel stands at that page's angle.
    const struct
    {
        const char *glyph;
        qreal angle;
    } pages[] = {{"tips", 37.77},
                 {"calendar", 18.87},
                 {"battery", 0},
                 {"charge", -19.1},
                 {"settings", -38.06}};
    const qreal gr = r * 0.8;
    const qreal gs = r * 0.16;
    for (const auto &page : pages) {
        const qreal a = qDegreesToRadians(-90 - page.angle);
        const QPointF at(c.x() + gr * qCos(a), c.y() + gr * qSin(a));
        p.save();
        p.translate(at);
        p.rotate(-page.angle);
        drawGlyph(p, QString::fromLatin1(page.glyph), QRectF(-gs / 2, -gs / 2, gs, gs), muted, 2.0);
        p.restore();
    }
    p.setPen(QPen(QColor(0x2e, 0x2e, 0x2e), 1 * u));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.64, r * 0.64);
    return img;
}

QImage knob(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal u = w / 320.0;
    // A hub cap rising from the bottom edge, with the pointer notch that marks the page.
    const QPointF c(w / 2.0, h + w * 0.18);
    const qreal r = h * 0.95 - 4 * u;
    QRadialGradient g(QPointF(c.x(), c.y() - r * 0.6), r * 1.2);
    g.setColorAt(0, QColor(0x26, 0x26, 0x26));
    g.setColorAt(1, QColor(0x0e, 0x0e, 0x0e));
    p.setPen(QPen(line, 1.5 * u));
    p.setBrush(g);
    const qreal capR = r * 0.55;
    p.drawEllipse(QPointF(c.x(), h + capR * 0.35), capR * 1.1, capR);
    p.setPen(QPen(withAlpha(accent, 0.35), 1.2 * u));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(c.x(), h + capR * 0.35), capR * 1.1 - 6 * u, capR - 6 * u);
    QPainterPath notch;
    notch.moveTo(w / 2.0 - 7 * u, 2 * u);
    notch.lineTo(w / 2.0 + 7 * u, 2 * u);
    notch.lineTo(w / 2.0, 11 * u);
    notch.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawPath(notch);
    return img;
}

QImage wheelHighlight(int w, int h, const QString &glyph)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF c = squareIn(QRectF(0, 0, w, h), 0.84);
    glow(p, c.center(), qMin(w, h) * 0.5, accent, 0.45);
    p.setPen(QPen(accentLight, qMax(1.0, c.width() / 40)));
    p.setBrush(accent);
    p.drawEllipse(c);
    drawGlyph(p, glyph, squareIn(c, 0.56), ink, 2.2);
    return img;
}

QImage monitorButton(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF c = squareIn(QRectF(0, 0, w, h), 0.86);
    p.setPen(QPen(accent, qMax(1.5, c.width() / 24)));
    p.setBrush(surface);
    p.drawEllipse(c);
    drawGlyph(p, QStringLiteral("pulse"), squareIn(c, 0.62), accent, 2.2);
    return img;
}

QImage healthCard(int w, int h, int verdict)
{
    QImage img = blank(w, h);
    Painter p(&img);
    roundedBox(p, QRectF(0.5, 0.5, w - 1, h - 1), h * 0.16, surface, line, 1);
    static const char *const words[] = {"Excellent", "Good", "Fair", "Worn"};
    static const char *const notes[] = {"Your battery is in great shape", "Normal wear for its age",
                                        "Capacity is dropping", "Consider a new battery"};
    const int bars = 5 - verdict; // 4 bars for the best verdict, 1 for the worst
    const qreal bx = h * 0.2;
    const QRectF cell(bx, h * 0.28, h * 0.9, h * 0.44);
    p.setPen(QPen(verdict < 4 ? accent : muted, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(cell, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(verdict < 4 ? accent : muted);
    p.drawRoundedRect(
        QRectF(cell.right() + 2, cell.center().y() - cell.height() * 0.2, 5, cell.height() * 0.4),
        2, 2);
    const qreal gap = 3, bw = (cell.width() - 8 - 3 * gap) / 4;
    for (int i = 0; i < bars; ++i)
        p.drawRoundedRect(
            QRectF(cell.left() + 4 + i * (bw + gap), cell.top() + 4, bw, cell.height() - 8), 2, 2);
    const qreal tx = cell.right() + h * 0.3;
    fitText(p, QRectF(tx, h * 0.14, w - tx - h * 0.15, h * 0.42),
            QString::fromLatin1(words[verdict - 1]), h * 0.36, QFont::Bold,
            verdict < 4 ? accent : text, Qt::AlignLeft | Qt::AlignVCenter);
    fitText(p, QRectF(tx, h * 0.56, w - tx - h * 0.15, h * 0.28),
            QString::fromLatin1(notes[verdict - 1]), h * 0.17, QFont::Normal, muted,
            Qt::AlignLeft | Qt::AlignVCenter);
    return img;
}

QImage appIcon(int w, int h)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const QRectF r(1, 1, w - 2, h - 2);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, accentLight);
    g.setColorAt(0.4, accent);
    g.setColorAt(1, accentDeep);
    roundedBox(p, r, w * 0.22, g);
    drawGlyph(p, QStringLiteral("charge"), squareIn(r, 0.6), ink, 2.4);
    return img;
}

// A large photograph-like field: smooth value noise coloured from the palette. Its size is
// what matters (each decode takes width x height x 4 bytes).
QImage photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    auto hash = [](int x, int y) {
        uint32_t n = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
        n = (n ^ (n >> 13)) * 1274126177u;
        return float((n ^ (n >> 16)) & 0xffff) / 65535.0f;
    };
    auto noise = [&](float x, float y) {
        const int xi = int(std::floor(x)), yi = int(std::floor(y));
        const float fx = x - xi, fy = y - yi;
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const float a = hash(xi, yi), b = hash(xi + 1, yi), c = hash(xi, yi + 1),
                    d = hash(xi + 1, yi + 1);
        return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy;
    };
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float u = float(x) / 220.0f, v = float(y) / 220.0f;
            float n = 0.55f * noise(u, v) + 0.28f * noise(u * 2.1f, v * 2.1f) +
                      0.17f * noise(u * 4.3f, v * 4.3f);
            const float sky = float(y) / float(h);
            const float t = std::clamp(0.65f * n + 0.35f * (1 - sky), 0.0f, 1.0f);
            const int r = int(20 + 30 * t + 200 * t * t * t);
            const int g = int(24 + 170 * t * t + 40 * n);
            const int b = int(30 + 110 * t + 40 * (1 - n));
            row[x] = qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
        }
    }
    return img;
}

// ---- weather ----------------------------------------------------------------------------------

void cloud(QPainter &p, const QRectF &box, const QColor &fill, const QColor &edge, qreal width)
{
    p.save();
    const qreal s = box.width() / 24;
    p.translate(box.topLeft());
    p.scale(s, s);
    const QPainterPath c = cloudPath();
    p.setPen(QPen(edge, width / s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(c);
    p.restore();
}

void sun(QPainter &p, const QPointF &c, qreal r)
{
    glow(p, c, r * 2.2, accent, 0.25);
    p.setPen(QPen(accent, r * 0.28, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(QPointF(c.x() + r * 1.45 * qCos(a), c.y() + r * 1.45 * qSin(a)),
                   QPointF(c.x() + r * 1.95 * qCos(a), c.y() + r * 1.95 * qSin(a)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(c, r, r);
}

void moon(QPainter &p, const QPointF &c, qreal r)
{
    glow(p, c, r * 2.0, accentLight, 0.18);
    QPainterPath full;
    full.addEllipse(c, r, r);
    QPainterPath bite;
    bite.addEllipse(c + QPointF(r * 0.55, -r * 0.45), r * 0.85, r * 0.85);
    p.setPen(Qt::NoPen);
    p.setBrush(accentLight);
    p.drawPath(full.subtracted(bite));
}

void drops(QPainter &p, const QRectF &area, int count, qreal width, const QColor &color)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + area.width() * (i + 0.5) / count;
        const qreal y = area.top() + (i % 2) * area.height() * 0.25;
        p.drawLine(QPointF(x + area.height() * 0.15, y),
                   QPointF(x - area.height() * 0.15, y + area.height() * 0.6));
    }
}

void flakes(QPainter &p, const QRectF &area, int count, qreal size)
{
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + area.width() * (i + 0.5) / count;
        const qreal y = area.top() + (i % 2) * area.height() * 0.35 + size / 2;
        drawGlyph(p, QStringLiteral("snowflake"), QRectF(x - size / 2, y - size / 2, size, size),
                  white, 2.4);
    }
}

void dots(QPainter &p, const QRectF &area, int count, qreal r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + area.width() * (i + 0.5) / count;
        const qreal y = area.top() + (i % 2) * area.height() * 0.4 + r;
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

void bolt(QPainter &p, const QRectF &b)
{
    QPainterPath path;
    path.moveTo(b.left() + b.width() * 0.6, b.top());
    path.lineTo(b.left(), b.top() + b.height() * 0.58);
    path.lineTo(b.left() + b.width() * 0.45, b.top() + b.height() * 0.58);
    path.lineTo(b.left() + b.width() * 0.3, b.bottom());
    path.lineTo(b.right(), b.top() + b.height() * 0.38);
    path.lineTo(b.left() + b.width() * 0.55, b.top() + b.height() * 0.38);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawPath(path);
}

QImage weather(int w, int h, const QString &kind, const QString &variant, QString *error)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal s = qMin(w, h);
    const qreal lw = s / 26;
    const bool night = variant == QLatin1String("night");
    const QColor cloudFill(0x2a, 0x2a, 0x2a);
    auto body = [&](qreal x, qreal y, qreal size) {
        cloud(p, QRectF(x * s, y * s, size * s, size * s), cloudFill, text, lw);
    };
    auto lightSource = [&](qreal x, qreal y, qreal r) {
        if (night)
            moon(p, QPointF(x * s, y * s), r * s);
        else
            sun(p, QPointF(x * s, y * s), r * s);
    };
    const QRectF under(s * 0.22, s * 0.7, s * 0.6, s * 0.24);
    if (kind == QLatin1String("sunny")) {
        if (night) {
            moon(p, QPointF(s * 0.48, s * 0.52), s * 0.27);
            p.setPen(Qt::NoPen);
            p.setBrush(text);
            p.drawEllipse(QPointF(s * 0.8, s * 0.22), s * 0.025, s * 0.025);
            p.drawEllipse(QPointF(s * 0.2, s * 0.2), s * 0.02, s * 0.02);
            p.drawEllipse(QPointF(s * 0.84, s * 0.62), s * 0.018, s * 0.018);
        } else {
            sun(p, QPointF(s / 2, s / 2), s * 0.2);
        }
    } else if (kind == QLatin1String("partly")) {
        lightSource(0.36, 0.36, 0.15);
        body(0.2, 0.12, 0.78);
    } else if (kind == QLatin1String("cloudy")) {
        cloud(p, QRectF(s * 0.3, s * 0.02, s * 0.62, s * 0.62), QColor(0x1c, 0x1c, 0x1c), muted,
              lw);
        body(0.06, 0.14, 0.84);
    } else if (kind == QLatin1String("rain") || kind == QLatin1String("scattered")) {
        const bool scattered = kind == QLatin1String("scattered");
        if (scattered)
            lightSource(0.34, 0.26, 0.13);
        body(0.1, scattered ? 0.0 : -0.04, 0.8);
        drops(p, under, scattered ? 2 : 4, lw * 1.2, accentLight);
    } else if (kind == QLatin1String("snow") || kind == QLatin1String("chance-snow")) {
        const bool chance = kind == QLatin1String("chance-snow");
        if (chance)
            lightSource(0.34, 0.26, 0.13);
        body(0.1, chance ? 0.0 : -0.04, 0.8);
        flakes(p, under, chance ? 2 : 3, s * 0.16);
    } else if (kind == QLatin1String("sleet")) {
        body(0.1, -0.04, 0.8);
        drops(p, QRectF(under.left(), under.top(), under.width() / 2, under.height()), 2, lw * 1.2,
              accentLight);
        flakes(p, QRectF(under.center().x(), under.top(), under.width() / 2, under.height()), 1,
               s * 0.16);
    } else if (kind == QLatin1String("hail")) {
        body(0.1, -0.04, 0.8);
        dots(p, under, 4, s * 0.035);
    } else if (kind == QLatin1String("icy")) {
        lightSource(0.3, 0.26, 0.12);
        drawGlyph(p, QStringLiteral("snowflake"), QRectF(s * 0.36, s * 0.3, s * 0.5, s * 0.5), text,
                  2.0);
        p.setPen(QPen(accentLight, lw, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.14, s * 0.9), QPointF(s * 0.86, s * 0.9));
    } else if (kind == QLatin1String("thunder") || kind == QLatin1String("chance-thunder")) {
        const bool chance = kind == QLatin1String("chance-thunder");
        if (chance)
            lightSource(0.32, 0.26, 0.13);
        body(0.1, chance ? 0.0 : -0.04, 0.8);
        bolt(p, QRectF(s * 0.42, s * 0.6, s * 0.2, s * 0.36));
        if (!chance)
            drops(p, QRectF(s * 0.2, s * 0.68, s * 0.2, s * 0.2), 1, lw * 1.2, accentLight);
    } else if (kind == QLatin1String("fog") || kind == QLatin1String("mist")) {
        const bool fog = kind == QLatin1String("fog");
        if (fog)
            body(0.12, -0.06, 0.76);
        else
            lightSource(0.5, 0.3, 0.14);
        p.setPen(QPen(fog ? text : muted, lw * 1.2, Qt::SolidLine, Qt::RoundCap));
        const int lines = fog ? 3 : 4;
        for (int i = 0; i < lines; ++i) {
            const qreal y = s * (fog ? 0.66 : 0.56) + i * s * 0.1;
            const qreal inset = (i % 2) ? 0.2 : 0.12;
            p.drawLine(QPointF(s * inset, y), QPointF(s * (1 - inset - 0.05 * (i % 3)), y));
        }
    } else {
        *error = QStringLiteral("unknown weather kind \"%1\"").arg(kind);
        return {};
    }
    return img;
}

// ---- tips ------------------------------------------------------------------------------------

struct TextBlock
{
    QFont title, body;
    qreal titleHeight = 0, bodyHeight = 0, gap = 0;
};

TextBlock measureTip(const Tip &tip, qreal width, qreal bodyPx)
{
    TextBlock b;
    b.title = uiFont(bodyPx * 1.4, QFont::Bold);
    b.body = uiFont(bodyPx);
    b.titleHeight = QFontMetricsF(b.title)
                        .boundingRect(QRectF(0, 0, width, 1e5), Qt::TextWordWrap, tip.title)
                        .height();
    b.bodyHeight = QFontMetricsF(b.body)
                       .boundingRect(QRectF(0, 0, width, 1e5), Qt::TextWordWrap, tip.text)
                       .height();
    b.gap = bodyPx * 0.55;
    return b;
}

QImage tipText(int w, int h, const Tip &tip)
{
    const qreal pad = w * 0.04;
    const qreal inner = w - 2 * pad - pad * 0.6; // room for the accent rule on the left
    qreal px = w * 0.052;                        // 30 px on the phone's 580-pixel picture
    TextBlock b = measureTip(tip, inner, px);
    if (h > 0) {
        // Fixed-height pictures take the largest type that fits, never more than the phone's.
        while (px > 10 && b.titleHeight + b.gap + b.bodyHeight + 2 * pad > h) {
            px -= 0.5;
            b = measureTip(tip, inner, px);
        }
    } else {
        h = int(std::ceil(b.titleHeight + b.gap + b.bodyHeight + 2 * pad));
    }
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal x = pad + pad * 0.6;
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRoundedRect(QRectF(pad * 0.2, pad, pad * 0.18, b.titleHeight), pad * 0.09, pad * 0.09);
    p.setFont(b.title);
    p.setPen(accent);
    p.drawText(QRectF(x, pad, inner, b.titleHeight), Qt::TextWordWrap, tip.title);
    p.setFont(b.body);
    p.setPen(text);
    p.drawText(QRectF(x, pad + b.titleHeight + b.gap, inner, b.bodyHeight), Qt::TextWordWrap,
               tip.text);
    return img;
}

// The illustrations: one idea each, drawn on a 320 x 192 design grid.
QImage tipArt(int w, int h, int tip, QString *error)
{
    QImage img = blank(w, h);
    Painter p(&img);
    const qreal k = w / 320.0;
    roundedBox(p, QRectF(0.5, 0.5, w - 1, h - 1), 18 * k, QColor(0x15, 0x15, 0x15), line, 1);
    p.scale(k, h / 192.0);
    auto g = [&](const char *name, qreal x, qreal y, qreal size, const QColor &c,
                 qreal stroke = 2.0) {
        drawGlyph(p, QString::fromLatin1(name), QRectF(x - size / 2, y - size / 2, size, size), c,
                  stroke);
    };
    auto caption = [&](const QString &t, const QColor &c = muted) {
        fitText(p, QRectF(20, 156, 280, 24), t, 17, QFont::Medium, c);
    };
    auto battery = [&](const QRectF &r, qreal level, const QColor &c) {
        p.setPen(QPen(line, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 10, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(line);
        p.drawRoundedRect(
            QRectF(r.right() + 3, r.center().y() - r.height() * 0.18, 7, r.height() * 0.36), 3, 3);
        p.setBrush(c);
        const QRectF in = r.adjusted(7, 7, -7, -7);
        p.drawRoundedRect(QRectF(in.left(), in.top(), in.width() * level, in.height()), 5, 5);
    };
    auto cross = [&](qreal x, qreal y, qreal size) {
        p.setPen(QPen(QColor(0xe0, 0xe0, 0xe0), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x - size, y - size), QPointF(x + size, y + size));
    };
    switch (tip) {
    case 1: { // brightness slider at 40 %
        g("brightness", 60, 80, 56, accent);
        p.setPen(QPen(raised, 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(110, 80), QPointF(280, 80));
        p.setPen(QPen(accent, 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(110, 80), QPointF(178, 80));
        p.setPen(QPen(accent, 3));
        p.setBrush(white);
        p.drawEllipse(QPointF(178, 80), 13, 13);
        caption(QStringLiteral("40 % is plenty indoors"));
        break;
    }
    case 2: { // cool battery
        g("thermometer", 110, 78, 80, text);
        g("snowflake", 200, 78, 70, accent);
        caption(QStringLiteral("Cool batteries live longer"));
        break;
    }
    case 3: { // top up
        battery(QRectF(70, 50, 150, 64), 0.4, accent);
        p.setPen(QPen(accentLight, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(265, 112), QPointF(265, 52));
        p.drawPolyline(QPolygonF({QPointF(250, 68), QPointF(265, 52), QPointF(280, 68)}));
        caption(QStringLiteral("Short top-ups beat full cycles"));
        break;
    }
    case 4: { // stop at 80 %
        battery(QRectF(60, 46, 170, 70), 0.8, accent);
        const qreal x = 67 + (170 - 14) * 0.8;
        p.setPen(QPen(accentLight, 2, Qt::DashLine));
        p.drawLine(QPointF(x, 34), QPointF(x, 128));
        fitText(p, QRectF(x - 30, 12, 60, 22), QStringLiteral("80 %"), 18, QFont::Bold,
                accentLight);
        caption(QStringLiteral("Stop the charge near 80 %"));
        break;
    }
    case 5: { // radios off
        g("bluetooth", 80, 78, 52, muted);
        g("gps", 160, 78, 52, muted);
        g("cell", 240, 78, 52, muted);
        for (qreal x : {80.0, 160.0, 240.0})
            cross(x, 78, 24);
        caption(QStringLiteral("Off when you don't need them"));
        break;
    }
    case 7: { // wifi over mobile
        g("wifi", 110, 74, 84, accent);
        g("cell", 230, 78, 56, muted);
        fitText(p, QRectF(150, 60, 40, 30), QStringLiteral(">"), 30, QFont::Bold, text);
        caption(QStringLiteral("Wi-Fi costs less per megabyte"));
        break;
    }
    case 9: { // background processes
        for (int i = 0; i < 3; ++i) {
            const QRectF row(60, 30 + i * 38, 200, 28);
            roundedBox(p, row, 8, i == 1 ? QBrush(withAlpha(accent, 0.18)) : QBrush(raised),
                       i == 1 ? accent : line, 1.5);
            roundedBox(p, QRectF(row.left() + 10, row.top() + 9, 90 - i * 20, 10), 5,
                       i == 1 ? accent : muted);
        }
        g("plus", 240, 87, 22, accent, 3);
        p.save();
        p.translate(240, 87);
        p.rotate(45);
        g("plus", 0, 0, 22, accent, 3);
        p.restore();
        caption(QStringLiteral("Close what runs unseen"));
        break;
    }
    case 13: { // dark theme
        roundedBox(p, QRectF(90, 22, 60, 110), 12, QColor(0xd8, 0xd8, 0xd8));
        roundedBox(p, QRectF(170, 22, 60, 110), 12, ink, accent, 2.5);
        roundedBox(p, QRectF(180, 40, 40, 6), 3, accent);
        roundedBox(p, QRectF(180, 54, 28, 6), 3, muted);
        roundedBox(p, QRectF(100, 40, 40, 6), 3, muted);
        roundedBox(p, QRectF(100, 54, 28, 6), 3, QColor(0xa0, 0xa0, 0xa0));
        caption(QStringLiteral("Black pixels are free on OLED"));
        break;
    }
    case 14: { // store half full
        battery(QRectF(80, 50, 150, 64), 0.5, accent);
        fitText(p, QRectF(80, 50, 150, 64), QStringLiteral("50 %"), 22, QFont::Bold, white);
        caption(QStringLiteral("Store half full, somewhere cool"));
        break;
    }
    case 15: { // airplane mode
        g("airplane", 120, 78, 76, accent);
        g("cell", 215, 84, 50, muted);
        cross(215, 84, 22);
        caption(QStringLiteral("No signal? Airplane mode"));
        break;
    }
    case 16: { // good charger
        g("plug", 90, 70, 70, text);
        p.setPen(QPen(muted, 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath cable;
        cable.moveTo(90, 102);
        cable.cubicTo(90, 140, 170, 140, 190, 110);
        p.drawPath(cable);
        g("phone", 215, 78, 80, text);
        g("check", 215, 78, 24, accent, 3);
        caption(QStringLiteral("Use a charger made for the device"));
        break;
    }
    case 17: { // calibrate
        const QRectF arc(100, 26, 120, 120);
        p.setPen(QPen(raised, 12, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(arc, 225 * 16, -270 * 16);
        p.setPen(QPen(accent, 12, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(arc, 225 * 16, -270 * 16 * 9 / 10 + 0);
        fitText(p, arc.adjusted(20, 20, -20, -20), QStringLiteral("10→100"), 20, QFont::Bold, text);
        caption(QStringLiteral("Now and then: 10 % to full"));
        break;
    }
    default:
        *error = QStringLiteral("no illustration for tip %1").arg(tip);
        return {};
    }
    return img;
}

bool toInt(const QString &s, int &v)
{
    bool ok = false;
    v = s.toInt(&ok);
    return ok;
}

} // namespace

QImage renderRecipe(const QString &recipe, int w, int h, bool tablet, const TipBook &tips,
                    QString *error)
{
    const QStringList a = recipe.split(QLatin1Char(':'));
    const QString kind = a.value(0);
    auto arg = [&](int i) { return a.value(i); };
    auto needGlyph = [&](const QString &g) {
        if (!isGlyph(g)) {
            *error = QStringLiteral("unknown glyph \"%1\"").arg(g);
            return false;
        }
        return true;
    };
    int n = 0;
    if (h == 0 && kind != QLatin1String("tiptext")) {
        *error = QStringLiteral("only text pictures may take their height from the content");
        return {};
    }
    if (kind == QLatin1String("pattern"))
        return solid(w, h, accent);
    if (kind == QLatin1String("swatch") && toInt(arg(1), n) && n >= 1 && n <= 5)
        return solid(w, h, swatchColor(n));
    if (kind == QLatin1String("calmark") && toInt(arg(1), n) && n >= 1 && n <= 3)
        return solid(w, h, markColor(n));
    if (kind == QLatin1String("back"))
        return backButton(w, h);
    if (kind == QLatin1String("switch"))
        return switchImage(w, h, arg(1) == QLatin1String("on"));
    if (kind == QLatin1String("button") && a.size() >= 3) {
        if (a.size() > 3 && !needGlyph(arg(3)))
            return {};
        return button(w, h, arg(1) == QLatin1String("primary"), arg(2),
                      a.size() > 3 ? arg(3) : QString());
    }
    if (kind == QLatin1String("arrow"))
        return arrowButton(w, h, arg(1) == QLatin1String("right"));
    if (kind == QLatin1String("plate"))
        return plate(w, h);
    if (kind == QLatin1String("dropdown"))
        return dropdown(w, h);
    if (kind == QLatin1String("check"))
        return checkBox(w, h, arg(1) == QLatin1String("on"));
    if (kind == QLatin1String("status") && needGlyph(arg(1)))
        return statusTile(w, h, arg(1), arg(2) == QLatin1String("on"));
    if (kind == QLatin1String("menu") && needGlyph(arg(1)))
        return menuTile(w, h, arg(1), arg(2));
    if (kind == QLatin1String("tile") && needGlyph(arg(1)))
        return monitorTile(w, h, arg(1), arg(2));
    if (kind == QLatin1String("glyph") && needGlyph(arg(1)))
        return glyphOnly(w, h, arg(1));
    if (kind == QLatin1String("wheelhighlight") && needGlyph(arg(1)))
        return wheelHighlight(w, h, arg(1));
    if (kind == QLatin1String("minitip")) {
        const QString glyph = arg(1);
        if (!needGlyph(glyph))
            return {};
        if (!tips.contains(glyph) || tips[glyph].text.isEmpty()) {
            *error = QStringLiteral("no words for the \"%1\" tip").arg(glyph);
            return {};
        }
        return minitip(w, h, glyph, tips[glyph].text);
    }
    if (kind == QLatin1String("stage"))
        return stageIcon(w, h, arg(1), false);
    if (kind == QLatin1String("stagelabel"))
        return stageIcon(w, h, arg(1), true);
    if (kind == QLatin1String("chargebar"))
        return chargeBar(w, h, arg(1) == QLatin1String("frame"));
    if (kind == QLatin1String("slider"))
        return arg(1) == QLatin1String("thumb") ? sliderThumb(w, h) : sliderTrack(w, h);
    if (kind == QLatin1String("panel"))
        return panel(w, h);
    if (kind == QLatin1String("backdrop"))
        return backdrop(w, h, true);
    if (kind == QLatin1String("clockback"))
        return clockBack(w, h, arg(1));
    if (kind == QLatin1String("clockface"))
        return clockFace(w, h);
    if (kind == QLatin1String("secondhand"))
        return secondHand(w, h);
    if (kind == QLatin1String("locationmarker"))
        return locationMarker(w, h);
    if (kind == QLatin1String("thermometer"))
        return thermometer(w, h, arg(1) == QLatin1String("full"));
    if (kind == QLatin1String("calgrid"))
        return calendarGrid(w, h);
    if (kind == QLatin1String("legend"))
        return legend(w, h);
    if (kind == QLatin1String("wheel"))
        return wheel(w, h);
    if (kind == QLatin1String("knob"))
        return knob(w, h);
    if (kind == QLatin1String("monitorbutton"))
        return monitorButton(w, h);
    if (kind == QLatin1String("health") && toInt(arg(1), n) && n >= 1 && n <= 4)
        return healthCard(w, h, n);
    if (kind == QLatin1String("appicon"))
        return appIcon(w, h);
    if (kind == QLatin1String("photo"))
        return photo(w, h);
    if (kind == QLatin1String("weather"))
        return weather(w, h, arg(1), arg(2), error);
    if (kind == QLatin1String("preview") && toInt(arg(1), n))
        return renderSkinPreview(n, w, h);
    if (kind == QLatin1String("skin") && toInt(arg(1), n)) {
        // Tablet parts are drawn in the tablet gauge's coordinates.
        QImage img = renderSkinPart(n, arg(2), w, h, tablet);
        if (img.isNull())
            *error = QStringLiteral("unknown skin part \"%1\"").arg(recipe);
        return img;
    }
    if (kind == QLatin1String("tiptext")) {
        if (!tips.contains(arg(1)) || tips[arg(1)].text.isEmpty()) {
            *error = QStringLiteral("no words for tip %1").arg(arg(1));
            return {};
        }
        return tipText(w, h, tips[arg(1)]);
    }
    if (kind == QLatin1String("tipart") && toInt(arg(1), n))
        return tipArt(w, h, n, error);
    if (error->isEmpty())
        *error = QStringLiteral("unknown recipe \"%1\"").arg(recipe);
    return {};
}

} // namespace powerdeck::imagegen
