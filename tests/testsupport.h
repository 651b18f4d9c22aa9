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

// Something at a path that exists but cannot be read, even by root (tests run as root in CI,
// where a chmod 000 file stays readable): a directory, or a link to /proc/self/mem, whose first
// page is never mapped, so reading it fails with EIO.
enum class UnreadableKind {
    Directory,
    IoError,
};

inline const char *kindName(UnreadableKind kind)
{
    return kind == UnreadableKind::Directory ? "directory" : "I/O error";
}

inline bool makeUnreadable(const QString &path, UnreadableKind kind)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (kind == UnreadableKind::Directory)
        return QDir().mkpath(path);
    return QFile::link(QStringLiteral("/proc/self/mem"), path);
}

// True when the thing makeUnreadable put there is still there, untouched.
inline bool isStillUnreadable(const QString &path, UnreadableKind kind)
{
    const QFileInfo info(path);
    if (kind == UnreadableKind::Directory)
        return info.isDir() && !info.isSymLink();
    return info.isSymLink() && info.symLinkTarget() == QStringLiteral("/proc/self/mem");
}
