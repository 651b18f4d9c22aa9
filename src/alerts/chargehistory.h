// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <QVariantList>
#include <QVariantMap>

#include <optional>
#include <vector>

// The day-by-day charge history kept in "calendar.plist": which days saw the device charging,
// full, or below 6 %. A record is {"Color", "Date", "Month"}; it carries no year, so it stands for
// that day in every year. Each combination of the three values is kept once, in the order first
// seen.
namespace chargehistory {

enum Color {
    Charging = 1,
    Full = 2,
    Low = 3,
};

// Below this level (percent) a known reading counts as nearly empty.
constexpr double kLowLevel = 6.0;

struct DayRecord
{
    int color = 0;
    int date = 0;  // day of the month, 1 to 31
    int month = 0; // 1 to 12

    bool operator==(const DayRecord &) const = default;
};

struct Day
{
    int date = 0;
    int month = 0;
};

// The local calendar day of an instant in a time zone.
Day localDay(const QDateTime &now, const QTimeZone &zone);

// The records one battery reading stands for on that day, in the order they are added: the low
// record first, then the charging or the full record. An unknown level (negative or not a number,
// as readers report a missing battery) is not a low level.
std::vector<DayRecord> recordsFor(double batteryLevel, int batteryState, Day today);

QVariantMap toVariant(const DayRecord &record);
// The record stored in a list entry, or none when the entry is not a dictionary.
std::optional<DayRecord> fromVariant(const QVariant &entry);

bool contains(const QVariantList &history, const DayRecord &record);
// Appends the record unless the history holds it already; returns whether it did.
bool appendUnique(QVariantList &history, const DayRecord &record);
// The records of `own` followed by those of `others` that `own` does not hold, each once.
QVariantList merged(const QVariantList &own, const QVariantList &others);

// What the history file is to hold when a history meets the records stored there (which another
// running copy may have added): the stored records, then those of `own` they lack. Nothing when
// the file holds every record of `own` already, so an unchanged history is never written again.
std::optional<QVariantList> withStored(const QVariantList &stored, const QVariantList &own);

// The recording rule: appends what the reading {"batteryLevel", "batteryState"} stands for today
// and is not in the history yet. Returns how many records were added.
int record(QVariantList &history, const QVariantMap &reading, const QDateTime &now,
           const QTimeZone &zone);

} // namespace chargehistory
