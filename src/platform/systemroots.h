#pragma once

#include <QString>

// Where the kernel's file systems are mounted. Every reader of /sys or /proc takes these, so the
// tests can point it at a fixture tree instead.
struct SystemRoots
{
    QString sysfs = QStringLiteral("/sys");
    QString procfs = QStringLiteral("/proc");
};
