// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/sysmonitorcontroller.h"

#include "monitor/cpu_grath2.h"
#include "monitor/hdd_graph.h"
#include "monitor/monitorfigures.h"
#include "monitor/network_graph.h"
#include "monitor/ram_graph.h"
#include "platform/notificationcenter.h"

sysMonitorController::sysMonitorController(const SystemRoots &roots, const QString &documents,
                                           NotificationCenter *center, bool tablet,
                                           int screenHeight, QObject *parent)
    : QObject(parent), m_center(center), m_tablet(tablet), m_screenHeight(screenHeight),
      m_cpuG(new cpu_grath2(roots, this)), m_ramG(new ram_graph(roots, this)),
      m_hddG(new hdd_graph(documents, this)), m_netG(new network_graph(roots, {}, this))
{
    connect(m_cpuG, &cpu_grath2::currentCpuLevel, this, &sysMonitorController::currentCpuLevel);
    if (m_center)
        m_center->addObserver(QStringLiteral("restartAPP"), this,
                              [this](const QVariant &) { remoAllObj(); });
    // Figures from the start, so the page does not first show empty gauges; the timers wait
    // until the page is shown.
    for (MonitorGauge *gauge : gauges())
        gauge->refresh();
}

sysMonitorController::~sysMonitorController()
{
    if (m_center)
        m_center->removeObservers(this);
}

std::array<MonitorGauge *, 4> sysMonitorController::gauges() const
{
    return {m_cpuG, m_ramG, m_hddG, m_netG};
}

MonitorGauge *sysMonitorController::cpuG() const
{
    return m_cpuG;
}
MonitorGauge *sysMonitorController::ramG() const
{
    return m_ramG;
}
MonitorGauge *sysMonitorController::hddG() const
{
    return m_hddG;
}
MonitorGauge *sysMonitorController::netG() const
{
    return m_netG;
}

void sysMonitorController::setShown(bool shown)
{
    m_shown = shown;
    if (shown)
        startAlltimers();
    else
        stopAlltimers();
}

void sysMonitorController::startAlltimers()
{
    for (MonitorGauge *gauge : gauges()) {
        if (gauge)
            gauge->start();
    }
}

void sysMonitorController::setRefreshSlowdown(int factor)
{
    for (MonitorGauge *gauge : gauges()) {
        if (gauge)
            gauge->setSlowdown(factor);
    }
}

void sysMonitorController::stopAlltimers()
{
    for (MonitorGauge *gauge : gauges()) {
        if (gauge)
            gauge->stop();
    }
}

void sysMonitorController::openDetail(const char *show)
{
    stopAlltimers();
    bool presented = false;
    if (m_delegate)
        QMetaObject::invokeMethod(m_delegate, show, Q_RETURN_ARG(bool, presented));
    // Nothing came over the page: it is still shown, and its gauges stay live.
    if (!presented && m_shown)
        startAlltimers();
}

void sysMonitorController::gotoCpuView()
{
    openDetail("showCpu");
}

void sysMonitorController::gotoRamView()
{
    openDetail("showRam");
}

void sysMonitorController::gotoHddView()
{
    openDetail("showHDD");
}

void sysMonitorController::gotoNetView()
{
    openDetail("showNet");
}

void sysMonitorController::currentCpuLevel(float level)
{
    QString text = QString::fromStdString(monitorfigures::cpuLevelText(level));
    if (text == m_cpuLbl)
        return;
    m_cpuLbl = std::move(text);
    emit cpuLblChanged();
}

void sysMonitorController::remoAllObj()
{
    if (m_center)
        m_center->removeObservers(this);
    stopAlltimers();
    if (m_cpuG)
        disconnect(m_cpuG, nullptr, this, nullptr);
    // The views may still hold the gauges until they go: delete on a later turn.
    for (MonitorGauge *gauge : gauges()) {
        if (gauge)
            gauge->deleteLater();
    }
    m_cpuG = nullptr;
    m_ramG = nullptr;
    m_hddG = nullptr;
    m_netG = nullptr;
    emit gaugesChanged();
}
