// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/summary.h"

#include "core/batteryestimate.h"

#include <cmath>
#include <cstdio>

namespace summary {

bool isUnknownLevel(float percent)
{
    return !std::isfinite(percent) || percent < 0;
}

std::string percentText(float percent)
{
    if (isUnknownLevel(percent))
        return "--%";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f%%", double(percent));
    return buf;
}

std::string timeBeforeDieText(float standbyHours)
{
    return batteryestimate::decimalHours(double(standbyHours));
}

NetworkButtons networkButtonsFor(int status, NetworkButtons current)
{
    switch (status) {
    case kViaCellular:
        return {false, true};
    case kViaWifi:
        return {true, false};
    case kNotReachable:
        return {false, false};
    default:
        return current;
    }
}

const char *tipImage(int tag, bool tablet)
{
    switch (tag) {
    case Gps:
        return tablet ? "2_GPS_576x98.png" : "1_GPS.png";
    case Wifi:
        return tablet ? "2_WiFi_576x98.png" : "1_WiFi.png";
    case Cellular:
        return tablet ? "2_3G_576x98.png" : "1_3G.png";
    case Brightness:
        return tablet ? "2_Brightness_576x98.png" : "1_brightness.png";
    case Bluetooth:
        return tablet ? "2_Bluetooth_576x98.png" : "1_Bluetooth.png";
    default:
        return nullptr;
    }
}

const char *statusImage(int tag, bool tablet, bool selected)
{
    struct Names
    {
        const char *phoneOn, *phoneOff, *tabletOn, *tabletOff;
    };
    static constexpr Names kNames[] = {
        {"1_GPS-on_62x66.png", "1_GPS-off_62x66.png", "2_GPSon_140x130.png",
         "2_GPSoff_140x130.png"},
        {"1_wiFI-on_62x66.png", "1_wiFI-off_62x66.png", "2_WiFIon_140x130.png",
         "2_WiFIoff_140x130.png"},
        {"1_3G-on_62x66.png", "1_3G-off_62x66.png", "2_3Gon_140x130.png", "2_3Goff_140x130.png"},
        {"1_brightness-on_62x66.png", "1_brightness-off_62x66.png", "2_Brighton_140x130.png",
         "2_Brightoff_140x130.png"},
        {"1_Bluetooth-on_62x66.png", "1_Bluetooth-off_62x66.png", "2_Bluetoothon_140x130.png",
         "2_Bluetoothoff_140x130.png"},
    };
    if (!isStatusTag(tag))
        return nullptr;
    const Names &n = kNames[tag - kFirstTag];
    if (tablet)
        return selected ? n.tabletOn : n.tabletOff;
    return selected ? n.phoneOn : n.phoneOff;
}

const char *detailsButtonImage(bool tablet)
{
    return tablet ? "2_details_bbutton_197x64.png" : "1_Group31.png";
}

} // namespace summary
