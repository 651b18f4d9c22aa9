// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <mutex>

// The one rate limiter of the application's requests to the weather and place services: the
// place search (on its worker) and the weather panel (on the interface thread) book every
// request here, so two requests to the same service (scheme, host and port) are at least the
// interval apart however many parts of the application ask. Booking never blocks: it tells the
// caller how long to wait, and a worker sleeps while the interface thread sets a timer.
// Thread-safe.
class RequestPacer
{
public:
    using Clock = std::chrono::steady_clock;
    // The keyless services allow about one request a second from an application.
    static constexpr int kIntervalMs = 1000;

    explicit RequestPacer(std::function<Clock::time_point()> now = &Clock::now);

    // The application's pacer, shared by every panel and search.
    static RequestPacer &shared();

    void setIntervalMs(int ms);
    int intervalMs() const;
    // Books the next free moment for a request to url's service and returns how long until it
    // (zero when the request may go now).
    std::chrono::milliseconds reserve(const QUrl &url);
    // The earliest moment the next request to url's service may go (the clock's zero when none
    // was booked yet).
    Clock::time_point nextFree(const QUrl &url) const;

private:
    static QString serviceOf(const QUrl &url);

    std::function<Clock::time_point()> m_now;
    mutable std::mutex m_mutex;
    int m_intervalMs = kIntervalMs;
    QHash<QString, Clock::time_point> m_next;
};
