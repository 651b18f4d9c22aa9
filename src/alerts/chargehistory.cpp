// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/chargehistory.h"

#include <cmath>

namespace chargehistory {

namespace {

const QString kColor = QStringLiteral("Color");
const QString kDate = QStringLiteral("Date");
const QString kMonth = QStringLiteral("Month");

// Stored numbers may come back as integers or reals depending on who wrote the file.
std::optional<int> wholeNumber(const QVariantMap &map, const QString &key)
{
    const QVariant v = map.value(key);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return int(d);
}

} // namespace

Day localDay(const QDateTime &now, const QTimeZone &zone)
{
    const QDate date = now.toTimeZone(zone).date();
    return Day{date.day(), date.month()};
}

std::vector<DayRecord> recordsFor(double batteryLevel, int batteryState, Day today)
{
    std::vector<DayRecord> out;
    // Readers say -100 when the level is unknown (no battery at all on most desktops); that is
    // not a nearly empty battery and must not mark every day.
    const bool knownLevel = std::isfinite(batteryLevel) && batteryLevel >= 0;
    if (knownLevel && batteryLevel < kLowLevel)
        out.push_back({Low, today.date, today.month});
    if (batteryState == 2)
        out.push_back({Charging, today.date, today.month});
    else if (batteryState == 3)
        out.push_back({Full, today.date, today.month});
    return out;
}

QVariantMap toVariant(const DayRecord &record)
{
    return {{kColor, record.color}, {kDate, record.date}, {kMonth, record.month}};
}

std::optional<DayRecord> fromVariant(const QVariant &entry)
{
    if (entry.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = entry.toMap();
    const auto color = wholeNumber(map, kColor);
    const auto date = wholeNumber(map, kDate);
    const auto month = wholeNumber(map, kMonth);
    if (!color || !date || !month)
        return std::nullopt;
    return DayRecord{*color, *date, *month};
}

bool contains(const QVariantList &history, const DayRecord &record)
{
    for (const QVariant &entry : history) {
        if (fromVariant(entry) == record)
            return true;
    }
    return false;
}

bool appendUnique(QVariantList &history, const DayRecord &record)
{
    if (contains(history, record))
        return false;
    history.append(toVariant(record));
    return true;
}

QVariantList merged(const QVariantList &own, const QVariantList &others)
{
    QVariantList out = own;
    for (const QVariant &entry : others) {
        if (const std::optional<DayRecord> r = fromVariant(entry))
            appendUnique(out, *r);
    }
    return out;
}

std::optional<QVariantList> withStored(const QVariantList &stored, const QVariantList &own)
{
    QVariantList out = stored;
    bool added = false;
    for (const QVariant &entry : own) {
        if (const std::optional<DayRecord> r = fromVariant(entry))
            added = appendUnique(out, *r) || added;
    }
    if (!added)
        return std::nullopt;
    return out;
}

int record(QVariantList &history, const QVariantMap &reading, const QDateTime &now,
           const QTimeZone &zone)
{
    bool levelOk = false;
    double level = reading.value(QStringLiteral("batteryLevel")).toDouble(&levelOk);
    if (!levelOk)
        level = std::nan("");
    const int state = reading.value(QStringLiteral("batteryState")).toInt();
    int added = 0;
    for (const DayRecord &r : recordsFor(level, state, localDay(now, zone)))
        added += appendUnique(history, r) ? 1 : 0;
    return added;
}

} // namespace chargehistory
