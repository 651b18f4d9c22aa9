// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the start-up of the interface: process start to the first swapped frame of the battery
// page and the resident memory (VmRSS) at that moment, then the same once the main screen has
// created the pages it leaves for after the first frame and drawn them. Usage:
//   QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software powerdeck-probe [--tablet]
#include "app/appdelegate.h"
#include "app/mainwindow.h"
#include "app/viewcontroller.h"
#include "appearance/fonts.h"
#include "platform/batterysource.h"
#include "platform/notificationcenter.h"
#include "platform/screen.h"
#include "platform/userdefaults.h"

#include <QFile>
#include <QGuiApplication>
#include <QQuickView>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = stat.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return (upSeconds - startTicks / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}

QByteArray statusLine(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed();
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    powerdeck::registerFontSubstitutions();
    const bool tablet = app.arguments().contains(QStringLiteral("--tablet"));

    const SystemRoots roots;
    UserDefaults defaults(UserDefaults::standardPath());
    NotificationCenter notifications;
    SysfsBatterySource battery(roots);
    Platform platform{Folders::standard(),
                      roots,
                      defaults,
                      notifications,
                      battery,
                      [tablet] { return tablet ? 1 : 0; },
                      [roots] { return screenBrightness(roots); }};

    enum { FirstFrame, AllPages, Done } stage = FirstFrame;
    AppDelegate delegate(platform, [&](AppDelegate &a, int idiom) {
        auto window =
            std::make_unique<MainWindow>(a, idiom, 568, MainWindow::designSize(idiom, 568));
        MainWindow *w = window.get();
        QObject::connect(&window->view(), &QQuickWindow::frameSwapped, &app, [&, w] {
            if (stage == Done || (stage == AllPages && !w->viewController().allPagesCreated()))
                return;
            std::printf("%s: %.1f ms after process start\n",
                        stage == FirstFrame ? "first frame" : "all pages drawn",
                        msSinceProcessStart());
            std::printf("resident memory: %s\n", statusLine("VmRSS:").constData());
            std::fflush(stdout);
            if (stage == FirstFrame) {
                stage = AllPages;
                // The frame that follows the last page shows it: ask for one.
                QObject::connect(&w->viewController(), &ViewController::createdPagesChanged,
                                 &w->view(), [w] { w->view().update(); });
                // The pages a user has not visited yet come only when shown: all of them now.
                QTimer::singleShot(0, &w->viewController(), &ViewController::createAllPages);
                return;
            }
            stage = Done;
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        });
        window->view().show();
        return window;
    });
    delegate.didFinishLaunching();
    QTimer::singleShot(10000, &app, [] {
        std::fprintf(stderr, "no frame within 10 s\n");
        QCoreApplication::exit(1);
    });
    return app.exec();
}
