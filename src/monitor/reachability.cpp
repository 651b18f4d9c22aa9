// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/reachability.h"

#include "monitor/netinterfaces.h"
#include "monitor/reachabilitywatch.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkInformation>

namespace {

// Loads Qt's network information once per process; null when no backend works here (no
// application object, or no NetworkManager). Without NetworkManager the kernel's routing table
// answers: it is what GLib's monitor (Qt's other backend) would read there too, and that backend
// would bring GIO and its modules into the process.
QNetworkInformation *loadNetworkInformation()
{
    static bool tried = false;
    if (!tried && QCoreApplication::instance()) {
        tried = true;
        if (QNetworkInformation::loadDefaultBackend())
            qCInfo(lcMonitor, "network information from the %s backend",
                   qPrintable(QNetworkInformation::instance()->backendName()));
        else
            qCInfo(lcMonitor, "network information from the kernel routing table");
    }
    return QNetworkInformation::instance();
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
    // Qt's backend once a notifier has loaded it; until then the routing table.
    QNetworkInformation *info = realSystem ? QNetworkInformation::instance() : nullptr;
    if (info && info->reachability() != QNetworkInformation::Reachability::Unknown) {
        const auto r = info->reachability();
        if (r == QNetworkInformation::Reachability::Online ||
            r == QNetworkInformation::Reachability::Site)
            flags |= Reachable;
        if (info->transportMedium() == QNetworkInformation::TransportMedium::Cellular)
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
    if (QNetworkInformation *info = loadNetworkInformation()) {
        m_connections << connect(info, &QNetworkInformation::reachabilityChanged, this,
                                 &Reachability::postIfChanged);
        m_connections << connect(info, &QNetworkInformation::transportMediumChanged, this,
                                 &Reachability::postIfChanged);
    }
    // The routing table has no change signal of its own; the kernel's messages are it. They
    // also tell of a cellular link replacing Wi-Fi before Qt's backend has noticed.
    m_routes = std::make_unique<RouteChangeWatcher>();
    if (m_routes->isOpen())
        m_connections << connect(m_routes.get(), &NetworkChangeSource::changed, this,
                                 &Reachability::postIfChanged);
    else
        m_routes.reset();
    // The backend may know more than the routing table told before it was loaded.
    postIfChanged();
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
