// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the kernel's file systems (and UPower's history) are. Every reader of /sys or /proc takes
// these, so the tests can point it at a fixture tree instead.
struct SystemRoots
{
    QString sysfs = QStringLiteral("/sys");
    QString procfs = QStringLiteral("/proc");
    // UPower's charge history, imported into the charge calendar.
    QString upowerHistory = QStringLiteral("/var/lib/upower");
};
