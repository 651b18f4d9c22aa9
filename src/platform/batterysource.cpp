#include "platform/batterysource.h"

#include <QSocketNotifier>

#include <libudev.h>

SysfsBatterySource::SysfsBatterySource(SystemRoots roots, QObject *parent)
    : BatterySource(parent), m_roots(std::move(roots))
{
}

SysfsBatterySource::~SysfsBatterySource()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void SysfsBatterySource::setBatteryMonitoringEnabled(bool enabled)
{
    if (!enabled || m_enabled)
        return;
    m_enabled = true;
    const PowerSupplySnapshot snap = snapshot();
    m_lastLevel = float(snap.level);
    m_lastState = snap.state;
    // Events only make sense for the real /sys; a fixture tree never sends any.
    if (m_roots.sysfs == QLatin1String("/sys"))
        openMonitor();
}

PowerSupplySnapshot SysfsBatterySource::snapshot()
{
    return readPowerSupplies(m_roots);
}

void SysfsBatterySource::openMonitor()
{
    m_udev = udev_new();
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "kernel");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "power_supply",
                                                                      nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qInfo("powerdeck: no power_supply event monitor; battery is read periodically");
        if (m_monitor)
            udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    const int fd = udev_monitor_get_fd(m_monitor);
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, this, [this] { drainMonitor(); });
}

void SysfsBatterySource::drainMonitor()
{
    // A wake-up can carry several events, or none that passed the filter (receive returns null).
    bool any = false;
    while (udev_device *dev = udev_monitor_receive_device(m_monitor)) {
        any = true;
        udev_device_unref(dev);
    }
    if (any)
        checkForChanges();
}

void SysfsBatterySource::checkForChanges()
{
    const PowerSupplySnapshot snap = snapshot();
    const float level = float(snap.level);
    const bool levelChanged = level != m_lastLevel;
    const bool stateChanged = snap.state != m_lastState;
    m_lastLevel = level;
    m_lastState = snap.state;
    if (levelChanged)
        emit batteryLevelDidChange();
    if (stateChanged)
        emit batteryStateDidChange();
}
