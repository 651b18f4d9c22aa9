// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QDBusServiceWatcher;

namespace networkmanager {

// How far NetworkManager says the system's connections reach.
enum class Reach { Unknown, Offline, Local, Site, Global };

// Its "State" property (NMState) read as a reach; a value it does not define is Unknown.
Reach reachOfState(uint state);
// Whether its "PrimaryConnectionType" is a mobile broadband connection.
bool isCellularType(const QString &type);

} // namespace networkmanager

// NetworkManager on the system bus: how far the network reaches and whether the link it routes
// through is cellular, with a signal when either changes. Every call is asynchronous; the reach
// is Unknown until NetworkManager has answered, and while it is not running.
class NetworkManagerState : public QObject
{
    Q_OBJECT
public:
    explicit NetworkManagerState(QObject *parent = nullptr);
    ~NetworkManagerState() override;

    // Begins to follow NetworkManager on this bus (the system bus in the application).
    void start(const QDBusConnection &bus);
    networkmanager::Reach reach() const { return m_reach; }
    bool cellular() const { return m_cellular; }

signals:
    void changed();

private slots:
    void propertiesChanged(const QString &interface, const QVariantMap &changed,
                           const QStringList &invalidated);

private:
    void ask();
    void take(const QVariantMap &properties);
    void set(networkmanager::Reach reach, bool cellular);

    std::optional<QDBusConnection> m_bus;
    QDBusServiceWatcher *m_watcher = nullptr;
    uint m_state = 0;
    QString m_type;
    networkmanager::Reach m_reach = networkmanager::Reach::Unknown;
    bool m_cellular = false;
};
