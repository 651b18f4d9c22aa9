// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarmstore.h"

#include "platform/userdefaults.h"

AlarmStore::AlarmStore(UserDefaults &defaults) : m_defaults(defaults) {}

QVariantList AlarmStore::records() const
{
    const QVariant value = m_defaults.value(kKey);
    return value.typeId() == QMetaType::QVariantList ? value.toList() : QVariantList{};
}

QVariantMap AlarmStore::record(int row) const
{
    return records().value(row).toMap();
}

bool AlarmStore::append(const QVariantMap &record)
{
    QVariantList list = records();
    list.append(record);
    return m_defaults.setValue(kKey, list);
}

bool AlarmStore::setOnOff(int row, bool on)
{
    QVariantList list = records();
    if (row < 0 || row >= list.size() || list[row].typeId() != QMetaType::QVariantMap)
        return false;
    QVariantMap record = list[row].toMap();
    record.insert(QStringLiteral("OnOff"), on);
    list[row] = record;
    return m_defaults.setValue(kKey, list);
}

bool AlarmStore::removeAt(int row)
{
    QVariantList list = records();
    if (row < 0 || row >= list.size())
        return false;
    list.removeAt(row);
    return m_defaults.setValue(kKey, list);
}

QVariantMap AlarmStore::makeRecord(const QDateTime &ora, bool vibration, const QString &music,
                                   const std::array<bool, 7> &days)
{
    QVariantMap repeat;
    for (int j = 0; j < 7; ++j)
        repeat.insert(QString::asprintf("%d", j), days[size_t(j)]);
    return {{QStringLiteral("ora"), ora.toUTC()},
            {QStringLiteral("vibration"), vibration},
            {QStringLiteral("music"), music},
            {QStringLiteral("OnOff"), true},
            {QStringLiteral("repeat"), repeat}};
}
