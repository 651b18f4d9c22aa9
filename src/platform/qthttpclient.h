// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/http.h"

#include <QtGlobal>

#include <string>
#include <utility>

class QNetworkReply;

// True when a finished reply's transfer completed: no transport error, and where the server
// announced a Content-Length (of an uncompressed body), exactly that many bytes came.
bool transferCompleted(const QNetworkReply &reply, qint64 receivedBytes);

// The Linux HTTP backend on QNetworkAccessManager. get() blocks: every call builds its own
// network manager and runs its own event loop on the calling thread, so it can be used from any
// worker thread (a QCoreApplication must exist in the process). Redirects to the same or a
// safer scheme are followed; a request that has not finished after the timeout is aborted.
class QtHttpClient : public HttpClient
{
public:
    explicit QtHttpClient(int timeoutMs = 30000);
    HttpResponse get(const std::string &url) override;
    // Sent as the User-Agent header when not empty.
    void setUserAgent(std::string userAgent) { m_userAgent = std::move(userAgent); }
    // A body longer than this is refused (the request fails); 0 for no limit.
    void setMaxBodyBytes(long long bytes) { m_maxBodyBytes = bytes; }

private:
    int m_timeoutMs;
    std::string m_userAgent;
    long long m_maxBodyBytes = 0;
};
