#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

Folders Folders::standard()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString base = dataHome + QStringLiteral("/powerdeck");
    QString binDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                  : QDir::currentPath();
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
