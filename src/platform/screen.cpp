// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen.h"

#include "platform/backlight.h"

double screenBrightness(const SystemRoots &roots)
{
    const auto device = preferredBacklight(roots);
    return device ? device->fraction() : 1.0;
}
