// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/monitorgauge.h"

#include <algorithm>

MonitorGauge::MonitorGauge(int intervalMs, QObject *parent)
    : QObject(parent), m_baseIntervalMs(intervalMs)
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

void MonitorGauge::setSlowdown(int factor)
{
    // A running timer keeps running at the new rate.
    m_timer.setInterval(m_baseIntervalMs * std::max(1, factor));
}

void MonitorGauge::setValues(QList<qreal> values)
{
    if (values == m_values)
        return;
    m_values = std::move(values);
    emit valuesChanged();
}
