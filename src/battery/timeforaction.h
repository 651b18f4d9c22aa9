// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/batteryreading.h"
#include "platform/kernelidentity.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
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

// What the battery monitor measured on the machine Powerdeck runs on, for its estimates.
struct HostDraw
{
    // The draw of the present use, running from the battery.
    MeasuredDraw draw;
    // The capacity (mAh) the charges passed to the estimator are shares of; 0 when unknown,
    // and then the battery's own level is the share.
    double nominalMah = 0;
    double levelFraction = -1;
    HostClass hostClass = HostClass::Laptop;
};

// The measured draw of a reading, for the estimates of charges that are shares of nominalMah;
// nothing while the draw is being measured.
std::optional<HostDraw> hostDrawOf(const BatteryReading &reading, double nominalMah,
                                   HostClass hostClass);

// The battery-life estimator. For a device model it knows the current the model draws in every
// activity and the constant draws of its radios and backlight, and turns a remaining charge into
// hours, in single precision as the stored and displayed figures have always been. For the
// machine Powerdeck runs on (a host identifier) it starts from the draw the battery monitor
// measured: standby is the charge over that draw, and the other activities scale it.
class timeForAction
{
public:
    using PlatformSource = std::function<std::string()>;
    // The measured draw, or nothing while it is being measured.
    using HostSource = std::function<std::optional<HostDraw>()>;

    // platform supplies the platform identifier; it is asked afresh on every estimate.
    // brightness is the screen brightness (0.0 to 1.0) at the moment the estimator is made.
    // Without a host source, a host identifier gets the model row of the simulator ("x86_64").
    timeForAction(PlatformSource platform, float brightness, HostSource host = {});

    std::string platform() const;

    // Remaining charge in mAh -> hours per activity of this model; empty for an unknown model,
    // and for a host whose draw is still being measured (measuring() then says so).
    Profile checkDeviceModel(int charge);
    // True when the last estimate was for a host whose draw is not known yet.
    bool measuring() const { return m_measuring; }
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
    Profile hostProfile(int charge);

    PlatformSource m_platform;
    HostSource m_host;
    bool m_measuring = false;
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
