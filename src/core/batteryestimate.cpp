// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/batteryestimate.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace batteryestimate {

std::optional<double> hoursLeft(double levelFraction, const MeasuredDraw &draw)
{
    if (!std::isfinite(levelFraction) || levelFraction < 0 || !std::isfinite(draw.fullPerHour) ||
        draw.fullPerHour < kMinFullPerHour)
        return std::nullopt;
    double hours = std::min(levelFraction, 1.0) / draw.fullPerHour;
    if (!draw.watts || *draw.watts > kCapWatts)
        hours = std::min(hours, kMaxHours);
    if (levelFraction > 0)
        hours = std::max(hours, 1.0 / 60.0);
    return hours;
}

double taper(double percent)
{
    if (percent <= kTaperFrom)
        return 1;
    const double x = std::min(percent, 100.0);
    return 1 - (1 - kTaperEndShare) * (x - kTaperFrom) / (100 - kTaperFrom);
}

std::optional<double> hoursToFull(double percent, double targetPercent, double fullPerHour)
{
    if (!std::isfinite(percent) || percent < 0 || !std::isfinite(fullPerHour))
        return std::nullopt;
    const double target = std::clamp(targetPercent, 0.0, 100.0);
    if (percent >= target)
        return 0.0;
    if (fullPerHour < kMinFullPerHour)
        return std::nullopt;
    // The full-strength rate in percent per hour, from what is measured at this level.
    const double full = fullPerHour * 100 / taper(percent);
    double hours = std::max(0.0, std::min(target, kTaperFrom) - percent) / full;
    const double a = std::max(percent, kTaperFrom);
    if (target > a) {
        // Integral of 1 / (full x taper) from a to the target: the strength falls linearly.
        const double slope = (1 - kTaperEndShare) / (100 - kTaperFrom);
        hours += std::log(taper(a) / taper(target)) / (slope * full);
    }
    return hours;
}

std::string decimalHours(double hours)
{
    // The scheduler times a notification from this; a bogus value must read as "no time left".
    if (!std::isfinite(hours) || hours < 0)
        hours = 0;
    // Six decimals like "%f", but always with a point: the C library's printf follows the
    // user's locale, and "5,378788" would be read back as 5 hours.
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, hours, std::chars_format::fixed, 6);
    return std::string(buf, end.ptr);
}

double chargeTarget(const BatteryReading &reading)
{
    return reading.chargeLimit ? double(*reading.chargeLimit) : 100.0;
}

} // namespace batteryestimate
