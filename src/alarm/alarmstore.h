// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <array>

class UserDefaults;

// The alarm records under the user-defaults key "alarm": an array, oldest first. Row i of the
// alarm list is element i. The store writes every change through at once, so nothing needs an
// explicit flush.
class AlarmStore
{
public:
    static inline const QString kKey = QStringLiteral("alarm");

    explicit AlarmStore(UserDefaults &defaults);

    // Empty when the key is absent (or holds something other than an array).
    QVariantList records() const;
    int count() const { return int(records().size()); }
    QVariantMap record(int row) const;

    bool append(const QVariantMap &record);
    // Replaces "OnOff" of the record at row; false for a row that is not a record.
    bool setOnOff(int row, bool on);
    bool removeAt(int row);

    // Every key, every time: "ora" (a date), "vibration", "music", "OnOff" (true), and "repeat"
    // with the seven keys "0" (Sunday) to "6" (Saturday).
    static QVariantMap makeRecord(const QDateTime &ora, bool vibration, const QString &music,
                                  const std::array<bool, 7> &days);

private:
    UserDefaults &m_defaults;
};
