// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/reachability.h"

#include "monitor/netinterfaces.h"
#include "monitor/reachabilitywatch.h"
#include "platform/networkmanager.h"
#include "platform/notificationcenter.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

namespace {

// NetworkManager, followed once per process from the first notifier on; null without an
// application object. Without NetworkManager (or until it answers) the kernel's routing table
// answers. Qt's own network information is not used: loading it loads each of its backends, and
// the GLib one brings GIO and its modules into the process.
NetworkManagerState *networkManager(bool start)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    // The state is the application's child: made once per application object and gone with it.
    static QPointer<QCoreApplication> madeFor;
    static QPointer<NetworkManagerState> state;
    if (start && madeFor != app) {
        madeFor = app;
        state = new NetworkManagerState(app);
        state->start(QDBusConnection::systemBus());
    }
    return madeFor == app ? state.data() : nullptr;
}

bool isRunningSystem(const SystemRoots &roots)
{
    return roots.sysfs == QLatin1String("/sys") && roots.procfs == QLatin1String("/proc");
}

bool anyWirelessUp(const SystemRoots &roots)
{
    const QStringList names = QDir(roots.sysfs + QStringLiteral("/class/net"))
                                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString &name : names)
        if (netif::isWireless(roots, name) && netif::isUp(roots, name))
            return true;
    return false;
}

} // namespace

std::uint32_t Reachability::systemFlags(const SystemRoots &roots, bool localWiFiOnly)
{
    using namespace reachability;
    if (localWiFiOnly) {
        // The link-local object: reachable and direct while a Wi-Fi link is up.
        return anyWirelessUp(roots) ? (Reachable | IsDirect | IsLocalAddress) : 0u;
    }
    const bool realSystem = isRunningSystem(roots);
    const QString routeIf = netif::defaultRouteInterface(roots);
    std::uint32_t flags = 0;
    // NetworkManager once a notifier follows it and it has answered; until then the routing table.
    const NetworkManagerState *manager = realSystem ? networkManager(false) : nullptr;
    if (manager && manager->reach() != networkmanager::Reach::Unknown) {
        const auto r = manager->reach();
        if (r == networkmanager::Reach::Global || r == networkmanager::Reach::Site)
            flags |= Reachable;
        if (manager->cellular())
            flags |= IsWWAN;
    } else if (!routeIf.isEmpty()) {
        flags |= Reachable;
    }
    if ((flags & Reachable) && !routeIf.isEmpty() && netif::isCellular(roots, routeIf))
        flags |= IsWWAN;
    return flags;
}

Reachability::Reachability(FlagSource source, bool localWiFiOnly, bool watchSystem)
    : m_source(std::move(source)), m_localWiFiOnly(localWiFiOnly), m_watchSystem(watchSystem)
{
}

Reachability::~Reachability()
{
    stopNotifier();
}

std::unique_ptr<Reachability>
Reachability::reachabilityForInternetConnection(const SystemRoots &roots)
{
    return std::unique_ptr<Reachability>(new Reachability(
        [roots](bool local) { return systemFlags(roots, local); }, false, isRunningSystem(roots)));
}

std::unique_ptr<Reachability> Reachability::reachabilityForLocalWiFi(const SystemRoots &roots)
{
    return std::unique_ptr<Reachability>(new Reachability(
        [roots](bool local) { return systemFlags(roots, local); }, true, isRunningSystem(roots)));
}

std::unique_ptr<Reachability> Reachability::reachabilityWithHostName(const QString &host,
                                                                     const SystemRoots &roots)
{
    if (host.trimmed().isEmpty())
        return nullptr;
    return reachabilityForInternetConnection(roots);
}

std::unique_ptr<Reachability> Reachability::reachabilityWithAddress(const QString &address,
                                                                    const SystemRoots &roots)
{
    if (address.trimmed().isEmpty())
        return nullptr;
    return reachabilityForInternetConnection(roots);
}

std::unique_ptr<Reachability> Reachability::withFlagSource(FlagSource source, bool localWiFiOnly)
{
    return std::unique_ptr<Reachability>(new Reachability(std::move(source), localWiFiOnly, false));
}

std::uint32_t Reachability::flags() const
{
    return m_source ? m_source(m_localWiFiOnly) : 0u;
}

reachability::Status Reachability::currentReachabilityStatus() const
{
    return reachability::statusForFlags(flags(), m_localWiFiOnly);
}

bool Reachability::connectionRequired() const
{
    return reachability::connectionRequired(flags());
}

bool Reachability::startNotifier(NotificationCenter *center)
{
    stopNotifier();
    if (!center)
        return false;
    m_center = center;
    m_lastFlags = flags();
    if (!m_watchSystem)
        return m_watched > 0;
    if (NetworkManagerState *manager = networkManager(true))
        m_connections << connect(manager, &NetworkManagerState::changed, this,
                                 &Reachability::postIfChanged);
    // The routing table has no change signal of its own; the kernel's messages are it. They
    // also tell of a cellular link replacing Wi-Fi before NetworkManager has said so.
    m_routes = std::make_unique<RouteChangeWatcher>();
    if (m_routes->isOpen())
        m_connections << connect(m_routes.get(), &NetworkChangeSource::changed, this,
                                 &Reachability::postIfChanged);
    else
        m_routes.reset();
    return !m_connections.isEmpty() || m_watched > 0;
}

void Reachability::stopNotifier()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_routes.reset();
    m_center = nullptr;
}

void Reachability::watch(NetworkChangeSource *source)
{
    connect(source, &NetworkChangeSource::changed, this, &Reachability::postIfChanged);
    connect(source, &QObject::destroyed, this, [this] { --m_watched; });
    ++m_watched;
}

void Reachability::postIfChanged()
{
    if (!m_center)
        return;
    const std::uint32_t now = flags();
    if (now == m_lastFlags)
        return;
    m_lastFlags = now;
    m_center->post(QStringLiteral("kNetworkReachabilityChangedNotification"),
                   QVariant::fromValue(static_cast<QObject *>(this)));
}

int periferikStatus(const SystemRoots &roots)
{
    return periferikStatus(*Reachability::reachabilityForInternetConnection(roots));
}

int periferikStatus(const Reachability &object)
{
    const auto status = object.currentReachabilityStatus();
    return status == reachability::ReachableViaWiFi   ? 1
           : status == reachability::ReachableViaWWAN ? 2
                                                      : 0;
}
