// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// powerdeck-cli schedule [--json] [--now ISO-8601] [--tz ZONE] [--timeBeforeDie H]
//                        [--timeneedToCharge H] [--state N]
// Prints the notifications the scheduler would hand to the platform on a move to the
// background, worked out from the stored alarm records and Alert.plist, without scheduling
// anything. The estimates live only in the running application, so they are given here (empty
// when not given); the battery state (0 unknown, 1 unplugged, 2 charging, 3 full) is the live
// reading's unless --state gives one. `args` are the words after "schedule". Returns 0, or 2 after
// a one-line error on `err` for a bad option.
int runScheduleCommand(const QStringList &args, QTextStream &out, QTextStream &err);
