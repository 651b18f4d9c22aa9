// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

// Screen brightness as a fraction 0.0 to 1.0: the first backlight's brightness over its maximum,
// or 1.0 where the system has no backlight control (a desktop monitor, a virtual machine).
double screenBrightness(const SystemRoots &roots);
