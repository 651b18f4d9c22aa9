// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qthttpclient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

bool transferCompleted(const QNetworkReply &reply, qint64 receivedBytes)
{
    if (reply.error() != QNetworkReply::NoError)
        return false;
    // A body Qt unpacked no longer has the length the server announced for the packed one.
    if (reply.hasRawHeader("Content-Encoding"))
        return true;
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    return !length.isValid() || length.toLongLong() == receivedBytes;
}

QtHttpClient::QtHttpClient(int timeoutMs) : m_timeoutMs(timeoutMs) {}

HttpResponse QtHttpClient::get(const std::string &url)
{
    HttpResponse response;
    const QUrl target(QString::fromStdString(url));
    if (!target.isValid() || target.scheme().isEmpty()) {
        response.error = "invalid URL";
        return response;
    }

    // The manager belongs to this thread and this call only; nothing is shared between calls.
    QNetworkAccessManager manager;
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!m_userAgent.empty())
        request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray::fromStdString(m_userAgent));
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    bool tooLarge = false;
    if (m_maxBodyBytes > 0) {
        QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                         [&](qint64 received, qint64) {
                             if (received > m_maxBodyBytes) {
                                 tooLarge = true;
                                 loop.quit();
                             }
                         });
    }
    timer.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (tooLarge || !reply->isFinished()) {
        QObject::disconnect(reply.get(), nullptr, &loop, nullptr);
        reply->abort();
        response.error = tooLarge ? "reply too large" : "timed out";
        return response;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    response.status = status.isValid() ? status.toInt() : 0;
    const QByteArray body = reply->readAll();
    if (m_maxBodyBytes > 0 && body.size() > m_maxBodyBytes) {
        response.status = 0;
        response.error = "reply too large";
        return response;
    }
    response.body.assign(body.constData(), static_cast<std::size_t>(body.size()));
    if (reply->error() != QNetworkReply::NoError)
        response.error = reply->errorString().toStdString();
    else if (!transferCompleted(*reply, body.size()))
        response.error = "reply shorter than its Content-Length";
    return response;
}
