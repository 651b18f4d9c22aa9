// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/localnotifications.h"

#include <QStringList>

// Keeps every call in order, as text: "cancelAll", or the fire date (ISO 8601), the body,
// " sound" for an alarm and " weekly N" with the weekday bits of a weekly one.
class RecordingNotifications : public LocalNotifications
{
public:
    QStringList calls;

    QString backendName() const override { return QStringLiteral("recording"); }
    bool cancelAll() override
    {
        calls << QStringLiteral("cancelAll");
        return true;
    }
    bool schedule(const QDateTime &fireDate, const QString &body, bool sound) override
    {
        calls << fireDate.toString(Qt::ISODate) + QLatin1Char(' ') + body +
                     (sound ? QStringLiteral(" sound") : QString());
        return true;
    }
    bool scheduleWeekly(const QDateTime &first, quint8 weekdays, const QString &body,
                        bool sound) override
    {
        schedule(first, body, sound);
        calls.last() += QStringLiteral(" weekly %1").arg(weekdays);
        return true;
    }
};
