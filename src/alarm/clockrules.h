// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// The clock screen's arithmetic, free of the interface: when the time text is due, and the
// two-finger brightness gesture.
namespace clockrules {

// The minute of the wall clock a moment falls in, counted from the epoch: the time text is
// refreshed whenever this changes between two ticks, however far apart they are (a suspend, a
// coarse timer that skips the tick at second 0).
std::int64_t wallMinute(std::int64_t utcMsecs, int offsetFromUtcSeconds);

struct Point
{
    double x = 0;
    double y = 0;
};

// A vertical two-finger drag: once the fingers are more than kThreshold points above or below
// where the gesture began, each move event steps the brightness by kStep in the direction of that
// move. The brightness is read once, at touch-down; from then on the gesture keeps its own value,
// within [floor, 1].
class BrightnessGesture
{
public:
    static constexpr double kStep = 0.04;
    static constexpr double kThreshold = 15;

    void begin(Point p, double brightness, double floor);
    // The new brightness when this move changes it.
    std::optional<double> move(Point p);
    bool active() const { return m_active; }
    void end() { m_active = false; }
    double light() const { return m_light; }

private:
    bool m_active = false;
    Point m_tBegan;
    Point m_tEnd;
    Point m_tMov;
    double m_light = 1;
    double m_floor = 0;
};

} // namespace clockrules
