// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "privatebus.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

// A system service played on a bus of the test's own: Fake (its properties exported) stands at
// the service's path on one connection, and the code under test listens on another. The test
// registers the service's name itself, when the service is to be there.
template <typename Fake> class FakeServiceOnABus : public ::testing::Test
{
protected:
    FakeServiceOnABus(const char *service, const char *path) : m_service(service), m_path(path) {}

    void SetUp() override
    {
        ensureCoreApplication();
        ASSERT_FALSE(m_bus.address().isEmpty()) << "dbus-daemon did not start";
        m_daemonBus = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("service"));
        m_clientBus = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("client"));
        ASSERT_TRUE(m_daemonBus.registerObject(QString::fromLatin1(m_path), &m_fake,
                                               QDBusConnection::ExportAllProperties));
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }
    // The service tells what changed, as these services do: PropertiesChanged of its interface.
    void propertiesChanged(const QVariantMap &changed)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QString::fromLatin1(m_path), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << QString::fromLatin1(m_service) << changed << QStringList();
        m_daemonBus.send(signal);
    }

    const char *m_service;
    const char *m_path;
    PrivateBus m_bus;
    QDBusConnection m_daemonBus{QString()};
    QDBusConnection m_clientBus{QString()};
    Fake m_fake;
};
