// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTimeZone>
#include <QVariantList>

#include <vector>

// The charge history UPower keeps (/var/lib/upower/history-charge-*.dat and history-rate-*.dat,
// lines "time\tvalue\tstate"), turned into day records of the charge calendar by the same rule
// as Powerdeck's own readings. Imported once into a file of its own beside "calendar.plist", so
// the calendar is full from the first day and the wheel's history stays Powerdeck's own.
namespace upowerhistory {

// Where UPower keeps its history.
inline constexpr const char *kDefaultFolder = "/var/lib/upower";
// The imported records in the Documents folder: {"ImportedAt": date, "Source": folder,
// "Records": [day records]}. Its presence marks the import as done.
inline constexpr const char *kImportFile = "calendarImported.plist";
// How far back the import reaches.
inline constexpr int kMonthsBack = 12;

struct Sample
{
    qint64 time = 0; // seconds since the epoch
    double value = 0;
    int state = 0; // 0 unknown, 1 unplugged, 2 charging, 3 full
};

// UPower's state word as a battery state.
int batteryState(QStringView word);
// The samples of one history file; malformed lines are skipped.
std::vector<Sample> parse(const QByteArray &text);

// The day records the history files of a folder stand for, for the samples within the
// kMonthsBack months up to now, in time order, each once. The level (below 6 %) comes from the
// charge files; the rate files give states only.
QVariantList records(const QString &folder, const QDateTime &now, const QTimeZone &zone);

// The imported records: read from the import file when the import was done before; otherwise,
// when the folder exists, imported now (leaving out what `own` holds) and written to the file.
// Nothing is imported over a file that exists but cannot be read.
QVariantList importOnce(const QString &folder, const QString &documents, const QVariantList &own,
                        const QDateTime &now, const QTimeZone &zone);

} // namespace upowerhistory
