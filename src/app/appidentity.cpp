// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appidentity.h"

#include "app/startupcheck.h"
#include "appearance/librarypictures.h"
#include "platform/applicationid.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>

QIcon applicationIcon(const QString &resources)
{
    const QString id = QString::fromLatin1(kApplicationId);
    QIcon icon;
    const QDir hicolor(QDir::cleanPath(resources + QStringLiteral("/../icons/hicolor")));
    QString scalable;
    for (const QString &size : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (size == QLatin1String("scalable")) {
            scalable =
                hicolor.filePath(size + QStringLiteral("/apps/") + id + QStringLiteral(".svg"));
            continue;
        }
        // Read as PNG, as the name says: guessing the format would load every image plugin.
        const QImage picture = LibraryPictures::read(
            hicolor.filePath(size + QStringLiteral("/apps/") + id + QStringLiteral(".png")));
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    // The window system takes the icon in pixels: the drawing is only for an install without
    // the drawn sizes.
    if (icon.isNull() && QFileInfo::exists(scalable))
        icon.addFile(scalable);
    return icon.isNull() ? QIcon::fromTheme(id) : icon;
}

void setApplicationIdentity(const QString &resources)
{
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The icon's pictures are read once the first frame is on screen: the window manager shows
    // the icon a moment later, the frame comes sooner.
    const auto setIcon = [resources] {
        QGuiApplication::setWindowIcon(applicationIcon(resources));
    };
    if (!afterFirstFrame(setIcon, Qt::QueuedConnection))
        setIcon();
}
