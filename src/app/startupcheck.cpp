// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupcheck.h"

#include <QGuiApplication>
#include <QQuickWindow>

#include <cstdio>

bool firstFrameCheckAsked()
{
    return QCoreApplication::arguments().contains(QStringLiteral("--first-frame"));
}

void quitAfterFirstFrameIfAsked()
{
    if (!firstFrameCheckAsked())
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
