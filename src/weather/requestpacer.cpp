// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/requestpacer.h"

#include <algorithm>

RequestPacer::RequestPacer(std::function<Clock::time_point()> now) : m_now(std::move(now)) {}

RequestPacer &RequestPacer::shared()
{
    static RequestPacer pacer;
    return pacer;
}

void RequestPacer::setIntervalMs(int ms)
{
    const std::lock_guard lock(m_mutex);
    m_intervalMs = std::max(ms, 0);
}

int RequestPacer::intervalMs() const
{
    const std::lock_guard lock(m_mutex);
    return m_intervalMs;
}

QString RequestPacer::serviceOf(const QUrl &url)
{
    return url.scheme().toLower() + QStringLiteral("://") + url.host().toLower() +
           QLatin1Char(':') +
           QString::number(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
}

std::chrono::milliseconds RequestPacer::reserve(const QUrl &url)
{
    const std::lock_guard lock(m_mutex);
    const Clock::time_point now = m_now();
    Clock::time_point &next = m_next[serviceOf(url)];
    const Clock::time_point slot = std::max(now, next);
    next = slot + std::chrono::milliseconds(m_intervalMs);
    return std::chrono::ceil<std::chrono::milliseconds>(slot - now);
}

RequestPacer::Clock::time_point RequestPacer::nextFree(const QUrl &url) const
{
    const std::lock_guard lock(m_mutex);
    return m_next.value(serviceOf(url));
}
