// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/powersupply.h"

#include <algorithm>
#include <optional>
#include <string>

// Measures how fast the battery empties or fills, from the reads of the supplies over time.
//
// Two measures are kept. The rate the battery reports at each read (power_now, or current_now)
// is at hand from the first minute, but a read catches the spikes of a phone or laptop (three
// times the draw for a few seconds) only by chance. The battery's counter (energy, charge or
// percentage) is the exact sum of what flowed, but moves in steps, so the time between its
// changes says little until it spans a few of them. The figure starts with the rates and leans
// on the counter as its steps span more time; a battery without a rate is measured by its
// counter alone. Both are smoothed over minutes with an exponential average weighted by time:
// a lasting change of use shows within minutes, a spike moves the figure little, and at the
// start of a run every second so far counts the same, so the first figure is the plain mean.
//
// A run starts over whenever what is measured changes: charging starts or stops, a supply is
// plugged in or out, the system resumes from suspend (the boot-time clock gains on the
// monotonic one), the battery's unit changes, or the reads stop for a long time.
namespace drawmeter {

enum class Direction { Other, Discharging, Charging };

enum class Restart {
    None,
    First,
    Direction,
    Power,
    Resume,
    Unit,
    Gap,
};

struct Sample
{
    double monotonic = 0; // seconds
    double boottime = 0;  // seconds; counts suspended time too
    Direction direction = Direction::Other;
    bool externalPower = false;
    BatteryMeter meter;
};

struct Settings
{
    double timeConstant = 300; // seconds of the exponential average
    double minSeconds = 60;    // measured time before a figure is given
    int minRateIntervals = 3;  // and that many intervals between rate reads
    double resumeJump = 10;    // seconds of boot-time lead gained: the system slept
    double maxGap = 600;       // seconds between reads after which the run starts over
    // The steps the counter must have taken to count as much as the reads of the rate.
    int counterHalfSteps = 2;
};

// Which way a battery state points.
Direction directionOf(int batteryState);

class Meter
{
public:
    explicit Meter(Settings settings = {});

    // Takes one read; returns why the run started over with it, or None.
    Restart add(const Sample &sample);
    // Starts the run with what an earlier one measured: `rate` (the meter's unit per hour) as if
    // `seconds` of data had shown it. The figure is given at once.
    void seed(double rate, double seconds);

    // The smoothed rate in the meter's unit per hour (W, A or percent per hour), once there is
    // enough data; unset before, and while neither discharging nor charging.
    std::optional<double> rate() const;
    // The rate as a share of the full battery per hour, and in watts where the figures allow.
    std::optional<double> fullPerHour() const;
    std::optional<double> watts() const;

    Direction direction() const { return m_last ? m_last->direction : Direction::Other; }
    MeterUnit unit() const { return m_last ? m_last->meter.unit : MeterUnit::None; }
    // Seconds measured in this run (a seed not counted).
    double measuredSeconds() const { return std::max(m_rates.seconds, m_steps.seconds); }
    const std::optional<Sample> &last() const { return m_last; }
    const Settings &settings() const { return m_settings; }

private:
    // An exponential average weighted by time.
    struct Average
    {
        double sum = 0;
        double weight = 0;
        double seconds = 0;
        int intervals = 0;
        void feed(double seconds, double rate, double timeConstant);
        double value() const { return sum / weight; }
    };

    Restart restartReason(const Sample &sample) const;
    void restart(const Sample &sample);

    Settings m_settings;
    std::optional<Sample> m_last;
    // The battery's rate at the reads, and its counter's steps: the counter is the exact sum of
    // what flowed, so over a few minutes it beats reads of a spiky rate.
    Average m_rates;
    Average m_steps;
    bool m_seeded = false;
    double m_seed = 0;
    double m_seedWeight = 0;
    // The last read at which the counter was seen at a new value.
    std::optional<double> m_changeTime;
    double m_changeValue = 0;
};

// What a run measured, kept for the next start of Powerdeck.
struct Record
{
    Direction direction = Direction::Other;
    MeterUnit unit = MeterUnit::None;
    double rate = 0;    // the meter's unit per hour
    double full = 0;    // the meter's full figure then
    double counter = 0; // the meter's reading then
    double monotonic = 0;
    double boottime = 0;
    std::string bootId; // the kernel's boot id: the clocks above count from that boot

    bool operator==(const Record &) const = default;
};

// The record of a meter's run, or nothing while it has measured too little.
std::optional<Record> recordOf(const Meter &meter, const std::string &bootId);

// The rate a fresh start may begin with, from the record of an earlier run: only the same boot,
// the same direction and unit, no suspend since, at most `maxAge` seconds ago, and a counter
// that has moved only the way the run went. When the counter moved enough since the record was
// kept, the average over that time is the better figure; otherwise the record's own rate.
std::optional<double> priorRate(const Record &saved, const Sample &first, const std::string &bootId,
                                const Settings &settings = {}, double maxAge = 6 * 3600);

// The discharge draw kept in a record, as a share of the full battery per hour, for the standby
// estimate while the battery is on external power: the same boot, at most `maxAge` ago.
std::optional<double> keptFullPerHour(const Record &saved, double monotonic,
                                      const std::string &bootId, double maxAge = 6 * 3600);

} // namespace drawmeter
