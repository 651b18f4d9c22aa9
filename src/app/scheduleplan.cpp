// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scheduleplan.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace scheduleplan {
namespace {

// Estimates beyond this are not a battery figure; they would only overflow the date arithmetic.
constexpr double kLongestEstimateHours = 1.0e6;

bool isBoolLike(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// The current minute in the zone: the seconds of the present are dropped before anything is
// added, so every notification of one run lands on a whole minute.
QDateTime currentMinute(const QDateTime &now, const QTimeZone &zone)
{
    const QDateTime local = now.toTimeZone(zone);
    const QTime t = local.time();
    return local.addMSecs(-qint64(t.second()) * 1000 - t.msec());
}

QDateTime hoursAfterCurrentMinute(double hours, const QDateTime &now, const QTimeZone &zone)
{
    // The tiny allowance keeps 5.5 h (5.6 - 0.1, which binary floating point holds as
    // 5.4999...) at 330 minutes instead of 329.
    const auto minutes = qint64(std::floor(hours * 60.0 + 1e-6));
    return currentMinute(now, zone).addSecs(minutes * 60);
}

} // namespace

bool repeat(const QVariantMap &days)
{
    for (int j = 0; j < 7; ++j) {
        const QVariant v = days.value(QString::number(j));
        if (isBoolLike(v) && v.toBool())
            return true;
    }
    return false;
}

std::optional<AlarmSchedule> alarmFromRecord(const QVariant &record)
{
    if (record.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = record.toMap();
    const QVariant ora = map.value(QStringLiteral("ora"));
    const QVariant onOff = map.value(QStringLiteral("OnOff"));
    if (ora.typeId() != QMetaType::QDateTime || !ora.toDateTime().isValid() || !isBoolLike(onOff))
        return std::nullopt;
    AlarmSchedule alarm;
    alarm.ora = ora.toDateTime();
    alarm.onOff = onOff.toBool();
    const QVariant days = map.value(QStringLiteral("repeat"));
    if (days.isValid()) {
        if (days.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        const QVariantMap dayMap = days.toMap();
        for (int j = 0; j < 7; ++j) {
            const QVariant v = dayMap.value(QString::number(j));
            alarm.days[size_t(j)] = isBoolLike(v) && v.toBool();
        }
    }
    return alarm;
}

double numberValue(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch m = leading.match(text);
    if (!m.hasMatch())
        return 0.0;
    bool ok = false;
    const double value = m.captured(1).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double decimalTime(int hours, int minutes)
{
    return hours + minutes * 100.0 / 60.0 / 100.0;
}

double parsTimeToFloat(const QString &text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return 0.0;
    const double hours = numberValue(text.left(colon));
    const double minutes = numberValue(text.mid(colon + 1));
    return hours + minutes * 100.0 / 60.0 / 100.0;
}

bool passesWindow(const QVariantMap &between, double at)
{
    if (!between.value(QStringLiteral("state")).toBool())
        return true;
    const double start = parsTimeToFloat(between.value(QStringLiteral("startTime")).toString());
    const double end = parsTimeToFloat(between.value(QStringLiteral("endTime")).toString());
    if (start <= end)
        return !(at > start && at < end);
    // Across midnight: from start to the end of the day, and from 00:00 to end.
    return !(at > start || at < end);
}

quint8 weekdayBit(const QDate &date)
{
    return quint8(1u << (date.dayOfWeek() % 7)); // Qt counts Monday 1 ... Sunday 7
}

QList<PlannedNotification> alarmNotifications(const AlarmSchedule &alarm, const QDateTime &now,
                                              const QTimeZone &zone)
{
    QList<PlannedNotification> out;
    if (!alarm.onOff)
        return out;
    const QDateTime localOra = alarm.ora.toTimeZone(zone);
    const QTime oraTime = localOra.time();
    quint8 weekdays = 0;
    for (int j = 0; j < 7; ++j) {
        if (alarm.days[size_t(j)])
            weekdays |= quint8(1u << j);
    }
    if (weekdays != 0) {
        // Calendar days at the local time of day, so a daylight-saving change in between does
        // not move the alarm by an hour. Today's time may have passed: a week on, the same day.
        const QDate today = now.toTimeZone(zone).date();
        for (int k = 0; k <= 7; ++k) {
            const QDate day = today.addDays(k);
            const QDateTime fire(day, oraTime, zone);
            if ((weekdayBit(day) & weekdays) && fire >= now) {
                out.append({fire, kAlarmBody, true, weekdays});
                break;
            }
        }
    }
    // The moment itself, unless it is one of the weekly occurrences anyway.
    if (alarm.ora > now && !(weekdayBit(localOra.date()) & weekdays))
        out.append({localOra, kAlarmBody, true});
    return out;
}

std::optional<PlannedNotification> batteryNotification(double hours, const QString &body,
                                                       const QDateTime &now, const QTimeZone &zone)
{
    if (!(hours >= 0.0) || !(hours < kLongestEstimateHours))
        return std::nullopt;
    const QDateTime fire = hoursAfterCurrentMinute(hours, now, zone);
    if (!fire.isValid())
        return std::nullopt;
    return PlannedNotification{fire, body, false};
}

} // namespace scheduleplan

QList<PlannedNotification> planNotifications(const SchedulePlanInput &input)
{
    using namespace scheduleplan;
    QList<PlannedNotification> plan;
    auto add = [&plan](const PlannedNotification &n) {
        // The same text at the same moment twice would show twice; once is enough. A weekly
        // notification covers one that starts with it on fewer days.
        for (const PlannedNotification &p : std::as_const(plan)) {
            if (p.fireDate == n.fireDate && p.body == n.body && (n.weekdays & ~p.weekdays) == 0)
                return;
        }
        plan.append(n);
    };

    if (input.alarms.typeId() == QMetaType::QVariantList) {
        for (const QVariant &record : input.alarms.toList()) {
            if (const auto alarm = alarmFromRecord(record)) {
                for (const PlannedNotification &n :
                     alarmNotifications(*alarm, input.now, input.zone))
                    add(n);
            }
        }
    }

    if (!input.alerts)
        return plan;
    QList<QVariantMap> windows;
    for (const QVariant &v : *input.alerts) {
        const QVariantMap record = v.toMap();
        if (record.value(QStringLiteral("Type")).toString() == QLatin1String("AlertsBetwwen"))
            windows.append(record);
    }

    const double toFull = numberValue(input.timeneedToCharge);
    const double toEmpty = numberValue(input.timeBeforeDie);
    for (const QVariant &v : *input.alerts) {
        const QVariantMap record = v.toMap();
        if (!record.value(QStringLiteral("state")).toBool())
            continue;
        const QString type = record.value(QStringLiteral("Type")).toString();
        std::optional<PlannedNotification> n;
        if (type == QLatin1String("notifyWhenComplete")) {
            if (input.batteryState == 2 && toFull > 0.01)
                n = batteryNotification(toFull, kFullBody, input.now, input.zone);
        } else if (type == QLatin1String("DischargeAlert")) {
            // Six minutes before the estimated end, or at once when less is left; the threshold
            // looks at the estimate itself.
            if (input.batteryState == 1 && toEmpty > 0.01)
                n = batteryNotification(std::max(toEmpty - 0.1, 0.0), kEmptyBody, input.now,
                                        input.zone);
        }
        if (!n)
            continue;
        // The quiet hours are those of the moment the notification would be shown.
        const QTime shown = n->fireDate.toTimeZone(input.zone).time();
        const double at = decimalTime(shown.hour(), shown.minute());
        for (const QVariantMap &between : std::as_const(windows)) {
            if (passesWindow(between, at))
                add(*n);
        }
    }
    return plan;
}
