// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/powersupply.h"

#include "platform/batterydesign.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A non-negative number from an attribute, or nothing when it is missing, empty or not a number.
std::optional<double> readNumber(const QString &dir, const char *name)
{
    const QString text = readSupplyAttribute(dir, name);
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return double(v);
}

struct Battery
{
    double level = -1;
    int stateHint = 0; // state before the "Not charging" rule
    QString status;
    std::optional<double> chargeNow, chargeFull, chargeDesign; // µAh
    std::optional<double> energyNow, energyFull, energyDesign; // µWh
    std::optional<double> voltageMinDesign, voltageNow;        // µV
    std::optional<double> currentNow, powerNow;                // µA, µW
    std::optional<int> endThreshold, startThreshold;           // percent
    std::optional<double> voltageMaxDesign;                    // µV
    QString chargeType;
    std::optional<double> cycleCount;
    QString technology, manufacturer;
};

double ratio(const std::optional<double> &now, const std::optional<double> &full)
{
    if (!now || !full || *full <= 0 || *now < 0)
        return -1;
    const double r = *now / *full;
    // Gauges often read a little above full right after charging; anything far above is noise.
    if (r > 1.05)
        return -1;
    return std::min(r, 1.0);
}

double batteryLevel(const QString &dir, Battery &b)
{
    const QString capacity = readSupplyAttribute(dir, "capacity");
    if (!capacity.isEmpty()) {
        bool ok = false;
        const int percent = capacity.toInt(&ok);
        if (!ok || percent < 0)
            return -1;
        // Fuel gauges often report a little above 100 (101 to 105) right after charging.
        return std::min(percent, 100) / 100.0;
    }
    const double byCharge = ratio(b.chargeNow, b.chargeFull);
    if (byCharge >= 0)
        return byCharge;
    return ratio(b.energyNow, b.energyFull);
}

std::optional<double> positive(const std::optional<double> &v)
{
    if (v && *v > 0 && std::isfinite(*v))
        return v;
    return std::nullopt;
}

// Full against design capacity of all batteries together, each pair in its own unit: the charge
// pair where every battery has one, else the energy pair, else the capacities in mAh.
void readWear(const std::vector<Battery> &batteries, PowerSupplySnapshot &snap)
{
    auto share = [&](auto full, auto design) -> std::optional<double> {
        double f = 0, d = 0;
        for (const Battery &b : batteries) {
            const std::optional<double> bf = full(b), bd = design(b);
            if (!bf || !bd || *bd <= 0)
                return std::nullopt;
            f += *bf;
            d += *bd;
        }
        return 100.0 * f / d;
    };
    std::optional<double> wear = share([](const Battery &b) { return b.chargeFull; },
                                       [](const Battery &b) { return b.chargeDesign; });
    if (!wear)
        wear = share([](const Battery &b) { return b.energyFull; },
                     [](const Battery &b) { return b.energyDesign; });
    if (!wear && snap.fullMah && snap.designMah && *snap.designMah > 0)
        wear = 100.0 * *snap.fullMah / *snap.designMah;
    snap.wearPercent = wear;

    for (const Battery &b : batteries) {
        // Most gauges that do not count cycles report 0: that is unknown, not a new battery.
        if (b.cycleCount && *b.cycleCount > 0)
            snap.cycleCount = std::max(snap.cycleCount.value_or(0), int(*b.cycleCount));
        // "Unknown" is the kernel's word for a technology the driver does not know.
        if (snap.technology.isEmpty() && b.technology != QLatin1String("Unknown"))
            snap.technology = b.technology;
        if (snap.manufacturer.isEmpty())
            snap.manufacturer = b.manufacturer;
    }
}

// The batteries' figures in the one unit all of them share: energy where every battery reports
// it, else charge, else the percentage.
BatteryMeter readMeter(const std::vector<Battery> &batteries, double level)
{
    BatteryMeter m;
    auto all = [&](auto has) { return std::all_of(batteries.begin(), batteries.end(), has); };
    std::optional<double> volts;
    if (all([](const Battery &b) { return bool(positive(b.voltageNow)); })) {
        double sum = 0;
        for (const Battery &b : batteries)
            sum += *b.voltageNow;
        volts = sum / double(batteries.size()) / 1e6;
    }
    m.volts = volts;
    // A rate of 0 is what some firmware reports when it does not measure one.
    auto rates = [&](auto rateOf) -> std::optional<double> {
        double sum = 0;
        for (const Battery &b : batteries) {
            const std::optional<double> r = rateOf(b);
            if (!r || !(*r > 0))
                return std::nullopt;
            sum += *r;
        }
        return sum;
    };
    if (all([](const Battery &b) { return b.energyNow && positive(b.energyFull); })) {
        m.unit = MeterUnit::Energy;
        for (const Battery &b : batteries) {
            m.now += *b.energyNow / 1e6;
            m.full += *b.energyFull / 1e6;
        }
        m.rate = rates([](const Battery &b) -> std::optional<double> {
            if (b.powerNow)
                return std::fabs(*b.powerNow) / 1e6;
            if (b.currentNow && positive(b.voltageNow))
                return std::fabs(*b.currentNow) / 1e6 * *b.voltageNow / 1e6;
            return std::nullopt;
        });
        m.fullWh = m.full;
        return m;
    }
    if (all([](const Battery &b) { return b.chargeNow && positive(b.chargeFull); })) {
        m.unit = MeterUnit::Charge;
        for (const Battery &b : batteries) {
            m.now += *b.chargeNow / 1e6;
            m.full += *b.chargeFull / 1e6;
        }
        m.rate = rates([](const Battery &b) -> std::optional<double> {
            if (b.currentNow)
                return std::fabs(*b.currentNow) / 1e6;
            if (b.powerNow && positive(b.voltageNow))
                return std::fabs(*b.powerNow) / *b.voltageNow;
            return std::nullopt;
        });
        if (volts)
            m.fullWh = m.full * *volts;
        return m;
    }
    if (level < 0)
        return m;
    m.unit = MeterUnit::Percent;
    m.now = level * 100;
    m.full = 100;
    // The full energy, as well as the figures allow: for showing the draw in watts only.
    double wh = 0;
    for (const Battery &b : batteries) {
        std::optional<double> v = positive(b.voltageNow);
        if (!v && positive(b.voltageMinDesign) && positive(b.voltageMaxDesign))
            v = (*b.voltageMinDesign + *b.voltageMaxDesign) / 2;
        if (!v)
            v = positive(b.voltageMinDesign);
        const std::optional<double> charge =
            positive(b.chargeFull) ? b.chargeFull : positive(b.chargeDesign);
        if (positive(b.energyFull))
            wh += *b.energyFull / 1e6;
        else if (positive(b.energyDesign))
            wh += *b.energyDesign / 1e6;
        else if (charge && v)
            wh += *charge / 1e6 * *v / 1e6;
        else
            return m;
    }
    if (wh > 0)
        m.fullWh = wh;
    return m;
}

} // namespace

StatusState batteryStateFromStatus(const QString &status, double level, bool externalPower,
                                   std::optional<int> endThreshold,
                                   std::optional<int> startThreshold)
{
    if (status == QLatin1String("Charging"))
        return {2};
    if (status == QLatin1String("Full"))
        return {3};
    if (status == QLatin1String("Discharging"))
        return {1};
    const bool notCharging = status == QLatin1String("Not charging");
    const bool unknown = status == QLatin1String("Unknown");
    const bool limit = endThreshold && *endThreshold > 0 && *endThreshold < 100;
    if ((notCharging || unknown) && externalPower && limit && level >= 0) {
        const double percent = level * 100;
        // At the limit, or between the thresholds where the firmware waits before it charges
        // again. "Not charging" below the limit with no start threshold known is the same wait.
        const bool atLimit = percent >= *endThreshold - 1 - 1e-6;
        const bool waiting =
            startThreshold && *startThreshold > 0 && *startThreshold < *endThreshold
                ? percent >= *startThreshold - 1 - 1e-6
                : notCharging;
        if (atLimit || waiting)
            return {3, true};
    }
    if (notCharging) {
        if (!externalPower)
            return {1};
        // Stopped on the supply for some other reason (temperature, a vendor's conservation
        // mode): full at the top, otherwise neither charging nor running the machine.
        return {level >= 0.99 ? 3 : 0};
    }
    return {0};
}

PowerSupplySnapshot readPowerSupplies(const SystemRoots &roots)
{
    PowerSupplySnapshot snap;
    const QString base = roots.sysfs + QStringLiteral("/class/power_supply");
    const QStringList names =
        QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    std::vector<Battery> batteries;
    for (const QString &name : names) {
        const QString dir = base + QLatin1Char('/') + name;
        const QString type = readSupplyAttribute(dir, "type");
        if (type == QLatin1String("Mains") || type.startsWith(QLatin1String("USB"))) {
            if (readSupplyAttribute(dir, "online") == QLatin1String("1"))
                snap.externalPower = true;
            continue;
        }
        if (type != QLatin1String("Battery"))
            continue;
        if (readSupplyAttribute(dir, "scope") == QLatin1String("Device"))
            continue;
        if (readSupplyAttribute(dir, "present") == QLatin1String("0"))
            continue;
        Battery b;
        b.status = readSupplyAttribute(dir, "status");
        b.chargeNow = readNumber(dir, "charge_now");
        b.chargeFull = readNumber(dir, "charge_full");
        b.chargeDesign = readNumber(dir, "charge_full_design");
        b.energyNow = readNumber(dir, "energy_now");
        b.energyFull = readNumber(dir, "energy_full");
        b.energyDesign = readNumber(dir, "energy_full_design");
        b.voltageMinDesign = readNumber(dir, "voltage_min_design");
        b.voltageNow = readNumber(dir, "voltage_now");
        b.currentNow = readNumber(dir, "current_now");
        b.powerNow = readNumber(dir, "power_now");
        if (const auto limit = readNumber(dir, "charge_control_end_threshold"))
            b.endThreshold = int(*limit);
        else if (const auto stop = readNumber(dir, "charge_stop_threshold"))
            b.endThreshold = int(*stop);
        if (const auto start = readNumber(dir, "charge_control_start_threshold"))
            b.startThreshold = int(*start);
        else if (const auto begin = readNumber(dir, "charge_start_threshold"))
            b.startThreshold = int(*begin);
        b.voltageMaxDesign = readNumber(dir, "voltage_max_design");
        b.chargeType = readSupplyAttribute(dir, "charge_type");
        b.cycleCount = readNumber(dir, "cycle_count");
        b.technology = readSupplyAttribute(dir, "technology");
        b.manufacturer = readSupplyAttribute(dir, "manufacturer");
        b.level = batteryLevel(dir, b);
        batteries.push_back(std::move(b));
    }
    if (batteries.empty())
        return snap;
    snap.hasBattery = true;

    // Several batteries make one: the level is weighted by each battery's full energy (or
    // charge); a battery without usable figures makes the whole reading unknown.
    double weighted = 0, weights = 0;
    bool usable = true;
    for (const Battery &b : batteries) {
        if (b.level < 0) {
            usable = false;
            break;
        }
        double w = b.energyFull.value_or(0);
        if (w <= 0)
            w = b.chargeFull.value_or(0);
        if (w <= 0)
            w = 1;
        weighted += b.level * w;
        weights += w;
    }
    snap.level = usable && weights > 0 ? weighted / weights : -1;

    // Charging wins over discharging, which wins over full; unknown only when nothing is known.
    StatusState state;
    for (const Battery &b : batteries) {
        const StatusState s = batteryStateFromStatus(b.status, b.level, snap.externalPower,
                                                     b.endThreshold, b.startThreshold);
        auto rank = [](int v) { return v == 2 ? 3 : v == 1 ? 2 : v == 3 ? 1 : 0; };
        if (rank(s.state) > rank(state.state) || (s.state == state.state && s.held))
            state = s;
    }
    snap.state = state.state;
    snap.heldAtLimit = state.state == 3 && state.held;

    for (const Battery &b : batteries) {
        if (b.endThreshold &&
            (!snap.chargeEndThreshold || *b.endThreshold < *snap.chargeEndThreshold))
            snap.chargeEndThreshold = b.endThreshold;
        if (b.startThreshold &&
            (!snap.chargeStartThreshold || *b.startThreshold < *snap.chargeStartThreshold))
            snap.chargeStartThreshold = b.startThreshold;
        if (snap.chargeType.isEmpty())
            snap.chargeType = b.chargeType;
    }

    // Capacities in mAh. Energy figures are converted with the design voltage (µWh ÷ µV = Ah).
    double remaining = 0, full = 0, design = 0, current = 0, minVoltage = 0;
    bool haveRemaining = true, haveFull = true, haveDesign = true, haveCurrent = true;
    for (const Battery &b : batteries) {
        const std::optional<double> volts =
            positive(b.voltageMinDesign) ? b.voltageMinDesign : positive(b.voltageNow);
        auto toMah = [&](const std::optional<double> &charge,
                         const std::optional<double> &energy) -> std::optional<double> {
            if (charge)
                return *charge / 1000.0;
            if (energy && volts)
                return *energy / *volts * 1000.0;
            return std::nullopt;
        };
        const auto r = toMah(b.chargeNow, b.energyNow);
        const auto f = toMah(b.chargeFull, b.energyFull);
        const auto d = toMah(b.chargeDesign, b.energyDesign);
        haveRemaining = haveRemaining && r;
        haveFull = haveFull && f;
        haveDesign = haveDesign && d && *d > 0;
        remaining += r.value_or(0);
        full += f.value_or(0);
        design += d.value_or(0);
        std::optional<double> amps;
        if (b.currentNow)
            amps = std::fabs(*b.currentNow) / 1000.0;
        else if (b.powerNow && positive(b.voltageNow))
            amps = std::fabs(*b.powerNow) / *b.voltageNow * 1000.0;
        haveCurrent = haveCurrent && amps;
        current += amps.value_or(0);
        if (positive(b.voltageMinDesign))
            minVoltage = std::max(minVoltage, *b.voltageMinDesign / 1e6);
    }
    if (haveRemaining)
        snap.remainingMah = remaining;
    if (haveFull)
        snap.fullMah = full;
    if (haveDesign)
        snap.designMah = design;
    if (haveCurrent)
        snap.currentMa = current;
    if (minVoltage > 0)
        snap.voltageMinDesignV = minVoltage;
    readWear(batteries, snap);
    snap.meter = readMeter(batteries, snap.level);
    return snap;
}

std::optional<BatteryDesign> readBatteryDesign(const SystemRoots &roots)
{
    const PowerSupplySnapshot snap = readPowerSupplies(roots);
    if (!snap.hasBattery)
        return std::nullopt;
    BatteryDesign d;
    d.designCapacityMah = snap.designMah.value_or(0);
    d.voltageMinDesignV = snap.voltageMinDesignV.value_or(0);
    return d;
}

QString readSupplyAttribute(const QString &dir, const char *name)
{
    QFile f(dir + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(4096)).trimmed();
}
