// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main screen's geometry: where the page area scrolls for a page, and how the wheel drawer
// follows the finger and snaps. All in the layout's points; pure functions of their inputs.
namespace navigation {

constexpr int kPageCount = 6;

struct PageOffset
{
    double x;
    double y;
};

// Scroll position of the page area for a page (0 tips ... 5 system monitor): pages side by side,
// and the area lowered on the pages that show the gauge behind them.
PageOffset pageOffset(int page, bool tablet);
double pageWidth(bool tablet);

// The wheel drawer: its top edge moves between the open and the closed position.
struct Drawer
{
    double screenHeight;
    bool tablet;

    // The band of finger positions in which the drawer follows the finger.
    double followTop() const { return screenHeight - (tablet ? 240 : 150); }
    double followBottom() const { return screenHeight - (tablet ? 40 : 26); }
    // Where snapping stops: fully open, nearly closed.
    double openTop() const { return screenHeight - (tablet ? 235 : 150); }
    double closedTop() const { return followBottom(); }
    // The finger's y beyond which a release closes the drawer: on phones 120 points above the
    // bottom, inside the band the drawer follows on either phone height.
    double releaseThreshold() const { return tablet ? 874 : screenHeight - 120; }

    // New top edge for a finger at y, or the current one when the finger is outside the band.
    double follow(double currentTop, double fingerY) const;
    // True when a release at this y sends the drawer down (closing), false for up (opening).
    bool releaseGoesDown(double fingerY) const { return fingerY > releaseThreshold(); }
    // One snapping tick: one point towards the target; returns false when the drawer has
    // arrived (and then leaves the top edge unchanged).
    bool stepUp(double &top) const;
    bool stepDown(double &top) const;
};

} // namespace navigation
