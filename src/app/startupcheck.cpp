// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startupcheck.h"

#include "platform/logging.h"

#include <QGuiApplication>
#include <QQuickWindow>

#include <cstdio>

bool firstFrameCheckAsked()
{
    return QCoreApplication::arguments().contains(QStringLiteral("--first-frame"));
}

bool afterFirstFrame(const std::function<void()> &run, Qt::ConnectionType type)
{
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        auto *quick = qobject_cast<QQuickWindow *>(window);
        if (!quick)
            continue;
        QObject::connect(quick, &QQuickWindow::frameSwapped, qApp, run,
                         Qt::ConnectionType(type | Qt::SingleShotConnection));
        return true;
    }
    return false;
}

void watchFirstFrame()
{
    const bool check = firstFrameCheckAsked();
    afterFirstFrame([check] {
        qCDebug(lcApp, "first frame drawn");
        if (!check)
            return;
        std::puts("first frame");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}
