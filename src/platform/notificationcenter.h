// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

// In-process notifications by name ("restartAPP", "restartAPP1.5", "restartAPP2", ...).
// Delivery is synchronous, on the posting thread, in the order the observers registered.
// An observer registered with a context object is dropped automatically when that object dies.
class NotificationCenter : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const QVariant &object)>;

    explicit NotificationCenter(QObject *parent = nullptr);

    // Returns a token for removeObserver.
    int addObserver(const QString &name, QObject *context, Handler handler);
    void removeObserver(int token);
    // Removes every observer registered with this context.
    void removeObservers(const QObject *context);
    void post(const QString &name, const QVariant &object = {});

    int observerCount(const QString &name) const;

private:
    struct Entry
    {
        int token;
        QString name;
        QPointer<QObject> context;
        bool hasContext;
        Handler handler;
    };
    std::vector<Entry> m_entries;
    int m_nextToken = 1;
};
