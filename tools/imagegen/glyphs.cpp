// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphs.h"

#include <QPainterPath>
#include <QtMath>
#include <functional>
#include <map>

namespace powerdeck::imagegen {

namespace {

using GlyphFn = std::function<void(QPainter &, const QColor &)>;

void line(QPainter &p, qreal x1, qreal y1, qreal x2, qreal y2)
{
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void poly(QPainter &p, std::initializer_list<QPointF> pts)
{
    p.drawPolyline(pts.begin(), int(pts.size()));
}

void filled(QPainter &p, const QColor &c, const QPainterPath &path)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
    p.restore();
}

const std::map<QString, GlyphFn> &glyphs()
{
    static const std::map<QString, GlyphFn> table = {
        {"wifi",
         [](QPainter &p, const QColor &c) {
             for (qreal r : {4.5, 9.0, 13.5})
                 p.drawArc(QRectF(12 - r, 19 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
             QPainterPath dot;
             dot.addEllipse(QPointF(12, 19), 1.8, 1.8);
             filled(p, c, dot);
         }},
        {"gps",
         [](QPainter &p, const QColor &) {
             QPainterPath pin;
             pin.moveTo(12, 22);
             pin.cubicTo(7, 16, 5, 13, 5, 9.5);
             pin.arcTo(QRectF(5, 2.5, 14, 14), 180, -180);
             pin.cubicTo(19, 13, 17, 16, 12, 22);
             p.drawPath(pin);
             p.drawEllipse(QPointF(12, 9.5), 2.5, 2.5);
         }},
        {"cell",
         [](QPainter &p, const QColor &) {
             QPen pen = p.pen();
             pen.setWidthF(3);
             pen.setCapStyle(Qt::FlatCap);
             p.setPen(pen);
             const qreal xs[] = {4.5, 9.5, 14.5, 19.5};
             for (int i = 0; i < 4; ++i)
                 line(p, xs[i], 21, xs[i], 17 - i * 4.3);
         }},
        {"brightness",
         [](QPainter &p, const QColor &) {
             p.drawEllipse(QPointF(12, 12), 4.2, 4.2);
             for (int i = 0; i < 8; ++i) {
                 const qreal a = i * M_PI / 4;
                 line(p, 12 + 7.2 * qCos(a), 12 + 7.2 * qSin(a), 12 + 10 * qCos(a),
                      12 + 10 * qSin(a));
             }
         }},
        {"bluetooth",
         [](QPainter &p, const QColor &) {
             poly(p, {{6.5, 7}, {17, 16.5}, {12, 21.5}, {12, 2.5}, {17, 7.5}, {6.5, 17}});
         }},
        {"tips",
         [](QPainter &p, const QColor &) {
             QPainterPath bulb;
             bulb.moveTo(9.2, 16.5);
             bulb.cubicTo(9, 14, 5.5, 12.5, 5.5, 9);
             bulb.arcTo(QRectF(5.5, 2.5, 13, 13), 180, -180);
             bulb.cubicTo(18.5, 12.5, 15, 14, 14.8, 16.5);
             bulb.closeSubpath();
             p.drawPath(bulb);
             line(p, 9.5, 19.5, 14.5, 19.5);
             line(p, 10.5, 22, 13.5, 22);
         }},
        {"calendar",
         [](QPainter &p, const QColor &c) {
             p.drawRoundedRect(QRectF(3, 5, 18, 16), 2.5, 2.5);
             line(p, 3, 10, 21, 10);
             line(p, 8, 3, 8, 7);
             line(p, 16, 3, 16, 7);
             QPainterPath dots;
             for (int i = 0; i < 3; ++i)
                 dots.addEllipse(QPointF(8 + i * 4, 15), 1.2, 1.2);
             filled(p, c, dots);
         }},
        {"battery",
         [](QPainter &p, const QColor &c) {
             p.drawRoundedRect(QRectF(2, 7, 17.5, 10), 2.5, 2.5);
             QPainterPath cap;
             cap.addRoundedRect(QRectF(20.3, 10, 2.2, 4), 0.8, 0.8);
             QPainterPath charge;
             charge.addRoundedRect(QRectF(4.8, 9.8, 8, 4.4), 1, 1);
             filled(p, c, cap);
             filled(p, c, charge);
         }},
        {"charge",
         [](QPainter &p, const QColor &) {
             QPainterPath bolt;
             bolt.moveTo(13.5, 2);
             bolt.lineTo(5, 13.5);
             bolt.lineTo(11.5, 13.5);
             bolt.lineTo(10.5, 22);
             bolt.lineTo(19, 10);
             bolt.lineTo(12.5, 10);
             bolt.closeSubpath();
             p.drawPath(bolt);
         }},
        {"settings",
         [](QPainter &p, const QColor &) {
             p.drawEllipse(QPointF(12, 12), 3.2, 3.2);
             QPainterPath gear;
             const int teeth = 8;
             for (int i = 0; i < teeth * 4; ++i) {
                 const qreal a = (i - 0.5) * 2 * M_PI / (teeth * 4);
                 const qreal r = (i % 4 == 0 || i % 4 == 1) ? 10 : 7.4;
                 const QPointF pt(12 + r * qCos(a), 12 + r * qSin(a));
                 if (i == 0)
                     gear.moveTo(pt);
                 else
                     gear.lineTo(pt);
             }
             gear.closeSubpath();
             p.drawPath(gear);
         }},
        {"appearance",
         [](QPainter &p, const QColor &c) {
             p.drawEllipse(QPointF(12, 12), 9, 9);
             QPainterPath half;
             half.moveTo(12, 3);
             half.arcTo(QRectF(3, 3, 18, 18), 90, -180);
             half.closeSubpath();
             filled(p, c, half);
         }},
        {"info",
         [](QPainter &p, const QColor &c) {
             p.drawRoundedRect(QRectF(6, 2, 12, 20), 2.5, 2.5);
             QPainterPath dot;
             dot.addEllipse(QPointF(12, 7.5), 1.3, 1.3);
             filled(p, c, dot);
             line(p, 12, 11, 12, 17);
         }},
        {"alert",
         [](QPainter &p, const QColor &) {
             QPainterPath bell;
             bell.moveTo(5, 17.5);
             bell.cubicTo(6.5, 15.5, 6.5, 13.5, 6.5, 10.5);
             bell.cubicTo(6.5, 7, 9, 4.5, 12, 4.5);
             bell.cubicTo(15, 4.5, 17.5, 7, 17.5, 10.5);
             bell.cubicTo(17.5, 13.5, 17.5, 15.5, 19, 17.5);
             bell.closeSubpath();
             p.drawPath(bell);
             p.drawArc(QRectF(9.8, 17.5, 4.4, 4), 180 * 16, 180 * 16);
             line(p, 12, 2.5, 12, 4.5);
         }},
        {"health",
         [](QPainter &p, const QColor &) {
             QPainterPath heart;
             heart.moveTo(12, 20.5);
             heart.cubicTo(5, 15.5, 2, 11.5, 2.8, 8);
             heart.cubicTo(3.7, 4.3, 9, 3.3, 12, 7.5);
             heart.cubicTo(15, 3.3, 20.3, 4.3, 21.2, 8);
             heart.cubicTo(22, 11.5, 19, 15.5, 12, 20.5);
             heart.closeSubpath();
             p.drawPath(heart);
             QPen thin = p.pen();
             thin.setWidthF(thin.widthF() * 0.8);
             p.setPen(thin);
             poly(p, {{6, 12}, {9, 12}, {10.5, 9}, {13, 15}, {14.5, 12}, {18, 12}});
         }},
        {"back",
         [](QPainter &p, const QColor &) {
             poly(p, {{15, 5}, {8, 12}, {15, 19}});
         }},
        {"left",
         [](QPainter &p, const QColor &) {
             poly(p, {{15, 5}, {8, 12}, {15, 19}});
         }},
        {"right",
         [](QPainter &p, const QColor &) {
             poly(p, {{9, 5}, {16, 12}, {9, 19}});
         }},
        {"cpu",
         [](QPainter &p, const QColor &c) {
             p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.8, 1.8);
             QPainterPath core;
             core.addRoundedRect(QRectF(9.3, 9.3, 5.4, 5.4), 0.8, 0.8);
             filled(p, c, core);
             for (qreal v : {9.0, 12.0, 15.0}) {
                 line(p, v, 2.5, v, 6);
                 line(p, v, 18, v, 21.5);
                 line(p, 2.5, v, 6, v);
                 line(p, 18, v, 21.5, v);
             }
         }},
        {"memory",
         [](QPainter &p, const QColor &c) {
             p.drawRoundedRect(QRectF(2, 6, 20, 10.5), 1.5, 1.5);
             QPainterPath chips;
             for (int i = 0; i < 3; ++i)
                 chips.addRoundedRect(QRectF(4.5 + i * 5.5, 8.5, 3.8, 5.5), 0.6, 0.6);
             filled(p, c, chips);
             for (int i = 0; i < 6; ++i)
                 line(p, 4.5 + i * 3, 16.5, 4.5 + i * 3, 19.5);
         }},
        {"disk",
         [](QPainter &p, const QColor &) {
             p.drawEllipse(QRectF(4, 3, 16, 5.5));
             line(p, 4, 5.75, 4, 18.25);
             line(p, 20, 5.75, 20, 18.25);
             p.drawArc(QRectF(4, 15.5, 16, 5.5), 180 * 16, 180 * 16);
             p.drawArc(QRectF(4, 9.5, 16, 5.5), 180 * 16, 180 * 16);
         }},
        {"network",
         [](QPainter &p, const QColor &) {
             line(p, 8, 20, 8, 4);
             poly(p, {{4, 8}, {8, 4}, {12, 8}});
             line(p, 16, 4, 16, 20);
             poly(p, {{12, 16}, {16, 20}, {20, 16}});
         }},
        {"moon",
         [](QPainter &p, const QColor &c) {
             QPainterPath full;
             full.addEllipse(QPointF(11, 12.5), 8.5, 8.5);
             QPainterPath bite;
             bite.addEllipse(QPointF(16, 8.5), 7.2, 7.2);
             filled(p, c, full.subtracted(bite));
         }},
        {"plus",
         [](QPainter &p, const QColor &) {
             line(p, 12, 5, 12, 19);
             line(p, 5, 12, 19, 12);
         }},
        {"check",
         [](QPainter &p, const QColor &) {
             poly(p, {{5, 12.5}, {10, 17.5}, {19, 7}});
         }},
        {"chevron-down",
         [](QPainter &p, const QColor &) {
             poly(p, {{6, 9}, {12, 15}, {18, 9}});
         }},
        {"crosshair",
         [](QPainter &p, const QColor &c) {
             p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
             line(p, 12, 1.5, 12, 5.5);
             line(p, 12, 18.5, 12, 22.5);
             line(p, 1.5, 12, 5.5, 12);
             line(p, 18.5, 12, 22.5, 12);
             QPainterPath dot;
             dot.addEllipse(QPointF(12, 12), 2, 2);
             filled(p, c, dot);
         }},
        {"satellite",
         [](QPainter &p, const QColor &c) {
             // Body with two solar wings on the diagonal, and the signal it sends.
             p.save();
             p.translate(10, 14);
             p.rotate(-45);
             QPainterPath body;
             body.addRoundedRect(QRectF(-2.6, -3.6, 5.2, 7.2), 1.2, 1.2);
             filled(p, c, body);
             for (int side : {-1, 1}) {
                 const QRectF wing(side < 0 ? -11 : 4.5, -2.4, 6.5, 4.8);
                 p.drawRect(wing);
                 line(p, wing.center().x(), wing.top(), wing.center().x(), wing.bottom());
                 line(p, side < 0 ? -4.5 : 2.6, 0, side < 0 ? -2.6 : 4.5, 0);
             }
             p.restore();
             p.drawArc(QRectF(12, 0, 12, 12), 0, 90 * 16);
             p.drawArc(QRectF(15.5, 3.5, 5, 5), 0, 90 * 16);
         }},
        {"pulse",
         [](QPainter &p, const QColor &) {
             poly(p,
                  {{2, 12.5}, {6.5, 12.5}, {9, 7}, {12.5, 19}, {15.5, 4}, {18, 12.5}, {22, 12.5}});
         }},
        {"airplane",
         [](QPainter &p, const QColor &c) {
             QPainterPath plane;
             plane.moveTo(12, 2);
             plane.cubicTo(13.3, 2, 13.5, 3.5, 13.5, 5);
             plane.lineTo(13.5, 9.5);
             plane.lineTo(21.5, 14);
             plane.lineTo(21.5, 16);
             plane.lineTo(13.5, 13.5);
             plane.lineTo(13.5, 18.5);
             plane.lineTo(16, 20.5);
             plane.lineTo(16, 22);
             plane.lineTo(12, 21);
             plane.lineTo(8, 22);
             plane.lineTo(8, 20.5);
             plane.lineTo(10.5, 18.5);
             plane.lineTo(10.5, 13.5);
             plane.lineTo(2.5, 16);
             plane.lineTo(2.5, 14);
             plane.lineTo(10.5, 9.5);
             plane.lineTo(10.5, 5);
             plane.cubicTo(10.5, 3.5, 10.7, 2, 12, 2);
             filled(p, c, plane);
         }},
        {"plug",
         [](QPainter &p, const QColor &) {
             line(p, 9, 2.5, 9, 7);
             line(p, 15, 2.5, 15, 7);
             QPainterPath body;
             body.moveTo(5.5, 7);
             body.lineTo(18.5, 7);
             body.lineTo(18.5, 11);
             body.cubicTo(18.5, 14.5, 15.5, 16.5, 12, 16.5);
             body.cubicTo(8.5, 16.5, 5.5, 14.5, 5.5, 11);
             body.closeSubpath();
             p.drawPath(body);
             line(p, 12, 16.5, 12, 22);
         }},
        {"snowflake",
         [](QPainter &p, const QColor &) {
             for (int i = 0; i < 3; ++i) {
                 const qreal a = M_PI / 2 + i * M_PI / 3;
                 const QPointF d(qCos(a) * 9.5, qSin(a) * 9.5);
                 line(p, 12 - d.x(), 12 - d.y(), 12 + d.x(), 12 + d.y());
                 for (int s : {-1, 1}) {
                     const QPointF tip(12 + s * d.x() * 0.62, 12 + s * d.y() * 0.62);
                     for (int k : {-1, 1}) {
                         const qreal b = a + (s < 0 ? M_PI : 0) + k * 0.75;
                         line(p, tip.x(), tip.y(), tip.x() + qCos(b) * 3.2,
                              tip.y() + qSin(b) * 3.2);
                     }
                 }
             }
         }},
        {"thermometer",
         [](QPainter &p, const QColor &c) {
             QPainterPath tube;
             tube.moveTo(9.5, 14.5);
             tube.lineTo(9.5, 5);
             tube.arcTo(QRectF(9.5, 2.5, 5, 5), 180, -180);
             tube.lineTo(14.5, 14.5);
             tube.arcTo(QRectF(7, 13, 10, 10), 60, -300);
             p.drawPath(tube);
             QPainterPath bulb;
             bulb.addEllipse(QPointF(12, 18), 2.4, 2.4);
             filled(p, c, bulb);
         }},
        {"phone",
         [](QPainter &p, const QColor &) {
             p.drawRoundedRect(QRectF(6, 2, 12, 20), 2.5, 2.5);
             line(p, 10.5, 19, 13.5, 19);
         }},
        {"cloud", [](QPainter &p, const QColor &) { p.drawPath(cloudPath()); }},
        {"sun",
         [](QPainter &p, const QColor &c) {
             QPainterPath disc;
             disc.addEllipse(QPointF(12, 12), 4.8, 4.8);
             filled(p, c, disc);
             for (int i = 0; i < 8; ++i) {
                 const qreal a = i * M_PI / 4;
                 line(p, 12 + 7.6 * qCos(a), 12 + 7.6 * qSin(a), 12 + 10.2 * qCos(a),
                      12 + 10.2 * qSin(a));
             }
         }},
        {"list",
         [](QPainter &p, const QColor &) {
             for (int i = 0; i < 3; ++i) {
                 line(p, 4, 6 + i * 6, 5, 6 + i * 6);
                 line(p, 9, 6 + i * 6, 20, 6 + i * 6);
             }
         }},
    };
    return table;
}

} // namespace

QPainterPath cloudPath()
{
    QPainterPath c;
    c.moveTo(7, 19);
    c.cubicTo(3.5, 19, 2, 16.5, 2.5, 14.5);
    c.cubicTo(3, 12.5, 5, 11.5, 6.5, 11.8);
    c.cubicTo(7, 8, 10, 5.5, 13.5, 6);
    c.cubicTo(16.5, 6.4, 18.5, 8.8, 18.6, 11.5);
    c.cubicTo(21, 11.7, 22.5, 13.5, 22.2, 15.7);
    c.cubicTo(21.9, 17.7, 20.3, 19, 18.5, 19);
    c.closeSubpath();
    return c;
}

bool isGlyph(const QString &name)
{
    return glyphs().contains(name);
}

bool drawGlyph(QPainter &p, const QString &name, const QRectF &box, const QColor &color,
               qreal strokeUnits)
{
    const auto it = glyphs().find(name);
    if (it == glyphs().end())
        return false;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(box.width(), box.height());
    p.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    p.scale(side / 24, side / 24);
    p.setPen(QPen(color, strokeUnits, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    it->second(p, color);
    p.restore();
    return true;
}

} // namespace powerdeck::imagegen
