// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/appstate.h"
#include "core/batterymonitor.h"
#include "core/nrbatteryinfo.h"
#include "platform/batterysource.h"

#include "drawtraces.h"
#include "fakebattery.h"
#include "tempplatform.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace {

struct RecordingDelegate : NrBatteryInfoDelegate
{
    QList<BatteryReading> typed;
    QList<QVariantMap> readings;
    QList<QVariantMap> detailed;
    void updateReading(const BatteryReading &r) override { typed << r; }
    void updateNormInfo(const QVariantMap &r) override { readings << r; }
    void updateInfo(const QVariantMap &d) override { detailed << d; }
};

// A clock the test moves; the boot-time clock runs ahead by the time spent asleep.
struct FakeClock
{
    double now = 100;
    double asleep = 0;
    BatteryMonitor::Clock clock()
    {
        return {[this] { return now; }, [this] { return now + asleep; }};
    }
};

BatteryMonitor::Options options(const QString &history = {}, const std::string &boot = "boot-1")
{
    BatteryMonitor::Options o;
    o.historyPath = history;
    o.bootId = boot;
    return o;
}

TEST(BatteryMonitor, OneReadPerEventReachesEveryScreen)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    source.set(0.42, 2);
    FakeClock clock;
    BatteryMonitor monitor(source, options(), clock.clock());
    EXPECT_TRUE(source.monitoring);
    EXPECT_EQ(monitor.timer().interval(), 45000);
    EXPECT_TRUE(monitor.timer().isActive());
    EXPECT_EQ(monitor.firstReadingTimer().interval(), 400);
    EXPECT_TRUE(monitor.firstReadingTimer().isSingleShot());

    // The gauge, the wheel and the clock each subscribe.
    RecordingDelegate gauge, wheel, clockScreen;
    NRBatteryInfo a(monitor), b(monitor), c(monitor);
    a.setDelegate(&gauge);
    b.setDelegate(&wheel);
    c.setDelegate(&clockScreen);

    // The first reading 0.4 s after start: one read for all of them.
    emit monitor.firstReadingTimer().timeout({});
    EXPECT_EQ(source.snapshotCalls, 1);
    for (NRBatteryInfo *reader : {&a, &b, &c})
        EXPECT_FALSE(reader->firstReadingTimer().isActive());

    source.notifyChange();            // a power_supply uevent
    emit monitor.timer().timeout({}); // the 45 s tick
    EXPECT_EQ(source.snapshotCalls, 3);
    for (const RecordingDelegate *d : {&gauge, &wheel, &clockScreen}) {
        ASSERT_EQ(d->readings.size(), 3);
        EXPECT_EQ(d->readings[0], (QVariantMap{{"batteryLevel", 42.0f}, {"batteryState", 2}}));
        EXPECT_EQ(d->typed.size(), 3);
        EXPECT_TRUE(d->detailed.isEmpty()); // the precision mode is off
    }
    // A subscriber made later gets the latest reading without a read of its own.
    RecordingDelegate late;
    NRBatteryInfo d(monitor);
    d.setDelegate(&late);
    d.batteryInfo();
    EXPECT_EQ(source.snapshotCalls, 3);
    EXPECT_EQ(late.readings.size(), 1);
    d.stop();
    source.notifyChange();
    EXPECT_EQ(late.readings.size(), 1);
}

TEST(BatteryMonitor, AKernelEventOnTheSysfsSourceReadsTheTreeAgain)
{
    ensureCoreApplication();
    QTemporaryDir dir;
    writeTree(dir.path(), {{"class/power_supply/AC/type", "Mains"},
                           {"class/power_supply/AC/online", "1"},
                           {"class/power_supply/BAT0/type", "Battery"},
                           {"class/power_supply/BAT0/status", "Charging"},
                           {"class/power_supply/BAT0/capacity", "61"}});
    auto events = std::make_unique<PowerSupplyEvents>();
    PowerSupplyEvents *kernel = events.get();
    SysfsBatterySource source(SystemRoots{dir.path(), dir.path() + "/proc"}, std::move(events));
    FakeClock clock;
    BatteryMonitor monitor(source, options(), clock.clock());
    RecordingDelegate screen;
    NRBatteryInfo reader(monitor);
    reader.setDelegate(&screen);
    reader.batteryInfo();
    ASSERT_EQ(screen.readings.size(), 1);

    // Unplugged: the kernel says so, and the screen has it without waiting for a tick.
    writeTree(dir.path(), {{"class/power_supply/AC/online", "0"},
                           {"class/power_supply/BAT0/status", "Discharging"},
                           {"class/power_supply/BAT0/capacity", "60"}});
    emit kernel->changed();
    ASSERT_EQ(screen.readings.size(), 2);
    EXPECT_EQ(screen.readings[1], (QVariantMap{{"batteryLevel", 60.0f}, {"batteryState", 1}}));
    EXPECT_EQ(monitor.reads(), 2);
}

TEST(BatteryMonitor, LiveReadsRunOnlyWhenAskedAndTellOnlyWhatChanged)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    source.set(0.5, 1);
    FakeClock clock;
    BatteryMonitor monitor(source, options(), clock.clock());
    QList<BatteryReading> told;
    QObject::connect(&monitor, &BatteryMonitor::readingChanged,
                     [&told](const BatteryReading &r) { told << r; });
    monitor.sample();
    EXPECT_FALSE(monitor.liveTimer().isActive());
    monitor.setLive(true);
    EXPECT_TRUE(monitor.liveTimer().isActive());
    EXPECT_EQ(monitor.liveTimer().interval(), 5000);
    emit monitor.liveTimer().timeout({}); // nothing on screen changes
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(monitor.reads(), 3);
    source.set(0.49, 1);
    emit monitor.liveTimer().timeout({});
    ASSERT_EQ(told.size(), 2);
    EXPECT_FLOAT_EQ(told.last().percent, 49.0f);
    monitor.setLive(false);
    EXPECT_FALSE(monitor.liveTimer().isActive());
}

// Plays a trace into a monitor for the given seconds, one read every `interval`.
void play(BatteryMonitor &monitor, ScriptedBatterySource &source, FakeClock &clock, TraceSim &sim,
          double seconds, double interval)
{
    const double end = sim.time() + seconds;
    while (sim.time() < end) {
        sim.advance(interval);
        clock.now += interval;
        source.figures.meter = sim.meter();
        source.figures.level = sim.levelPercent() / 100;
        monitor.sample();
    }
}

TEST(BatteryMonitor, AKeptMeasurementGivesTheNextStartAnEstimateAtOnce)
{
    ensureCoreApplication();
    QTemporaryDir dir;
    const QString history = dir.path() + "/Library/batteryDraw.plist";
    ScriptedBatterySource source;
    source.set(0.62, 1);
    TraceSim sim(kLaptopTrace);
    FakeClock clock;
    {
        BatteryMonitor first(source, options(history), clock.clock());
        first.sample();
        EXPECT_TRUE(first.reading().calculating());
        play(first, source, clock, sim, 120, 5);
        EXPECT_FALSE(first.reading().calculating());
    }
    ASSERT_TRUE(QFileInfo::exists(history));

    const struct
    {
        const char *what;
        std::string boot;
        double asleep;
        bool estimate;
    } cases[] = {
        {"the same boot, a minute later", "boot-1", 0, true},
        {"after a reboot", "boot-2", 0, false},
        {"after a suspend", "boot-1", 300, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakeClock later = clock;
        later.now += 60;
        later.asleep = c.asleep;
        BatteryMonitor next(source, options(history, c.boot), later.clock());
        next.sample();
        EXPECT_EQ(next.reading().standbyHours.has_value(), c.estimate);
        if (c.estimate) {
            EXPECT_NEAR(*next.reading().standbyHours / sim.truthHours(), 1.0, 0.15);
        }
    }
}

TEST(BatteryMonitor, OnTheSupplyTheStandbyIsTheDrawMeasuredLast)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    source.set(0.62, 1);
    TraceSim sim(kLaptopTrace);
    FakeClock clock;
    BatteryMonitor monitor(source, options(), clock.clock());
    monitor.sample();
    play(monitor, source, clock, sim, 120, 5);
    ASSERT_TRUE(monitor.reading().standbyHours);
    // Plugged in: charging restarts the measurement; the standby keeps the last draw.
    source.figures.state = 2;
    source.figures.externalPower = true;
    monitor.sample();
    EXPECT_TRUE(monitor.reading().discharge);
    EXPECT_TRUE(monitor.reading().standbyHours);
    EXPECT_FALSE(monitor.reading().charge);
    EXPECT_FALSE(monitor.reading().timeToFullHours); // still measuring the charge
    EXPECT_FALSE(monitor.reading().calculating());
}

TEST(BatteryMonitor, TheSharedChargeTimeFollowsEveryReadingWhileCharging)
{
    ensureCoreApplication();
    TempPlatform p;
    AppState app(p.platform);
    BatteryReading r;
    r.state = BatteryState::Charging;
    r.timeToFullHours = 1.25;
    emit app.batteryMonitor().readingChanged(r);
    EXPECT_EQ(app.timeneedToCharge(), "1.250000");
    r.timeToFullHours.reset(); // measuring again
    emit app.batteryMonitor().readingChanged(r);
    EXPECT_EQ(app.timeneedToCharge(), "");
    r.timeToFullHours = 0.5;
    emit app.batteryMonitor().readingChanged(r);
    r.state = BatteryState::Full; // held at the limit: nothing left to charge
    r.timeToFullHours = 0.0;
    emit app.batteryMonitor().readingChanged(r);
    EXPECT_EQ(app.timeneedToCharge(), "");
}

TEST(BatteryMonitor, ReadingsTheScreensHaveAlwaysTaken)
{
    ensureCoreApplication();
    ScriptedBatterySource source;
    FakeClock clock;
    BatteryMonitor monitor(source, options(), clock.clock());
    source.set(-1, 0);
    monitor.sample();
    EXPECT_EQ(monitor.reading().normReading(),
              (QVariantMap{{"batteryLevel", -100.0f}, {"batteryState", 0}}));
    EXPECT_TRUE(monitor.reading().detailedReading().isEmpty());

    source.set(0.5, 2);
    source.figures.externalPower = true;
    source.figures.remainingMah = 1500.4;
    source.figures.designMah = 3000;
    source.figures.currentMa = 750;
    bool precise = false;
    NRBatteryInfo reader(monitor, [&] { return precise; });
    RecordingDelegate d;
    reader.setDelegate(&d);
    monitor.sample();
    EXPECT_TRUE(d.detailed.isEmpty());
    precise = true;
    monitor.sample();
    ASSERT_EQ(d.detailed.size(), 1);
    const QVariantMap x = d.detailed[0];
    EXPECT_FLOAT_EQ(x.value("Battery Level").toFloat(), 50.0f);
    EXPECT_EQ(x.value("Current Capacity").toInt(), 1500);
    EXPECT_EQ(x.value("Design Capacity").toInt(), 3000);
    EXPECT_EQ(x.value("Charger Current").toInt(), 750);
    EXPECT_TRUE(x.value("Device Charging").toBool());
    EXPECT_TRUE(x.value("External Power").toBool());
    EXPECT_FALSE(x.contains("Time To Full")); // not measured yet
}

} // namespace
