// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/networkmanager.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {

constexpr auto kService = "org.freedesktop.NetworkManager";
constexpr auto kPath = "/org/freedesktop/NetworkManager";
constexpr auto kProperties = "org.freedesktop.DBus.Properties";
constexpr auto kState = "State";
constexpr auto kPrimaryType = "PrimaryConnectionType";

} // namespace

namespace networkmanager {

Reach reachOfState(uint state)
{
    switch (state) {
    case 10: // asleep
    case 20: // disconnected
    case 30: // disconnecting
    case 40: // connecting
        return Reach::Offline;
    case 50:
        return Reach::Local;
    case 60:
        return Reach::Site;
    case 70:
        return Reach::Global;
    default:
        return Reach::Unknown;
    }
}

bool isCellularType(const QString &type)
{
    return type == QLatin1String("gsm") || type == QLatin1String("cdma");
}

} // namespace networkmanager

NetworkManagerState::NetworkManagerState(QObject *parent) : QObject(parent) {}

NetworkManagerState::~NetworkManagerState() = default;

void NetworkManagerState::start(const QDBusConnection &bus)
{
    if (m_bus || !bus.isConnected())
        return;
    m_bus = bus;
    const QString service = QString::fromLatin1(kService);
    m_watcher =
        new QDBusServiceWatcher(service, *m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) {
                if (!newOwner.isEmpty()) {
                    ask();
                    return;
                }
                // Gone: nothing is known until it is back.
                m_state = 0;
                m_type.clear();
                set(networkmanager::Reach::Unknown, false);
            });
    m_bus->connect(service, QString::fromLatin1(kPath), QString::fromLatin1(kProperties),
                   QStringLiteral("PropertiesChanged"), this,
                   SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    ask();
}

void NetworkManagerState::ask()
{
    QDBusMessage getAll =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kProperties), QStringLiteral("GetAll"));
    getAll << QString::fromLatin1(kService);
    auto *watch = new QDBusPendingCallWatcher(m_bus->asyncCall(getAll), this);
    connect(watch, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *w;
        // Not running is the common case on a system without it: the routing table answers.
        if (!reply.isError())
            take(reply.value());
    });
}

void NetworkManagerState::propertiesChanged(const QString &interface, const QVariantMap &changed,
                                            const QStringList &)
{
    if (interface == QLatin1String(kService))
        take(changed);
}

void NetworkManagerState::take(const QVariantMap &properties)
{
    const auto state = properties.constFind(QString::fromLatin1(kState));
    if (state != properties.constEnd())
        m_state = state->toUInt();
    const auto type = properties.constFind(QString::fromLatin1(kPrimaryType));
    if (type != properties.constEnd())
        m_type = type->toString();
    set(networkmanager::reachOfState(m_state), networkmanager::isCellularType(m_type));
}

void NetworkManagerState::set(networkmanager::Reach reach, bool cellular)
{
    if (reach == m_reach && cellular == m_cellular)
        return;
    m_reach = reach;
    m_cellular = cellular;
    emit changed();
}
