// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instancelock.h"

#include "platform/applicationid.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(QString path) : m_path(std::move(path)) {}

InstanceLock::~InstanceLock()
{
    unlock();
}

InstanceLock::State InstanceLock::tryLock()
{
    if (m_state == State::Held)
        return m_state;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return m_state = State::Failed;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return m_state = State::Held;
    if (errno == EWOULDBLOCK)
        return m_state = State::Taken;
    m_error = QString::fromLocal8Bit(std::strerror(errno));
    return m_state = State::Failed;
}

void InstanceLock::unlock()
{
    // Closing drops the lock; the file stays, so that no copy ever locks a file another copy
    // is about to remove.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_state = State::Unlocked;
}

QString InstanceLock::pathFor(const QString &runtimeDir, const QString &dataFolder)
{
    const QString data = QDir::cleanPath(QDir(dataFolder).absolutePath());
    const QFileInfo runtime(runtimeDir);
    if (!runtimeDir.isEmpty() && runtime.isDir() && runtime.ownerId() == ::geteuid()) {
        const QByteArray key =
            QCryptographicHash::hash(QFile::encodeName(data), QCryptographicHash::Sha256)
                .toHex()
                .left(16);
        return QDir(runtimeDir)
            .filePath(QString::fromLatin1(kApplicationId) + QLatin1Char('-') +
                      QString::fromLatin1(key) + QStringLiteral(".lock"));
    }
    return data + QStringLiteral("/instance.lock");
}
