// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/batteryreading.h"

#include <optional>
#include <string>

// The estimates made from a measured draw: how long the present charge lasts, and how long
// charging takes to the limit. Plain arithmetic on the measurement.
namespace batteryestimate {

// Estimates longer than this are not given while the draw is above kCapWatts: a draw that high
// empties any battery Powerdeck runs on sooner.
constexpr double kMaxHours = 48;
constexpr double kCapWatts = 0.5;
// Below this share of the battery per hour (500 hours for a full one) no draw is measured.
constexpr double kMinFullPerHour = 0.002;

// Hours that `levelFraction` (0 to 1) of the full battery lasts at the draw; unset when the draw
// is too small to tell. Never less than a minute while any charge is left.
std::optional<double> hoursLeft(double levelFraction, const MeasuredDraw &draw);

// Charging slows above this level: the charger holds the voltage and the current tapers off,
// down to kTaperEndShare of its full strength at 100 %.
constexpr double kTaperFrom = 80;
constexpr double kTaperEndShare = 0.2;

// The strength of the charge at a level (percent), as a share of the full-strength current.
double taper(double percent);

// Hours from `percent` to `targetPercent` at the charging rate measured now (a share of the
// full battery per hour, itself already tapered at this level); 0 at or above the target.
std::optional<double> hoursToFull(double percent, double targetPercent, double fullPerHour);

// The level charging stops at: the charge limit, else 100.
double chargeTarget(const BatteryReading &reading);

// Hours as the shared estimates store them, for the notification scheduler: six decimals with a
// point ("5.378788") whatever the locale, never negative or NaN.
std::string decimalHours(double hours);

} // namespace batteryestimate
