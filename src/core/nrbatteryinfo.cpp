// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/nrbatteryinfo.h"

#include "core/batterymonitor.h"

NRBatteryInfo::NRBatteryInfo(BatteryMonitor &monitor, std::function<bool()> precisionMode,
                             QObject *parent)
    : QObject(parent), m_monitor(monitor), m_precisionMode(std::move(precisionMode))
{
    connect(&m_monitor, &BatteryMonitor::readingChanged, this, [this](const BatteryReading &r) {
        // A reading that came first makes the first one unnecessary.
        m_first.stop();
        deliver(r);
    });
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

void NRBatteryInfo::batteryInfo()
{
    m_first.stop();
    // The monitor's first read reaches every subscriber, this one included.
    if (!m_monitor.hasReading()) {
        m_monitor.ensureReading();
        return;
    }
    deliver(m_monitor.reading());
}

void NRBatteryInfo::stop()
{
    m_delegate = nullptr;
    m_first.stop();
    disconnect(&m_monitor, nullptr, this, nullptr);
}

void NRBatteryInfo::deliver(const BatteryReading &r)
{
    if (!m_delegate)
        return;
    m_delegate->updateReading(r);
    // The delegate may go in between (a rebuild).
    if (m_delegate)
        m_delegate->updateNormInfo(r.normReading());
    if (m_delegate && m_precisionMode && m_precisionMode()) {
        const QVariantMap detailed = r.detailedReading();
        if (!detailed.isEmpty())
            m_delegate->updateInfo(detailed);
    }
}
