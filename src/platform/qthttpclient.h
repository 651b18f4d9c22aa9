#pragma once

#include "platform/http.h"

// The Linux HTTP backend on QNetworkAccessManager. get() blocks: every call builds its own
// network manager and runs its own event loop on the calling thread, so it can be used from any
// worker thread (a QCoreApplication must exist in the process). Redirects to the same or a
// safer scheme are followed; a request that has not finished after the timeout is aborted.
class QtHttpClient : public HttpClient
{
public:
    explicit QtHttpClient(int timeoutMs = 30000);
    HttpResponse get(const std::string &url) override;

private:
    int m_timeoutMs;
};
