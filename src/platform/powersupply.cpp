#include "platform/powersupply.h"

#include "platform/batterydesign.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Reads one attribute file; empty when it is missing or unreadable.
QString readAttribute(const QString &dir, const char *name)
{
    QFile f(dir + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(4096)).trimmed();
}

// A non-negative number from an attribute, or nothing when it is missing, empty or not a number.
std::optional<double> readNumber(const QString &dir, const char *name)
{
    const QString text = readAttribute(dir, name);
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
    std::optional<int> endThreshold;                           // percent
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
    const QString capacity = readAttribute(dir, "capacity");
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
        if (b.cycleCount && *b.cycleCount >= 0)
            snap.cycleCount = std::max(snap.cycleCount.value_or(0), int(*b.cycleCount));
        // "Unknown" is the kernel's word for a technology the driver does not know.
        if (snap.technology.isEmpty() && b.technology != QLatin1String("Unknown"))
            snap.technology = b.technology;
        if (snap.manufacturer.isEmpty())
            snap.manufacturer = b.manufacturer;
    }
}

} // namespace

int batteryStateFromStatus(const QString &status, double level, bool externalPower,
                           std::optional<int> endThreshold)
{
    if (status == QLatin1String("Charging"))
        return 2;
    if (status == QLatin1String("Full"))
        return 3;
    if (status == QLatin1String("Discharging"))
        return 1;
    const bool notCharging = status == QLatin1String("Not charging");
    // Held at the charge limit: the battery is as full as it is allowed to get.
    const bool limit = endThreshold && *endThreshold > 0 && *endThreshold < 100;
    if ((notCharging || status == QLatin1String("Unknown")) && externalPower && limit &&
        level >= 0 && level * 100 >= *endThreshold - 1 - 1e-6)
        return 3;
    if (notCharging)
        return (level >= 0.99 && externalPower) ? 3 : 1;
    return 0;
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
        const QString type = readAttribute(dir, "type");
        if (type == QLatin1String("Mains") || type.startsWith(QLatin1String("USB"))) {
            if (readAttribute(dir, "online") == QLatin1String("1"))
                snap.externalPower = true;
            continue;
        }
        if (type != QLatin1String("Battery"))
            continue;
        if (readAttribute(dir, "scope") == QLatin1String("Device"))
            continue;
        if (readAttribute(dir, "present") == QLatin1String("0"))
            continue;
        Battery b;
        b.status = readAttribute(dir, "status");
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
        b.chargeType = readAttribute(dir, "charge_type");
        b.cycleCount = readNumber(dir, "cycle_count");
        b.technology = readAttribute(dir, "technology");
        b.manufacturer = readAttribute(dir, "manufacturer");
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
    int state = 0;
    for (const Battery &b : batteries) {
        const int s = batteryStateFromStatus(b.status, b.level, snap.externalPower, b.endThreshold);
        auto rank = [](int v) { return v == 2 ? 3 : v == 1 ? 2 : v == 3 ? 1 : 0; };
        if (rank(s) > rank(state))
            state = s;
    }
    snap.state = state;

    for (const Battery &b : batteries) {
        if (b.endThreshold &&
            (!snap.chargeEndThreshold || *b.endThreshold < *snap.chargeEndThreshold))
            snap.chargeEndThreshold = b.endThreshold;
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
