// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"
#include "monitor/monitorgauge.h"
#include "platform/systemroots.h"

// The processor gauge of the overview: a pie of [seconds, load − seconds, idle, 60] from one
// sample per second, which also reports that sample's load for the overview's figure.
class cpu_grath2 : public MonitorGauge
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 1000;
    explicit cpu_grath2(const SystemRoots &roots, QObject *parent = nullptr);

    void refresh() override;

signals:
    // The load of the sample just taken, in percent.
    void currentCpuLevel(float level);

private:
    ActivityMonitor m_monitor;
};
