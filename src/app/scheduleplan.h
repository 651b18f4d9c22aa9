// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uitext.h"

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
    QDateTime fireDate; // in the plan's time zone; for a weekly one its next occurrence
    QString body;
    bool sound = false;
    // Weekly repetition: bit j set for day j (0 Sunday ... 6 Saturday), at the local time of day
    // of fireDate; 0 for a notification that fires once.
    quint8 weekdays = 0;

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
    // The battery reading's state: 0 unknown, 1 unplugged (discharging), 2 charging, 3 full.
    int batteryState = 0;
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

// The notifications' texts, in English: the scheduler translates them when it hands them over.
inline const QString kAlarmBody = QStringLiteral(POWERDECK_TEXT("Powerdeck", "Alarm"));
inline const QString kEmptyBody =
    QStringLiteral(POWERDECK_TEXT("Powerdeck", "Battey is discharging"));
inline const QString kFullBody = QStringLiteral(POWERDECK_TEXT("Powerdeck", "Battey is full"));

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

// Whether a battery notification firing at the decimal time `at` may be scheduled, for one
// "AlertsBetwwen" record: not when `at` lies strictly inside the switched-on window (which may
// cross midnight); its two ends pass.
bool passesWindow(const QVariantMap &between, double at);

// Every notification for one alarm: one weekly notification for its selected days at ora's
// local time of day (its next occurrence at or after now), then ora itself when it lies ahead
// and is not already one of those occurrences.
QList<PlannedNotification> alarmNotifications(const AlarmSchedule &alarm, const QDateTime &now,
                                              const QTimeZone &zone);

// The bit of `weekdays` for the day of `date` (0 Sunday ... 6 Saturday).
quint8 weekdayBit(const QDate &date);

// A battery notification `hours` after the current minute (minute fractions dropped); nothing
// for a negative or absurdly large figure. The 0.01 h thresholds are the caller's.
std::optional<PlannedNotification> batteryNotification(double hours, const QString &body,
                                                       const QDateTime &now, const QTimeZone &zone);

} // namespace scheduleplan

// The whole plan in the order the notifications are handed over: alarms in record order, then
// the battery notifications in the order of their records in Alert.plist. The empty-battery
// warning needs a discharging battery, the charge-complete one a charging battery. A
// notification that an earlier one with the same moment and text already covers is left out.
QList<PlannedNotification> planNotifications(const SchedulePlanInput &input);
