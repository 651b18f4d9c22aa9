// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QString>

#include <optional>

// How a battery counts what it holds, in its own unit: energy batteries in Wh with a rate in W,
// charge batteries in Ah with a rate in A, and batteries that give only a percentage in percent
// (no rate: their draw shows only in how the percentage falls). The draw is measured in this
// unit, so an energy battery's figures are never converted with a second voltage.
enum class MeterUnit { None, Energy, Charge, Percent };

struct BatteryMeter
{
    MeterUnit unit = MeterUnit::None;
    double now = 0;  // Wh, Ah or percent
    double full = 0; // Wh, Ah or 100
    // The present flow in or out, in W or A (its magnitude); unset where the battery does not
    // report one, or reports 0.
    std::optional<double> rate;
    // The battery's voltage now, and its full energy in Wh: what turns a rate in A or in percent
    // per hour into watts for display.
    std::optional<double> volts;
    std::optional<double> fullWh;

    bool operator==(const BatteryMeter &) const = default;
};

// What /sys/class/power_supply says about the batteries and the chargers, combined into one
// battery. Batteries of scope "Device" (a mouse, a headset) are not the system's and are ignored.
struct PowerSupplySnapshot
{
    bool hasBattery = false;
    // Level as a fraction 0.0 to 1.0, or -1 when there is no battery or its figures are unusable.
    double level = -1;
    // 0 unknown, 1 unplugged (discharging), 2 charging, 3 full.
    int state = 0;
    // Full because the battery is held at its charge limit on external power (state 3).
    bool heldAtLimit = false;
    bool externalPower = false; // a mains or USB supply is online

    // Figures in mAh / mA / V; unset when the kernel does not report them (or they are absurd).
    std::optional<double> remainingMah;
    std::optional<double> fullMah;
    std::optional<double> designMah;
    std::optional<double> currentMa; // magnitude of the battery current
    std::optional<double> voltageMinDesignV;
    // The charge limit in percent (charge_control_end_threshold) where the battery has one; with
    // several batteries, the lowest. A limit of 100 is kept as read but limits nothing. The start
    // threshold is where charging resumes below it.
    std::optional<int> chargeEndThreshold;
    std::optional<int> chargeStartThreshold;
    // The kernel's charge_type word ("Fast", "Standard", "Trickle", "Adaptive", "Long Life", ...)
    // of the first battery that has one.
    QString chargeType;

    // The battery's wear as measured by its gauge: full capacity as a share of the design
    // capacity, in percent (from the charge pair, else the energy pair), the charge cycles, and
    // what the battery says it is. Unset or empty when the kernel does not report them (a
    // cycle count of 0 is the gauge's "not counted").
    std::optional<double> wearPercent;
    std::optional<int> cycleCount;
    QString technology;
    QString manufacturer;

    // The batteries' own figures for measuring the draw.
    BatteryMeter meter;
};

PowerSupplySnapshot readPowerSupplies(const SystemRoots &roots);

// One attribute file of a power supply's folder, trimmed; empty when missing or unreadable.
QString readSupplyAttribute(const QString &dir, const char *name);

// The state one battery's status text stands for, given that battery's level (0.0 to 1.0), whether
// external power is online and its charge thresholds in percent.
struct StatusState
{
    int state = 0;     // 0 unknown, 1 unplugged, 2 charging, 3 full
    bool held = false; // full because held at the charge limit
};
// A battery held by its charge limit on external power reports "Not charging" (some firmware
// "Unknown") anywhere from its start threshold up, and that is full. "Not charging" on external
// power is never unplugged: the machine runs from the supply.
StatusState batteryStateFromStatus(const QString &status, double level, bool externalPower,
                                   std::optional<int> endThreshold = std::nullopt,
                                   std::optional<int> startThreshold = std::nullopt);
