// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/notificationcenter.h"

#include <algorithm>

NotificationCenter::NotificationCenter(QObject *parent) : QObject(parent) {}

int NotificationCenter::addObserver(const QString &name, QObject *context, Handler handler)
{
    const int token = m_nextToken++;
    m_entries.push_back({token, name, context, context != nullptr, std::move(handler)});
    return token;
}

void NotificationCenter::removeObserver(int token)
{
    std::erase_if(m_entries, [token](const Entry &e) { return e.token == token; });
}

void NotificationCenter::removeObservers(const QObject *context)
{
    std::erase_if(m_entries,
                  [context](const Entry &e) { return e.hasContext && e.context == context; });
}

void NotificationCenter::post(const QString &name, const QVariant &object)
{
    // Observers may add or remove observers while being notified: work on a snapshot of tokens
    // and look each one up again before calling it.
    std::vector<int> tokens;
    for (const Entry &e : m_entries)
        if (e.name == name)
            tokens.push_back(e.token);
    for (int token : tokens) {
        auto it = std::find_if(m_entries.begin(), m_entries.end(),
                               [token](const Entry &e) { return e.token == token; });
        if (it == m_entries.end())
            continue;
        if (it->hasContext && !it->context) {
            m_entries.erase(it);
            continue;
        }
        Handler handler = it->handler; // the entry may go away during the call
        handler(object);
    }
}

int NotificationCenter::observerCount(const QString &name) const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
        return e.name == name && (!e.hasContext || e.context);
    }));
}
