// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wheeldrawer.h"

#include <gtest/gtest.h>

namespace {

TEST(WheelDrawer, ReleasingTheHandleSnapsTheDrawerOnEveryLayout)
{
    // The drawer opens at its top position and closes to the handle's height above the bottom.
    // A release below the threshold (H - 120 on phones, 874 on the tablet) closes it, a release
    // above opens it; the drawer follows the finger only inside its band.
    const struct
    {
        const char *what;
        bool tablet;
        int height;
        double initialTop, press, release, finalTop;
        int ticks;
    } cases[] = {
        {"480 closes", false, 480, 330, 400, 400, 454, 55},
        {"480 opens", false, 480, 330, 420, 300, 330, 91},
        {"480 just below the threshold", false, 480, 330, 400, 361, 454, 55},
        {"480 at the threshold", false, 480, 330, 400, 360, 330, 71},
        {"568 opens from inside the band", false, 568, 418, 500, 430, 418, 83},
        {"568 at the threshold", false, 568, 418, 500, 448, 418, 83},
        {"568 just below the threshold", false, 568, 418, 500, 449, 542, 43},
        {"568 press outside the band, open stays", false, 568, 418, 300, 300, 418, 1},
        {"tablet opens", true, 1024, 789, 900, 874, 789, 112},
        {"tablet closes", true, 1024, 789, 900, 875, 984, 85},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WheelDrawer drawer(c.height, c.tablet);
        EXPECT_DOUBLE_EQ(drawer.top(), c.initialTop);
        drawer.touchesBegan(c.press);
        drawer.touchesEnded(c.release);
        int ticks = 0;
        while (drawer.snapTimer().isActive() && ticks < 1000) {
            emit drawer.snapTimer().timeout({});
            ++ticks;
        }
        EXPECT_DOUBLE_EQ(drawer.top(), c.finalTop);
        EXPECT_EQ(ticks, c.ticks); // one point a tick, then the tick that stops
    }
}

} // namespace
