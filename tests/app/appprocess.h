// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

// The built program run as a user would start it, offscreen, in a home of its own. Every
// message line starts with its type and category ("debug powerdeck.app: ..."), so a test can
// tell debug lines from the others.
class AppProcess
{
public:
    // busAddress: a private bus, or an address where no bus listens.
    static QProcessEnvironment environment(const QTemporaryDir &home, const QString &busAddress)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_LOGGING_RULES",
                                 "QT_LOGGING_CONF", "XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"})
            env.remove(QString::fromLatin1(name));
        const QString root = home.path();
        QDir().mkpath(root + QStringLiteral("/run"));
        QFile::setPermissions(root + QStringLiteral("/run"), QFileDevice::ReadOwner |
                                                                 QFileDevice::WriteOwner |
                                                                 QFileDevice::ExeOwner);
        env.insert(QStringLiteral("HOME"), root);
        env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/cache"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/run"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        env.insert(QStringLiteral("QT_MESSAGE_PATTERN"),
                   QStringLiteral("%{type} %{if-category}%{category}: %{endif}%{message}"));
        return env;
    }

    AppProcess(const QProcessEnvironment &env, const QStringList &arguments = {})
    {
        m_process.setProcessEnvironment(env);
        m_started.start();
        m_process.start(QStringLiteral(POWERDECK_BIN_DIR "/powerdeck"), arguments);
    }
    ~AppProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Waits until the program's messages hold the text, or it ends, or the time is up.
    bool waitForMessage(const QString &text, int timeoutMs)
    {
        QElapsedTimer waited;
        waited.start();
        while (!messages().contains(text)) {
            if (m_process.state() == QProcess::NotRunning || waited.elapsed() > timeoutMs)
                return messages().contains(text);
            m_process.waitForReadyRead(50);
        }
        return true;
    }
    // Ends the program the way a session does (SIGTERM); true when it quit with status 0.
    bool terminate()
    {
        m_process.terminate();
        return m_process.waitForFinished(30000) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }
    // Every message so far.
    QString messages()
    {
        m_stderr += QString::fromLocal8Bit(m_process.readAllStandardError());
        return m_stderr;
    }
    QProcess &process() { return m_process; }
    // Milliseconds from the start to now, or to the end once it has ended.
    qint64 elapsed() const { return m_ended >= 0 ? m_ended : m_started.elapsed(); }
    bool waitForEnd(int timeoutMs)
    {
        const bool ended = m_process.waitForFinished(timeoutMs);
        if (ended)
            m_ended = m_started.elapsed();
        return ended;
    }

private:
    QProcess m_process;
    QElapsedTimer m_started;
    qint64 m_ended = -1;
    QString m_stderr;
};
