// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/plist.h"

#include <QVariantList>

// The battery-alert settings in Documents/Alert.plist: the four default records, and the one
// rule for what a read of the file yields. Start-up and the alert settings screen both go by it.
namespace alertrecords {

// "DischargeAlert" on, "higherPrecision" off, "AlertsBetwwen" off from "00:00" to "00:00",
// "notifyWhenComplete" on; in this order.
QVariantList defaults();

struct Loaded
{
    // What to work with: the file's records, or the defaults.
    QVariantList records;
    // The file counts as missing and is to be written with the defaults: it is absent (or was
    // set aside as corrupt), or holds fewer than two records (no precision flag at index 1 and
    // no switch to bring the alerts back).
    bool missing = false;
    // The file is there but could not be read: it is never written over, the defaults serve
    // in memory only.
    bool leaveAlone = false;
};
Loaded fromRead(const plist::ReadResult &read);

// The position of the first record of the type, or -1.
qsizetype indexOfType(const QVariantList &records, const QString &type);

// Stores the "state" of the first record of the type in the file as it is now, so that what
// other screens wrote since a copy was loaded stays: only that entry changes. Where the file
// cannot be parsed or lacks the record, the caller's copy (already holding the new state) is
// written instead. Atomic; false when nothing could be written.
bool storeState(const QString &path, const QString &type, bool state, const QVariantList &copy);

} // namespace alertrecords
