// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/timeforaction.h"

#include "core/batteryestimate.h"
#include "platform/kernelidentity.h"
#include "platform/uitext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::array<Activity, 18> kActivities{{
    {"stand", POWERDECK_TEXT("Powerdeck", "Standy mode")},
    {"audio", POWERDECK_TEXT("Powerdeck", "Audio Play")},
    {"video", POWERDECK_TEXT("Powerdeck", "Watch video")},
    {"3G/LTE", POWERDECK_TEXT("Powerdeck", "3G/LTE")},
    {"Wifi", POWERDECK_TEXT("Powerdeck", "Wifi")},
    {"2dGame", POWERDECK_TEXT("Powerdeck", "2D Game")},
    {"3DGame", POWERDECK_TEXT("Powerdeck", "3D Game")},
    {"VideoRec", POWERDECK_TEXT("Powerdeck", "Video Rec")},
    {"onlineVideo", POWERDECK_TEXT("Powerdeck", "Online Video")},
    {"Dictafon", POWERDECK_TEXT("Powerdeck", "Dictafon")},
    {"gps", POWERDECK_TEXT("Powerdeck", "GPS")},
    {"Bluetooth", POWERDECK_TEXT("Powerdeck", "Bluetooth")},
    {"BookReading", POWERDECK_TEXT("Powerdeck", "Book Reading")},
    {"WifiHotSpot", POWERDECK_TEXT("Powerdeck", "WifiHotSpot")},
    {"Siri", POWERDECK_TEXT("Powerdeck", "Siri")},
    {"Led Ligth", POWERDECK_TEXT("Powerdeck", "Led Ligth")},
    {"Face Time", POWERDECK_TEXT("Powerdeck", "Face Time")},
    {"Take Photo", POWERDECK_TEXT("Powerdeck", "Take Photo")},
}};

// Draws in mA per activity, in the order of kActivities; -1 marks an activity the profile lacks.
using Draws = std::array<int, 18>;
constexpr Draws kProfileA{8,   140,  140, 700, 550, 560,  833,  900,  730,
                          500, 1500, 270, 275, 700, 1200, 1800, 1230, 600};
constexpr Draws kProfileB{11,  190,  750, 850, 750,  800, 1135, 1800, 1000,
                          775, 2050, 380, 381, 1000, 800, 2100, 1900, 1500};
constexpr Draws kProfileC{16,   50,   1050, 1300, 1100, 1150, 1700, 3000, 1500,
                          1000, 2900, 570,  550,  1300, 2000, 4000, 3050, 2500};
constexpr Draws kProfileD{6,   36,  140, 180, 140, 240, 270, 1000, 168,
                          198, 140, 140, 140, -1,  -1,  -1,  -1,   -1};
constexpr Draws kProfileE{6,   36,  140, 180, 140, 150, 240, 900, 140,
                          198, 450, 103, 60,  280, 200, 900, 420, 500};

constexpr int kKeep = -1; // the row keeps the estimator's start value

struct ModelRow
{
    std::string_view identifier;
    const Draws *profile;
    int gps, g3, brightnessDevice;
};

constexpr ModelRow kModels[] = {
    {"iPad2,5", &kProfileA, 20, 0, 20},
    {"iPad1,1", &kProfileB, 0, 0, 20},
    {"iPad2,1", &kProfileB, 0, 0, 20},
    {"iPad2,2", &kProfileB, 40, 0, 60},
    {"iPad3,1", &kProfileC, 10, 0, 50},
    {"iPad3,4", &kProfileC, 10, 0, 50},
    {"iPhone1,2", &kProfileD, kKeep, kKeep, 50},
    {"iPhone4,1", &kProfileE, kKeep, kKeep, kKeep},
    {"iPhone5,2", &kProfileE, kKeep, kKeep, kKeep},
    {"iPhone2,1", &kProfileE, kKeep, kKeep, kKeep},
    {"iPod4,1", &kProfileE, 0, 0, 20},
    {"iPod5,1", &kProfileE, 0, 0, 50},
    {"iPhone3,1", &kProfileE, kKeep, kKeep, kKeep},
    {"iPhone5,1", &kProfileE, 0, 0, 30},
    {"x86_64", &kProfileE, kKeep, kKeep, 50},
};

// Each activity's draw beside the present use (the use while Powerdeck is open, screen on), on
// a phone and on a laptop, in the order of kActivities. Rough shares of what such work adds or
// saves: on a phone the screen and the radios dominate, and music or recording run with the
// screen off; on a laptop the processor and the graphics dominate and the screen is a smaller
// part. Only "stand" is measured; the others scale it.
struct HostFactor
{
    std::string_view key;
    double phone;
    double laptop;
};
constexpr HostFactor kHostFactors[] = {
    {"stand", 1.0, 1.0},        {"audio", 0.6, 0.9},        {"video", 1.3, 1.15},
    {"3G/LTE", 1.4, 1.1},       {"Wifi", 1.15, 1.05},       {"2dGame", 1.6, 1.4},
    {"3DGame", 2.4, 2.5},       {"VideoRec", 2.2, 1.4},     {"onlineVideo", 1.6, 1.3},
    {"Dictafon", 0.7, 0.95},    {"gps", 1.5, 1.05},         {"Bluetooth", 1.05, 1.02},
    {"BookReading", 0.9, 0.85}, {"WifiHotSpot", 1.8, 1.15}, {"Siri", 1.3, 1.2},
    {"Led Ligth", 1.3, 1.05},   {"Face Time", 2.3, 1.8},    {"Take Photo", 1.9, 1.4},
};
constexpr bool inActivityOrder()
{
    if (std::size(kHostFactors) != kActivities.size())
        return false;
    for (std::size_t i = 0; i < kActivities.size(); ++i)
        if (kHostFactors[i].key != kActivities[i].key)
            return false;
    return true;
}
static_assert(inActivityOrder());

std::string formatTime(const char *format, float hours)
{
    if (!std::isfinite(hours) || hours < 0)
        hours = 0;
    const int h = int(hours);
    const float m = std::trunc((hours - float(h)) * 60.0f);
    char buf[64];
    std::snprintf(buf, sizeof buf, format, h, double(m));
    return buf;
}

} // namespace

const std::array<Activity, 18> &activities()
{
    return kActivities;
}

std::optional<HostDraw> hostDrawOf(const BatteryReading &reading, double nominalMah,
                                   HostClass hostClass)
{
    if (!reading.discharge)
        return std::nullopt;
    return HostDraw{*reading.discharge, nominalMah, reading.supply.level, hostClass};
}

timeForAction::timeForAction(PlatformSource platform, float brightness, HostSource host)
    : brightness(brightness), m_platform(std::move(platform)), m_host(std::move(host))
{
}

std::string timeForAction::platform() const
{
    return m_platform ? m_platform() : std::string();
}

Profile timeForAction::checkDeviceModel(int charge)
{
    currentCapacity = float(charge);
    m_measuring = false;
    std::string identifier = platform();
    if (isHostIdentifier(identifier)) {
        if (m_host)
            return hostProfile(charge);
        identifier = "x86_64";
    }
    Profile profile;
    for (const ModelRow &row : kModels) {
        if (row.identifier != identifier)
            continue;
        if (row.gps != kKeep)
            gps = row.gps;
        if (row.g3 != kKeep)
            g3 = row.g3;
        if (row.brightnessDevice != kKeep)
            brightnessDevice = row.brightnessDevice;
        for (std::size_t i = 0; i < kActivities.size(); ++i) {
            const int draw = (*row.profile)[i];
            if (draw >= 0)
                profile.emplace(std::string(kActivities[i].key), calcTimeFor(draw));
        }
        break;
    }
    return profile;
}

Profile timeForAction::hostProfile(int charge)
{
    const std::optional<HostDraw> host = m_host();
    if (!host) {
        m_measuring = true;
        return {};
    }
    const double share =
        host->nominalMah > 0 ? std::max(charge, 0) / host->nominalMah : host->levelFraction;
    Profile profile;
    for (std::size_t i = 0; i < kActivities.size(); ++i) {
        const double factor =
            host->hostClass == HostClass::Phone ? kHostFactors[i].phone : kHostFactors[i].laptop;
        MeasuredDraw draw = host->draw;
        draw.fullPerHour *= factor;
        if (draw.watts)
            *draw.watts *= factor;
        if (const std::optional<double> hours = batteryestimate::hoursLeft(share, draw))
            profile.emplace(std::string(kActivities[i].key), float(*hours));
    }
    if (profile.empty())
        m_measuring = true;
    return profile;
}

float timeForAction::calcTimeFor(int draw) const
{
    const int sum = draw + wifi + g3 + gps;
    const float total = float(sum) + brightness * float(brightnessDevice) + 20.0f * float(life);
    return currentCapacity / total;
}

std::string floatToTime(float hours)
{
    return formatTime("%dh:%.0fmin", hours);
}

std::string needTimeText(float hours)
{
    return formatTime("Need: %dh:%.0fmin", hours);
}

float timeToCharge(int designCapacity, int currentCapacity, int chargerCurrent)
{
    if (chargerCurrent == 0)
        return -1;
    return float(std::abs(designCapacity - currentCapacity)) / float(std::abs(chargerCurrent));
}

int chargeForPercent(float percent, float nominalCapacity)
{
    if (!std::isfinite(percent) || percent < 0 || !std::isfinite(nominalCapacity) ||
        nominalCapacity < 0)
        return 0;
    return int(percent / 100.0f * nominalCapacity);
}
