// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/powerprofiles.h"

#include "platform/logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

constexpr auto kProperties = "org.freedesktop.DBus.Properties";
constexpr auto kActiveProfile = "ActiveProfile";
constexpr auto kPowerSaver = "power-saver";

} // namespace

// The interface of each object has the service's own name.
const PowerProfilesDaemon::Service PowerProfilesDaemon::kServices[2] = {
    {"org.freedesktop.UPower.PowerProfiles", "/org/freedesktop/UPower/PowerProfiles"},
    {"net.hadess.PowerProfiles", "/net/hadess/PowerProfiles"},
};

PowerProfilesDaemon::PowerProfilesDaemon(QObject *parent) : PowerSaverSource(parent) {}

PowerProfilesDaemon::~PowerProfilesDaemon() = default;

void PowerProfilesDaemon::start(const QDBusConnection &bus)
{
    if (m_bus || !bus.isConnected())
        return;
    m_bus = bus;
    m_watcher = new QDBusServiceWatcher(this);
    m_watcher->setConnection(*m_bus);
    for (int i = 0; i < 2; ++i) {
        const QString name = QString::fromLatin1(kServices[i].name);
        m_watcher->addWatchedService(name);
        m_bus->connect(name, QString::fromLatin1(kServices[i].path),
                       QString::fromLatin1(kProperties), QStringLiteral("PropertiesChanged"), this,
                       SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
        ask(i);
    }
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &name, const QString &, const QString &newOwner) {
                for (int i = 0; i < 2; ++i) {
                    if (name != QLatin1String(kServices[i].name))
                        continue;
                    m_owned[i] = !newOwner.isEmpty();
                    if (m_owned[i])
                        ask(i);
                    else if (!m_owned[1 - i])
                        // The daemon went away: nothing asks for power saving any more.
                        setProfile(QString());
                }
            });
}

void PowerProfilesDaemon::ask(int index)
{
    const Service &service = kServices[index];
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(service.name), QString::fromLatin1(service.path),
        QString::fromLatin1(kProperties), QStringLiteral("Get"));
    get << QString::fromLatin1(service.name) << QString::fromLatin1(kActiveProfile);
    auto *watch = new QDBusPendingCallWatcher(m_bus->asyncCall(get), this);
    connect(watch, &QDBusPendingCallWatcher::finished, this,
            [this, index](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *w;
                // No daemon under this name is the common case: the other name, or none,
                // answers.
                if (reply.isError())
                    return;
                m_owned[index] = true;
                setProfile(reply.value().variant().toString());
            });
}

void PowerProfilesDaemon::propertiesChanged(const QString &interface, const QVariantMap &changed,
                                            const QStringList &)
{
    const auto it = changed.constFind(QString::fromLatin1(kActiveProfile));
    if (it == changed.constEnd())
        return;
    if (interface != QLatin1String(kServices[0].name) &&
        interface != QLatin1String(kServices[1].name))
        return;
    setProfile(it->toString());
}

void PowerProfilesDaemon::setProfile(const QString &profile)
{
    if (profile != m_profile)
        qCDebug(lcBattery, "power profile: %s", qPrintable(profile));
    m_profile = profile;
    const bool saver = profile == QLatin1String(kPowerSaver);
    if (saver == m_powerSaver)
        return;
    m_powerSaver = saver;
    emit powerSaverChanged(saver);
}
