// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Blocking HTTP GET, for use on worker threads (the place search, the XML reader's URL form).
struct HttpResponse
{
    int status = 0;    // HTTP status code; 0 when no reply came (no network, refused, ...)
    std::string body;  // the reply body, undecoded
    std::string error; // a short description when the request failed
    // A 2xx reply whose transfer completed: a body cut short (the connection closed before the
    // announced length, a broken chunk) carries an error even when the status was 200.
    bool ok() const { return status >= 200 && status < 300 && error.empty(); }
};

class HttpClient
{
public:
    virtual ~HttpClient() = default;
    virtual HttpResponse get(const std::string &url) = 0;
};
