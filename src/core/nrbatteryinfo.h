// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/batteryreading.h"

#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <functional>

class BatteryMonitor;

// Receives battery readings. updateInfo receives the detailed form, sent only in the
// higher-precision mode and only where the system reports the figures; updateReading the whole
// reading, before either.
class NrBatteryInfoDelegate
{
public:
    virtual ~NrBatteryInfoDelegate() = default;
    virtual void updateReading(const BatteryReading &reading) { Q_UNUSED(reading); }
    virtual void updateNormInfo(const QVariantMap &reading) = 0;
    virtual void updateInfo(const QVariantMap &detailed) { Q_UNUSED(detailed); }
};

// A screen's subscription to the battery monitor: every reading the monitor takes (on a change
// the platform reports, every 45 s, on resume) reaches the delegate, and a first one 0.4 s after
// creation. It reads nothing itself: every screen gets the same reading of one read.
class NRBatteryInfo : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFirstReadingMs = 400;

    // precisionMode tells whether the higher-precision mode is on (the detailed reading is sent
    // only then); absent means off.
    explicit NRBatteryInfo(BatteryMonitor &monitor, std::function<bool()> precisionMode = {},
                           QObject *parent = nullptr);

    NrBatteryInfoDelegate *delegate() const { return m_delegate; }
    void setDelegate(NrBatteryInfoDelegate *delegate) { m_delegate = delegate; }

    // Hands the monitor's latest reading on (the monitor reads once if it has none yet).
    Q_INVOKABLE void batteryInfo();
    // Nothing reaches the delegate any more.
    void stop();

    // The short reading for a level fraction (or -1) and a state.
    static QVariantMap reading(float level, int state);

    QTimer &firstReadingTimer() { return m_first; }

private:
    void deliver(const BatteryReading &reading);

    BatteryMonitor &m_monitor;
    std::function<bool()> m_precisionMode;
    NrBatteryInfoDelegate *m_delegate = nullptr;
    QTimer m_first;
};
