// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/networkviewcontroller.h"

#include "charts/chartgeometry.h"

netWorkViewController::netWorkViewController(ActivityMonitor monitor, QObject *parent)
    : QObject(parent), m_monitor(std::move(monitor))
{
    m_nt.setInterval(kRefreshMs);
    connect(&m_nt, &QTimer::timeout, this, &netWorkViewController::refresh);
    m_first.setSingleShot(true);
    m_first.setInterval(kFirstRefreshMs);
    connect(&m_first, &QTimer::timeout, this, &netWorkViewController::refresh);

    const auto addresses = m_monitor.getIPAddress();
    m_ipWifi = QString::fromStdString(addresses.first);
    m_ip3G = QString::fromStdString(addresses.second);
    m_macWifi = QString::fromStdString(m_monitor.getMacAddress());
    // The first fill, animated.
    showTraffic();
}

void netWorkViewController::refresh()
{
    m_animated = false;
    showTraffic();
}

void netWorkViewController::showTraffic()
{
    const std::array<long long, 4> c = m_monitor.getDataCounters();
    const std::array<double, 4> counters = {double(c[0]), double(c[1]), double(c[2]), double(c[3])};
    m_total = counters[0] + counters[1] + counters[2] + counters[3];
    // Each ring holds at most half the circle; no traffic at all draws empty rings.
    const charts::TrafficShares shares = charts::trafficShares(counters);
    m_upload = charts::ringPercent(shares.sent * 0.5);
    m_download = charts::ringPercent(shares.received * 0.5);
    const double shown[6] = {counters[0] + counters[2],
                             counters[1] + counters[3],
                             counters[0],
                             counters[1],
                             counters[2],
                             counters[3]};
    for (int i = 0; i < 6; ++i)
        m_texts[i] = QString::asprintf("%.1fMB", shown[i]);
    emit trafficChanged();
}

void netWorkViewController::goBack()
{
    m_nt.stop();
    m_first.stop();
    emit closeRequested();
}

void netWorkViewController::setShown(bool shown)
{
    if (shown) {
        m_nt.start();
        m_first.start();
    } else {
        m_nt.stop();
        m_first.stop();
    }
}
