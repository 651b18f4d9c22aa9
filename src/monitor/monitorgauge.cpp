// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/monitorgauge.h"

MonitorGauge::MonitorGauge(int intervalMs, QObject *parent) : QObject(parent)
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MonitorGauge::refresh);
}

void MonitorGauge::start()
{
    refresh();
    if (m_timer.isActive())
        return;
    m_timer.start();
    emit runningChanged();
}

void MonitorGauge::stop()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    emit runningChanged();
}

void MonitorGauge::setValues(QList<qreal> values)
{
    if (values == m_values)
        return;
    m_values = std::move(values);
    emit valuesChanged();
}
