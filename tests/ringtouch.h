// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QtMath>

#include <algorithm>
#include <cmath>

// One finger on a ring around mid at radius r: down at the top, round by degrees (clockwise
// positive) in steps of at most five degrees, then lifted. target takes touchBegan(x, y),
// touchMoved(x, y) and touchEnded(), as the knob and wheel controllers do.
template <class Target> void turnOnRing(Target &target, QPointF mid, double r, double degrees)
{
    auto at = [&](double theta) {
        const double t = qDegreesToRadians(theta);
        return mid + QPointF(r * std::sin(t), -r * std::cos(t));
    };
    QPointF p = at(0);
    target.touchBegan(p.x(), p.y());
    const int steps = std::max(1, int(std::ceil(std::abs(degrees) / 5)));
    for (int i = 1; i <= steps; ++i) {
        p = at(degrees * i / steps);
        target.touchMoved(p.x(), p.y());
    }
    target.touchEnded();
}
