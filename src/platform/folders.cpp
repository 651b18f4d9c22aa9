// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

Folders Folders::standard()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString base = dataHome + QStringLiteral("/powerdeck");
    // The executable's own folder, without a QCoreApplication too (the kernel's link to the
    // running program); nothing about the build or install prefix is compiled in.
    const QString binDir = QCoreApplication::instance()
                               ? QCoreApplication::applicationDirPath()
                               : QFileInfo(QStringLiteral("/proc/self/exe"))
                                     .canonicalFilePath()
                                     .section(QLatin1Char('/'), 0, -2);
    return {base + QStringLiteral("/Documents"), base + QStringLiteral("/Library"),
            QDir::cleanPath(binDir + QStringLiteral("/../share/powerdeck"))};
}

Folders Folders::under(const QString &root)
{
    return {root + QStringLiteral("/Documents"), root + QStringLiteral("/Library"),
            root + QStringLiteral("/resources")};
}

bool Folders::ensureExist() const
{
    QDir dir;
    return dir.mkpath(documents) && dir.mkpath(library);
}
