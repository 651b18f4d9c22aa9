#include "app/startupcheck.h"

#include <QGuiApplication>
#include <QQuickWindow>

#include <cstdio>

void quitAfterFirstFrameIfAsked()
{
    if (!QCoreApplication::arguments().contains(QStringLiteral("--first-frame")))
        return;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        auto *quick = qobject_cast<QQuickWindow *>(window);
        if (!quick)
            continue;
        QObject::connect(
            quick, &QQuickWindow::frameSwapped, qApp,
            [] {
                std::puts("first frame");
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::SingleShotConnection);
        return;
    }
}
