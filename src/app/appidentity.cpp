// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appidentity.h"

#include "app/startupcheck.h"
#include "platform/applicationid.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

QIcon applicationIcon(const QString &resources)
{
    const QString id = QString::fromLatin1(kApplicationId);
    QIcon icon;
    const QDir hicolor(QDir::cleanPath(resources + QStringLiteral("/../icons/hicolor")));
    for (const QString &size : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString file = hicolor.filePath(
            size + QStringLiteral("/apps/") + id +
            (size == QLatin1String("scalable") ? QStringLiteral(".svg") : QStringLiteral(".png")));
        if (QFileInfo::exists(file))
            icon.addFile(file);
    }
    return icon.isNull() ? QIcon::fromTheme(id) : icon;
}

void setApplicationIdentity(const QString &resources)
{
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The icon's pictures (five sizes and the SVG plugin) are read once the first frame is on
    // screen: the window manager shows the icon a moment later, the frame comes sooner.
    const auto setIcon = [resources] {
        QGuiApplication::setWindowIcon(applicationIcon(resources));
    };
    if (!afterFirstFrame(setIcon, Qt::QueuedConnection))
        setIcon();
}
