#include "monitor/reachability.h"

#include "monitor/netinterfaces.h"
#include "platform/notificationcenter.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkInformation>

namespace {

// Loads Qt's network information once per process; null when no backend works here (no
// application object, no NetworkManager and no GLib monitor).
QNetworkInformation *networkInformation()
{
    static bool tried = false;
    if (!tried && QCoreApplication::instance()) {
        tried = true;
        if (!QNetworkInformation::loadDefaultBackend())
            QNetworkInformation::loadBackendByName(QStringLiteral("glib"));
        if (QNetworkInformation *info = QNetworkInformation::instance())
            qInfo("powerdeck: network information from the %s backend",
                  qPrintable(info->backendName()));
        else
            qInfo("powerdeck: network information from the kernel routing table");
    }
    return QNetworkInformation::instance();
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
    const bool realSystem = roots.sysfs == QLatin1String("/sys") && roots.procfs == QLatin1String("/proc");
    const QString routeIf = netif::defaultRouteInterface(roots);
    std::uint32_t flags = 0;
    QNetworkInformation *info = realSystem ? networkInformation() : nullptr;
    if (info && info->reachability() != QNetworkInformation::Reachability::Unknown) {
        const auto r = info->reachability();
        if (r == QNetworkInformation::Reachability::Online || r == QNetworkInformation::Reachability::Site)
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

Reachability::Reachability(FlagSource source, bool localWiFiOnly)
    : m_source(std::move(source)), m_localWiFiOnly(localWiFiOnly)
{
}

Reachability::~Reachability()
{
    stopNotifier();
}

std::unique_ptr<Reachability> Reachability::reachabilityForInternetConnection(const SystemRoots &roots)
{
    return std::unique_ptr<Reachability>(
        new Reachability([roots](bool local) { return systemFlags(roots, local); }, false));
}

std::unique_ptr<Reachability> Reachability::reachabilityForLocalWiFi(const SystemRoots &roots)
{
    return std::unique_ptr<Reachability>(
        new Reachability([roots](bool local) { return systemFlags(roots, local); }, true));
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
    return std::unique_ptr<Reachability>(new Reachability(std::move(source), localWiFiOnly));
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
    m_center = center;
    m_lastStatus = currentReachabilityStatus();
    QNetworkInformation *info = networkInformation();
    if (!info || !center)
        return false;
    m_connections << connect(info, &QNetworkInformation::reachabilityChanged, this,
                             [this] { postIfChanged(); });
    m_connections << connect(info, &QNetworkInformation::transportMediumChanged, this,
                             [this] { postIfChanged(); });
    return true;
}

void Reachability::stopNotifier()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_center = nullptr;
}

void Reachability::postIfChanged()
{
    const int status = currentReachabilityStatus();
    if (status == m_lastStatus || !m_center)
        return;
    m_lastStatus = status;
    m_center->post(QStringLiteral("kNetworkReachabilityChangedNotification"),
                   QVariant::fromValue(quintptr(this)));
}

int periferikStatus(const SystemRoots &roots)
{
    auto r = Reachability::reachabilityForInternetConnection(roots);
    const auto status = r->currentReachabilityStatus();
    return status == reachability::ReachableViaWiFi ? 1 : status == reachability::ReachableViaWWAN ? 2 : 0;
}
