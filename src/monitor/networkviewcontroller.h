// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/activitymonitor.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

// The network screen: a block for Wi-Fi, for a cable (when the machine has a wired interface)
// and for cellular, each with its own interface's address and hardware address and its own
// traffic totals sent and received since the interfaces came up; and two half rings of the sent
// and the received share of all traffic (the upload ring turned half a turn, so that together
// they fill one circle). Refreshed 0.1 s after it is shown and every 30 s while shown.
class netWorkViewController : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(NetWorkViewController)
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(QString ipWifi READ ipWifi CONSTANT)
    Q_PROPERTY(QString Ip3G READ Ip3G CONSTANT)
    Q_PROPERTY(QString macWifi READ macWifi CONSTANT)
    Q_PROPERTY(QString mac3G READ mac3G CONSTANT)
    Q_PROPERTY(QString uploadLbl READ uploadLbl NOTIFY trafficChanged)
    Q_PROPERTY(QString downloadLbl READ downloadLbl NOTIFY trafficChanged)
    Q_PROPERTY(QString sendWifi READ sendWifi NOTIFY trafficChanged)
    Q_PROPERTY(QString dwnloadWifi READ dwnloadWifi NOTIFY trafficChanged)
    Q_PROPERTY(QString send3G READ send3G NOTIFY trafficChanged)
    Q_PROPERTY(QString donload3G READ donload3G NOTIFY trafficChanged)
    Q_PROPERTY(bool hasWired READ hasWired CONSTANT)
    Q_PROPERTY(QString ipWired READ ipWired CONSTANT)
    Q_PROPERTY(QString macWired READ macWired CONSTANT)
    Q_PROPERTY(QString sendWired READ sendWired NOTIFY trafficChanged)
    Q_PROPERTY(QString dwnloadWired READ dwnloadWired NOTIFY trafficChanged)
    // Whole percents of a full ring, each at most 50.
    Q_PROPERTY(int upload READ upload NOTIFY trafficChanged)
    Q_PROPERTY(int download READ download NOTIFY trafficChanged)
    // All traffic together (Wi-Fi, wired, cellular), MB.
    Q_PROPERTY(double total READ total NOTIFY trafficChanged)
    Q_PROPERTY(bool ringsAnimated READ ringsAnimated NOTIFY trafficChanged)

public:
    static constexpr int kRefreshMs = 30000;
    static constexpr int kFirstRefreshMs = 100;
    static constexpr double kUploadRotation = 180;

    explicit netWorkViewController(ActivityMonitor monitor, QObject *parent = nullptr);

    QString ipWifi() const { return m_ipWifi; }
    QString Ip3G() const { return m_ip3G; }
    QString macWifi() const { return m_macWifi; }
    QString mac3G() const { return tr("N/A"); }
    QString uploadLbl() const { return m_texts[0]; }
    QString downloadLbl() const { return m_texts[1]; }
    QString sendWifi() const { return m_texts[2]; }
    QString dwnloadWifi() const { return m_texts[3]; }
    QString send3G() const { return m_texts[4]; }
    QString donload3G() const { return m_texts[5]; }
    bool hasWired() const { return m_hasWired; }
    QString ipWired() const { return m_ipWired; }
    QString macWired() const { return m_macWired; }
    QString sendWired() const { return m_texts[6]; }
    QString dwnloadWired() const { return m_texts[7]; }
    int upload() const { return m_upload; }
    int download() const { return m_download; }
    double total() const { return m_total; }
    bool ringsAnimated() const { return m_animated; }
    QTimer &refreshTimer() { return m_nt; }
    QTimer &firstRefreshTimer() { return m_first; }

    // The rings and the traffic figures.
    Q_INVOKABLE void refresh();
    // The back button.
    Q_INVOKABLE void goBack();
    // Both timers run only while the screen is shown and the window visible.
    Q_INVOKABLE void setShown(bool shown);

signals:
    void trafficChanged();
    void closeRequested();

private:
    void showTraffic();

    ActivityMonitor m_monitor;
    QTimer m_nt;
    QTimer m_first; // the single shot 0.1 s after showing; a child, so it dies with the screen
    QString m_ipWifi;
    QString m_ip3G;
    QString m_macWifi;
    bool m_hasWired = false;
    QString m_ipWired;
    QString m_macWired;
    QString m_texts[8];
    int m_upload = 0;
    int m_download = 0;
    double m_total = 0;
    bool m_animated = true;
};
