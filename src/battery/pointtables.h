// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "battery/gaugegeometry.h"

#include <QString>
#include <QVariant>

// The point tables of the sphere and hydraulic skins: property lists (an array of dictionaries
// with the keys "1" to "4", each a point written "{x, y}") shipped among the resources.
namespace pointtables {

// The table's resource name for a skin and family: "sphere" / "cerc" for the atomic skin,
// "hydro" / "tub" for the hydraulic one; empty for the skins that need none.
QString resourceName(int skin, bool tablet);

// Reads "<resources>/<name>.plist". A missing or unreadable file gives an empty table; an entry
// or point that cannot be read is kept as an entry without that point, so that only the levels
// which need it fail. The shipped file is never moved or rewritten.
gauge::PointTable load(const QString &resourcesDir, const QString &name);
// The same from the parsed property list.
gauge::PointTable fromPlist(const QVariant &value);
// "{x, y}" (also accepted: an array [x, y] or a dictionary {"x", "y"}).
std::optional<gauge::Point> pointFrom(const QVariant &value);

} // namespace pointtables
