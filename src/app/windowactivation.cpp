// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowactivation.h"

#include <QGuiApplication>
#include <QQuickWindow>

void bringWindowForward(QWindow *window, const QVariantMap &platformData)
{
    if (!window)
        return;
    const QString token = platformData.value(QStringLiteral("activation-token")).toString();
    // Qt's xdg-shell integration activates with the token it finds here (and then drops it).
    if (!token.isEmpty() && QGuiApplication::platformName() == QLatin1String("wayland"))
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    if (window->windowStates() & Qt::WindowMinimized)
        window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->requestActivate();
}

QWindow *mainWindow()
{
    for (QWindow *window : QGuiApplication::topLevelWindows())
        if (qobject_cast<QQuickWindow *>(window))
            return window;
    return nullptr;
}
