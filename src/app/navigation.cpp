// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/navigation.h"

namespace navigation {

double pageWidth(bool tablet)
{
    return tablet ? 768 : 320;
}

PageOffset pageOffset(int page, bool tablet)
{
    const double x = page * pageWidth(tablet);
    double y = 0;
    if (tablet)
        y = (page == 2 || page == 3 || page == 5) ? 316 : 0;
    else
        y = (page == 2 || page == 3) ? 132 : page == 5 ? 166 : 0;
    return {x, y};
}

double Drawer::follow(double currentTop, double fingerY) const
{
    return (fingerY > followTop() && fingerY < followBottom()) ? fingerY : currentTop;
}

bool Drawer::stepUp(double &top) const
{
    if (top > openTop()) {
        top -= 1;
        return true;
    }
    return false;
}

bool Drawer::stepDown(double &top) const
{
    if (top < closedTop()) {
        top += 1;
        return true;
    }
    return false;
}

} // namespace navigation
