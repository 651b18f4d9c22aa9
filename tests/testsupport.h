// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <clocale>
#include <initializer_list>
#include <string>
#include <unistd.h>
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

// The whole process in a comma-decimal locale, as the application object sets it from a German
// environment; the previous locale comes back at the end of the scope.
class CommaDecimalLocale
{
public:
    static constexpr const char *kName = "de_DE.UTF-8";

    CommaDecimalLocale() : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_active =
            std::setlocale(LC_ALL, kName) != nullptr && std::localeconv()->decimal_point[0] == ',';
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    CommaDecimalLocale(const CommaDecimalLocale &) = delete;
    CommaDecimalLocale &operator=(const CommaDecimalLocale &) = delete;

    bool active() const { return m_active; }
    // The set-up (scripts/powerdeck.sh) generates the locale when it runs as root, as CI does:
    // there a missing locale is a failure. A developer without root may lack it.
    static bool mustExist() { return ::geteuid() == 0 || qEnvironmentVariableIsSet("CI"); }

private:
    std::string m_previous;
    bool m_active = false;
};

// In a test body: fails (CI, root) or skips (a developer without the locale) when the comma
// locale cannot be set.
#define REQUIRE_COMMA_DECIMAL_LOCALE(locale)                                                       \
    do {                                                                                           \
        if (!(locale).active()) {                                                                  \
            if (CommaDecimalLocale::mustExist())                                                   \
                FAIL() << "locale " << CommaDecimalLocale::kName                                   \
                       << " is missing: run scripts/powerdeck.sh test as root to generate it";     \
            GTEST_SKIP() << "locale " << CommaDecimalLocale::kName                                 \
                         << " is not installed (localedef -i de_DE -f UTF-8 de_DE.UTF-8)";         \
        }                                                                                          \
    } while (false)

// The application object that gives the test's thread an event loop. A timer started before it
// exists never runs, although QTimer::isActive() says it does; create it before the object under
// test. It lives as long as the test process.
inline void ensureCoreApplication()
{
    static int argc = 0;
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, nullptr);
}
