#include "app/appdelegate.h"
#include "platform/batterysource.h"
#include "platform/notificationcenter.h"
#include "platform/screen.h"
#include "platform/userdefaults.h"

#include <QGuiApplication>
#include <QQuickWindow>
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

std::unique_ptr<QObject> makeWindow(AppDelegate &, int idiom)
{
    auto window = std::make_unique<QQuickWindow>();
    window->setTitle(QStringLiteral("Powerdeck"));
    window->setColor(QColor(0x10, 0x12, 0x16));
    window->resize(idiom == 1 ? QSize(768, 1024) : QSize(320, 568));
    window->show();
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Powerdeck"));
    QGuiApplication::setOrganizationName(QStringLiteral("Powerdeck"));

    const SystemRoots roots;
    UserDefaults defaults(UserDefaults::standardPath());
    NotificationCenter notifications;
    SysfsBatterySource battery(roots);
    Platform platform{Folders::standard(), roots, defaults, notifications, battery, screenIdiom,
                      [roots] { return screenBrightness(roots); }};

    AppDelegate delegate(platform, makeWindow);
    delegate.didFinishLaunching();
    return app.exec();
}
