#include "battery/timeforaction.h"

#include "platform/kernelidentity.h"
#include "platform/uitext.h"

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
constexpr Draws kProfileA{8, 140, 140, 700, 550, 560, 833, 900, 730, 500, 1500, 270, 275, 700, 1200, 1800, 1230, 600};
constexpr Draws kProfileB{11, 190, 750, 850, 750, 800, 1135, 1800, 1000, 775, 2050, 380, 381, 1000, 800, 2100, 1900, 1500};
constexpr Draws kProfileC{16, 50, 1050, 1300, 1100, 1150, 1700, 3000, 1500, 1000, 2900, 570, 550, 1300, 2000, 4000, 3050, 2500};
constexpr Draws kProfileD{6, 36, 140, 180, 140, 240, 270, 1000, 168, 198, 140, 140, 140, -1, -1, -1, -1, -1};
constexpr Draws kProfileE{6, 36, 140, 180, 140, 150, 240, 900, 140, 198, 450, 103, 60, 280, 200, 900, 420, 500};

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

timeForAction::timeForAction(PlatformSource platform, float brightness)
    : brightness(brightness), m_platform(std::move(platform))
{
}

std::string timeForAction::platform() const
{
    return m_platform ? m_platform() : std::string();
}

Profile timeForAction::checkDeviceModel(int charge)
{
    currentCapacity = float(charge);
    std::string identifier = platform();
    // Linux handhelds get the estimates of the host row.
    if (isHostIdentifier(identifier))
        identifier = "x86_64";
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
    if (!std::isfinite(percent) || percent < 0 || !std::isfinite(nominalCapacity) || nominalCapacity < 0)
        return 0;
    return int(percent / 100.0f * nominalCapacity);
}
