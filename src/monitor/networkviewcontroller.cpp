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

    // Each block's address and hardware address belong to the same interface.
    const NetworkFigures figures = m_monitor.networkFigures();
    m_ipWifi = QString::fromStdString(figures.wifi.address);
    m_ip3G = QString::fromStdString(figures.cellular.address);
    m_macWifi = QString::fromStdString(figures.wifi.hardwareAddress);
    m_hasWired = figures.wired.present;
    m_ipWired = QString::fromStdString(figures.wired.address);
    m_macWired = QString::fromStdString(figures.wired.hardwareAddress);
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
    const NetworkFigures f = m_monitor.networkFigures();
    const double sent = double(f.wifi.sentMB + f.wired.sentMB + f.cellular.sentMB);
    const double received = double(f.wifi.receivedMB + f.wired.receivedMB + f.cellular.receivedMB);
    m_total = sent + received;
    // Each ring holds at most half the circle; no traffic at all draws empty rings.
    const charts::TrafficShares shares = charts::trafficShares({sent, received, 0, 0});
    m_upload = charts::ringPercent(shares.sent * 0.5);
    m_download = charts::ringPercent(shares.received * 0.5);
    const double shown[8] = {sent,
                             received,
                             double(f.wifi.sentMB),
                             double(f.wifi.receivedMB),
                             double(f.cellular.sentMB),
                             double(f.cellular.receivedMB),
                             double(f.wired.sentMB),
                             double(f.wired.receivedMB)};
    for (int i = 0; i < 8; ++i)
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
