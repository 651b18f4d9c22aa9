// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"
#include "monitor/monitorgauge.h"
#include "platform/systemroots.h"

// The memory gauge of the overview: a ring of the five memory figures (wire, active, free,
// inactive, purgeable, in MB) from one sample per second; a failed sample gives the one record -1.
class ram_graph : public MonitorGauge
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 1000;
    explicit ram_graph(const SystemRoots &roots, QObject *parent = nullptr);

    void refresh() override;

private:
    ActivityMonitor m_monitor;
};
