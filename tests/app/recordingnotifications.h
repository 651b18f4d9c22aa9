#pragma once

#include "platform/localnotifications.h"

#include <QDateTime>
#include <QStringList>

// Records every call in order, as text.
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
        calls << fireDate.toString(Qt::ISODate) + QLatin1Char(' ') + body + (sound ? " sound" : "");
        return true;
    }
};
