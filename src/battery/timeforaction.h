#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

// One of the eighteen activities the estimates are given for, in the order the lists show them.
struct Activity
{
    std::string_view key;
    std::string_view label;
};
const std::array<Activity, 18> &activities();

// A profile: hours of use left per activity key. Profiles of some models lack some activities.
using Profile = std::map<std::string, float, std::less<>>;

// The battery-life estimator. Knows the current each supported model draws in every activity and
// the constant draws of its radios and backlight, and turns a remaining charge into hours.
// All arithmetic is single precision, as the stored and displayed figures have always been.
class timeForAction
{
public:
    using PlatformSource = std::function<std::string()>;

    // platform supplies the platform identifier; it is asked afresh on every estimate.
    // brightness is the screen brightness (0.0 to 1.0) at the moment the estimator is made.
    timeForAction(PlatformSource platform, float brightness);

    std::string platform() const;

    // Remaining charge in mAh -> hours per activity of this model; empty for an unknown model.
    Profile checkDeviceModel(int charge);
    // Hours that currentCapacity lasts at the given draw (mA) plus the model's constant draws.
    float calcTimeFor(int draw) const;

    int wifi = 20;
    int g3 = 20;
    int gps = 20;
    int brightnessDevice = 0;
    float brightness = 0;
    int life = 0;
    float currentCapacity = 0;

private:
    PlatformSource m_platform;
};

// Hours as "%dh:%.0fmin": whole hours, then the truncated minutes of the fraction.
// Hours that are not a number, infinite or negative read as 0h:0min.
std::string floatToTime(float hours);
// The same with the "Need: " prefix, for the time until the battery is full.
std::string needTimeText(float hours);

// The charge-time rule: |design - current| / charger current, in hours. -1 when the charger
// current is 0: no current flows, so the time is unknown (0 would read as "full").
float timeToCharge(int designCapacity, int currentCapacity, int chargerCurrent);

// The remaining charge the whole chain works with: the integer part of percent / 100 x nominal
// capacity. An unknown level (negative percent) means no known charge: 0, never a negative one.
int chargeForPercent(float percent, float nominalCapacity);
