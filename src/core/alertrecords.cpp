#include "core/alertrecords.h"

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

} // namespace alertrecords
