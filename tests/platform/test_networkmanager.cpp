// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/networkmanager.h"

#include "fakeservicebus.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>

namespace {

using networkmanager::Reach;

class FakeNetworkManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.NetworkManager")
    Q_PROPERTY(uint State READ state)
    Q_PROPERTY(QString PrimaryConnectionType READ primaryConnectionType)
public:
    uint nmState = 70;
    QString type = QStringLiteral("802-11-wireless");
    uint state() const { return nmState; }
    QString primaryConnectionType() const { return type; }
};

constexpr auto kName = "org.freedesktop.NetworkManager";
constexpr auto kPath = "/org/freedesktop/NetworkManager";

class NetworkManagerOnABus : public FakeServiceOnABus<FakeNetworkManager>
{
protected:
    NetworkManagerOnABus() : FakeServiceOnABus(kName, kPath) {}
    void change(const QVariantMap &changed) { propertiesChanged(changed); }
};

TEST_F(NetworkManagerOnABus, FollowsTheStateTheLinkAndTheServiceComingAndGoing)
{
    ASSERT_TRUE(m_daemonBus.registerService(QString::fromLatin1(kName)));
    NetworkManagerState nm;
    QSignalSpy changed(&nm, &NetworkManagerState::changed);
    nm.start(m_clientBus);
    EXPECT_EQ(nm.reach(), Reach::Unknown); // nothing waits for the answer
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(nm.reach(), Reach::Global);
    EXPECT_FALSE(nm.cellular());

    // Wi-Fi drops and the modem takes over: the type changes alone, the state stays.
    change({{QStringLiteral("PrimaryConnectionType"), QStringLiteral("gsm")}});
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(nm.reach(), Reach::Global);
    EXPECT_TRUE(nm.cellular());

    const struct
    {
        uint state;
        Reach reach;
    } states[] = {{60, Reach::Site},    {50, Reach::Local},   {40, Reach::Offline},
                  {0, Reach::Unknown},  {20, Reach::Offline}, {70, Reach::Global},
                  {10, Reach::Offline}, {70, Reach::Global}}; // each one a change
    for (const auto &s : states) {
        change({{QStringLiteral("State"), s.state}});
        ASSERT_TRUE(changed.wait(5000)) << s.state;
        EXPECT_EQ(nm.reach(), s.reach) << s.state;
        EXPECT_TRUE(nm.cellular()) << s.state;
    }
    // Another interface's change is not NetworkManager's.
    QDBusMessage other = QDBusMessage::createSignal(
        QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    other << QStringLiteral("org.example.Other") << QVariantMap{{QStringLiteral("State"), 20u}}
          << QStringList();
    m_daemonBus.send(other);

    // It leaves: nothing is known. It comes back: it is asked again.
    ASSERT_TRUE(m_daemonBus.unregisterService(QString::fromLatin1(kName)));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(nm.reach(), Reach::Unknown);
    EXPECT_FALSE(nm.cellular());
    m_fake.nmState = 60;
    m_fake.type = QStringLiteral("802-3-ethernet");
    ASSERT_TRUE(m_daemonBus.registerService(QString::fromLatin1(kName)));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(nm.reach(), Reach::Site);
    EXPECT_FALSE(nm.cellular());
}

TEST(NetworkManager, WithoutTheServiceOrABusNothingIsKnown)
{
    ensureCoreApplication();
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    NetworkManagerState absent;
    QSignalSpy changed(&absent, &NetworkManagerState::changed);
    absent.start(QDBusConnection::connectToBus(bus.address(), QStringLiteral("empty")));
    EXPECT_FALSE(changed.wait(300));
    EXPECT_EQ(absent.reach(), Reach::Unknown);

    NetworkManagerState nowhere;
    nowhere.start(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                QStringLiteral("nowhere")));
    EXPECT_EQ(nowhere.reach(), Reach::Unknown);
    QDBusConnection::disconnectFromBus(QStringLiteral("empty"));
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace

#include "test_networkmanager.moc"
