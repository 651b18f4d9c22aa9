// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appdelegate.h"
#include "app/appidentity.h"
#include "app/mainwindow.h"
#include "app/notificationscheduler.h"
#include "app/scenegraph.h"
#include "app/startupcheck.h"
#include "app/windowactivation.h"
#include "appearance/fonts.h"
#include "platform/applicationid.h"
#include "platform/batterysource.h"
#include "platform/localnotifications.h"
#include "platform/location.h"
#include "platform/logging.h"
#include "platform/notificationcenter.h"
#include "platform/powerprofiles.h"
#include "platform/quitsignals.h"
#include "platform/screen.h"
#include "platform/singleinstance.h"
#include "platform/translation.h"
#include "platform/userdefaults.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QProcessEnvironment>
#include <QQuickView>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

namespace {

// The layout family: the tablet layout where the screen's shorter side is at least 600 logical
// pixels (a tablet or a laptop), the phone layout on a phone.
int screenIdiom()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    const QSize size = screen->availableSize();
    return std::min(size.width(), size.height()) >= 600 ? 1 : 0;
}

// The window opens at the layout's design size, scaled down to fit the screen when needed.
std::unique_ptr<QObject> makeWindow(AppDelegate &app, int idiom)
{
    const QSize design = MainWindow::designSize(idiom, 568);
    QSize size = design;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize() * 0.92;
        if (size.height() > room.height() || size.width() > room.width())
            size.scale(room, Qt::KeepAspectRatio);
    }
    auto window = std::make_unique<MainWindow>(app, idiom, design.height(), size);
    window->view().show();
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    // Before the window system's plugin takes them out of the environment.
    const QVariantMap launchData =
        SingleInstance::launchPlatformData(QProcessEnvironment::systemEnvironment());
    scenegraph::prepareFramePath();
    QGuiApplication app(argc, argv);
    powerdeck::applyDefaultLogRules();
    QGuiApplication::setApplicationName(QStringLiteral("Powerdeck"));
    QGuiApplication::setOrganizationName(QStringLiteral("Powerdeck"));
    // The font database fills on another core while the launch goes on; the window takes the
    // substitutions before its first text.
    powerdeck::FontSubstitutionLoader fonts;

    // One copy per session and per set of stored files; a later launch brings it forward and
    // ends before it has a window. A check run stands aside instead (see startupcheck.h).
    SingleInstance instance(QString::fromLatin1(kApplicationId),
                            InstanceLock::pathFor(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                                  QFileInfo(Folders::standard().documents).path()),
                            QDBusConnection::sessionBus());
    std::optional<QTemporaryDir> scratchHome;
    if (firstFrameCheckAsked()) {
        if (instance.lock().tryLock() == InstanceLock::State::Taken) {
            scratchHome.emplace();
            qputenv("XDG_DATA_HOME", QFile::encodeName(scratchHome->filePath("data")));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratchHome->filePath("config")));
            qCInfo(lcApp, "a copy runs on these files: this check works on a scratch home");
        }
    } else if (instance.claim(launchData) == SingleInstance::Outcome::AnotherRuns) {
        qCInfo(lcApp, "%s", qPrintable(instance.message()));
        return 0;
    }
    QObject::connect(&instance, &SingleInstance::activated, &app,
                     [](const QVariantMap &data) { bringWindowForward(mainWindow(), data); });
    // Installed once the launch is known to go on: until then the default action is right.
    quitOnTerminationSignals(&app);

    const SystemRoots roots;
    UserDefaults defaults(UserDefaults::standardPath());
    NotificationCenter notifications;
    SysfsBatterySource battery(roots, std::make_unique<KernelPowerSupplyEvents>());
    const Folders folders = Folders::standard();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The user's language (LANG, LC_MESSAGES, LANGUAGE) for every text the screens show.
    installTranslation(folders.resources, QLocale());
    PowerProfilesDaemon powerProfiles;
    Platform platform{folders,
                      roots,
                      defaults,
                      notifications,
                      battery,
                      screenIdiom,
                      [roots] { return screenBrightness(roots); },
                      locationServicesEnabled,
                      &powerProfiles};

    AppDelegate delegate(platform, [&fonts](AppDelegate &app, int idiom) {
        fonts.install();
        return makeWindow(app, idiom);
    });
    // Leaving the foreground replaces every scheduled notification with the current plan.
    const std::unique_ptr<LocalNotifications> localNotifications =
        createLocalNotifications(platform.folders);
    NotificationScheduler scheduler(
        defaults, platform.folders, *localNotifications,
        [&delegate] { return delegate.state().timeBeforeDie(); },
        [&delegate] { return delegate.state().timeneedToCharge(); },
        // The state of the monitor's latest reading: the one every screen shows.
        [&delegate] { return int(delegate.state().batteryMonitor().reading().state); });
    if (!scratchHome)
        QObject::connect(&delegate, &AppDelegate::didEnterBackground, &delegate,
                         [&scheduler] { scheduler.applicationDidEnterBackground(); });
    delegate.didFinishLaunching();
    watchFirstFrame();
    setApplicationIdentity(folders.resources);
    // The system bus is opened once the window is on its way: nothing of it is needed for the
    // first frame.
    QTimer::singleShot(0, &powerProfiles,
                       [&powerProfiles] { powerProfiles.start(QDBusConnection::systemBus()); });
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &delegate,
                     [&delegate](Qt::ApplicationState s) {
                         if (s == Qt::ApplicationHidden || s == Qt::ApplicationSuspended)
                             delegate.applicationDidEnterBackground();
                     });
    QObject::connect(&app, &QGuiApplication::aboutToQuit, &delegate,
                     &AppDelegate::applicationDidEnterBackground);
    return app.exec();
}
