// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

// Whether the system asks programs to save power (a "power saver" mode), with a signal when that
// changes. Tests give their own.
class PowerSaverSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool powerSaver() const = 0;

signals:
    void powerSaverChanged(bool on);
};

// power-profiles-daemon on the system bus: the power saver is on while its active profile is
// "power-saver". Both of the daemon's names are followed (the current one and the name older
// releases, Debian 12's among them, own). Every call is asynchronous; without the daemon, or
// without a bus, the power saver reads as off.
class PowerProfilesDaemon : public PowerSaverSource
{
    Q_OBJECT
public:
    explicit PowerProfilesDaemon(QObject *parent = nullptr);
    ~PowerProfilesDaemon() override;

    // Begins to follow the daemon on this bus (the system bus in the application).
    void start(const QDBusConnection &bus);
    bool powerSaver() const override { return m_powerSaver; }
    // The active profile as the daemon last said it, empty while unknown.
    const QString &activeProfile() const { return m_profile; }

private slots:
    void propertiesChanged(const QString &interface, const QVariantMap &changed,
                           const QStringList &invalidated);

private:
    struct Service
    {
        const char *name;
        const char *path;
    };
    static const Service kServices[2];

    void ask(int index);
    void setProfile(const QString &profile);

    std::optional<QDBusConnection> m_bus;
    QDBusServiceWatcher *m_watcher = nullptr;
    bool m_owned[2] = {false, false};
    QString m_profile;
    bool m_powerSaver = false;
};
