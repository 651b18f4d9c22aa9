// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kernelidentity.h"
#include "platform/location.h"
#include "platform/notificationcenter.h"
#include "platform/plist.h"
#include "platform/userdefaults.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGeoPositionInfoSource>
#include <QTemporaryDir>

#include <memory>
#include <sys/utsname.h>

namespace {

TEST(UserDefaults, ValuesPersistAcrossInstances)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/powerdeck/defaults.plist";
    {
        UserDefaults d(path);
        EXPECT_FALSE(d.contains("alarm"));
        EXPECT_TRUE(d.setValue("celsius", true));
        EXPECT_TRUE(d.setValue("alarm", QVariantList{QVariantMap{{"on", true}}}));
        EXPECT_TRUE(d.setValue("gone", 1));
        EXPECT_TRUE(d.remove("gone"));
    }
    UserDefaults again(path);
    EXPECT_TRUE(again.value("celsius").toBool());
    EXPECT_EQ(again.value("alarm").toList().size(), 1);
    EXPECT_FALSE(again.contains("gone"));
}

TEST(UserDefaults, AStoreThatCannotBeReadIsNeverWrittenOver)
{
    for (const UnreadableKind kind : {UnreadableKind::Directory, UnreadableKind::IoError}) {
        SCOPED_TRACE(kindName(kind));
        QTemporaryDir dir;
        const QString path = dir.path() + "/powerdeck/defaults.plist";
        ASSERT_TRUE(makeUnreadable(path, kind));
        UserDefaults d(path);
        EXPECT_FALSE(d.writable());
        EXPECT_FALSE(d.setValue("celsius", true));
        // The run goes on with the value in memory.
        EXPECT_TRUE(d.value("celsius").toBool());
        EXPECT_TRUE(isStillUnreadable(path, kind));
    }
}

TEST(UserDefaults, AStoreThatIsNotADictionaryIsSetAside)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/defaults.plist";
    ASSERT_TRUE(plist::writeFile(path, QStringLiteral("alarm")));
    UserDefaults d(path);
    EXPECT_TRUE(d.writable());
    EXPECT_TRUE(QFileInfo::exists(path + ".corrupt"));
    EXPECT_TRUE(d.setValue("celsius", true));
    EXPECT_TRUE(UserDefaults(path).value("celsius").toBool());
}

TEST(KernelIdentity, MachineNameUnlessConfigured)
{
    struct utsname u
    {
    };
    ASSERT_EQ(uname(&u), 0);
    QTemporaryDir dir;
    UserDefaults d(dir.path() + "/defaults.plist");
    EXPECT_EQ(platformIdentifier(nullptr), QString::fromUtf8(u.machine));
    EXPECT_EQ(platformIdentifier(&d), QString::fromUtf8(u.machine));
    d.setValue("platform", "");
    EXPECT_EQ(platformIdentifier(&d), QString::fromUtf8(u.machine));
    d.setValue("platform", 42); // not a text: ignored
    EXPECT_EQ(platformIdentifier(&d), QString::fromUtf8(u.machine));
    d.setValue("platform", "iPhone4,1");
    EXPECT_EQ(platformIdentifier(&d), "iPhone4,1");
}

TEST(NotificationCenter, DeliversSynchronouslyInOrderAndForgetsDeadObservers)
{
    NotificationCenter center;
    QStringList log;
    auto owner = std::make_unique<QObject>();
    center.addObserver("restartAPP", owner.get(), [&](const QVariant &) { log << "screen"; });
    const int token = center.addObserver("restartAPP", nullptr,
                                         [&](const QVariant &v) { log << "app " + v.toString(); });
    center.addObserver("restartAPP2", nullptr, [&](const QVariant &) { log << "other"; });
    center.post("restartAPP", "x");
    EXPECT_EQ(log, (QStringList{"screen", "app x"}));
    owner.reset();
    EXPECT_EQ(center.observerCount("restartAPP"), 1);
    center.removeObserver(token);
    log.clear();
    center.post("restartAPP");
    EXPECT_TRUE(log.isEmpty());
}

TEST(NotificationCenter, ObserversMayRemoveThemselvesAndOthersWhileNotified)
{
    NotificationCenter center;
    QObject a, b;
    int calls = 0;
    center.addObserver("restartAPP", &a, [&](const QVariant &) {
        ++calls;
        center.removeObservers(&a);
        center.removeObservers(&b);
    });
    center.addObserver("restartAPP", &b, [&](const QVariant &) { ++calls; });
    center.post("restartAPP");
    EXPECT_EQ(calls, 1);
    center.post("restartAPP");
    EXPECT_EQ(calls, 1);
}

TEST(Location, PositioningSourceLivesAsLongAsTheApplication)
{
    if (QCoreApplication::instance())
        GTEST_SKIP() << "needs application objects of its own";
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(testing::Message() << "application " << round);
        int argc = 0;
        QCoreApplication app(argc, nullptr);
        if (!std::unique_ptr<QGeoPositionInfoSource>(
                QGeoPositionInfoSource::createDefaultSource(nullptr)))
            GTEST_SKIP() << "no positioning source on this system";
        locationServicesEnabled();
        // Owned by the application, so it goes before the application (and its plugins) do.
        EXPECT_EQ(app.findChildren<QGeoPositionInfoSource *>().size(), 1);
        locationServicesEnabled();
        EXPECT_EQ(app.findChildren<QGeoPositionInfoSource *>().size(), 1) << "made once";
    }
}

} // namespace
