// SPDX-License-Identifier: GPL-3.0-or-later
#include "battery/timeforaction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

timeForAction estimatorFor(const std::string &platform, float brightness = 0)
{
    return timeForAction([platform] { return platform; }, brightness);
}

TEST(Estimator, WorkedExamples)
{
    const struct
    {
        const char *platform;
        float brightness;
        int charge;
        const char *key;
        float hours;
        const char *text;
    } cases[] = {
        {"iPhone4,1", 0, 660, "stand", 10.0f, "10h:0min"},
        {"iPhone4,1", 0, 660, "audio", 6.875f, "6h:52min"},
        {"iPad3,1", 0.5f, 5000, "stand", 5000.0f / 71.0f, "70h:25min"},
        // The host row: profile E with a 50 mA backlight, radios at their start values.
        {"x86_64", 1.0f, 5000, "stand", 5000.0f / 116.0f, "43h:6min"},
        {"aarch64", 1.0f, 5000, "stand", 5000.0f / 116.0f, "43h:6min"},
        {"armv7l", 0.0f, 3000, "Take Photo", 3000.0f / 560.0f, "5h:21min"},
        // Every other Linux machine name is a host too.
        {"riscv64", 1.0f, 5000, "stand", 5000.0f / 116.0f, "43h:6min"},
        {"i686", 0.0f, 3000, "Take Photo", 3000.0f / 560.0f, "5h:21min"},
        // iPhone5,1 switches off the cellular and positioning draws and adds 30 mA of backlight.
        {"iPhone5,1", 1.0f, 1440, "stand", 1440.0f / 56.0f, "25h:42min"},
        {"iPad2,5", 0.0f, 6000, "gps", 6000.0f / 1540.0f, "3h:53min"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.platform) + " " + c.key);
        timeForAction e = estimatorFor(c.platform, c.brightness);
        const Profile p = e.checkDeviceModel(c.charge);
        ASSERT_TRUE(p.count(c.key));
        EXPECT_FLOAT_EQ(p.at(c.key), c.hours);
        EXPECT_EQ(floatToTime(p.at(c.key)), c.text);
    }
}

TEST(Estimator, ModelRowsSetTheirFields)
{
    const struct
    {
        const char *platform;
        int wifi, g3, gps, backlight;
    } cases[] = {
        {"iPhone4,1", 20, 20, 20, 0}, {"iPhone5,1", 20, 0, 0, 30},   {"iPad2,2", 20, 0, 40, 60},
        {"iPad2,1", 20, 0, 0, 20},    {"iPhone1,2", 20, 20, 20, 50}, {"x86_64", 20, 20, 20, 50},
        {"iPod2,1", 20, 20, 20, 0},   {"", 20, 20, 20, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.platform);
        timeForAction e = estimatorFor(c.platform);
        e.checkDeviceModel(100);
        EXPECT_EQ(e.wifi, c.wifi);
        EXPECT_EQ(e.g3, c.g3);
        EXPECT_EQ(e.gps, c.gps);
        EXPECT_EQ(e.brightnessDevice, c.backlight);
    }
}

TEST(Estimator, ProfilesHaveTheirActivities)
{
    EXPECT_EQ(estimatorFor("iPhone4,1").checkDeviceModel(1000).size(), 18u);
    const Profile d = estimatorFor("iPhone1,2").checkDeviceModel(1000);
    EXPECT_EQ(d.size(), 13u);
    EXPECT_FALSE(d.count("Siri"));
    EXPECT_FALSE(d.count("WifiHotSpot"));
    EXPECT_TRUE(d.count("BookReading"));
    for (const char *unknown : {"iPod2,1", "iPod3,1", "iphone4,1", "iPhone4,1 ", "", "iPhone6,1"}) {
        SCOPED_TRACE(unknown);
        EXPECT_TRUE(estimatorFor(unknown).checkDeviceModel(1000).empty());
    }
}

TEST(Estimator, ZeroChargeGivesZeroHoursEverywhere)
{
    for (const auto &[key, hours] : estimatorFor("iPad3,4", 1).checkDeviceModel(0)) {
        SCOPED_TRACE(key);
        EXPECT_EQ(hours, 0.0f);
        EXPECT_EQ(floatToTime(hours), "0h:0min");
    }
}

TEST(Estimator, SameProfileDifferentFieldsGiveDifferentTimes)
{
    const Profile a = estimatorFor("iPad2,2", 0.8f).checkDeviceModel(6000);
    const Profile b = estimatorFor("iPad2,1", 0.8f).checkDeviceModel(6000);
    EXPECT_FLOAT_EQ(a.at("stand"), 6000.0f / (11 + 20 + 0 + 40 + 0.8f * 60));
    EXPECT_FLOAT_EQ(b.at("stand"), 6000.0f / (11 + 20 + 0 + 0 + 0.8f * 20));
    EXPECT_NE(a.at("stand"), b.at("stand"));
}

TEST(Estimator, IdentifierIsAskedAfreshEachTime)
{
    std::string id = "iPod2,1";
    timeForAction e([&id] { return id; }, 0);
    EXPECT_TRUE(e.checkDeviceModel(500).empty());
    id = "iPhone4,1";
    EXPECT_EQ(e.checkDeviceModel(500).size(), 18u);
    EXPECT_EQ(e.currentCapacity, 500.0f);
}

TEST(Estimator, HostsStartFromTheMeasuredDraw)
{
    // A 57 Wh laptop drawing 14.25 W: a quarter of its full battery an hour.
    const HostDraw laptop{{0.25, 14.25}, 5000, 0.57, HostClass::Laptop};
    HostDraw phone = laptop;
    phone.draw = {0.25, 2.8};
    phone.hostClass = HostClass::Phone;
    const struct
    {
        const char *what;
        const char *platform;
        std::optional<HostDraw> host;
        int charge;
        const char *key;
        std::optional<float> hours;
    } cases[] = {
        {"standby is the charge over the draw", "x86_64", laptop, 2500, "stand", 2.0f},
        {"the slider's charge is a share of the nominal", "x86_64", laptop, 1250, "stand", 1.0f},
        {"a 3D game draws 2.5 times the present use", "x86_64", laptop, 2500, "3DGame", 0.8f},
        {"music on a phone runs with the screen off", "aarch64", phone, 2500, "audio", 2.0f / 0.6f},
        {"no nominal capacity: the battery's own level", "x86_64",
         HostDraw{{0.25, 14.25}, 0, 0.57, HostClass::Laptop}, 0, "stand", 0.57f / 0.25f},
        {"no draw measured yet", "x86_64", std::nullopt, 2500, "stand", std::nullopt},
        // A device model keeps its row whatever the machine measures.
        {"a model code", "iPhone4,1", laptop, 660, "stand", 10.0f},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string platform = c.platform;
        const std::optional<HostDraw> host = c.host;
        timeForAction estimator([platform] { return platform; }, 0, [host] { return host; });
        const Profile profile = estimator.checkDeviceModel(c.charge);
        EXPECT_EQ(estimator.measuring(), !c.hours);
        if (!c.hours) {
            EXPECT_TRUE(profile.empty());
            continue;
        }
        EXPECT_EQ(profile.size(), 18u);
        ASSERT_TRUE(profile.count(c.key));
        EXPECT_NEAR(profile.at(c.key), *c.hours, 1e-4);
    }
}

TEST(HoursText, TruncatesMinutes)
{
    const struct
    {
        float hours;
        const char *text, *need;
    } cases[] = {
        {5.75f, "5h:45min", "Need: 5h:45min"},      {0.999f, "0h:59min", "Need: 0h:59min"},
        {0.0f, "0h:0min", "Need: 0h:0min"},         {1.0f / 60.0f, "0h:1min", "Need: 0h:1min"},
        {123.5f, "123h:30min", "Need: 123h:30min"}, {-2.5f, "0h:0min", "Need: 0h:0min"},
        {NAN, "0h:0min", "Need: 0h:0min"},          {INFINITY, "0h:0min", "Need: 0h:0min"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hours);
        EXPECT_EQ(floatToTime(c.hours), c.text);
        EXPECT_EQ(needTimeText(c.hours), c.need);
    }
}

TEST(ChargeChain, PercentOfNominalCapacity)
{
    EXPECT_EQ(chargeForPercent(42.0f, 1440.0f), 604); // 604.8 truncated
    EXPECT_EQ(chargeForPercent(100.0f, 1440.0f), 1440);
    EXPECT_EQ(chargeForPercent(0.0f, 1440.0f), 0);
    EXPECT_EQ(chargeForPercent(-100.0f, 1440.0f), 0); // unknown level: no charge, not -1440
    EXPECT_EQ(chargeForPercent(NAN, 1440.0f), 0);
    EXPECT_EQ(chargeForPercent(50.0f, 0.0f), 0);
}

TEST(ChargeChain, TimeToCharge)
{
    EXPECT_FLOAT_EQ(timeToCharge(1440, 720, 480), 1.5f);
    EXPECT_FLOAT_EQ(timeToCharge(720, 1440, 480), 1.5f);
    EXPECT_FLOAT_EQ(timeToCharge(1440, 1440, 480), 0.0f);
    EXPECT_FLOAT_EQ(timeToCharge(1440, 720, 0), -1.0f);
}

TEST(Activities, EighteenInDisplayOrder)
{
    const auto &list = activities();
    EXPECT_EQ(list.front().key, "stand");
    EXPECT_EQ(list.front().label, "Standy mode");
    EXPECT_EQ(list[15].key, "Led Ligth");
    EXPECT_EQ(list.back().label, "Take Photo");
}

} // namespace
