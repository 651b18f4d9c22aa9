// SPDX-License-Identifier: GPL-3.0-or-later
// Two real launches of the program: the second brings the first forward and ends with status 0
// within a second, over the session bus, or through the lock file where there is no bus; a
// check run is not turned away and leaves the running copy's files alone.
#include "appprocess.h"
#include "privatebus.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 4;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSlowdown = 4;
#else
constexpr int kSlowdown = 1;
#endif
#else
constexpr int kSlowdown = 1;
#endif
// A bound on the second launch that only a launch waiting on the first copy (its window, its
// end) would pass: the start itself is a fraction of a second on an idle machine, a good deal more
// on a busy or instrumented one, and its time is the start-up bench's business, not this test's.
constexpr int kSecondLaunchMs = 5000 * kSlowdown;
constexpr int kStartUpMs = 60000;

void expectTurnedAway(AppProcess &second, const char *message)
{
    ASSERT_TRUE(second.waitForEnd(30000)) << "the second launch kept running";
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0) << second.messages().toStdString();
    EXPECT_LE(second.elapsed(), kSecondLaunchMs);
    EXPECT_TRUE(second.messages().contains(QString::fromLatin1(message)))
        << second.messages().toStdString();
}

TEST(OneInstance, ASecondLaunchBringsTheFirstForwardOverTheSessionBus)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon could not be started";
    QTemporaryDir home;
    QProcessEnvironment env = AppProcess::environment(home, bus.address());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("powerdeck.app.debug=true"));
    AppProcess first(env);
    ASSERT_TRUE(first.waitForMessage(
        QStringLiteral("debug powerdeck.app: owns io.github.powerdeck.Powerdeck"), kStartUpMs))
        << first.messages().toStdString();
    // Launched again once its window is up (while the window is still being built, the first
    // copy cannot answer in time and the second goes by the lock alone).
    ASSERT_TRUE(
        first.waitForMessage(QStringLiteral("debug powerdeck.app: first frame drawn"), kStartUpMs))
        << first.messages().toStdString();

    env.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("second-launch"));
    AppProcess second(env);
    expectTurnedAway(second, "already running; its window is brought forward");
    EXPECT_TRUE(first.waitForMessage(
        QStringLiteral("activated by another launch with an activation token"), 10000))
        << first.messages().toStdString();
    EXPECT_TRUE(first.terminate()) << first.messages().toStdString();
}

TEST(OneInstance, WithoutASessionBusTheLockFileTurnsASecondLaunchAway)
{
    QTemporaryDir home;
    QProcessEnvironment env =
        AppProcess::environment(home, QStringLiteral("unix:path=") + home.filePath("no-bus"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("powerdeck.app.debug=true"));
    AppProcess first(env);
    ASSERT_TRUE(first.waitForMessage(
        QStringLiteral("no session bus: the lock alone keeps one copy"), kStartUpMs))
        << first.messages().toStdString();

    AppProcess second(env);
    expectTurnedAway(second, "Powerdeck is already running (");

    // A check of the installation beside it runs to its first frame on a scratch home: the
    // running copy's Library gets no notification plan from it.
    const QString plan = home.filePath("data/powerdeck/Library/scheduled.plist");
    const QDateTime planBefore = QFileInfo(plan).lastModified();
    AppProcess check(env, {QStringLiteral("--first-frame")});
    ASSERT_TRUE(check.waitForEnd(kStartUpMs));
    EXPECT_EQ(check.process().exitCode(), 0) << check.messages().toStdString();
    EXPECT_EQ(check.process().readAllStandardOutput().trimmed(), "first frame");
    EXPECT_EQ(QFileInfo(plan).lastModified(), planBefore);

    EXPECT_EQ(first.process().state(), QProcess::Running);
    EXPECT_TRUE(first.terminate()) << first.messages().toStdString();
}

} // namespace
