// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testsupport.h"
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <functional>

// A small HTTP/1.1 server on the loopback interface for the weather and place tests: each path
// answers with a set status and body, or never answers. It runs on the thread that made it, so
// the test must spin the event loop (QTRY_*, QSignalSpy::wait) while a client waits.
class LocalHttpServer : public QObject
{
public:
    struct Reply
    {
        int status = 200;
        QByteArray body;
        bool never = false; // accept the request and never answer
        int delayMs = 0;
        qint64 declaredLength = -1; // the Content-Length sent; the body's own when negative
    };

    LocalHttpServer()
    {
        // The listening socket needs the application's event dispatcher to exist first.
        ensureCoreApplication();
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    }

    bool listening() const { return m_server.isListening(); }
    QString base() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }
    // The reply for every request whose path (before '?') is path.
    void route(const QString &path, const Reply &reply) { m_routes.insert(path, reply); }

    // Request targets ("/v1/forecast?latitude=..."), in the order they arrived.
    QList<QByteArray> targets() const
    {
        QMutexLocker lock(&m_mutex);
        return m_targets;
    }
    QList<QByteArray> userAgents() const
    {
        QMutexLocker lock(&m_mutex);
        return m_userAgents;
    }
    int count() const { return targets().size(); }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = buffer.left(end);
        m_buffers.remove(socket);
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        const QByteArray target = first.value(1);
        QByteArray agent;
        for (const QByteArray &line : lines) {
            if (line.toLower().startsWith("user-agent:"))
                agent = line.mid(11).trimmed();
        }
        {
            QMutexLocker lock(&m_mutex);
            m_targets.append(target);
            m_userAgents.append(agent);
        }
        const QString path = QString::fromLatin1(
            target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?')));
        const Reply reply = m_routes.value(path, Reply{404, "not found"});
        if (reply.never)
            return;
        QPointer<QTcpSocket> guard(socket);
        auto answer = [guard, reply] {
            if (!guard)
                return;
            guard->write("HTTP/1.1 " + QByteArray::number(reply.status) + " Reply\r\n" +
                         "Content-Length: " +
                         QByteArray::number(reply.declaredLength < 0 ? reply.body.size()
                                                                     : reply.declaredLength) +
                         "\r\nConnection: close\r\n\r\n" + reply.body);
            guard->disconnectFromHost();
        };
        if (reply.delayMs > 0)
            QTimer::singleShot(reply.delayMs, this, answer);
        else
            answer();
    }

    QTcpServer m_server;
    QHash<QString, Reply> m_routes;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    mutable QMutex m_mutex;
    QList<QByteArray> m_targets;
    QList<QByteArray> m_userAgents;
};

// Runs the event loop until condition holds (true) or timeoutMs passed (false).
inline bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 10000)
{
    for (int waited = 0; !condition(); waited += 10) {
        if (waited >= timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}
