// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The visual language in code: palette, radii, strokes and type (resources/images/README.md
// explains the choices). Greys are exact greys (R = G = B) so that the hue tint leaves them
// alone; everything that should follow the tint is drawn in the accent family.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace powerdeck::imagegen {

namespace palette {
inline const QColor ink{0x0d, 0x0d, 0x0d};     // page background
inline const QColor surface{0x1a, 0x1a, 0x1a}; // cards, tiles, buttons at rest
inline const QColor raised{0x26, 0x26, 0x26};  // tracks, wells
inline const QColor line{0x3d, 0x3d, 0x3d};    // hairlines and outlines at rest
inline const QColor muted{0x80, 0x80, 0x80};   // glyphs and text that are off
inline const QColor text{0xe8, 0xe8, 0xe8};    // body text
inline const QColor white{0xff, 0xff, 0xff};
inline const QColor accent{0x1f, 0xd6, 0x8a};      // the one hue the tint rotates
inline const QColor accentLight{0x9c, 0xf2, 0xc8}; // highlights, "full"
inline const QColor accentDeep{0x0b, 0x7a, 0x4b};  // shade, "low"
} // namespace palette

QColor withAlpha(QColor c, qreal alpha);

// A transparent picture of the given size, ready to paint on.
QImage blank(int w, int h);

// The condensed sans of the interface ("DINMittelschriftStd" on screen).
QFont uiFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);

// Rounded-rectangle fill with an optional outline drawn inside the rectangle.
void roundedBox(QPainter &p, const QRectF &r, qreal radius, const QBrush &fill,
                const QColor &outline = Qt::transparent, qreal outlineWidth = 0);

// Draws text centred in r at the largest pixel size up to maxPixel that fits on one line.
void fitText(QPainter &p, const QRectF &r, const QString &text, qreal maxPixel,
             QFont::Weight weight, const QColor &color, Qt::Alignment align = Qt::AlignCenter);

// A soft radial glow in the accent colour, used behind "on" and selected states.
void glow(QPainter &p, const QPointF &centre, qreal radius, const QColor &color, qreal strength);

} // namespace powerdeck::imagegen
