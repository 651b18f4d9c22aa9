// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace powerdeck::imagegen {

// The five battery gauge skins, as separate layers (see README.md, "Gauge skins"):
// part "fill" (the liquid, at the back), "surface" (the liquid's top), "body" (an opaque
// faceplate with transparent windows), "electron", "core" and "rotor" (moving parts).
// Returns a null image for an unknown skin or part.
QImage renderSkinPart(int skin, const QString &part, int width, int height, bool tablet);

// The whole skin at a sample level, scaled into a chooser preview of the given size.
QImage renderSkinPreview(int skin, int width, int height);

} // namespace powerdeck::imagegen
