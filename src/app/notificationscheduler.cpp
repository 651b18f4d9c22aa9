// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notificationscheduler.h"

#include "platform/localnotifications.h"
#include "platform/logging.h"
#include "platform/plist.h"
#include "platform/translation.h"
#include "platform/userdefaults.h"

NotificationScheduler::NotificationScheduler(UserDefaults &defaults, Folders folders,
                                             LocalNotifications &notifications,
                                             TextSource timeBeforeDie, TextSource timeneedToCharge,
                                             std::function<int()> batteryState,
                                             std::function<QDateTime()> now,
                                             std::function<QTimeZone()> zone)
    : m_defaults(defaults), m_folders(std::move(folders)), m_notifications(notifications),
      m_timeBeforeDie(std::move(timeBeforeDie)), m_timeneedToCharge(std::move(timeneedToCharge)),
      m_batteryState(std::move(batteryState)), m_now(std::move(now)), m_zone(std::move(zone))
{
}

std::optional<QVariantList> NotificationScheduler::readAlerts(const QString &path)
{
    const plist::ReadResult r = plist::readFile(path);
    if (!r.ok())
        return std::nullopt;
    // A file holding something other than an array has no records.
    return r.value.toList();
}

SchedulePlanInput NotificationScheduler::input() const
{
    SchedulePlanInput in;
    in.alarms = m_defaults.value(QStringLiteral("alarm"));
    in.alerts = readAlerts(m_folders.documents + QStringLiteral("/Alert.plist"));
    in.timeBeforeDie = m_timeBeforeDie ? m_timeBeforeDie() : QString();
    in.timeneedToCharge = m_timeneedToCharge ? m_timeneedToCharge() : QString();
    in.batteryState = m_batteryState ? m_batteryState() : 0;
    in.zone = m_zone();
    in.now = m_now().toTimeZone(in.zone);
    return in;
}

QList<PlannedNotification> NotificationScheduler::plan() const
{
    return planNotifications(input());
}

QList<PlannedNotification> NotificationScheduler::applicationDidEnterBackground()
{
    // The plan is made before anything is cancelled, so a slow file read never leaves the
    // platform without notifications longer than needed.
    const QList<PlannedNotification> planned = plan();
    m_notifications.cancelAll();
    for (const PlannedNotification &n : planned) {
        qCDebug(lcScheduler, "scheduling \"%s\" at %s%s%s", qPrintable(n.body),
                qPrintable(n.fireDate.toString(Qt::ISODate)), n.weekdays ? " weekly" : "",
                n.sound ? " with sound" : "");
        // The plan keeps the English texts (powerdeck-cli prints them); the user reads the
        // notification in their language. Nothing finds a scheduled notification by its text.
        const QString body = uiText(n.body.toStdString());
        if (n.weekdays)
            m_notifications.scheduleWeekly(n.fireDate, n.weekdays, body, n.sound);
        else
            m_notifications.schedule(n.fireDate, body, n.sound);
    }
    return planned;
}
