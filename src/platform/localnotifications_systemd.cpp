#include "platform/localnotifications_systemd.h"

#include "platform/applicationid.h"
#include "platform/localnotifications_systemdtypes.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QRandomGenerator>
#include <QTimeZone>

using namespace systemdbus;

namespace {

constexpr int kCallTimeoutMs = 5000;

UnitProperty property(const char *name, const QVariant &value)
{
    return {QString::fromLatin1(name), QDBusVariant(value)};
}

} // namespace

SystemdLocalNotifications::SystemdLocalNotifications(QDBusConnection bus, QString notifySend,
                                                     std::function<QDateTime()> now)
    : m_bus(std::move(bus)), m_notifySend(std::move(notifySend)), m_now(std::move(now))
{
    registerTypes();
}

bool SystemdLocalNotifications::isAvailable(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(kService).value();
}

QStringList SystemdLocalNotifications::notifyCommand(const QString &notifySend, const QString &body,
                                                     bool sound)
{
    QStringList argv{notifySend, QStringLiteral("--app-name=Powerdeck"),
                     QStringLiteral("--hint=string:desktop-entry:") + QLatin1String(kApplicationId)};
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

QString SystemdLocalNotifications::newUnitName(const QDateTime &fireDate) const
{
    // The fire time makes the name readable in list-timers; the random part keeps two
    // notifications of the same minute (and a unit still being stopped) apart.
    return kUnitPrefix + fireDate.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QLatin1Char('-') +
           QString::number(QRandomGenerator::global()->generate(), 16)
               .rightJustified(8, QLatin1Char('0'));
}

QDBusMessage SystemdLocalNotifications::call(const QString &method, const QVariantList &args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(args);
    QDBusMessage reply = m_bus.call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        m_lastError = reply.errorName() + QStringLiteral(": ") + reply.errorMessage();
        // No manager to talk to: asking again in other words would not help.
        static const QStringList transport{
            QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
            QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
            QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
            QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
            QStringLiteral("org.freedesktop.DBus.Error.UnknownObject")};
        m_lastErrorIsTransport = transport.contains(reply.errorName());
    }
    return reply;
}

bool SystemdLocalNotifications::startTransient(const QString &name, const QVariant &properties,
                                               const QVariant &aux)
{
    const QDBusMessage reply =
        call(QStringLiteral("StartTransientUnit"), {name, QStringLiteral("fail"), properties, aux});
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool SystemdLocalNotifications::cancelAll()
{
    const QDBusMessage reply =
        call(QStringLiteral("ListUnitsByPatterns"),
             {QStringList{}, QStringList{kUnitPrefix + QStringLiteral("*.timer")}});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qWarning("powerdeck: could not list the scheduled notifications: %s",
                 qPrintable(m_lastError));
        return false;
    }
    const auto units = qdbus_cast<UnitStatuses>(reply.arguments().constFirst());
    bool ok = true;
    for (const UnitStatus &unit : units) {
        // The pattern already selects ours; the check guards against a manager that ignores it.
        if (!unit.name.startsWith(kUnitPrefix))
            continue;
        const QDBusMessage stopped =
            call(QStringLiteral("StopUnit"), {unit.name, QStringLiteral("replace")});
        if (stopped.type() != QDBusMessage::ReplyMessage) {
            qWarning("powerdeck: could not stop %s: %s", qPrintable(unit.name),
                     qPrintable(m_lastError));
            ok = false;
        }
    }
    return ok;
}

bool SystemdLocalNotifications::schedule(const QDateTime &fireDate, const QString &body, bool sound)
{
    const QString base = newUnitName(fireDate);
    const QString description = QStringLiteral("Powerdeck: ") + body;

    UnitProperties service{
        property("Description", description),
        property("ExecStart",
                 QVariant::fromValue(ExecCommands{
                     {m_notifySend, notifyCommand(m_notifySend, body, sound), false}})),
        // A finished or failed notification service disappears by itself.
        property("CollectMode", QStringLiteral("inactive-or-failed")),
    };
    // notify-send needs the session bus; the manager's own environment may lack it.
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty()) {
        service.append(
            property("Environment", QStringList{QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") +
                                                QString::fromLocal8Bit(address)}));
    }

    if (fireDate <= m_now()) {
        // A moment that has passed is shown at once: the service alone, without a timer.
        if (startTransient(base + QStringLiteral(".service"), QVariant::fromValue(service),
                           QVariant::fromValue(AuxUnits{})))
            return true;
        qWarning("powerdeck: could not post \"%s\": %s", qPrintable(body), qPrintable(m_lastError));
        return false;
    }

    UnitProperties timer{
        property("Description", description),
        property("TimersCalendar", QVariant::fromValue(CalendarTimers{
                                       {QStringLiteral("OnCalendar"), calendarSpec(fireDate)}})),
        property("AccuracyUSec", QVariant::fromValue(quint64(1000000))),
        // The timer unloads itself once it has fired.
        property("RemainAfterElapse", false),
    };
    const QVariant aux =
        QVariant::fromValue(AuxUnits{{base + QStringLiteral(".service"), service}});
    const QString name = base + QStringLiteral(".timer");

    UnitProperties waking = timer;
    waking.append(property("WakeSystem", true));
    if (startTransient(name, QVariant::fromValue(waking), aux))
        return true;
    if (m_lastErrorIsTransport) {
        qWarning("powerdeck: could not schedule \"%s\": %s", qPrintable(body),
                 qPrintable(m_lastError));
        return false;
    }
    // A manager that may not wake the machine still shows the notification when it is awake.
    qInfo("powerdeck: timer with WakeSystem refused (%s); scheduling without it",
          qPrintable(m_lastError));
    if (startTransient(name, QVariant::fromValue(timer), aux))
        return true;
    qWarning("powerdeck: could not schedule \"%s\": %s", qPrintable(body), qPrintable(m_lastError));
    return false;
}
