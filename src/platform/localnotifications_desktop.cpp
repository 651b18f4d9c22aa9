// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/localnotifications_desktop.h"

#include "platform/applicationid.h"
#include "platform/logging.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

DesktopNotifier::DesktopNotifier(QDBusConnection bus) : m_bus(std::move(bus)) {}

bool DesktopNotifier::post(const QString &body, bool sound)
{
    if (!m_bus.isConnected())
        return false;
    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(sound ? 2 : 1))},
                      {QStringLiteral("desktop-entry"), QString::fromLatin1(kApplicationId)}};
    if (sound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("alarm-clock-elapsed"));
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    message.setArguments({QStringLiteral("Powerdeck"), uint(0),
                          sound ? QStringLiteral("alarm-clock") : QStringLiteral("battery"),
                          QStringLiteral("Powerdeck"), body, QStringList{}, hints, int(-1)});
    // The answer is not waited for: a slow server must not hold up the caller.
    auto *watcher =
        new QDBusPendingCallWatcher(m_bus.asyncCall(message, 5000), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [body](QDBusPendingCallWatcher *w) {
                         if (w->isError()) {
                             // Nobody showed it; the log is the last place the text reaches.
                             qCInfo(lcNotifications, "notification: %s (%s)", qPrintable(body),
                                    qPrintable(w->error().message()));
                         }
                         w->deleteLater();
                     });
    return true;
}
