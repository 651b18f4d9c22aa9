// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/reachabilityflags.h"
#include "platform/systemroots.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class NetworkChangeSource;
class NotificationCenter;
class RouteChangeWatcher;

// Whether the internet (or the local Wi-Fi link) can be reached, and through which kind of link.
// The flags come from NetworkManager where it runs and has answered, and otherwise from the kernel
// routing table. Changes are learnt from both: NetworkManager's property changes and the kernel's
// link and route messages.
class Reachability : public QObject
{
    Q_OBJECT
public:
    // A source of flags; the default one reads the system. Tests script it.
    using FlagSource = std::function<std::uint32_t(bool localWiFiOnly)>;

    static std::unique_ptr<Reachability>
    reachabilityForInternetConnection(const SystemRoots &roots = {});
    static std::unique_ptr<Reachability> reachabilityForLocalWiFi(const SystemRoots &roots = {});
    // There is no per-host route test on Linux without a lookup; a host or address counts as
    // reachable when the internet is. Nothing for an empty name.
    static std::unique_ptr<Reachability> reachabilityWithHostName(const QString &host,
                                                                  const SystemRoots &roots = {});
    static std::unique_ptr<Reachability> reachabilityWithAddress(const QString &address,
                                                                 const SystemRoots &roots = {});
    // Flags from the given source; changes only from the sources given to watch().
    static std::unique_ptr<Reachability> withFlagSource(FlagSource source, bool localWiFiOnly);

    ~Reachability() override;

    // While the notifier runs, each change of the flags posts
    // "kNetworkReachabilityChangedNotification" on the centre, with this object (a QObject *)
    // as the notification's object. Returns false where no change source exists.
    bool startNotifier(NotificationCenter *center);
    void stopNotifier();
    // Another source of change reports (not owned; it must outlive this object or be destroyed
    // first).
    void watch(NetworkChangeSource *source);

    reachability::Status currentReachabilityStatus() const;
    bool connectionRequired() const;
    std::uint32_t flags() const;

    static std::uint32_t systemFlags(const SystemRoots &roots, bool localWiFiOnly);

private:
    Reachability(FlagSource source, bool localWiFiOnly, bool watchSystem);
    void postIfChanged();

    FlagSource m_source;
    bool m_localWiFiOnly;
    bool m_watchSystem; // the flags are the running system's: watch its changes
    NotificationCenter *m_center = nullptr;
    std::uint32_t m_lastFlags = 0;
    QList<QMetaObject::Connection> m_connections;
    std::unique_ptr<RouteChangeWatcher> m_routes;
    int m_watched = 0;
};

// The network status the estimator reports: 1 Wi-Fi (or any other non-cellular link),
// 2 cellular, 0 none.
int periferikStatus(const SystemRoots &roots = {});
int periferikStatus(const Reachability &object);
