// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>

// Replies of the weather and place services kept for a while per request, so a user picking the
// same place again, or typing the same text, does not ask the service again. Not thread-safe:
// each owner keeps its own on its own thread.
class ReplyCache
{
public:
    static constexpr qint64 kLifetimeSecs = 30 * 60;

    explicit ReplyCache(std::function<QDateTime()> now = &QDateTime::currentDateTimeUtc)
        : m_now(std::move(now))
    {
    }

    std::optional<QByteArray> find(const QString &key) const
    {
        const auto it = m_entries.constFind(key);
        if (it == m_entries.constEnd() || it->stored.secsTo(m_now()) >= kLifetimeSecs ||
            it->stored > m_now())
            return std::nullopt;
        return it->body;
    }

    void insert(const QString &key, const QByteArray &body)
    {
        // A small cache: the stale entries go when a new one comes.
        const QDateTime now = m_now();
        for (auto it = m_entries.begin(); it != m_entries.end();) {
            if (it->stored.secsTo(now) >= kLifetimeSecs)
                it = m_entries.erase(it);
            else
                ++it;
        }
        m_entries.insert(key, Entry{now, body});
    }

private:
    struct Entry
    {
        QDateTime stored;
        QByteArray body;
    };
    std::function<QDateTime()> m_now;
    QHash<QString, Entry> m_entries;
};
