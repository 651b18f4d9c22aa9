// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/scheduleplan.h"
#include "platform/folders.h"

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <functional>
#include <optional>

class LocalNotifications;
class UserDefaults;

// Runs on every move to the background: throws away every scheduled notification and schedules
// the switched-on alarms and the enabled battery notifications afresh, so that what is scheduled
// always matches the records, the settings and the estimates of the moment of leaving. Nothing
// is written; nothing runs in between.
class NotificationScheduler
{
public:
    using TextSource = std::function<QString()>;

    // batteryState: the state of the battery reading at the moment of leaving (0 unknown,
    // 1 unplugged, 2 charging, 3 full).
    NotificationScheduler(UserDefaults &defaults, Folders folders,
                          LocalNotifications &notifications, TextSource timeBeforeDie,
                          TextSource timeneedToCharge, std::function<int()> batteryState,
                          std::function<QDateTime()> now = &QDateTime::currentDateTime,
                          std::function<QTimeZone()> zone = &QTimeZone::systemTimeZone);

    // The whole run; returns what was handed to the platform, in that order.
    QList<PlannedNotification> applicationDidEnterBackground();

    // What a run would hand over now, without touching the platform.
    QList<PlannedNotification> plan() const;
    SchedulePlanInput input() const;

    // The records of Alert.plist, or nullopt when there is no readable file.
    static std::optional<QVariantList> readAlerts(const QString &path);

private:
    UserDefaults &m_defaults;
    Folders m_folders;
    LocalNotifications &m_notifications;
    TextSource m_timeBeforeDie;
    TextSource m_timeneedToCharge;
    std::function<int()> m_batteryState;
    std::function<QDateTime()> m_now;
    std::function<QTimeZone()> m_zone;
};
