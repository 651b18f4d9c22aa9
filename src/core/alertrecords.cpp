// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/alertrecords.h"

#include "platform/logging.h"

namespace alertrecords {

QVariantList defaults()
{
    auto record = [](const char *type, bool state) {
        return QVariantMap{{QStringLiteral("Type"), QString::fromLatin1(type)},
                           {QStringLiteral("state"), state}};
    };
    QVariantMap between = record("AlertsBetwwen", false);
    between.insert(QStringLiteral("startTime"), QStringLiteral("00:00"));
    between.insert(QStringLiteral("endTime"), QStringLiteral("00:00"));
    return {record("DischargeAlert", true), record("higherPrecision", false), between,
            record("notifyWhenComplete", true)};
}

Loaded fromRead(const plist::ReadResult &read)
{
    switch (read.status) {
    case plist::ReadStatus::Ok:
        if (const QVariantList records = read.value.toList(); records.size() >= 2)
            return {records, false};
        return {defaults(), true};
    case plist::ReadStatus::Missing:
    case plist::ReadStatus::Corrupt:
        return {defaults(), true};
    case plist::ReadStatus::Unreadable:
        break;
    }
    return {defaults(), false, true};
}

qsizetype indexOfType(const QVariantList &records, const QString &type)
{
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (records[i].toMap().value(QStringLiteral("Type")).toString() == type)
            return i;
    }
    return -1;
}

bool storeState(const QString &path, const QString &type, bool state, const QVariantList &copy)
{
    const plist::ReadResult fresh = plist::readFile(path);
    QVariantList stored = fresh.ok() ? fresh.value.toList() : copy;
    if (const qsizetype target = indexOfType(stored, type); target >= 0) {
        QVariantMap entry = stored[target].toMap();
        entry.insert(QStringLiteral("state"), state);
        stored[target] = entry;
    } else {
        stored = copy;
    }
    if (plist::writeFile(path, stored))
        return true;
    qCWarning(lcAlerts, "could not write %s", qPrintable(path));
    return false;
}

} // namespace alertrecords
