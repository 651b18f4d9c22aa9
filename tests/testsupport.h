#pragma once

#include <QCoreApplication>
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

// The application object that gives the test's thread an event loop. A timer started before it
// exists never runs, although QTimer::isActive() says it does; create it before the object under
// test. It lives as long as the test process.
inline void ensureCoreApplication()
{
    static int argc = 0;
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, nullptr);
}
