// SPDX-License-Identifier: GPL-3.0-or-later
#include "skins.h"

#include "glyphs.h"
#include "style.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace powerdeck::imagegen {

namespace {

using namespace palette;

// Liquid: the accent, lit from the top, with a few bubbles. Deterministic, so rebuilds are
// byte-identical.
void paintLiquid(QPainter &p, const QRectF &r, const QPainterPath &shape = {})
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (!shape.isEmpty())
        p.setClipPath(shape);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, accentLight);
    g.setColorAt(0.12, accent);
    g.setColorAt(1, accentDeep);
    p.fillRect(r, g);
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return ((seed >> 16) & 0x7fff) / 32767.0;
    };
    p.setPen(Qt::NoPen);
    const int bubbles = int(r.width() * r.height() / 900) + 3;
    for (int i = 0; i < bubbles; ++i) {
        const QPointF c(r.left() + next() * r.width(), r.top() + (0.2 + 0.8 * next()) * r.height());
        const qreal rad = 1 + next() * qMax(2.0, r.width() / 60);
        p.setBrush(withAlpha(accentLight, 0.12 + 0.18 * next()));
        p.drawEllipse(c, rad, rad);
    }
    p.restore();
}

void paintSurface(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, accentLight);
    g.setColorAt(1, accent);
    p.setPen(QPen(withAlpha(white, 0.55), qMax(1.0, r.height() / 10)));
    p.setBrush(g);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

// Opaque faceplate with transparent windows: fill the plate, then punch the windows out.
void paintPlate(QPainter &p, const QRectF &r, const QPainterPath &windows)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(r.center(), qMax(r.width(), r.height()) * 0.7);
    g.setColorAt(0, QColor(0x16, 0x16, 0x16));
    g.setColorAt(1, ink);
    QPainterPath plate;
    plate.addRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(plate.subtracted(windows));
    p.restore();
}

// The rim drawn around every window: a neutral outline with a faint top highlight.
void paintRim(QPainter &p, const QPainterPath &window, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, width * 2.2));
    p.drawPath(window);
    p.setPen(QPen(withAlpha(white, 0.16), width * 0.7));
    p.drawPath(window);
    p.restore();
}

struct Geometry
{
    // Canvas of the skin body in the gauge's coordinates (phone or tablet).
    QSizeF canvas;
    QPainterPath window;
    QRectF fillRest; // where the fill image sits at level 100
};

QRectF rect(qreal x, qreal y, qreal w, qreal h)
{
    return QRectF(x, y, w, h);
}

// Window shapes follow the positions the gauge gives each layer.
Geometry geometry(int skin, bool tablet)
{
    Geometry g;
    QPainterPath w;
    switch (skin) {
    case 0:
        g.canvas = tablet ? QSizeF(768, 320) : QSizeF(320, 180);
        g.fillRest = tablet ? rect(177, 75, 415, 170) : rect(35, 40, 250, 100);
        w.addRoundedRect(g.fillRest, tablet ? 24 : 14, tablet ? 24 : 14);
        break;
    case 1:
        g.canvas = tablet ? QSizeF(768, 320) : QSizeF(320, 180);
        g.fillRest = tablet ? rect(252, 36, 230, 230) : rect(89, 16, 122, 122);
        w.addEllipse(g.fillRest);
        break;
    case 2: {
        g.canvas = tablet ? QSizeF(768, 320) : QSizeF(320, 180);
        g.fillRest = tablet ? rect(128, 66, 517, 225) : rect(0, 21, 320, 156);
        const qreal tw = tablet ? 200 : 120;
        const qreal gap = tablet ? 97 : 40;
        const qreal x1 = g.fillRest.center().x() - gap / 2 - tw;
        const qreal x2 = g.fillRest.center().x() + gap / 2;
        const qreal r = tablet ? 26 : 14;
        w.addRoundedRect(rect(x1, g.fillRest.top(), tw, g.fillRest.height()), r, r);
        w.addRoundedRect(rect(x2, g.fillRest.top(), tw, g.fillRest.height()), r, r);
        const qreal ch = tablet ? 46 : 28;
        w.addRect(rect(x1 + tw / 2, g.fillRest.bottom() - ch - r, x2 - x1, ch));
        // The channel overlaps both tubes: with the even-odd rule the overlaps would be holes.
        w.setFillRule(Qt::WindingFill);
        w = w.simplified();
        break;
    }
    case 3: {
        g.canvas = tablet ? QSizeF(768, 320) : QSizeF(320, 180);
        g.fillRest = tablet ? rect(186, 66, 406, 195) : rect(36, 36, 246, 112);
        const QRectF f = g.fillRest;
        const qreal neck = f.width() * 0.22;
        const qreal top = f.top() - (tablet ? 44 : 24);
        w.moveTo(f.center().x() - neck / 2, top);
        w.lineTo(f.center().x() + neck / 2, top);
        w.lineTo(f.center().x() + neck / 2, f.top() - 4);
        w.cubicTo(f.right(), f.top() + f.height() * 0.15, f.right(), f.top() + f.height() * 0.3,
                  f.right(), f.top() + f.height() * 0.55);
        w.cubicTo(f.right(), f.bottom() - 4, f.right() - 10, f.bottom(), f.center().x(),
                  f.bottom());
        w.cubicTo(f.left() + 10, f.bottom(), f.left(), f.bottom() - 4, f.left(),
                  f.top() + f.height() * 0.55);
        w.cubicTo(f.left(), f.top() + f.height() * 0.3, f.left(), f.top() + f.height() * 0.15,
                  f.center().x() - neck / 2, f.top() - 4);
        w.closeSubpath();
        break;
    }
    case 4:
        g.canvas = tablet ? QSizeF(768, 480) : QSizeF(320, 260);
        g.fillRest = tablet ? rect(331, 96, 100, 344) : rect(130, 58, 60, 196);
        w.addRoundedRect(g.fillRest, g.fillRest.width() / 2, g.fillRest.width() / 2);
        break;
    default:
        break;
    }
    g.window = w;
    return g;
}

void paintBody(QPainter &p, int skin, bool tablet)
{
    const Geometry g = geometry(skin, tablet);
    const QRectF canvas(QPointF(0, 0), g.canvas);
    const qreal u = tablet ? 2.0 : 1.0; // stroke unit
    p.setRenderHint(QPainter::Antialiasing);
    paintPlate(p, canvas, g.window);
    paintRim(p, g.window, u * 1.4);
    switch (skin) {
    case 0: {
        // Terminal cap and quarter marks above the cell.
        const QRectF f = g.fillRest;
        const QRectF cap(f.right() + 6 * u, f.center().y() - f.height() * 0.2, 9 * u,
                         f.height() * 0.4);
        roundedBox(p, cap, 3 * u, line);
        p.setPen(QPen(muted, u));
        for (int i = 1; i < 4; ++i) {
            const qreal x = f.left() + f.width() * i / 4;
            p.drawLine(QPointF(x, f.top() - 10 * u), QPointF(x, f.top() - 4 * u));
        }
        fitText(p, QRectF(f.left(), f.bottom() + 4 * u, f.width(), 16 * u),
                QStringLiteral("CLASSIC"), 11 * u, QFont::Bold, muted);
        break;
    }
    case 1: {
        // The orbit of the electron, drawn across the sphere.
        const QPointF c = tablet ? QPointF(367, 133) : QPointF(150, 77);
        const qreal rx = tablet ? 260 : 134, ry = tablet ? 60 : 29;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(withAlpha(accent, 0.45), 1.2 * u, Qt::DashLine));
        p.drawEllipse(c, rx, ry);
        break;
    }
    case 2: {
        // Piston caps over both tubes and a pressure dial.
        const QRectF f = g.fillRest;
        p.setPen(QPen(muted, u));
        for (int i = 0; i <= 10; ++i) {
            const qreal y = f.top() + f.height() * i / 10;
            const qreal len = (i % 5 == 0 ? 10 : 5) * u;
            p.drawLine(QPointF(f.center().x() - len / 2, y), QPointF(f.center().x() + len / 2, y));
        }
        break;
    }
    case 3: {
        // Graduations on the flask.
        const QRectF f = g.fillRest;
        p.setPen(QPen(withAlpha(white, 0.35), u));
        for (int i = 1; i < 5; ++i) {
            const qreal y = f.bottom() - f.height() * i / 5;
            p.drawLine(QPointF(f.left() + f.width() * 0.18, y),
                       QPointF(f.left() + f.width() * 0.18 + (i % 2 ? 10 : 18) * u, y));
        }
        break;
    }
    case 4: {
        // Two cooling towers either side of the reactor tube.
        const QRectF f = g.fillRest;
        for (int side : {-1, 1}) {
            const qreal cx = f.center().x() + side * f.width() * 1.9;
            const qreal base = f.bottom();
            const qreal h = f.height() * 0.62;
            const qreal wTop = f.width() * 1.0, wMid = f.width() * 0.8, wBase = f.width() * 1.3;
            QPainterPath tower;
            tower.moveTo(cx - wBase / 2, base);
            tower.cubicTo(cx - wMid / 2, base - h * 0.5, cx - wMid / 2, base - h * 0.7,
                          cx - wTop / 2, base - h);
            tower.lineTo(cx + wTop / 2, base - h);
            tower.cubicTo(cx + wMid / 2, base - h * 0.7, cx + wMid / 2, base - h * 0.5,
                          cx + wBase / 2, base);
            tower.closeSubpath();
            p.setPen(QPen(line, 1.5 * u));
            p.setBrush(surface);
            p.drawPath(tower);
            p.setPen(QPen(withAlpha(accent, 0.5), 1.5 * u));
            p.drawLine(QPointF(cx - wMid / 2 + 2 * u, base - h * 0.55),
                       QPointF(cx + wMid / 2 - 2 * u, base - h * 0.55));
        }
        p.setPen(QPen(line, 2 * u));
        p.drawLine(QPointF(f.center().x() - f.width() * 3, f.bottom() + 2 * u),
                   QPointF(f.center().x() + f.width() * 3, f.bottom() + 2 * u));
        break;
    }
    default:
        break;
    }
}

void paintCore(QPainter &p, const QRectF &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, r.center(), r.width() / 2, accent, 0.55);
    QRadialGradient g(r.center() - QPointF(r.width() * 0.1, r.height() * 0.1), r.width() * 0.32);
    g.setColorAt(0, white);
    g.setColorAt(0.35, accentLight);
    g.setColorAt(1, accent);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(r.center(), r.width() * 0.3, r.height() * 0.3);
}

void paintRotor(QPainter &p, const QRectF &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = r.center();
    const qreal rad = r.width() / 2 - 2;
    p.setPen(QPen(line, rad / 40));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, rad, rad);
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 120);
        QPainterPath blade;
        blade.moveTo(0, -rad * 0.16);
        blade.cubicTo(rad * 0.35, -rad * 0.4, rad * 0.55, -rad * 0.75, rad * 0.2, -rad * 0.93);
        blade.cubicTo(-rad * 0.1, -rad * 0.7, -rad * 0.1, -rad * 0.35, 0, -rad * 0.16);
        QLinearGradient g(QPointF(0, 0), QPointF(0, -rad));
        g.setColorAt(0, accentDeep);
        g.setColorAt(1, accent);
        p.setPen(QPen(withAlpha(accentLight, 0.6), rad / 70));
        p.setBrush(g);
        p.drawPath(blade);
        p.restore();
    }
    p.setPen(QPen(line, rad / 40));
    p.setBrush(surface);
    p.drawEllipse(c, rad * 0.16, rad * 0.16);
    p.setBrush(accent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, rad * 0.06, rad * 0.06);
}

void paintElectron(QPainter &p, const QRectF &r)
{
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, r.center(), r.width() / 2, accent, 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(r.center(), r.width() * 0.2, r.height() * 0.2);
}

// A whole skin at level `level`, layered as the gauge layers it.
void paintComposite(QPainter &p, int skin, qreal level)
{
    const bool tablet = false;
    const Geometry g = geometry(skin, tablet);
    p.fillRect(QRectF(QPointF(0, 0), g.canvas), ink);
    const qreal d = 100 - level;
    switch (skin) {
    case 0: {
        QRectF fill = g.fillRest;
        fill.moveLeft(level * 2.5 - 215);
        paintLiquid(p, fill);
        const qreal ew = qAbs(level > 50 ? int((level - 100) * 0.4) : int(level * 0.4));
        paintSurface(p, QRectF(fill.right() - ew / 2, fill.top(), ew, fill.height()));
        break;
    }
    case 1: {
        QRectF fill = g.fillRest;
        const qreal top = 138 - 1.22 * level;
        QPainterPath clip;
        clip.addEllipse(g.fillRest);
        paintLiquid(p, QRectF(fill.left(), top, fill.width(), fill.bottom() - top), clip);
        const qreal dy = top - g.fillRest.center().y();
        const qreal half = qSqrt(qMax(0.0, 61.0 * 61.0 - dy * dy));
        const qreal h = qMax(2.0, (top - 15) * 0.28);
        paintSurface(p, QRectF(150 - half, top - h / 2, 2 * half, h));
        break;
    }
    case 2: {
        const QRectF col(0, 21 + 1.2 * d, 320, 156 - 1.2 * d);
        paintLiquid(p, col, g.window);
        const qreal tw = 120, gap = 40;
        const qreal x1 = 160 - gap / 2 - tw, x2 = 160 + gap / 2;
        paintSurface(p, QRectF(x1, col.top() - 5, tw, 10));
        paintSurface(p, QRectF(x2, col.top() - 5, tw, 10));
        break;
    }
    case 3: {
        const qreal c = level * 0.87;
        paintLiquid(p, QRectF(36, 123 - c, 246, c + 25), g.window);
        const qreal s = 1 - level / 100;
        const qreal sh = 25 * s;
        if (sh > 0.5)
            paintSurface(p, QRectF(160 - 123, 123 - c - sh / 2, 246, sh));
        break;
    }
    case 4: {
        const qreal cy = 222 - 1.3 * level;
        QPainterPath clip = g.window;
        paintLiquid(p, QRectF(130, cy, 60, 254 - cy), clip);
        p.save();
        p.setClipPath(clip);
        paintCore(p, QRectF(160 - 30, cy - 30, 60, 60));
        p.restore();
        break;
    }
    default:
        break;
    }
    paintBody(p, skin, tablet);
    if (skin == 1) {
        const qreal a = 0.9;
        paintElectron(p, QRectF(qCos(a) * 134 + 150 - 9, qSin(a) * 29 + 77 - 9, 18, 18));
    }
    if (skin == 4) {
        p.save();
        p.setOpacity(0.9);
        paintRotor(p, QRectF(250, 10, 60, 60));
        paintRotor(p, QRectF(10, 10, 60, 60));
        p.restore();
    }
}

} // namespace

QImage renderSkinPart(int skin, const QString &part, int width, int height, bool tablet)
{
    if (skin < 0 || skin > 4)
        return {};
    QImage img = blank(width, height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, width, height);
    if (part == QLatin1String("body")) {
        const Geometry g = geometry(skin, tablet);
        p.scale(width / g.canvas.width(), height / g.canvas.height());
        paintBody(p, skin, tablet);
    } else if (part == QLatin1String("fill")) {
        if (skin == 1) {
            QPainterPath disc;
            disc.addEllipse(all);
            paintLiquid(p, all, disc);
        } else {
            paintLiquid(p, all);
        }
    } else if (part == QLatin1String("end") || part == QLatin1String("surface")) {
        paintSurface(p, all);
    } else if (part == QLatin1String("electron")) {
        paintElectron(p, all);
    } else if (part == QLatin1String("core")) {
        paintCore(p, all);
    } else if (part == QLatin1String("rotor")) {
        paintRotor(p, all);
    } else {
        return {};
    }
    return img;
}

QImage renderSkinPreview(int skin, int width, int height)
{
    if (skin < 0 || skin > 4)
        return {};
    const Geometry g = geometry(skin, false);
    QImage canvas(g.canvas.toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        paintComposite(p, skin, 65);
    }
    QImage img = blank(width, height);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal radius = height * 0.08;
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), radius, radius);
    p.setClipPath(card);
    p.fillRect(img.rect(), ink);
    const QSizeF fitted = g.canvas.scaled(QSizeF(width, height) * 0.92, Qt::KeepAspectRatio);
    p.drawImage(
        QRectF(QPointF((width - fitted.width()) / 2, (height - fitted.height()) / 2), fitted),
        canvas);
    p.setClipping(false);
    p.setPen(QPen(line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(card);
    return img;
}

} // namespace powerdeck::imagegen
