// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uitext.h"

#include <optional>
#include <string>

// The pure part of the battery summary panel: its texts, the status buttons' states and which
// picture each element shows. No Qt, so every rule can be checked on its own.
namespace summary {

// The status buttons, by the tag each carries.
enum Tag : int {
    Gps = 1,
    Wifi = 2,
    Cellular = 3,
    Brightness = 4,
    Bluetooth = 5,
};
constexpr int kFirstTag = Gps;
constexpr int kLastTag = Bluetooth;
constexpr bool isStatusTag(int tag)
{
    return tag >= kFirstTag && tag <= kLastTag;
}

// Network status values of the reachability poll.
constexpr int kNotReachable = 0;
constexpr int kViaWifi = 1;
constexpr int kViaCellular = 2;

// The charge shown as a whole percent, "42%". The reader reports an unknown level as -100: that
// is no charge at all, so it reads "--%" rather than a negative percent.
std::string percentText(float percent);
// What the panel shows where the percent and the time go on a machine without a battery.
constexpr const char *kNoBattery = POWERDECK_TEXT("Powerdeck", "No battery");
constexpr const char *kNoTime = "--";
// What the standby time says while the draw is still being measured.
constexpr const char *kCalculating = POWERDECK_TEXT("Powerdeck", "Calculating\u2026");
// True when the percent is no known level (the reader's -100, or anything not a percent).
bool isUnknownLevel(float percent);

// A measured flow for people to read: the text for the watts (%1, one decimal written the user's
// way) while the battery runs the machine or while it charges.
constexpr const char *kDrawingText = POWERDECK_TEXT("Powerdeck", "Drawing %1 W");
constexpr const char *kChargingAtText = POWERDECK_TEXT("Powerdeck", "Charging at %1 W");

// The standby hours as stored for the empty-battery notification: six decimals with a point
// ("5.378788") whatever the locale, never negative or NaN.
std::string timeBeforeDieText(float standbyHours);

struct NetworkButtons
{
    bool wifi = false;
    bool cellular = false;
    bool operator==(const NetworkButtons &) const = default;
};
// The radio buttons after a poll: one network lights its button, none lights neither, and a status
// the poll does not know leaves both as they were.
NetworkButtons networkButtonsFor(int status, NetworkButtons current);

// Image names (library copies). tipImage gives nullptr for a tag that has no tip.
const char *tipImage(int tag, bool tablet);
const char *statusImage(int tag, bool tablet, bool selected);
const char *detailsButtonImage(bool tablet);
// The tall phone screen lays its tip and details button on this shipped (never tinted) card.
constexpr const char *kTallPhoneBackground = "Battery-tips-back-5_320x122.png";

// The short phone screen has no room for both the tip and the details button: the tip covers it.
constexpr bool tipCoversDetails(bool tablet, int screenHeight)
{
    return !tablet && screenHeight == 480;
}
constexpr bool isTallPhone(bool tablet, int screenHeight)
{
    return !tablet && screenHeight == 568;
}

} // namespace summary
