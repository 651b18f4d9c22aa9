// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/localnotifications_systemd.h"

#include "platform/applicationid.h"
#include "platform/localnotifications_systemdtypes.h"
#include "platform/logging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QRandomGenerator>
#include <QTimeZone>

using namespace systemdbus;

namespace {

UnitProperty unitProperty(const char *name, const QVariant &value)
{
    return {QString::fromLatin1(name), QDBusVariant(value)};
}

} // namespace

SystemdLocalNotifications::SystemdLocalNotifications(QDBusConnection bus, QString notifySend,
                                                     std::function<QDateTime()> now,
                                                     std::unique_ptr<LocalNotifications> fallback,
                                                     QObject *parent)
    : QObject(parent), m_bus(std::move(bus)), m_notifySend(std::move(notifySend)),
      m_now(std::move(now)), m_fallback(std::move(fallback))
{
    registerTypes();
}

SystemdLocalNotifications::~SystemdLocalNotifications()
{
    // At the end of the run no event loop will deliver the answers: what is still queued is
    // sent now, one call after the other, so quitting schedules like hiding the window does.
    // Each call is bounded by its time-out, and a time-out empties the queue.
    for (int calls = 0; m_watcher && calls < 10000; ++calls)
        m_watcher->waitForFinished();
}

bool SystemdLocalNotifications::isAvailable(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    // Answered by the bus itself, not by the manager.
    return bus.interface()->isServiceRegistered(kService).value();
}

QStringList SystemdLocalNotifications::notifyCommand(const QString &notifySend, const QString &body,
                                                     bool sound)
{
    QStringList argv{notifySend, QStringLiteral("--app-name=Powerdeck"),
                     QStringLiteral("--hint=string:desktop-entry:") +
                         QLatin1String(kApplicationId)};
    if (sound) {
        argv << QStringLiteral("--urgency=critical")
             << QStringLiteral("--hint=string:sound-name:alarm-clock-elapsed")
             << QStringLiteral("--icon=alarm-clock");
    } else {
        argv << QStringLiteral("--urgency=normal") << QStringLiteral("--icon=battery");
    }
    // "--" so that a text starting with '-' is never taken for an option.
    argv << QStringLiteral("--") << QStringLiteral("Powerdeck") << body;
    return argv;
}

QString SystemdLocalNotifications::calendarSpec(const QDateTime &fireDate)
{
    return fireDate.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
           QStringLiteral(" UTC");
}

QString SystemdLocalNotifications::weeklyCalendarSpec(quint8 weekdays, const QTime &timeOfDay)
{
    // The calendar's week runs from Monday to Sunday; runs of three days or more are ranges.
    static const char *const kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const int kOrder[] = {1, 2, 3, 4, 5, 6, 0};
    QStringList parts;
    for (int i = 0; i < 7;) {
        if (!(weekdays & (1u << kOrder[i]))) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < 7 && (weekdays & (1u << kOrder[last + 1])))
            ++last;
        const QString first = QString::fromLatin1(kNames[kOrder[i]]);
        if (last - i >= 2) {
            parts << first + QStringLiteral("..") + QString::fromLatin1(kNames[kOrder[last]]);
        } else {
            for (int k = i; k <= last; ++k)
                parts << QString::fromLatin1(kNames[kOrder[k]]);
        }
        i = last + 1;
    }
    return parts.join(QLatin1Char(',')) + QStringLiteral(" *-*-* ") +
           timeOfDay.toString(QStringLiteral("HH:mm:ss"));
}

QString SystemdLocalNotifications::newUnitName(const QDateTime &fireDate) const
{
    // The fire time makes the name readable in list-timers; the random part keeps two
    // notifications of the same minute (and a unit still being stopped) apart.
    return kUnitPrefix + fireDate.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->generate(), 16)
               .rightJustified(8, QLatin1Char('0'));
}

bool SystemdLocalNotifications::cancelAll()
{
    if (m_failedOver)
        return m_fallback && m_fallback->cancelAll();
    // What was queued for an earlier plan would only be stopped again.
    m_queue.clear();
    enqueue({Op::List, {}, {}, false});
    return true;
}

bool SystemdLocalNotifications::schedule(const QDateTime &fireDate, const QString &body, bool sound)
{
    if (m_failedOver)
        return m_fallback && m_fallback->schedule(fireDate, body, sound);
    // Only an alarm is worth waking a suspended device for.
    enqueue({Op::Start, {}, {fireDate, body, sound, 0}, sound});
    return true;
}

bool SystemdLocalNotifications::scheduleWeekly(const QDateTime &first, quint8 weekdays,
                                               const QString &body, bool sound)
{
    if ((weekdays & 0x7f) == 0)
        return false;
    if (m_failedOver)
        return m_fallback && m_fallback->scheduleWeekly(first, weekdays, body, sound);
    enqueue({Op::Start, {}, {first, body, sound, quint8(weekdays & 0x7f)}, sound});
    return true;
}

void SystemdLocalNotifications::enqueue(Op op)
{
    m_queue.push_back(std::move(op));
    pump();
}

void SystemdLocalNotifications::pump()
{
    if (m_inFlight || m_queue.empty() || m_failedOver)
        return;
    m_current = std::move(m_queue.front());
    m_queue.pop_front();
    const Op &op = *m_current;
    switch (op.kind) {
    case Op::List:
        send(QStringLiteral("ListUnitsByPatterns"),
             {QStringList{}, QStringList{kUnitPrefix + QStringLiteral("*.timer")}},
             [this](const QDBusMessage &reply) {
                 if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                     qCWarning(lcNotifications, "could not list the scheduled notifications: %s",
                               qPrintable(m_lastError));
                     return;
                 }
                 const auto units = qdbus_cast<UnitStatuses>(reply.arguments().constFirst());
                 // Stopped before anything queued after the cancel is started.
                 for (auto it = units.crbegin(); it != units.crend(); ++it) {
                     // The pattern already selects ours; the check guards against a manager
                     // that ignores it.
                     if (it->name.startsWith(kUnitPrefix))
                         m_queue.push_front({Op::Stop, it->name, {}, false});
                 }
             });
        break;
    case Op::Stop:
        send(QStringLiteral("StopUnit"), {op.unit, QStringLiteral("replace")},
             [this, unit = op.unit](const QDBusMessage &reply) {
                 if (reply.type() != QDBusMessage::ReplyMessage)
                     qCWarning(lcNotifications, "could not stop %s: %s", qPrintable(unit),
                               qPrintable(m_lastError));
             });
        break;
    case Op::Start:
        startRequest(op.request, op.wake);
        break;
    }
}

void SystemdLocalNotifications::send(const QString &method, const QVariantList &args,
                                     std::function<void(const QDBusMessage &)> done)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(args);
    m_inFlight = true;
    m_watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, m_callTimeoutMs), this);
    connect(m_watcher, &QDBusPendingCallWatcher::finished, this,
            [this, done = std::move(done)](QDBusPendingCallWatcher *watcher) {
                watcher->deleteLater();
                m_watcher = nullptr;
                m_inFlight = false;
                const QDBusMessage reply = watcher->reply();
                if (reply.type() == QDBusMessage::ErrorMessage) {
                    m_lastError = reply.errorName() + QStringLiteral(": ") + reply.errorMessage();
                    // No manager to talk to, or one that does not answer: asking again would
                    // only make the next request wait as long.
                    static const QStringList transport{
                        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
                        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
                        QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
                        QStringLiteral("org.freedesktop.DBus.Error.Timeout"),
                        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
                        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject")};
                    m_lastErrorIsTransport = transport.contains(reply.errorName());
                    if (m_lastErrorIsTransport) {
                        failOver();
                        return;
                    }
                }
                done(reply);
                m_current.reset();
                pump();
            });
}

void SystemdLocalNotifications::startRequest(const Request &r, bool wake)
{
    const QString base = newUnitName(r.fireDate);
    const QString description = QStringLiteral("Powerdeck: ") + r.body;

    UnitProperties service{
        unitProperty("Description", description),
        unitProperty("ExecStart",
                     QVariant::fromValue(ExecCommands{
                         {m_notifySend, notifyCommand(m_notifySend, r.body, r.sound), false}})),
        // A finished or failed notification service disappears by itself (a weekly one stays
        // while its timer holds it).
        unitProperty("CollectMode", QStringLiteral("inactive-or-failed")),
    };
    // notify-send needs the session bus; the manager's own environment may lack it.
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty()) {
        service.append(
            unitProperty("Environment", QStringList{QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") +
                                                    QString::fromLocal8Bit(address)}));
    }

    auto reportFailure = [this, body = r.body](const QDBusMessage &reply) {
        if (reply.type() != QDBusMessage::ReplyMessage)
            qCWarning(lcNotifications, "could not schedule \"%s\": %s", qPrintable(body),
                      qPrintable(m_lastError));
    };

    if (r.weekdays == 0 && r.fireDate <= m_now()) {
        // A moment that has passed is shown at once: the service alone, without a timer.
        send(QStringLiteral("StartTransientUnit"),
             {base + QStringLiteral(".service"), QStringLiteral("fail"),
              QVariant::fromValue(service), QVariant::fromValue(AuxUnits{})},
             reportFailure);
        return;
    }

    const QString spec = r.weekdays
                             ? weeklyCalendarSpec(r.weekdays, r.fireDate.toLocalTime().time())
                             : calendarSpec(r.fireDate);
    UnitProperties timer{
        unitProperty("Description", description),
        unitProperty("TimersCalendar",
                     QVariant::fromValue(CalendarTimers{{QStringLiteral("OnCalendar"), spec}})),
        unitProperty("AccuracyUSec", QVariant::fromValue(quint64(1000000))),
    };
    // A one-off timer unloads itself once it has fired; a weekly one stays until cancelled.
    if (r.weekdays == 0)
        timer.append(unitProperty("RemainAfterElapse", false));
    if (wake)
        timer.append(unitProperty("WakeSystem", true));
    send(QStringLiteral("StartTransientUnit"),
         {base + QStringLiteral(".timer"), QStringLiteral("fail"), QVariant::fromValue(timer),
          QVariant::fromValue(AuxUnits{{base + QStringLiteral(".service"), service}})},
         [this, r, wake, reportFailure](const QDBusMessage &reply) {
             if (reply.type() != QDBusMessage::ReplyMessage && wake) {
                 // A manager that may not wake the machine still shows the notification when
                 // it is awake.
                 qCInfo(lcNotifications,
                        "timer with WakeSystem refused (%s); scheduling without it",
                        qPrintable(m_lastError));
                 m_queue.push_front({Op::Start, {}, r, false});
                 return;
             }
             reportFailure(reply);
         });
}

void SystemdLocalNotifications::failOver()
{
    m_failedOver = true;
    qCWarning(lcNotifications,
              "the service manager failed (%s); notifications go to the %s for the "
              "rest of this run",
              qPrintable(m_lastError),
              m_fallback ? qPrintable(m_fallback->backendName()) : "log only");
    std::deque<Op> left;
    left.swap(m_queue);
    if (m_current)
        left.push_front(*m_current);
    m_current.reset();
    if (!m_fallback)
        return;
    // Everything that the manager has not confirmed; what it did confirm is with it already.
    m_fallback->cancelAll();
    for (const Op &op : left) {
        if (op.kind == Op::Start)
            handOver(op.request);
    }
}

void SystemdLocalNotifications::handOver(const Request &r)
{
    if (r.weekdays)
        m_fallback->scheduleWeekly(r.fireDate, r.weekdays, r.body, r.sound);
    else
        m_fallback->schedule(r.fireDate, r.body, r.sound);
}
