// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/instancelock.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

class QProcessEnvironment;

// One running copy of Powerdeck, the freedesktop way: the first copy owns the application id as
// its name on the session bus and serves org.freedesktop.Application at the matching object
// path; a later launch calls Activate there, handing on its launcher's activation token, and
// ends. A lock file beside it keeps copies off each other's files where there is no session bus
// (or where a copy runs without one).
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        First,       // this copy runs
        AnotherRuns, // a copy runs already; this one ends (message() says so)
    };

    SingleInstance(QString appId, QString lockPath, QDBusConnection bus, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and the bus name, or hands platformData to the copy that runs. Waits for
    // the bus's answers (a bounded wait with the events running, before any window exists).
    Outcome claim(const QVariantMap &platformData);
    // The one line for the user of a copy that ends.
    const QString &message() const { return m_message; }
    InstanceLock &lock() { return m_lock; }

    // "/io/github/powerdeck/Powerdeck" for "io.github.powerdeck.Powerdeck".
    static QString objectPath(const QString &appId);
    // The launcher's activation token (Wayland) and startup id (X11) of this launch, as the
    // platform data of Activate. Read before the window system's plugin takes them away.
    static QVariantMap launchPlatformData(const QProcessEnvironment &environment);

    // How long a launch waits for the bus to grant the name, and for the running copy's answer.
    static constexpr int kNameWaitMs = 2000;
    static constexpr int kActivateWaitMs = 500;

signals:
    // Another launch asked for the window.
    void activated(const QVariantMap &platformData);

private:
    QDBusMessage callAndWait(const QDBusMessage &call, int timeoutMs);
    Outcome handOver(const QVariantMap &platformData);

    QString m_appId;
    QDBusConnection m_bus;
    InstanceLock m_lock;
    QString m_message;
    bool m_registered = false;
};
