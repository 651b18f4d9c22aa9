// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/localnotifications.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QTime>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

class QDBusPendingCallWatcher;

// One transient systemd user timer per notification, started through the user's service
// manager (org.freedesktop.systemd1 on the session bus). A one-off timer fires once, at an
// absolute calendar time in UTC; a weekly one on its weekdays at a local time of day. Each starts
// a transient service that posts the text with notify-send (org.freedesktop.Notifications).
// Every unit is named with one prefix, so cancelling stops exactly Powerdeck's timers and nothing
// else of the user's.
//
// No call waits for the manager: requests are queued and sent one after another, each answer
// handled on the event loop. When the manager does not answer in time (or is gone), everything
// not yet confirmed goes to the fallback, and so does every later request of this run.
class SystemdLocalNotifications : public QObject, public LocalNotifications
{
    Q_OBJECT
public:
    static inline const QString kUnitPrefix = QStringLiteral("powerdeck-notify-");
    static inline const QString kService = QStringLiteral("org.freedesktop.systemd1");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/systemd1");
    static inline const QString kInterface = QStringLiteral("org.freedesktop.systemd1.Manager");
    static constexpr int kCallTimeoutMs = 5000;

    // notifySend: the notify-send executable the services run. now: the clock that decides
    // whether a fire time has passed. fallback: takes over when the manager fails to answer.
    SystemdLocalNotifications(QDBusConnection bus, QString notifySend,
                              std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc,
                              std::unique_ptr<LocalNotifications> fallback = {},
                              QObject *parent = nullptr);
    ~SystemdLocalNotifications() override;

    // True when the service manager answers on the bus.
    static bool isAvailable(const QDBusConnection &bus);
    // The command line that posts one notification: critical urgency and the alarm-clock sound
    // hint for alarms.
    static QStringList notifyCommand(const QString &notifySend, const QString &body, bool sound);
    // "2024-03-10 06:00:00 UTC": absolute, so neither a time-zone nor a daylight-saving change
    // moves it.
    static QString calendarSpec(const QDateTime &fireDate);
    // "Mon..Fri *-*-* 07:30:00": the weekdays (bit j: 0 Sunday ... 6 Saturday) at a time of day
    // in the manager's local time zone.
    static QString weeklyCalendarSpec(quint8 weekdays, const QTime &timeOfDay);

    QString backendName() const override { return QStringLiteral("systemd user timers"); }
    bool cancelAll() override;
    bool schedule(const QDateTime &fireDate, const QString &body, bool sound) override;
    bool scheduleWeekly(const QDateTime &first, quint8 weekdays, const QString &body,
                        bool sound) override;

    // How long one call may wait for its answer before the fallback takes over.
    void setCallTimeout(int ms) { m_callTimeoutMs = ms; }
    // Requests are still waiting for the manager.
    bool busy() const { return m_inFlight || !m_queue.empty(); }
    // The manager failed this run; the fallback has everything.
    bool failedOver() const { return m_failedOver; }
    LocalNotifications *fallback() const { return m_fallback.get(); }
    // The last error the service manager returned, for the log and the tests.
    QString lastError() const { return m_lastError; }

private:
    struct Request
    {
        QDateTime fireDate;
        QString body;
        bool sound = false;
        quint8 weekdays = 0;
    };
    struct Op
    {
        enum Kind { List, Stop, Start } kind;
        QString unit;    // Stop
        Request request; // Start
        bool wake = false;
    };

    void enqueue(Op op);
    void pump();
    void send(const QString &method, const QVariantList &args,
              std::function<void(const QDBusMessage &)> done);
    void startRequest(const Request &r, bool wake);
    void failOver();
    void handOver(const Request &r);
    QString newUnitName(const QDateTime &fireDate) const;

    QDBusConnection m_bus;
    QString m_notifySend;
    std::function<QDateTime()> m_now;
    std::unique_ptr<LocalNotifications> m_fallback;
    int m_callTimeoutMs = kCallTimeoutMs;
    std::deque<Op> m_queue;
    bool m_inFlight = false;
    std::optional<Op> m_current;
    bool m_failedOver = false;
    QDBusPendingCallWatcher *m_watcher = nullptr;
    QString m_lastError;
    bool m_lastErrorIsTransport = false;
};
