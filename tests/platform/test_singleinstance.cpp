// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy: the lock that keeps copies off each other's files, where it lives, and the
// hand-over to the running copy on the session bus.
#include "platform/instancelock.h"
#include "platform/singleinstance.h"
#include "privatebus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QSignalSpy>

namespace {

constexpr char kId[] = "io.github.powerdeck.Powerdeck";

void ensureCoreApplication()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "platform_tests";
        static char *argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // lives as long as the test process
    }
}

TEST(InstanceLock, IsHeldByOneCopyAtATime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run/powerdeck.lock"));
    InstanceLock first(path), second(path);
    ASSERT_EQ(first.tryLock(), InstanceLock::State::Held) << first.error().toStdString();
    EXPECT_EQ(second.tryLock(), InstanceLock::State::Taken);
    first.unlock();
    EXPECT_EQ(second.tryLock(), InstanceLock::State::Held);
}

TEST(InstanceLock, FailsOnAPathItCannotCreate)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    InstanceLock lock(file.fileName() + QStringLiteral("/powerdeck.lock"));
    EXPECT_EQ(lock.tryLock(), InstanceLock::State::Failed);
    EXPECT_FALSE(lock.error().isEmpty());
}

TEST(InstanceLock, LivesInTheRuntimeFolderNamedAfterTheDataFolder)
{
    QTemporaryDir dir;
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    const QString data = dir.filePath(QStringLiteral("data/powerdeck"));
    const QString other = dir.filePath(QStringLiteral("other/powerdeck"));
    const QString aFile = dir.filePath(QStringLiteral("a-file"));
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile(aFile).open(QIODevice::WriteOnly);

    const QString inRuntime = InstanceLock::pathFor(runtime, data);
    EXPECT_TRUE(inRuntime.startsWith(runtime + QStringLiteral("/io.github.powerdeck.Powerdeck-")))
        << inRuntime.toStdString();
    EXPECT_TRUE(inRuntime.endsWith(QStringLiteral(".lock")));
    const struct
    {
        const char *what;
        QString runtime;
        QString data;
        QString expected;
    } cases[] = {
        {"the same folder spelt otherwise", runtime, data + QStringLiteral("/../powerdeck/"),
         inRuntime},
        {"no runtime folder", QString(), data, data + QStringLiteral("/instance.lock")},
        {"a runtime folder that is missing", dir.filePath(QStringLiteral("gone")), data,
         data + QStringLiteral("/instance.lock")},
        {"a runtime folder that is a file", aFile, data, data + QStringLiteral("/instance.lock")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(InstanceLock::pathFor(c.runtime, c.data), c.expected);
    }
    EXPECT_NE(InstanceLock::pathFor(runtime, other), inRuntime);
}

TEST(SingleInstance, ObjectPathFollowsTheApplicationId)
{
    const struct
    {
        const char *id;
        const char *path;
    } cases[] = {
        {kId, "/io/github/powerdeck/Powerdeck"},
        {"org.example.Foo-Viewer", "/org/example/Foo_Viewer"},
    };
    for (const auto &[id, path] : cases)
        EXPECT_EQ(SingleInstance::objectPath(QString::fromLatin1(id)), QString::fromLatin1(path));
}

TEST(SingleInstance, LaunchPlatformDataCarriesTheLaunchersTokens)
{
    QProcessEnvironment environment;
    EXPECT_TRUE(SingleInstance::launchPlatformData(environment).isEmpty());
    environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("wl-token"));
    environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), QStringLiteral("x11-id"));
    const QVariantMap expected{{QStringLiteral("activation-token"), QStringLiteral("wl-token")},
                               {QStringLiteral("desktop-startup-id"), QStringLiteral("x11-id")}};
    EXPECT_EQ(SingleInstance::launchPlatformData(environment), expected);
}

class SingleInstanceOnABus : public testing::Test
{
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        if (m_bus.address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started";
    }
    QDBusConnection connection(const QString &name)
    {
        m_names << name;
        return QDBusConnection::connectToBus(m_bus.address(), name);
    }
    void TearDown() override
    {
        for (const QString &name : std::as_const(m_names))
            QDBusConnection::disconnectFromBus(name);
    }
    QString lockPath(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    PrivateBus m_bus;
    QTemporaryDir m_dir;
    QStringList m_names;
};

TEST_F(SingleInstanceOnABus, ALaterLaunchActivatesTheFirstWithItsToken)
{
    SingleInstance first(QString::fromLatin1(kId), lockPath("a.lock"), connection("first"));
    QSignalSpy activated(&first, &SingleInstance::activated);
    ASSERT_EQ(first.claim({}), SingleInstance::Outcome::First);

    // Another copy on other files: its lock is free, the bus name is not.
    SingleInstance later(QString::fromLatin1(kId), lockPath("b.lock"), connection("later"));
    const QVariantMap data{{QStringLiteral("activation-token"), QStringLiteral("t-1")}};
    EXPECT_EQ(later.claim(data), SingleInstance::Outcome::AnotherRuns);
    EXPECT_TRUE(later.message().contains(QStringLiteral("brought forward")))
        << later.message().toStdString();
    ASSERT_EQ(activated.size(), 1);
    EXPECT_EQ(activated.first().first().toMap(), data);
    // It gave its lock back.
    EXPECT_EQ(InstanceLock(lockPath("b.lock")).tryLock(), InstanceLock::State::Held);
}

TEST_F(SingleInstanceOnABus, WithoutABusTheLockTurnsALaterLaunchAway)
{
    SingleInstance first(QString::fromLatin1(kId), lockPath("a.lock"), connection("first"));
    ASSERT_EQ(first.claim({}), SingleInstance::Outcome::First);
    SingleInstance later(QString::fromLatin1(kId), lockPath("a.lock"),
                         QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                       QStringLiteral("nowhere")));
    EXPECT_EQ(later.claim({}), SingleInstance::Outcome::AnotherRuns);
    EXPECT_TRUE(later.message().contains(lockPath("a.lock"))) << later.message().toStdString();
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace
