// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <array>

class NotificationCenter;
class MonitorGauge;
class cpu_grath2;
class ram_graph;
class hdd_graph;
class network_graph;

// The system monitor page: four tiles with a live gauge each (processor, memory, disk, network)
// and the processor figure. A tile stops every gauge and asks the main screen for its detail
// screen; the gauges run again when the page is shown again (the detail screen closed, the
// window back). Torn down by "restartAPP", which releases the four gauges.
class sysMonitorController : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(SysMonitorController)
    Q_MOC_INCLUDE("monitor/monitorgauge.h")
    QML_UNCREATABLE("Created by the main screen")
    Q_PROPERTY(MonitorGauge *cpuG READ cpuG NOTIFY gaugesChanged)
    Q_PROPERTY(MonitorGauge *ramG READ ramG NOTIFY gaugesChanged)
    Q_PROPERTY(MonitorGauge *hddG READ hddG NOTIFY gaugesChanged)
    Q_PROPERTY(MonitorGauge *netG READ netG NOTIFY gaugesChanged)
    Q_PROPERTY(QString cpuLbl READ cpuLbl NOTIFY cpuLblChanged)
    Q_PROPERTY(bool tablet READ tablet CONSTANT)
    Q_PROPERTY(int screenHeight READ screenHeight CONSTANT)

public:
    // `delegate` is the main screen: it answers showCpu(), showRam(), showHDD() and showNet()
    // with whether it presented the screen. Neither it nor `center` is owned.
    sysMonitorController(const SystemRoots &roots, const QString &documents,
                         NotificationCenter *center, bool tablet, int screenHeight,
                         QObject *parent = nullptr);
    ~sysMonitorController() override;

    void setDelegate(QObject *delegate) { m_delegate = delegate; }

    MonitorGauge *cpuG() const;
    MonitorGauge *ramG() const;
    MonitorGauge *hddG() const;
    MonitorGauge *netG() const;
    QString cpuLbl() const { return m_cpuLbl; }
    bool tablet() const { return m_tablet; }
    int screenHeight() const { return m_screenHeight; }
    bool shown() const { return m_shown; }

    // The main screen: the page is shown (current, nothing over it, window visible) or not.
    Q_INVOKABLE void setShown(bool shown);
    Q_INVOKABLE void gotoCpuView();
    Q_INVOKABLE void gotoRamView();
    Q_INVOKABLE void gotoHddView();
    Q_INVOKABLE void gotoNetView();
    Q_INVOKABLE void stopAlltimers();
    // The gauges refresh every `factor` of their intervals (1: their own rate).
    void setRefreshSlowdown(int factor);
    // Releases the gauges and stops observing "restartAPP".
    void remoAllObj();

    void currentCpuLevel(float level);

signals:
    void gaugesChanged();
    void cpuLblChanged();

private:
    void startAlltimers();
    // The four gauges; null after tear-down.
    std::array<MonitorGauge *, 4> gauges() const;
    void openDetail(const char *show);

    NotificationCenter *m_center;
    bool m_tablet;
    int m_screenHeight;
    QPointer<QObject> m_delegate;
    cpu_grath2 *m_cpuG = nullptr;
    ram_graph *m_ramG = nullptr;
    hdd_graph *m_hddG = nullptr;
    network_graph *m_netG = nullptr;
    QString m_cpuLbl = QStringLiteral("0%");
    bool m_shown = false;
};
