// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemroots.h"

#include <QString>
#include <QStringList>

// Facts about network interfaces from /proc and /sys, shared by reachability and the statistics.
namespace netif {

// Cellular modems: wwan*, rmnet*, ccmni*, and any interface whose uevent says DEVTYPE=wwan.
bool isCellular(const SystemRoots &roots, const QString &name);
// Wireless LAN: the interface has a "wireless" or "phy80211" entry in sysfs.
bool isWireless(const SystemRoots &roots, const QString &name);
// operstate "up" (or "unknown" with carrier 1, as some drivers report).
bool isUp(const SystemRoots &roots, const QString &name);

// The interface of the IPv4 (else IPv6) default route from the kernel routing table, or empty
// when there is no default route.
QString defaultRouteInterface(const SystemRoots &roots);

} // namespace netif
