#pragma once

#include "platform/powersupply.h"

#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// The device's battery as the screens see it: a level fraction (or -1), a four-valued state and,
// where the system reports them, the detailed figures. Emits a signal when either changes.
class BatterySource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BatterySource() override = default;

    // Switching monitoring on is what makes the change signals flow; it is never switched off.
    virtual void setBatteryMonitoringEnabled(bool enabled) = 0;
    virtual bool isBatteryMonitoringEnabled() const = 0;
    // Everything the system says about the battery now.
    virtual PowerSupplySnapshot snapshot() = 0;
    // 0.0 to 1.0, or -1 when unknown.
    float batteryLevel() { return float(snapshot().level); }
    // 0 unknown, 1 unplugged, 2 charging, 3 full.
    int batteryState() { return snapshot().state; }
    // Whether the system has a battery at all (a desktop or a container has none). A battery
    // can report an unknown level for a moment; this stays true then.
    bool hasBattery() { return snapshot().hasBattery; }

signals:
    void batteryLevelDidChange();
    void batteryStateDidChange();
};

// Reads /sys/class/power_supply below the given sysfs root. Changes arrive from a libudev kernel
// monitor on the power_supply subsystem (the kernel's own uevents, so no udev daemon is needed);
// where no monitor can be opened, the readers' periodic readings still keep the screens current.
class SysfsBatterySource : public BatterySource
{
    Q_OBJECT
public:
    explicit SysfsBatterySource(SystemRoots roots, QObject *parent = nullptr);
    ~SysfsBatterySource() override;

    void setBatteryMonitoringEnabled(bool enabled) override;
    bool isBatteryMonitoringEnabled() const override { return m_enabled; }
    PowerSupplySnapshot snapshot() override;

    bool hasChangeMonitor() const { return m_monitor != nullptr; }
    // Re-reads sysfs and emits the change signals for what differs from the last reading.
    void checkForChanges();

private:
    void openMonitor();
    void drainMonitor();

    SystemRoots m_roots;
    bool m_enabled = false;
    float m_lastLevel = -1;
    int m_lastState = 0;
    struct udev *m_udev = nullptr;
    struct udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};
