// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The lock that keeps a second copy of Powerdeck off the files of a copy that runs: an flock on
// one file, taken without waiting and held for the life of the process (the kernel drops it
// however the process ends, so a crash leaves no stale lock behind).
class InstanceLock
{
public:
    enum class State {
        Unlocked, // not tried yet, or given up
        Held,     // by this process
        Taken,    // by another process
        Failed,   // the file could not be opened or locked (see error())
    };

    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Never waits. Creates the lock file's folder when it is missing.
    State tryLock();
    void unlock();

    State state() const { return m_state; }
    const QString &path() const { return m_path; }
    const QString &error() const { return m_error; }

    // The lock of the copy that works on dataFolder ($XDG_DATA_HOME/powerdeck): in the runtime
    // folder when it is a folder of this user's, named after dataFolder (copies on other data
    // folders run side by side), otherwise in dataFolder itself.
    static QString pathFor(const QString &runtimeDir, const QString &dataFolder);

private:
    QString m_path;
    QString m_error;
    State m_state = State::Unlocked;
    int m_fd = -1;
};
