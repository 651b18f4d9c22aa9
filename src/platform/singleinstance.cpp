// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include "platform/applicationadaptor.h"
#include "platform/logging.h"

#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QProcessEnvironment>

namespace {

// org.freedesktop.DBus.RequestName: fail rather than queue; the answers.
constexpr uint kDoNotQueue = 4;
constexpr uint kPrimaryOwner = 1;
constexpr uint kExists = 3;
constexpr uint kAlreadyOwner = 4;

} // namespace

SingleInstance::SingleInstance(QString appId, QString lockPath, QDBusConnection bus,
                               QObject *parent)
    : QObject(parent), m_appId(std::move(appId)), m_bus(std::move(bus)), m_lock(std::move(lockPath))
{
}

SingleInstance::~SingleInstance()
{
    if (m_registered)
        m_bus.unregisterObject(objectPath(m_appId));
}

QString SingleInstance::objectPath(const QString &appId)
{
    QString path = QLatin1Char('/') + appId;
    path.replace(QLatin1Char('.'), QLatin1Char('/'));
    path.replace(QLatin1Char('-'), QLatin1Char('_'));
    return path;
}

QVariantMap SingleInstance::launchPlatformData(const QProcessEnvironment &environment)
{
    QVariantMap data;
    const QString token = environment.value(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    if (!token.isEmpty())
        data.insert(QStringLiteral("activation-token"), token);
    const QString startupId = environment.value(QStringLiteral("DESKTOP_STARTUP_ID"));
    if (!startupId.isEmpty())
        data.insert(QStringLiteral("desktop-startup-id"), startupId);
    return data;
}

QDBusMessage SingleInstance::callAndWait(const QDBusMessage &call, int timeoutMs)
{
    QDBusPendingCallWatcher watcher(m_bus.asyncCall(call, timeoutMs));
    if (!watcher.isFinished()) {
        // The call's own time-out ends the wait: the watcher finishes with an error then.
        QEventLoop loop;
        connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return watcher.reply();
}

SingleInstance::Outcome SingleInstance::handOver(const QVariantMap &platformData)
{
    bool answered = false;
    if (m_bus.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            m_appId, objectPath(m_appId), QStringLiteral("org.freedesktop.Application"),
            QStringLiteral("Activate"));
        call.setArguments({platformData});
        // Only the running copy answers: a launch never starts another through the service file.
        call.setAutoStartService(false);
        const QDBusMessage reply = callAndWait(call, kActivateWaitMs);
        answered = reply.type() == QDBusMessage::ReplyMessage;
        if (!answered)
            qCDebug(lcApp, "Activate: %s", qPrintable(reply.errorMessage()));
    }
    if (answered)
        m_message = QStringLiteral("Powerdeck is already running; its window is brought forward.");
    else if (m_lock.state() == InstanceLock::State::Taken)
        m_message =
            QStringLiteral("Powerdeck is already running (%1 is locked).").arg(m_lock.path());
    else
        m_message = QStringLiteral("Powerdeck is already running; it did not answer.");
    return Outcome::AnotherRuns;
}

SingleInstance::Outcome SingleInstance::claim(const QVariantMap &platformData)
{
    switch (m_lock.tryLock()) {
    case InstanceLock::State::Taken:
        return handOver(platformData);
    case InstanceLock::State::Failed:
        // Without the lock this copy still runs: a missing feature, never a missing start.
        qCWarning(lcApp, "no instance lock %s: %s", qPrintable(m_lock.path()),
                  qPrintable(m_lock.error()));
        break;
    case InstanceLock::State::Held:
    case InstanceLock::State::Unlocked:
        qCDebug(lcApp, "holds the instance lock %s", qPrintable(m_lock.path()));
        break;
    }
    if (!m_bus.isConnected()) {
        qCDebug(lcApp, "no session bus: the lock alone keeps one copy");
        return Outcome::First;
    }

    // The object is there before the name is, so a launch that finds the name finds the object.
    new ApplicationAdaptor(this, [this](const QVariantMap &data) {
        qCDebug(lcApp, "activated by another launch%s",
                data.contains(QStringLiteral("activation-token")) ? " with an activation token"
                                                                  : "");
        emit activated(data);
    });
    m_registered = m_bus.registerObject(objectPath(m_appId), this, QDBusConnection::ExportAdaptors);
    if (!m_registered)
        qCWarning(lcApp, "could not serve %s on the session bus", qPrintable(objectPath(m_appId)));

    QDBusMessage request = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    request.setArguments({m_appId, kDoNotQueue});
    const QDBusMessage reply = callAndWait(request, kNameWaitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCWarning(lcApp, "could not claim %s on the session bus: %s", qPrintable(m_appId),
                  qPrintable(reply.errorMessage()));
        return Outcome::First;
    }
    const uint answer = reply.arguments().constFirst().toUInt();
    if (answer == kPrimaryOwner || answer == kAlreadyOwner) {
        qCDebug(lcApp, "owns %s on the session bus", qPrintable(m_appId));
        return Outcome::First;
    }
    if (answer == kExists) {
        // A copy on other files holds the name: the session's launches go to it.
        m_bus.unregisterObject(objectPath(m_appId));
        m_registered = false;
        m_lock.unlock();
        return handOver(platformData);
    }
    qCWarning(lcApp, "unexpected answer %u to the request for %s", answer, qPrintable(m_appId));
    return Outcome::First;
}
