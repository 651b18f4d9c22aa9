// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"
#include "monitor/monitorgauge.h"
#include "platform/systemroots.h"

// The network gauge of the overview: two bars, sent and received, each as tall as its share of
// all traffic since the interfaces came up (0.62 points per percent), every 10 s. `values` are
// the totals [sent, received] in MB, `bars` the heights in points.
class network_graph : public MonitorGauge
{
    Q_OBJECT
    Q_PROPERTY(QList<qreal> bars READ bars NOTIFY valuesChanged)

public:
    static constexpr int kIntervalMs = 10000;
    network_graph(const SystemRoots &roots, ActivityMonitor::AddressSource addresses = {},
                  QObject *parent = nullptr);

    QList<qreal> bars() const { return m_bars; }
    void refresh() override;

private:
    ActivityMonitor m_monitor;
    QList<qreal> m_bars{0, 0};
};
