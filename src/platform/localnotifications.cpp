// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/localnotifications.h"

#include "platform/folders.h"
#include "platform/localnotifications_desktop.h"
#include "platform/localnotifications_file.h"
#include "platform/localnotifications_systemd.h"
#include "platform/logging.h"

#include <QDBusConnection>
#include <QStandardPaths>

std::unique_ptr<LocalNotifications> createLocalNotifications(const Folders &folders)
{
    return createLocalNotifications(folders, QDBusConnection::sessionBus());
}

namespace {

std::unique_ptr<LocalNotifications> scheduleFile(const Folders &folders, const QDBusConnection &bus)
{
    auto deliver = [bus](const QString &body, bool sound) {
        DesktopNotifier notifier(bus);
        if (notifier.post(body, sound))
            return true;
        // Nobody shows notifications here; the log is the last place the text reaches.
        qCInfo(lcNotifications, "notification: %s", qPrintable(body));
        return false;
    };
    return std::make_unique<FileLocalNotifications>(
        folders.library + QStringLiteral("/scheduled.plist"), deliver);
}

} // namespace

std::unique_ptr<LocalNotifications> createLocalNotifications(const Folders &folders,
                                                             const QDBusConnection &bus)
{
    const QString notifySend = QStandardPaths::findExecutable(QStringLiteral("notify-send"));
    if (SystemdLocalNotifications::isAvailable(bus) && !notifySend.isEmpty()) {
        qCInfo(lcNotifications, "scheduled notifications: systemd user timers (%s*)",
               qPrintable(SystemdLocalNotifications::kUnitPrefix));
        // The schedule file takes over should the manager stop answering.
        return std::make_unique<SystemdLocalNotifications>(
            bus, notifySend, &QDateTime::currentDateTimeUtc, scheduleFile(folders, bus));
    }
    qCInfo(lcNotifications, "scheduled notifications: %s (%s); shown while Powerdeck runs",
           qPrintable(folders.library + QStringLiteral("/scheduled.plist")),
           notifySend.isEmpty() ? "notify-send is not installed"
                                : "no systemd user manager on the session bus");
    return scheduleFile(folders, bus);
}
