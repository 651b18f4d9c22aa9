// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/powerprofiles.h"

#include "fakeservicebus.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QSignalSpy>

namespace {

// power-profiles-daemon as releases up to 0.13 put it on the bus.
class FakeProfiles : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "net.hadess.PowerProfiles")
    Q_PROPERTY(QString ActiveProfile READ activeProfile)
public:
    QString profile = QStringLiteral("balanced");
    QString activeProfile() const { return profile; }
};

constexpr auto kName = "net.hadess.PowerProfiles";
constexpr auto kPath = "/net/hadess/PowerProfiles";

class PowerProfilesOnABus : public FakeServiceOnABus<FakeProfiles>
{
protected:
    PowerProfilesOnABus() : FakeServiceOnABus(kName, kPath) {}
    void switchTo(const char *profile)
    {
        m_fake.profile = QString::fromLatin1(profile);
        propertiesChanged({{QStringLiteral("ActiveProfile"), m_fake.profile}});
    }
};

TEST_F(PowerProfilesOnABus, FollowsTheActiveProfileAndTheDaemonComingAndGoing)
{
    m_fake.profile = QStringLiteral("power-saver");
    ASSERT_TRUE(m_daemonBus.registerService(QString::fromLatin1(kName)));
    PowerProfilesDaemon daemon;
    QSignalSpy changed(&daemon, &PowerSaverSource::powerSaverChanged);
    daemon.start(m_clientBus);
    EXPECT_FALSE(daemon.powerSaver()); // nothing waits for the answer
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(daemon.powerSaver());

    switchTo("performance");
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_FALSE(daemon.powerSaver());
    EXPECT_EQ(daemon.activeProfile(), "performance");
    switchTo("power-saver");
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(daemon.powerSaver());

    // The daemon leaves: nothing asks for power saving any more.
    ASSERT_TRUE(m_daemonBus.unregisterService(QString::fromLatin1(kName)));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_FALSE(daemon.powerSaver());
    // It comes back, still on the saver.
    ASSERT_TRUE(m_daemonBus.registerService(QString::fromLatin1(kName)));
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(daemon.powerSaver());
    EXPECT_EQ(changed.size(), 5);
}

TEST(PowerProfiles, WithoutADaemonOrABusThePowerSaverIsOff)
{
    ensureCoreApplication();
    PowerProfilesDaemon daemon;
    daemon.start(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                               QStringLiteral("nowhere")));
    EXPECT_FALSE(daemon.powerSaver());
    EXPECT_TRUE(daemon.activeProfile().isEmpty());
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace

#include "test_powerprofiles.moc"
