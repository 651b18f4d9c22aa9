// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/batterysource.h"

// A battery whose figures the test sets; notifyChange() is the platform saying it changed.
class ScriptedBatterySource : public BatterySource
{
public:
    PowerSupplySnapshot figures;
    bool monitoring = false;
    int snapshotCalls = 0;

    void setBatteryMonitoringEnabled(bool enabled) override { monitoring = monitoring || enabled; }
    bool isBatteryMonitoringEnabled() const override { return monitoring; }
    PowerSupplySnapshot snapshot() override
    {
        ++snapshotCalls;
        return figures;
    }

    void set(double level, int state)
    {
        figures.hasBattery = level >= 0;
        figures.level = level;
        figures.state = state;
    }
    void notifyChange() { emit changed(); }
};
