#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>
#include <QVariant>

#include <array>
#include <optional>

// What the notification scheduler hands to the platform on a move to the background, worked out
// from the stored records alone: no clock, no files, no platform calls. The caller reads the
// alarm records, Alert.plist and the shared estimates, and passes the present and the time zone.

struct PlannedNotification
{
    QDateTime fireDate; // in the plan's time zone
    QString body;
    bool sound = false;

    bool operator==(const PlannedNotification &other) const = default;
};

struct SchedulePlanInput
{
    // The user-defaults value under "alarm" (an array of alarm records), invalid when absent.
    QVariant alarms;
    // The records of Alert.plist in file order; nullopt when the file does not exist.
    std::optional<QVariantList> alerts;
    // The shared estimates, hours as "%f" text (empty when unknown).
    QString timeBeforeDie;
    QString timeneedToCharge;
    QDateTime now;
    QTimeZone zone;
};

// One usable alarm record. Records without a date under "ora", without a switch state under
// "OnOff", or whose "repeat" is there but not a dictionary do not make one.
struct AlarmSchedule
{
    QDateTime ora;
    bool onOff = false;
    std::array<bool, 7> days{}; // index 0 Sunday ... 6 Saturday
};

namespace scheduleplan {

inline const QString kAlarmBody = QStringLiteral("Alarm");
inline const QString kEmptyBody = QStringLiteral("Battey is discharging");
inline const QString kFullBody = QStringLiteral("Battey is full");

// True when any of the keys "0" to "6" holds true.
bool repeat(const QVariantMap &days);
std::optional<AlarmSchedule> alarmFromRecord(const QVariant &record);

// "07:30" -> 7.5. The hours before the first ':' and the leading number of the minutes after
// it; text without a colon reads 0.
double parsTimeToFloat(const QString &text);
// Hours plus minutes / 60 on the 24-hour clock, seconds dropped.
double decimalTime(int hours, int minutes);
// The leading decimal number of a text (leading blanks skipped), 0 when there is none.
double numberValue(const QString &text);

// Whether a battery alert may be scheduled when leaving at the decimal time `now`, for one
// "AlertsBetwwen" record.
bool passesWindow(const QVariantMap &between, double now);

// Every notification for one alarm: the weekly occurrences (each the first day of its weekday at
// or after ora's local day, at ora's local time, moved on by whole weeks while it lies before
// now), then ora itself when it lies ahead.
QList<PlannedNotification> alarmNotifications(const AlarmSchedule &alarm, const QDateTime &now,
                                              const QTimeZone &zone);

// A battery notification `hours` after the current minute (minute fractions dropped); nothing
// for a negative or absurdly large figure. The 0.01 h thresholds are the caller's.
std::optional<PlannedNotification> batteryNotification(double hours, const QString &body,
                                                       const QDateTime &now, const QTimeZone &zone);

} // namespace scheduleplan

// The whole plan in the order the notifications are handed over: alarms in record order, then
// the battery notifications in the order of their records in Alert.plist. A notification with
// the same moment and text as an earlier one is left out.
QList<PlannedNotification> planNotifications(const SchedulePlanInput &input);
