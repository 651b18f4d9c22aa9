#pragma once

#include "platform/systemroots.h"

#include <QString>

#include <optional>

// What /sys/class/power_supply says about the batteries and the chargers, combined into one
// battery. Batteries of scope "Device" (a mouse, a headset) are not the system's and are ignored.
struct PowerSupplySnapshot
{
    bool hasBattery = false;
    // Level as a fraction 0.0 to 1.0, or -1 when there is no battery or its figures are unusable.
    double level = -1;
    // 0 unknown, 1 unplugged (discharging), 2 charging, 3 full.
    int state = 0;
    bool externalPower = false; // a mains or USB supply is online

    // Figures in mAh / mA / V; unset when the kernel does not report them (or they are absurd).
    std::optional<double> remainingMah;
    std::optional<double> fullMah;
    std::optional<double> designMah;
    std::optional<double> currentMa; // magnitude of the battery current
    std::optional<double> voltageMinDesignV;
    // The charge limit in percent (charge_control_end_threshold) where the battery has one; with
    // several batteries, the lowest.
    std::optional<int> chargeEndThreshold;
    // The kernel's charge_type word ("Fast", "Standard", "Trickle", "Adaptive", "Long Life", ...)
    // of the first battery that has one.
    QString chargeType;

    // The battery's wear as measured by its gauge: full capacity as a share of the design
    // capacity, in percent (from the charge pair, else the energy pair), the charge cycles, and
    // what the battery says it is. Unset or empty when the kernel does not report them.
    std::optional<double> wearPercent;
    std::optional<int> cycleCount;
    QString technology;
    QString manufacturer;
};

PowerSupplySnapshot readPowerSupplies(const SystemRoots &roots);

// The kernel's status text of one battery to a state, given that battery's level (0.0 to 1.0)
// and charge limit in percent. A battery that has stopped at its limit on external power reports
// "Not charging" (some firmware "Unknown"): from one below the limit up, that is full.
int batteryStateFromStatus(const QString &status, double level, bool externalPower,
                           std::optional<int> endThreshold = std::nullopt);
