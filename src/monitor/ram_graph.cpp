// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/ram_graph.h"

ram_graph::ram_graph(const SystemRoots &roots, QObject *parent)
    : MonitorGauge(kIntervalMs, parent),
      m_monitor(roots.procfs.toStdString(), roots.sysfs.toStdString())
{
}

void ram_graph::refresh()
{
    const auto usage = ActivityMonitor::currentMemoryUsage(m_monitor.memorySample());
    QList<qreal> values;
    if (auto error = usage.find("error"); error != usage.end()) {
        values.append(error->second);
    } else {
        for (const char *key : ActivityMonitor::kMemoryUsageKeys)
            values.append(usage.at(key));
    }
    setValues(std::move(values));
}
