// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

// What the overview's four gauges have in common: a repeating refresh timer that runs only while
// the overview is shown, and the records their chart draws. Starting refreshes at once, so a
// gauge that comes back (the window shown again, a detail screen closed) shows live figures
// rather than those of when it stopped.
class MonitorGauge : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("A gauge of the system monitor page")
    Q_PROPERTY(QList<qreal> values READ values NOTIFY valuesChanged)
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)

public:
    MonitorGauge(int intervalMs, QObject *parent);

    QList<qreal> values() const { return m_values; }
    bool running() const { return m_timer.isActive(); }
    QTimer &timer() { return m_timer; }

    // Refreshes now and every interval from now on; stop() ends it.
    void start();
    void stop();
    // Refreshes every `factor` intervals instead of every one (factor 1: the gauge's own rate).
    void setSlowdown(int factor);
    int intervalMs() const { return m_timer.interval(); }
    // Samples afresh and sets the records.
    Q_INVOKABLE virtual void refresh() = 0;

signals:
    void valuesChanged();
    void runningChanged();

protected:
    void setValues(QList<qreal> values);

private:
    QTimer m_timer;
    int m_baseIntervalMs;
    QList<qreal> m_values;
};
