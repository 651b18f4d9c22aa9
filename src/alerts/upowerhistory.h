// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systembatteries.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTimeZone>
#include <QVariantList>

#include <vector>

class RecordWriter;

// The charge history UPower keeps (/var/lib/upower/history-charge-<id>.dat and
// history-rate-<id>.dat, lines "time\tvalue\tstate"), turned into day records of the charge
// calendar by the same rule as Powerdeck's own readings. UPower keeps about a week of it, for
// every device with a battery; only the files of the batteries that power the system are read
// (a mouse at 5 % is not a nearly empty laptop). Imported once into a file of its own beside
// "calendar.plist", so the calendar holds the past days from the first start and the wheel's
// history stays Powerdeck's own.
namespace upowerhistory {

// Where UPower keeps its history.
inline constexpr const char *kDefaultFolder = "/var/lib/upower";
// The imported records in the Documents folder: {"ImportedAt": date, "Source": folder,
// "Records": [day records]}. Its presence marks the import as done.
inline constexpr const char *kImportFile = "calendarImported.plist";
// The oldest samples taken: far beyond what UPower keeps, so only a clock gone wrong is cut.
inline constexpr int kMonthsBack = 12;

struct Sample
{
    qint64 time = 0; // seconds since the epoch
    double value = 0;
    int state = 0; // 0 unknown, 1 unplugged, 2 charging, 3 full
};

// UPower's state word as a battery state. "pending-charge" is a battery on external power that
// does not charge: held at its charge limit, which the calendar counts as full.
int batteryState(QStringView word);

// The device a history file belongs to: UPower's device id, the part of the name between
// "history-charge-" or "history-rate-" and ".dat"; empty for any other file.
QString deviceIdOf(const QString &fileName);
// Whether UPower's id names this battery. UPower makes a battery's id of its model, its design
// energy in whole Wh and its serial number, joined by "-", each left out when missing (model and
// serial also when of two characters or fewer), "generic_id" when all are; backslash, tab, quote,
// question mark, apostrophe, space, slash, comma and full stop become "_". Any number stands for
// the design energy, which UPower may work out from other figures than the kernel gives.
// Peripherals' ids are made otherwise (vendor, model and serial, or the supply's name).
bool isHistoryOf(const QString &deviceId, const SystemBattery &battery);
// The samples of one history file; malformed lines are skipped.
std::vector<Sample> parse(const QByteArray &text);

// The day records the history files of the batteries in a folder stand for, for the samples
// within the kMonthsBack months up to now, in time order, each once. The level (below 6 %) comes
// from the charge files; the rate files give states only.
QVariantList records(const QString &folder, const std::vector<SystemBattery> &batteries,
                     const QDateTime &now, const QTimeZone &zone);

// The imported records: read from the import file when the import was done before; otherwise,
// when the folder exists, imported now from the batteries' files (leaving out what `own` holds)
// and written to the file, through the writer when one is given. Nothing is imported over a
// file that exists but cannot be read.
QVariantList importOnce(const QString &folder, const std::vector<SystemBattery> &batteries,
                        const QString &documents, const QVariantList &own, const QDateTime &now,
                        const QTimeZone &zone, RecordWriter *writer = nullptr);

} // namespace upowerhistory
