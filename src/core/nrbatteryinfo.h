#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>

#include <functional>

class BatterySource;
struct PowerSupplySnapshot;

// Receives battery readings. updateInfo receives the detailed form, sent only in the
// higher-precision mode and only where the system reports the figures.
class NrBatteryInfoDelegate
{
public:
    virtual ~NrBatteryInfoDelegate() = default;
    virtual void updateNormInfo(const QVariantMap &reading) = 0;
    virtual void updateInfo(const QVariantMap &detailed) { Q_UNUSED(detailed); }
};

// The one source of battery readings: a reading on every change the platform reports, every 45 s
// and once 0.4 s after creation. A reading is {"batteryLevel": percent or -100, "batteryState"}.
class NRBatteryInfo : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 45000;
    static constexpr int kFirstReadingMs = 400;

    // precisionMode tells whether the higher-precision mode is on (the detailed reading is sent
    // only then); absent means off.
    explicit NRBatteryInfo(BatterySource &source, std::function<bool()> precisionMode = {},
                           QObject *parent = nullptr);

    NrBatteryInfoDelegate *delegate() const { return m_delegate; }
    void setDelegate(NrBatteryInfoDelegate *delegate) { m_delegate = delegate; }

    // Takes one reading and hands it on.
    Q_INVOKABLE void batteryInfo();

    // The reading as it would be sent now.
    static QVariantMap reading(float level, int state);
    // The detailed reading for these figures, or empty when the system lacks them. Besides the
    // figures it says whether a supply is online and whether the battery itself reports full.
    static QVariantMap detailedReading(const PowerSupplySnapshot &snapshot);

    QTimer &timer() { return m_timer; }
    QTimer &firstReadingTimer() { return m_first; }

private:
    BatterySource &m_source;
    std::function<bool()> m_precisionMode;
    NrBatteryInfoDelegate *m_delegate = nullptr;
    QTimer m_timer;
    QTimer m_first;
};
