// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace powerdeck::imagegen {

// Line glyphs designed on a 24-unit grid with a 2-unit stroke, drawn into any square box.
// Returns false for an unknown name so that a typo in the catalogue fails the build.
bool drawGlyph(QPainter &p, const QString &name, const QRectF &box, const QColor &color,
               qreal strokeUnits = 2.0);

bool isGlyph(const QString &name);

// The cloud outline on the 24-unit grid, shared by the cloud glyph and the weather icons.
QPainterPath cloudPath();

} // namespace powerdeck::imagegen
