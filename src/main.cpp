#include "app/appdelegate.h"
#include "app/appidentity.h"
#include "app/mainwindow.h"
#include "app/notificationscheduler.h"
#include "app/startupcheck.h"
#include "appearance/fonts.h"
#include "platform/batterysource.h"
#include "platform/localnotifications.h"
#include "platform/location.h"
#include "platform/notificationcenter.h"
#include "platform/quitsignals.h"
#include "platform/screen.h"
#include "platform/translation.h"
#include "platform/userdefaults.h"

#include <QGuiApplication>
#include <QLocale>
#include <QQuickView>
#include <QScreen>

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
    QGuiApplication app(argc, argv);
    quitOnTerminationSignals(&app);
    QGuiApplication::setApplicationName(QStringLiteral("Powerdeck"));
    QGuiApplication::setOrganizationName(QStringLiteral("Powerdeck"));
    powerdeck::registerFontSubstitutions();

    const SystemRoots roots;
    UserDefaults defaults(UserDefaults::standardPath());
    NotificationCenter notifications;
    SysfsBatterySource battery(roots);
    const Folders folders = Folders::standard();
    setApplicationIdentity(folders.resources);
    // The user's language (LANG, LC_MESSAGES, LANGUAGE) for every text the screens show.
    installTranslation(folders.resources, QLocale());
    Platform platform{folders,
                      roots,
                      defaults,
                      notifications,
                      battery,
                      screenIdiom,
                      [roots] { return screenBrightness(roots); },
                      locationServicesEnabled};

    AppDelegate delegate(platform, makeWindow);
    // Leaving the foreground replaces every scheduled notification with the current plan.
    const std::unique_ptr<LocalNotifications> localNotifications = createLocalNotifications(platform.folders);
    NotificationScheduler scheduler(
        defaults, platform.folders, *localNotifications,
        [&delegate] { return delegate.state().timeBeforeDie(); },
        [&delegate] { return delegate.state().timeneedToCharge(); },
        // The reading's state now: a few sysfs attributes, no wait.
        [&battery] { return battery.batteryState(); });
    QObject::connect(&delegate, &AppDelegate::didEnterBackground, &delegate,
                     [&scheduler] { scheduler.applicationDidEnterBackground(); });
    delegate.didFinishLaunching();
    quitAfterFirstFrameIfAsked();
    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &delegate, [&delegate](Qt::ApplicationState s) {
        if (s == Qt::ApplicationHidden || s == Qt::ApplicationSuspended)
            delegate.applicationDidEnterBackground();
    });
    QObject::connect(&app, &QGuiApplication::aboutToQuit, &delegate, &AppDelegate::applicationDidEnterBackground);
    return app.exec();
}
