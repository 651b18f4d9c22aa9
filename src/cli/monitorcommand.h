// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// powerdeck-cli monitor [--json] [--procfs-root DIR] [--sysfs-root DIR]
// Prints every figure of the statistics sampler, as text or as one JSON object. `args` are the
// words after "monitor". Returns 0, or 2 after a one-line error on `err` for a bad option.
int runMonitorCommand(const QStringList &args, QTextStream &out, QTextStream &err);
