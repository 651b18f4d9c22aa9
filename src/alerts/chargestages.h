// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uitext.h"

#include <array>
#include <optional>
#include <string>

// The charging monitor's stages: fast charge up to 80 %, trickle charge from 80 % to 99 %, full
// at exactly 100 %. The comparisons are made on the exact decimal level; the two families draw
// the stages differently (three rings on a tablet, a sliding bar with stage icons on a phone).
// No Qt: the controller maps this state onto its pictures.
namespace chargestages {

// One ring of the tablet: its whole percent and whether its last change is drawn animated.
struct Ring
{
    int goal = 0;
    bool animated = false;
    bool operator==(const Ring &) const = default;
};

struct State
{
    // Tablet: fastCh, TrickleCh, FullCh and whether each stage label shows its check.
    Ring fast, trickle, full;
    std::array<bool, 3> labelChecked{};
    // Phone: the fill bar's x, whether it slides there (0.3 s), and the stage icons' checks.
    double barX = kBarStartX;
    bool barSlides = false;
    std::array<bool, 3> iconChecked{};
    // Phone: the bar is sliding to full; the icons get their checks when it arrives.
    bool finishing = false;
    // Some stage has been drawn since the screen was made.
    bool applied = false;

    // Where the fill bar waits before the first level.
    static constexpr double kBarStartX = -320;
};

// Moves the stage display to a level. An unknown level (negative, not a number) changes
// nothing. Returns whether anything changed.
bool apply(State &state, double level, bool tablet);

// The phone's slide to full has ended: the icons get their checks, provided the latest level
// is still 100 (it may have dropped while the bar slid). Returns whether anything changed.
bool finishSlide(State &state, double latestLevel);

// The level the stages are drawn for. A battery the system reports as full (state 3) counts as
// 100 where it rests short of it: held by its charge limit (anywhere between its thresholds) or,
// reporting "Full", at 95 % and above. The percentage text keeps the real level.
double stageLevel(double level, int batteryState, bool heldAtLimit);

// The charge limit the page names, where the battery has one below 100; shown as kThresholdText
// with the limit for %1 ("Stops at 80 %"), or kHeldText while the battery is held there.
std::optional<int> shownThreshold(std::optional<int> endThreshold);
constexpr const char *kThresholdText = POWERDECK_TEXT("Powerdeck", "Stops at %1 %");
constexpr const char *kHeldText = POWERDECK_TEXT("Powerdeck", "Held at %1 %");

// The kernel's charge type as the platform's own word (data, shown untranslated like the
// forecast's words), or empty where it says nothing useful.
std::string chargeTypeText(const std::string &chargeType);

} // namespace chargestages
