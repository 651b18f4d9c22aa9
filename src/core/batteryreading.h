// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/powersupply.h"

#include <QVariantMap>

#include <optional>

// The four battery states. Their values are the ones stored in the charge history, shown by the
// command line and passed to the screens' readings.
enum class BatteryState : int {
    Unknown = 0,
    Unplugged = 1, // running from the battery
    Charging = 2,
    Full = 3, // full, or held at its charge limit on external power
};

BatteryState batteryStateFromValue(int value);

// A measured flow in or out of the battery, smoothed over minutes.
struct MeasuredDraw
{
    // The share of the full battery that goes (or comes) per hour: 0.24 is 24 % an hour.
    double fullPerHour = 0;
    // The same in watts, where the battery's figures allow it.
    std::optional<double> watts;

    bool operator==(const MeasuredDraw &) const = default;
};

// Everything one read of the power supplies says, with the measured draw and the estimates made
// from it. The battery monitor makes one per event and hands it to every screen.
struct BatteryReading
{
    bool hasBattery = false;
    // 0 to 100, or -100 when no level is known.
    float percent = -100;
    BatteryState state = BatteryState::Unknown;
    bool externalPower = false;
    bool heldAtLimit = false;
    // The charge limit in percent where one is set (below 100).
    std::optional<int> chargeLimit;

    // The draw while running from the battery: measured now, or, on external power, the one
    // measured last (what unplugging would bring). Unset until there is enough data.
    std::optional<MeasuredDraw> discharge;
    // The charging rate, while charging and once there is enough data.
    std::optional<MeasuredDraw> charge;
    // Hours the present charge lasts at the discharge draw; unset while it is being measured.
    std::optional<double> standbyHours;
    // Hours to the charge limit (or to full): 0 when full or held, unset while measuring or when
    // not charging.
    std::optional<double> timeToFullHours;

    // The flow the battery reports at this moment, in watts: spiky, so the estimates never use
    // it, but it is the draw to show until the smoothed one is measured.
    std::optional<double> instantWatts;

    // Every figure of the read, as the kernel gave it.
    PowerSupplySnapshot supply;

    // Seconds on the monotonic clock when the supplies were read.
    double monotonic = 0;

    // The draw shown to users: the smoothed discharge or charge in watts, or until that is
    // measured, the battery's present figure.
    std::optional<double> shownWatts() const;
    // True while the battery runs the machine and its draw is still being measured.
    bool calculating() const { return state == BatteryState::Unplugged && !standbyHours; }

    // The short reading the screens have always taken: {"batteryLevel", "batteryState"}.
    QVariantMap normReading() const;
    // The detailed reading ("Battery Level", "Current Capacity", "Design Capacity", "Charger
    // Current", "Device Charging", "External Power", "Fully Charged", and "Time To Full" in
    // hours once it is known), empty when the system lacks the figures.
    QVariantMap detailedReading() const;

    // Whether a screen would show anything different for this reading: the level, the state,
    // the draw to a tenth of a watt, the estimates to the minute.
    bool sameOnScreen(const BatteryReading &other) const;
};

// The reading of a read of the supplies without any measurement yet.
BatteryReading readingFromSupply(const PowerSupplySnapshot &supply);
