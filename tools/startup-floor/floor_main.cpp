// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up floor: a Qt Quick window with one rectangle and one text, on the scene graph
// Powerdeck would choose and at the size Powerdeck's window would have on this screen.
#include "app/mainwindow.h"
#include "app/scenegraph.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QScreen>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    scenegraph::applyOnce();

    // The same rule as Powerdeck's window: the layout's design size, scaled down to fit.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1280, 1024);
    const bool tablet = std::min(available.width(), available.height()) >= 600;
    QSize size = MainWindow::designSize(tablet ? 1 : 0, 568);
    const QSize room = available * 0.92;
    if (size.height() > room.height() || size.width() > room.width())
        size.scale(room, Qt::KeepAspectRatio);

    const QByteArray qml = QStringLiteral(R"(
import QtQuick
import QtQuick.Window
Window {
    visible: true
    width: %1
    height: %2
    title: "floor"
    color: "#0d0f12"
    Rectangle { x: 20; y: 20; width: 200; height: 80; color: "#2a8f4a" }
    Text { x: 20; y: 120; text: "42 %"; color: "white"; font.pixelSize: 24 }
}
)")
                               .arg(size.width())
                               .arg(size.height())
                               .toUtf8();
    QQmlApplicationEngine engine;
    engine.loadData(qml);
    if (engine.rootObjects().isEmpty())
        return 1;
    return QGuiApplication::exec();
}
