// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <ostream>

// Writes one file below root, creating its folders; small sysfs and procfs trees for one test.
inline bool writeTreeFile(const QString &root, const QString &relative, const QByteArray &bytes)
{
    const QString path = root + QLatin1Char('/') + relative;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

inline QString fixturePath(const QString &name)
{
    return QStringLiteral(POWERDECK_FIXTURES "/") + name;
}

inline QString shippedDevicesPlist()
{
    return QStringLiteral(POWERDECK_SHARE_DIR "/devices.plist");
}

// Readable failure messages for QString comparisons (found by argument-dependent lookup).
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
