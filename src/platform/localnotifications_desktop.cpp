#include "platform/localnotifications_desktop.h"

#include "platform/applicationid.h"

#include <QDBusMessage>
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
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}
