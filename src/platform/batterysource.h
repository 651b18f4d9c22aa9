// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/powersupply.h"

#include <QObject>

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Tells when the kernel says the battery figures may have moved: a power_supply uevent (a plug,
// a status change, a level step), or a resume from suspend.
class PowerSupplyEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void changed();
};

// The kernel's own notices: a libudev monitor of the kernel's power_supply uevents (no udev
// daemon needed), and a real-time timerfd that the kernel wakes when the clock jumps, which it
// does on every resume. Where either cannot be opened it is left out; the monitor's periodic
// readings still keep the screens current.
class KernelPowerSupplyEvents : public PowerSupplyEvents
{
    Q_OBJECT
public:
    explicit KernelPowerSupplyEvents(QObject *parent = nullptr);
    ~KernelPowerSupplyEvents() override;

    bool hasUeventMonitor() const { return m_monitor != nullptr; }
    bool hasResumeWatch() const { return m_clockFd >= 0; }

private:
    void openUeventMonitor();
    void drainUevents();
    void openResumeWatch();
    void armResumeWatch();
    void clockJumped();

    struct udev *m_udev = nullptr;
    struct udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_ueventNotifier = nullptr;
    int m_clockFd = -1;
    QSocketNotifier *m_clockNotifier = nullptr;
};

// The device's battery as the system reports it. Reading is on demand (snapshot); changed()
// says the system reported a change, and carries nothing: whoever listens reads once.
class BatterySource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BatterySource() override = default;

    // Switching monitoring on is what makes the change signal flow; it is never switched off.
    virtual void setBatteryMonitoringEnabled(bool enabled) = 0;
    virtual bool isBatteryMonitoringEnabled() const = 0;
    // Everything the system says about the battery now: one read of every supply.
    virtual PowerSupplySnapshot snapshot() = 0;

signals:
    void changed();
};

// Reads /sys/class/power_supply below the given sysfs root. The change notices come from the
// events given (the kernel's for the real /sys, none for a fixture tree, a scripted one in tests).
class SysfsBatterySource : public BatterySource
{
    Q_OBJECT
public:
    explicit SysfsBatterySource(SystemRoots roots, std::unique_ptr<PowerSupplyEvents> events = {},
                                QObject *parent = nullptr);
    ~SysfsBatterySource() override;

    void setBatteryMonitoringEnabled(bool enabled) override;
    bool isBatteryMonitoringEnabled() const override { return m_enabled; }
    PowerSupplySnapshot snapshot() override;

    PowerSupplyEvents *events() const { return m_events.get(); }
    const SystemRoots &roots() const { return m_roots; }

private:
    SystemRoots m_roots;
    std::unique_ptr<PowerSupplyEvents> m_events;
    bool m_enabled = false;
};
