// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

class QDBusConnection;
struct Folders;

// Notifications the system shows at a given local time, whether or not Powerdeck still runs.
// The scheduler only ever throws everything away and schedules afresh, so cancelling and
// scheduling (once or weekly) are all it needs.
class LocalNotifications
{
public:
    virtual ~LocalNotifications() = default;

    // A short name for the log: which mechanism keeps the notifications.
    virtual QString backendName() const = 0;
    // Withdraws every notification Powerdeck scheduled and that has not been shown yet.
    virtual bool cancelAll() = 0;
    // Shows `body` at `fireDate`, with the alarm sound when `sound` is set. A moment that has
    // already passed is shown at once. `sound` marks an alarm: only alarms wake a suspended
    // device.
    virtual bool schedule(const QDateTime &fireDate, const QString &body, bool sound) = 0;
    // Shows `body` every week on the days of `weekdays` (bit j: 0 Sunday ... 6 Saturday) at the
    // local time of day of `first`, which is the first occurrence; until cancelled.
    virtual bool scheduleWeekly(const QDateTime &first, quint8 weekdays, const QString &body,
                                bool sound) = 0;
    // Shows what fell due while nothing could show it; returns how many. Backends that hand
    // the work to the system show everything in time and have nothing to do here.
    virtual int deliverDue() { return 0; }

protected:
    LocalNotifications() = default;
    LocalNotifications(const LocalNotifications &) = default;
    LocalNotifications &operator=(const LocalNotifications &) = default;
};

// systemd user timers when the user's service manager is on the session bus (and notify-send is
// installed), otherwise the schedule file in the Library folder. Says in the log which it chose.
std::unique_ptr<LocalNotifications> createLocalNotifications(const Folders &folders);
std::unique_ptr<LocalNotifications> createLocalNotifications(const Folders &folders,
                                                             const QDBusConnection &bus);
