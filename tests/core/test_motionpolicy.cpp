// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/appstate.h"
#include "core/motionpolicy.h"
#include "platform/powerprofiles.h"

#include "tempplatform.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

BatteryReading reading(float percent, BatteryState state)
{
    BatteryReading r;
    r.hasBattery = percent >= 0;
    r.percent = percent;
    r.state = state;
    return r;
}

TEST(MotionRule, TheSettingThePowerSaverAndALowBatteryDecide)
{
    using S = MotionSetting;
    using B = BatteryState;
    struct Case
    {
        S setting;
        bool saver;
        float percent;
        B state;
        bool reduced;
    };
    const Case cases[] = {
        {S::Automatic, false, 80, B::Unplugged, false},
        {S::Automatic, true, 80, B::Unplugged, true},    // the system saves power
        {S::Automatic, false, 19.5, B::Unplugged, true}, // low and discharging
        {S::Automatic, false, 20, B::Unplugged, false},  // the limit itself is not low
        {S::Automatic, false, 10, B::Charging, false},   // low but charging
        {S::Automatic, false, 10, B::Full, false},
        {S::Automatic, false, -100, B::Unknown, false}, // no battery
        {S::Always, false, 80, B::Charging, true},
        {S::Never, true, 5, B::Unplugged, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(motion::reduced(c.setting, c.saver, reading(c.percent, c.state)), c.reduced)
            << int(c.setting) << " saver " << c.saver << " at " << c.percent << "% state "
            << int(c.state);
}

class FakeSaver : public PowerSaverSource
{
public:
    bool on = false;
    bool powerSaver() const override { return on; }
    void set(bool v)
    {
        on = v;
        emit powerSaverChanged(v);
    }
};

TEST(MotionPolicy, FollowsTheProfileTheBatteryAndTheStoredSetting)
{
    TempPlatform p;
    FakeSaver saver;
    p.platform.powerSaver = &saver;
    AppState app(p.platform);
    MotionPolicy &policy = app.motion();
    QSignalSpy changed(&policy, &MotionPolicy::reducedChanged);
    EXPECT_EQ(policy.setting(), MotionSetting::Automatic);
    EXPECT_FALSE(policy.reduced());

    saver.set(true);
    EXPECT_TRUE(policy.reduced());
    saver.set(false);
    EXPECT_FALSE(policy.reduced());
    emit app.batteryMonitor().readingChanged(reading(15, BatteryState::Unplugged));
    EXPECT_TRUE(policy.reduced());
    emit app.batteryMonitor().readingChanged(reading(15, BatteryState::Charging));
    EXPECT_FALSE(policy.reduced());
    EXPECT_EQ(changed.size(), 4);

    // The menu steps automatic → always → never; the choice is kept for the next start.
    policy.setSetting(motion::nextSetting(policy.setting()));
    EXPECT_TRUE(policy.reduced());
    policy.setSetting(motion::nextSetting(policy.setting()));
    saver.set(true);
    EXPECT_FALSE(policy.reduced());
    EXPECT_EQ(p.defaults.string(motion::kDefaultsKey), "never");
    UserDefaults again(p.defaults.path());
    MotionPolicy next(again, &saver, app.batteryMonitor());
    EXPECT_EQ(next.setting(), MotionSetting::Never);
    EXPECT_EQ(motion::nextSetting(MotionSetting::Never), MotionSetting::Automatic);
    EXPECT_EQ(motion::settingFrom("bogus"), MotionSetting::Automatic);
}

} // namespace
