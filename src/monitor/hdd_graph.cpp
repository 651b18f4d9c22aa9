// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/hdd_graph.h"

#include "monitor/activitymonitor.h"
#include "monitor/monitorfigures.h"

hdd_graph::hdd_graph(QString documents, QObject *parent)
    : MonitorGauge(kIntervalMs, parent), m_documents(std::move(documents))
{
}

void hdd_graph::refresh()
{
    const auto values = monitorfigures::diskGaugeValues(
        ActivityMonitor::getFreeDiskspace(m_documents.toStdString()));
    setValues(QList<qreal>(values.begin(), values.end()));
}
