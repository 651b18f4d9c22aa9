// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/chargestages.h"

#include <cmath>

namespace chargestages {

namespace {

// Sets a ring; it animates only where the caller says so.
void setRing(Ring &ring, int goal, bool animated)
{
    ring.goal = goal;
    ring.animated = animated;
}

// Back to 0, animated only when the ring showed something.
void clearRing(Ring &ring)
{
    setRing(ring, 0, ring.goal > 0);
}

void applyTablet(State &s, double x)
{
    bool trickleFoundEmpty = false;
    if (x <= 80) {
        setRing(s.fast, int(x * 1.25), true);
        // After a full charge the checks stay until the full ring has run down.
        if (s.full.goal == 0)
            s.labelChecked = {false, false, false};
        trickleFoundEmpty = s.trickle.goal == 0;
        clearRing(s.trickle);
        clearRing(s.full);
    }
    if (x >= 80 && x < 100) {
        s.labelChecked = {true, false, false};
        setRing(s.fast, 100, false);
        setRing(s.trickle, int((x - 80) * 5), !trickleFoundEmpty);
        clearRing(s.full);
    }
    if (x == 100) {
        s.labelChecked = {true, true, true};
        setRing(s.fast, 100, true);
        setRing(s.trickle, 100, true);
        setRing(s.full, 100, true);
    }
}

void applyPhone(State &s, double x)
{
    s.barSlides = false;
    s.finishing = false;
    if (x < 80) {
        s.iconChecked = {false, false, false};
        s.barX = x * 0.53 - 260;
    } else if (x < 100) {
        s.iconChecked = {true, false, false};
        s.barX = (x - 80) * 2.5 - 143;
    } else {
        s.barX = 18;
        s.barSlides = true;
        s.finishing = true;
    }
}

} // namespace

bool apply(State &state, double level, bool tablet)
{
    if (!std::isfinite(level) || level < 0 || level > 100)
        return false;
    // 99 up to 100 keeps the trickle look of a drawn screen; a fresh one draws the trickle stage.
    if (level >= 99 && level < 100 && state.applied)
        return false;
    if (tablet)
        applyTablet(state, level);
    else
        applyPhone(state, level);
    state.applied = true;
    return true;
}

bool finishSlide(State &state, double latestLevel)
{
    if (!state.finishing)
        return false;
    state.finishing = false;
    state.barSlides = false;
    if (latestLevel != 100)
        return false;
    state.iconChecked = {true, true, true};
    return true;
}

double stageLevel(double level, int batteryState, bool heldAtLimit)
{
    if (batteryState != 3 || !std::isfinite(level) || level < 0 || level >= 100)
        return level;
    return heldAtLimit || level >= 95 ? 100 : level;
}

std::optional<int> shownThreshold(std::optional<int> endThreshold)
{
    if (!endThreshold || *endThreshold <= 0 || *endThreshold >= 100)
        return std::nullopt;
    return endThreshold;
}

std::string chargeTypeText(const std::string &chargeType)
{
    if (chargeType.empty() || chargeType == "Unknown" || chargeType == "N/A" ||
        chargeType == "None")
        return {};
    return chargeType;
}

} // namespace chargestages
