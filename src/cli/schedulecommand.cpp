// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/schedulecommand.h"

#include "app/notificationscheduler.h"
#include "app/scheduleplan.h"
#include "platform/folders.h"
#include "platform/powersupply.h"
#include "platform/userdefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Options
{
    bool json = false;
    QString now;
    QString zone;
    QString timeBeforeDie;
    QString timeneedToCharge;
    QString state;
};

const QString kLocalFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// The days a weekly notification repeats on, Sunday first as the alarm records count them.
QStringList dayNames(quint8 weekdays)
{
    static const char *const kNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QStringList out;
    for (int j = 0; j < 7; ++j) {
        if (weekdays & (1u << j))
            out << QString::fromLatin1(kNames[j]);
    }
    return out;
}

// Accepts "--name value" and "--name=value". Returns an error text, empty on success.
QString parse(const QStringList &args, Options &o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString name = args[i];
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('='));
            name.startsWith(QLatin1String("--")) && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inlineValue = true;
        }
        if (name == QLatin1String("--json") && !inlineValue) {
            o.json = true;
            continue;
        }
        QString *target = nullptr;
        if (name == QLatin1String("--now"))
            target = &o.now;
        else if (name == QLatin1String("--tz"))
            target = &o.zone;
        else if (name == QLatin1String("--timeBeforeDie"))
            target = &o.timeBeforeDie;
        else if (name == QLatin1String("--timeneedToCharge"))
            target = &o.timeneedToCharge;
        else if (name == QLatin1String("--state"))
            target = &o.state;
        if (!target)
            return QStringLiteral("unknown option '%1'").arg(args[i]);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a value").arg(name);
            value = args[++i];
        }
        *target = value;
    }
    return {};
}

QString hoursText(const QString &given, const char *option, QString &error)
{
    if (given.isEmpty())
        return {};
    bool ok = false;
    const double hours = given.toDouble(&ok);
    if (!ok) {
        error = QStringLiteral("--%1 needs a number of hours, not '%2'")
                    .arg(QLatin1String(option), given);
        return {};
    }
    // The form the application keeps its estimates in.
    return QString::asprintf("%f", hours);
}

} // namespace

int runScheduleCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    Options o;
    QString error = parse(args, o);

    QTimeZone zone = QTimeZone::systemTimeZone();
    if (error.isEmpty() && !o.zone.isEmpty()) {
        zone = QTimeZone(o.zone.toUtf8());
        if (!zone.isValid())
            error = QStringLiteral("unknown time zone '%1'").arg(o.zone);
    }
    QDateTime now = QDateTime::currentDateTime().toTimeZone(zone);
    if (error.isEmpty() && !o.now.isEmpty()) {
        const QDateTime given = QDateTime::fromString(o.now, Qt::ISODate);
        if (!given.isValid())
            error =
                QStringLiteral("--now needs an ISO 8601 time such as 2024-03-05T22:30:00, not '%1'")
                    .arg(o.now);
        else if (given.timeSpec() == Qt::LocalTime)
            now =
                QDateTime(given.date(), given.time(), zone); // a time without offset is in the zone
        else
            now = given.toTimeZone(zone);
    }
    SchedulePlanInput input;
    if (error.isEmpty())
        input.timeBeforeDie = hoursText(o.timeBeforeDie, "timeBeforeDie", error);
    if (error.isEmpty())
        input.timeneedToCharge = hoursText(o.timeneedToCharge, "timeneedToCharge", error);
    if (error.isEmpty() && !o.state.isEmpty()) {
        bool ok = false;
        input.batteryState = o.state.toInt(&ok);
        if (!ok || input.batteryState < 0 || input.batteryState > 3)
            error = QStringLiteral("--state needs a battery state 0 to 3 (unknown, unplugged, "
                                   "charging, full), not '%1'")
                        .arg(o.state);
    } else if (error.isEmpty()) {
        // The reading the application would take now.
        input.batteryState = readPowerSupplies(SystemRoots{}).state;
    }
    if (!error.isEmpty()) {
        err << "powerdeck-cli schedule: " << error << Qt::endl;
        return 2;
    }

    const UserDefaults defaults(UserDefaults::standardPath());
    const Folders folders = Folders::standard();
    input.alarms = defaults.value(QStringLiteral("alarm"));
    input.alerts =
        NotificationScheduler::readAlerts(folders.documents + QStringLiteral("/Alert.plist"));
    input.now = now;
    input.zone = zone;
    const QList<PlannedNotification> plan = planNotifications(input);

    if (o.json) {
        QJsonArray list;
        for (const PlannedNotification &n : plan) {
            list.append(QJsonObject{
                {QStringLiteral("fireDate"), n.fireDate.toTimeZone(zone).toString(kLocalFormat)},
                {QStringLiteral("body"), n.body},
                {QStringLiteral("sound"), n.sound},
                {QStringLiteral("weekdays"), QJsonArray::fromStringList(dayNames(n.weekdays))}});
        }
        out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        out.flush();
        return 0;
    }
    out << "Leaving at " << now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << " ("
        << QString::fromUtf8(zone.id()) << ")\n";
    if (plan.isEmpty())
        out << "  nothing to schedule\n";
    for (const PlannedNotification &n : plan) {
        out << "  " << n.fireDate.toTimeZone(zone).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            << "  " << n.body << (n.sound ? "  (sound)" : "");
        if (n.weekdays)
            out << "  weekly: " << dayNames(n.weekdays).join(QStringLiteral(", "));
        out << '\n';
    }
    out.flush();
    return 0;
}
