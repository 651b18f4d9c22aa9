// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// powerdeck-cli: the battery report and further subcommands, for the terminal.
// args are the words after the program name. Returns the exit status: 0 success,
// 2 bad usage (with a one-line error on err).
int runCli(const QStringList &args, QTextStream &out, QTextStream &err);

// The battery subcommand (the default).
int runBatteryCommand(const QStringList &args, QTextStream &out, QTextStream &err);
