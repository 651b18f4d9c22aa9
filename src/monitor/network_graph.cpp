// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/network_graph.h"

#include "monitor/monitorfigures.h"

network_graph::network_graph(const SystemRoots &roots, ActivityMonitor::AddressSource addresses,
                             QObject *parent)
    : MonitorGauge(kIntervalMs, parent),
      m_monitor(roots.procfs.toStdString(), roots.sysfs.toStdString(), std::move(addresses))
{
}

void network_graph::refresh()
{
    // All traffic, a cable's included: the bars are the sent and received shares of it.
    const NetworkFigures f = m_monitor.networkFigures();
    const std::array<long long, 4> c = {f.wifi.sentMB + f.wired.sentMB,
                                        f.wifi.receivedMB + f.wired.receivedMB, f.cellular.sentMB,
                                        f.cellular.receivedMB};
    const auto heights = monitorfigures::networkBarHeights(c);
    m_bars = {heights[0], heights[1]};
    const QList<qreal> totals{static_cast<qreal>(c[0] + c[2]), static_cast<qreal>(c[1] + c[3])};
    setValues(totals); // the bars follow the totals
}
