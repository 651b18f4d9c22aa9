// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/reachabilitywatch.h"

#include "platform/logging.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

RouteChangeWatcher::RouteChangeWatcher(QObject *parent) : NetworkChangeSource(parent)
{
    m_fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (m_fd < 0) {
        qCWarning(lcMonitor, "no route change messages: %s", std::strerror(errno));
        return;
    }
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE;
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        qCWarning(lcMonitor, "no route change messages: %s", std::strerror(errno));
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RouteChangeWatcher::drain);
}

RouteChangeWatcher::~RouteChangeWatcher()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void RouteChangeWatcher::drain()
{
    // Whatever the messages say, the figures are read afresh; a lost batch (ENOBUFS when the
    // socket overran) is a change all the same.
    char buffer[8192];
    bool any = false;
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (got > 0 || (got < 0 && errno == ENOBUFS)) {
            any = true;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;
    }
    if (any)
        emit changed();
}
