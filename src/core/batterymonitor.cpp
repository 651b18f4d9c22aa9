// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/batterymonitor.h"

#include "core/batteryestimate.h"
#include "platform/batterysource.h"
#include "platform/logging.h"
#include "platform/plist.h"

#include <QVariantMap>

#include <ctime>

namespace {

double clockSeconds(clockid_t id)
{
    timespec ts{};
    ::clock_gettime(id, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

const char *directionKey(drawmeter::Direction d)
{
    return d == drawmeter::Direction::Charging ? "charging" : "discharging";
}

const char *unitName(MeterUnit unit)
{
    switch (unit) {
    case MeterUnit::Energy:
        return "energy";
    case MeterUnit::Charge:
        return "charge";
    case MeterUnit::Percent:
        return "percent";
    case MeterUnit::None:
        break;
    }
    return "none";
}

MeterUnit unitNamed(const QString &name)
{
    for (MeterUnit u : {MeterUnit::Energy, MeterUnit::Charge, MeterUnit::Percent})
        if (name == QLatin1String(unitName(u)))
            return u;
    return MeterUnit::None;
}

QVariantMap toVariant(const drawmeter::Record &r)
{
    return {{QStringLiteral("unit"), QString::fromLatin1(unitName(r.unit))},
            {QStringLiteral("rate"), r.rate},
            {QStringLiteral("full"), r.full},
            {QStringLiteral("counter"), r.counter},
            {QStringLiteral("monotonic"), r.monotonic},
            {QStringLiteral("boottime"), r.boottime},
            {QStringLiteral("bootId"), QString::fromStdString(r.bootId)}};
}

std::optional<drawmeter::Record> recordFrom(const QVariant &entry, drawmeter::Direction direction)
{
    if (entry.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap m = entry.toMap();
    drawmeter::Record r;
    r.direction = direction;
    r.unit = unitNamed(m.value(QStringLiteral("unit")).toString());
    bool ok[5] = {};
    r.rate = m.value(QStringLiteral("rate")).toDouble(&ok[0]);
    r.full = m.value(QStringLiteral("full")).toDouble(&ok[1]);
    r.counter = m.value(QStringLiteral("counter")).toDouble(&ok[2]);
    r.monotonic = m.value(QStringLiteral("monotonic")).toDouble(&ok[3]);
    r.boottime = m.value(QStringLiteral("boottime")).toDouble(&ok[4]);
    r.bootId = m.value(QStringLiteral("bootId")).toString().toStdString();
    for (bool b : ok)
        if (!b)
            return std::nullopt;
    if (r.unit == MeterUnit::None)
        return std::nullopt;
    return r;
}

} // namespace

BatteryMonitor::Clock BatteryMonitor::systemClock()
{
    return {[] { return clockSeconds(CLOCK_MONOTONIC); },
            [] { return clockSeconds(CLOCK_BOOTTIME); }};
}

BatteryMonitor::BatteryMonitor(BatterySource &source, Options options, Clock clock, QObject *parent)
    : QObject(parent), m_source(source), m_options(std::move(options)), m_clock(std::move(clock)),
      m_meter(m_options.meter)
{
    m_writer.setMaxThreadCount(1);
    loadHistory();
    m_source.setBatteryMonitoringEnabled(true);
    connect(&m_source, &BatterySource::changed, this, &BatteryMonitor::sample);
    m_timer.setInterval(m_options.intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &BatteryMonitor::sample);
    m_timer.start();
    m_first.setSingleShot(true);
    m_first.setInterval(kFirstReadingMs);
    connect(&m_first, &QTimer::timeout, this, &BatteryMonitor::ensureReading);
    m_first.start();
    m_live.setInterval(kLiveIntervalMs);
    connect(&m_live, &QTimer::timeout, this, [this] { read(true); });
}

BatteryMonitor::~BatteryMonitor()
{
    if (const auto record = drawmeter::recordOf(m_meter, m_options.bootId))
        keep(*record);
    if (m_historyDirty)
        writeHistory();
    m_writer.waitForDone();
}

void BatteryMonitor::sample()
{
    read(false);
}

const BatteryReading &BatteryMonitor::ensureReading()
{
    m_first.stop();
    if (!m_hasReading)
        read(false);
    return m_reading;
}

void BatteryMonitor::setLive(bool live)
{
    if (live == m_live.isActive())
        return;
    if (live) {
        m_live.start();
        // The figure shown should not wait for the first live tick.
        read(true);
    } else {
        m_live.stop();
    }
}

void BatteryMonitor::read(bool onlyIfChanged)
{
    m_first.stop();
    const PowerSupplySnapshot supply = m_source.snapshot();
    ++m_reads;
    qCDebug(lcBattery, " State: %d level:%f", supply.state, supply.level);
    BatteryReading r = readingFromSupply(supply);
    r.monotonic = m_clock.monotonic ? m_clock.monotonic() : 0;

    drawmeter::Sample s;
    s.monotonic = r.monotonic;
    s.boottime = m_clock.boottime ? m_clock.boottime() : r.monotonic;
    s.direction = drawmeter::directionOf(supply.state);
    s.externalPower = supply.externalPower;
    s.meter = supply.meter;

    // What the run measured so far is kept before a restart drops it.
    const std::optional<drawmeter::Record> before = drawmeter::recordOf(m_meter, m_options.bootId);
    const drawmeter::Restart restart = m_meter.add(s);
    if (restart != drawmeter::Restart::None && before)
        keep(*before);
    if (restart == drawmeter::Restart::First) {
        const auto saved = m_history.find(s.direction);
        if (saved != m_history.end())
            if (const auto prior =
                    drawmeter::priorRate(saved->second, s, m_options.bootId, m_options.meter))
                m_meter.seed(*prior, kPriorSeconds);
        const auto discharge = m_history.find(drawmeter::Direction::Discharging);
        if (discharge != m_history.end() && s.direction != drawmeter::Direction::Discharging)
            if (const auto kept =
                    drawmeter::keptFullPerHour(discharge->second, s.monotonic, m_options.bootId))
                m_lastDischarge = MeasuredDraw{*kept, std::nullopt};
    }

    std::optional<MeasuredDraw> measured;
    if (const auto share = m_meter.fullPerHour())
        measured = MeasuredDraw{*share, m_meter.watts()};
    if (s.direction == drawmeter::Direction::Discharging) {
        r.discharge = measured;
        if (measured)
            m_lastDischarge = measured;
    } else {
        if (supply.externalPower)
            r.discharge = m_lastDischarge;
        if (s.direction == drawmeter::Direction::Charging)
            r.charge = measured;
    }
    if (r.discharge && supply.level >= 0)
        r.standbyHours = batteryestimate::hoursLeft(supply.level, *r.discharge);
    if (r.state == BatteryState::Full)
        r.timeToFullHours = 0.0;
    else if (r.state == BatteryState::Charging && r.charge && supply.level >= 0)
        r.timeToFullHours = batteryestimate::hoursToFull(
            r.percent, batteryestimate::chargeTarget(r), r.charge->fullPerHour);

    if (m_options.writeHistory && m_meter.measuredSeconds() >= m_options.meter.minSeconds &&
        (m_historyKeptAt < 0 || s.monotonic - m_historyKeptAt >= kHistorySeconds)) {
        if (const auto record = drawmeter::recordOf(m_meter, m_options.bootId)) {
            keep(*record);
            writeHistory();
            m_historyKeptAt = s.monotonic;
        }
    }

    const bool unchanged = m_hasReading && r.sameOnScreen(m_reading);
    m_reading = r;
    m_hasReading = true;
    if (onlyIfChanged && unchanged)
        return;
    emit readingChanged(m_reading);
}

void BatteryMonitor::loadHistory()
{
    if (m_options.historyPath.isEmpty())
        return;
    const plist::ReadResult read = plist::readFile(m_options.historyPath, plist::Shape::Dictionary);
    if (!read.ok())
        return;
    const QVariantMap stored = read.value.toMap();
    for (drawmeter::Direction d :
         {drawmeter::Direction::Discharging, drawmeter::Direction::Charging})
        if (const auto r = recordFrom(stored.value(QLatin1String(directionKey(d))), d))
            m_history[d] = *r;
}

void BatteryMonitor::keep(const drawmeter::Record &record)
{
    if (record.direction == drawmeter::Direction::Other)
        return;
    m_history[record.direction] = record;
    m_historyDirty = true;
}

void BatteryMonitor::writeHistory()
{
    if (!m_options.writeHistory || m_options.historyPath.isEmpty() || !m_historyDirty)
        return;
    QVariantMap stored;
    for (const auto &[direction, record] : m_history)
        stored.insert(QLatin1String(directionKey(direction)), toVariant(record));
    const QByteArray bytes = plist::toXml(stored);
    m_historyDirty = false;
    if (bytes.isEmpty())
        return;
    // The file is written away from the interface thread; one write at a time, in order.
    const QString path = m_options.historyPath;
    m_writer.start([path, bytes] {
        if (!plist::writeFileAtomically(path, bytes))
            qCWarning(lcBattery, "could not keep the battery measurement in %s", qPrintable(path));
    });
}

void BatteryMonitor::waitForHistory()
{
    m_writer.waitForDone();
}
