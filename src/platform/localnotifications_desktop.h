// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

// Shows one notification now, through the desktop's notification server
// (org.freedesktop.Notifications). Used where nothing schedules for Powerdeck.
class DesktopNotifier
{
public:
    explicit DesktopNotifier(QDBusConnection bus);

    // Alarms get critical urgency and the alarm-clock sound; battery notices the normal urgency.
    // Does not wait for the server: returns false when there is no bus to send on, and a
    // notification the server refuses is written to the log.
    bool post(const QString &body, bool sound);

private:
    QDBusConnection m_bus;
};
