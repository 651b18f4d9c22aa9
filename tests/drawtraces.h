// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/powersupply.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Known discharges and charges, played back: a draw that wanders with noise and jumps for a few
// seconds at a time, integrated into the battery's counters, and reported the way fuel gauges and
// firmware report it (the rate at the moment of the read; the counter only every few seconds, in
// steps). Seeded, so each trace is the same on every run.
struct TraceSpec
{
    const char *name;
    MeterUnit unit;      // which sysfs figures the battery has: energy, charge, or percent only
    bool charging;       // the battery fills instead of draining
    double baseWatts;    // the steady draw (or the charging power below the taper)
    double noise;        // uniform +- share of the draw at each step
    double spikeFactor;  // the draw during a spike, times the base
    double spikeSeconds; // how long a spike lasts
    double spikePeriod;  // mean time between spike starts (each gap jittered by +-10 %)
    double fullWh;
    double startWh;
    double volts;         // the battery's voltage (for charge batteries' figures)
    double counterPeriod; // seconds between the firmware's counter updates
    double counterStepWh; // the counter's resolution
    bool capacityFile;    // whether a capacity (percent) file is written
    std::uint32_t seed;
};

class TraceSim
{
public:
    static constexpr double kStep = 0.05; // seconds of the simulation step

    explicit TraceSim(const TraceSpec &spec)
        : m_spec(spec), m_energy(spec.startWh), m_reported(spec.startWh), m_random(spec.seed)
    {
        // The first spike comes anywhere within the first period; then they keep their pace.
        m_nextSpike = m_spec.spikePeriod * uniform();
        m_watts = drawAt();
    }

    const TraceSpec &spec() const { return m_spec; }
    double time() const { return m_time; }
    double instantWatts() const { return m_watts; }
    double trueWh() const { return m_energy; }
    double reportedWh() const { return m_reported; }
    double levelPercent() const { return 100.0 * m_reported / m_spec.fullWh; }

    // The draw the trace averages to in the long run: the spikes add their share.
    double meanWatts() const
    {
        return m_spec.baseWatts *
               (1 + (m_spec.spikeFactor - 1) * m_spec.spikeSeconds / m_spec.spikePeriod);
    }
    // What an honest standby estimate says now.
    double truthHours() const { return m_energy / meanWatts(); }

    void advance(double seconds)
    {
        // Steps of kStep up to the time asked for in all, so that many short advances keep time.
        m_target += seconds;
        while (m_time + kStep / 2 < m_target) {
            m_time += kStep;
            m_watts = drawAt();
            m_energy += (m_spec.charging ? 1 : -1) * m_watts * kStep / 3600.0;
            if (m_time >= m_nextCounter) {
                m_nextCounter += m_spec.counterPeriod;
                m_reported = std::floor(m_energy / m_spec.counterStepWh) * m_spec.counterStepWh;
            }
        }
    }

    // The figures readPowerSupplies would make of the files().
    BatteryMeter meter() const
    {
        BatteryMeter m;
        m.unit = m_spec.unit;
        switch (m_spec.unit) {
        case MeterUnit::Energy:
            m.now = m_reported;
            m.full = m_spec.fullWh;
            m.rate = m_watts;
            m.fullWh = m_spec.fullWh;
            break;
        case MeterUnit::Charge:
            m.now = m_reported / m_spec.volts;
            m.full = m_spec.fullWh / m_spec.volts;
            m.rate = m_watts / m_spec.volts;
            m.volts = m_spec.volts;
            m.fullWh = m.full * m_spec.volts;
            break;
        case MeterUnit::Percent:
            m.now = std::floor(levelPercent());
            m.full = 100;
            m.fullWh = m_spec.fullWh;
            break;
        case MeterUnit::None:
            break;
        }
        return m;
    }

    // The battery's sysfs attributes now, as (name, text) pairs.
    std::vector<std::pair<std::string, std::string>> files() const
    {
        auto micro = [](double v) { return std::to_string(std::llround(v * 1e6)); };
        std::vector<std::pair<std::string, std::string>> f{
            {"type", "Battery"},
            {"present", "1"},
            {"status", m_spec.charging ? "Charging" : "Discharging"},
            {"voltage_now", micro(m_spec.volts)},
        };
        if (m_spec.capacityFile || m_spec.unit == MeterUnit::Percent)
            f.push_back({"capacity", std::to_string(int(std::floor(levelPercent())))});
        switch (m_spec.unit) {
        case MeterUnit::Energy:
            f.push_back({"energy_now", micro(m_reported)});
            f.push_back({"energy_full", micro(m_spec.fullWh)});
            f.push_back({"energy_full_design", micro(m_spec.fullWh)});
            f.push_back({"power_now", micro(m_watts)});
            break;
        case MeterUnit::Charge:
            f.push_back({"charge_now", micro(m_reported / m_spec.volts)});
            f.push_back({"charge_full", micro(m_spec.fullWh / m_spec.volts)});
            f.push_back({"charge_full_design", micro(m_spec.fullWh / m_spec.volts)});
            f.push_back({"current_now", micro(-m_watts / m_spec.volts)});
            break;
        case MeterUnit::Percent:
            f.push_back({"charge_full_design", micro(m_spec.fullWh / m_spec.volts)});
            break;
        case MeterUnit::None:
            break;
        }
        return f;
    }

private:
    double uniform()
    {
        // A small linear congruential generator: the same numbers on every machine.
        m_random = m_random * 1664525u + 1013904223u;
        return double(m_random >> 8) / double(1u << 24);
    }
    double spikeGap() { return m_spec.spikePeriod * (0.9 + 0.2 * uniform()); }

    double drawAt()
    {
        if (m_time >= m_nextSpike + m_spec.spikeSeconds)
            m_nextSpike += spikeGap();
        const bool spiking = m_time >= m_nextSpike && m_time < m_nextSpike + m_spec.spikeSeconds;
        double w = m_spec.baseWatts * (1 + m_spec.noise * (2 * uniform() - 1));
        if (spiking)
            w *= m_spec.spikeFactor;
        if (m_spec.charging) {
            // The charger tapers above 80 % down to a fifth at 100 %.
            const double level = 100.0 * m_energy / m_spec.fullWh;
            if (level > 80)
                w *= 1 - 0.8 * (std::min(level, 100.0) - 80) / 20;
        }
        return w;
    }

    TraceSpec m_spec;
    double m_time = 0;
    double m_target = 0;
    double m_watts = 0;
    double m_energy;
    double m_reported;
    double m_nextCounter = 0;
    double m_nextSpike = 0;
    std::uint32_t m_random;
};

// The traces the tests play back. A laptop drawing about 12 W with spikes to three times that,
// its counter updated every 15 s; a phone drawing 2.5 W with energy figures only; a phone that
// reports charge figures; a phone that reports only its percentage.
inline const TraceSpec kLaptopTrace{.name = "laptop 12 W",
                                    .unit = MeterUnit::Energy,
                                    .charging = false,
                                    .baseWatts = 12.0,
                                    .noise = 0.15,
                                    .spikeFactor = 3.0,
                                    .spikeSeconds = 2.0,
                                    .spikePeriod = 20.0,
                                    .fullWh = 50.0,
                                    .startWh = 31.0,
                                    .volts = 12.0,
                                    .counterPeriod = 15.0,
                                    .counterStepWh = 0.01,
                                    .capacityFile = true,
                                    .seed = 20261208u};
// The phones differ from each other only in what their batteries report.
inline TraceSpec phoneTrace(const char *name, MeterUnit unit, double startWh, double counterPeriod,
                            double counterStepWh, bool capacityFile, std::uint32_t seed)
{
    return {.name = name,
            .unit = unit,
            .charging = false,
            .baseWatts = 2.5,
            .noise = 0.2,
            .spikeFactor = 3.0,
            .spikeSeconds = 2.0,
            .spikePeriod = 15.0,
            .fullWh = 11.5,
            .startWh = startWh,
            .volts = 3.85,
            .counterPeriod = counterPeriod,
            .counterStepWh = counterStepWh,
            .capacityFile = capacityFile,
            .seed = seed};
}
inline const TraceSpec kPhoneTrace =
    phoneTrace("phone 2.5 W, energy only", MeterUnit::Energy, 7.2, 5.0, 0.001, false, 7u);
inline const TraceSpec kChargePhoneTrace =
    phoneTrace("phone 2.5 W, charge figures", MeterUnit::Charge, 6.0, 10.0, 0.004, true, 11u);
inline const TraceSpec kPercentPhoneTrace =
    phoneTrace("phone 2.5 W, percentage only", MeterUnit::Percent, 9.0, 1.0, 0.0001, true, 13u);
