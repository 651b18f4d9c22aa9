#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <initializer_list>
#include <utility>

// Writes small files below root: {"class/power_supply/BAT0/capacity", "57"}, ...
inline void writeTree(const QString &root,
                      std::initializer_list<std::pair<const char *, const char *>> files)
{
    for (const auto &[relative, content] : files) {
        const QString path = root + QLatin1Char('/') + QString::fromUtf8(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(QByteArray(content) + '\n');
    }
}

inline QString fixturePath(const char *name)
{
    return QStringLiteral(POWERDECK_FIXTURES "/") + QString::fromUtf8(name);
}
