// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appidentity.h"

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
    QGuiApplication::setWindowIcon(applicationIcon(resources));
}
