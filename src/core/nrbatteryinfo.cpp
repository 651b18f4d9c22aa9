#include "core/nrbatteryinfo.h"

#include "platform/batterysource.h"

#include <cmath>

NRBatteryInfo::NRBatteryInfo(BatterySource &source, std::function<bool()> precisionMode,
                             QObject *parent)
    : QObject(parent), m_source(source), m_precisionMode(std::move(precisionMode))
{
    m_source.setBatteryMonitoringEnabled(true);
    connect(&m_source, &BatterySource::batteryLevelDidChange, this, &NRBatteryInfo::batteryInfo);
    connect(&m_source, &BatterySource::batteryStateDidChange, this, &NRBatteryInfo::batteryInfo);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &NRBatteryInfo::batteryInfo);
    m_timer.start();
    m_first.setSingleShot(true);
    m_first.setInterval(kFirstReadingMs);
    connect(&m_first, &QTimer::timeout, this, &NRBatteryInfo::batteryInfo);
    m_first.start();
}

QVariantMap NRBatteryInfo::reading(float level, int state)
{
    // The platform says -1 for an unknown level; readers get -100 (i.e. -1 x 100).
    const float percent = level < 0 ? -100.0f : level * 100.0f;
    return {{QStringLiteral("batteryLevel"), percent}, {QStringLiteral("batteryState"), state}};
}

QVariantMap NRBatteryInfo::detailedReading(const PowerSupplySnapshot &s)
{
    if (!s.hasBattery || s.level < 0 || !s.remainingMah || !s.designMah)
        return {};
    return {
        {QStringLiteral("Battery Level"), float(s.level * 100.0)},
        {QStringLiteral("Current Capacity"), int(std::lround(*s.remainingMah))},
        {QStringLiteral("Design Capacity"), int(std::lround(*s.designMah))},
        {QStringLiteral("Charger Current"), int(std::lround(s.currentMa.value_or(0)))},
        {QStringLiteral("Device Charging"), s.state == 2},
        {QStringLiteral("External Power"), s.externalPower},
        {QStringLiteral("Fully Charged"), s.state == 3},
    };
}

void NRBatteryInfo::batteryInfo()
{
    const PowerSupplySnapshot snap = m_source.snapshot();
    const float level = float(snap.level);
    qDebug(" State: %d level:%f", snap.state, double(level));
    const QVariantMap r = reading(level, snap.state);
    if (!m_delegate)
        return;
    m_delegate->updateNormInfo(r);
    // The delegate may have gone in between (a rebuild); only then the detailed form.
    if (m_delegate && m_precisionMode && m_precisionMode()) {
        const QVariantMap detailed = detailedReading(snap);
        if (!detailed.isEmpty())
            m_delegate->updateInfo(detailed);
    }
}
