// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/cpu_grath2.h"

#include "monitor/monitorfigures.h"

cpu_grath2::cpu_grath2(const SystemRoots &roots, QObject *parent)
    : MonitorGauge(kIntervalMs, parent),
      m_monitor(roots.procfs.toStdString(), roots.sysfs.toStdString())
{
}

void cpu_grath2::refresh()
{
    const auto usage = m_monitor.cpu_usage();
    const auto values = monitorfigures::cpuGaugeValues(usage);
    setValues(QList<qreal>(values.begin(), values.end()));
    emit currentCpuLevel(usage ? usage->first : 0.0f);
}
