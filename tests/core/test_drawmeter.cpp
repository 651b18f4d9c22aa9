// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/batteryestimate.h"
#include "core/drawmeter.h"

#include "drawtraces.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using drawmeter::Direction;
using drawmeter::Meter;
using drawmeter::Restart;
using drawmeter::Sample;

Sample sampleOf(const TraceSim &sim, double boottimeLead = 0)
{
    Sample s;
    s.monotonic = sim.time();
    s.boottime = sim.time() + boottimeLead;
    s.direction = sim.spec().charging ? Direction::Charging : Direction::Discharging;
    s.meter = sim.meter();
    return s;
}

// The standby estimate the meter gives for a trace, as the monitor makes it.
std::optional<double> standby(const Meter &meter, const TraceSim &sim)
{
    const std::optional<double> share = meter.fullPerHour();
    if (!share)
        return std::nullopt;
    return batteryestimate::hoursLeft(sim.reportedWh() / sim.spec().fullWh,
                                      MeasuredDraw{*share, meter.watts()});
}

TEST(DrawMeter, SmoothsPlayedBackTracesToTheirTrueDraw)
{
    const struct
    {
        const TraceSpec &trace;
        double interval;  // seconds between reads
        double readyBy;   // a figure is given from then on
        double checkFrom; // and is within the tolerance from then on
        double tolerance; // share of the true standby time
    } cases[] = {
        // The status-bar feed at --interval 2, and the screens' live reads every 5 s.
        {kLaptopTrace, 2, 64, 90, 0.10},
        {kPhoneTrace, 2, 64, 90, 0.10},
        {kLaptopTrace, 5, 75, 120, 0.10},
        {kChargePhoneTrace, 5, 75, 90, 0.10},
        // The 45 s tick alone, with the window hidden.
        {kLaptopTrace, 45, 180, 420, 0.10},
        {kPhoneTrace, 45, 180, 420, 0.10},
        // A percentage that steps once every two minutes or so.
        {kPercentPhoneTrace, 5, 420, 600, 0.05},
        {kPercentPhoneTrace, 45, 420, 900, 0.10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.trace.name) + " every " + std::to_string(int(c.interval)) +
                     " s");
        TraceSim sim(c.trace);
        Meter meter;
        EXPECT_EQ(meter.add(sampleOf(sim)), Restart::First);
        double worst = 0;
        while (sim.time() < 1800) {
            sim.advance(c.interval);
            EXPECT_EQ(meter.add(sampleOf(sim)), Restart::None);
            const std::optional<double> hours = standby(meter, sim);
            if (sim.time() < meter.settings().minSeconds) {
                EXPECT_FALSE(hours) << "at " << sim.time();
            }
            if (sim.time() >= c.readyBy) {
                ASSERT_TRUE(hours) << "at " << sim.time();
            }
            if (!hours)
                continue;
            // Never "0 h", never an hour count no battery of this draw lasts.
            EXPECT_GE(*hours, 1.0 / 60);
            EXPECT_LE(*hours, batteryestimate::kMaxHours);
            if (sim.time() >= c.checkFrom)
                worst = std::max(worst, std::fabs(*hours / sim.truthHours() - 1));
        }
        EXPECT_LE(worst, c.tolerance);
        ASSERT_TRUE(meter.watts());
        EXPECT_NEAR(*meter.watts() / sim.meanWatts(), 1.0, c.tolerance);
    }
}

TEST(DrawMeter, RunsStartOverWhenWhatIsMeasuredChanges)
{
    const struct
    {
        const char *what;
        std::function<void(Sample &)> change;
        Restart restart;
    } cases[] = {
        {"nothing", [](Sample &) {}, Restart::None},
        {"plugged in and charging",
         [](Sample &s) {
             s.direction = Direction::Charging;
             s.externalPower = true;
         },
         Restart::Direction},
        {"a supply online, still discharging", [](Sample &s) { s.externalPower = true; },
         Restart::Power},
        {"held on the supply",
         [](Sample &s) {
             s.direction = Direction::Other;
             s.externalPower = true;
         },
         Restart::Direction},
        {"resumed after a minute asleep", [](Sample &s) { s.boottime += 60; }, Restart::Resume},
        {"a few seconds of clock drift", [](Sample &s) { s.boottime += 5; }, Restart::None},
        {"another kind of battery", [](Sample &s) { s.meter.unit = MeterUnit::Charge; },
         Restart::Unit},
        {"no read for a quarter of an hour",
         [](Sample &s) {
             s.monotonic += 900;
             s.boottime += 900;
         },
         Restart::Gap},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TraceSim sim(kLaptopTrace);
        Meter meter;
        meter.add(sampleOf(sim));
        while (sim.time() < 120) {
            sim.advance(5);
            meter.add(sampleOf(sim));
        }
        ASSERT_TRUE(meter.rate());
        sim.advance(5);
        Sample next = sampleOf(sim);
        c.change(next);
        EXPECT_EQ(meter.add(next), c.restart);
        // After a restart nothing is known until the new run has measured enough.
        EXPECT_EQ(meter.rate().has_value(), c.restart == Restart::None);
    }
}

TEST(DrawMeter, AFreshStartBeginsWithAnEarlierRunOnlyWhileItStillHolds)
{
    // Kept ten minutes ago at 30 Wh, drawing 12 W.
    const drawmeter::Record kept{
        Direction::Discharging, MeterUnit::Energy, 12.0, 50.0, 30.0, 1000.0, 1000.0, "boot-a"};
    auto first = [](double monotonic, double lead, double wh) {
        Sample s;
        s.monotonic = monotonic;
        s.boottime = monotonic + lead;
        s.direction = Direction::Discharging;
        s.meter.unit = MeterUnit::Energy;
        s.meter.now = wh;
        s.meter.full = 50;
        return s;
    };
    const struct
    {
        const char *what;
        Sample first;
        const char *bootId;
        std::optional<double> rate;
    } cases[] = {
        // 2 Wh in 600 s is what the machine drew meanwhile: 12 W.
        {"ten minutes on, 2 Wh less", first(1600, 0, 28), "boot-a", 12.0},
        {"ten minutes on, 3 Wh less: the time between says more", first(1600, 0, 27), "boot-a",
         18.0},
        {"a minute on, the counter unmoved", first(1060, 0, 30), "boot-a", 12.0},
        {"another boot", first(1600, 0, 28), "boot-b", std::nullopt},
        {"no boot id known", first(1600, 0, 28), "", std::nullopt},
        {"slept since", first(1600, 120, 28), "boot-a", std::nullopt},
        {"charged since", first(1600, 0, 40), "boot-a", std::nullopt},
        {"seven hours on", first(1000 + 7 * 3600, 0, 10), "boot-a", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<double> rate = drawmeter::priorRate(kept, c.first, c.bootId);
        ASSERT_EQ(rate.has_value(), c.rate.has_value());
        if (rate) {
            EXPECT_NEAR(*rate, *c.rate, 1e-9);
        }
    }
    Sample charging = first(1600, 0, 28);
    charging.direction = Direction::Charging;
    EXPECT_FALSE(drawmeter::priorRate(kept, charging, "boot-a"));
}

TEST(BatteryEstimate, HoursLeftStayWithinWhatTheDrawAllows)
{
    const struct
    {
        double level;
        MeasuredDraw draw;
        std::optional<double> hours;
    } cases[] = {
        {0.5, {0.25, 12.0}, 2.0},
        {1.2, {0.25, 12.0}, 4.0},           // a gauge above full is full
        {0.5, {0.005, 1.0}, 48.0},          // 100 h is more than any battery gives at 1 W
        {0.5, {0.005, 0.3}, 100.0},         // a tiny draw may last that long
        {0.5, {0.005, std::nullopt}, 48.0}, // no watts known: the cap holds
        {0.0001, {0.5, 5.0}, 1.0 / 60},     // charge left is never "0 h"
        {0.0, {0.5, 5.0}, 0.0},
        {0.5, {0.001, 0.1}, std::nullopt}, // too small a draw to measure
        {-1, {0.25, 12.0}, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.level);
        const std::optional<double> hours = batteryestimate::hoursLeft(c.level, c.draw);
        ASSERT_EQ(hours.has_value(), c.hours.has_value());
        if (hours) {
            EXPECT_NEAR(*hours, *c.hours, 1e-9);
        }
    }
}

TEST(BatteryEstimate, ChargeTimeCountsToTheLimitAndSlowsAboveEighty)
{
    const struct
    {
        double percent, target, fullPerHour;
        std::optional<double> hours;
    } cases[] = {
        // 50 % an hour: 30 points to 80 take 0.6 h, the last 20 take ln(1 / 0.2) / 2 h.
        {50, 100, 0.5, 0.6 + std::log(5.0) / 2},
        {50, 80, 0.5, 0.6}, // a limit of 80 stops before the slow stretch
        {50, 90, 0.5, 0.6 + std::log(1 / 0.6) / 2},
        // Measured at 90 %, where the charge runs at 60 % of its strength: 50 % an hour.
        {90, 100, 0.3, std::log(3.0) / 2},
        {80, 80, 0.5, 0.0},
        {85, 80, 0.5, 0.0}, // above the limit already
        {50, 100, 0.001, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.percent) + " to " + std::to_string(c.target));
        const std::optional<double> hours =
            batteryestimate::hoursToFull(c.percent, c.target, c.fullPerHour);
        ASSERT_EQ(hours.has_value(), c.hours.has_value());
        if (hours) {
            EXPECT_NEAR(*hours, *c.hours, 1e-9);
        }
    }
}

} // namespace
