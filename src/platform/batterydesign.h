// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <optional>

// The battery's design figures from /sys/class/power_supply (all batteries combined), for the
// device specification table on hosts that have no row in devices.plist.
struct BatteryDesign
{
    double designCapacityMah = 0; // 0 when unknown
    double voltageMinDesignV = 0; // 0 when unknown
};

// Nothing when the system has no battery.
std::optional<BatteryDesign> readBatteryDesign(const SystemRoots &roots);
