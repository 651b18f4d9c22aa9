// SPDX-License-Identifier: GPL-3.0-or-later
// A termination signal ends Powerdeck the way quitting does: the notification plan is handed to
// the platform and the charge history not yet written reaches "calendar.plist". The object graph
// is the application's own (application object, main screen with its wheel, scheduler), wired as
// the executable wires it.
#include "app/appdelegate.h"
#include "app/notificationscheduler.h"
#include "app/viewcontroller.h"
#include "appearance/whellcontroller.h"
#include "core/appstate.h"
#include "platform/plist.h"
#include "platform/quitsignals.h"

#include "recordingnotifications.h"
#include "tempplatform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <memory>

namespace {

TEST(CleanShutdown, TerminationSignalsSaveTheHistoryAndScheduleThePlan)
{
    int argc = 1;
    char name[] = "app_tests";
    char *argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> ownApp;
    if (!QCoreApplication::instance())
        ownApp = std::make_unique<QCoreApplication>(argc, argv);

    const struct
    {
        int signalNumber;
        bool duringStartUp; // events are processed before the event loop runs
    } cases[] = {{SIGTERM, false}, {SIGINT, false}, {SIGHUP, false}, {SIGTERM, true}};
    for (const auto &[signalNumber, duringStartUp] : cases) {
        SCOPED_TRACE(testing::Message()
                     << "signal " << signalNumber << (duringStartUp ? " during start-up" : ""));
        TempPlatform p;
        p.battery.set(0.05, 1); // nearly empty and discharging: a day for the history
        // As started from a terminal or a service manager: a shell running the tests in the
        // background starts them with SIGINT ignored, which the handler would leave alone.
        std::signal(signalNumber, SIG_DFL);
        QuitSignals handler;
        ASSERT_TRUE(handler.isActive());

        auto delegate = std::make_unique<AppDelegate>(p.platform, [](AppDelegate &app, int) {
            return std::make_unique<ViewController>(app.state(), false, 480);
        });
        RecordingNotifications notifications;
        NotificationScheduler scheduler(
            p.defaults, p.folders, notifications, [&] { return delegate->state().timeBeforeDie(); },
            [&] { return delegate->state().timeneedToCharge(); }, [] { return 1; });
        QObject::connect(delegate.get(), &AppDelegate::didEnterBackground, delegate.get(),
                         [&scheduler] { scheduler.applicationDidEnterBackground(); });
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         delegate.get(), &AppDelegate::applicationDidEnterBackground);
        delegate->didFinishLaunching();
        p.battery.notifyChange();
        auto *screen = qobject_cast<ViewController *>(delegate->viewController());
        ASSERT_NE(screen, nullptr);
        auto *wheel = qobject_cast<WhellController *>(screen->whell());
        ASSERT_NE(wheel, nullptr);
        // The day's record goes to disk as soon as it is taken.
        ASSERT_TRUE(delegate->state().recordWriter().waitForDone());
        EXPECT_TRUE(plist::readFile(p.folders.documents + "/calendar.plist").ok());
        // An estimate of one hour left (the test's devices table is empty).
        delegate->state().setTimeBeforeDie(QStringLiteral("1.000000"));

        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        guard.callOnTimeout([&timedOut] {
            timedOut = true;
            QCoreApplication::quit();
        });
        guard.start(10000);
        ASSERT_EQ(::raise(signalNumber), 0);
        if (duringStartUp)
            QCoreApplication::processEvents();
        QCoreApplication::exec();
        EXPECT_FALSE(timedOut) << "the signal did not quit the event loop";

        ASSERT_EQ(notifications.calls.size(), 2) << notifications.calls.join('\n').toStdString();
        EXPECT_EQ(notifications.calls[0], "cancelAll");
        EXPECT_TRUE(notifications.calls[1].endsWith(" Battey is discharging"));
        delegate.reset(); // as at the end of main: the window and its screens go
        const plist::ReadResult history = plist::readFile(p.folders.documents + "/calendar.plist");
        ASSERT_TRUE(history.ok());
        ASSERT_EQ(history.value.toList().size(), 1);
        EXPECT_EQ(history.value.toList().first().toMap().value("Color").toInt(), 3);
    }
}

} // namespace
