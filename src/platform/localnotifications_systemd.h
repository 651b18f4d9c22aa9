#pragma once

#include "platform/localnotifications.h"

#include <QDBusConnection>
#include <QStringList>

#include <functional>

// One transient systemd user timer per notification, started through the user's service
// manager (org.freedesktop.systemd1 on the session bus). Each timer fires once, at an absolute
// calendar time in UTC, and starts a transient service that posts the text with notify-send
// (org.freedesktop.Notifications). Every unit is named with one prefix, so cancelling stops
// exactly Powerdeck's timers and nothing else of the user's.
class SystemdLocalNotifications : public LocalNotifications
{
public:
    static inline const QString kUnitPrefix = QStringLiteral("powerdeck-notify-");
    static inline const QString kService = QStringLiteral("org.freedesktop.systemd1");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/systemd1");
    static inline const QString kInterface = QStringLiteral("org.freedesktop.systemd1.Manager");

    // notifySend: the notify-send executable the services run. now: the clock that decides
    // whether a fire time has passed.
    SystemdLocalNotifications(QDBusConnection bus, QString notifySend,
                              std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc);

    // True when the service manager answers on the bus.
    static bool isAvailable(const QDBusConnection &bus);
    // The command line that posts one notification: critical urgency and the alarm-clock sound
    // hint for alarms.
    static QStringList notifyCommand(const QString &notifySend, const QString &body, bool sound);
    // "2024-03-10 06:00:00 UTC": absolute, so neither a time-zone nor a daylight-saving change
    // moves it.
    static QString calendarSpec(const QDateTime &fireDate);

    QString backendName() const override { return QStringLiteral("systemd user timers"); }
    bool cancelAll() override;
    bool schedule(const QDateTime &fireDate, const QString &body, bool sound) override;

    // The last error the service manager returned, for the log and the tests.
    QString lastError() const { return m_lastError; }

private:
    QDBusMessage call(const QString &method, const QVariantList &args);
    bool startTransient(const QString &name, const QVariant &properties, const QVariant &aux);
    QString newUnitName(const QDateTime &fireDate) const;

    QDBusConnection m_bus;
    QString m_notifySend;
    std::function<QDateTime()> m_now;
    QString m_lastError;
    bool m_lastErrorIsTransport = false;
};
