// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/batteryreading.h"

#include <cmath>

BatteryState batteryStateFromValue(int value)
{
    switch (value) {
    case 1:
        return BatteryState::Unplugged;
    case 2:
        return BatteryState::Charging;
    case 3:
        return BatteryState::Full;
    default:
        return BatteryState::Unknown;
    }
}

BatteryReading readingFromSupply(const PowerSupplySnapshot &supply)
{
    BatteryReading r;
    r.hasBattery = supply.hasBattery;
    // The kernel's level is a fraction, or -1 when unknown; readers take percent, or -100.
    r.percent = supply.level < 0 ? -100.0f : float(supply.level * 100.0);
    r.state = batteryStateFromValue(supply.state);
    r.externalPower = supply.externalPower;
    r.heldAtLimit = supply.heldAtLimit;
    if (supply.chargeEndThreshold && *supply.chargeEndThreshold > 0 &&
        *supply.chargeEndThreshold < 100)
        r.chargeLimit = supply.chargeEndThreshold;
    const BatteryMeter &m = supply.meter;
    if (m.rate) {
        if (m.unit == MeterUnit::Energy)
            r.instantWatts = m.rate;
        else if (m.unit == MeterUnit::Charge && m.volts)
            r.instantWatts = *m.rate * *m.volts;
    }
    r.supply = supply;
    return r;
}

std::optional<double> BatteryReading::shownWatts() const
{
    const std::optional<MeasuredDraw> &measured = state == BatteryState::Charging ? charge
                                                  : state == BatteryState::Unplugged
                                                      ? discharge
                                                      : std::optional<MeasuredDraw>();
    if (state != BatteryState::Charging && state != BatteryState::Unplugged)
        return std::nullopt;
    if (measured && measured->watts)
        return measured->watts;
    return instantWatts;
}

QVariantMap BatteryReading::normReading() const
{
    return {{QStringLiteral("batteryLevel"), percent},
            {QStringLiteral("batteryState"), int(state)}};
}

QVariantMap BatteryReading::detailedReading() const
{
    const PowerSupplySnapshot &s = supply;
    if (!s.hasBattery || s.level < 0 || !s.remainingMah || !s.designMah)
        return {};
    QVariantMap detailed{
        {QStringLiteral("Battery Level"), float(s.level * 100.0)},
        {QStringLiteral("Current Capacity"), int(std::lround(*s.remainingMah))},
        {QStringLiteral("Design Capacity"), int(std::lround(*s.designMah))},
        {QStringLiteral("Charger Current"), int(std::lround(s.currentMa.value_or(0)))},
        {QStringLiteral("Device Charging"), state == BatteryState::Charging},
        {QStringLiteral("External Power"), externalPower},
        {QStringLiteral("Fully Charged"), state == BatteryState::Full},
    };
    if (timeToFullHours)
        detailed.insert(QStringLiteral("Time To Full"), *timeToFullHours);
    return detailed;
}

namespace {

std::optional<long> minutes(const std::optional<double> &hours)
{
    if (!hours)
        return std::nullopt;
    return std::lround(*hours * 60.0);
}

std::optional<long> tenths(const std::optional<double> &watts)
{
    if (!watts)
        return std::nullopt;
    return std::lround(*watts * 10.0);
}

} // namespace

bool BatteryReading::sameOnScreen(const BatteryReading &o) const
{
    return hasBattery == o.hasBattery && percent == o.percent && state == o.state &&
           externalPower == o.externalPower && heldAtLimit == o.heldAtLimit &&
           chargeLimit == o.chargeLimit && tenths(shownWatts()) == tenths(o.shownWatts()) &&
           minutes(standbyHours) == minutes(o.standbyHours) &&
           minutes(timeToFullHours) == minutes(o.timeToFullHours);
}
