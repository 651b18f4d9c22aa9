// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/drawmeter.h"

#include <cmath>

namespace drawmeter {

Direction directionOf(int batteryState)
{
    switch (batteryState) {
    case 1:
        return Direction::Discharging;
    case 2:
        return Direction::Charging;
    default:
        return Direction::Other;
    }
}

Meter::Meter(Settings settings) : m_settings(settings) {}

Restart Meter::restartReason(const Sample &s) const
{
    if (!m_last)
        return Restart::First;
    const Sample &l = *m_last;
    if (s.direction != l.direction)
        return Restart::Direction;
    if (s.externalPower != l.externalPower)
        return Restart::Power;
    if ((s.boottime - s.monotonic) - (l.boottime - l.monotonic) > m_settings.resumeJump)
        return Restart::Resume;
    if (s.meter.unit != l.meter.unit)
        return Restart::Unit;
    const double dt = s.monotonic - l.monotonic;
    if (dt < 0 || dt > m_settings.maxGap)
        return Restart::Gap;
    return Restart::None;
}

void Meter::restart(const Sample &s)
{
    m_last = s;
    m_rates = {};
    m_steps = {};
    m_seeded = false;
    m_changeTime.reset();
    m_changeValue = s.meter.now;
}

void Meter::Average::feed(double dt, double rate, double timeConstant)
{
    if (!(dt > 0) || !std::isfinite(rate) || rate < 0)
        return;
    const double keep = std::exp(-dt / timeConstant);
    sum = sum * keep + rate * (1 - keep);
    weight = weight * keep + (1 - keep);
    seconds += dt;
    ++intervals;
}

Restart Meter::add(const Sample &s)
{
    if (const Restart why = restartReason(s); why != Restart::None) {
        restart(s);
        return why;
    }
    const Sample previous = *m_last;
    m_last = s;
    if (s.direction == Direction::Other)
        return Restart::None;
    // The rate between two reads: the mean of the two.
    if (s.meter.rate && previous.meter.rate)
        m_rates.feed(s.monotonic - previous.monotonic, (*previous.meter.rate + *s.meter.rate) / 2,
                     m_settings.timeConstant);
    // The counter's steps. The first change only marks where a step begins; from then on each
    // change gives the rate over the time since the one before.
    if (s.meter.now == m_changeValue)
        return Restart::None;
    const bool forward = s.direction == Direction::Discharging ? s.meter.now < m_changeValue
                                                               : s.meter.now > m_changeValue;
    if (m_changeTime && forward) {
        const double seconds = s.monotonic - *m_changeTime;
        m_steps.feed(seconds, std::fabs(s.meter.now - m_changeValue) / (seconds / 3600.0),
                     m_settings.timeConstant);
    }
    m_changeTime = s.monotonic;
    m_changeValue = s.meter.now;
    return Restart::None;
}

void Meter::seed(double rate, double seconds)
{
    if (!m_last || !std::isfinite(rate) || !(rate > 0) || !(seconds > 0))
        return;
    m_seeded = true;
    m_seed = rate;
    m_seedWeight = 1 - std::exp(-seconds / m_settings.timeConstant);
}

std::optional<double> Meter::rate() const
{
    if (!m_last || m_last->direction == Direction::Other)
        return std::nullopt;
    const bool rates = m_rates.seconds >= m_settings.minSeconds &&
                       m_rates.intervals >= m_settings.minRateIntervals;
    const bool steps = m_steps.seconds >= m_settings.minSeconds && m_steps.intervals >= 1;
    std::optional<double> value;
    double weight = 0;
    if (rates && steps) {
        // The counter's share grows with the steps it has taken: its error is that of where its
        // first and last steps fall, spread over ever more of them.
        const double share =
            double(m_steps.intervals) / double(m_steps.intervals + m_settings.counterHalfSteps);
        value = share * m_steps.value() + (1 - share) * m_rates.value();
        weight = std::max(m_rates.weight, m_steps.weight);
    } else if (rates) {
        value = m_rates.value();
        weight = m_rates.weight;
    } else if (steps) {
        value = m_steps.value();
        weight = m_steps.weight;
    }
    if (!m_seeded)
        return value;
    if (!value)
        return m_seed;
    return (m_seed * m_seedWeight + *value * weight) / (m_seedWeight + weight);
}

std::optional<double> Meter::fullPerHour() const
{
    const std::optional<double> r = rate();
    if (!r || !(m_last->meter.full > 0))
        return std::nullopt;
    return *r / m_last->meter.full;
}

std::optional<double> Meter::watts() const
{
    const std::optional<double> r = rate();
    if (!r)
        return std::nullopt;
    const BatteryMeter &m = m_last->meter;
    switch (m.unit) {
    case MeterUnit::Energy:
        return r;
    case MeterUnit::Charge:
        if (m.volts)
            return *r * *m.volts;
        return std::nullopt;
    case MeterUnit::Percent:
        if (m.fullWh)
            return *r / 100.0 * *m.fullWh;
        return std::nullopt;
    case MeterUnit::None:
        break;
    }
    return std::nullopt;
}

std::optional<Record> recordOf(const Meter &meter, const std::string &bootId)
{
    const std::optional<double> r = meter.rate();
    if (!r || !meter.last() || meter.measuredSeconds() < meter.settings().minSeconds)
        return std::nullopt;
    const Sample &s = *meter.last();
    return Record{s.direction, s.meter.unit, *r,         s.meter.full,
                  s.meter.now, s.monotonic,  s.boottime, bootId};
}

std::optional<double> priorRate(const Record &saved, const Sample &first, const std::string &bootId,
                                const Settings &settings, double maxAge)
{
    if (bootId.empty() || saved.bootId != bootId || saved.direction == Direction::Other ||
        saved.direction != first.direction || saved.unit != first.meter.unit || !(saved.rate > 0) ||
        !(first.meter.full > 0))
        return std::nullopt;
    const double gap = first.monotonic - saved.monotonic;
    if (gap < 0 || gap > maxAge)
        return std::nullopt;
    if ((first.boottime - first.monotonic) - (saved.boottime - saved.monotonic) >
        settings.resumeJump)
        return std::nullopt;
    // Moved against the run (a charge in between, or a drain): the record is not of this run.
    const double moved = first.direction == Direction::Discharging
                             ? saved.counter - first.meter.now
                             : first.meter.now - saved.counter;
    const double tolerance = first.meter.full * 0.005;
    if (moved < -tolerance)
        return std::nullopt;
    if (gap >= 300 && moved >= first.meter.full * 0.01)
        return moved / (gap / 3600.0);
    return saved.rate;
}

std::optional<double> keptFullPerHour(const Record &saved, double monotonic,
                                      const std::string &bootId, double maxAge)
{
    if (bootId.empty() || saved.bootId != bootId || saved.direction != Direction::Discharging ||
        !(saved.rate > 0) || !(saved.full > 0))
        return std::nullopt;
    const double age = monotonic - saved.monotonic;
    if (age < 0 || age > maxAge)
        return std::nullopt;
    return saved.rate / saved.full;
}

} // namespace drawmeter
