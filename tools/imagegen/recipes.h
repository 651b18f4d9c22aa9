// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tipbook.h"

#include <QImage>
#include <QString>

namespace powerdeck::imagegen {

// Draws the picture a catalogue recipe names ("switch:on", "weather:rain:night", ...) at the
// given pixel size; height 0 lets the content choose it. On an unknown recipe, returns a null
// image and says why in *error. `tablet` selects the tablet gauge's coordinates for skin bodies.
QImage renderRecipe(const QString &recipe, int width, int height, bool tablet, const TipBook &tips,
                    QString *error);

} // namespace powerdeck::imagegen
