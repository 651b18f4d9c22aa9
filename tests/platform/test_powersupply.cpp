// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/batterydesign.h"
#include "platform/batterysource.h"
#include "platform/powersupply.h"
#include "platform/screen.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>

namespace {

SystemRoots rootsAt(const QString &sysfs)
{
    SystemRoots r;
    r.sysfs = sysfs;
    r.procfs = sysfs + "/no-proc";
    return r;
}

TEST(PowerSupply, DischargingLaptopWithEnergyFigures)
{
    const PowerSupplySnapshot s = readPowerSupplies(rootsAt(fixturePath("sys-battery-laptop")));
    EXPECT_TRUE(s.hasBattery);
    EXPECT_DOUBLE_EQ(s.level, 0.57); // the mouse's 5 % battery is not the system's
    EXPECT_EQ(s.state, 1);
    EXPECT_FALSE(s.externalPower);
    // µWh over the design voltage in µV gives Ah.
    ASSERT_TRUE(s.designMah && s.remainingMah && s.currentMa);
    EXPECT_NEAR(*s.designMah, 57000000.0 / 11400000.0 * 1000.0, 1e-6);
    EXPECT_NEAR(*s.remainingMah, 28500000.0 / 11400000.0 * 1000.0, 1e-6);
    EXPECT_NEAR(*s.currentMa, 750.0, 1e-6); // 9 W at 12 V
    const auto design = readBatteryDesign(rootsAt(fixturePath("sys-battery-laptop")));
    ASSERT_TRUE(design);
    EXPECT_NEAR(design->designCapacityMah, 5000.0, 1e-6);
    EXPECT_NEAR(design->voltageMinDesignV, 11.4, 1e-9);
}

TEST(PowerSupply, ChargingPhoneWithChargeFigures)
{
    const PowerSupplySnapshot s = readPowerSupplies(rootsAt(fixturePath("sys-battery-phone")));
    EXPECT_DOUBLE_EQ(s.level, 0.42);
    EXPECT_EQ(s.state, 2);
    EXPECT_TRUE(s.externalPower);
    EXPECT_NEAR(s.remainingMah.value_or(-1), 1260.0, 1e-9);
    EXPECT_NEAR(s.designMah.value_or(-1), 3100.0, 1e-9);
    EXPECT_NEAR(s.currentMa.value_or(-1), 800.0, 1e-9); // the sign of the current is dropped
}

TEST(PowerSupply, TheMeterKeepsEachBatteryInItsOwnUnit)
{
    const struct
    {
        const char *what;
        std::initializer_list<std::pair<const char *, const char *>> files;
        BatteryMeter meter;
    } cases[] = {
        // Energy and power: Wh and W as the battery counts them, no design voltage in between.
        {"energy with power",
         {{"energy_now", "28500000"},
          {"energy_full", "50000000"},
          {"power_now", "9000000"},
          {"voltage_now", "12000000"},
          {"voltage_min_design", "11400000"}},
         {MeterUnit::Energy, 28.5, 50.0, 9.0, 12.0, 50.0}},
        {"energy with current",
         {{"energy_now", "10000000"},
          {"energy_full", "40000000"},
          {"current_now", "-500000"},
          {"voltage_now", "3800000"}},
         {MeterUnit::Energy, 10.0, 40.0, 1.9, 3.8, 40.0}},
        // Firmware that does not measure the rate says 0: the counter has to tell.
        {"energy, power 0",
         {{"energy_now", "10000000"}, {"energy_full", "40000000"}, {"power_now", "0"}},
         {MeterUnit::Energy, 10.0, 40.0, std::nullopt, std::nullopt, 40.0}},
        {"charge with current",
         {{"charge_now", "1260000"},
          {"charge_full", "3000000"},
          {"current_now", "-800000"},
          {"voltage_now", "3900000"}},
         {MeterUnit::Charge, 1.26, 3.0, 0.8, 3.9, 3.0 * 3.9}},
        // Only a percentage: the full energy from the design charge at the mean design voltage.
        {"percentage only",
         {{"capacity", "56"},
          {"charge_full_design", "3000000"},
          {"voltage_min_design", "3300000"},
          {"voltage_max_design", "4200000"}},
         {MeterUnit::Percent, 56.0, 100.0, std::nullopt, std::nullopt, 3.0 * 3.75}},
        {"nothing", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        writeTree(dir.path(), {{"class/power_supply/BAT0/type", "Battery"},
                               {"class/power_supply/BAT0/status", "Discharging"}});
        for (const auto &[name, value] : c.files)
            writeTree(dir.path(),
                      {{(std::string("class/power_supply/BAT0/") + name).c_str(), value}});
        const BatteryMeter m = readPowerSupplies(rootsAt(dir.path())).meter;
        EXPECT_EQ(m.unit, c.meter.unit);
        EXPECT_NEAR(m.now, c.meter.now, 1e-9);
        EXPECT_NEAR(m.full, c.meter.full, 1e-9);
        auto same = [](const std::optional<double> &a, const std::optional<double> &b) {
            return a.has_value() == b.has_value() && (!a || std::fabs(*a - *b) < 1e-9);
        };
        EXPECT_TRUE(same(m.rate, c.meter.rate));
        EXPECT_TRUE(same(m.volts, c.meter.volts));
        EXPECT_TRUE(same(m.fullWh, c.meter.fullWh));
    }
}

TEST(PowerSupply, NoBatteryReadsUnknown)
{
    for (const QString &root : {fixturePath("sys-empty"), QStringLiteral("/nonexistent/sys")}) {
        const PowerSupplySnapshot s = readPowerSupplies(rootsAt(root));
        EXPECT_FALSE(s.hasBattery);
        EXPECT_EQ(s.level, -1);
        EXPECT_EQ(s.state, 0);
        EXPECT_FALSE(readBatteryDesign(rootsAt(root)));
    }
}

struct StatusCase
{
    const char *status;
    const char *capacity;
    const char *mainsOnline;
    const char *endThreshold;   // "" when the battery has no charge limit
    const char *startThreshold; // "" when it has no start threshold
    int state;
    bool held;
};

TEST(PowerSupply, StatusTextsMapToStates)
{
    const StatusCase cases[] = {
        {"Charging", "50", "1", "", "", 2, false},
        {"Full", "100", "1", "", "", 3, false},
        {"Discharging", "80", "0", "", "", 1, false},
        {"Not charging", "100", "1", "", "", 3, false}, // stopped at full on the charger
        {"Not charging", "99", "1", "", "", 3, false},
        // Stopped below full on the supply with no limit: not running from the battery.
        {"Not charging", "80", "1", "", "", 0, false},
        {"Not charging", "100", "0", "", "", 1, false}, // no supply online
        {"Unknown", "50", "0", "", "", 0, false},
        {"", "50", "0", "", "", 0, false},
        // Held by the charge limit on external power, wherever the firmware waits.
        {"Not charging", "80", "1", "80", "", 3, true},
        {"Not charging", "79", "1", "80", "", 3, true},
        {"Not charging", "72", "1", "80", "", 3, true},
        {"Not charging", "77", "1", "80", "75", 3, true}, // between the thresholds
        {"Not charging", "74", "1", "80", "75", 3, true},
        {"Not charging", "70", "1", "80", "75", 0, false}, // below the start: not held
        {"Not charging", "80", "0", "80", "", 1, false},
        {"Unknown", "60", "1", "60", "", 3, true},
        {"Unknown", "50", "1", "60", "", 0, false},
        {"Unknown", "60", "0", "60", "", 0, false},
        {"Charging", "79", "1", "80", "75", 2, false},
        {"Discharging", "80", "0", "80", "", 1, false},
        {"Not charging", "98", "1", "100", "", 0, false}, // a limit of 100 is no limit
    };
    for (const StatusCase &c : cases) {
        SCOPED_TRACE(std::string(c.status) + " at " + c.capacity + " limit " + c.endThreshold +
                     " start " + c.startThreshold + " mains " + c.mainsOnline);
        QTemporaryDir dir;
        writeTree(dir.path(), {{"class/power_supply/BAT1/type", "Battery"},
                               {"class/power_supply/BAT1/status", c.status},
                               {"class/power_supply/BAT1/capacity", c.capacity},
                               {"class/power_supply/ADP1/type", "Mains"},
                               {"class/power_supply/ADP1/online", c.mainsOnline}});
        if (*c.endThreshold)
            writeTree(dir.path(),
                      {{"class/power_supply/BAT1/charge_control_end_threshold", c.endThreshold},
                       {"class/power_supply/BAT1/charge_type", "Long Life"}});
        if (*c.startThreshold)
            writeTree(dir.path(), {{"class/power_supply/BAT1/charge_control_start_threshold",
                                    c.startThreshold}});
        const PowerSupplySnapshot s = readPowerSupplies(rootsAt(dir.path()));
        EXPECT_EQ(s.state, c.state);
        EXPECT_EQ(s.heldAtLimit, c.held);
        EXPECT_EQ(s.chargeEndThreshold.has_value(), *c.endThreshold != 0);
        if (*c.endThreshold) {
            EXPECT_EQ(s.chargeEndThreshold.value_or(-1), std::atoi(c.endThreshold));
            EXPECT_EQ(s.chargeType, "Long Life");
        }
    }
}

TEST(PowerSupply, UnusableFiguresGiveTheUnknownLevel)
{
    const struct
    {
        const char *what;
        std::initializer_list<std::pair<const char *, const char *>> files;
        double level;
    } cases[] = {
        {"empty capacity", {{"capacity", ""}}, -1},
        {"text capacity", {{"capacity", "lots"}}, -1},
        // Gauges overshoot right after charging: that is a full battery, not an unknown one.
        {"capacity 101", {{"capacity", "101"}}, 1.0},
        {"capacity 105", {{"capacity", "105"}}, 1.0},
        {"capacity 100", {{"capacity", "100"}}, 1.0},
        {"negative capacity", {{"capacity", "-3"}}, -1},
        {"charge ratio", {{"charge_now", "1500000"}, {"charge_full", "3000000"}}, 0.5},
        {"charge slightly above full",
         {{"charge_now", "3030000"}, {"charge_full", "3000000"}},
         1.0},
        {"charge far above full", {{"charge_now", "9000000"}, {"charge_full", "3000000"}}, -1},
        {"zero full charge", {{"charge_now", "100"}, {"charge_full", "0"}}, -1},
        {"energy only", {{"energy_now", "10000000"}, {"energy_full", "40000000"}}, 0.25},
        {"nothing at all", {}, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        writeTree(dir.path(), {{"class/power_supply/BAT0/type", "Battery"},
                               {"class/power_supply/BAT0/status", "Discharging"}});
        for (const auto &[name, value] : c.files)
            writeTree(dir.path(),
                      {{(std::string("class/power_supply/BAT0/") + name).c_str(), value}});
        EXPECT_DOUBLE_EQ(readPowerSupplies(rootsAt(dir.path())).level, c.level);
    }
}

TEST(PowerSupply, TwoBatteriesCombineWeightedByEnergy)
{
    QTemporaryDir dir;
    writeTree(dir.path(), {{"class/power_supply/BAT0/type", "Battery"},
                           {"class/power_supply/BAT0/status", "Discharging"},
                           {"class/power_supply/BAT0/capacity", "100"},
                           {"class/power_supply/BAT0/energy_full", "60000000"},
                           {"class/power_supply/BAT1/type", "Battery"},
                           {"class/power_supply/BAT1/status", "Charging"},
                           {"class/power_supply/BAT1/capacity", "20"},
                           {"class/power_supply/BAT1/energy_full", "20000000"}});
    const PowerSupplySnapshot s = readPowerSupplies(rootsAt(dir.path()));
    EXPECT_DOUBLE_EQ(s.level, (1.0 * 60 + 0.2 * 20) / 80);
    EXPECT_EQ(s.state, 2); // one charging battery makes the system charging
}

TEST(PowerSupply, ABatteryWithoutFiguresSpoilsTheCombinedLevel)
{
    QTemporaryDir dir;
    writeTree(dir.path(), {{"class/power_supply/BAT0/type", "Battery"},
                           {"class/power_supply/BAT0/capacity", "70"},
                           {"class/power_supply/BAT1/type", "Battery"},
                           {"class/power_supply/BAT1/capacity", "garbage"}});
    EXPECT_EQ(readPowerSupplies(rootsAt(dir.path())).level, -1);
}

TEST(PowerSupply, TheEventsGivenSayWhenToReadOnceMonitoringIsOn)
{
    auto events = std::make_unique<PowerSupplyEvents>();
    PowerSupplyEvents *kernel = events.get();
    SysfsBatterySource source(rootsAt(fixturePath("sys-battery-laptop")), std::move(events));
    QSignalSpy changed(&source, &BatterySource::changed);
    emit kernel->changed();
    EXPECT_EQ(changed.count(), 0);
    source.setBatteryMonitoringEnabled(true);
    source.setBatteryMonitoringEnabled(true); // connected once
    emit kernel->changed();
    EXPECT_EQ(changed.count(), 1);
}

TEST(Screen, BrightnessFromTheBacklightOrFull)
{
    EXPECT_DOUBLE_EQ(screenBrightness(rootsAt(fixturePath("sys-battery-laptop"))), 0.5);
    EXPECT_DOUBLE_EQ(screenBrightness(rootsAt(fixturePath("sys-empty"))), 1.0);
    QTemporaryDir dir;
    writeTree(dir.path(), {{"class/backlight/bad/brightness", "10"},
                           {"class/backlight/bad/max_brightness", "0"}});
    EXPECT_DOUBLE_EQ(screenBrightness(rootsAt(dir.path())), 1.0);
}

} // namespace
