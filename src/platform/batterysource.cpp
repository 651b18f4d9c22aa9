// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/batterysource.h"

#include "platform/logging.h"

#include <QSocketNotifier>

#include <libudev.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

KernelPowerSupplyEvents::KernelPowerSupplyEvents(QObject *parent) : PowerSupplyEvents(parent)
{
    openUeventMonitor();
    openResumeWatch();
}

KernelPowerSupplyEvents::~KernelPowerSupplyEvents()
{
    delete m_ueventNotifier;
    delete m_clockNotifier;
    if (m_clockFd >= 0)
        ::close(m_clockFd);
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void KernelPowerSupplyEvents::openUeventMonitor()
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "kernel");
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "power_supply", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qCInfo(lcBattery, "no power_supply event monitor; the battery is read periodically");
        if (m_monitor)
            udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    m_ueventNotifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_ueventNotifier, &QSocketNotifier::activated, this, [this] { drainUevents(); });
}

void KernelPowerSupplyEvents::drainUevents()
{
    // A wake-up can carry several events, or none that passed the filter (receive returns null):
    // one notice for all of them.
    bool any = false;
    while (udev_device *dev = udev_monitor_receive_device(m_monitor)) {
        any = true;
        udev_device_unref(dev);
    }
    if (any)
        emit changed();
}

void KernelPowerSupplyEvents::openResumeWatch()
{
    m_clockFd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_clockFd < 0)
        return;
    armResumeWatch();
    m_clockNotifier = new QSocketNotifier(m_clockFd, QSocketNotifier::Read);
    connect(m_clockNotifier, &QSocketNotifier::activated, this, [this] { clockJumped(); });
}

void KernelPowerSupplyEvents::armResumeWatch()
{
    // A timer at the far end of time that never expires, but is cancelled (its read fails with
    // ECANCELED) whenever the real-time clock jumps: the kernel does that on every resume.
    itimerspec far = {};
    far.it_value.tv_sec = std::time_t(INT32_MAX);
    if (::timerfd_settime(m_clockFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr) <
        0) {
        delete m_clockNotifier;
        m_clockNotifier = nullptr;
        ::close(m_clockFd);
        m_clockFd = -1;
    }
}

void KernelPowerSupplyEvents::clockJumped()
{
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(m_clockFd, &expirations, sizeof expirations);
    if (n < 0 && errno != ECANCELED)
        return;
    armResumeWatch();
    emit changed();
}

SysfsBatterySource::SysfsBatterySource(SystemRoots roots, std::unique_ptr<PowerSupplyEvents> events,
                                       QObject *parent)
    : BatterySource(parent), m_roots(std::move(roots)), m_events(std::move(events))
{
}

SysfsBatterySource::~SysfsBatterySource() = default;

void SysfsBatterySource::setBatteryMonitoringEnabled(bool enabled)
{
    if (!enabled || m_enabled)
        return;
    m_enabled = true;
    if (m_events)
        connect(m_events.get(), &PowerSupplyEvents::changed, this, &BatterySource::changed);
}

PowerSupplySnapshot SysfsBatterySource::snapshot()
{
    return readPowerSupplies(m_roots);
}
