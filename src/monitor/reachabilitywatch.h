// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Says that the network may have changed; whoever listens reads its figures again.
class NetworkChangeSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void changed();
};

// The kernel's own change messages for links and IPv4 and IPv6 routes (an rtnetlink socket),
// read on the event loop of the thread that made the watcher. One changed() per batch of
// messages; the messages themselves are not interpreted.
class RouteChangeWatcher : public NetworkChangeSource
{
    Q_OBJECT
public:
    explicit RouteChangeWatcher(QObject *parent = nullptr);
    ~RouteChangeWatcher() override;

    // False when the socket could not be opened (the watcher then never reports).
    bool isOpen() const { return m_fd >= 0; }

private:
    void drain();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
